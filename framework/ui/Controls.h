// Controls: TControl (a rectangle on a parent that receives messages), TGraphicControl (paints on
// its parent's surface), TWinControl (a window that holds other controls and takes focus) and
// TCustomControl (a window with a canvas). Every control is backed by one framework widget and a
// backing image; Qt input reaching the widget becomes messages that go through WindowProc ->
// WndProc -> Dispatch (the message handlers) -> DefaultHandler, as code sending messages does.
//
// Deriving: override Dispatch with a switch over the messages the class handles, calling one
// handler per message (named after it: WMPaint, CMMouseEnter, ...) and falling back to the base
// class's Dispatch; a handler's "inherited" call is the base class's Dispatch.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Messages.h"
#include "framework/ui/WinTypes.h"

#include <functional>
#include <memory>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;
struct TControlData;  // framework-internal: widget and backing image

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// What an owner-drawn item (menu item, list or combo box row) is to look like.
enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
    csPannable,
    csAlignWithMargins,
    csGestures
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
    csDesignerHide,
    csPanning,
    csRecreating,
    csAligning
};
using TControlState = TSet<TControlStateItem>;

enum TDragMode { dmManual, dmAutomatic };
// Where a drag stands for the control under the pointer.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TCaption = String;
using TTabOrder = int;

// Cursors: the platform's numbers, shown as the matching Qt cursor shapes.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

// The in-process drag: what is dragged. A control dragging itself is a TDragControlObject; the
// source's OnStartDrag may hand out another object.
class TDragObject : public TObject {
public:
    // The cursor the pointer shows over a target that does (not) accept the drop.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
    // Told the drag is over, with the target (nullptr: none) and whether it dropped.
    virtual void Finished(TObject* Target, int X, int Y, bool Accepted) {}
    // The target the pointer is over and whether it accepts, as the last move found them.
    TControl* DragTarget() const { return FDragTarget; }
    bool Accepted() const { return FAccepted; }
    TPoint DragPos() const { return FDragPos; }

private:
    friend struct TDragManager;
    TControl* FDragTarget = nullptr;
    bool FAccepted = false;
    TPoint FDragPos;
};

class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
    TControl* Control() const { return FControl; }

private:
    TControl* FControl;
};

using TWndMethod = std::function<void(TMessage& Message)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
// The wheel turned one notch down or up (WHEEL_DELTA); MousePos is the pointer on the screen.
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
// A control's action-link class: makes the link for a client (ActnList.h).
using TControlActionLinkClass = TControlActionLink* (*)(TControl* AClient);

// What CM_HINTSHOW (LParam: a THintInfo*) lets the control under the pointer change before its
// hint shows: the text, the place, the rectangle the pointer may move in. A non-zero result
// keeps the hint hidden.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;        // screen position of the hint window's top-left corner
    int HintMaxWidth = 0;  // wrap width in pixels
    TColor HintColor = clInfoBk;
    TRect CursorRect;       // HintControl's client coordinates; leaving it hides the hint
    TPoint CursorPos;       // the pointer in HintControl's client coordinates
    int ReshowTimeout = 0;  // ms; above 0 the shown hint is asked for again after that time
    int HideTimeout = 0;    // 0: the application's HintHidePause
    String HintStr;
    void* HintData = nullptr;
};
using PHintInfo = THintInfo*;

// A hint's two parts: "short|long"; the short part shows in the hint window, the long one is
// for a status bar. Without "|" both are the whole text.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// Shift state from a mouse message's MK_ flags, from a key message's key data (Alt) plus the
// key state (Shift, Ctrl), and from the key state alone.
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState GetShiftState();

// ---------------------------------------------------------------------------------------------
// A canvas on a control's backing image. Outside the paint handler its drawing is shown at once
// (a synchronous update of the control's widget).

class TControlCanvas : public TCanvas {
public:
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    void SetControl(TControl* AControl);
    // Releases the surface; the next drawing call opens a new one.
    void FreeHandle() override;

protected:
    void CreateHandle() override;
    void Changed() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The smallest and largest size a control may take; 0 is no limit. A maximum below the minimum
// lowers the minimum, a minimum above the maximum raises the maximum. A change fires OnChange
// (the control applies the limits to its size at once).

class TSizeConstraints : public TPersistent {
public:
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);

    TNotifyEvent OnChange;

    // Width and height brought within the limits.
    void Constrain(int& Width, int& Height) const;
    // Copies the four limits, with one OnChange; another class raises the framework's assign error.
    void Assign(TPersistent* Source) override;

private:
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;

    void changed();
};

// ---------------------------------------------------------------------------------------------

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    int Left() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Moves and sizes in one step (negative sizes become 0); realigns the parent and sends WM_SIZE.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    TRect ClientRect() const { return GetClientRect(); }
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int Value);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int Value);
    // Screen position of the client area's top-left corner.
    TPoint ClientOrigin() const { return GetClientOrigin(); }
    TPoint ClientToScreen(const TPoint& Point) const;
    TPoint ScreenToClient(const TPoint& Point) const;
    // Converts between this control's client coordinates and those of AParent (the parent when null).
    TPoint ClientToParent(const TPoint& Point, TWinControl* AParent = nullptr) const;
    TPoint ParentToClient(const TPoint& Point, TWinControl* AParent = nullptr) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    // Applied by SetBounds; a top-level window also keeps them while the user sizes it.
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
    TAnchors Anchors() const { return FAnchors; }  // default [akLeft, akTop]
    void SetAnchors(TAnchors Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a shown window visible too.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return FColor; }  // default clWindow
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }  // default true
    void SetParentFont(bool Value);
    String Caption() const { return GetText(); }
    void SetCaption(const String& Value) { SetText(Value); }
    String Text() const { return GetText(); }
    String GetText() const { return RealGetText(); }
    // Sends CM_TEXTCHANGED when the text changes.
    void SetText(const String& Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }  // default true
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The menu shown on a right click; dropped when the menu is freed.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    template <class M>
    void SetPopupMenu(M* Value) {
        setPopupMenu(Value, Value);  // the menu's component side, known where TPopupMenu is complete
    }
    void SetPopupMenu(std::nullptr_t) { setPopupMenu(nullptr, nullptr); }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    // dmAutomatic starts a drag when the left button is pressed on the control.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    // Starts dragging this control: at once, or once the pointer moved Threshold pixels (-1: 5)
    // with the button held. The drag follows the pointer (targets hear DragOver with enter, move
    // and leave) until the button is released (a target that accepts gets DragDrop) or EndDrag.
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    // The action whose caption, enabled state, hint and visibility the control follows, and
    // which a click executes when OnClick is not assigned; dropped when the action is freed.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;
    // The first stop of every message; replace it to subclass the control (keep the old value
    // and call it for the messages you do not handle). Defaults to WndProc.
    TWndMethod WindowProc;

    // Sends a message through the hooks and WindowProc and returns its Result.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // Runs the message through the hooks and WindowProc.
    void SendMessageTo(TMessage& Message);
    virtual void WndProc(TMessage& Message);
    // Calls the handler of Message.Msg; the base class's version ends in DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // Marks the control for repainting; it is painted when events are next processed.
    virtual void Invalidate();
    // Paints what is invalid now.
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Frees the control once the handlers now running have returned and events are processed
    // (CM_RELEASE); a handler may call it on its own control.
    void Release();
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    bool HasParent() const { return FParent != nullptr; }
    // Framework-internal state (window, backing image); opaque outside the framework.
    TControlData* Data() const { return FData.get(); }

protected:
    virtual TRect GetClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    virtual TPoint GetClientOrigin() const;
    // The text's storage; a control wrapping an editor overrides both.
    virtual String RealGetText() const { return FText; }
    virtual void RealSetText(const String& Value) { FText = Value; }
    virtual void SetZOrder(bool TopMost);
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Fires OnMouseWheel; when that leaves the wheel unhandled, every whole notch turned (the
    // deltas add up across calls) calls DoMouseWheelDown or DoMouseWheelUp. Returns whether the
    // wheel was handled. MousePos is the pointer in screen coordinates.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // Fire OnMouseWheelDown and OnMouseWheelUp.
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // The drag: asked while something is dragged over the control (Accept starts true when
    // OnDragOver is assigned, else false); DragDrop when it is dropped here; the source hears
    // DoStartDrag first and DoEndDrag last.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void Resize();
    virtual void RequestAlign();
    virtual void ChangeScale(int M, int D);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Takes the action's properties; with CheckDefaults only those still at their defaults.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    virtual TControlActionLinkClass GetActionLinkClass() const;

    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void WMRButtonDblClk(TMessage& Message);
    void WMMButtonDown(TMessage& Message);
    void WMMButtonUp(TMessage& Message);
    void WMMButtonDblClk(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMCancelMode(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMParentBiDiModeChanged(TMessage& Message);
    void CMCursorChanged(TMessage& Message);
    void CMHitTest(TMessage& Message);
    void CMMouseWheel(TMessage& Message);
    void CMRelease(TMessage& Message);

private:
    friend class TWinControl;
    friend class TControlWidget;
    friend class TControlCanvas;
    friend struct TControlAccess;

    std::unique_ptr<TControlData> FData;
    std::unique_ptr<TControlActionLink> FActionLink;
    std::unique_ptr<TSizeConstraints> FConstraints;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TComponent* FPopupMenuComponent = nullptr;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    TDragMode FDragMode = dmManual;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FTornDownControl = false;
    int FWheelAccumulator = 0;

    void setPopupMenu(TPopupMenu* Menu, TComponent* AsComponent);
    void actionChanged(TObject* Sender);
    void fontChanged();
    friend struct TDragManager;
    void mouseButtonDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
    void mouseButtonUp(TMessage& Message, TMouseButton Button);
    void tearDownControl();
};

// ---------------------------------------------------------------------------------------------
// A control without a window of its own: it paints on its parent's surface (its widget is a
// non-opaque child, so the parent shows where it paints nothing).

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void Dispatch(TMessage& Message) override;
    void WMPaint(TMessage& Message);

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// ---------------------------------------------------------------------------------------------
// What a window is made with (TWinControl::CreateParams): the parts the window layer honours are
// the topmost extended style, the owner of a top-level window (which stays above its owner and is
// hidden and destroyed with it) and the window-class style. A control that is not a form and asks
// for WS_POPUP gets a frameless top-level window owned by its parent's window: its Left and Top
// are screen coordinates, it follows Visible and shows without taking activation, WS_DISABLED
// lets all input through to what lies below, WS_EX_TOPMOST keeps it above other windows. Where
// the window system does not let a program place its windows (WindowsPlacedFreely), the same
// window is a child overlay of its owner's top-level window, at the same screen position.

inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr UINT CS_DROPSHADOW = 0x00020000;

struct TWndClass {
    UINT style = 0;
};

struct TCreateParams {
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND WndParent = nullptr;  // a child's parent window; a top-level window's owner
    TWndClass WindowClass;
};

// ---------------------------------------------------------------------------------------------

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // The window; created on first use (with its parent's and its children's).
    HWND Handle();
    bool HandleAllocated() const;
    void HandleNeeded();
    // Destroys and creates the window again, keeping the control's state.
    void RecreateWnd();

    // Graphic controls first, then windowed ones, each group in z-order (bottom first).
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    // The topmost visible child at Pos (client coordinates), nullptr when none.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    TControl* FindChildControl(const String& ControlName) const;

    TTabOrder TabOrder() const;
    void SetTabOrder(TTabOrder Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
    void SetParentBackground(bool Value);
    // A margin inside the control that alignment leaves free.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Raises EInvalidOperation when the control cannot take focus.
    virtual void SetFocus();
    bool Focused() const;
    // Visible and enabled up to its form.
    virtual bool CanFocus() const;
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // Sends Message to every child until one gives a non-zero Result.
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);
    // Renders the control and its children at (X, Y) of the target (logical coordinates), also
    // when the control was never shown.
    void PaintTo(HDC DC, int X, int Y);
    void PaintTo(TCanvas* Canvas, int X, int Y);
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel > 0; }
    void Realign();

    void Invalidate() override;
    void Update() override;

protected:
    friend LONG GetWindowLong(HWND, int);
    // The window's parameters; read when the window is made (a form reads them again when its
    // border or style changes). The base gives a child its parent's window.
    virtual void CreateParams(TCreateParams& Params);
    // Creates the window (the control's widget, then its children's); a control wrapping a Qt
    // widget calls the inherited CreateWnd first and then installs its widget (ControlWidget.h).
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Lays out the aligned children in Rect (the client rectangle less the border).
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);
    // Key preview by the form, then KeyDown/KeyPress/KeyUp; true when the key was swallowed.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    // Paints the window's own content (not its children) into DC.
    virtual void PaintWindow(HDC DC) {}
    void SetZOrder(bool TopMost) override;
    void ChangeScale(int M, int D) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMSysKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMSysKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNChar(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMShowHintChanged(TMessage& Message);
    void CMBiDiModeChanged(TMessage& Message);
    void CMInvalidate(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);
    // WM_COMMAND, WM_HSCROLL and WM_VSCROLL from a child (its window in LParam) go back to that
    // child as CN_COMMAND, CN_HSCROLL and CN_VSCROLL; the child's answer is the result.
    void WMChildNotify(TMessage& Message);
    // Tells the parent of a notification as the platform's controls do: WM_COMMAND with Code in
    // the high word of WParam and this window in LParam. Nothing without a parent or a window.
    void NotifyParent(Word Code);

private:
    friend class TControl;
    friend class TControlWidget;
    friend struct TControlAccess;

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    int FBorderWidth = 0;
    int FAlignLevel = 0;
    int FAnchorWidth = -1;  // the client size the anchored children were last placed for
    int FAnchorHeight = -1;
    bool FTornDownWin = false;

    void insertChild(TControl* AControl);
    void removeChild(TControl* AControl);
    void alignChildren(TControl* AControl);
    void applyAnchors();
    void restackChildren();
    void paintTree(HDC DC, int X, int Y);
    void tearDownWinControl();
};

// ---------------------------------------------------------------------------------------------
// A window with a canvas: override Paint.

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// ---------------------------------------------------------------------------------------------

// Windows and their device contexts. A window has no frame of its own: its window rectangle is
// its control's bounds on the screen, and a window context draws on the whole of it.
// The window whose painting DC draws on (its paint context, a window or control canvas);
// nullptr for a bitmap's or any other context.
HWND WindowFromDC(HDC DC);
// A context on the whole window, shown when released; nullptr for a null handle.
HDC GetWindowDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);
// Screen coordinates; FALSE for a null handle.
BOOL GetWindowRect(HWND Wnd, TRect* Rect);
// A child window's parent, or the owner of a top-level window; nullptr when it has neither.
HWND GetParent(HWND Wnd);

// SetWindowPos: InsertAfter places the window in the z-order (HWND_TOPMOST keeps a top-level
// window above every window that is not topmost, HWND_NOTOPMOST ends that); the flags keep the
// place, the size or the order, or show or hide the window. FALSE for a null handle.
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags);
// GetWindowLong answers GWL_EXSTYLE (WS_EX_TOPMOST for a topmost window) and GWL_STYLE (the
// style the control's CreateParams gives now); 0 for other indexes. SetWindowLong with GWL_STYLE
// sends the window WM_STYLECHANGED (WParam GWL_STYLE, LParam a TStyleStruct*), whose handler keeps
// what it honours, and answers the former style; 0 for other indexes.
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
struct TStyleStruct {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};
LONG GetWindowLong(HWND Wnd, int Index);
LONG SetWindowLong(HWND Wnd, int Index, LONG NewLong);
// The window-class style (GCL_STYLE), shared by every window of the control's class: the first
// window made sets it from its CreateParams, SetClassLong changes it for all of them.
inline constexpr int GCL_STYLE = -26;
DWORD GetClassLong(HWND Wnd, int Index);
DWORD SetClassLong(HWND Wnd, int Index, LONG NewLong);

// Mouse capture by control: while set, mouse messages go to it wherever the pointer is.
void SetCaptureControl(TControl* Control);
TControl* GetCaptureControl();
// The form that holds Control (the control itself when it is a form); nullptr when none.
TCustomForm* GetParentForm(TControl* Control);
// Like GetParentForm, but raises EInvalidOperation when there is none.
TCustomForm* ValidParentForm(TControl* Control);

// The mouse: where the pointer is. Tests set CursorPos; ResetCursorPos returns to the real pointer.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& Value);
    void ResetCursorPos();
    // The control that has captured the mouse, nullptr when none.
    TControl* Capture() const { return GetCaptureControl(); }
};
extern TMouse* Mouse;

// The enabled windowed control under a screen point (the innermost), nullptr when none.
TWinControl* FindVCLWindow(const TPoint& Pos);
// The control under a screen point, graphic controls included; disabled controls only when
// AllowDisabled. nullptr when no shown form is there.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);

// Whether VK is the hot key of Caption: the character after a single "&" ("&&" is a literal
// "&"), compared without regard to case.
bool IsAccel(Word VK, const String& Caption);
