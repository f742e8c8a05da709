// TAdvEdit: the library's single-line edit. An edit type restricts and formats what the field
// holds (integer, float, money, hexadecimal, range list, case, password, character sets), a fixed
// Prefix and Suffix stand around the value, limits validate it, and a family of options shapes
// the look: focus and error colours, a flat or custom border, a grey empty text, an error
// underline, a URL look, an attached label in fifteen places, a lookup popup, persistence of the
// value, and text dragged in and out.
//
// Terms: the window text is what the editor holds (prefix, value and suffix); the value text is
// Text (the window text without them). TS and DS are the program-wide thousand and decimal
// separators, read at each use. Character positions are 1-based in texts and 0-based for the
// caret, as the editor counts them.
//
// The class is split by concern: AdvEdit.cpp (life cycle, properties), AdvEdit_Value.cpp (the
// value, validation, focus), AdvEdit_Paint.cpp (look, label, mouse), AdvEdit_Keys.cpp (typing,
// clipboard), AdvEdit_Lookup.cpp (popup, persistence), AdvEdit_Drop.cpp (drag and drop).
#pragma once

#include "components/controls/LabelPlace.h"
#include "components/graphics/ComponentVersion.h"
#include "framework/rtl/List.h"
#include "framework/rtl/Variant.h"
#include "framework/ui/HintWindow.h"
#include "framework/ui/StdCtrls.h"

#include <cstdint>
#include <memory>

class TCustomIniFile;
class TEditDropTarget;

enum TAdvEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars,
    etInvalidChars
};
enum TEditAlign { eaLeft, eaRight, eaDefault, eaCenter };
enum TPrecisionDisplay { pdNormal, pdShortest };
enum TValueSeparator { vsBracket, vsSquareBracket, vsLargerSmaller, vsNone };
enum TPersistenceLocation { plInifile, plRegistry };

using TValueValidateEvent = std::function<void(TObject* Sender, String Value, bool& IsValid)>;
using TClipboardEvent = std::function<void(TObject* Sender, String Value, bool& Allow)>;
using TClipboardAllowEvent = std::function<void(TObject* Sender, String& Value, bool& Allow)>;
using TLookupSelectEvent = std::function<void(TObject* Sender, String& Value)>;
using TLookupIndexSelectEvent = std::function<void(TObject* Sender, int Index, String& Value)>;
using TLookupNeedDataEvent = std::function<void(TObject* Sender, String Value, TStrings* List, int& ItemIndex)>;
using TURLClickEvent = std::function<void(TObject* Sender, String URL, bool& Show)>;

// Where a label of LabelWidth x LabelHeight goes beside an edit at Edit (its parent's
// coordinates): CaptionWidth is the caption's measured width, Margin the gap, Border 2 for an
// edit with a single border (vertical centring leaves it out).
TRect LabelPlacement(advedit::TLabelPosition Position, int CaptionWidth, int LabelWidth, int LabelHeight,
                     const TRect& Edit, int Margin, int Border);

// ---------------------------------------------------------------------------------------------
// The value model, without a window (AdvEdit_Value.cpp).

// 0 integer, 1 float, 2 other, 5 hexadecimal; by the separators of the moment.
int ClassifyValueText(const String& S);
String StripThousandSeparators(const String& S);
// TS removed, then the float conversion with DS; 0 when it does not convert.
double EditTextToFloat(const String& S);
// '0'..'9', 'A'..'F', 'a'..'f' give their value; anything else 0 (so a '-' counts as a 0 digit).
int HexDigitValue(Char C);
int HexTextToInt(const String& S);
// Words capitalised, the rest lower-cased, with the "Mc", "Mac", " I" and " II" rules.
String ToMixedCase(const String& S);

// A list of integers: ranges written as "1-3,5;7".
class TRangeList : public TList {
public:
    // A value already present is not added again.
    void Add(int Value);
    // Value .. Value + Count - 1.
    void AddMultiple(int Value, int Count);
    void Delete(int Index) { TList::Delete(Index); }
    bool InList(int Value) const;
    int Items(int Index) const;
    void SetItems(int Index, int Value);
    // Each value as a line of debug output.
    void Show() const;
    // Clears the list and reads items ended by ',' or ';': "a-b" adds a to b (when b >= a), a
    // number adds itself. False when an item failed to convert (the rest is still read).
    bool StrToList(const String& S);
    // Ascending, then runs of consecutive values as "a-b" joined by ","; "" for an empty list.
    String ToRangeText();
};

// ---------------------------------------------------------------------------------------------
// Settings objects

class TLookupSettings : public TPersistent {
public:
    TLookupSettings();
    ~TLookupSettings() override;

    TStringList* DisplayList() const { return FDisplayList.get(); }
    void SetDisplayList(TStrings* Value);
    TStringList* ValueList() const { return FValueList.get(); }
    void SetValueList(TStrings* Value);
    int DisplayCount() const { return FDisplayCount; }  // default 4
    void SetDisplayCount(int Value) { FDisplayCount = Value; }
    TColor Color() const { return FColor; }  // default clWindow
    void SetColor(TColor Value) { FColor = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Characters typed before the popup shows; values <= 0 are ignored.
    int NumChars() const { return FNumChars; }  // default 2
    void SetNumChars(int Value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    // The value is added to DisplayList when the edit loses the focus.
    bool History() const { return FHistory; }
    void SetHistory(bool Value) { FHistory = Value; }
    bool Multi() const { return FMulti; }
    void SetMulti(bool Value) { FMulti = Value; }
    Char Separator() const { return FSeparator; }  // default ';'
    void SetSeparator(Char Value) { FSeparator = Value; }
    bool AcceptOnTab() const { return FAcceptOnTab; }
    void SetAcceptOnTab(bool Value) { FAcceptOnTab = Value; }
    bool ShowValue() const { return FShowValue; }
    void SetShowValue(bool Value) { FShowValue = Value; }
    bool SearchValue() const { return FSearchValue; }
    void SetSearchValue(bool Value) { FSearchValue = Value; }
    TFont* Font() const { return FFont.get(); }  // Arial, 8 points
    void SetFont(TFont* Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value) { FSpacing = Value; }
    TValueSeparator ValueSeparator() const { return FValueSeparator; }  // default vsBracket
    void SetValueSeparator(TValueSeparator Value) { FValueSeparator = Value; }

    void AddPair(const String& DisplayText, const String& Value);
    void Assign(TPersistent* Source) override;

private:
    std::unique_ptr<TStringList> FDisplayList;
    std::unique_ptr<TStringList> FValueList;
    int FDisplayCount = 4;
    TColor FColor = clWindow;
    bool FEnabled = false;
    int FNumChars = 2;
    bool FCaseSensitive = false;
    bool FHistory = false;
    bool FMulti = false;
    Char FSeparator = u';';
    bool FAcceptOnTab = false;
    bool FShowValue = false;
    bool FSearchValue = false;
    std::unique_ptr<TFont> FFont;
    int FSpacing = 0;
    TValueSeparator FValueSeparator = vsBracket;
};

class TPersistence : public TPersistent {
public:
    bool Enable() const { return FEnable; }
    void SetEnable(bool Value) { FEnable = Value; }
    // The INI file (empty: the program's path with ".INI") or the registry key.
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    const String& Section() const { return FSection; }
    void SetSection(const String& Value) { FSection = Value; }
    TPersistenceLocation Location() const { return FLocation; }  // default plInifile
    void SetLocation(TPersistenceLocation Value) { FLocation = Value; }

    void Assign(TPersistent* Source) override;

private:
    bool FEnable = false;
    String FKey;
    String FSection;
    TPersistenceLocation FLocation = plInifile;
};

// The store a persistence setting names: a registry key shown as an INI file, or an INI file.
std::unique_ptr<TCustomIniFile> OpenPersistStore(TPersistenceLocation Location, const String& Key);
// The INI file a component keeps its value in when no key is given: the program's path with ".INI".
String DefaultPersistIniName();

// The list inside the lookup popup.
class TListBoxTab : public TListBox {
public:
    explicit TListBoxTab(TComponent* AOwner) : TListBox(AOwner) {}
    // Asks for the Tab key.
    bool HandleTab() const { return FHandleTab; }
    void SetHandleTab(bool Value) { FHandleTab = Value; }

protected:
    void Dispatch(TMessage& Message) override;

private:
    bool FHandleTab = false;
};

// The lookup popup: topmost, never activated, bordered; the bottom-right 10 x 10 pixels size it.
class TListHintWindow : public THintWindow {
public:
    explicit TListHintWindow(TComponent* AOwner);
    TListBox* ListControl() const { return FListControl; }
    void SetListControl(TListBox* Value) { FListControl = Value; }

protected:
    void Dispatch(TMessage& Message) override;
    void Paint() override;

private:
    TListBox* FListControl = nullptr;
};

// The label an edit keeps beside it.
class TAdvEditLabel : public TLabel {
public:
    explicit TAdvEditLabel(TComponent* AOwner) : TLabel(AOwner) {}
    // Stays enabled when the edit is disabled.
    bool AlwaysEnable() const { return FAlwaysEnable; }
    void SetAlwaysEnable(bool Value) { FAlwaysEnable = Value; }
    void SetEnabled(bool Value) override;

private:
    bool FAlwaysEnable = false;
};

// ---------------------------------------------------------------------------------------------

class TAdvEdit : public TCustomEdit {
public:
    explicit TAdvEdit(TComponent* AOwner);
    ~TAdvEdit() override;
    void BeforeDestruction() override;

    // --- The value (AdvEdit_Value.cpp)
    // The window text without prefix and suffix; writing formats by the edit type.
    String Text() const;
    void SetText(const String& Value);
    TAdvEditType EditType() const { return FEditType; }  // default etString
    void SetEditType(TAdvEditType Value);
    // Decimals of float and money values; stored only for etString, etFloat and etMoney.
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    TPrecisionDisplay PrecisionDisplay() const { return FPrecisionDisplay; }
    void SetPrecisionDisplay(TPrecisionDisplay Value);
    // Fixed texts around the value; changing one keeps the value.
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& Value);
    const String& Suffix() const { return FSuffix; }
    void SetSuffix(const String& Value);
    // Numeric types accept a minus sign typed or pasted.
    bool Signed() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    // Numeric types may be empty.
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
    // Both 0: no limit.
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value) { FMinValue = Value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { FMaxValue = Value; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double Value) { FMinFloatValue = Value; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double Value) { FMaxFloatValue = Value; }
    // Shows the error state (IsError) in ErrorColor and ErrorFontColor.
    bool ShowError() const { return FShowError; }
    void SetShowError(bool Value) { FShowError = Value; }
    // Colours the font by Modified.
    bool ShowModified() const { return FShowModified; }
    void SetShowModified(bool Value) { FShowModified = Value; }
    TColor ModifiedColor() const { return FModifiedColor; }  // default clHighlight
    void SetModifiedColor(TColor Value) { FModifiedColor = Value; }
    TColor ErrorColor() const { return FErrorColor; }  // default clRed
    void SetErrorColor(TColor Value) { FErrorColor = Value; }
    TColor ErrorFontColor() const { return FErrorFontColor; }  // default clWhite
    void SetErrorFontColor(TColor Value) { FErrorFontColor = Value; }
    // Money and float texts grouped with TS; a change regroups the text.
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }  // default true
    void SetAutoThousandSeparator(bool Value);
    double FloatValue() const;
    void SetFloatValue(double Value);
    int IntValue() const;
    void SetIntValue(int Value);
    // etNumeric: IntValue; etFloat: FloatValue; other types: Text.
    Variant Value() const;
    void SetValue(const Variant& Value);
    bool Modified() const { return FIsModified; }
    void SetModified(bool Value);
    bool IsError() const { return FError; }
    void SetIsError(bool Value);
    // The value text when the edit last got the focus (Escape goes back to it).
    const String& OrigText() const { return FOldString; }
    String Version() const { return VersionText(GetVersionNr()); }
    void SetVersion(const String&) {}

    // --- Typing and the clipboard (AdvEdit_Keys.cpp)
    bool EditorEnabled() const { return FEditorEnabled; }  // default true
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    // Return and Escape follow the edit's own rules (posted to the parent, Escape restores).
    bool DefaultHandling() const { return FDefaultHandling; }  // default true
    void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
    // Escape restores OrigText; never for etPassword.
    bool CanUndo() const { return FCanUndo; }  // default true
    void SetCanUndo(bool Value);
    // A limit on the integer part (the whole value for types without DS); 0: none.
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int Value) { FLengthLimit = static_cast<std::int16_t>(Value); }
    // The focus moves on when typing (or a paste) fills LengthLimit.
    bool TabOnFullLength() const { return FTabOnFullLength; }
    void SetTabOnFullLength(bool Value) { FTabOnFullLength = Value; }
    // The keypad's decimal key types DS.
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    const String& InvalidChars() const { return FInvalidChars; }
    void SetInvalidChars(const String& Value) { FInvalidChars = Value; }
    Word ReturnAsTabKey() const { return FReturnAsTabKey; }  // default 9
    void SetReturnAsTabKey(Word Value) { FReturnAsTabKey = Value; }

    // --- Look, label and mouse (AdvEdit_Paint.cpp)
    // The control colour, and the colour shown while not focused.
    void SetColor(TColor Value);
    TColor FocusColor() const { return FFocusColor; }  // clNone: unchanged
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    TColor FocusFontColor() const { return FFocusFontColor; }  // default clWindowText
    void SetFocusFontColor(TColor Value) { FFocusFontColor = Value; }
    // A 3-D border on hover and focus.
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // Always the 3-D edge.
    bool Border3D() const { return FBorder3D; }
    void SetBorder3D(bool Value);
    // The flat look draws a box instead of a bottom line.
    bool SoftBorder() const { return FSoftBorder; }
    void SetSoftBorder(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor FlatLineColor() const { return FFlatLineColor; }  // default clBlack
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }  // default true
    void SetFlatParentColor(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TColor DisabledColor() const { return FDisabledColor; }  // default clSilver
    void SetDisabledColor(TColor Value);
    TColor DisabledTextColor() const { return FDisabledTextColor; }  // clNone: the platform's
    void SetDisabledTextColor(TColor Value);
    bool DisabledBorder() const { return FDisabledBorder; }  // default true
    void SetDisabledBorder(bool Value);
    // Grey text shown while the value is empty.
    const String& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const String& Value);
    TFontStyles EmptyTextStyle() const { return FEmptyTextStyle; }
    void SetEmptyTextStyle(TFontStyles Value);
    bool EmptyTextFocused() const { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool Value) { FEmptyTextFocused = Value; }
    // The red zig-zag under characters ErrorMarkerPos .. + ErrorMarkerLen - 1.
    int ErrorMarkerPos() const { return FErrorMarkerPos; }
    void SetErrorMarkerPos(int Value);
    int ErrorMarkerLen() const { return FErrorMarkerLen; }
    void SetErrorMarkerLen(int Value);
    bool ShowURL() const { return FShowURL; }
    void SetShowURL(bool Value);
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value) { FURLColor = Value; }
    TEditAlign EditAlign() const { return FEditAlign; }  // default eaLeft
    void SetEditAlign(TEditAlign Value);
    // The alignment while focused; eaDefault: unchanged.
    TEditAlign FocusAlign() const { return FFocusAlign; }
    void SetFocusAlign(TEditAlign Value) { FFocusAlign = Value; }
    // Pixels added to the width while focused.
    int FocusWidthInc() const { return FFocusWidthInc; }
    void SetFocusWidthInc(int Value) { FFocusWidthInc = Value; }
    // A value wider than the control shows in the hint.
    bool HintShowLargeText() const { return FHintShowLargeText; }
    void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
    // Takes the focus when the pointer enters.
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    // The label is bold while the edit has the focus.
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    advedit::TLabelPosition LabelPosition() const { return FLabelPosition; }  // default lpLeftTop
    void SetLabelPosition(advedit::TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }  // default 4
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* Value);
    // The label, nullptr until LabelCaption is first written.
    TAdvEditLabel* EditLabel() const { return FLabel; }

    // --- Lookup and persistence (AdvEdit_Lookup.cpp)
    TLookupSettings* Lookup() const { return FLookup.get(); }
    void SetLookup(TLookupSettings* Value) { FLookup->Assign(Value); }
    TPersistence* Persistence() const { return FPersistence.get(); }
    void SetPersistence(TPersistence* Value) { FPersistence->Assign(Value); }
    // Lookup matches anywhere in a text, not only at its start.
    bool FullTextSearch() const { return FFullTextSearch; }
    void SetFullTextSearch(bool Value) { FFullTextSearch = Value; }
    bool LookupVisible() const;
    TListHintWindow* LookupList() const { return FLookupList; }
    TListBoxTab* LookupListBox() const { return FLookupListBox; }

    // --- Drag and drop (AdvEdit_Drop.cpp)
    // Text can be dropped in.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    // The selection can be dragged out.
    bool OleDropSource() const { return FOleDropSource; }
    void SetOleDropSource(bool Value) { FOleDropSource = Value; }
    // The drop caret, (-1, -1) when hidden.
    TPoint DropCaretPos() const { return FCaretPos; }

    TValueValidateEvent OnValueValidate;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TClipboardAllowEvent OnClipboardCanPaste;
    TLookupSelectEvent OnLookupSelect;
    TLookupIndexSelectEvent OnLookupIndexSelect;
    TLookupNeedDataEvent OnLookupNeedData;
    TURLClickEvent OnURLClick;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void Clear();
    // Selects the value (after the prefix; after "://" or "mailto:" with ShowURL).
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    // Takes the current colours, border and flat look as the normal ones.
    void Init();
    // Stores Value as OrigText, then writes Text.
    void SetEditText(const String& Value);
    // The pixel width of the value text in the edit's font.
    int GetTextSize();
    // The character nearest to a client point, and the client position of a character (past
    // the end: right of the last one; (0, 0) for an empty text).
    int CharFromPos(const TPoint& Pt);
    TPoint PosFromChar(int Index);
    void RangeStrToList(TRangeList* RangeList);
    // Writes the list as the window text ('1-3,5'); an empty list writes an empty text.
    void ListToRangeStr(TRangeList* RangeList);

    virtual int GetVersionNr() const { return 0x03040101; }
    virtual bool ValidateValue(const String& Value);
    virtual void DoValueValidate(const String& Value, bool& IsValid);
    virtual bool IsUrlText(const String& Value) const;
    virtual void DoLookupNeedData(const String& Value, TStrings* List, int& ItemIndex);
    virtual void LoadPersist();
    virtual void SavePersist();

    // What a user's actions do, for code and tests that drive the edit directly.
    void UpdateLookup();
    void AcceptLookup();
    void CloseLookup();
    void RegroupMoneyText();
    // Moves the drop caret to the character under a screen point.
    void TrackDropCaret(const TPoint& ScreenPoint);
    void HideDropCaret();
    // Inserts a dropped text at the character under a client point, by the rules of a paste.
    void DropText(const TPoint& ClientPoint, String S);

    // The label follows the edit's parent, place and enabled state.
    void SetEnabled(bool Value) override;
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void Change() override;
    void ChangeScale(int M, int D) override;
    void DoEnter() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMSysKeyDown(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMCopy(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void CNCommand(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void CMHintShow(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);

    // The edit rectangle for the flat or the normal look, with the margins below.
    void SetFlatRect(bool Flat);
    // Sets the edit rectangle R (window coordinates). Inside a sunken border the platform's edit
    // keeps its text a pixel off every side of the rectangle it is given (off the top and bottom
    // only while the line has room), as it does with its own rectangle.
    void applyEditRect(TRect R);
    void UpdateLabel();
    void UpdateLabelPos();
    void UpdateErrorColors();
    void ApplyURLLook(bool On);
    void PaintOverlay(HDC DC);
    void PaintBorder(HDC DC);
    void DrawBorder(HDC DC);
    void DrawErrorMarker(HDC DC, int Pos, int Len);
    bool Is3DBorderState() const;
    // The integer part's end (1-based, past its last character) and the position of DS (caret
    // units; the value's end when there is none), both counted in the window text.
    int IntegerPartEnd(const String& Value) const;
    int DecimalSeparatorPos() const;
    bool IsSignedMinus(Char Key) const;
    bool DecimalsFull(const String& S, int Caret) const;
    bool SeparatorMisplaced(const String& S, int Caret) const;
    // The window text as the editor holds it.
    String WindowText() const { return TCustomEdit::Text(); }
    void SetWindowText(const String& Value) { TCustomEdit::SetText(Value); }

    // Margins of the edit rectangle: the button edit keeps room for its button on the right.
    int FIndentL = 0;
    int FIndentR = 0;
    // Swallows the next special-key query (the button edit sets it around its dialog).
    bool FBlockDefaultHandling = false;
    bool FEditorEnabled = true;

private:
    friend class TEditDropTarget;
    bool FAlignChanging = false;
    TAdvEditLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FLabelFont;
    advedit::TLabelPosition FLabelPosition = advedit::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FAutoFocus = false;
    bool FCanUndo = true;
    TAdvEditType FEditType = etString;
    TEditAlign FEditAlign = eaLeft;
    TEditAlign FOldEditAlign = eaLeft;
    TBorderStyle FOldBorder = bsSingle;
    bool FExcelStyleDecimalSeparator = false;
    bool FTabOnFullLength = false;
    TColor FDisabledColor = clSilver;
    TColor FDisabledTextColor = clNone;
    bool FDisabledBorder = true;
    TColor FNormalColor = clWindow;
    TColor FFocusColor = clNone;
    TColor FFocusFontColor = clWindowText;
    TColor FErrorColor = clRed;
    TColor FErrorFontColor = clWhite;
    bool FError = false;
    bool FFocusLabel = false;
    TColor FFontColor = clWindowText;
    TColor FModifiedColor = clHighlight;
    bool FReturnIsTab = false;
    bool FShowModified = false;
    bool FIsModified = false;
    bool FShowURL = false;
    TColor FURLColor = clBlue;
    int FFocusWidthInc = 0;
    TEditAlign FFocusAlign = eaDefault;
    std::int16_t FLengthLimit = 0;
    std::int16_t FPrecision = 0;
    TPrecisionDisplay FPrecisionDisplay = pdNormal;
    String FPrefix;
    String FSuffix;
    String FOldString;
    bool FSigned = false;
    bool FIsUrl = false;
    bool FFlat = false;
    bool FMouseInControl = false;
    TColor FFlatLineColor = clBlack;
    std::unique_ptr<TPersistence> FPersistence;
    bool FBlockCopy = false;
    bool FFlatParentColor = true;
    bool FTransparent = false;
    TPoint FCaretPos{-1, -1};
    bool FOleDropSource = false;
    bool FOleDropTarget = false;
    bool FOleDropTargetAssigned = false;
    bool FIsDragSource = false;
    bool FButtonDown = false;
    bool FFocusBorder = false;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FHintShowLargeText = false;
    bool FShowError = false;
    bool FAutoThousandSeparator = true;
    String FEmptyText;
    bool FEmptyTextFocused = false;
    TFontStyles FEmptyTextStyle;
    bool FSoftBorder = false;
    bool FDefaultHandling = true;
    bool FLabelAlwaysEnabled = false;
    bool FBorder3D = false;
    int FErrorMarkerLen = 0;
    int FErrorMarkerPos = 0;
    int FLoadedHeight = 0;
    TListHintWindow* FLookupList = nullptr;
    TListBoxTab* FLookupListBox = nullptr;
    std::unique_ptr<TLookupSettings> FLookup;
    bool FIsValidating = false;
    String FValidChars;
    String FInvalidChars;
    bool FIsWinXP = true;
    bool FIsThemed = true;
    bool FBlockChange = false;
    bool FAllowNumericNullValue = false;
    bool FFullTextSearch = false;
    bool FDesignTime = false;
    Word FReturnAsTabKey = 9;
    int FMinValue = 0;
    int FMaxValue = 0;
    double FMinFloatValue = 0;
    double FMaxFloatValue = 0;
    bool FGotReturn = false;
    int FLblFntHeight = 0;
    bool FLblUpdate = false;
    bool FDestroying = false;
    std::unique_ptr<TEditDropTarget> FDropTarget;

    bool FFocused = false;
    bool FMovedBySelf = false;

    // What an insertion did: refused by a handler, refused by the type's rules, or done.
    enum class TInsertResult { Disallowed, Refused, Inserted };

    void createLabel();
    void labelFontChanged();
    void createLookupPopup();
    void lookupListKeyPress(Char& Key);
    void lookupListMouseUp();
    void moveLookupSelection(Word Key);
    void hideLookupUnlessFocused(HWND Receiving);
    int valueEnd() const { return static_cast<int>(FPrefix.size() + Text().size()); }
    bool keepsEmptyValue() const;
    String precisionFormat(Char Type) const;
    void setSelection(int Anchor, int Caret);
    void applyAlignment(TEditAlign Value);
    void applyFlat(bool On);
    void handleChar(TMessage& Message);
    bool typeRule(Char Key, TMessage& Message);
    void dropChar(TMessage& Message);
    void signToggle(bool HoldPrecision);
    bool separatorAndSignRules(Char Key, TMessage& Message, bool& Stop);
    bool floatRules(Char Key, TMessage& Message);
    bool moneyRules(Char Key, TMessage& Message);
    void charTail();
    void moveToNextControl();
    String selectedValue() const;
    TInsertResult insertText(const String& Source, bool FirePasteEvents);
    void postKeyToParent(UINT Msg, Word Key);
    void revokeDropTarget();
    bool goingAway() const;
    void createWndDropTarget();
    void invalidateCaretAt(const TPoint& P);
};
