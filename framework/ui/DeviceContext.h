// Framework-internal: the drawing surface behind an HDC. It paints on a QImage through a
// QPainter opened on demand and keeps the device context's state as values.
#pragma once

#include "framework/ui/Gdi.h"
#include "framework/ui/GdiObjects.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>
#include <vector>

struct TDCPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TDCBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    QImage Pattern;  // non-null for a pattern brush
};

// The font a context starts with: the default face at 8 points.
QFont DefaultDCFont();
LOGFONTW DefaultDCLogFont();
// The QFont that draws a logical font (weight, width and face substitution applied).
QFont QFontOfLogFont(const LOGFONTW& LogFont);

struct TDCState {
    TDCPen Pen;
    TDCBrush Brush;
    QFont Font = DefaultDCFont();
    LOGFONTW LogFont = DefaultDCLogFont();  // the record Font was made from
    int Escapement = 0;                     // tenths of a degree, anticlockwise
    // The handles last selected; nullptr when the object was set as a value (by a canvas).
    // They may have been deleted since: GdiObjects checks them before use.
    HFONT FontHandle = nullptr;
    HPEN PenHandle = nullptr;
    HBRUSH BrushHandle = nullptr;
    UINT TextAlign = 0;
    TPenMode Rop2 = pmCopy;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    TPoint WindowOrg;
    TPoint ViewportOrg;
    bool Clipped = false;
    QRegion Clip;  // device units, valid when Clipped
    TPoint PenPos;
};

// What a font, pen or brush handle holds.
struct TFontHandle {
    LOGFONTW LogFont;
    QFont Font;
};
struct TPenHandle {
    TDCPen Pen;
};
struct TBrushHandle {
    TDCBrush Brush;
};
struct TRegionHandle {
    QRegion Region;
};
// The pixels of a live region handle, nullptr for a bad one.
const QRegion* RegionOf(HRGN Rgn);
// Frees the handles SelectObject made for DC to hand back what it replaced.
void ReleaseDCObjects(HDC DC);

// The image behind a TBitmap.
struct TBitmapImage {
    QImage Image;
    // Image with the transparent colour keyed out, as last drawn, for Image's cacheKey.
    QImage Masked;
    qint64 MaskedKey = 0;
    QRgb MaskedColor = 0;
};

struct TDeviceContext {
    QImage* Target = nullptr;
    std::unique_ptr<QPainter> Painter;
    // The font last set on Painter outside any save: setting a font on a painter makes Qt
    // look its face up again, so text calls set it only when it changed.
    QFont PainterFont;
    bool PainterFontSet = false;
    TDCState State;
    std::vector<TDCState> Saved;
};

// A context drawing on Target, which it does not own. Free with DeleteDC.
HDC CreateImageDC(QImage* Target);
void DeleteDC(HDC DC);
QImage* DCImage(HDC DC);
// The painter on the target, in device coordinates with the clip applied. It stays valid until
// a call on the same context reads or writes pixels directly (GetPixel, XOR drawing, ...).
QPainter* DCPainter(HDC DC);
// Ends the painter so the image can be read or written directly.
void DCReleasePainter(HDC DC);
// Puts the context's font on its painter P unless it is there already. Call it before
// QPainter::save; whoever sets another font on the painter restores it.
void DCApplyFont(HDC DC, QPainter& P);
// The image behind a bitmap, for framework code; the bitmap canvas's painter is ended first.
QImage* BitmapQImage(TBitmap* Bitmap);

// One conversion from logical to device coordinates for every call.
QPoint DCToDevice(HDC DC, int X, int Y);
QRect DCToDevice(HDC DC, const TRect& R);
TPoint DCToLogical(HDC DC, int X, int Y);

// Drawing primitives the canvas and GDI calls share; coordinates are logical.
QColor QColorOf(TColor Color);
void DCFillRect(HDC DC, const TRect& R, const TDCBrush& Brush);
void DCRectangle(HDC DC, const TRect& R);
void DCRoundRect(HDC DC, const TRect& R, int CornerWidth, int CornerHeight);
void DCEllipse(HDC DC, const TRect& R);
void DCPolygon(HDC DC, const std::vector<TPoint>& Points);
void DCPolyline(HDC DC, const std::vector<TPoint>& Points);
enum class TArcKind { Arc, Pie, Chord };
void DCArc(HDC DC, const TRect& R, TPoint Start, TPoint End, TArcKind Kind);
void DCTextOut(HDC DC, int X, int Y, const String& Text, const TRect* ClipRect, bool OpaqueRect);
TSize DCTextExtent(HDC DC, const String& Text);
// Copies (or stretches) SourceRect of Source into Dest, ignoring alpha unless Blend is set.
void DCDrawImage(HDC DC, const TRect& Dest, const QImage& Source, const QRect& SourceRect, bool Blend);
void DCFloodFill(HDC DC, int X, int Y, TColor Color, TFillStyle FillStyle);
