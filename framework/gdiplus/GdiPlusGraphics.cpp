// Graphics: the surface, transforms, hints, shapes, clipping and image drawing.
#include "framework/gdiplus/GdiPlusPrivate.h"
#include "framework/ui/DeviceContext.h"

#include <cmath>

namespace {

bool antialiasedShapes(SmoothingMode Mode) {
    return Mode == SmoothingModeAntiAlias || Mode == SmoothingModeAntiAlias8x8 || Mode == SmoothingModeHighQuality;
}

void setHints(QPainter& P, QPainter::RenderHints Hints) {
    const QPainter::RenderHints Old = P.renderHints();
    const QPainter::RenderHints Off = Old & ~Hints, On = Hints & ~Old;
    if (Off.toInt() != 0) P.setRenderHints(Off, false);
    if (On.toInt() != 0) P.setRenderHints(On, true);
}

bool antialiasedText(TextRenderingHint Hint) {
    return Hint != TextRenderingHintSingleBitPerPixelGridFit && Hint != TextRenderingHintSingleBitPerPixel;
}

QRectF rectOf(REAL X, REAL Y, REAL Width, REAL Height) { return {X, Y, Width, Height}; }

QPainterPath rectPath(const QRectF& R) {
    QPainterPath P;
    P.addRect(R);
    return P;
}

QPainterPath ellipsePath(const QRectF& R) {
    QPainterPath P;
    P.addEllipse(R);
    return P;
}

QPainterPath arcPath(const QRectF& R, REAL Start, REAL Sweep, bool Pie) {
    QPainterPath P;
    if (Pie) {
        P.moveTo(R.center());
        P.arcTo(R, -Start, -Sweep);
        P.closeSubpath();
    } else {
        P.arcMoveTo(R, -Start);
        P.arcTo(R, -Start, -Sweep);
    }
    return P;
}

QPainterPath polyPath(const GpPointF* Points, INT Count, bool Close, FillMode Mode = FillModeAlternate) {
    QPainterPath P;
    P.setFillRule(Mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    P.moveTo(qPointOf(Points[0]));
    for (INT I = 1; I < Count; ++I) P.lineTo(qPointOf(Points[I]));
    if (Close) P.closeSubpath();
    return P;
}

QPainterPath bezierPath(const GpPointF* Points, INT Count) {
    QPainterPath P;
    P.moveTo(qPointOf(Points[0]));
    for (INT I = 1; I + 2 < Count; I += 3)
        P.cubicTo(qPointOf(Points[I]), qPointOf(Points[I + 1]), qPointOf(Points[I + 2]));
    return P;
}

Status stroke(GpGraphics* G, GpPen* Pen, const QPainterPath& Shape) {
    if (!G || !Pen) return InvalidParameter;
    return gdipStroke(G, Pen, Shape);
}

Status fill(GpGraphics* G, GpBrush* Brush, const QPainterPath& Shape) {
    if (!G || !Brush) return InvalidParameter;
    return gdipFill(G, Brush, Shape);
}

// Combines Shape (world units) into the graphics' clip, kept in surface units.
Status combineClip(GpGraphics* G, const QPainterPath& Shape, bool Infinite, CombineMode Mode) {
    if (Mode < CombineModeReplace || Mode > CombineModeComplement) return InvalidParameter;
    return gdipGuarded([&] {
        QPainterPath Whole;
        Whole.addRect(QRectF(-4194304.0, -4194304.0, 8388608.0, 8388608.0));
        const QPainterPath New = Infinite ? Whole : G->World.map(Shape);
        const QPainterPath Current = G->Clipped ? G->Clip : Whole;
        QPainterPath Result;
        switch (Mode) {
            case CombineModeReplace:
                Result = New;
                break;
            case CombineModeIntersect:
                Result = Current.intersected(New);
                break;
            case CombineModeUnion:
                Result = Current.united(New);
                break;
            case CombineModeXor:
                Result = Current.united(New).subtracted(Current.intersected(New));
                break;
            case CombineModeExclude:
                Result = Current.subtracted(New);
                break;
            case CombineModeComplement:
                Result = New.subtracted(Current);
                break;
        }
        // An infinite region put in place of the clip is no clip at all.
        G->Clipped = !(Infinite && Mode == CombineModeReplace);
        G->Clip = G->Clipped ? Result : QPainterPath();
        return Ok;
    });
}

Status drawImageRect(GpGraphics* G, GpImage* Image, const QRectF& Dst, QRectF Src,
                     const GpImageAttributes* Attributes) {
    if (!G || !Image) return InvalidParameter;
    if (!data(Image)->IsBitmap()) return Ok;  // metafiles have no decoder here: they draw nothing
    return gdipGuarded([&] {
        const QImage& Source = data(Image)->Image();
        QImage Adjusted;
        const QImage* Drawn = &Source;
        if (Attributes) {
            const QRect Part = Src.toAlignedRect().intersected(Source.rect());
            Adjusted = adjustedImage(Source.copy(Part), Attributes, ColorAdjustTypeBitmap);
            Src.translate(-Part.topLeft());
            Drawn = &Adjusted;
        }
        GraphicsPaint Paint(G, GraphicsPaint::kImage);
        if (!Paint) return GenericError;
        Paint.Painter()->drawImage(Dst, *Drawn, Src);
        return Ok;
    });
}

}  // namespace

QSize GpGraphics::SurfaceSize() const {
    if (DC) {
        const QImage* Image = DCImage(DC);
        return Image ? Image->size() : QSize();
    }
    if (Target && Target->IsBitmap()) return Target->Image().size();
    return {};
}

GraphicsPaint::GraphicsPaint(GpGraphics* G, TKind Kind) {
    if (G->DC) {
        FPainter = DCPainter(G->DC);
        if (!FPainter) return;
        // A clip, or the font and pen text sets, need the whole state kept.
        FSaved = G->Clipped || Kind != kShapes;
        if (FSaved) {
            FPainter->save();
        } else {
            FOldTransform = FPainter->transform();
            FOldHints = FPainter->renderHints();
            FOldComposition = FPainter->compositionMode();
        }
        const TDCState& S = G->DC->State;
        FBase = QTransform::fromTranslate(S.ViewportOrg.X - S.WindowOrg.X, S.ViewportOrg.Y - S.WindowOrg.Y);
    } else if (G->Target && G->Target->IsBitmap()) {
        FOwned = std::make_unique<QPainter>();
        if (!FOwned->begin(&G->Target->Image())) {
            FOwned.reset();
            return;
        }
        FPainter = FOwned.get();
    } else {
        return;
    }
    QPainter& P = *FPainter;
    // The clip is in device units of the surface; the world transform follows below.
    if (G->Clipped) {
        P.setTransform(FBase);
        P.setClipPath(G->Clip, Qt::IntersectClip);
    }
    // Changing a hint or the composition costs the painter work even when the value is the same.
    QPainter::RenderHints Hints = P.renderHints();
    const bool Smooth = antialiasedShapes(G->Smoothing);
    Hints.setFlag(QPainter::Antialiasing, Kind == kShapes ? Smooth : Kind == kText && antialiasedText(G->TextHint));
    Hints.setFlag(QPainter::TextAntialiasing, antialiasedText(G->TextHint));
    Hints.setFlag(QPainter::SmoothPixmapTransform, G->Interpolation != InterpolationModeNearestNeighbor &&
                                                       G->Interpolation != InterpolationModeLowQuality);
    setHints(P, Hints);
    const QPainter::CompositionMode Composition = G->Compositing == CompositingModeSourceCopy
                                                      ? QPainter::CompositionMode_Source
                                                      : QPainter::CompositionMode_SourceOver;
    if (P.compositionMode() != Composition) P.setCompositionMode(Composition);
    // Pixel centres lie on integer coordinates unless the half-pixel offset is asked for, so
    // anti-aliased one-pixel lines on integer coordinates stay crisp.
    const bool HalfOffset = G->PixelOffset == PixelOffsetModeHalf || G->PixelOffset == PixelOffsetModeHighQuality;
    const QTransform World = Kind == kShapes && Smooth && !HalfOffset
                                 ? G->World * QTransform::fromTranslate(0.5, 0.5) * FBase
                                 : G->World * FBase;
    if (P.transform() != World) P.setTransform(World);
}

GraphicsPaint::~GraphicsPaint() {
    if (FOwned) {
        FOwned->end();
    } else if (FSaved) {
        FPainter->restore();
    } else if (FPainter) {
        setHints(*FPainter, FOldHints);
        if (FPainter->compositionMode() != FOldComposition) FPainter->setCompositionMode(FOldComposition);
        if (FPainter->transform() != FOldTransform) FPainter->setTransform(FOldTransform);
    }
}

Status gdipFill(GpGraphics* G, const GpBrush* Brush, const QPainterPath& Shape) {
    return gdipGuarded([&] {
        if (G->Target && !G->Target->IsBitmap()) return Ok;
        GraphicsPaint Paint(G, GraphicsPaint::kShapes);
        if (!Paint) return GenericError;
        QPainter& P = *Paint.Painter();
        const BrushType Kind = brushKind(*Brush);
        if (Kind == BrushTypePathGradient) {
            fillPathGradient(P, Shape, static_cast<const PathGradientData&>(*Brush));
        } else if (Kind == BrushTypeTextureFill && static_cast<const TextureData*>(Brush)->Wrap == WrapModeClamp) {
            // A clamped texture covers its image once and nothing around it.
            const auto& T = static_cast<const TextureData&>(*Brush);
            QPainterPath Cover;
            Cover.addRect(QRectF(T.Image.rect()));
            P.fillPath(Shape.intersected(T.Transform.map(Cover)), qBrushOf(*Brush));
        } else {
            P.fillPath(Shape, qBrushOf(*Brush));
        }
        return Ok;
    });
}

Status gdipStroke(GpGraphics* G, const GpPen* Pen, const QPainterPath& Shape) {
    return gdipGuarded([&] {
        if (G->Target && !G->Target->IsBitmap()) return Ok;
        GraphicsPaint Paint(G, GraphicsPaint::kShapes);
        if (!Paint) return GenericError;
        Paint.Painter()->strokePath(Shape, qPenOf(*Pen));
        return Ok;
    });
}

// ---------------------------------------------------------------------------------------------
// Life cycle

Status GdipCreateFromHDC(HDC DC, GpGraphics** Graphics) {
    if (!Graphics) return InvalidParameter;
    *Graphics = nullptr;
    if (!DC) return OutOfMemory;  // the platform's answer for a null context
    return gdipGuarded([&] {
        auto* G = new GpGraphics;
        G->DC = DC;
        *Graphics = G;
        return Ok;
    });
}

Status GdipGetImageGraphicsContext(GpImage* Image, GpGraphics** Graphics) {
    if (!Graphics) return InvalidParameter;
    *Graphics = nullptr;
    if (!Image) return InvalidParameter;
    if (data(Image)->Type == ImageTypeMetafile) return NotImplemented;
    if (!data(Image)->IsBitmap() || IsIndexedPixelFormat(data(Image)->Format)) return OutOfMemory;
    return gdipGuarded([&] {
        QImage& Pixels = data(Image)->Image();
        if (Pixels.format() == QImage::Format_Indexed8 || Pixels.format() == QImage::Format_Mono)
            Pixels = Pixels.convertToFormat(QImage::Format_ARGB32);
        auto* G = new GpGraphics;
        G->Target = data(Image);
        *Graphics = G;
        return Ok;
    });
}

Status GdipDeleteGraphics(GpGraphics* Graphics) {
    if (!Graphics) return InvalidParameter;
    if (Graphics->TempDC) DeleteDC(Graphics->TempDC);
    delete Graphics;
    return Ok;
}

Status GdipFlush(GpGraphics* Graphics, FlushIntention Intention) {
    // Every call draws at once.
    return Graphics ? Ok : InvalidParameter;
}

Status GdipGraphicsClear(GpGraphics* Graphics, ARGB Color) {
    if (!Graphics) return InvalidParameter;
    return gdipGuarded([&] {
        if (Graphics->Target && !Graphics->Target->IsBitmap()) return Ok;
        GraphicsPaint Paint(Graphics, GraphicsPaint::kImage);
        if (!Paint) return GenericError;
        QPainter& P = *Paint.Painter();
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.resetTransform();
        P.fillRect(QRect(QPoint(0, 0), QSize(P.device()->width(), P.device()->height())), qColorOfARGB(Color));
        return Ok;
    });
}

Status GdipGetDC(GpGraphics* Graphics, HDC* DC) {
    if (!Graphics || !DC) return InvalidParameter;
    if (Graphics->DC) {
        *DC = Graphics->DC;
        return Ok;
    }
    if (Graphics->TempDC) return ObjectBusy;
    if (!Graphics->Target || !Graphics->Target->IsBitmap()) return NotImplemented;
    Graphics->TempDC = CreateImageDC(&Graphics->Target->Image());
    *DC = Graphics->TempDC;
    return Ok;
}

Status GdipReleaseDC(GpGraphics* Graphics, HDC DC) {
    if (!Graphics || !DC) return InvalidParameter;
    if (Graphics->DC) return DC == Graphics->DC ? Ok : InvalidParameter;
    if (DC != Graphics->TempDC) return InvalidParameter;
    DeleteDC(Graphics->TempDC);
    Graphics->TempDC = nullptr;
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Transforms

Status GdipSetWorldTransform(GpGraphics* Graphics, const GpMatrix* Matrix) {
    if (!Graphics || !Matrix) return InvalidParameter;
    Graphics->World = Matrix->M;
    return Ok;
}

Status GdipGetWorldTransform(GpGraphics* Graphics, GpMatrix* Matrix) {
    if (!Graphics || !Matrix) return InvalidParameter;
    Matrix->M = Graphics->World;
    return Ok;
}

Status GdipResetWorldTransform(GpGraphics* Graphics) {
    if (!Graphics) return InvalidParameter;
    Graphics->World.reset();
    return Ok;
}

Status GdipMultiplyWorldTransform(GpGraphics* Graphics, const GpMatrix* Matrix, MatrixOrder Order) {
    if (!Graphics || !Matrix) return InvalidParameter;
    composeTransform(Graphics->World, Matrix->M, Order);
    return Ok;
}

Status GdipTranslateWorldTransform(GpGraphics* Graphics, REAL DX, REAL DY, MatrixOrder Order) {
    if (!Graphics) return InvalidParameter;
    composeTransform(Graphics->World, QTransform::fromTranslate(DX, DY), Order);
    return Ok;
}

Status GdipScaleWorldTransform(GpGraphics* Graphics, REAL SX, REAL SY, MatrixOrder Order) {
    if (!Graphics) return InvalidParameter;
    composeTransform(Graphics->World, QTransform::fromScale(SX, SY), Order);
    return Ok;
}

Status GdipRotateWorldTransform(GpGraphics* Graphics, REAL Angle, MatrixOrder Order) {
    if (!Graphics) return InvalidParameter;
    QTransform R;
    R.rotate(Angle);
    composeTransform(Graphics->World, R, Order);
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Hints

Status GdipSetSmoothingMode(GpGraphics* Graphics, SmoothingMode Mode) {
    if (!Graphics || Mode < SmoothingModeDefault || Mode > SmoothingModeAntiAlias8x8) return InvalidParameter;
    Graphics->Smoothing = Mode;
    return Ok;
}

Status GdipGetSmoothingMode(GpGraphics* Graphics, SmoothingMode* Mode) {
    if (!Graphics || !Mode) return InvalidParameter;
    *Mode = Graphics->Smoothing;
    return Ok;
}

Status GdipSetTextRenderingHint(GpGraphics* Graphics, TextRenderingHint Mode) {
    if (!Graphics || Mode < TextRenderingHintSystemDefault || Mode > TextRenderingHintClearTypeGridFit)
        return InvalidParameter;
    Graphics->TextHint = Mode;
    return Ok;
}

Status GdipGetTextRenderingHint(GpGraphics* Graphics, TextRenderingHint* Mode) {
    if (!Graphics || !Mode) return InvalidParameter;
    *Mode = Graphics->TextHint;
    return Ok;
}

Status GdipSetCompositingQuality(GpGraphics* Graphics, CompositingQuality Quality) {
    if (!Graphics || Quality < CompositingQualityDefault || Quality > CompositingQualityAssumeLinear)
        return InvalidParameter;
    Graphics->Quality = Quality;
    return Ok;
}

Status GdipGetCompositingQuality(GpGraphics* Graphics, CompositingQuality* Quality) {
    if (!Graphics || !Quality) return InvalidParameter;
    *Quality = Graphics->Quality;
    return Ok;
}

Status GdipSetCompositingMode(GpGraphics* Graphics, CompositingMode Mode) {
    if (!Graphics || (Mode != CompositingModeSourceOver && Mode != CompositingModeSourceCopy)) return InvalidParameter;
    Graphics->Compositing = Mode;
    return Ok;
}

Status GdipGetCompositingMode(GpGraphics* Graphics, CompositingMode* Mode) {
    if (!Graphics || !Mode) return InvalidParameter;
    *Mode = Graphics->Compositing;
    return Ok;
}

Status GdipSetInterpolationMode(GpGraphics* Graphics, InterpolationMode Mode) {
    if (!Graphics || Mode < InterpolationModeDefault || Mode > InterpolationModeHighQualityBicubic)
        return InvalidParameter;
    // Default and the quality names resolve to concrete modes, as read back on the platform.
    if (Mode == InterpolationModeDefault || Mode == InterpolationModeLowQuality) Mode = InterpolationModeBilinear;
    if (Mode == InterpolationModeHighQuality) Mode = InterpolationModeHighQualityBicubic;
    Graphics->Interpolation = Mode;
    return Ok;
}

Status GdipGetInterpolationMode(GpGraphics* Graphics, InterpolationMode* Mode) {
    if (!Graphics || !Mode) return InvalidParameter;
    *Mode = Graphics->Interpolation;
    return Ok;
}

Status GdipSetPixelOffsetMode(GpGraphics* Graphics, PixelOffsetMode Mode) {
    if (!Graphics || Mode < PixelOffsetModeDefault || Mode > PixelOffsetModeHalf) return InvalidParameter;
    Graphics->PixelOffset = Mode;
    return Ok;
}

Status GdipGetPixelOffsetMode(GpGraphics* Graphics, PixelOffsetMode* Mode) {
    if (!Graphics || !Mode) return InvalidParameter;
    *Mode = Graphics->PixelOffset;
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Shapes

Status GdipDrawLine(GpGraphics* Graphics, GpPen* Pen, REAL X1, REAL Y1, REAL X2, REAL Y2) {
    QPainterPath P;
    P.moveTo(X1, Y1);
    P.lineTo(X2, Y2);
    return stroke(Graphics, Pen, P);
}

Status GdipDrawLineI(GpGraphics* Graphics, GpPen* Pen, INT X1, INT Y1, INT X2, INT Y2) {
    return GdipDrawLine(Graphics, Pen, static_cast<REAL>(X1), static_cast<REAL>(Y1), static_cast<REAL>(X2),
                        static_cast<REAL>(Y2));
}

Status GdipDrawLines(GpGraphics* Graphics, GpPen* Pen, const GpPointF* Points, INT Count) {
    if (!Points || Count < 2) return InvalidParameter;
    return stroke(Graphics, Pen, polyPath(Points, Count, false));
}

Status GdipDrawLinesI(GpGraphics* Graphics, GpPen* Pen, const GpPoint* Points, INT Count) {
    if (!Points || Count < 2) return InvalidParameter;
    return GdipDrawLines(Graphics, Pen, gpPointsOf(Points, Count).data(), Count);
}

Status GdipDrawRectangle(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height) {
    return stroke(Graphics, Pen, rectPath(rectOf(X, Y, Width, Height)));
}

Status GdipDrawRectangleI(GpGraphics* Graphics, GpPen* Pen, INT X, INT Y, INT Width, INT Height) {
    return stroke(Graphics, Pen, rectPath(QRectF(X, Y, Width, Height)));
}

Status GdipDrawEllipse(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height) {
    return stroke(Graphics, Pen, ellipsePath(rectOf(X, Y, Width, Height)));
}

Status GdipDrawEllipseI(GpGraphics* Graphics, GpPen* Pen, INT X, INT Y, INT Width, INT Height) {
    return stroke(Graphics, Pen, ellipsePath(QRectF(X, Y, Width, Height)));
}

Status GdipDrawArc(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle,
                   REAL SweepAngle) {
    return stroke(Graphics, Pen, arcPath(rectOf(X, Y, Width, Height), StartAngle, SweepAngle, false));
}

Status GdipDrawArcI(GpGraphics* Graphics, GpPen* Pen, INT X, INT Y, INT Width, INT Height, REAL StartAngle,
                    REAL SweepAngle) {
    return stroke(Graphics, Pen, arcPath(QRectF(X, Y, Width, Height), StartAngle, SweepAngle, false));
}

Status GdipDrawPie(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle,
                   REAL SweepAngle) {
    return stroke(Graphics, Pen, arcPath(rectOf(X, Y, Width, Height), StartAngle, SweepAngle, true));
}

Status GdipDrawBezier(GpGraphics* Graphics, GpPen* Pen, REAL X1, REAL Y1, REAL X2, REAL Y2, REAL X3, REAL Y3, REAL X4,
                      REAL Y4) {
    const GpPointF P[4] = {{X1, Y1}, {X2, Y2}, {X3, Y3}, {X4, Y4}};
    return stroke(Graphics, Pen, bezierPath(P, 4));
}

Status GdipDrawBezierI(GpGraphics* Graphics, GpPen* Pen, INT X1, INT Y1, INT X2, INT Y2, INT X3, INT Y3, INT X4,
                       INT Y4) {
    const GpPoint P[4] = {{X1, Y1}, {X2, Y2}, {X3, Y3}, {X4, Y4}};
    return stroke(Graphics, Pen, bezierPath(gpPointsOf(P, 4).data(), 4));
}

Status GdipDrawBeziers(GpGraphics* Graphics, GpPen* Pen, const GpPointF* Points, INT Count) {
    if (!Points || Count < 4 || (Count - 1) % 3 != 0) return InvalidParameter;
    return stroke(Graphics, Pen, bezierPath(Points, Count));
}

Status GdipDrawBeziersI(GpGraphics* Graphics, GpPen* Pen, const GpPoint* Points, INT Count) {
    if (!Points || Count < 4) return InvalidParameter;
    return GdipDrawBeziers(Graphics, Pen, gpPointsOf(Points, Count).data(), Count);
}

Status GdipDrawPolygon(GpGraphics* Graphics, GpPen* Pen, const GpPointF* Points, INT Count) {
    if (!Points || Count < 2) return InvalidParameter;
    return stroke(Graphics, Pen, polyPath(Points, Count, true));
}

Status GdipDrawPolygonI(GpGraphics* Graphics, GpPen* Pen, const GpPoint* Points, INT Count) {
    if (!Points || Count < 2) return InvalidParameter;
    return GdipDrawPolygon(Graphics, Pen, gpPointsOf(Points, Count).data(), Count);
}

Status GdipDrawPath(GpGraphics* Graphics, GpPen* Pen, GpPath* Path) {
    if (!Path) return InvalidParameter;
    return stroke(Graphics, Pen, qPathOf(*Path));
}

Status GdipFillRectangle(GpGraphics* Graphics, GpBrush* Brush, REAL X, REAL Y, REAL Width, REAL Height) {
    return fill(Graphics, Brush, rectPath(rectOf(X, Y, Width, Height)));
}

Status GdipFillRectangleI(GpGraphics* Graphics, GpBrush* Brush, INT X, INT Y, INT Width, INT Height) {
    return fill(Graphics, Brush, rectPath(QRectF(X, Y, Width, Height)));
}

Status GdipFillEllipse(GpGraphics* Graphics, GpBrush* Brush, REAL X, REAL Y, REAL Width, REAL Height) {
    return fill(Graphics, Brush, ellipsePath(rectOf(X, Y, Width, Height)));
}

Status GdipFillEllipseI(GpGraphics* Graphics, GpBrush* Brush, INT X, INT Y, INT Width, INT Height) {
    return fill(Graphics, Brush, ellipsePath(QRectF(X, Y, Width, Height)));
}

Status GdipFillPie(GpGraphics* Graphics, GpBrush* Brush, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle,
                   REAL SweepAngle) {
    return fill(Graphics, Brush, arcPath(rectOf(X, Y, Width, Height), StartAngle, SweepAngle, true));
}

Status GdipFillPolygon(GpGraphics* Graphics, GpBrush* Brush, const GpPointF* Points, INT Count, FillMode Mode) {
    if (!Points || Count < 3 || (Mode != FillModeAlternate && Mode != FillModeWinding)) return InvalidParameter;
    return fill(Graphics, Brush, polyPath(Points, Count, true, Mode));
}

Status GdipFillPolygonI(GpGraphics* Graphics, GpBrush* Brush, const GpPoint* Points, INT Count, FillMode Mode) {
    if (!Points || Count < 3) return InvalidParameter;
    return GdipFillPolygon(Graphics, Brush, gpPointsOf(Points, Count).data(), Count, Mode);
}

Status GdipFillPath(GpGraphics* Graphics, GpBrush* Brush, GpPath* Path) {
    if (!Path) return InvalidParameter;
    return fill(Graphics, Brush, qPathOf(*Path));
}

Status GdipFillRegion(GpGraphics* Graphics, GpBrush* Brush, GpRegion* Region) {
    if (!Region) return InvalidParameter;
    return fill(Graphics, Brush, qPathOf(*Region));
}

// ---------------------------------------------------------------------------------------------
// Clipping

Status GdipSetClipRect(GpGraphics* Graphics, REAL X, REAL Y, REAL Width, REAL Height, CombineMode Mode) {
    if (!Graphics) return InvalidParameter;
    return combineClip(Graphics, rectPath(rectOf(X, Y, Width, Height).normalized()), false, Mode);
}

Status GdipSetClipRectI(GpGraphics* Graphics, INT X, INT Y, INT Width, INT Height, CombineMode Mode) {
    return GdipSetClipRect(Graphics, static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                           static_cast<REAL>(Height), Mode);
}

Status GdipSetClipPath(GpGraphics* Graphics, GpPath* Path, CombineMode Mode) {
    if (!Graphics || !Path) return InvalidParameter;
    return combineClip(Graphics, qPathOf(*Path), false, Mode);
}

Status GdipSetClipRegion(GpGraphics* Graphics, GpRegion* Region, CombineMode Mode) {
    if (!Graphics || !Region) return InvalidParameter;
    return combineClip(Graphics, Region->Path, Region->Infinite, Mode);
}

Status GdipResetClip(GpGraphics* Graphics) {
    if (!Graphics) return InvalidParameter;
    Graphics->Clipped = false;
    Graphics->Clip = QPainterPath();
    return Ok;
}

Status GdipGetClipBounds(GpGraphics* Graphics, GpRectF* Rect) {
    if (!Graphics || !Rect) return InvalidParameter;
    return gdipGuarded([&] {
        QPainterPath Area;
        if (Graphics->Clipped)
            Area = Graphics->Clip;
        else
            Area.addRect(QRectF(QPointF(0, 0), QSizeF(Graphics->SurfaceSize())));
        *Rect = gpRectOf(Graphics->World.inverted().map(Area).boundingRect());
        return Ok;
    });
}

// ---------------------------------------------------------------------------------------------
// Images

Status GdipDrawImage(GpGraphics* Graphics, GpImage* Image, REAL X, REAL Y) {
    if (!Image) return InvalidParameter;
    const QSizeF Size = data(Image)->IsBitmap() ? QSizeF(data(Image)->Image().size()) : QSizeF();
    return drawImageRect(Graphics, Image, QRectF(QPointF(X, Y), Size), QRectF(QPointF(0, 0), Size), nullptr);
}

Status GdipDrawImageI(GpGraphics* Graphics, GpImage* Image, INT X, INT Y) {
    return GdipDrawImage(Graphics, Image, static_cast<REAL>(X), static_cast<REAL>(Y));
}

Status GdipDrawImageRect(GpGraphics* Graphics, GpImage* Image, REAL X, REAL Y, REAL Width, REAL Height) {
    if (!Image) return InvalidParameter;
    const QSizeF Size = data(Image)->IsBitmap() ? QSizeF(data(Image)->Image().size()) : QSizeF();
    return drawImageRect(Graphics, Image, rectOf(X, Y, Width, Height), QRectF(QPointF(0, 0), Size), nullptr);
}

Status GdipDrawImageRectI(GpGraphics* Graphics, GpImage* Image, INT X, INT Y, INT Width, INT Height) {
    return GdipDrawImageRect(Graphics, Image, static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                             static_cast<REAL>(Height));
}

Status GdipDrawImageRectRect(GpGraphics* Graphics, GpImage* Image, REAL DstX, REAL DstY, REAL DstWidth, REAL DstHeight,
                             REAL SrcX, REAL SrcY, REAL SrcWidth, REAL SrcHeight, Unit SrcUnit,
                             const GpImageAttributes* Attributes, DrawImageAbort Callback, void* CallbackData) {
    if (!Graphics || !Image || SrcUnit < UnitWorld || SrcUnit > UnitMillimeter) return InvalidParameter;
    if (Callback && Callback(CallbackData)) return Aborted;
    const double K = pixelsPerUnit(SrcUnit);
    return drawImageRect(Graphics, Image, rectOf(DstX, DstY, DstWidth, DstHeight),
                         QRectF(SrcX * K, SrcY * K, SrcWidth * K, SrcHeight * K), Attributes);
}

Status GdipDrawImageRectRectI(GpGraphics* Graphics, GpImage* Image, INT DstX, INT DstY, INT DstWidth, INT DstHeight,
                              INT SrcX, INT SrcY, INT SrcWidth, INT SrcHeight, Unit SrcUnit,
                              const GpImageAttributes* Attributes, DrawImageAbort Callback, void* CallbackData) {
    return GdipDrawImageRectRect(Graphics, Image, static_cast<REAL>(DstX), static_cast<REAL>(DstY),
                                 static_cast<REAL>(DstWidth), static_cast<REAL>(DstHeight), static_cast<REAL>(SrcX),
                                 static_cast<REAL>(SrcY), static_cast<REAL>(SrcWidth), static_cast<REAL>(SrcHeight),
                                 SrcUnit, Attributes, Callback, CallbackData);
}
