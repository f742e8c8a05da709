// Window functions beside the controls: owners, the z-order and topmost windows, the extended and
// class styles, and the user's sizing of a top-level window from its frame.
//
// Sizing follows the platform's protocol: a press on a window is hit-tested (WM_NCHITTEST); a
// sizing code sends WM_NCLBUTTONDOWN, whose default handling starts the sizing. Where the window
// system sizes windows itself it does so (the window hears WM_WINDOWPOSCHANGED and WM_SIZE);
// elsewhere (the offscreen platform) the framework follows the pointer: WM_ENTERSIZEMOVE, a
// WM_SIZING with the proposed rectangle at every move (a handler may change it), the size limits,
// and WM_EXITSIZEMOVE when the button is released or the capture is lost.
#include "framework/ui/WindowFunctions.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Forms.h"

#include <QWindow>
#include <map>
#include <optional>

// ---------------------------------------------------------------------------------------------
// Owners, z-order and styles

HWND GetParent(HWND Wnd) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control) return nullptr;
    if (TWinControl* P = Control->Parent()) return P->HandleAllocated() ? P->Handle() : nullptr;
    QWidget* W = ControlWidgetOf(Control);
    auto* Owner = W && W->parentWidget() ? dynamic_cast<TWinControl*>(ControlOfWidget(W->parentWidget())) : nullptr;
    return Owner && Owner->HandleAllocated() ? Owner->Handle() : nullptr;
}

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control) return 0;
    const TWeak<TWinControl> Alive(Control);
    if ((Flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        const int L = Flags & SWP_NOMOVE ? Control->Left() : X;
        const int T = Flags & SWP_NOMOVE ? Control->Top() : Y;
        const int W = Flags & SWP_NOSIZE ? Control->Width() : CX;
        const int H = Flags & SWP_NOSIZE ? Control->Height() : CY;
        Control->SetBounds(L, T, W, H);
        if (!Alive) return 1;
    }
    if (!(Flags & SWP_NOZORDER)) {
        auto* Form = dynamic_cast<TCustomForm*>(Control);
        if (Form && (InsertAfter == HWND_TOPMOST || InsertAfter == HWND_NOTOPMOST))
            Form->setTopMost(InsertAfter == HWND_TOPMOST);
        if (InsertAfter == HWND_BOTTOM)
            Control->SendToBack();
        else if (InsertAfter != HWND_NOTOPMOST)
            Control->BringToFront();
    }
    if (!Alive) return 1;
    if (Flags & SWP_SHOWWINDOW) Control->Show();
    if (Alive && (Flags & SWP_HIDEWINDOW)) Control->Hide();
    return 1;
}

LONG GetWindowLong(HWND Wnd, int Index) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control || (Index != GWL_STYLE && Index != GWL_EXSTYLE)) return 0;
    TCreateParams Params;
    Control->CreateParams(Params);
    if (Index == GWL_STYLE) return static_cast<LONG>(Params.Style);
    if (auto* Form = dynamic_cast<TCustomForm*>(Control); Form && Form->topMost()) Params.ExStyle |= WS_EX_TOPMOST;
    return static_cast<LONG>(Params.ExStyle);
}

LONG SetWindowLong(HWND Wnd, int Index, LONG NewLong) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control || Index != GWL_STYLE) return 0;
    const LONG Old = GetWindowLong(Wnd, GWL_STYLE);
    TStyleStruct Style{static_cast<DWORD>(Old), static_cast<DWORD>(NewLong)};
    Control->Perform(WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&Style));
    return Old;
}

namespace {

// Class styles by class name: the first window of a class registers it.
std::map<String, UINT>& classStyles() {
    static std::map<String, UINT> Styles;
    return Styles;
}

}  // namespace

void RegisterWindowClassStyle(TWinControl* Control, const TCreateParams& Params) {
    classStyles().emplace(Control->ClassName(), Params.WindowClass.style);
}

DWORD GetClassLong(HWND Wnd, int Index) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control || Index != GCL_STYLE) return 0;
    auto It = classStyles().find(Control->ClassName());
    return It == classStyles().end() ? 0 : It->second;
}

DWORD SetClassLong(HWND Wnd, int Index, LONG NewLong) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control || Index != GCL_STYLE) return 0;
    UINT& Style = classStyles()[Control->ClassName()];
    const DWORD Old = Style;
    Style = static_cast<UINT>(NewLong);
    return Old;
}

// ---------------------------------------------------------------------------------------------
// Sizing a top-level window by its frame

namespace {

struct TSizing {
    TWeak<TWinControl> Window;
    WPARAM Edge = 0;
    TRect StartRect;
    TPoint StartPos;
    int HookId = 0;
};

std::optional<TSizing>& sizing() {
    static std::optional<TSizing> State;
    return State;
}

WPARAM sizingEdgeOf(LRESULT HitCode) {
    switch (HitCode) {
        case HTLEFT:
            return WMSZ_LEFT;
        case HTRIGHT:
            return WMSZ_RIGHT;
        case HTTOP:
            return WMSZ_TOP;
        case HTTOPLEFT:
            return WMSZ_TOPLEFT;
        case HTTOPRIGHT:
            return WMSZ_TOPRIGHT;
        case HTBOTTOM:
            return WMSZ_BOTTOM;
        case HTBOTTOMLEFT:
            return WMSZ_BOTTOMLEFT;
        case HTBOTTOMRIGHT:
            return WMSZ_BOTTOMRIGHT;
        default:
            return 0;
    }
}

bool movesLeft(WPARAM Edge) { return Edge == WMSZ_LEFT || Edge == WMSZ_TOPLEFT || Edge == WMSZ_BOTTOMLEFT; }
bool movesRight(WPARAM Edge) { return Edge == WMSZ_RIGHT || Edge == WMSZ_TOPRIGHT || Edge == WMSZ_BOTTOMRIGHT; }
bool movesTop(WPARAM Edge) { return Edge == WMSZ_TOP || Edge == WMSZ_TOPLEFT || Edge == WMSZ_TOPRIGHT; }
bool movesBottom(WPARAM Edge) { return Edge == WMSZ_BOTTOM || Edge == WMSZ_BOTTOMLEFT || Edge == WMSZ_BOTTOMRIGHT; }

Qt::Edges qtEdgesOf(WPARAM Edge) {
    Qt::Edges E;
    if (movesLeft(Edge)) E |= Qt::LeftEdge;
    if (movesRight(Edge)) E |= Qt::RightEdge;
    if (movesTop(Edge)) E |= Qt::TopEdge;
    if (movesBottom(Edge)) E |= Qt::BottomEdge;
    return E;
}

void endSizing() {
    std::optional<TSizing>& S = sizing();
    if (!S) return;
    const TSizing Ended = *S;
    S.reset();
    RemoveWindowProcHook(Ended.HookId);
    TWinControl* Window = Ended.Window.get();
    if (!Window) return;
    if (GetCaptureControl() == Window) SetCaptureControl(nullptr);
    Window->Perform(WM_EXITSIZEMOVE, 0, 0);
}

void trackSizing(const TPoint& Pos) {
    const TSizing S = *sizing();
    TWinControl* Window = S.Window.get();
    if (!Window) return endSizing();
    const int DX = Pos.X - S.StartPos.X;
    const int DY = Pos.Y - S.StartPos.Y;
    TRect R = S.StartRect;
    if (movesLeft(S.Edge)) R.Left = std::min(R.Right, R.Left + DX);
    if (movesRight(S.Edge)) R.Right = std::max(R.Left, R.Right + DX);
    if (movesTop(S.Edge)) R.Top = std::min(R.Bottom, R.Top + DY);
    if (movesBottom(S.Edge)) R.Bottom = std::max(R.Top, R.Bottom + DY);
    const TWeak<TWinControl> Alive(Window);
    Window->Perform(WM_SIZING, S.Edge, reinterpret_cast<LPARAM>(&R));
    if (!Alive) return;
    int W = R.Width();
    int H = R.Height();
    Window->Constraints()->Constrain(W, H);
    // The edges the user does not drag stay where they are.
    const int L = movesLeft(S.Edge) ? R.Right - W : R.Left;
    const int T = movesTop(S.Edge) ? R.Bottom - H : R.Top;
    Window->SetBounds(L, T, W, H);
}

bool sizingHook(TControl* Control, TMessage& Message) {
    std::optional<TSizing>& S = sizing();
    if (!S || Control != S->Window.get()) return false;
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
            trackSizing(Control->ClientToScreen(LParamToPoint(Message.LParam)));
            return true;
        case WM_LBUTTONUP:
            trackSizing(Control->ClientToScreen(LParamToPoint(Message.LParam)));
            endSizing();
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return true;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            endSizing();
            return false;
        default:
            return false;
    }
}

}  // namespace

void BeginWindowSizing(TWinControl* Window, LRESULT HitCode, const TPoint& ScreenPos) {
    const WPARAM Edge = sizingEdgeOf(HitCode);
    QWidget* W = ControlWidgetOf(Window);
    if (!Edge || !W || !W->isWindow()) return;
    endSizing();
    if (QWindow* Handle = W->windowHandle(); Handle && Handle->startSystemResize(qtEdgesOf(Edge))) return;
    const TWeak<TWinControl> Alive(Window);
    Window->Perform(WM_ENTERSIZEMOVE, 0, 0);
    if (!Alive) return;
    const TPoint Origin = Window->ClientOrigin();
    sizing() = TSizing{Alive, Edge, Bounds(Origin.X, Origin.Y, Window->Width(), Window->Height()), ScreenPos, 0};
    sizing()->HookId = AddWindowProcHook(sizingHook);
    SetCaptureControl(Window);
}

bool WindowSizingActive() { return sizing().has_value(); }

BOOL InvalidateRect(HWND Wnd, const TRect*, BOOL) {
    TWinControl* Win = FindControl(Wnd);
    if (!Win) return 0;
    Win->Invalidate();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Window regions

BOOL SetWindowRgn(HWND Wnd, HRGN Rgn, BOOL Redraw) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control) return 0;
    TControlData* D = Control->Data();
    if (const QRegion* Region = RegionOf(Rgn))
        D->WindowRgn = *Region;
    else
        D->WindowRgn.reset();
    if (Rgn) DeleteObject(Rgn);
    if (QWidget* W = ControlWidgetOf(Control)) {
        if (D->WindowRgn)
            W->setMask(*D->WindowRgn);
        else
            W->clearMask();
        if (Redraw) W->update();
    }
    return 1;
}

int GetWindowRgn(HWND Wnd, HRGN Rgn) {
    TWinControl* Control = FindControl(Wnd);
    auto* Target = const_cast<QRegion*>(RegionOf(Rgn));
    if (!Control || !Target || !Control->Data()->WindowRgn) return RGN_ERROR;
    *Target = *Control->Data()->WindowRgn;
    if (Target->isEmpty()) return NULLREGION;
    return Target->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
