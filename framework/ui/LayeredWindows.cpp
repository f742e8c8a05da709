// Layered windows on Qt's window opacity.
#include "framework/ui/LayeredWindows.h"

#include "framework/ui/ControlWidget.h"

#include <QWindow>

namespace {

QWidget* topLevelOf(HWND Wnd) {
    TWinControl* Control = FindControl(Wnd);
    QWidget* W = Control ? ControlWidgetOf(Control) : nullptr;
    return W ? W->window() : nullptr;
}

}  // namespace

BOOL SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags) {
    (void)Key;
    QWidget* W = topLevelOf(Wnd);
    if (!W) return 0;
    if (Flags & LWA_ALPHA) W->setWindowOpacity(Alpha / 255.0);
    return 1;
}

BOOL SetWindowTransparentToMouse(HWND Wnd) {
    QWidget* W = topLevelOf(Wnd);
    if (!W) return 0;
    W->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    if (W->windowHandle()) W->windowHandle()->setFlag(Qt::WindowTransparentForInput, true);
    return 1;
}

bool WindowTransparentToMouse(HWND Wnd) {
    QWidget* W = topLevelOf(Wnd);
    return W && W->testAttribute(Qt::WA_TransparentForMouseEvents);
}

BOOL UpdateLayeredWindow(HWND Wnd, HDC DestDC, const TPoint* DestPoint, const TSize* Size, HDC SourceDC,
                         const TPoint* SourcePoint, COLORREF Key, const BLENDFUNCTION* Blend, DWORD Flags) {
    (void)DestDC;
    (void)SourceDC;
    (void)SourcePoint;
    (void)Key;
    TWinControl* Control = FindControl(Wnd);
    QWidget* W = topLevelOf(Wnd);
    if (!Control || !W) return 0;
    if (DestPoint || Size) {
        const TRect R = Control->BoundsRect();
        Control->SetBounds(DestPoint ? DestPoint->X : R.Left, DestPoint ? DestPoint->Y : R.Top,
                           Size ? Size->cx : R.Width(), Size ? Size->cy : R.Height());
    }
    if (Blend && (Flags & ULW_ALPHA)) W->setWindowOpacity(Blend->SourceConstantAlpha / 255.0);
    if (Flags & ULW_OPAQUE) W->setWindowOpacity(1.0);
    return 1;
}

double LayeredWindowOpacity(HWND Wnd) {
    QWidget* W = topLevelOf(Wnd);
    return W ? W->windowOpacity() : 1.0;
}

TModuleExports User32Exports() {
    return {
        {"SetLayeredWindowAttributes", reinterpret_cast<FARPROC>(&SetLayeredWindowAttributes)},
        {"UpdateLayeredWindow", reinterpret_cast<FARPROC>(&UpdateLayeredWindow)},
    };
}
