// TControl: bounds, properties, the message path and the mouse; TGraphicControl; TControlCanvas.
#include "framework/ui/Controls.h"

#include "framework/rtl/Threads.h"
#include "framework/ui/ActnList.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Forms.h"
#include "framework/ui/HintWindow.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

bool RunWindowProcHooks(TControl* Control, TMessage& Message);

namespace {

TWeak<TControl> CaptureControl;

// Messages the hint delivery follows after the control handled them: the pointer's moves tell
// which control it rests on; a control hidden takes its hint along, a modal dialog ends the hint
// of the form behind it.
bool followedByHints(UINT Msg) {
    return Msg == WM_MOUSEMOVE || Msg == CM_MOUSEENTER || Msg == CM_MOUSELEAVE || Msg == CM_VISIBLECHANGED;
}

}  // namespace

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState S;
    if (Keys & MK_SHIFT) S.Include(ssShift);
    if (Keys & MK_CONTROL) S.Include(ssCtrl);
    if (Keys & MK_LBUTTON) S.Include(ssLeft);
    if (Keys & MK_RBUTTON) S.Include(ssRight);
    if (Keys & MK_MBUTTON) S.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
    return S;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
    if (KeyData & AltMask) S.Include(ssAlt);
    return S;
}

TShiftState GetShiftState() {
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0) S.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0) S.Include(ssRight);
    if (GetKeyState(VK_MBUTTON) < 0) S.Include(ssMiddle);
    return S;
}

String GetShortHint(const String& Hint) {
    const auto Bar = Hint.indexOf(u'|');
    return Bar < 0 ? Hint : Hint.left(Bar);
}

String GetLongHint(const String& Hint) {
    const auto Bar = Hint.indexOf(u'|');
    return Bar < 0 ? Hint : Hint.mid(Bar + 1);
}

void SetCaptureControl(TControl* Control) {
    TControl* Old = CaptureControl.get();
    if (Old == Control) return;
    CaptureControl = TWeak<TControl>(Control);
    if (Old) Old->Perform(WM_CAPTURECHANGED, 0, 0);
}

TControl* GetCaptureControl() { return CaptureControl.get(); }

TCustomForm* GetParentForm(TControl* Control) {
    while (Control && !dynamic_cast<TCustomForm*>(Control)) Control = Control->Parent();
    return static_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control) {
    TCustomForm* Form = GetParentForm(Control);
    if (!Form) {
        const String Name = Control ? Control->Name() : String();
        throw EInvalidOperation(QStringLiteral("Control '%1' has no parent form").arg(Name));
    }
    return Form;
}

// ---------------------------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas() {
    FreeHandle();
    if (FControl && FControl->Data() && FControl->Data()->Canvas == this) FControl->Data()->Canvas = nullptr;
}

void TControlCanvas::SetControl(TControl* AControl) {
    if (FControl == AControl) return;
    FreeHandle();
    if (FControl && FControl->Data()->Canvas == this) FControl->Data()->Canvas = nullptr;
    FControl = AControl;
    if (FControl) FControl->Data()->Canvas = this;
}

void TControlCanvas::FreeHandle() {
    if (!FDeviceContext) return;
    if (Handle() == FDeviceContext) SetHandle(nullptr);
    DeleteDC(FDeviceContext);
    FDeviceContext = nullptr;
}

void TControlCanvas::CreateHandle() {
    if (!FControl) return;
    // Drawing outside paint lands on the current look, so bring it up to date first.
    TControlAccess::paintBacking(FControl);
    QImage* Image = &FControl->Data()->Backing;
    if (Image->isNull()) return;
    FDeviceContext = CreateImageDC(Image);
    SetHandle(FDeviceContext);
}

void TControlCanvas::Changed() {
    TCanvas::Changed();
    if (!FControl || !FDeviceContext || FControl->Data()->Painting) return;
    // Outside paint: show the drawing now.
    DCReleasePainter(FDeviceContext);
    if (TControlWidget* W = FControl->Data()->Widget)
        if (W->isVisible()) W->repaint();
}

// ---------------------------------------------------------------------------------------------
// TControl

// ---------------------------------------------------------------------------------------------

void TSizeConstraints::SetMaxHeight(int Value) {
    Value = std::max(0, Value);
    if (FMaxHeight == Value) return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
    changed();
}

void TSizeConstraints::SetMaxWidth(int Value) {
    Value = std::max(0, Value);
    if (FMaxWidth == Value) return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
    changed();
}

void TSizeConstraints::SetMinHeight(int Value) {
    Value = std::max(0, Value);
    if (FMinHeight == Value) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && Value > FMaxHeight) FMaxHeight = Value;
    changed();
}

void TSizeConstraints::SetMinWidth(int Value) {
    Value = std::max(0, Value);
    if (FMinWidth == Value) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && Value > FMaxWidth) FMaxWidth = Value;
    changed();
}

void TSizeConstraints::Constrain(int& Width, int& Height) const {
    if (FMaxWidth > 0) Width = std::min(Width, FMaxWidth);
    if (FMinWidth > 0) Width = std::max(Width, FMinWidth);
    if (FMaxHeight > 0) Height = std::min(Height, FMaxHeight);
    if (FMinHeight > 0) Height = std::max(Height, FMinHeight);
}

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSizeConstraints*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FMaxHeight = S->FMaxHeight;
    FMaxWidth = S->FMaxWidth;
    FMinHeight = S->FMinHeight;
    FMinWidth = S->FMinWidth;
    changed();
}

void TSizeConstraints::changed() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FData(std::make_unique<TControlData>()), FConstraints(std::make_unique<TSizeConstraints>()) {
    FConstraints->OnChange = [this](TObject*) {
        TControlAccess::applyGeometry(this);
        SetBounds(FLeft, FTop, FWidth, FHeight);
    };
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject*) { fontChanged(); };
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
}

TControl::~TControl() {
    FActionLink.reset();
    tearDownControl();
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    tearDownControl();
}

void TControl::tearDownControl() {
    if (FTornDownControl) return;
    FTornDownControl = true;
    if (CaptureControl.get() == this) CaptureControl = TWeak<TControl>();
    if (FParent) FParent->RemoveControl(this);
    TControlAccess::destroyWidget(this);
    if (FData->Canvas) FData->Canvas->SetControl(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation(QStringLiteral("A control cannot be its own parent"));
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FConstraints->Constrain(AWidth, AHeight);
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    // A window is told before and after it moves (window-procedure hooks see both); the first
    // message may still change the place.
    auto* Window = dynamic_cast<TWinControl*>(this);
    const bool TellWindow = Window && Window->HandleAllocated();
    WINDOWPOS Pos;
    if (TellWindow) {
        Pos.hwnd = Window->Handle();
        Pos.flags = SWP_NOZORDER | SWP_NOACTIVATE | (ALeft == FLeft && ATop == FTop ? SWP_NOMOVE : 0) |
                    (AWidth == FWidth && AHeight == FHeight ? SWP_NOSIZE : 0);
        Pos = {Pos.hwnd, nullptr, ALeft, ATop, AWidth, AHeight, Pos.flags};
        const TWeak<TControl> Self(this);
        Perform(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&Pos));
        if (!Self) return;
        ALeft = Pos.x;
        ATop = Pos.y;
        AWidth = std::max(0, Pos.cx);
        AHeight = std::max(0, Pos.cy);
        if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    }
    const bool Resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    TControlAccess::applyGeometry(this);
    if (Resized) {
        FData->Dirty = true;
        Invalidate();
    }
    RequestAlign();
    const TWeak<TControl> Self(this);
    if (Resized) Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(Word(FWidth), Word(FHeight)));
    if (TellWindow && Self) {
        Pos = {Pos.hwnd, nullptr, FLeft, FTop, FWidth, FHeight, Pos.flags};
        Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&Pos));
    }
}

void TControl::SetClientWidth(int Value) { SetWidth(Value + FWidth - ClientWidth()); }

void TControl::SetClientHeight(int Value) { SetHeight(Value + FHeight - ClientHeight()); }

TPoint TControl::GetClientOrigin() const {
    if (FData->Popup) return {FLeft, FTop};  // a popup window is placed in screen coordinates
    if (!FParent) {
        if (FData->Widget && FData->Widget->isWindow()) {
            const QPoint P = FData->Widget->mapToGlobal(QPoint(0, 0));
            return {P.x(), P.y()};
        }
        return {FLeft, FTop};
    }
    const TPoint P = FParent->ClientOrigin();
    return {P.X + FLeft, P.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) const {
    const TPoint O = ClientOrigin();
    return {Point.X + O.X, Point.Y + O.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) const {
    const TPoint O = ClientOrigin();
    return {Point.X - O.X, Point.Y - O.Y};
}

TPoint TControl::ClientToParent(const TPoint& Point, TWinControl* AParent) const {
    if (!AParent) AParent = FParent;
    if (!AParent) throw EInvalidOperation(QStringLiteral("Control '%1' has no parent").arg(Name()));
    TPoint R = Point;
    const TControl* C = this;
    while (C != AParent) {
        if (!C->FParent)
            throw EInvalidOperation(QStringLiteral("'%1' is not a parent of this control").arg(AParent->Name()));
        R.X += C->FLeft;
        R.Y += C->FTop;
        C = C->FParent;
    }
    return R;
}

TPoint TControl::ParentToClient(const TPoint& Point, TWinControl* AParent) const {
    const TPoint Origin = ClientToParent(TPoint{0, 0}, AParent);
    return {Point.X - Origin.X, Point.Y - Origin.Y};
}

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    FAlign = Value;
    if (Value != alNone && Value != alCustom) FAnchors = TAnchors{akLeft, akTop};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) { FAnchors = Value; }

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    RequestAlign();
}

bool TControl::Showing() const {
    if (!FVisible) return false;
    if (FParent) return FParent->Showing();
    return FData->Widget && FData->Widget->isVisible();
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
    if (FColor != Value) {
        FColor = Value;
        FParentColor = false;
        Perform(CM_COLORCHANGED, 0, 0);
    } else {
        FParentColor = false;
    }
}

void TControl::SetParentColor(bool Value) {
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (Value && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (Value && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::fontChanged() {
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetText(const String& Value) {
    if (GetText() == Value) return;
    RealSetText(Value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    FParentShowHint = false;
    if (FShowHint == Value) return;
    FShowHint = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::setPopupMenu(TPopupMenu* Menu, TComponent* AsComponent) {
    if (FPopupMenuComponent == AsComponent) return;
    if (FPopupMenuComponent) FPopupMenuComponent->RemoveFreeNotification(this);
    FPopupMenu = Menu;
    FPopupMenuComponent = AsComponent;
    if (AsComponent) AsComponent->FreeNotification(this);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (FParentBiDiMode == Value) return;
    FParentBiDiMode = Value;
    if (Value && FParent) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
    if (!Value) {
        FActionLink.reset();
        FControlStyle.Exclude(csActionClient);
        return;
    }
    if (!FActionLink) {
        FActionLink.reset(GetActionLinkClass()(this));
        FActionLink->OnChange = [this](TObject* Sender) { actionChanged(Sender); };
    }
    FActionLink->SetAction(Value);
    FControlStyle.Include(csActionClient);
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

TControlActionLinkClass TControl::GetActionLinkClass() const { return &TControlActionLink::Create; }

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (!A) return;
    if (!CheckDefaults || Caption().isEmpty()) SetCaption(A->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(A->Enabled());
    if (!CheckDefaults || FHint.isEmpty()) SetHint(A->Hint());
    if (!CheckDefaults || FVisible) SetVisible(A->Visible());
}

void TControl::actionChanged(TObject* Sender) {
    if (Sender == Action()) ActionChange(Sender, false);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FPopupMenuComponent) {
        FPopupMenu = nullptr;
        FPopupMenuComponent = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// The message path

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage Message{Msg, WParam, LParam, 0};
    SendMessageTo(Message);
    return Message.Result;
}

// The drag's share of a control's mouse and keys (Controls_Drag.cpp).
bool InterceptDragMessage(TControl* Control, const TMessage& Message);

void TControl::SendMessageTo(TMessage& Message) {
    if (InterceptDragMessage(this, Message)) return;
    if (Application && IsHintCancellingMessage(Message.Msg)) Application->HintMouseMessage(this, Message);
    const bool Pointer = Application && followedByHints(Message.Msg);
    const TWeak<TControl> Alive(Pointer ? this : nullptr);
    if (!RunWindowProcHooks(this, Message)) {
        if (WindowProc)
            WindowProc(Message);
        else
            WndProc(Message);
    }
    // After the control's own handling: a control that cancelled the hint there (a new link
    // under the pointer) gets a fresh pause for its new hint.
    if (Pointer && Alive && Application) Application->HintMouseMessage(this, Message);
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Release() {
    const TWeak<TControl> Alive(this);
    TThread::Queue(nullptr, [Alive] {
        if (TControl* Control = Alive.get()) Control->Perform(CM_RELEASE, 0, 0);
    });
}

void TControl::CMRelease(TMessage&) { Free(); }

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_RELEASE:
            CMRelease(Message);
            break;
        case WM_LBUTTONDOWN:
            WMLButtonDown(Message);
            break;
        case WM_LBUTTONUP:
            WMLButtonUp(Message);
            break;
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            break;
        case WM_RBUTTONDOWN:
            WMRButtonDown(Message);
            break;
        case WM_RBUTTONUP:
            WMRButtonUp(Message);
            break;
        case WM_RBUTTONDBLCLK:
            WMRButtonDblClk(Message);
            break;
        case WM_MBUTTONDOWN:
            WMMButtonDown(Message);
            break;
        case WM_MBUTTONUP:
            WMMButtonUp(Message);
            break;
        case WM_MBUTTONDBLCLK:
            WMMButtonDblClk(Message);
            break;
        case WM_MOUSEMOVE:
            WMMouseMove(Message);
            break;
        case WM_MOUSEWHEEL:
            WMMouseWheel(Message);
            break;
        case WM_CANCELMODE:
            WMCancelMode(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_PARENTCOLORCHANGED:
            CMParentColorChanged(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_PARENTSHOWHINTCHANGED:
            CMParentShowHintChanged(Message);
            break;
        case CM_PARENTBIDIMODECHANGED:
            CMParentBiDiModeChanged(Message);
            break;
        case CM_CURSORCHANGED:
            CMCursorChanged(Message);
            break;
        case CM_HITTEST:
            CMHitTest(Message);
            break;
        case CM_MOUSEWHEEL:
            CMMouseWheel(Message);
            break;
        default:
            DefaultHandler(Message);
            break;
    }
}

void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXTLENGTH:
            Message.Result = GetText().size();
            break;
        case WM_CONTEXTMENU:
            if (FPopupMenu && ShowPopupMenuHook) {
                ShowPopupMenuHook(FPopupMenu, this, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
                Message.Result = 1;
            } else if (FParent) {
                // Without a menu of its own the control lets its parent offer one.
                Message.Result = FParent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
            }
            break;
        default:
            break;
    }
}

void TControl::Invalidate() {
    FData->Dirty = true;
    if (FData->Widget) FData->Widget->update();
}

void TControl::Update() {
    TControlWidget* W = FData->Widget;
    if (W && W->isVisible())
        W->repaint();
    else
        TControlAccess::paintBacking(this);
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::SetZOrder(bool TopMost) {
    if (!FParent) return;
    auto& List = FParent->FControls;
    auto It = std::find(List.begin(), List.end(), this);
    if (It == List.end()) return;
    List.erase(It);
    if (TopMost)
        List.push_back(this);
    else
        List.insert(List.begin(), this);
    if (FData->Widget) {
        // Graphic controls stay below their windowed siblings, as they paint on the parent.
        if (TopMost) {
            FData->Widget->raise();
            for (TWinControl* W : FParent->FWinControls)
                if (W->FData->Widget) W->FData->Widget->raise();
        } else {
            FData->Widget->lower();
        }
    }
    Invalidate();
}

void TControl::Click() {
    // An assigned OnClick wins over the action, as a handler set on the control is meant to.
    if (OnClick)
        FireEvent(OnClick, this);
    else if (FActionLink)
        FActionLink->Execute(this);
}

void TControl::DblClick() {
    if (OnDblClick) FireEvent(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) FireEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) FireEvent(OnMouseMove, this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) FireEvent(OnMouseUp, this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool Handled = false;
    const TWeak<TControl> Self(this);
    if (OnMouseWheel) FireEvent(OnMouseWheel, this, Shift, WheelDelta, MousePos, Handled);
    if (Handled || !Self) return Handled;
    // Small deltas (fine-grained wheels) add up to whole notches.
    FWheelAccumulator += WheelDelta;
    while (Self && std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        const bool Down = FWheelAccumulator < 0;
        FWheelAccumulator += Down ? WHEEL_DELTA : -WHEEL_DELTA;
        Handled = Down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    }
    return Handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheelDown) FireEvent(OnMouseWheelDown, this, Shift, MousePos, Handled);
    return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheelUp) FireEvent(OnMouseWheelUp, this, Shift, MousePos, Handled);
    return Handled;
}

void TControl::Resize() {
    if (OnResize) FireEvent(OnResize, this);
}

void TControl::RequestAlign() {
    if (FParent) FParent->alignChildren(this);
}

void TControl::ChangeScale(int M, int D) {
    if (M == D || D == 0) return;
    auto Scale = [M, D](int V) { return static_cast<int>((static_cast<Int64>(V) * M) / D); };
    SetBounds(Scale(FLeft), Scale(FTop), Scale(FWidth), Scale(FHeight));
    if (!FParentFont) FFont->SetHeight(Scale(FFont->Height()));
}

// ---------------------------------------------------------------------------------------------
// Mouse handlers

void TControl::mouseButtonDown(TMessage& Message, TMouseButton Button, TShiftState Extra) {
    TWMMouse M(Message);
    const TWeak<TControl> Self(this);
    if (FControlStyle.Contains(csCaptureMouse)) {
        SetMouseCapture(true);  // the control losing the capture hears WM_CAPTURECHANGED
        if (!Self) return;
    }
    if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    if (Extra.Contains(ssDouble) && Button == mbLeft && FControlStyle.Contains(csClickEvents)) {
        DblClick();
        if (!Self) return;
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(Button, KeysToShiftState(M.Keys) + Extra, M.XPos, M.YPos);
}

void TControl::mouseButtonUp(TMessage& Message, TMouseButton Button) {
    TWMMouse M(Message);
    const TWeak<TControl> Self(this);
    if (FControlStyle.Contains(csCaptureMouse)) {
        SetMouseCapture(false);
        if (!Self) return;
    }
    if (Button == mbLeft && FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        // A click needs the release inside the control.
        if (ClientRect().Contains(M.Pos())) {
            Click();
            if (!Self) return;
        }
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(Button, KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

void TControl::WMLButtonDown(TMessage& Message) { mouseButtonDown(Message, mbLeft, {}); }
void TControl::WMLButtonUp(TMessage& Message) { mouseButtonUp(Message, mbLeft); }
void TControl::WMLButtonDblClk(TMessage& Message) { mouseButtonDown(Message, mbLeft, {ssDouble}); }
void TControl::WMRButtonDown(TMessage& Message) { mouseButtonDown(Message, mbRight, {}); }
void TControl::WMRButtonUp(TMessage& Message) { mouseButtonUp(Message, mbRight); }
void TControl::WMRButtonDblClk(TMessage& Message) { mouseButtonDown(Message, mbRight, {ssDouble}); }
void TControl::WMMButtonDown(TMessage& Message) { mouseButtonDown(Message, mbMiddle, {}); }
void TControl::WMMButtonUp(TMessage& Message) { mouseButtonUp(Message, mbMiddle); }
void TControl::WMMButtonDblClk(TMessage& Message) { mouseButtonDown(Message, mbMiddle, {ssDouble}); }

void TControl::WMMouseMove(TMessage& Message) {
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseMove(KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

void TControl::WMMouseWheel(TMessage& Message) {
    // The platform passes the wheel on as CM_MOUSEWHEEL, up the parents until one handles it.
    TMessage Wheel{CM_MOUSEWHEEL, Message.WParam, Message.LParam, 0};
    const TWeak<TControl> Self(this);
    SendMessageTo(Wheel);
    Message.Result = Wheel.Result;
    if (!Message.Result && Self) DefaultHandler(Message);
}

void TControl::CMMouseWheel(TMessage& Message) {
    TWMMouseWheel M(Message);
    TShiftState Shift = KeysToShiftState(M.Keys);
    const TWeak<TControl> Self(this);
    if (DoMouseWheel(Shift, M.WheelDelta, TPoint{M.XPos, M.YPos}) || !Self) {
        Message.Result = 1;
        return;
    }
    if (FParent) Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::WMCancelMode(TMessage& Message) {
    if (MouseCapture()) SetMouseCapture(false);
    DefaultHandler(Message);
}

void TControl::WMSize(TMessage& Message) {
    const TWeak<TControl> Self(this);
    Resize();
    if (Self) DefaultHandler(Message);
}

void TControl::CMMouseEnter(TMessage& Message) {
    // The parents learn which child the pointer entered.
    const TWeak<TControl> Self(this);
    if (FParent) FParent->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
    if (Self && Message.LParam == 0 && OnMouseEnter) FireEvent(OnMouseEnter, this);
}

void TControl::CMMouseLeave(TMessage& Message) {
    const TWeak<TControl> Self(this);
    if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
    if (Self && Message.LParam == 0 && OnMouseLeave) FireEvent(OnMouseLeave, this);
}

void TControl::CMEnabledChanged(TMessage& Message) {
    if (FData->Widget) FData->Widget->setEnabled(FEnabled);
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage& Message) { TControlAccess::applyVisibility(this); }

void TControl::CMColorChanged(TMessage& Message) { Invalidate(); }

void TControl::CMFontChanged(TMessage& Message) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage& Message) {
    if (!FParentColor || !FParent) return;
    const TColor C = Message.WParam ? static_cast<TColor>(Message.LParam) : FParent->Color();
    SetColor(C);
    FParentColor = true;
}

void TControl::CMParentFontChanged(TMessage& Message) {
    if (!FParentFont || !FParent) return;
    FFont->Assign(FParent->Font());
    FParentFont = true;
}

void TControl::CMParentShowHintChanged(TMessage& Message) {
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->ShowHint());
    FParentShowHint = true;
}

void TControl::CMParentBiDiModeChanged(TMessage& Message) {
    if (!FParentBiDiMode || !FParent) return;
    SetBiDiMode(FParent->BiDiMode());
    FParentBiDiMode = true;
}

void TControl::CMCursorChanged(TMessage& Message) { TControlAccess::applyVisibility(this); }

void TControl::CMHitTest(TMessage& Message) { Message.Result = 1; }

// ---------------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() { FCanvas->SetControl(nullptr); }

TCanvas* TGraphicControl::Canvas() const { return FCanvas.get(); }

void TGraphicControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(Message);
            break;
        default:
            TControl::Dispatch(Message);
            break;
    }
}

void TGraphicControl::WMPaint(TMessage& Message) {
    TWMPaint M(Message);
    if (!M.DC) {
        Repaint();
        return;
    }
    FCanvas->FreeHandle();
    FCanvas->Lock();
    FCanvas->SetHandle(M.DC);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
        throw;
    }
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() { FCanvas->SetControl(nullptr); }

TCanvas* TCustomControl::Canvas() const { return FCanvas.get(); }

void TCustomControl::PaintWindow(HDC DC) {
    FCanvas->FreeHandle();
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
        throw;
    }
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
}

// ---------------------------------------------------------------------------------------------
// The mouse, the control under a point, accelerators

namespace {
std::optional<TPoint> CursorPosOverride;
TMouse TheMouse;

TWinControl* shownFormAt(const TPoint& Pos) {
    if (!Screen) return nullptr;
    std::vector<TCustomForm*> Forms;
    if (Screen->ActiveForm()) Forms.push_back(Screen->ActiveForm());
    for (int I = 0; I < Screen->FormCount(); ++I)
        if (Screen->Forms(I) != Screen->ActiveForm()) Forms.push_back(Screen->Forms(I));
    for (TCustomForm* Form : Forms) {
        if (!Form->Showing()) continue;
        const TPoint P = Form->ScreenToClient(Pos);
        if (PtInRect(Form->ClientRect(), P)) return Form;
    }
    return nullptr;
}

// Descends from Win to the innermost child at Pos; windowed children only unless Graphic.
TControl* controlAt(TWinControl* Win, const TPoint& Pos, bool AllowDisabled, bool Graphic) {
    TControl* Found = Win;
    while (auto* W = dynamic_cast<TWinControl*>(Found)) {
        TControl* Child = W->ControlAtPos(W->ScreenToClient(Pos), AllowDisabled, true);
        if (!Child || (!Graphic && !dynamic_cast<TWinControl*>(Child))) break;
        Found = Child;
    }
    return Found;
}
}  // namespace

TMouse* Mouse = &TheMouse;

TPoint TMouse::CursorPos() const {
    if (CursorPosOverride) return *CursorPosOverride;
    const QPoint P = QCursor::pos();
    return {P.x(), P.y()};
}

void TMouse::SetCursorPos(const TPoint& Value) { CursorPosOverride = Value; }

void TMouse::ResetCursorPos() { CursorPosOverride.reset(); }

TWinControl* FindVCLWindow(const TPoint& Pos) {
    TWinControl* Form = shownFormAt(Pos);
    return Form ? static_cast<TWinControl*>(controlAt(Form, Pos, true, false)) : nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
    TWinControl* Form = shownFormAt(Pos);
    return Form ? controlAt(Form, Pos, AllowDisabled, true) : nullptr;
}

bool IsAccel(Word VK, const String& Caption) {
    for (int I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != u'&') continue;
        if (Caption[I + 1] != u'&') return QChar(Caption[I + 1]).toUpper() == QChar(char16_t(VK)).toUpper();
        ++I;
    }
    return false;
}
