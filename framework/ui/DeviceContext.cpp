// Device contexts on raster images: state, the logical-to-device mapping, clipping and the
// drawing primitives shared by the canvas and the GDI calls.
#include "framework/ui/DeviceContext.h"

#include "framework/ui/FontMapper.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFF;

// The sixteen binary raster operations, Pen against Dest, in TPenMode order.
QRgb applyRop2(TPenMode Mode, QRgb Pen, QRgb Dest) {
    switch (Mode) {
        case pmBlack:
            return 0;
        case pmWhite:
            return kRgbMask;
        case pmNop:
            return Dest;
        case pmNot:
            return ~Dest;
        case pmCopy:
            return Pen;
        case pmNotCopy:
            return ~Pen;
        case pmMergePenNot:
            return Pen | ~Dest;
        case pmMaskPenNot:
            return Pen & ~Dest;
        case pmMergeNotPen:
            return ~Pen | Dest;
        case pmMaskNotPen:
            return ~Pen & Dest;
        case pmMerge:
            return Pen | Dest;
        case pmNotMerge:
            return ~(Pen | Dest);
        case pmMask:
            return Pen & Dest;
        case pmNotMask:
            return ~(Pen & Dest);
        case pmXor:
            return Pen ^ Dest;
        case pmNotXor:
            return ~(Pen ^ Dest);
    }
    return Dest;
}

COLORREF colorRefOf(QRgb Rgb) { return static_cast<COLORREF>(qRed(Rgb) | (qGreen(Rgb) << 8) | (qBlue(Rgb) << 16)); }

QRgb rgbOf(COLORREF C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }

bool hasImage(HDC DC) { return DC && DC->Target && !DC->Target->isNull(); }

QRect imageRect(HDC DC) { return DC->Target->rect(); }

bool inClip(HDC DC, const QPoint& P) {
    if (!imageRect(DC).contains(P)) return false;
    return !DC->State.Clipped || DC->State.Clip.contains(P);
}

void applyClip(HDC DC) {
    if (!DC->Painter) return;
    if (DC->State.Clipped)
        DC->Painter->setClipRegion(DC->State.Clip);
    else
        DC->Painter->setClipping(false);
}

// Writes a pixel keeping the destination's alpha, so 32-bit bitmaps keep their alpha channel.
void writePixel(QImage& Image, int X, int Y, QRgb Rgb) {
    const QRgb Old = Image.pixel(X, Y);
    Image.setPixel(X, Y, (Old & 0xFF000000u) | (Rgb & kRgbMask));
}

int penWidth(const TDCPen& Pen) { return std::max(1, Pen.Width); }

bool penVisible(const TDCPen& Pen) { return Pen.Style != psClear; }

// Dash patterns of one-pixel pens, in pixels on and off.
std::vector<int> dashPattern(TPenStyle Style) {
    switch (Style) {
        case psDash:
            return {18, 6};
        case psDot:
            return {3, 3};
        case psDashDot:
            return {9, 6, 3, 6};
        case psDashDotDot:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

// Whether pixel Index of a styled one-pixel line is drawn.
bool dashOn(const std::vector<int>& Pattern, int Index) {
    if (Pattern.empty()) return true;
    int Period = 0;
    for (int L : Pattern) Period += L;
    int Pos = Index % Period;
    for (size_t I = 0; I < Pattern.size(); ++I) {
        if (Pos < Pattern[I]) return I % 2 == 0;
        Pos -= Pattern[I];
    }
    return true;
}

// Pixels of the line from A to B without B.
std::vector<QPoint> linePixels(QPoint A, QPoint B) {
    std::vector<QPoint> Pixels;
    int X = A.x(), Y = A.y();
    const int DX = std::abs(B.x() - X), DY = -std::abs(B.y() - Y);
    const int SX = X < B.x() ? 1 : -1, SY = Y < B.y() ? 1 : -1;
    int Err = DX + DY;
    while (X != B.x() || Y != B.y()) {
        Pixels.emplace_back(X, Y);
        const int E2 = 2 * Err;
        if (E2 >= DY) {
            Err += DY;
            X += SX;
        }
        if (E2 <= DX) {
            Err += DX;
            Y += SY;
        }
    }
    return Pixels;
}

QPen qPenOf(const TDCPen& Pen) {
    QPen P(QColorOf(Pen.Color));
    P.setWidth(penWidth(Pen));
    P.setJoinStyle(Qt::MiterJoin);
    P.setCapStyle(Qt::SquareCap);
    // Styled pens wider than one pixel draw solid, as on the platform.
    const auto Pattern = Pen.Width <= 1 ? dashPattern(Pen.Style) : std::vector<int>{};
    if (!Pattern.empty()) {
        QList<qreal> Dashes;
        for (int L : Pattern) Dashes << L;
        P.setCapStyle(Qt::FlatCap);
        P.setDashPattern(Dashes);
    }
    return P;
}

QBrush qBrushOf(const TDCBrush& Brush) {
    if (!Brush.Pattern.isNull()) return QBrush(Brush.Pattern);
    const QColor C = QColorOf(Brush.Color);
    switch (Brush.Style) {
        case bsSolid:
            return QBrush(C);
        case bsClear:
            return QBrush(Qt::NoBrush);
        case bsHorizontal:
            return QBrush(C, Qt::HorPattern);
        case bsVertical:
            return QBrush(C, Qt::VerPattern);
        case bsFDiagonal:
            return QBrush(C, Qt::FDiagPattern);
        case bsBDiagonal:
            return QBrush(C, Qt::BDiagPattern);
        case bsCross:
            return QBrush(C, Qt::CrossPattern);
        case bsDiagCross:
            return QBrush(C, Qt::DiagCrossPattern);
    }
    return QBrush(C);
}

bool brushVisible(const TDCBrush& Brush) { return Brush.Style != bsClear || !Brush.Pattern.isNull(); }

bool isHatched(const TDCBrush& Brush) {
    return Brush.Pattern.isNull() && Brush.Style != bsSolid && Brush.Style != bsClear;
}

// Runs Draw with a painter in device coordinates. With the copy mode it paints on the target;
// otherwise it paints a mask and combines the mask with the target by the raster operation,
// pixel by pixel, inside Bounds.
// FillsOnly says that Draw only fills rectangles, which uses none of the painter's state but
// its clip, transform and composition mode: with those as needed already, no save is needed.
template <bool FillsOnly = false, class F>
void paintShape(HDC DC, const QRect& Bounds, F&& Draw) {
    if (!hasImage(DC)) return;
    if (DC->State.Rop2 == pmCopy) {
        QPainter* P = DCPainter(DC);
        if (!P) return;
        if (FillsOnly && P->transform().isIdentity() && P->compositionMode() == QPainter::CompositionMode_SourceOver) {
            Draw(*P);
            return;
        }
        P->save();
        P->resetTransform();
        P->setRenderHint(QPainter::Antialiasing, false);
        P->setCompositionMode(QPainter::CompositionMode_SourceOver);
        Draw(*P);
        P->restore();
        return;
    }
    const QRect Area = Bounds.intersected(imageRect(DC));
    if (Area.isEmpty()) return;
    QImage Mask(Area.size(), QImage::Format_ARGB32);
    Mask.fill(0);
    {
        QPainter M(&Mask);
        M.translate(-Area.topLeft());
        if (DC->State.Clipped) M.setClipRegion(DC->State.Clip);
        Draw(M);
    }
    DCReleasePainter(DC);
    QImage& Target = *DC->Target;
    for (int Y = 0; Y < Area.height(); ++Y) {
        for (int X = 0; X < Area.width(); ++X) {
            const QRgb Src = Mask.pixel(X, Y);
            if (qAlpha(Src) != 255) continue;
            const int TX = Area.left() + X, TY = Area.top() + Y;
            writePixel(Target, TX, TY, applyRop2(DC->State.Rop2, Src & kRgbMask, Target.pixel(TX, TY) & kRgbMask));
        }
    }
}

// Fills R (device) with the brush; hatched brushes show the background colour in opaque mode.
void fillDevice(HDC DC, QPainter& P, const QRect& R, const TDCBrush& Brush) {
    if (!brushVisible(Brush) || R.isEmpty()) return;
    if (isHatched(Brush) && DC->State.BkMode == OPAQUE) P.fillRect(R, QColor::fromRgb(rgbOf(DC->State.BkColor)));
    // A plain colour fills without a brush, which the paint engine would set up first.
    if (Brush.Style == bsSolid && Brush.Pattern.isNull())
        P.fillRect(R, QColorOf(Brush.Color));
    else
        P.fillRect(R, qBrushOf(Brush));
}

QRect normalizedDevice(HDC DC, const TRect& R) { return DCToDevice(DC, R); }

// Block transfers, fills and text ignore the pen's raster operation.
class CopyModeScope {
public:
    explicit CopyModeScope(HDC DC) : FDC(DC), FOld(std::exchange(DC->State.Rop2, pmCopy)) {}
    ~CopyModeScope() { FDC->State.Rop2 = FOld; }
    CopyModeScope(const CopyModeScope&) = delete;
    CopyModeScope& operator=(const CopyModeScope&) = delete;

private:
    HDC FDC;
    TPenMode FOld;
};

void plotPixels(QPainter& P, const std::vector<QPoint>& Pixels, const QColor& Color) {
    // A run of neighbours along a row or a column is filled as one rectangle.
    const size_t N = Pixels.size();
    for (size_t I = 0; I < N;) {
        size_t J = I + 1;
        if (J < N) {
            const QPoint Step = Pixels[J] - Pixels[I];
            if (Step.manhattanLength() == 1)
                while (J < N && Pixels[J] - Pixels[J - 1] == Step) ++J;
        }
        const QPoint A = Pixels[I], B = Pixels[J - 1];
        P.fillRect(QRect(QPoint(std::min(A.x(), B.x()), std::min(A.y(), B.y())),
                         QPoint(std::max(A.x(), B.x()), std::max(A.y(), B.y()))),
                   Color);
        I = J;
    }
}

// Pixels of the one-pixel frame of R walked clockwise, each once.
std::vector<QPoint> framePixels(const QRect& R) {
    std::vector<QPoint> Pixels;
    if (R.isEmpty()) return Pixels;
    const int L = R.left(), T = R.top(), Rt = R.right(), B = R.bottom();
    for (int X = L; X <= Rt; ++X) Pixels.emplace_back(X, T);
    for (int Y = T + 1; Y <= B; ++Y) Pixels.emplace_back(Rt, Y);
    if (B > T)
        for (int X = Rt - 1; X >= L; --X) Pixels.emplace_back(X, B);
    if (Rt > L)
        for (int Y = B - 1; Y > T; --Y) Pixels.emplace_back(L, Y);
    return Pixels;
}

std::vector<QPoint> styledPixels(const std::vector<QPoint>& Pixels, TPenStyle Style) {
    const auto Pattern = dashPattern(Style);
    if (Pattern.empty()) return Pixels;
    std::vector<QPoint> Result;
    for (size_t I = 0; I < Pixels.size(); ++I)
        if (dashOn(Pattern, static_cast<int>(I))) Result.push_back(Pixels[I]);
    return Result;
}

QRect boundsOf(const std::vector<QPoint>& Points, int Margin) {
    if (Points.empty()) return {};
    int L = Points[0].x(), T = Points[0].y(), R = L, B = T;
    for (const QPoint& P : Points) {
        L = std::min(L, P.x());
        T = std::min(T, P.y());
        R = std::max(R, P.x());
        B = std::max(B, P.y());
    }
    return QRect(QPoint(L, T), QPoint(R, B)).adjusted(-Margin, -Margin, Margin, Margin);
}

void drawLineDevice(HDC DC, QPoint A, QPoint B) {
    const TDCPen& Pen = DC->State.Pen;
    if (!penVisible(Pen) || A == B) return;
    const int W = penWidth(Pen);
    paintShape(DC, boundsOf({A, B}, W), [&](QPainter& P) {
        if (W == 1) {
            plotPixels(P, styledPixels(linePixels(A, B), Pen.Style), QColorOf(Pen.Color));
            return;
        }
        QPen QP = qPenOf(Pen);
        QP.setCapStyle(Qt::FlatCap);
        P.setPen(QP);
        P.drawLine(A, B);
    });
}

// Anticlockwise angle of the ray from the centre of R to Pt, in degrees.
double rayAngle(const QRectF& R, QPointF Pt) {
    const QPointF C = R.center();
    const double Rad = std::atan2(-(Pt.y() - C.y()) * R.width(), (Pt.x() - C.x()) * R.height());
    return Rad * 180.0 / std::numbers::pi;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

HDC CreateImageDC(QImage* Target) {
    auto* DC = new TDeviceContext;
    DC->Target = Target;
    return DC;
}

void DeleteDC(HDC DC) {
    if (!DC) return;
    ReleaseDCObjects(DC);
    delete DC;
}

QImage* DCImage(HDC DC) { return DC ? DC->Target : nullptr; }

QPainter* DCPainter(HDC DC) {
    if (!hasImage(DC)) return nullptr;
    if (!DC->Painter) {
        DC->Painter = std::make_unique<QPainter>();
        DC->PainterFontSet = false;
        if (!DC->Painter->begin(DC->Target)) {
            DC->Painter.reset();
            return nullptr;
        }
        applyClip(DC);
    }
    return DC->Painter.get();
}

void DCReleasePainter(HDC DC) {
    if (DC && DC->Painter) {
        DC->Painter.reset();
        DC->PainterFontSet = false;
    }
}

void DCApplyFont(HDC DC, QPainter& P) {
    if (DC->PainterFontSet && DC->PainterFont == DC->State.Font) return;
    P.setFont(DC->State.Font);
    DC->PainterFont = DC->State.Font;
    DC->PainterFontSet = true;
}

QPoint DCToDevice(HDC DC, int X, int Y) {
    const TDCState& S = DC->State;
    return {X - S.WindowOrg.X + S.ViewportOrg.X, Y - S.WindowOrg.Y + S.ViewportOrg.Y};
}

QRect DCToDevice(HDC DC, const TRect& R) {
    const QPoint A = DCToDevice(DC, R.Left, R.Top), B = DCToDevice(DC, R.Right, R.Bottom);
    const int L = std::min(A.x(), B.x()), T = std::min(A.y(), B.y());
    return QRect(L, T, std::abs(B.x() - A.x()), std::abs(B.y() - A.y()));
}

TPoint DCToLogical(HDC DC, int X, int Y) {
    const TDCState& S = DC->State;
    return {X + S.WindowOrg.X - S.ViewportOrg.X, Y + S.WindowOrg.Y - S.ViewportOrg.Y};
}

QColor QColorOf(TColor Color) { return QColor::fromRgb(rgbOf(static_cast<COLORREF>(ColorToRGB(Color)))); }

void DCFillRect(HDC DC, const TRect& R, const TDCBrush& Brush) {
    if (!DC) return;
    const CopyModeScope Copy(DC);
    const QRect D = normalizedDevice(DC, R);
    paintShape<true>(DC, D, [&](QPainter& P) { fillDevice(DC, P, D, Brush); });
}

void DCRectangle(HDC DC, const TRect& R) {
    const QRect D = normalizedDevice(DC, R);
    if (D.isEmpty()) return;
    const TDCPen& Pen = DC->State.Pen;
    paintShape<true>(DC, D, [&](QPainter& P) {
        if (!penVisible(Pen)) {
            // Without a pen the platform fills one pixel less to the right and bottom.
            fillDevice(DC, P, D.adjusted(0, 0, -1, -1), DC->State.Brush);
            return;
        }
        const int W = std::min({penWidth(Pen), D.width(), D.height()});
        const TDCBrush& Brush = DC->State.Brush;
        if (Brush.Style == bsSolid && Brush.Pattern.isNull() && dashPattern(Pen.Style).empty() &&
            ColorToRGB(Brush.Color) == ColorToRGB(Pen.Color)) {
            // A frame in the fill's colour: one fill gives the same pixels.
            P.fillRect(D, QColorOf(Pen.Color));
            return;
        }
        fillDevice(DC, P, D.adjusted(W, W, -W, -W), Brush);
        const QColor C = QColorOf(Pen.Color);
        if (W == 1 && !dashPattern(Pen.Style).empty()) {
            plotPixels(P, styledPixels(framePixels(D), Pen.Style), C);
            return;
        }
        // A solid frame as four bars: the same pixels as walking it, without a fill per pixel.
        P.fillRect(QRect(D.left(), D.top(), D.width(), W), C);
        P.fillRect(QRect(D.left(), D.bottom() - W + 1, D.width(), W), C);
        if (D.height() <= 2 * W) return;
        P.fillRect(QRect(D.left(), D.top() + W, W, D.height() - 2 * W), C);
        P.fillRect(QRect(D.right() - W + 1, D.top() + W, W, D.height() - 2 * W), C);
    });
}

namespace {

// Sets up pen and brush for an outlined shape in the device rectangle D, shrinking the
// outline path so a pen of width W stays inside D.
QRectF outlineRect(const QRect& D, const TDCPen& Pen) {
    if (!penVisible(Pen)) return QRectF(D.left(), D.top(), D.width() - 1, D.height() - 1);
    const double W = penWidth(Pen);
    const double Inset = (W - 1) / 2.0;
    return QRectF(D.left() + Inset, D.top() + Inset, D.width() - 1 - 2 * Inset, D.height() - 1 - 2 * Inset);
}

void preparePenAndBrush(HDC DC, QPainter& P) {
    P.setPen(penVisible(DC->State.Pen) ? qPenOf(DC->State.Pen) : QPen(Qt::NoPen));
    P.setBrush(qBrushOf(DC->State.Brush));
}

}  // namespace

void DCRoundRect(HDC DC, const TRect& R, int CornerWidth, int CornerHeight) {
    const QRect D = normalizedDevice(DC, R);
    if (D.isEmpty()) return;
    paintShape(DC, D, [&](QPainter& P) {
        preparePenAndBrush(DC, P);
        P.drawRoundedRect(outlineRect(D, DC->State.Pen), CornerWidth / 2.0, CornerHeight / 2.0);
    });
}

void DCEllipse(HDC DC, const TRect& R) {
    const QRect D = normalizedDevice(DC, R);
    if (D.isEmpty()) return;
    paintShape(DC, D, [&](QPainter& P) {
        preparePenAndBrush(DC, P);
        P.drawEllipse(outlineRect(D, DC->State.Pen));
    });
}

void DCPolygon(HDC DC, const std::vector<TPoint>& Points) {
    if (Points.size() < 2) return;
    QPolygon Poly;
    std::vector<QPoint> Device;
    for (const TPoint& Pt : Points) {
        Device.push_back(DCToDevice(DC, Pt.X, Pt.Y));
        Poly << Device.back();
    }
    paintShape(DC, boundsOf(Device, penWidth(DC->State.Pen)), [&](QPainter& P) {
        P.setPen(Qt::NoPen);
        P.setBrush(qBrushOf(DC->State.Brush));
        P.drawPolygon(Poly, Qt::OddEvenFill);
    });
    if (!penVisible(DC->State.Pen)) return;
    // The outline as closed line segments: each edge leaves out its end, which is the next
    // edge's start, so every vertex is drawn, as on the platform.
    for (size_t I = 0; I < Device.size(); ++I) drawLineDevice(DC, Device[I], Device[(I + 1) % Device.size()]);
}

void DCPolyline(HDC DC, const std::vector<TPoint>& Points) {
    for (size_t I = 1; I < Points.size(); ++I)
        drawLineDevice(DC, DCToDevice(DC, Points[I - 1].X, Points[I - 1].Y), DCToDevice(DC, Points[I].X, Points[I].Y));
}

void DCArc(HDC DC, const TRect& R, TPoint Start, TPoint End, TArcKind Kind) {
    const QRect D = normalizedDevice(DC, R);
    if (D.isEmpty()) return;
    const QRectF O = outlineRect(D, DC->State.Pen);
    const double A0 = rayAngle(O, DCToDevice(DC, Start.X, Start.Y));
    double Span = rayAngle(O, DCToDevice(DC, End.X, End.Y)) - A0;
    if (Span <= 0) Span += 360.0;
    const int QA = static_cast<int>(std::lround(A0 * 16)), QS = static_cast<int>(std::lround(Span * 16));
    paintShape(DC, D, [&](QPainter& P) {
        preparePenAndBrush(DC, P);
        switch (Kind) {
            case TArcKind::Arc:
                P.setBrush(Qt::NoBrush);
                P.drawArc(O, QA, QS);
                break;
            case TArcKind::Pie:
                P.drawPie(O, QA, QS);
                break;
            case TArcKind::Chord:
                P.drawChord(O, QA, QS);
                break;
        }
    });
}

void DCTextOut(HDC DC, int X, int Y, const String& Text, const TRect* ClipRect, bool OpaqueRect) {
    if (!hasImage(DC)) return;
    const CopyModeScope Copy(DC);
    const TDCState& S = DC->State;
    const QPoint Origin = DCToDevice(DC, X, Y);
    const TSize Extent = FontTextExtent(S.Font, Text);
    const QColor Bk = QColor::fromRgb(rgbOf(S.BkColor));
    const QRect Clip = ClipRect ? DCToDevice(DC, *ClipRect) : QRect();
    QRect Bounds = ClipRect ? Clip : QRect(Origin, QSize(Extent.cx, Extent.cy));
    if (S.Escapement != 0) Bounds = imageRect(DC);
    paintShape(DC, Bounds, [&](QPainter& P) {
        if (ClipRect) {
            if (OpaqueRect) P.fillRect(Clip, Bk);
            P.setClipRect(Clip, DC->State.Clipped ? Qt::IntersectClip : Qt::ReplaceClip);
        }
        P.translate(Origin);
        // Escapement turns anticlockwise; Qt turns clockwise on a y-down surface.
        if (S.Escapement != 0) P.rotate(-S.Escapement / 10.0);
        if (S.BkMode == OPAQUE && !OpaqueRect) P.fillRect(QRect(0, 0, Extent.cx, Extent.cy), Bk);
        P.setFont(S.Font);
        P.setPen(QColor::fromRgb(rgbOf(S.TextColor)));
        P.drawText(QPoint(0, FontAscent(S.Font)), Text);
    });
}

TSize DCTextExtent(HDC DC, const String& Text) { return FontTextExtent(DC->State.Font, Text); }

void DCDrawImage(HDC DC, const TRect& Dest, const QImage& Source, const QRect& SourceRect, bool Blend) {
    const QRect D = normalizedDevice(DC, Dest);
    if (D.isEmpty() || Source.isNull()) return;
    const CopyModeScope Copy(DC);
    if (Blend) {
        // Controls and glyphs are blended on every paint: with the painter already as the
        // drawing needs it, no save and restore.
        QPainter* P = DCPainter(DC);
        if (P && P->transform().isIdentity() && P->compositionMode() == QPainter::CompositionMode_SourceOver &&
            !(P->renderHints() & (QPainter::SmoothPixmapTransform | QPainter::Antialiasing))) {
            P->drawImage(D, Source, SourceRect);
            return;
        }
    }
    paintShape(DC, D, [&](QPainter& P) {
        P.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (!Blend) P.setCompositionMode(QPainter::CompositionMode_Source);
        if (Blend || Source.hasAlphaChannel() == false) {
            P.drawImage(D, Source, SourceRect);
            return;
        }
        // A straight copy ignores the source's alpha, as a block transfer does.
        P.drawImage(D, Source.copy(SourceRect).convertToFormat(QImage::Format_RGB32));
    });
}

void DCFloodFill(HDC DC, int X, int Y, TColor Color, TFillStyle FillStyle) {
    if (!hasImage(DC)) return;
    const QPoint Start = DCToDevice(DC, X, Y);
    if (!inClip(DC, Start)) return;
    DCReleasePainter(DC);
    QImage& Image = *DC->Target;
    const QRgb Key = rgbOf(static_cast<COLORREF>(ColorToRGB(Color))) & kRgbMask;
    const QRgb Fill = QColorOf(DC->State.Brush.Color).rgb() & kRgbMask;
    auto Fillable = [&](const QPoint& P) {
        const QRgb C = Image.pixel(P) & kRgbMask;
        return FillStyle == fsSurface ? C == Key : C != Key;
    };
    if (!Fillable(Start)) return;
    std::vector<bool> Seen(static_cast<size_t>(Image.width()) * Image.height());
    std::vector<QPoint> Stack{Start};
    while (!Stack.empty()) {
        const QPoint P = Stack.back();
        Stack.pop_back();
        const size_t Index = static_cast<size_t>(P.y()) * Image.width() + P.x();
        if (Seen[Index]) continue;
        Seen[Index] = true;
        if (!Fillable(P)) continue;
        writePixel(Image, P.x(), P.y(), Fill);
        for (const QPoint& N : {P + QPoint(1, 0), P - QPoint(1, 0), P + QPoint(0, 1), P - QPoint(0, 1)})
            if (inClip(DC, N)) Stack.push_back(N);
    }
}

// ---------------------------------------------------------------------------------------------
// GDI calls

int SaveDC(HDC DC) {
    if (!DC) return 0;
    DC->Saved.push_back(DC->State);
    return static_cast<int>(DC->Saved.size());
}

BOOL RestoreDC(HDC DC, int Level) {
    if (!DC || Level == 0) return 0;
    const int Count = static_cast<int>(DC->Saved.size());
    const int Index = Level < 0 ? Count + Level : Level - 1;
    if (Index < 0 || Index >= Count) return 0;
    DC->State = DC->Saved[static_cast<size_t>(Index)];
    DC->Saved.resize(static_cast<size_t>(Index));
    applyClip(DC);
    return 1;
}

namespace {

BOOL setOrigin(HDC DC, TPoint TDCState::*Field, int X, int Y, TPoint* Old) {
    if (!DC) return 0;
    if (Old) *Old = DC->State.*Field;
    DC->State.*Field = {X, Y};
    return 1;
}

}  // namespace

BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old) { return setOrigin(DC, &TDCState::WindowOrg, X, Y, Old); }

BOOL GetWindowOrgEx(HDC DC, TPoint* Origin) {
    if (!DC || !Origin) return 0;
    *Origin = DC->State.WindowOrg;
    return 1;
}

BOOL OffsetWindowOrgEx(HDC DC, int DX, int DY, TPoint* Old) {
    if (!DC) return 0;
    const TPoint O = DC->State.WindowOrg;
    return SetWindowOrgEx(DC, O.X + DX, O.Y + DY, Old);
}

BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old) { return setOrigin(DC, &TDCState::ViewportOrg, X, Y, Old); }

BOOL GetViewportOrgEx(HDC DC, TPoint* Origin) {
    if (!DC || !Origin) return 0;
    *Origin = DC->State.ViewportOrg;
    return 1;
}

BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old) {
    if (!DC) return 0;
    const TPoint O = DC->State.ViewportOrg;
    return SetViewportOrgEx(DC, O.X + DX, O.Y + DY, Old);
}

BOOL LPtoDP(HDC DC, TPoint* Points, int Count) {
    if (!DC || (!Points && Count > 0)) return 0;
    for (int I = 0; I < Count; ++I) {
        const QPoint D = DCToDevice(DC, Points[I].X, Points[I].Y);
        Points[I] = {D.x(), D.y()};
    }
    return 1;
}

BOOL DPtoLP(HDC DC, TPoint* Points, int Count) {
    if (!DC || (!Points && Count > 0)) return 0;
    for (int I = 0; I < Count; ++I) Points[I] = DCToLogical(DC, Points[I].X, Points[I].Y);
    return 1;
}

int GetDeviceCaps(HDC DC, int Index) {
    const QSize Size = DC && DC->Target ? DC->Target->size() : QSize();
    switch (Index) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case HORZRES:
            return Size.width();
        case VERTRES:
            return Size.height();
        case HORZSIZE:
            return static_cast<int>(std::lround(Size.width() * 25.4 / 96));
        case VERTSIZE:
            return static_cast<int>(std::lround(Size.height() * 25.4 / 96));
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        default:
            return 0;
    }
}

int SetBkMode(HDC DC, int Mode) {
    if (!DC || (Mode != TRANSPARENT && Mode != OPAQUE)) return 0;
    return std::exchange(DC->State.BkMode, Mode);
}

int GetBkMode(HDC DC) { return DC ? DC->State.BkMode : 0; }

COLORREF SetBkColor(HDC DC, COLORREF Color) {
    if (!DC) return CLR_INVALID;
    return std::exchange(DC->State.BkColor, static_cast<COLORREF>(ColorToRGB(static_cast<TColor>(Color))));
}

COLORREF GetBkColor(HDC DC) { return DC ? DC->State.BkColor : CLR_INVALID; }

COLORREF SetTextColor(HDC DC, COLORREF Color) {
    if (!DC) return CLR_INVALID;
    return std::exchange(DC->State.TextColor, static_cast<COLORREF>(ColorToRGB(static_cast<TColor>(Color))));
}

COLORREF GetTextColor(HDC DC) { return DC ? DC->State.TextColor : CLR_INVALID; }

COLORREF GetPixel(HDC DC, int X, int Y) {
    if (!hasImage(DC)) return CLR_INVALID;
    const QPoint P = DCToDevice(DC, X, Y);
    if (!inClip(DC, P)) return CLR_INVALID;
    DCReleasePainter(DC);
    return colorRefOf(DC->Target->pixel(P));
}

COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color) {
    if (!hasImage(DC)) return CLR_INVALID;
    const QPoint P = DCToDevice(DC, X, Y);
    if (!inClip(DC, P)) return CLR_INVALID;
    DCReleasePainter(DC);
    const COLORREF Rgb = static_cast<COLORREF>(ColorToRGB(static_cast<TColor>(Color)));
    writePixel(*DC->Target, P.x(), P.y(), rgbOf(Rgb));
    return Rgb;
}

namespace {

int clipKind(HDC DC) {
    if (!DC->State.Clipped) return SIMPLEREGION;
    if (DC->State.Clip.isEmpty()) return NULLREGION;
    return DC->State.Clip.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion currentClip(HDC DC) { return DC->State.Clipped ? DC->State.Clip : QRegion(imageRect(DC)); }

}  // namespace

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
    if (!hasImage(DC)) return RGN_ERROR;
    DC->State.Clip = currentClip(DC).intersected(DCToDevice(DC, TRect{Left, Top, Right, Bottom}));
    DC->State.Clipped = true;
    applyClip(DC);
    return clipKind(DC);
}

int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
    if (!hasImage(DC)) return RGN_ERROR;
    DC->State.Clip = currentClip(DC).subtracted(DCToDevice(DC, TRect{Left, Top, Right, Bottom}));
    DC->State.Clipped = true;
    applyClip(DC);
    return clipKind(DC);
}

int SelectClipRgn(HDC DC, HRGN Rgn) {
    if (!hasImage(DC)) return RGN_ERROR;
    const QRegion* Region = nullptr;
    if (Rgn && !(Region = RegionOf(Rgn))) return RGN_ERROR;
    DC->State.Clipped = Region != nullptr;
    DC->State.Clip = Region ? *Region : QRegion();
    applyClip(DC);
    return clipKind(DC);
}

int GetClipBox(HDC DC, TRect* Rect) {
    if (!hasImage(DC) || !Rect) return RGN_ERROR;
    const QRect B = currentClip(DC).boundingRect();
    const TPoint TL = DCToLogical(DC, B.left(), B.top());
    *Rect = {TL.X, TL.Y, TL.X + B.width(), TL.Y + B.height()};
    return clipKind(DC);
}

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old) {
    if (!DC) return 0;
    if (Old) *Old = DC->State.PenPos;
    DC->State.PenPos = {X, Y};
    return 1;
}

BOOL GetCurrentPositionEx(HDC DC, TPoint* Position) {
    if (!DC || !Position) return 0;
    *Position = DC->State.PenPos;
    return 1;
}

BOOL LineTo(HDC DC, int X, int Y) {
    if (!DC) return 0;
    const TPoint From = DC->State.PenPos;
    drawLineDevice(DC, DCToDevice(DC, From.X, From.Y), DCToDevice(DC, X, Y));
    DC->State.PenPos = {X, Y};
    return 1;
}

BOOL DrawFocusRect(HDC DC, const TRect* Rect) {
    if (!hasImage(DC) || !Rect) return 0;
    const QRect D = DCToDevice(DC, *Rect);
    DCReleasePainter(DC);
    // Every other pixel of the frame, inverted: a second call restores the picture.
    for (const QPoint& P : framePixels(D)) {
        if (((P.x() + P.y()) & 1) != 0 || !inClip(DC, P)) continue;
        const QRgb Old = DC->Target->pixel(P);
        DC->Target->setPixel(P, Old ^ kRgbMask);
    }
    return 1;
}
