// Layered windows on Qt's window opacity, or on a per-pixel image the window's widget shows.
#include "framework/ui/LayeredWindows.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"

#include <QPainter>

#include <QWindow>

namespace {

// The control whose window is the layer: a popup window (an overlay too) is its own, any other
// control's is its top-level window's.
TControl* layerControlOf(HWND Wnd) {
    TWinControl* Control = FindControl(Wnd);
    QWidget* W = Control ? ControlWidgetOf(Control) : nullptr;
    if (!W) return nullptr;
    return Control->Data()->Popup ? Control : ControlOfWidget(W->window());
}

QWidget* topLevelOf(HWND Wnd) {
    TControl* Control = layerControlOf(Wnd);
    return Control ? ControlWidgetOf(Control) : nullptr;
}

// SourceDC's pixels from SourcePoint, Size of them: 32-bit pixels as premultiplied colour and
// alpha, any other format opaque.
QImage layerImageOf(HDC SourceDC, const TPoint* SourcePoint, const TSize* Size) {
    DCReleasePainter(SourceDC);
    const QImage* Source = DCImage(SourceDC);
    if (!Source || Source->isNull()) return QImage();
    QImage Pixels = Source->format() == QImage::Format_ARGB32
                        ? QImage(Source->constBits(), Source->width(), Source->height(), Source->bytesPerLine(),
                                 QImage::Format_ARGB32_Premultiplied)
                        : Source->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QPoint From = SourcePoint ? QPoint(SourcePoint->X, SourcePoint->Y) : QPoint(0, 0);
    const QSize Want = Size ? QSize(Size->cx, Size->cy) : Pixels.size();
    return Pixels.copy(QRect(From, Want));
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
    (void)Key;
    TControl* Layer = layerControlOf(Wnd);
    QWidget* W = topLevelOf(Wnd);
    if (!Layer || !W) return 0;
    if (DestPoint || Size) {
        const TRect R = Layer->BoundsRect();
        const TWeak<TControl> Alive(Layer);
        Layer->SetBounds(DestPoint ? DestPoint->X : R.Left, DestPoint ? DestPoint->Y : R.Top,
                         Size ? Size->cx : R.Width(), Size ? Size->cy : R.Height());
        if (!Alive) return 1;
    }
    TControlData* D = Layer->Data();
    if (Blend && (Flags & ULW_ALPHA) && Blend->AlphaFormat == AC_SRC_ALPHA && SourceDC) {
        // Per-pixel alpha: the window shows the source's pixels, its constant alpha over them.
        D->LayeredImage = layerImageOf(SourceDC, SourcePoint, Size);
        D->LayeredAlpha = Blend->SourceConstantAlpha;
        W->setWindowOpacity(1.0);
        W->update();
        return 1;
    }
    if (!D->LayeredImage.isNull()) {
        D->LayeredImage = QImage();
        W->update();
    }
    if (Blend && (Flags & ULW_ALPHA)) W->setWindowOpacity(Blend->SourceConstantAlpha / 255.0);
    if (Flags & ULW_OPAQUE) W->setWindowOpacity(1.0);
    return 1;
}

double LayeredWindowOpacity(HWND Wnd) {
    TControl* Layer = layerControlOf(Wnd);
    QWidget* W = topLevelOf(Wnd);
    if (!Layer || !W) return 1.0;
    if (!Layer->Data()->LayeredImage.isNull()) return Layer->Data()->LayeredAlpha / 255.0;
    return W->windowOpacity();
}

BOOL DrawWindowAsShown(HWND Wnd, HDC DC, int X, int Y) {
    TWinControl* Control = FindControl(Wnd);
    if (!Control || !DC) return 0;
    const TControlData* D = Control->Data();
    QImage Shown;
    double Opacity = 1.0;
    if (!D->LayeredImage.isNull()) {
        Shown = D->LayeredImage;
        Opacity = D->LayeredAlpha / 255.0;
    } else {
        Shown = QImage(Control->Width(), Control->Height(), QImage::Format_ARGB32_Premultiplied);
        Shown.fill(Qt::transparent);
        TBitmap Picture(Control->Width(), Control->Height());
        Control->PaintTo(Picture.Canvas(), 0, 0);
        QPainter(&Shown).drawImage(0, 0, *BitmapQImage(&Picture));
        if (QWidget* W = ControlWidgetOf(Control); W && W->isWindow()) Opacity = W->windowOpacity();
    }
    if (D->WindowRgn) {
        QImage Clipped(Shown.size(), QImage::Format_ARGB32_Premultiplied);
        Clipped.fill(Qt::transparent);
        QPainter P(&Clipped);
        P.setClipRegion(*D->WindowRgn);
        P.drawImage(0, 0, Shown);
        P.end();
        Shown = Clipped;
    }
    QPainter* P = DCPainter(DC);
    if (!P) return 0;
    P->save();
    P->setOpacity(Opacity);
    P->drawImage(DCToDevice(DC, X, Y), Shown);
    P->restore();
    return 1;
}

TModuleExports User32Exports() {
    return {
        {"SetLayeredWindowAttributes", reinterpret_cast<FARPROC>(&SetLayeredWindowAttributes)},
        {"UpdateLayeredWindow", reinterpret_cast<FARPROC>(&UpdateLayeredWindow)},
    };
}
