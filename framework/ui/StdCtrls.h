// Standard controls: label, static text, check box, edit, memo, combo box and scroll bar. Labels,
// static texts, check boxes and scroll bars are painted by the library; the edit, the memo and the
// combo box wrap Qt's editors.
#pragma once

#include "framework/rtl/StringList.h"
#include "framework/ui/Controls.h"
#include "framework/ui/StdCtrlsTypes.h"

#include <memory>

// Edit messages, with the platform's numbers. WM_SETTEXT takes a const String* in LParam;
// WM_GETTEXT copies at most WParam - 1 characters into the String* in LParam.
inline constexpr UINT EM_GETSEL = 0x00B0;  // WParam, LParam: DWORD* or 0; Result MAKELONG(start, end)
inline constexpr UINT EM_SETSEL = 0x00B1;  // anchor WParam, caret LParam; (0, -1) all, (-1, x) none
// The formatting rectangle: where the text is laid out, in client coordinates (the border the
// edit paints lies inside the client area). LParam: TRect*. EM_SETRECT redraws, EM_SETRECTNP
// does not; a null rectangle restores the default. A new size restores the default too.
inline constexpr UINT EM_GETRECT = 0x00B2;
inline constexpr UINT EM_SETRECT = 0x00B3;
inline constexpr UINT EM_SETRECTNP = 0x00B4;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LINEFROMCHAR = 0x00C9;  // WParam: index, -1 the caret's line
inline constexpr UINT EM_REPLACESEL = 0x00C2;    // LParam: const String*
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
// Client position of character WParam as MAKELONG(x, y) (signed words; x is negative when the
// text is scrolled past it); -1 for an index at or past the end. Positions follow the
// formatting rectangle, the alignment and the scroll offset, as the text is drawn.
inline constexpr UINT EM_POSFROMCHAR = 0x00D6;
// The character nearest to the client point in LParam (MAKELPARAM(x, y)): MAKELONG(index, line).
inline constexpr UINT EM_CHARFROMPOS = 0x00D7;
// Sent to the edit itself as CN_COMMAND (WParam MAKEWPARAM(0, EN_CHANGE), LParam the window)
// after every change of the text, typed or written from code; TCustomEdit's handler calls
// Change. A class that swallows one change handles it without calling the inherited handler.
inline constexpr Word EN_CHANGE = 0x0300;

// Draws Text in Rect as a label does: "&" marks the next character (underlined) when
// ShowAccelChar is set and "&&" is "&"; WordWrap breaks lines at blanks; returns the rectangle
// the text takes (placed by Alignment and Layout). With CalcOnly nothing is drawn.
TRect DrawLabelText(TCanvas* Canvas, const String& Text, const TRect& Rect, TAlignment Alignment, TTextLayout Layout,
                    bool WordWrap, bool ShowAccelChar, bool CalcOnly = false);

// ---------------------------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    ~TCustomLabel() override;

    // Size follows the text (height only with WordWrap); the edge Alignment names stays put.
    bool AutoSize() const { return FAutoSize; }  // default true
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    // Transparent: the parent shows through instead of Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }  // default true
    void SetShowAccelChar(bool Value);
    // Takes focus when the label's accelerator key is pressed; dropped when freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // Sizes the label to its text when AutoSize is set.
    void AdjustBounds();

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);

private:
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------------------------------------

class TCustomStaticText : public TCustomControl {
public:
    explicit TCustomStaticText(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }  // default true
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // sbsSingle: a one-pixel frame; sbsSunken: a sunken edge. Either takes one pixel per side.
    TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TStaticBorderStyle Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }  // default true
    void SetShowAccelChar(bool Value);

    void AdjustBounds();

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);

private:
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TStaticBorderStyle FBorderStyle = sbsNone;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    int borderSize() const { return FBorderStyle == sbsNone ? 0 : 1; }
};

class TStaticText : public TCustomStaticText {
public:
    using TCustomStaticText::TCustomStaticText;
};

// ---------------------------------------------------------------------------------------------

class TCustomCheckBox : public TCustomControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    // Writing a new value from code fires OnClick, as a click does.
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    // Clicks cycle unchecked -> checked -> grayed when set; code may set cbGrayed either way.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    // taRightJustify: box on the left, caption to its right; taLeftJustify: caption on the left.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // The box's rectangle in client coordinates.
    TRect BoxRect() const;

protected:
    // Moves to the next state, as a click does.
    virtual void Toggle();
    void Click() override;
    void Paint() override;
    void KeyPress(Char& Key) override;
    void Dispatch(TMessage& Message) override;
    void CMTextChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    // WM_SETFOCUS and WM_KILLFOCUS: the focus rectangle around the caption comes and goes.
    void WMFocusChanged(TMessage& Message);

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
    bool FWordWrap = false;
    bool FClicksDisabled = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};

// ---------------------------------------------------------------------------------------------

struct TEditState;  // framework-internal: what the editor holds while it has no window

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    // 0: no limit. Limits typing; text set from code is kept whole.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Shows every character as this one; #0 shows the text.
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // Selects the whole text when the edit gets focus.
    bool AutoSelect() const { return FAutoSelect; }  // default true
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // Height follows the font.
    bool AutoSize() const { return FAutoSize; }  // default true
    void SetAutoSize(bool Value);
    // The edit paints its own border inside its bounds: bsSingle is a sunken 3-D edge (2 pixels)
    // with Ctl3D and a 1-pixel frame without it; bsNone none (see BorderSize and WM_NCPAINT).
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // bsNone or bsSingle
    void SetBorderStyle(TBorderStyle Value);
    bool Ctl3D() const { return FCtl3D; }  // default true
    void SetCtl3D(bool Value);
    // Changed in place: the window is not made again.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    // Set by typing and by EM_SETMODIFY; text written from code clears it.
    bool Modified() const;
    void SetModified(bool Value);
    // Character positions, 0-based.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    String SelText() const;
    void SetSelText(const String& Value);

    // Fires for typing and for text written from code.
    TNotifyEvent OnChange;

    void SelectAll();
    void ClearSelection();
    void Clear();
    // The width of the border on each side (0, 1 or 2).
    int BorderSize() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const;
    void ClearUndo();

protected:
    virtual void Change();
    void CreateWnd() override;
    void DestroyWnd() override;
    void DoEnter() override;
    String RealGetText() const override;
    void RealSetText(const String& Value) override;
    // Paints the border after the background (WM_NCPAINT with the paint context).
    void PaintWindow(HDC DC) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void WMSetText(TMessage& Message);
    void WMGetText(TMessage& Message);
    void WMSize(TMessage& Message);
    // WParam: the context to paint the border on (the control's own painting passes it); 0
    // repaints the control.
    void WMNCPaint(TMessage& Message);
    void EMGetSel(TMessage& Message);
    void EMSetSel(TMessage& Message);
    void EMReplaceSel(TMessage& Message);
    void EMGetRect(TMessage& Message);
    void EMSetRect(TMessage& Message);
    void EMPosFromChar(TMessage& Message);
    void EMCharFromPos(TMessage& Message);
    void CNCommand(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    // Off: the editor draws no text, so the control's own painting (under it) shows instead.
    void SetEditorTextVisible(bool Value);
    // Pushes the properties into the Qt editor (called when the window is made and on changes).
    virtual void applyEditorProperties();
    // A memo hosts a multi-line editor.
    virtual bool multiLine() const { return false; }
    // Types Value at the caret as a user would (replacing the selection), within MaxLength.
    void typeText(const String& Value);
    int FMaxLength = 0;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = bsSingle;
    std::unique_ptr<TEditState> FState;
    void updateHeight();
    // Tells the edit its text changed (EN_CHANGE, reflected as CN_COMMAND).
    void notifyChange();

private:
    bool FCtl3D = true;
    TAlignment FAlignment = taLeftJustify;
    bool FEditorTextVisible = true;
    Char FPasswordChar = u'\0';
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    bool FHideSelection = true;

    void saveEditorState();
    void connectEditor();
    String applyCharCase(const String& Value) const;
    // What WM_CHAR and WM_KEYDOWN do when they reach the default handling.
    void typeChar(Char Key);
    void pressEditingKey(Word Key);
    void clipboardMessage(TMessage& Message);
    TRect formatRect() const;
    TRect defaultFormatRect() const;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

// ---------------------------------------------------------------------------------------------

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    // A view of the text, one string per line, kept in step with the editor.
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    bool WordWrap() const { return FWordWrap; }  // default true
    void SetWordWrap(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    // Off: Enter goes to the form (default button) instead of breaking the line.
    bool WantReturns() const { return FWantReturns; }  // default true
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    // On: Tab types a tab instead of moving the focus.
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    // The caret's line and column, 0-based.
    TPoint CaretPos() const;

protected:
    bool multiLine() const override { return true; }
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message);
    void applyEditorProperties() override;

private:
    std::unique_ptr<TStrings> FLines;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

// ---------------------------------------------------------------------------------------------

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// Combo-box messages and the notifications a combo box sends its parent (WM_COMMAND, the code in
// the high word of WParam, the box's window in LParam), with the platform's numbers.
inline constexpr UINT CB_GETLBTEXT = 0x0148;  // WParam index, LParam String*; Result length or CB_ERR
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_SETITEMHEIGHT = 0x0153;  // WParam -1: the selection field; LParam the height
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_SETCURSEL = 0x014E;     // WParam the index; Result it, -1 when out of range
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;  // WParam 1 opens the list, 0 closes it
// WParam the dropped list's width (0: the box's width); Result the width it has now.
inline constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
inline constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
inline constexpr LRESULT CB_ERR = -1;
inline constexpr Word CBN_SELCHANGE = 1;
inline constexpr Word CBN_DBLCLK = 2;
inline constexpr Word CBN_SETFOCUS = 3;
inline constexpr Word CBN_KILLFOCUS = 4;
inline constexpr Word CBN_EDITCHANGE = 5;
inline constexpr Word CBN_EDITUPDATE = 6;
inline constexpr Word CBN_DROPDOWN = 7;
inline constexpr Word CBN_CLOSEUP = 8;

struct TComboState;  // framework-internal: the hosted editor's link

// The combo box: a list of texts to pick from, with an editable text (csDropDown) or the picked
// item's text only (csDropDownList; csSimple and the owner-draw styles behave as csDropDown).
// Writing ItemIndex or Text from code fires no event; a pick by the user (a click on an item of
// the list, Up/Down on the closed box) fires OnClick, then OnChange; typing in a csDropDown box
// fires OnChange. A click on the box opens its list; OnDropDown fires before any list opens,
// OnCloseUp after it closes.
// The parent hears of picks (CBN_SELCHANGE), typing (CBN_EDITCHANGE) and the list opening and
// closing (CBN_DROPDOWN, CBN_CLOSEUP) before the box's own events.
//
// The box paints its frame and drop-down button itself (PaintWindow, on its own canvas), under
// a transparent Qt box that shows the text in the edit field (EditFieldRect) and the list; a
// class that draws more draws it there too. Messages of the edit part (csDropDown, csSimple)
// pass through EditWndProc.
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }  // default csDropDown
    void SetStyle(TComboBoxStyle Value);
    TStrings* Items() const;
    void SetItems(TStrings* Value);
    // -1: nothing picked. Out of range: -1. Follows the text in a csDropDown box.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    // Items shown in the drop-down before it scrolls.
    int DropDownCount() const { return FDropDownCount; }  // default 8
    void SetDropDownCount(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    // A sunken 3-D frame; off: a 1-pixel line.
    bool Ctl3D() const { return FCtl3D; }  // default true
    void SetCtl3D(bool Value);
    // The characters a user may type into the edit part; 0: no limit. A text set from code is
    // kept whole.
    int MaxLength() const { return FMaxLength; }  // default 0
    void SetMaxLength(int Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // What a user's pick of item Index does (the drop-down and the keys end here).
    void SelectItem(int Index);
    void Clear();

protected:
    virtual void Change();
    virtual void Select();
    // The list opens (OnDropDown) and has closed (OnCloseUp).
    virtual void DropDown();
    virtual void CloseUp();
    // Where the drop-down button is painted, in client coordinates (empty for csSimple): inside
    // the frame at the right, the scroll bar's width.
    virtual TRect DropDownButtonRect() const;
    // Where the Qt box shows the text: inside the frame, left of the button.
    virtual TRect EditFieldRect() const;
    // Lays the text out again after the edit field or the button moved.
    void EditFieldChanged();
    // The messages of the edit part (mouse, keys, characters); the default handles them as the
    // box's own, and one that reaches DefaultHandler reaches the edit. A class that keeps one
    // from the edit returns without calling the inherited handler.
    virtual void EditWndProc(TMessage& Message);
    void WndProc(TMessage& Message) override;
    // The frame and the drop-down button.
    void PaintWindow(HDC DC) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    String RealGetText() const override;
    void RealSetText(const String& Value) override;
    void Dispatch(TMessage& Message) override;
    void CMFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    // WM_SETFOCUS and WM_KILLFOCUS: the focus mark of a drop-down list comes and goes.
    void WMFocusChanged(TMessage& Message);
    // Left button down, double click and up: the control's mouse events, then the Qt box.
    void WMLButton(TMessage& Message);
    void CBGetLBText(TMessage& Message);
    void CBSetItemHeight(TMessage& Message);
    void CBSetDroppedWidth(TMessage& Message);

private:
    friend struct TComboState;
    friend struct TComboStyleAccess;
    TComboBoxStyle FStyle = csDropDown;
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    String FEditText;  // the text of a csDropDown box
    int FDropDownCount = 8;
    int FItemHeight = 16;
    int FSelectionFieldHeight = 18;
    int FDroppedWidth = 0;
    int FMaxLength = 0;
    bool FCtl3D = true;
    std::unique_ptr<TComboState> FState;

    void itemsChanged();
    void editorTextTyped(const String& Value);
    // A focused drop-down list whose list is closed shows its selection highlighted, inside a
    // focus rectangle.
    bool showsFocusedSelection() const;
    void paintFocusedSelection(HDC DC);
    void applyEditorProperties();
    // The message was made from input of the edit part.
    bool fromEditPart(const TMessage& Message) const;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

// ---------------------------------------------------------------------------------------------
// Scroll bar

// Scroll codes of WM_HSCROLL and WM_VSCROLL (low word of WParam; the high word carries the thumb
// position for SB_THUMBPOSITION and SB_THUMBTRACK).
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;

// In the order of the SB_ codes.
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum TScrollBarKind { sbHorizontal, sbVertical };
// ScrollPos is the position the step leads to; the handler may change it.
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// Two arrow buttons, the track between them and a thumb whose length shows PageSize against the
// range. Pressing an arrow or the track steps by SmallChange or LargeChange and repeats while
// held; dragging the thumb reports scTrack positions and scPosition on release; every gesture
// ends in scEndScroll. Each step goes through Scroll (OnScroll may change the position) and then
// Position, as do WM_HSCROLL/WM_VSCROLL (and CN_) messages with SB_ codes sent to the bar and the
// arrow, page and Home/End keys.
class TScrollBarLayout;

class TScrollBar : public TCustomControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    ~TScrollBar() override;

    // Changing the kind swaps width and height.
    TScrollBarKind Kind() const { return FKind; }  // default sbHorizontal
    void SetKind(TScrollBarKind Value);
    // Kept within Min .. Max; a change fires OnChange.
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int Min() const { return FMin; }  // default 0
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }  // default 100
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    // Raises EInvalidOperation when AMax < AMin; the position is brought into the range.
    void SetParams(int APosition, int AMin, int AMax);
    // The visible part of the range: the thumb's share of the track. 0 (default): a square thumb.
    // Thumb positions end at Max - PageSize + 1.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }  // default 1
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int LargeChange() const { return FLargeChange; }  // default 1
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // The thumb's position while it is dragged, else Position.
    int TrackPos() const;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    // The parts, in client coordinates: the arrow at the start (Second false) or the end, the track
    // between them and the thumb (empty when the track has no room for it).
    TRect ArrowRect(bool Second) const;
    TRect TrackRect() const;
    TRect ThumbRect() const;
    // One step: the new position (OnScroll may change it), then Position.
    void DoScroll(TScrollCode ScrollCode, int ThumbPos = 0);
    // A step of the user's: reported to the parent, which reflects it back to DoScroll.
    void UserScroll(TScrollCode ScrollCode, int ThumbPos = 0);
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
    virtual void Change();
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    void WMScroll(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMCancelMode(TMessage& Message);

private:
    enum class TPart { None, FirstArrow, SecondArrow, PageBefore, PageAfter, Thumb };

    TScrollBarKind FKind = sbHorizontal;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    TPart FPressed = TPart::None;  // the part the held button acts on
    bool FPressedInside = false;   // the pointer is still over the pressed part
    int FTrackPos = 0;
    int FDragOffset = 0;  // pointer to thumb start, along the bar, while dragging

    int along(int X, int Y) const { return FKind == sbVertical ? Y : X; }
    TScrollBarLayout layout() const;
    TPart partAt(int X, int Y) const;
    int thumbPosAt(int ThumbStart) const;
    void stepPressedPart();
    void endGesture();
};

// ---------------------------------------------------------------------------------------------
// List box

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// A list of texts painted by the library in rows of ItemHeight, one of them selected. The
// owner-draw styles give each row to OnDrawItem (the default row drawing when it is not
// assigned). A vertical scroll bar shows when the rows do not fit. Arrow, page, Home and End
// keys and clicks select; a change of the selection by the user fires OnClick.
class TCustomListBox : public TCustomControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    // Texts with their objects; a change repaints and keeps ItemIndex in range.
    TStrings* Items() const;
    void SetItems(TStrings* Value);
    // -1: none. Setting it scrolls the row into view.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int ItemHeight() const { return FItemHeight; }  // default 13
    void SetItemHeight(int Value);
    TListBoxStyle Style() const { return FStyle; }  // default lbStandard
    void SetStyle(TListBoxStyle Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    // The first row shown.
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    // bsSingle: a sunken edge with Ctl3D, a one-pixel frame without; bsNone: none.
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // default bsSingle
    void SetBorderStyle(TBorderStyle Value);
    bool Ctl3D() const { return FCtl3D; }  // default true
    void SetCtl3D(bool Value);
    int Count() const;

    TDrawItemEvent OnDrawItem;

    // Client rectangle of a row (empty when it is out of view).
    TRect ItemRect(int Index) const;
    // The row at a client point; -1 when none (with Existing), else the nearest row.
    int ItemAtPos(const TPoint& Pos, bool Existing) const;
    // The rows that fit the client area.
    int VisibleRows() const;

protected:
    // The default row: the selection colours when selected, the text 2 pixels in.
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Dispatch(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message);

private:
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FItemHeight = 13;
    TListBoxStyle FStyle = lbStandard;
    int FTopIndex = 0;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    TScrollBar* FScrollBar = nullptr;

    int borderSize() const;
    TRect rowsRect() const;
    void itemsChanged();
    void updateScrollBar();
    void selectByUser(int Index);
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
