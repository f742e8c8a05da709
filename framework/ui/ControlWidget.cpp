// The widget behind a control: Qt events become messages, the backing image is painted and shown.
#include "framework/ui/ControlWidget.h"

#include "framework/rtl/Threads.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <optional>
#include <utility>
#include <vector>

void (*ShowPopupMenuHook)(TPopupMenu* Menu, TControl* Control, int ScreenX, int ScreenY) = nullptr;

int TControlWidget::EventDepth = 0;

namespace {

// Qt keys that are not their own virtual key; letters and digits are, unshifted.
struct KeyMapRow {
    int QtKey;
    Word VirtualKey;
};

constexpr KeyMapRow kKeyMap[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Cancel, VK_CANCEL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// Keypad keys by the character Qt reports for them.
constexpr KeyMapRow kKeypadMap[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

Word virtualKeyOf(const QKeyEvent* E) {
    const int K = E->key();
    const bool Keypad = E->modifiers() & Qt::KeypadModifier;
    if (K >= Qt::Key_0 && K <= Qt::Key_9) return Keypad ? Word(VK_NUMPAD0 + (K - Qt::Key_0)) : Word(K);
    if (K >= Qt::Key_A && K <= Qt::Key_Z) return Word(K);
    if (K >= Qt::Key_F1 && K <= Qt::Key_F24) return Word(VK_F1 + (K - Qt::Key_F1));
    if (Keypad)
        for (const KeyMapRow& Row : kKeypadMap)
            if (Row.QtKey == K) return Row.VirtualKey;
    for (const KeyMapRow& Row : kKeyMap)
        if (Row.QtKey == K) return Row.VirtualKey;
    return 0;
}

// The characters a key press types, as the platform produces them: Ctrl+letter is the control
// character (Ctrl+C = 3), Ctrl+Enter is 10, Backspace 8, Enter 13, Escape 27, Delete none.
String charsOf(const QKeyEvent* E, Word VK) {
    const bool Ctrl = E->modifiers() & Qt::ControlModifier;
    const bool Alt = E->modifiers() & Qt::AltModifier;
    if (Ctrl && !Alt) {
        if (VK >= 'A' && VK <= 'Z') return String(QChar(char16_t(VK - 0x40)));
        switch (VK) {
            case VK_RETURN:
                return String(QChar(char16_t(10)));
            case VK_OEM_4:
                return String(QChar(char16_t(27)));
            case VK_OEM_5:
                return String(QChar(char16_t(28)));
            case VK_OEM_6:
                return String(QChar(char16_t(29)));
            case VK_BACK:
                return String(QChar(char16_t(127)));
            default:
                return {};
        }
    }
    switch (VK) {
        case VK_BACK:
            return String(QChar(char16_t(8)));
        case VK_TAB:
            return String(QChar(char16_t(9)));
        case VK_RETURN:
            return String(QChar(char16_t(13)));
        case VK_ESCAPE:
            return String(QChar(char16_t(27)));
        case VK_DELETE:
            return {};
        default:
            break;
    }
    String Text = E->text();
    Text.removeIf([](QChar C) { return C.unicode() < 0x20 || C.unicode() == 0x7F; });
    return Text;
}

WPARAM mouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Mods) {
    WPARAM Keys = 0;
    if (Buttons & Qt::LeftButton) Keys |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) Keys |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) Keys |= MK_MBUTTON;
    if (Mods & Qt::ShiftModifier) Keys |= MK_SHIFT;
    if (Mods & Qt::ControlModifier) Keys |= MK_CONTROL;
    return Keys;
}

UINT mouseMessage(QEvent::Type Type, Qt::MouseButton Button, bool DoubleClicks) {
    if (Type == QEvent::MouseMove) return WM_MOUSEMOVE;
    int Index;
    switch (Button) {
        case Qt::LeftButton:
            Index = 0;
            break;
        case Qt::RightButton:
            Index = 1;
            break;
        case Qt::MiddleButton:
            Index = 2;
            break;
        default:
            return 0;
    }
    static constexpr UINT Down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT Up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr UINT Dbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    switch (Type) {
        case QEvent::MouseButtonPress:
            return Down[Index];
        case QEvent::MouseButtonRelease:
            return Up[Index];
        // Without csDoubleClicks the second press is a plain press.
        case QEvent::MouseButtonDblClick:
            return DoubleClicks ? Dbl[Index] : Down[Index];
        default:
            return 0;
    }
}

HWND handleOfWidget(QWidget* W) {
    auto* Win = dynamic_cast<TWinControl*>(ControlOfWidget(W));
    return Win && Win->HandleAllocated() ? Win->Handle() : nullptr;
}

// Sends a message made from a Qt event; returns whether it reached DefaultHandler.
bool sendFromQt(TControl* Control, TMessage& Message) {
    TControlData* D = Control->Data();
    TQtEventContext Ctx{&Message, false};
    TQtEventContext* Previous = D->PendingQtEvent;
    D->PendingQtEvent = &Ctx;
    const TWeak<TControl> Alive(Control);
    try {
        Control->SendMessageTo(Message);
    } catch (...) {
        if (Alive) D->PendingQtEvent = Previous;
        throw;
    }
    if (Alive) D->PendingQtEvent = Previous;
    return Ctx.ReachedDefault;
}

TControl* CursorTarget = nullptr;

// Before a move, the window under the mouse chooses its cursor: its own Cursor shows unless its
// WM_SETCURSOR handler sets another. False when the handler freed the control.
bool askCursor(TControl* Control) {
    auto* Win = dynamic_cast<TWinControl*>(Control);
    if (!Win || !Win->HandleAllocated()) return true;
    if (QWidget* W = ControlWidgetOf(Control)) {
        if (Control->Cursor() == crDefault)
            W->unsetCursor();
        else
            W->setCursor(QtCursorOfIndex(Control->Cursor()));
    }
    const TWeak<TControl> Alive(Control);
    TControl* Previous = CursorTarget;
    CursorTarget = Control;
    try {
        Control->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(Win->Handle()), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
    } catch (...) {
        CursorTarget = Previous;
        throw;
    }
    CursorTarget = Previous;
    return bool(Alive);
}

}  // namespace

TControl* SetCursorTarget() { return CursorTarget; }

QCursor QtCursorOf(TCursor Cursor) {
    switch (Cursor) {
        case crNone:
            return QCursor(Qt::BlankCursor);
        case crCross:
            return QCursor(Qt::CrossCursor);
        case crIBeam:
            return QCursor(Qt::IBeamCursor);
        case crSizeNESW:
            return QCursor(Qt::SizeBDiagCursor);
        case crSizeNS:
            return QCursor(Qt::SizeVerCursor);
        case crSizeNWSE:
            return QCursor(Qt::SizeFDiagCursor);
        case crSizeWE:
            return QCursor(Qt::SizeHorCursor);
        case crUpArrow:
            return QCursor(Qt::UpArrowCursor);
        case crHourGlass:
        case crSQLWait:
            return QCursor(Qt::WaitCursor);
        case crDrag:
        case crMultiDrag:
            return QCursor(Qt::DragCopyCursor);
        case crNoDrop:
        case crNo:
            return QCursor(Qt::ForbiddenCursor);
        case crHSplit:
            return QCursor(Qt::SplitHCursor);
        case crVSplit:
            return QCursor(Qt::SplitVCursor);
        case crAppStart:
            return QCursor(Qt::BusyCursor);
        case crHelp:
            return QCursor(Qt::WhatsThisCursor);
        case crHandPoint:
            return QCursor(Qt::PointingHandCursor);
        case crSizeAll:
            return QCursor(Qt::SizeAllCursor);
        default:
            return QCursor(Qt::ArrowCursor);
    }
}

void HandleBoundaryException(TObject* Sender) {
    if (Application)
        Application->HandleException(Sender);
    else
        HandleDispatchedException(Sender);
}

// ---------------------------------------------------------------------------------------------
// Access

QWidget* ControlWidgetOf(TControl* Control) { return Control ? Control->Data()->Widget : nullptr; }

TControl* ControlOfWidget(QWidget* Widget) {
    for (QWidget* W = Widget; W; W = W->parentWidget())
        if (auto* CW = dynamic_cast<TControlWidget*>(W)) return CW->Control();
    return nullptr;
}

QWidget* HostedWidget(TControl* Control) { return Control ? Control->Data()->Hosted.data() : nullptr; }

void SendToHosted(TControl* Control, QEvent* Event) {
    QWidget* H = HostedWidget(Control);
    auto* W = dynamic_cast<TControlWidget*>(ControlWidgetOf(Control));
    if (H && W) W->forwardToHosted(H, Event);
}

QImage* ControlBackingImage(TControl* Control) {
    TControlAccess::paintBacking(Control);
    return &Control->Data()->Backing;
}

HWND WindowFromDC(HDC DC) {
    const QImage* Image = DC ? DCImage(DC) : nullptr;
    if (!Image) return nullptr;
    for (QWidget* W : QApplication::allWidgets()) {
        auto* CW = dynamic_cast<TControlWidget*>(W);
        auto* Win = CW ? dynamic_cast<TWinControl*>(CW->Control()) : nullptr;
        if (Win && Win->HandleAllocated() && &Win->Data()->Backing == Image) return Win->Handle();
    }
    return nullptr;
}

HDC GetWindowDC(HWND Wnd) {
    TWinControl* Win = FindControl(Wnd);
    if (!Win) return nullptr;
    QImage* Image = ControlBackingImage(Win);
    if (Image->isNull()) return nullptr;
    // Asked while the window paints: one painter at a time on the image, and the paint context
    // opens its own again at its next drawing.
    if (HDC Painting = Win->Data()->PaintDC) DCReleasePainter(Painting);
    return CreateImageDC(Image);
}

int ReleaseDC(HWND Wnd, HDC DC) {
    if (!DC) return 0;
    DeleteDC(DC);
    if (TWinControl* Win = FindControl(Wnd))
        if (TControlWidget* W = Win->Data()->Widget; W && W->isVisible()) W->update();
    return 1;
}

BOOL GetWindowRect(HWND Wnd, TRect* Rect) {
    TWinControl* Win = FindControl(Wnd);
    if (!Win || !Rect) return 0;
    const TPoint P = Win->ClientToScreen(Point(0, 0));
    *Rect = Bounds(P.X, P.Y, Win->Width(), Win->Height());
    return 1;
}

void SetHostedWidget(TWinControl* Control, QWidget* Widget) {
    TControlData* D = Control->Data();
    if (QWidget* Old = D->Hosted.data()) {
        if (D->Widget) D->Widget->setFocusProxy(nullptr);
        delete Old;
    }
    D->Hosted = nullptr;
    if (!Widget) return;
    if (!D->Widget) {
        delete Widget;
        throw EInvalidOperation(QStringLiteral("A hosted widget needs the control's window: install it in CreateWnd"));
    }
    Widget->setParent(D->Widget);
    Widget->setGeometry(0, 0, Control->Width(), Control->Height());
    Widget->setMouseTracking(true);
    Widget->installEventFilter(D->Widget);
    // A scroll area takes its input on a viewport child.
    for (QWidget* Child : Widget->findChildren<QWidget*>()) {
        Child->installEventFilter(D->Widget);
        Child->setMouseTracking(true);
    }
    Widget->show();
    Widget->lower();
    D->Hosted = Widget;
    D->Widget->setFocusProxy(Widget);
}

// ---------------------------------------------------------------------------------------------
// Window life cycle

namespace {

// Hears theme and palette changes at the application, so windows learn of them even while
// none of them is shown (Qt tells hidden widgets nothing).
class TThemeWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        const QEvent::Type T = Event->type();
        if (Watched == QCoreApplication::instance() &&
            (T == QEvent::ApplicationPaletteChange || T == QEvent::ThemeChange))
            ScheduleThemeChangedBroadcast();
        return false;
    }
};

void watchThemeChanges() {
    static bool Watching = false;
    QCoreApplication* App = QCoreApplication::instance();
    if (Watching || !App) return;
    Watching = true;
    App->installEventFilter(new TThemeWatcher(App));
}

}  // namespace

void TControlAccess::createWidget(TControl* Control) {
    TControlData* D = Control->Data();
    if (D->Widget) return;
    watchThemeChanges();
    QWidget* ParentWidget = nullptr;
    if (TWinControl* P = Control->Parent()) {
        ParentWidget = P->Data()->Widget;
        if (!ParentWidget) return;  // made with the parent's window
    }
    auto* W = new TControlWidget(Control, ParentWidget);
    D->Widget = W;
    W->setMouseTracking(true);
    if (auto* Win = dynamic_cast<TWinControl*>(Control)) {
        W->setAttribute(Qt::WA_OpaquePaintEvent, !Win->ParentBackground());
        // Focus moves by the framework's own rules (Tab through CM_DIALOGKEY), never by Qt's chain.
        W->setFocusPolicy(Qt::NoFocus);
    }
    if (!ParentWidget) W->setWindowTitle(Control->Caption());
    applyGeometry(Control);
    applyVisibility(Control);
}

void TControlAccess::destroyWidget(TControl* Control) {
    TControlData* D = Control->Data();
    TControlWidget* W = D->Widget;
    if (!W) return;
    if (auto* Win = dynamic_cast<TWinControl*>(Control)) {
        for (TWinControl* Child : Win->FWinControls) Child->DestroyHandle();
        for (TControl* Child : Win->FControls) destroyWidget(Child);
    }
    // Windows this one owns go with it, as on the platform.
    std::vector<TWinControl*> Owned;
    for (QObject* Child : W->children())
        if (auto* CW = dynamic_cast<TControlWidget*>(Child); CW && CW->isWindow())
            if (auto* Win = dynamic_cast<TWinControl*>(CW->Control())) Owned.push_back(Win);
    for (TWinControl* Win : Owned) Win->DestroyHandle();
    if (D->Canvas) D->Canvas->FreeHandle();
    W->Detach();
    D->Widget = nullptr;
    // Shape, layered image and popup kind belong to the window; a new one starts plain.
    D->Popup = false;
    D->Overlay = false;
    D->WindowRgn.reset();
    D->LayeredImage = QImage();
    D->LayeredAlpha = 255;
    if (TControlWidget::EventDepth > 0) {
        // Inside a Qt event (perhaps this widget's own): let the event loop delete it.
        W->hide();
        W->setParent(nullptr);
        W->deleteLater();
    } else {
        delete W;
    }
}

void TControlAccess::applyGeometry(TControl* Control) {
    TControlData* D = Control->Data();
    TControlWidget* W = D->Widget;
    if (!W) return;
    D->SyncingGeometry = true;
    if (W->isWindow()) {
        // The user's sizing of a window keeps the limits too.
        const TSizeConstraints* C = Control->Constraints();
        W->setMinimumSize(C->MinWidth(), C->MinHeight());
        W->setMaximumSize(C->MaxWidth() > 0 ? C->MaxWidth() : QWIDGETSIZE_MAX,
                          C->MaxHeight() > 0 ? C->MaxHeight() : QWIDGETSIZE_MAX);
    }
    QPoint Pos(Control->Left(), Control->Top());
    if (D->Overlay && W->parentWidget()) Pos = W->parentWidget()->mapFromGlobal(Pos);
    W->setGeometry(Pos.x(), Pos.y(), Control->Width(), Control->Height());
    if (QWidget* H = D->Hosted.data()) H->setGeometry(0, 0, Control->Width(), Control->Height());
    D->SyncingGeometry = false;
}

void TControlAccess::applyVisibility(TControl* Control) {
    TControlWidget* W = Control->Data()->Widget;
    if (!W) return;
    W->setEnabled(Control->Enabled());
    if (Control->Cursor() == crDefault)
        W->unsetCursor();
    else
        W->setCursor(QtCursorOfIndex(Control->Cursor()));
    if (Control->Data()->Popup) {
        if (W->isHidden() != !Control->Visible()) W->setVisible(Control->Visible());
        // A window comes up on top when shown; an overlay must rise above its owner's children.
        if (Control->Data()->Overlay && !W->isHidden()) W->raise();
        return;
    }
    // A top-level window is shown by its form, after OnShow.
    if (!W->isWindow() && W->isVisibleTo(W->parentWidget()) != Control->Visible()) W->setVisible(Control->Visible());
}

void TControlAccess::makePopupWindow(TWinControl* Control, const TCreateParams& Params) {
    TControlData* D = Control->Data();
    TControlWidget* W = D->Widget;
    if (!W) return;
    TWinControl* OwnerControl = FindControl(Params.WndParent);
    QWidget* Owner = OwnerControl && OwnerControl != Control ? ControlWidgetOf(OwnerControl) : W->parentWidget();
    D->Popup = true;
    D->Overlay = Owner && !WindowsPlacedFreely();
    const bool Disabled = Params.Style & WS_DISABLED;
    // What the window does not paint shows what lies below (a layered image, a region's edge).
    W->setAttribute(Qt::WA_OpaquePaintEvent, false);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    W->setAttribute(Qt::WA_TransparentForMouseEvents, Disabled);
    if (D->Overlay) {
        W->setParent(Owner->window(), Qt::Widget);
    } else {
        // The window system leaves a tool tip alone: no frame, no task-bar entry, no activation.
        Qt::WindowFlags Flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
        if (Params.ExStyle & WS_EX_TOPMOST) Flags |= Qt::WindowStaysOnTopHint;
        if (Disabled) Flags |= Qt::WindowTransparentForInput;
        W->setAttribute(Qt::WA_TranslucentBackground);
        W->setParent(Owner, Flags);
    }
    if (D->WindowRgn) W->setMask(*D->WindowRgn);
    applyGeometry(Control);
    applyVisibility(Control);
}

void TControlAccess::updateFromWidgetGeometry(TControl* Control, const QRect& Geometry) {
    const bool Resized = Geometry.width() != Control->FWidth || Geometry.height() != Control->FHeight;
    const bool Moved = Geometry.x() != Control->FLeft || Geometry.y() != Control->FTop;
    Control->FLeft = Geometry.x();
    Control->FTop = Geometry.y();
    Control->FWidth = Geometry.width();
    Control->FHeight = Geometry.height();
    if (!Resized && !Moved) return;
    // The window was moved or sized by the user or the window system: it is told afterwards.
    if (auto* Window = dynamic_cast<TWinControl*>(Control); Window && Window->HandleAllocated()) {
        WINDOWPOS Pos{Window->Handle(),
                      nullptr,
                      Geometry.x(),
                      Geometry.y(),
                      Geometry.width(),
                      Geometry.height(),
                      SWP_NOZORDER | SWP_NOACTIVATE | (Moved ? 0u : SWP_NOMOVE) | (Resized ? 0u : SWP_NOSIZE)};
        const TWeak<TControl> Self(Control);
        Control->Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&Pos));
        if (!Self) return;
    }
    if (!Resized) return;
    if (QWidget* H = Control->Data()->Hosted.data()) H->setGeometry(0, 0, Geometry.width(), Geometry.height());
    Control->Data()->Dirty = true;
    Control->Invalidate();
    Control->Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(Word(Geometry.width()), Word(Geometry.height())));
}

// ---------------------------------------------------------------------------------------------
// The backing image

void TControlAccess::ensureBacking(TControl* Control) {
    TControlData* D = Control->Data();
    const QSize Size(Control->Width(), Control->Height());
    if (D->Backing.size() == Size || (D->Backing.isNull() && Size.isEmpty())) return;
    if (D->Canvas) D->Canvas->FreeHandle();
    D->Backing = Size.isEmpty() ? QImage() : QImage(Size, QImage::Format_ARGB32_Premultiplied);
    D->Dirty = true;
}

void TControlAccess::paintBacking(TControl* Control) {
    TControlData* D = Control->Data();
    ensureBacking(Control);
    if (!D->Dirty || D->Painting || D->Backing.isNull()) return;
    if (D->Canvas) D->Canvas->FreeHandle();
    D->Dirty = false;
    D->Painting = true;
    // Graphic controls start transparent, so the parent shows where they paint nothing;
    // windows fill their background in WM_ERASEBKGND.
    D->Backing.fill(Qt::transparent);
    HDC DC = CreateImageDC(&D->Backing);
    D->PaintDC = DC;
    const TWeak<TControl> Alive(Control);
    try {
        if (dynamic_cast<TWinControl*>(Control)) Control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
        Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    } catch (...) {
        DeleteDC(DC);
        if (Alive) D->Painting = false, D->PaintDC = nullptr;
        throw;
    }
    DeleteDC(DC);
    if (Alive) D->Painting = false, D->PaintDC = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TControlWidget

TControlWidget::TControlWidget(TControl* Control, QWidget* Parent) : QWidget(Parent), FControl(Control) {}

TControlWidget::~TControlWidget() {
    if (FControl) FControl->Data()->Widget = nullptr;
}

void TControlWidget::paintEvent(QPaintEvent*) {
    if (!FControl) return;
    ++EventDepth;
    try {
        TControlAccess::paintBacking(FControl);
    } catch (...) {
        HandleBoundaryException(FControl);
    }
    --EventDepth;
    if (!FControl) return;
    QPainter P(this);
    const TControlData* D = FControl->Data();
    if (D->LayeredImage.isNull()) {
        P.drawImage(0, 0, D->Backing);
        return;
    }
    // A translucent window starts cleared; an overlay draws over its owner's picture.
    P.setOpacity(D->LayeredAlpha / 255.0);
    P.drawImage(0, 0, D->LayeredImage);
}

bool TControlWidget::event(QEvent* Event) {
    if (isForwarded(Event)) {
        // What the hosted widget left of input this widget forwarded to it: its messages went out
        // already, and sending them again would run every handler twice (an Enter the Qt editor
        // leaves would add a link twice).
        Event->accept();
        return true;
    }
    if (!FControl) return QWidget::event(Event);
    bool Handled = false;
    QWidget* Previous = std::exchange(FControl->Data()->QtEventSource, nullptr);
    ++EventDepth;
    try {
        Handled = handleEvent(Event, false);
    } catch (...) {
        HandleBoundaryException(FControl);
        Handled = true;
    }
    --EventDepth;
    if (FControl) FControl->Data()->QtEventSource = Previous;
    if (Handled) return true;
    return QWidget::event(Event);
}

bool TControlWidget::isForwarded(const QEvent* Event) const {
    // Qt passes a key up as the same event, a mouse event as a copy made for each parent.
    return FForwarding && (Event == FForwarding || Event->type() == FForwarding->type());
}

void TControlWidget::forwardToHosted(QWidget* Target, QEvent* Event) {
    QEvent* Previous = FForwarding;
    FForwarding = Event;
    const QPointer<TControlWidget> Self(this);
    QCoreApplication::sendEvent(Target, Event);
    if (Self) FForwarding = Previous;
    // Qt must not pass the event on to the parents either.
    Event->accept();
}

bool TControlWidget::eventFilter(QObject* Watched, QEvent* Event) {
    if (!FControl || isForwarded(Event)) return false;
    auto* W = qobject_cast<QWidget*>(Watched);
    QWidget* Hosted = FControl->Data()->Hosted.data();
    if (!W || !Hosted || (W != Hosted && !Hosted->isAncestorOf(W))) return false;
    switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::ContextMenu:
            break;
        default:
            return false;
    }
    bool Consumed = false;
    FSource = W;
    const QPointer<QWidget> Target(W);
    // The control may ask which part of the hosted widget the messages come from.
    QWidget* Previous = std::exchange(FControl->Data()->QtEventSource, W);
    ++EventDepth;
    try {
        Consumed = handleEvent(Event, true);
    } catch (...) {
        HandleBoundaryException(FControl);
        Consumed = true;
    }
    --EventDepth;
    if (FControl) FControl->Data()->QtEventSource = Previous;
    if (Consumed || Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) return Consumed;
    // A handler that freed the control ends the event here.
    if (!FControl || !Target) return true;
    // The hosted widget gets its input now; what it leaves must not come back up as new input.
    forwardToHosted(Target, Event);
    return true;
}

// Returns true when the event is done with: for our own widget, that Qt's default handling is
// not wanted; for a hosted widget's event, that the widget must not see it.
bool TControlWidget::handleEvent(QEvent* Event, bool FromHosted) {
    TControl* C = FControl;
    TControlData* D = C->Data();
    std::optional<TInputStateScope> InputState;
    if (auto* Input = dynamic_cast<QInputEvent*>(Event)) {
        Qt::MouseButtons Buttons = QGuiApplication::mouseButtons();
        if (auto* Mouse = dynamic_cast<QMouseEvent*>(Event)) Buttons = Mouse->buttons();
        InputState.emplace(Input->modifiers(), Buttons);
    }
    switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* E = static_cast<QMouseEvent*>(Event);
            QPoint Pos = E->position().toPoint();
            if (FromHosted && FSource) Pos = FSource->mapTo(this, Pos);
            TControl* Target = C;
            TControl* Capture = GetCaptureControl();
            if (Capture && Capture != C && Capture->Data()->Widget) {
                Target = Capture;
                Pos = Capture->Data()->Widget->mapFromGlobal(E->globalPosition().toPoint());
            }
            const UINT Msg = mouseMessage(E->type(), E->button(), Target->ControlStyle().Contains(csDoubleClicks));
            if (!Msg) return false;
            // A window's frame is where it says it is: a press there sizes the window.
            if (Msg == WM_LBUTTONDOWN && Target == C && !FromHosted && isWindow()) {
                const QPoint G = E->globalPosition().toPoint();
                const LRESULT Hit = C->Perform(WM_NCHITTEST, 0, PointToLParam(G.x(), G.y()));
                if (Hit >= HTLEFT && Hit <= HTBOTTOMRIGHT) {
                    C->Perform(WM_NCLBUTTONDOWN, static_cast<WPARAM>(Hit), PointToLParam(G.x(), G.y()));
                    return true;
                }
            }
            if (Msg == WM_MOUSEMOVE && Target == C && !FromHosted && !askCursor(C)) return true;
            TMessage M{Msg, mouseKeys(E->buttons(), E->modifiers()), PointToLParam(Pos.x(), Pos.y()), 0};
            const bool Reached = sendFromQt(Target, M);
            return FromHosted ? !(Reached && Target == C) : true;
        }
        case QEvent::Wheel: {
            auto* E = static_cast<QWheelEvent*>(Event);
            const QPoint G = E->globalPosition().toPoint();
            const int Delta = E->angleDelta().y();
            const WPARAM Keys = mouseKeys(E->buttons(), E->modifiers());
            TMessage M{WM_MOUSEWHEEL, MAKEWPARAM(Word(Keys), Word(static_cast<std::int16_t>(Delta))),
                       PointToLParam(G.x(), G.y()), 0};
            const bool Reached = sendFromQt(C, M);
            return FromHosted ? !Reached : true;
        }
        case QEvent::Enter:
            C->Perform(CM_MOUSEENTER, 0, 0);
            return false;
        case QEvent::Leave:
            C->Perform(CM_MOUSELEAVE, 0, 0);
            return false;
        case QEvent::KeyPress: {
            auto* E = static_cast<QKeyEvent*>(Event);
            auto* Win = dynamic_cast<TWinControl*>(C);
            if (!Win) return false;
            const TWeak<TWinControl> Alive(Win);
            const Word VK = virtualKeyOf(E);
            const bool Alt = E->modifiers() & Qt::AltModifier;
            const bool Ctrl = E->modifiers() & Qt::ControlModifier;
            const bool System = Alt && !Ctrl;
            LPARAM KeyData = 1 | (static_cast<LPARAM>(E->nativeScanCode() & 0xFF) << 16);
            if (Alt) KeyData |= AltMask;
            if (E->isAutoRepeat()) KeyData |= LPARAM(1) << 30;
            bool Forward = true;
            if (VK) {
                TMessage Cn{System ? CN_SYSKEYDOWN : CN_KEYDOWN, VK, KeyData, 0};
                Win->SendMessageTo(Cn);
                if (!Alive || Cn.Result != 0) return true;
                TMessage Km{System ? WM_SYSKEYDOWN : WM_KEYDOWN, VK, KeyData, 0};
                Forward = sendFromQt(Win, Km);
                // Key = 0 swallows the key for every later stage.
                if (!Alive || Km.WParam == 0) return true;
            }
            const String Chars = charsOf(E, VK);
            String Typed;
            for (QChar Ch : Chars) {
                TMessage Cc{CN_CHAR, Ch.unicode(), KeyData, 0};
                Win->SendMessageTo(Cc);
                if (!Alive) return true;
                if (Cc.Result != 0) continue;
                TMessage Cm{System ? WM_SYSCHAR : WM_CHAR, Ch.unicode(), KeyData, 0};
                const bool Reached = sendFromQt(Win, Cm);
                if (!Alive) return true;
                if (Cm.WParam != 0 && Reached) Typed += QChar(char16_t(Cm.WParam));
            }
            if (!FromHosted) return true;
            if (!Forward) return true;
            if (Chars.isEmpty() || Typed == E->text()) return false;
            if (Typed.isEmpty()) return true;
            // A handler changed the character: the hosted widget gets the new one.
            QKeyEvent Changed(QEvent::KeyPress, E->key(), E->modifiers(), Typed, E->isAutoRepeat());
            forwardToHosted(D->Hosted.data(), &Changed);
            return true;
        }
        case QEvent::KeyRelease: {
            auto* E = static_cast<QKeyEvent*>(Event);
            auto* Win = dynamic_cast<TWinControl*>(C);
            const Word VK = virtualKeyOf(E);
            if (!Win || !VK) return false;
            const bool System = (E->modifiers() & Qt::AltModifier) && !(E->modifiers() & Qt::ControlModifier);
            LPARAM KeyData = 1 | (static_cast<LPARAM>(E->nativeScanCode() & 0xFF) << 16) | (LPARAM(3) << 30);
            if (E->modifiers() & Qt::AltModifier) KeyData |= AltMask;
            TMessage Km{System ? WM_SYSKEYUP : WM_KEYUP, VK, KeyData, 0};
            const TWeak<TWinControl> Alive(Win);
            const bool Reached = sendFromQt(Win, Km);
            if (!FromHosted) return true;
            return !(Alive && Reached && Km.WParam != 0);
        }
        case QEvent::ShortcutOverride: {
            auto* E = static_cast<QKeyEvent*>(Event);
            auto* Win = dynamic_cast<TWinControl*>(C);
            const Word VK = virtualKeyOf(E);
            if (!Win || !VK) return false;
            // Keys the control keeps stay away from Qt's shortcuts.
            if (Win->Perform(CM_WANTSPECIALKEY, VK, 0) != 0 || (Win->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS)) {
                E->accept();
                return true;
            }
            return false;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            return !FromHosted && DeliverDragEvent(C, Event);
        case QEvent::FocusIn: {
            C->Perform(WM_SETFOCUS, 0, 0);
            return false;
        }
        case QEvent::FocusOut: {
            C->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(handleOfWidget(QApplication::focusWidget())), 0);
            return false;
        }
        case QEvent::Resize:
        case QEvent::Move:
            if (!FromHosted && isWindow() && !D->SyncingGeometry)
                TControlAccess::updateFromWidgetGeometry(C, geometry());
            return false;
        case QEvent::Close:
            if (FromHosted || !isWindow()) return false;
            Event->ignore();
            C->Perform(WM_CLOSE, 0, 0);
            return true;
        case QEvent::ThemeChange:
            // Palette changes are heard at the application (TThemeWatcher); a theme change that
            // keeps the palette reaches only the windows.
            if (!FromHosted) ScheduleThemeChangedBroadcast();
            return false;
        // LParam names the other window: the one being activated when this one loses activation.
        case QEvent::WindowActivate:
            if (!FromHosted) C->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
            return false;
        case QEvent::WindowDeactivate:
            if (!FromHosted)
                C->Perform(
                    WM_ACTIVATE, WA_INACTIVE,
                    reinterpret_cast<LPARAM>(isWindow() ? handleOfWidget(QApplication::activeWindow()) : nullptr));
            return false;
        case QEvent::ContextMenu: {
            auto* E = static_cast<QContextMenuEvent*>(Event);
            auto* Win = dynamic_cast<TWinControl*>(C);
            TMessage M{WM_CONTEXTMENU,
                       reinterpret_cast<WPARAM>(Win && Win->HandleAllocated() ? Win->Handle() : nullptr),
                       PointToLParam(E->globalPos().x(), E->globalPos().y()), 0};
            const bool Reached = sendFromQt(C, M);
            return FromHosted ? !(Reached && M.Result == 0) : true;
        }
        default:
            return false;
    }
}
