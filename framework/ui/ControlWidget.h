// Framework-internal: the widget behind every control, the backing image it shows, and the
// ways framework code reaches them. Only framework/ .cpp files include this header.
//
// A control wrapping a Qt widget (an editor, a list view) overrides CreateWnd: it calls the
// inherited CreateWnd and then SetHostedWidget(this, new QLineEdit). The hosted widget fills
// the control; its input still goes through the control's WindowProc as messages, and reaches
// the Qt widget only when the message gets to DefaultHandler (a handler that swallows a key or
// a click keeps it from the Qt widget); what the Qt widget leaves (an Enter a line editor
// ignores) goes no further, as on the platform, instead of coming back as new input. The window and the hosted widget
// are destroyed by DestroyWnd, so state held only in the Qt widget must be saved there (override DestroyWnd).
#pragma once

#include "framework/ui/Controls.h"

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <optional>

class TControlWidget;

// A window handle names one windowed control while its window exists.
struct TWindowHandle {
    TWinControl* Control = nullptr;
};

// A Qt event being turned into messages: records whether its message reached DefaultHandler,
// which decides whether the hosted Qt widget still gets the event.
struct TQtEventContext {
    const TMessage* Message = nullptr;
    bool ReachedDefault = false;
};

struct TControlData {
    TControlWidget* Widget = nullptr;  // the window; null until created
    TWindowHandle* Handle = nullptr;   // windowed controls only
    QPointer<QWidget> Hosted;          // a Qt widget filling the control, if any
    QImage Backing;                    // what the widget shows; paint, direct drawing and read-back
    bool Dirty = true;
    bool Painting = false;
    HDC PaintDC = nullptr;  // the context WM_PAINT draws with, while it does
    bool SyncingGeometry = false;
    TControlCanvas* Canvas = nullptr;  // the control's canvas, released before the backing changes
    TQtEventContext* PendingQtEvent = nullptr;
    QWidget* QtEventSource = nullptr;  // the hosted widget (or its child) whose event is being turned into messages
    bool Popup = false;                // a WS_POPUP window of a control that is not a form
    bool Overlay = false;              // that window shown as a child of its owner's top-level window
    std::optional<QRegion> WindowRgn;  // SetWindowRgn's shape; none: the whole window
    QImage LayeredImage;               // premultiplied pixels shown instead of Backing, when not null
    Byte LayeredAlpha = 255;           // the constant alpha over LayeredImage
};

class TControlWidget : public QWidget {
public:
    TControlWidget(TControl* Control, QWidget* Parent);
    ~TControlWidget() override;

    TControl* Control() const { return FControl; }
    // Cuts the link when the control goes first; the widget may still be inside one of its events.
    void Detach() { FControl = nullptr; }

    // Events that are being handled now, across all control widgets: a control freed inside a
    // handler leaves its widget for the event loop to delete.
    static int EventDepth;

    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TControl* FControl;
    QWidget* FSource = nullptr;  // the hosted widget (or its child) whose event is being filtered

    QEvent* FForwarding = nullptr;  // input being handed to the hosted widget now

    friend void SendToHosted(TControl* Control, QEvent* Event);
    bool handleEvent(QEvent* Event, bool FromHosted);
    // Whether Event is (a copy of) input being forwarded to the hosted widget now.
    bool isForwarded(const QEvent* Event) const;
    // Sends input whose messages went out to Target, and keeps Qt from passing back up to this
    // widget, as if new, whatever Target leaves.
    void forwardToHosted(QWidget* Target, QEvent* Event);
};

// The widget of a control (nullptr while it has no window).
QWidget* ControlWidgetOf(TControl* Control);
// The control whose WM_SETCURSOR is being answered: SetCursor shows its shape there when no
// control holds the mouse. nullptr outside that message.
TControl* SetCursorTarget();
// The control behind a widget, walking up from a hosted Qt widget; nullptr when none.
TControl* ControlOfWidget(QWidget* Widget);
// Makes Widget (created by the caller, now owned by the control's window) fill the control and
// routes its input through the control's WindowProc; nullptr removes the current one.
void SetHostedWidget(TWinControl* Control, QWidget* Widget);
QWidget* HostedWidget(TControl* Control);
// The control's backing image, sized to the control and painted when invalid.
QImage* ControlBackingImage(TControl* Control);

// The Qt cursor for a cursor number (crDefault: the arrow).
QCursor QtCursorOf(TCursor Cursor);
// The same for any index, those Screen->Cursors[] registered included (Cursors.cpp).
QCursor QtCursorOfIndex(TCursor Index);

// Qt reported a theme or palette change: every window gets one WM_THEMECHANGED when events are
// next processed, however many Qt events the change caused.
void ScheduleThemeChangedBroadcast();

// Qt's drag events over a control whose window is a registered drop target go to its target;
// false when the control has none (OleDragDrop.cpp).
bool DeliverDragEvent(TControl* Control, QEvent* Event);
// Sends a Qt event to the control's hosted widget now, past the control's event filter.
void SendToHosted(TControl* Control, QEvent* Event);

// Shows a control's popup menu at a screen point; set by the menus unit.
extern void (*ShowPopupMenuHook)(TPopupMenu* Menu, TControl* Control, int ScreenX, int ScreenY);

// Internal steps shared by the control's files.
struct TControlAccess {
    static void ensureBacking(TControl* Control);
    static void paintBacking(TControl* Control);
    static void createWidget(TControl* Control);
    static void destroyWidget(TControl* Control);
    static void applyGeometry(TControl* Control);
    static void applyVisibility(TControl* Control);
    // Turns the window just made into a popup window (Controls.h, WS_POPUP).
    static void makePopupWindow(TWinControl* Control, const TCreateParams& Params);
    static void updateFromWidgetGeometry(TControl* Control, const QRect& Geometry);
    static void registerHandle(TWinControl* Control);
    static void unregisterHandle(TWinControl* Control);
};

// While a Qt input event is turned into messages, GetKeyState answers from that event's
// modifiers and buttons (synthetic events do not reach Qt's global state).
class TInputStateScope {
public:
    TInputStateScope(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
    ~TInputStateScope();
    TInputStateScope(const TInputStateScope&) = delete;
    TInputStateScope& operator=(const TInputStateScope&) = delete;

private:
    bool FHadPrevious;
    Qt::KeyboardModifiers FPreviousModifiers;
    Qt::MouseButtons FPreviousButtons;
};

// The user's sizing of a top-level window from its frame (WindowFunctions.cpp): started by the
// default handling of WM_NCLBUTTONDOWN with a sizing hit code at a screen point.
void BeginWindowSizing(TWinControl* Window, LRESULT HitCode, const TPoint& ScreenPos);
bool WindowSizingActive();
// Records the class style of a control's class when its first window is made.
void RegisterWindowClassStyle(TWinControl* Control, const TCreateParams& Params);

// Runs F at a dispatch boundary (a Qt event entry point): an escaping exception goes to the
// application's HandleException and the program goes on.
void HandleBoundaryException(TObject* Sender);
