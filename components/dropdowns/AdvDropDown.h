// TAdvCustomDropDown: the single-line masked edit with a drop button at its right edge and a
// borderless popup window (AdvDropDownForm.h) that every picker is built on. The edit decides
// when the popup opens and closes, where it is placed and how large it is, and what happens to
// the text when it closes; a picker supplies the control the popup shows and reacts through the
// virtual operations. Also here: typed entry (twelve kinds of text, prefix and suffix, number
// formats, the clipboard), the caption label, the painted border, the look of an edit that takes
// no typing and the grey hint of an empty edit.
//
// Calling order expected of a picker: override CreateDropDownForm (call the inherited one, then
// make the control with the popup as parent and give it to SetControl); override BeforeDropDown
// (call the inherited one, then load the control from the text); write the picked value with
// SetText or SetRawText and close with HideDropDown(false) or leave it to the keys; override
// DoSelectNext and DoSelectPrevious for the wheel.
#pragma once

#include "components/dropdowns/AdvDropDownForm.h"
#include "components/dropdowns/AdvDropDownTypes.h"
#include "components/dropdowns/ButtonAppearance.h"
#include "components/dropdowns/HeaderAppearance.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/Mask.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

class TItemAppearance;

class TCustomImageList;
class TLabel;

class TAdvCustomDropDown : public TCustomMaskEdit, public ITesselStyle, public ITesselTones {
public:
    explicit TAdvCustomDropDown(TComponent* AOwner);
    ~TAdvCustomDropDown() override;

    // ---- The popup ----
    // Background (clNone: the popup paints none) and gradient end colour (left to right).
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    // clNone: no frame; the border width still keeps the content off the edge.
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }  // default 1
    void SetDropDownBorderWidth(int Value) { FDropDownBorderWidth = Value; }
    bool DropDownShadow() const { return FDropDownShadow; }  // default true
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    // 0 or less: automatic. A different value drops the size the user gave the popup.
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int Value);                         // negative values are ignored
    bool DropDownEnabled() const { return FDropDownEnabled; }  // the drop button's
    void SetDropDownEnabled(bool Value);
    advdropdown::TDropPosition DropPosition() const { return FDropPosition; }  // default dpAuto
    void SetDropPosition(advdropdown::TDropPosition Value) { FDropPosition = Value; }
    int DropDownButtonWidth() const;  // default 17
    void SetDropDownButtonWidth(int Value);
    const String& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const String& Value);
    TBitmap* DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(TBitmap* Value);
    // The user may size the popup (through the footer's grip).
    bool DropDownSizeable() const { return FDropDownSizeable; }  // default true
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    TAdvButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TAdvButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Typing allowed; off, a click anywhere in the edit opens the popup.
    bool EditorEnabled() const { return FEditorEnabled; }  // default true
    void SetEditorEnabled(bool Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    advdropdown::TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    // "1.4.2.6"; writing it does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    // ---- Label and decorations ----
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);  // makes the label on first use
    advdropdown::TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(advdropdown::TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    // The label is not disabled with the edit.
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* Value);
    TLabel* Label() const { return FLabel; }
    // The flat border (clNone: none), the border while focused, silver while disabled.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    bool DisabledBorder() const { return FDisabledBorder; }  // default true
    void SetDisabledBorder(bool Value);
    // The grey hint while the edit is empty (and unfocused, unless EmptyTextFocused).
    const String& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const String& Value);
    TFontStyles EmptyTextStyle() const { return FEmptyTextStyle; }
    void SetEmptyTextStyle(TFontStyles Value);
    bool EmptyTextFocused() const { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool Value) { FEmptyTextFocused = Value; }

    // ---- Text ----
    // The value: the raw text without the prefix (when it starts with it) and the suffix (when
    // it ends with it). Writing formats it by type and stores Prefix + value + Suffix.
    String Text() const { return GetText(); }
    String GetText() const;
    virtual void SetText(const String& Value);
    // Enter moves the focus like Tab.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    // Enter and Esc are passed on to the parent too.
    bool DefaultHandling() const { return FDefaultHandling; }  // default true
    void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
    // Esc selects the value and clears the modified state.
    bool CanUndo() const { return FCanUndo; }  // default true; etPassword clears it
    void SetCanUndo(bool Value) { FCanUndo = Value; }
    // A numeric edit may stay empty when it loses the focus.
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
    // The keypad's decimal key types the locale's decimal separator.
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& Value) { FPrefix = Value; }
    const String& Suffix() const { return FSuffix; }
    void SetSuffix(const String& Value) { FSuffix = Value; }
    // A minus sign is allowed in numbers.
    bool Signed() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    // Digits allowed before the decimal separator; 0: no limit.
    short LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(short Value) { FLengthLimit = Value; }
    // What etValidChars takes.
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    // etMoney shows thousand separators.
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }  // default true
    void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
    // The value selected (without prefix and suffix); the caret after or before the decimal
    // separator (at the value's start without one).
    void SelectAll();
    void SelectAfterDecimal();
    void SelectBeforeDecimal();

    // ---- Events ----
    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUp OnDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TGetDropDownPosEvent OnGetDropDownPos;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCut;

    // ---- Operations ----
    TDropDownEditButton* Button() const { return FButton; }
    bool DroppedDown() const { return FDroppedDown; }
    // The popup's size (sizeable), else DropDownWidth x DropDownHeight when both are set, else
    // the control's, else 0 x 0.
    TSize DropDownSize() const;
    void ShowDropDown() { OpenPopup(); }
    void HideDropDown(bool CancelChanges) { ClosePopup(CancelChanges); }
    TTesselStyle GetComponentStyle() const { return FTesselStyle; }
    void SetComponentStyle(TTesselStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;
    // Copies the settings of another drop-down edit (not its text, label or events).
    void Assign(TPersistent* Source) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;

protected:
    // ---- The virtual operations pickers replace ----
    virtual void DoLabelClick(TObject* Sender);
    virtual void DoLabelDblClick(TObject* Sender);
    virtual int GetVersionNr() const { return 0x01040206; }
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    // List pickers change the height just before the popup is placed.
    virtual void AdjustDropDownHeight(int& Height) {}
    virtual void FocusDropDownControl();
    virtual void OpenPopup();
    virtual void PlaceDropDownControl();
    virtual void SizeDropDownForm();
    virtual void ClosePopup(bool Cancelled);
    virtual void AfterClosePopup();
    virtual void PopupDestroyed() {}
    virtual void PopupWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void PopupWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void PopupKeyPress(Char& Key);
    virtual void PopupKeyDown(Word& Key, TShiftState Shift);
    virtual void PopupKeyUp(Word& Key, TShiftState Shift);
    virtual void ControlKeyDown(Word& Key, TShiftState Shift);
    virtual void ControlKeyUp(Word& Key, TShiftState Shift);
    virtual void ControlKeyPress(Char& Key);
    virtual void PopupSizing() {}
    virtual void DoSelectNext() {}
    virtual void DoSelectPrevious() {}
    virtual void DrawDisabledFocus();
    virtual void DrawEmptyText();
    virtual void SetEditRect();
    virtual void UpdateButtonPosition();
    virtual void SetSelectionColorStyle(advdropdown::TSelectionColorStyle Value);
    virtual void DrawSelectionBackground(TCanvas* Canvas, const TRect& R, TColor CornerColor, int Position);
    virtual void DrawSelectionGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                                       advdropdown::TGradientDirection Direction);

    // ---- For pickers ----
    void ResetDropDownSize();
    // Shows the popup once more at 1 x 1 at each opening, so that its shadow is drawn.
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    // Gives an item selector's appearance the hot and selected colours of a style; nothing for
    // nullptr or a value outside the styles.
    void ApplyItemAppearanceStyle(TItemAppearance* Appearance, TTesselStyle AStyle);
    TRect GetEditRect() const { return FEditRect; }
    advdropdown::TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(advdropdown::TDropDownEditType Value);
    short Precision() const { return FPrecision; }
    void SetPrecision(short Value);
    double FloatValue() const { return GetFloatValue(); }
    double GetFloatValue() const;
    void SetFloatValue(double Value);
    void SetIntValue(int Value);
    // Puts a text into the edit through the masked edit's writer, without prefix, suffix or
    // formatting.
    void SetRawText(const String& Value);
    // Nothing while loading, without typing or read-only.
    void SetModified(bool Value);
    TControl* Control() const { return FControl; }
    // The control the popup shows; dropped when it is freed.
    void SetControl(TControl* Value);
    void SetFocusControl(TWinControl* Value);
    void HeaderChanged(TObject* Sender);
    void FooterChanged(TObject* Sender);
    void LabelFontChanged(TObject* Sender);
    void CreateLabel();
    void UpdateLabel();
    void PaintBorder();
    void DropButtonClick(TObject* Sender);

    // ---- Hooks and messages ----
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void DoEnter() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Dispatch(TMessage& Message) override;
    void WMKeyDown(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMCopy(TMessage& Message);
    void WMPaste(TMessage& Message);
    void CNCommand(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);

    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    TControl* FControl = nullptr;
    TWinControl* FFocusControl = nullptr;
    String FOldText;  // last written through SetText; a cancelled close puts it back

private:
    friend class TDropDownForm;
    friend class TAdvDropDownSpeedButton;

    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    advdropdown::TDropPosition FDropPosition = advdropdown::dpAuto;
    TCustomImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    String FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = clWhite;
    TColor FDropDownBorderColor = clBlack;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TAdvButtonAppearance> FButtonAppearance;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = clNone;
    TColor FSelectionColorTo = clNone;
    advdropdown::TSelectionColorStyle FSelectionColorStyle = advdropdown::scOffice2007;
    advdropdown::TDropDownEditType FEditType = advdropdown::etString;
    short FLengthLimit = 0;
    short FPrecision = 0;
    String FPrefix;
    String FSuffix;
    bool FSigned = false;
    bool FReturnIsTab = false;
    bool FIsThemed = false;
    bool FBlockChange = false;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    String FValidChars;
    bool FBlockCopy = false;
    bool FDoShowBusy = false;
    bool FButtonDown = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    TRect FEditRect;
    bool FDropDownEnabled = true;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TTesselStyle FTesselStyle = tsOffice2007Luna;
    int FLabelMargin = 0;
    advdropdown::TLabelPosition FLabelPosition = advdropdown::lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    std::unique_ptr<TFont> FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    bool FLblUpdate = false;
    int FLblFntHeight = 0;
    TFontStyles FEmptyTextStyle;
    String FEmptyText;
    bool FEmptyTextFocused = false;
    int FChangeCount = 0;  // edit text changes, to tell one typed character's from none

    // Popup steps (AdvDropDown_Popup.cpp).
    TPoint popupAnchor() const;
    TPoint placePopup(const TPoint& Anchor, int PopupHeight) const;
    void connectControlKeys();
    void cancelHints();

    // Typed entry (AdvDropDown_Typed.cpp).
    String valueOf(const String& Raw) const;
    int valueCaret() const;
    String selectedValue() const;
    bool wholeValueSelected() const;
    double valueToFloat(const String& S) const;
    void applyThousandSeparators();
    int digitsBeforeDecimal(const String& S) const;
    int decimalPos() const;
    bool isSignKey(Char C) const;
    bool isSeparatorMisplaced(const String& S, int Caret) const;
    bool areDecimalsFull(const String& S, int Caret) const;
    void toggleSign(bool WholeSelectedCase);
    bool filterChar(Char& Key, LPARAM KeyData, bool Ctrl);
    bool filterByType(Char& Key);
    bool filterNumericChar(Char& Key);
    void afterTyped(Char Key);
    void deleteNow();
    bool protectKeyDown(Word& Key, TShiftState Shift);
    void reformatOnExit();
    String pasteCandidate(const String& Clip, int& NewSelStart, int& NewSelLength) const;
    bool acceptPaste(const String& Candidate, const String& Clip);

    // Decorations (AdvDropDown_Decorations.cpp).
    void paintFrame(HDC DC, const TRect& R, TColor Color);
    bool hot() const;
    bool disabledFocusShown();

    // Keys and mouse (AdvDropDown_Keys.cpp).
    bool handleDropKeys(Word Key, bool AltDown);
    void adjustCaretAfterClick();
    TCustomForm* containingForm() const;
    bool designing() const { return ComponentState().Contains(csDesigning); }
    bool loading() const { return ComponentState().Contains(csLoading); }
};

// The same class with its properties published.
class TAdvDropDown : public TAdvCustomDropDown {
public:
    using TAdvCustomDropDown::TAdvCustomDropDown;
};
