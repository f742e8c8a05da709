// TWinControl: the window, its children, alignment, focus, keys and rendering.
#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Forms.h"

#include <QGuiApplication>
#include <algorithm>
#include <utility>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() { tearDownWinControl(); }

void TWinControl::BeforeDestruction() {
    tearDownWinControl();
    TControl::BeforeDestruction();
}

void TWinControl::tearDownWinControl() {
    if (FTornDownWin) return;
    FTornDownWin = true;
    // As on the platform, the control and what it owns know they are going before any window
    // goes, so a child's WM_DESTROY can tell.
    Destroying();
    if (TCustomForm* Form = GetParentForm(this); Form && Form != this) Form->DefocusControl(this, true);
    // A parent frees its children, owned by it or not.
    while (ControlCount() > 0) {
        TControl* Child = Controls(ControlCount() - 1);
        RemoveControl(Child);
        Child->Free();
    }
    DestroyHandle();
}

// ---------------------------------------------------------------------------------------------
// The window

HWND TWinControl::Handle() {
    HandleNeeded();
    return Data()->Handle;
}

bool TWinControl::HandleAllocated() const { return Data()->Handle != nullptr; }

void TWinControl::HandleNeeded() {
    if (HandleAllocated()) return;
    if (FParent) FParent->HandleNeeded();  // creates this one too, with the parent's children
    if (!HandleAllocated()) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (HandleAllocated()) return;
    CreateWnd();
    for (TControl* C : FControls) TControlAccess::createWidget(C);
    for (TWinControl* W : FWinControls) W->CreateHandle();
    restackChildren();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    if (FParent && FParent->HandleAllocated()) Params.WndParent = FParent->Handle();
}

void TWinControl::CreateWnd() {
    TCreateParams Params;
    CreateParams(Params);
    RegisterWindowClassStyle(this, Params);
    TControlAccess::createWidget(this);
    TControlAccess::registerHandle(this);
    // Forms make their own top-level windows.
    if ((Params.Style & WS_POPUP) && !dynamic_cast<TCustomForm*>(this)) TControlAccess::makePopupWindow(this, Params);
}

void TWinControl::DestroyHandle() {
    if (!HandleAllocated()) return;
    FControlState.Include(csDestroyingHandle);
    for (TWinControl* W : FWinControls) W->DestroyHandle();
    for (TControl* C : FControls) TControlAccess::destroyWidget(C);
    DestroyWnd();
    FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::DestroyWnd() {
    // The window's last message, as the platform sends it.
    Perform(WM_DESTROY, 0, 0);
    TControlAccess::unregisterHandle(this);
    TControlAccess::destroyWidget(this);
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated()) return;
    FControlState.Include(csRecreating);
    DestroyHandle();
    HandleNeeded();
    FControlState.Exclude(csRecreating);
}

void TWinControl::restackChildren() {
    // Graphic controls paint on the parent, so they stay below every windowed sibling.
    if (QWidget* H = Data()->Hosted) H->lower();
    for (TControl* C : FControls)
        if (C->Data()->Widget) C->Data()->Widget->raise();
    for (TWinControl* W : FWinControls)
        if (W->Data()->Widget) W->Data()->Widget->raise();
}

// ---------------------------------------------------------------------------------------------
// Children

TControl* TWinControl::Controls(int Index) const {
    const int Graphic = static_cast<int>(FControls.size());
    if (Index < 0 || Index >= ControlCount())
        throw EListError(QStringLiteral("Control index out of bounds (%1)").arg(Index));
    return Index < Graphic ? FControls[size_t(Index)] : FWinControls[size_t(Index - Graphic)];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl) return;
    if (AControl->FParent == this) return;
    if (auto* W = dynamic_cast<TWinControl*>(AControl); W && W->ContainsControl(this))
        throw EInvalidOperation(QStringLiteral("A control cannot be placed inside one of its own children"));
    if (AControl->FParent) AControl->FParent->RemoveControl(AControl);
    insertChild(AControl);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    alignChildren(AControl);
}

void TWinControl::insertChild(TControl* AControl) {
    if (FAnchorWidth < 0) {
        FAnchorWidth = ClientWidth();
        FAnchorHeight = ClientHeight();
    }
    AControl->FParent = this;
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(W);
        FTabList.push_back(W);
        if (HandleAllocated()) W->CreateHandle();
    } else {
        FControls.push_back(AControl);
        if (HandleAllocated()) TControlAccess::createWidget(AControl);
    }
    if (HandleAllocated()) restackChildren();
    Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (!AControl || AControl->FParent != this) return;
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    removeChild(AControl);
    alignChildren(nullptr);
}

void TWinControl::removeChild(TControl* AControl) {
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(W, true);
        W->DestroyHandle();
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), W), FWinControls.end());
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), W), FTabList.end());
    } else {
        TControlAccess::destroyWidget(AControl);
        FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    }
    if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
    AControl->FParent = nullptr;
    Invalidate();
}

bool TWinControl::ContainsControl(TControl* Control) const {
    while (Control && Control != this) Control = Control->Parent();
    return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) const {
    auto Hit = [&](TControl* C) {
        if (!C->Visible() || (!C->Enabled() && !AllowDisabled)) return false;
        if (!C->BoundsRect().Contains(Pos)) return false;
        const TPoint Local{Pos.X - C->Left(), Pos.Y - C->Top()};
        return C->Perform(CM_HITTEST, 0, PointToLParam(Local.X, Local.Y)) != 0;
    };
    if (AllowWinControls)
        for (auto It = FWinControls.rbegin(); It != FWinControls.rend(); ++It)
            if (Hit(*It)) return *It;
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It)
        if (Hit(*It)) return *It;
    return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) const {
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (C->Name().compare(ControlName, Qt::CaseInsensitive) == 0) return C;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Tab order and focus

TTabOrder TWinControl::TabOrder() const {
    if (!FParent) return -1;
    const auto& L = FParent->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(TTabOrder Value) {
    if (!FParent) return;
    auto& L = FParent->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    if (It == L.end()) return;
    L.erase(It);
    Value = std::clamp(Value, 0, static_cast<int>(L.size()));
    L.insert(L.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
    if (FTabStop == Value) return;
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

bool TWinControl::CanFocus() const {
    TCustomForm* Form = GetParentForm(const_cast<TWinControl*>(this));
    const TControl* C = this;
    while (C && C != Form) {
        if (!C->Visible() || !C->Enabled()) return false;
        C = C->Parent();
    }
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this) {
        Form->FocusControl(this);
        return;
    }
    if (!CanFocus()) throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    if (TControlWidget* W = Data()->Widget) W->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const {
    TControlWidget* W = Data()->Widget;
    return W && W->hasFocus();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* W : FTabList) {
        List.push_back(W);
        W->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty()) return nullptr;
    const int Count = static_cast<int>(List.size());
    auto Found = std::find(List.begin(), List.end(), CurControl);
    int Start = Found == List.end() ? (GoForward ? Count - 1 : 0) : static_cast<int>(Found - List.begin());
    int I = Start;
    do {
        I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
        TWinControl* C = List[size_t(I)];
        if (C->CanFocus() && (!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this)) return C;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) Next->SetFocus();
}

// Through a copy of the handler: an enter or exit handler may free the control.
void TWinControl::DoEnter() {
    if (OnEnter) FireEvent(OnEnter, this);
}

void TWinControl::DoExit() {
    if (OnExit) FireEvent(OnExit, this);
}

// ---------------------------------------------------------------------------------------------
// Messages to the children

void TWinControl::Broadcast(TMessage& Message) {
    for (int I = 0; I < ControlCount(); ++I) {
        Controls(I)->SendMessageTo(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg) {
    TMessage Message{Msg, 0, 0, 0};
    Broadcast(Message);
}

// ---------------------------------------------------------------------------------------------
// Alignment

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { alignChildren(nullptr); }

void TWinControl::alignChildren(TControl* AControl) {
    if (AlignDisabled() || FControlState.Contains(csAligning)) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    FControlState.Include(csAligning);
    FControlState.Exclude(csAlignmentNeeded);
    TRect R = ClientRect();
    AdjustClientRect(R);
    try {
        AlignControls(AControl, R);
    } catch (...) {
        FControlState.Exclude(csAligning);
        throw;
    }
    FControlState.Exclude(csAligning);
}

void TWinControl::AdjustClientRect(TRect& Rect) {
    Rect.Left += FBorderWidth;
    Rect.Top += FBorderWidth;
    Rect.Right -= FBorderWidth;
    Rect.Bottom -= FBorderWidth;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    // Top, bottom, left, right, then client, each in the order of their current position; the
    // control being moved wins a tie, so it lands where it was put.
    static constexpr TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign A : Order) {
        std::vector<TControl*> List;
        for (int I = 0; I < ControlCount(); ++I) {
            TControl* C = Controls(I);
            if (C->Align() == A && C->Visible()) List.push_back(C);
        }
        auto Key = [A](TControl* C) {
            switch (A) {
                case alTop:
                    return C->Top();
                case alBottom:
                    return -(C->Top() + C->Height());
                case alLeft:
                    return C->Left();
                case alRight:
                    return -(C->Left() + C->Width());
                default:
                    return 0;
            }
        };
        std::stable_sort(List.begin(), List.end(), [&](TControl* X, TControl* Y) {
            const int KX = Key(X), KY = Key(Y);
            if (KX != KY) return KX < KY;
            return X == AControl && Y != AControl;
        });
        for (TControl* C : List) {
            const int W = std::max(0, Rect.Width());
            const int H = std::max(0, Rect.Height());
            switch (A) {
                case alTop:
                    C->SetBounds(Rect.Left, Rect.Top, W, C->Height());
                    Rect.Top += C->Height();
                    break;
                case alBottom:
                    C->SetBounds(Rect.Left, Rect.Bottom - C->Height(), W, C->Height());
                    Rect.Bottom -= C->Height();
                    break;
                case alLeft:
                    C->SetBounds(Rect.Left, Rect.Top, C->Width(), H);
                    Rect.Left += C->Width();
                    break;
                case alRight:
                    C->SetBounds(Rect.Right - C->Width(), Rect.Top, C->Width(), H);
                    Rect.Right -= C->Width();
                    break;
                default:
                    C->SetBounds(Rect.Left, Rect.Top, W, H);
                    break;
            }
        }
    }
}

void TWinControl::applyAnchors() {
    const int NewW = ClientWidth(), NewH = ClientHeight();
    if (FAnchorWidth < 0) {
        FAnchorWidth = NewW;
        FAnchorHeight = NewH;
        return;
    }
    const int DW = NewW - FAnchorWidth, DH = NewH - FAnchorHeight;
    FAnchorWidth = NewW;
    FAnchorHeight = NewH;
    if (DW == 0 && DH == 0) return;
    DisableAlign();
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (C->Align() != alNone) continue;
        const TAnchors A = C->Anchors();
        int L = C->Left(), T = C->Top(), W = C->Width(), H = C->Height();
        if (A.Contains(akRight)) {
            if (A.Contains(akLeft))
                W += DW;
            else
                L += DW;
        } else if (!A.Contains(akLeft)) {
            L += DW / 2;
        }
        if (A.Contains(akBottom)) {
            if (A.Contains(akTop))
                H += DH;
            else
                T += DH;
        } else if (!A.Contains(akTop)) {
            T += DH / 2;
        }
        C->SetBounds(L, T, W, H);
    }
    EnableAlign();
}

void TWinControl::SetBorderWidth(int Value) {
    Value = std::max(0, Value);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

void TWinControl::SetParentBackground(bool Value) {
    if (ParentBackground() == Value) return;
    if (Value)
        FControlStyle.Include(csParentBackground);
    else
        FControlStyle.Exclude(csParentBackground);
    if (TControlWidget* W = Data()->Widget) W->setAttribute(Qt::WA_OpaquePaintEvent, !Value);
    Invalidate();
}

void TWinControl::SetZOrder(bool TopMost) {
    if (!FParent) {
        if (TControlWidget* W = Data()->Widget) {
            // Headless platforms cannot stack windows (and say so on every call).
            const bool CanStack = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                  QGuiApplication::platformName() != QLatin1String("minimal");
            if (TopMost) {
                if (CanStack) W->raise();
                W->activateWindow();
            } else if (CanStack) {
                W->lower();
            }
        }
        return;
    }
    auto& List = FParent->FWinControls;
    auto It = std::find(List.begin(), List.end(), this);
    if (It == List.end()) return;
    List.erase(It);
    if (TopMost)
        List.push_back(this);
    else
        List.insert(List.begin(), this);
    FParent->restackChildren();
    Invalidate();
}

void TWinControl::ChangeScale(int M, int D) {
    DisableAlign();
    for (int I = 0; I < ControlCount(); ++I) Controls(I)->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
    EnableAlign();
}

// ---------------------------------------------------------------------------------------------
// Painting

void TWinControl::Invalidate() {
    TControl::Invalidate();
    for (int I = 0; I < ControlCount(); ++I) Controls(I)->Invalidate();
}

void TWinControl::Update() {
    TControl::Update();
    for (int I = 0; I < ControlCount(); ++I) Controls(I)->Update();
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
    if (!DC) throw EInvalidOperation(QStringLiteral("PaintTo needs a device context"));
    paintTree(DC, X, Y);
}

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y) {
    if (!Canvas) throw EInvalidOperation(QStringLiteral("PaintTo needs a canvas"));
    Canvas->Lock();
    try {
        PaintTo(Canvas->Handle(), X, Y);
    } catch (...) {
        Canvas->Unlock();
        throw;
    }
    Canvas->Unlock();
}

void TWinControl::paintTree(HDC DC, int X, int Y) {
    TControlAccess::paintBacking(this);
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, X, Y, X + FWidth, Y + FHeight);
    const QImage& Own = Data()->Backing;
    if (!Own.isNull()) DCDrawImage(DC, Bounds(X, Y, FWidth, FHeight), Own, Own.rect(), true);
    if (QWidget* H = Data()->Hosted) {
        // Without the window background: a transparent editor shows the control's painting.
        QImage Shot(H->size(), QImage::Format_ARGB32_Premultiplied);
        Shot.fill(Qt::transparent);
        H->render(&Shot, QPoint(), QRegion(), QWidget::DrawChildren);
        DCDrawImage(DC, Bounds(X + H->x(), Y + H->y(), Shot.width(), Shot.height()), Shot, Shot.rect(), true);
    }
    for (TControl* C : FControls) {
        if (!C->Visible()) continue;
        TControlAccess::paintBacking(C);
        const QImage& Img = C->Data()->Backing;
        if (!Img.isNull())
            DCDrawImage(DC, Bounds(X + C->Left(), Y + C->Top(), C->Width(), C->Height()), Img, Img.rect(), true);
    }
    // A popup child is a window of its own, not part of this one's picture.
    for (TWinControl* W : FWinControls)
        if (W->Visible() && !W->Data()->Popup) W->paintTree(DC, X + W->Left(), Y + W->Top());
    RestoreDC(DC, Saved);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(Message);
            break;
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_KEYDOWN:
            WMKeyDown(Message);
            break;
        case WM_SYSKEYDOWN:
            WMSysKeyDown(Message);
            break;
        case WM_KEYUP:
            WMKeyUp(Message);
            break;
        case WM_SYSKEYUP:
            WMSysKeyUp(Message);
            break;
        case WM_CHAR:
            WMChar(Message);
            break;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
            CNKeyDown(Message);
            break;
        case CN_CHAR:
            CNChar(Message);
            break;
        case CM_ENTER:
            CMEnter(Message);
            break;
        case CM_EXIT:
            CMExit(Message);
            break;
        case CM_DIALOGKEY:
            CMDialogKey(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_SHOWHINTCHANGED:
            CMShowHintChanged(Message);
            break;
        case CM_BIDIMODECHANGED:
            CMBiDiModeChanged(Message);
            break;
        case CM_INVALIDATE:
            CMInvalidate(Message);
            break;
        case CM_RECREATEWND:
            CMRecreateWnd(Message);
            break;
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
            WMChildNotify(Message);
            break;
        default:
            TControl::Dispatch(Message);
            break;
    }
}

void TWinControl::WMChildNotify(TMessage& Message) {
    if (Message.LParam) {
        TWinControl* Child = FindControl(reinterpret_cast<HWND>(Message.LParam));
        if (Child && Child != this) {
            Message.Result = Child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TControl::Dispatch(Message);
}

void TWinControl::NotifyParent(Word Code) {
    TWinControl* P = Parent();
    if (!P || !HandleAllocated()) return;
    P->Perform(WM_COMMAND, MAKEWPARAM(0, Code), reinterpret_cast<LPARAM>(Handle()));
}

void TWinControl::DefaultHandler(TMessage& Message) {
    // A Qt event's message that gets here is passed on to the hosted Qt widget.
    if (TQtEventContext* Ctx = Data()->PendingQtEvent; Ctx && Ctx->Message == &Message) Ctx->ReachedDefault = true;
    switch (Message.Msg) {
        case WM_SETREDRAW:
            if (TControlWidget* W = Data()->Widget) W->setUpdatesEnabled(Message.WParam != 0);
            return;
        case WM_NCHITTEST:
            // No frame: every point of a window is in its client area.
            Message.Result = HTCLIENT;
            return;
        case WM_NCLBUTTONDOWN:
            BeginWindowSizing(this, static_cast<LRESULT>(Message.WParam), LParamToPoint(Message.LParam));
            return;
        default:
            break;
    }
    TControl::DefaultHandler(Message);
}

void TWinControl::WMPaint(TMessage& Message) {
    TWMPaint M(Message);
    if (!M.DC) {
        TControl::Invalidate();
        TControl::Update();
        return;
    }
    PaintWindow(M.DC);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    TWMEraseBkgnd M(Message);
    Message.Result = 1;
    if (!M.DC || FControlStyle.Contains(csOpaque) || ParentBackground()) return;
    TDCBrush Brush;
    Brush.Color = ColorToRGB(FColor);
    DCFillRect(M.DC, ClientRect(), Brush);
}

void TWinControl::WMSize(TMessage& Message) {
    applyAnchors();
    Realign();
    TControl::Dispatch(Message);
}

void TWinControl::WMSetFocus(TMessage& Message) {
    DefaultHandler(Message);
    TCustomForm* Form = GetParentForm(this);
    if (Form)
        Form->SetFocusedControl(this);
    else
        Perform(CM_ENTER, 0, 0);
}

void TWinControl::WMKillFocus(TMessage& Message) {
    DefaultHandler(Message);
    if (!GetParentForm(this)) Perform(CM_EXIT, 0, 0);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
    TWMKey M(Message);
    // A handler that frees the control ends the key: it counts as handled.
    const TWeak<TWinControl> Self(this);
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyDown(Message)) return true;
    if (!Self) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Word Key = static_cast<Word>(M.CharCode);
        KeyDown(Key, KeyDataToShiftState(M.KeyData));
        M.CharCode = Key;
        if (Key == 0 || !Self) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    TWMKey M(Message);
    // A handler that frees the control ends the key: it counts as handled.
    const TWeak<TWinControl> Self(this);
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyUp(Message)) return true;
    if (!Self) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Word Key = static_cast<Word>(M.CharCode);
        KeyUp(Key, KeyDataToShiftState(M.KeyData));
        M.CharCode = Key;
        if (Key == 0 || !Self) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TWMKey M(Message);
    const TWeak<TWinControl> Self(this);
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyPress(Message)) return true;
    if (!Self) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Char Ch(static_cast<char16_t>(M.CharCode));
        KeyPress(Ch);
        M.CharCode = Ch.unicode();
        if (Ch.unicode() == 0 || !Self) return true;
    }
    return false;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) FireEvent(OnKeyDown, this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) FireEvent(OnKeyUp, this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
    if (OnKeyPress) FireEvent(OnKeyPress, this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::WMGetDlgCode(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CNKeyDown(TMessage& Message) {
    TWMKey M(Message);
    Message.Result = 1;
    if (Perform(CM_CHILDKEY, M.CharCode, reinterpret_cast<LPARAM>(this)) != 0) return;
    LRESULT Mask = 0;
    switch (M.CharCode) {
        case VK_TAB:
            Mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            Mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            Mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
    }
    // Navigation keys go to the form unless the control asks to keep them.
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, M.CharCode, M.KeyData) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & (Mask | DLGC_WANTALLKEYS)) == 0) {
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGKEY, M.CharCode, M.KeyData) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
    TWMKey M(Message);
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0)
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGCHAR, M.CharCode, M.KeyData) != 0) return;
    Message.Result = 0;
}

void TWinControl::CMEnter(TMessage& Message) { DoEnter(); }

void TWinControl::CMExit(TMessage& Message) { DoExit(); }

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMColorChanged(TMessage& Message) {
    TControl::Dispatch(Message);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    TControl::Dispatch(Message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (!Enabled() && FParent)
        if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(this, false);
    TControl::Dispatch(Message);
}

void TWinControl::CMShowHintChanged(TMessage& Message) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMBiDiModeChanged(TMessage& Message) { NotifyControls(CM_PARENTBIDIMODECHANGED); }

void TWinControl::CMInvalidate(TMessage& Message) { Invalidate(); }

void TWinControl::CMRecreateWnd(TMessage& Message) { RecreateWnd(); }
