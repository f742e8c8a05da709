// Pens and brushes: solid, hatch, texture, linear and path gradients.
#include "framework/gdiplus/GdiPlusPrivate.h"

#include <QLinearGradient>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace {

// 8 x 8 hatch patterns, one byte per row, the high bit leftmost; a set bit takes the fore colour.
constexpr BYTE kHatchPatterns[][8] = {
    /* Horizontal */ {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    /* Vertical */ {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},
    /* ForwardDiagonal */ {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},
    /* BackwardDiagonal */ {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},
    /* Cross */ {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},
    /* DiagonalCross */ {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},
    /* 05Percent */ {0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00},
    /* 10Percent */ {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00},
    /* 20Percent */ {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00},
    /* 25Percent */ {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22},
    /* 30Percent */ {0xAA, 0x44, 0xAA, 0x11, 0xAA, 0x44, 0xAA, 0x11},
    /* 40Percent */ {0xAA, 0x55, 0xAA, 0x51, 0xAA, 0x55, 0xAA, 0x15},
    /* 50Percent */ {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},
    /* 60Percent */ {0xEE, 0x55, 0xBB, 0x55, 0xEE, 0x55, 0xBB, 0x55},
    /* 70Percent */ {0xEE, 0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD},
    /* 75Percent */ {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD},
    /* 80Percent */ {0x77, 0xFF, 0xDD, 0xFF, 0x77, 0xFF, 0xDD, 0xFF},
    /* 90Percent */ {0x7F, 0xFF, 0xFF, 0xFF, 0xF7, 0xFF, 0xFF, 0xFF},
    /* LightDownwardDiagonal */ {0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11},
    /* LightUpwardDiagonal */ {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88},
    /* DarkDownwardDiagonal */ {0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99},
    /* DarkUpwardDiagonal */ {0x33, 0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99},
    /* WideDownwardDiagonal */ {0xC1, 0xE0, 0x70, 0x38, 0x1C, 0x0E, 0x07, 0x83},
    /* WideUpwardDiagonal */ {0x83, 0x07, 0x0E, 0x1C, 0x38, 0x70, 0xE0, 0xC1},
    /* LightVertical */ {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88},
    /* LightHorizontal */ {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},
    /* NarrowVertical */ {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA},
    /* NarrowHorizontal */ {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00},
    /* DarkVertical */ {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC},
    /* DarkHorizontal */ {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00},
    /* DashedDownwardDiagonal */ {0x00, 0x00, 0x88, 0x44, 0x22, 0x11, 0x00, 0x00},
    /* DashedUpwardDiagonal */ {0x00, 0x00, 0x11, 0x22, 0x44, 0x88, 0x00, 0x00},
    /* DashedHorizontal */ {0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00},
    /* DashedVertical */ {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08},
    /* SmallConfetti */ {0x80, 0x08, 0x40, 0x02, 0x10, 0x01, 0x20, 0x04},
    /* LargeConfetti */ {0xB1, 0x30, 0x03, 0x1B, 0xD8, 0xC0, 0x0C, 0x8D},
    /* ZigZag */ {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18},
    /* Wave */ {0x00, 0x18, 0xA4, 0x03, 0x00, 0x18, 0xA4, 0x03},
    /* DiagonalBrick */ {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81},
    /* HorizontalBrick */ {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08},
    /* Weave */ {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51},
    /* Plaid */ {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0},
    /* Divot */ {0x00, 0x10, 0x08, 0x10, 0x00, 0x01, 0x80, 0x01},
    /* DottedGrid */ {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00},
    /* DottedDiamond */ {0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00},
    /* Shingle */ {0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01},
    /* Trellis */ {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99},
    /* Sphere */ {0xEE, 0x91, 0xF1, 0xF1, 0xEE, 0x19, 0x1F, 0x1F},
    /* SmallGrid */ {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88},
    /* SmallCheckerBoard */ {0x99, 0x66, 0x66, 0x99, 0x99, 0x66, 0x66, 0x99},
    /* LargeCheckerBoard */ {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F},
    /* OutlinedDiamond */ {0x82, 0x44, 0x28, 0x10, 0x28, 0x44, 0x82, 0x01},
    /* SolidDiamond */ {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00},
};
static_assert(std::size(kHatchPatterns) == HatchStyleTotal);

QImage hatchImage(const HatchData& H) {
    QImage Image(8, 8, QImage::Format_ARGB32);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X) Image.setPixel(X, Y, (kHatchPatterns[H.Style][Y] & (0x80 >> X)) ? H.Fore : H.Back);
    return Image;
}

// The tile a texture repeats, mirrored as its wrap mode asks.
QImage textureTile(const TextureData& T) {
    const bool FlipX = T.Wrap == WrapModeTileFlipX || T.Wrap == WrapModeTileFlipXY;
    const bool FlipY = T.Wrap == WrapModeTileFlipY || T.Wrap == WrapModeTileFlipXY;
    if (!FlipX && !FlipY) return T.Image;
    const int W = T.Image.width(), H = T.Image.height();
    QImage Tile(W * (FlipX ? 2 : 1), H * (FlipY ? 2 : 1), QImage::Format_ARGB32);
    QPainter P(&Tile);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(0, 0, T.Image);
    if (FlipX) P.drawImage(W, 0, T.Image.mirrored(true, false));
    if (FlipY) P.drawImage(0, H, T.Image.mirrored(false, true));
    if (FlipX && FlipY) P.drawImage(W, H, T.Image.mirrored(true, true));
    return Tile;
}

ARGB lerpARGB(ARGB A, ARGB B, double T) {
    auto Channel = [&](int Shift) {
        const double CA = (A >> Shift) & 0xFF, CB = (B >> Shift) & 0xFF;
        return static_cast<ARGB>(std::lround(CA + (CB - CA) * T)) << Shift;
    };
    return Channel(24) | Channel(16) | Channel(8) | Channel(0);
}

ARGB presetColor(const std::vector<std::pair<REAL, ARGB>>& Preset, double Position) {
    if (Position <= Preset.front().first) return Preset.front().second;
    for (size_t I = 1; I < Preset.size(); ++I)
        if (Position <= Preset[I].first) {
            const double Span = Preset[I].first - Preset[I - 1].first;
            return lerpARGB(Preset[I - 1].second, Preset[I].second,
                            Span > 0 ? (Position - Preset[I - 1].first) / Span : 1.0);
        }
    return Preset.back().second;
}

QGradientStops gradientStops(const LineGradientData& G) {
    QGradientStops Stops;
    if (!G.Preset.empty()) {
        for (const auto& [Pos, Color] : G.Preset) Stops.append({Pos, qColorOfARGB(Color)});
        return Stops;
    }
    if (!G.Gamma) return {{0.0, qColorOfARGB(G.Colors[0])}, {1.0, qColorOfARGB(G.Colors[1])}};
    // Gamma correction blends in linear light: approximate it with intermediate stops.
    constexpr int kSteps = 16;
    for (int I = 0; I <= kSteps; ++I) {
        const double T = static_cast<double>(I) / kSteps;
        auto Channel = [&](int Shift) {
            const double A = std::pow(((G.Colors[0] >> Shift) & 0xFF) / 255.0, 2.2);
            const double B = std::pow(((G.Colors[1] >> Shift) & 0xFF) / 255.0, 2.2);
            return static_cast<ARGB>(std::lround(std::pow(A + (B - A) * T, 1 / 2.2) * 255)) << Shift;
        };
        const ARGB Alpha = lerpARGB(G.Colors[0], G.Colors[1], T) & 0xFF000000u;
        Stops.append({T, qColorOfARGB(Alpha | Channel(16) | Channel(8) | Channel(0))});
    }
    return Stops;
}

// The line brush for Rect at Angle (clockwise degrees): the gradient runs through the rectangle's
// centre and spans its corners; a scalable angle is taken in the unit square mapped onto Rect.
Status makeLineBrushFromRect(const GpRectF* Rect, ARGB Color1, ARGB Color2, REAL Angle, bool Scalable, WrapMode Mode,
                             GpLineGradient** LineGradient) {
    if (!LineGradient) return InvalidParameter;
    *LineGradient = nullptr;
    if (!Rect || Mode < WrapModeTile || Mode >= WrapModeClamp) return InvalidParameter;
    if (Rect->Width == 0 || Rect->Height == 0) return OutOfMemory;
    return gdipGuarded([&] {
        const QRectF R = qRectOf(*Rect);
        const QRectF Space = Scalable ? QRectF(0, 0, 1, 1) : R;
        const double Rad = Angle * M_PI / 180.0;
        // cos(90°) is 6e-17, not 0: snap it, so axis-aligned gradients stay exactly axis-aligned
        // and the painter can take its fast path for them.
        const auto snap = [](double V) { return std::abs(V) < 1e-12 ? 0.0 : V; };
        const QPointF D(snap(std::cos(Rad)), snap(std::sin(Rad))), C = Space.center();
        double Lo = 0, Hi = 0;
        for (const QPointF& Corner : {Space.topLeft(), Space.topRight(), Space.bottomLeft(), Space.bottomRight()}) {
            const double Proj = QPointF::dotProduct(Corner - C, D);
            Lo = std::min(Lo, Proj);
            Hi = std::max(Hi, Proj);
        }
        auto* G = new LineGradientData;
        G->Start = C + D * Lo;
        G->End = C + D * Hi;
        G->ToWorld = Scalable ? QTransform::fromScale(R.width(), R.height()) * QTransform::fromTranslate(R.x(), R.y())
                              : QTransform();
        G->Rect = *Rect;
        G->Colors[0] = Color1;
        G->Colors[1] = Color2;
        G->Wrap = Mode;
        *LineGradient = G;
        return Ok;
    });
}

Status setPreset(std::vector<std::pair<REAL, ARGB>>& Preset, const ARGB* Blend, const REAL* Positions, INT Count) {
    if (!Blend || !Positions || Count < 2) return InvalidParameter;
    if (Positions[0] != 0.0f || Positions[Count - 1] != 1.0f) return InvalidParameter;
    for (INT I = 1; I < Count; ++I)
        if (Positions[I] < Positions[I - 1]) return InvalidParameter;
    Preset.clear();
    for (INT I = 0; I < Count; ++I) Preset.emplace_back(Positions[I], Blend[I]);
    return Ok;
}

// The boundary of a path gradient as a closed polygon with a colour per vertex; Bézier pieces
// are flattened and their colours blended between the piece's end points.
struct BoundaryVertex {
    QPointF Point;
    ARGB Color;
};

std::vector<BoundaryVertex> flattenBoundary(const PathGradientData& B) {
    std::vector<BoundaryVertex> Result;
    const auto& Pts = B.Boundary.Points;
    const auto& Types = B.Boundary.Types;
    for (size_t I = 0; I < Pts.size(); ++I) {
        if (I > 0 && (Types[I] & PathPointTypePathTypeMask) == PathPointTypeStart) break;  // first figure only
        if ((Types[I] & PathPointTypePathTypeMask) == PathPointTypeBezier && I + 2 < Pts.size() && I > 0) {
            const QPointF P0 = Pts[I - 1], P1 = Pts[I], P2 = Pts[I + 1], P3 = Pts[I + 2];
            constexpr int kSteps = 12;
            for (int S = 1; S <= kSteps; ++S) {
                const double T = static_cast<double>(S) / kSteps, U = 1 - T;
                const QPointF P = P0 * (U * U * U) + P1 * (3 * U * U * T) + P2 * (3 * U * T * T) + P3 * (T * T * T);
                Result.push_back({P, lerpARGB(B.Surround[I - 1], B.Surround[I + 2], T)});
            }
            I += 2;
            continue;
        }
        Result.push_back({Pts[I], B.Surround[I]});
    }
    return Result;
}

Qt::PenCapStyle qCapOf(LineCap Cap) {
    switch (Cap) {
        case LineCapSquare:
        case LineCapSquareAnchor:
            return Qt::SquareCap;
        case LineCapRound:
        case LineCapRoundAnchor:
            return Qt::RoundCap;
        default:
            return Qt::FlatCap;
    }
}

}  // namespace

BrushType brushKind(const GpBrush& Brush) {
    // Every fill asks: the exact types answer without walking the class tree.
    const std::type_info& Type = typeid(Brush);
    if (Type == typeid(LineGradientData)) return BrushTypeLinearGradient;
    if (Type == typeid(SolidFillData)) return BrushTypeSolidColor;
    if (dynamic_cast<const HatchData*>(&Brush)) return BrushTypeHatchFill;
    if (dynamic_cast<const TextureData*>(&Brush)) return BrushTypeTextureFill;
    if (dynamic_cast<const PathGradientData*>(&Brush)) return BrushTypePathGradient;
    if (dynamic_cast<const LineGradientData*>(&Brush)) return BrushTypeLinearGradient;
    return BrushTypeSolidColor;
}

GpBrush* cloneBrush(const GpBrush& Brush) {
    switch (brushKind(Brush)) {
        case BrushTypeHatchFill:
            return new HatchData(static_cast<const HatchData&>(Brush));
        case BrushTypeTextureFill:
            return new TextureData(static_cast<const TextureData&>(Brush));
        case BrushTypePathGradient:
            return new PathGradientData(static_cast<const PathGradientData&>(Brush));
        case BrushTypeLinearGradient:
            return new LineGradientData(static_cast<const LineGradientData&>(Brush));
        default:
            return new SolidFillData(static_cast<const SolidFillData&>(Brush));
    }
}

QBrush qBrushOf(const GpBrush& Brush) {
    switch (brushKind(Brush)) {
        case BrushTypeSolidColor:
            return QBrush(qColorOfARGB(static_cast<const SolidFillData&>(Brush).Color));
        case BrushTypeHatchFill:
            return QBrush(hatchImage(static_cast<const HatchData&>(Brush)));
        case BrushTypeTextureFill: {
            const auto& T = static_cast<const TextureData&>(Brush);
            QBrush Result(textureTile(T));
            Result.setTransform(T.Transform);
            return Result;
        }
        case BrushTypeLinearGradient: {
            const auto& G = static_cast<const LineGradientData&>(Brush);
            QLinearGradient Gradient(G.Start, G.End);
            Gradient.setStops(gradientStops(G));
            // A fill larger than the brush rectangle repeats the gradient.
            Gradient.setSpread(G.Wrap == WrapModeTile ? QGradient::RepeatSpread : QGradient::ReflectSpread);
            QBrush Result(Gradient);
            Result.setTransform(G.ToWorld);
            return Result;
        }
        case BrushTypePathGradient:
            return QBrush(qColorOfARGB(static_cast<const PathGradientData&>(Brush).Center));
    }
    return QBrush();
}

void fillPathGradient(QPainter& Painter, const QPainterPath& Shape, const PathGradientData& Brush) {
    const QTransform T = Painter.transform();
    const QPainterPath DeviceShape = T.map(Shape);
    const QRect Bounds = DeviceShape.boundingRect().toAlignedRect().intersected(
        QRect(0, 0, Painter.device()->width(), Painter.device()->height()));
    if (Bounds.isEmpty()) return;
    std::vector<BoundaryVertex> Poly = flattenBoundary(Brush);
    if (Poly.size() < 3) return;
    for (auto& V : Poly) V.Point = T.map(V.Point);
    const QPointF C = T.map(Brush.CenterPoint);
    QImage Colors(Bounds.size(), QImage::Format_ARGB32_Premultiplied);
    Colors.fill(0);
    const size_t N = Poly.size();
    for (int Y = 0; Y < Bounds.height(); ++Y) {
        auto* Row = reinterpret_cast<QRgb*>(Colors.scanLine(Y));
        for (int X = 0; X < Bounds.width(); ++X) {
            const QPointF Q(Bounds.x() + X + 0.5, Bounds.y() + Y + 0.5);
            const QPointF Dir = Q - C;
            // Where the ray from the centre through Q leaves the boundary: Q's share of that way
            // is 0 at the centre and 1 on the boundary.
            double BestU = -1;
            ARGB Edge = 0;
            for (size_t I = 0; I < N; ++I) {
                const QPointF A = Poly[I].Point, E = Poly[(I + 1) % N].Point - A;
                const double Den = Dir.x() * E.y() - Dir.y() * E.x();
                if (std::abs(Den) < 1e-12) continue;
                const QPointF AC = A - C;
                const double U = (AC.x() * E.y() - AC.y() * E.x()) / Den;
                const double V = (AC.x() * Dir.y() - AC.y() * Dir.x()) / Den;
                if (U <= 0 || V < 0 || V > 1) continue;
                if (BestU < 0 || U < BestU) {
                    BestU = U;
                    Edge = lerpARGB(Poly[I].Color, Poly[(I + 1) % N].Color, V);
                }
            }
            double Share = 0;
            if (Dir.manhattanLength() > 1e-9) {
                if (BestU <= 0) continue;
                Share = 1.0 / BestU;
                if (Share > 1.0) continue;  // outside the boundary: nothing
            }
            const ARGB Color =
                Brush.Preset.empty() ? lerpARGB(Brush.Center, Edge, Share) : presetColor(Brush.Preset, 1.0 - Share);
            Row[X] = qPremultiply(static_cast<QRgb>(Color));
        }
    }
    QBrush Fill(Colors);
    Fill.setTransform(QTransform::fromTranslate(Bounds.x(), Bounds.y()));
    Painter.save();
    Painter.resetTransform();
    Painter.fillPath(DeviceShape, Fill);
    Painter.restore();
}

QPen qPenOf(const GpPen& Pen) {
    const double Width = Pen.Width * pixelsPerUnit(Pen.PenUnit);
    QPen Result(qBrushOf(*Pen.Brush), Width);
    if (Width <= 0) Result.setCosmetic(true);
    Result.setCapStyle(qCapOf(Pen.EndCap));
    switch (Pen.Join) {
        case LineJoinBevel:
            Result.setJoinStyle(Qt::BevelJoin);
            break;
        case LineJoinRound:
            Result.setJoinStyle(Qt::RoundJoin);
            break;
        default:
            Result.setJoinStyle(Qt::MiterJoin);
            break;
    }
    switch (Pen.Dash) {
        case DashStyleDash:
            Result.setDashPattern({3, 1});
            break;
        case DashStyleDot:
            Result.setDashPattern({1, 1});
            break;
        case DashStyleDashDot:
            Result.setDashPattern({3, 1, 1, 1});
            break;
        case DashStyleDashDotDot:
            Result.setDashPattern({3, 1, 1, 1, 1, 1});
            break;
        default:
            break;
    }
    return Result;
}

// ---------------------------------------------------------------------------------------------
// Pens

Status GdipCreatePen1(ARGB Color, REAL Width, Unit PenUnit, GpPen** Pen) {
    if (!Pen) return InvalidParameter;
    *Pen = nullptr;
    if (PenUnit == UnitDisplay || PenUnit < UnitWorld || PenUnit > UnitMillimeter) return InvalidParameter;
    return gdipGuarded([&] {
        auto* P = new GpPen;
        auto* B = new SolidFillData;
        B->Color = Color;
        P->Brush.reset(B);
        P->Width = Width;
        P->PenUnit = PenUnit;
        *Pen = P;
        return Ok;
    });
}

Status GdipCreatePen2(GpBrush* Brush, REAL Width, Unit PenUnit, GpPen** Pen) {
    if (!Pen) return InvalidParameter;
    *Pen = nullptr;
    if (!Brush || PenUnit == UnitDisplay || PenUnit < UnitWorld || PenUnit > UnitMillimeter) return InvalidParameter;
    return gdipGuarded([&] {
        auto* P = new GpPen;
        P->Brush.reset(cloneBrush(*Brush));
        P->Width = Width;
        P->PenUnit = PenUnit;
        *Pen = P;
        return Ok;
    });
}

Status GdipClonePen(GpPen* Pen, GpPen** ClonePen) {
    if (!Pen || !ClonePen) return InvalidParameter;
    return gdipGuarded([&] {
        auto* P = new GpPen;
        P->Brush.reset(cloneBrush(*Pen->Brush));
        P->Width = Pen->Width;
        P->PenUnit = Pen->PenUnit;
        P->Dash = Pen->Dash;
        P->StartCap = Pen->StartCap;
        P->EndCap = Pen->EndCap;
        P->Join = Pen->Join;
        *ClonePen = P;
        return Ok;
    });
}

Status GdipDeletePen(GpPen* Pen) {
    if (!Pen) return InvalidParameter;
    delete Pen;
    return Ok;
}

Status GdipSetPenWidth(GpPen* Pen, REAL Width) {
    if (!Pen) return InvalidParameter;
    Pen->Width = Width;
    return Ok;
}

Status GdipGetPenWidth(GpPen* Pen, REAL* Width) {
    if (!Pen || !Width) return InvalidParameter;
    *Width = Pen->Width;
    return Ok;
}

Status GdipSetPenColor(GpPen* Pen, ARGB Color) {
    if (!Pen) return InvalidParameter;
    return gdipGuarded([&] {
        auto* B = new SolidFillData;
        B->Color = Color;
        Pen->Brush.reset(B);
        return Ok;
    });
}

Status GdipGetPenColor(GpPen* Pen, ARGB* Color) {
    if (!Pen || !Color) return InvalidParameter;
    if (brushKind(*Pen->Brush) != BrushTypeSolidColor) return InvalidParameter;
    *Color = static_cast<const SolidFillData&>(*Pen->Brush).Color;
    return Ok;
}

Status GdipSetPenBrushFill(GpPen* Pen, GpBrush* Brush) {
    if (!Pen || !Brush) return InvalidParameter;
    return gdipGuarded([&] {
        Pen->Brush.reset(cloneBrush(*Brush));
        return Ok;
    });
}

Status GdipGetPenBrushFill(GpPen* Pen, GpBrush** Brush) {
    if (!Pen || !Brush) return InvalidParameter;
    return gdipGuarded([&] {
        *Brush = cloneBrush(*Pen->Brush);
        return Ok;
    });
}

Status GdipGetPenFillType(GpPen* Pen, PenType* Type) {
    if (!Pen || !Type) return InvalidParameter;
    *Type = static_cast<PenType>(brushKind(*Pen->Brush));
    return Ok;
}

Status GdipSetPenDashStyle(GpPen* Pen, DashStyle Style) {
    if (!Pen || Style < DashStyleSolid || Style > DashStyleCustom) return InvalidParameter;
    Pen->Dash = Style;
    return Ok;
}

Status GdipGetPenDashStyle(GpPen* Pen, DashStyle* Style) {
    if (!Pen || !Style) return InvalidParameter;
    *Style = Pen->Dash;
    return Ok;
}

Status GdipSetPenStartCap(GpPen* Pen, LineCap Cap) {
    if (!Pen) return InvalidParameter;
    Pen->StartCap = Cap;
    return Ok;
}

Status GdipSetPenEndCap(GpPen* Pen, LineCap Cap) {
    if (!Pen) return InvalidParameter;
    Pen->EndCap = Cap;
    return Ok;
}

Status GdipGetPenEndCap(GpPen* Pen, LineCap* Cap) {
    if (!Pen || !Cap) return InvalidParameter;
    *Cap = Pen->EndCap;
    return Ok;
}

Status GdipSetPenLineJoin(GpPen* Pen, LineJoin Join) {
    if (!Pen || Join < LineJoinMiter || Join > LineJoinMiterClipped) return InvalidParameter;
    Pen->Join = Join;
    return Ok;
}

Status GdipGetPenLineJoin(GpPen* Pen, LineJoin* Join) {
    if (!Pen || !Join) return InvalidParameter;
    *Join = Pen->Join;
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Brushes

Status GdipCloneBrush(GpBrush* Brush, GpBrush** CloneBrush) {
    if (!Brush || !CloneBrush) return InvalidParameter;
    return gdipGuarded([&] {
        *CloneBrush = cloneBrush(*Brush);
        return Ok;
    });
}

Status GdipDeleteBrush(GpBrush* Brush) {
    if (!Brush) return InvalidParameter;
    delete Brush;
    return Ok;
}

Status GdipGetBrushType(GpBrush* Brush, BrushType* Type) {
    if (!Brush || !Type) return InvalidParameter;
    *Type = brushKind(*Brush);
    return Ok;
}

Status GdipCreateSolidFill(ARGB Color, GpSolidFill** Brush) {
    if (!Brush) return InvalidParameter;
    return gdipGuarded([&] {
        auto* B = new SolidFillData;
        B->Color = Color;
        *Brush = B;
        return Ok;
    });
}

Status GdipSetSolidFillColor(GpSolidFill* Brush, ARGB Color) {
    if (!Brush) return InvalidParameter;
    data(Brush)->Color = Color;
    return Ok;
}

Status GdipGetSolidFillColor(GpSolidFill* Brush, ARGB* Color) {
    if (!Brush || !Color) return InvalidParameter;
    *Color = data(Brush)->Color;
    return Ok;
}

Status GdipCreateHatchBrush(HatchStyle Style, ARGB ForeColor, ARGB BackColor, GpHatch** Brush) {
    if (!Brush) return InvalidParameter;
    *Brush = nullptr;
    if (Style < HatchStyleMin || Style > HatchStyleMax) return InvalidParameter;
    return gdipGuarded([&] {
        auto* B = new HatchData;
        B->Style = Style;
        B->Fore = ForeColor;
        B->Back = BackColor;
        *Brush = B;
        return Ok;
    });
}

Status GdipGetHatchStyle(GpHatch* Brush, HatchStyle* Style) {
    if (!Brush || !Style) return InvalidParameter;
    *Style = data(Brush)->Style;
    return Ok;
}

Status GdipGetHatchForegroundColor(GpHatch* Brush, ARGB* Color) {
    if (!Brush || !Color) return InvalidParameter;
    *Color = data(Brush)->Fore;
    return Ok;
}

Status GdipGetHatchBackgroundColor(GpHatch* Brush, ARGB* Color) {
    if (!Brush || !Color) return InvalidParameter;
    *Color = data(Brush)->Back;
    return Ok;
}

namespace {

Status makeTexture(GpImage* Image, WrapMode Mode, const QRectF* Part, const GpImageAttributes* Attributes,
                   GpTexture** Texture) {
    if (!Texture) return InvalidParameter;
    *Texture = nullptr;
    if (!Image || Mode < WrapModeTile || Mode > WrapModeClamp) return InvalidParameter;
    if (!data(Image)->IsBitmap()) return OutOfMemory;
    return gdipGuarded([&] {
        QImage Source = data(Image)->Image().convertToFormat(QImage::Format_ARGB32);
        if (Part) {
            const QRect R = Part->toAlignedRect();
            if (R.isEmpty() || !Source.rect().contains(R)) return OutOfMemory;
            Source = Source.copy(R);
        }
        if (Attributes) Source = adjustedImage(Source, Attributes, ColorAdjustTypeBitmap);
        auto* T = new TextureData;
        T->Image = Source;
        T->Format = data(Image)->Format;
        T->Wrap = Mode;
        *Texture = T;
        return Ok;
    });
}

}  // namespace

Status GdipCreateTexture(GpImage* Image, WrapMode Mode, GpTexture** Texture) {
    return makeTexture(Image, Mode, nullptr, nullptr, Texture);
}

Status GdipCreateTexture2(GpImage* Image, WrapMode Mode, REAL X, REAL Y, REAL Width, REAL Height, GpTexture** Texture) {
    const QRectF Part(X, Y, Width, Height);
    return makeTexture(Image, Mode, &Part, nullptr, Texture);
}

Status GdipCreateTexture2I(GpImage* Image, WrapMode Mode, INT X, INT Y, INT Width, INT Height, GpTexture** Texture) {
    const QRectF Part(X, Y, Width, Height);
    return makeTexture(Image, Mode, &Part, nullptr, Texture);
}

Status GdipCreateTextureIA(GpImage* Image, const GpImageAttributes* Attributes, REAL X, REAL Y, REAL Width, REAL Height,
                           GpTexture** Texture) {
    const QRectF Part(X, Y, Width, Height);
    return makeTexture(Image, Attributes ? Attributes->Wrap : WrapModeTile, &Part, Attributes, Texture);
}

Status GdipCreateTextureIAI(GpImage* Image, const GpImageAttributes* Attributes, INT X, INT Y, INT Width, INT Height,
                            GpTexture** Texture) {
    const QRectF Part(X, Y, Width, Height);
    return makeTexture(Image, Attributes ? Attributes->Wrap : WrapModeTile, &Part, Attributes, Texture);
}

Status GdipResetTextureTransform(GpTexture* Brush) {
    if (!Brush) return InvalidParameter;
    data(Brush)->Transform.reset();
    return Ok;
}

Status GdipTranslateTextureTransform(GpTexture* Brush, REAL DX, REAL DY, MatrixOrder Order) {
    if (!Brush) return InvalidParameter;
    composeTransform(data(Brush)->Transform, QTransform::fromTranslate(DX, DY), Order);
    return Ok;
}

Status GdipScaleTextureTransform(GpTexture* Brush, REAL SX, REAL SY, MatrixOrder Order) {
    if (!Brush) return InvalidParameter;
    composeTransform(data(Brush)->Transform, QTransform::fromScale(SX, SY), Order);
    return Ok;
}

Status GdipRotateTextureTransform(GpTexture* Brush, REAL Angle, MatrixOrder Order) {
    if (!Brush) return InvalidParameter;
    QTransform R;
    R.rotate(Angle);
    composeTransform(data(Brush)->Transform, R, Order);
    return Ok;
}

Status GdipSetTextureWrapMode(GpTexture* Brush, WrapMode Mode) {
    if (!Brush || Mode < WrapModeTile || Mode > WrapModeClamp) return InvalidParameter;
    data(Brush)->Wrap = Mode;
    return Ok;
}

Status GdipGetTextureWrapMode(GpTexture* Brush, WrapMode* Mode) {
    if (!Brush || !Mode) return InvalidParameter;
    *Mode = data(Brush)->Wrap;
    return Ok;
}

Status GdipGetTextureImage(GpTexture* Brush, GpImage** Image) {
    if (!Brush || !Image) return InvalidParameter;
    return gdipGuarded([&] {
        auto* B = new ImageData;
        B->Frames.push_back(data(Brush)->Image);
        B->Format = PixelFormat32bppARGB;
        *Image = B;
        return Ok;
    });
}

Status GdipCreateLineBrush(const GpPointF* Point1, const GpPointF* Point2, ARGB Color1, ARGB Color2, WrapMode Mode,
                           GpLineGradient** LineGradient) {
    if (!LineGradient) return InvalidParameter;
    *LineGradient = nullptr;
    if (!Point1 || !Point2 || Mode < WrapModeTile || Mode >= WrapModeClamp) return InvalidParameter;
    if (Point1->X == Point2->X && Point1->Y == Point2->Y) return OutOfMemory;
    return gdipGuarded([&] {
        auto* G = new LineGradientData;
        G->Start = qPointOf(*Point1);
        G->End = qPointOf(*Point2);
        G->Rect = gpRectOf(QRectF(G->Start, G->End).normalized());
        G->Colors[0] = Color1;
        G->Colors[1] = Color2;
        G->Wrap = Mode;
        *LineGradient = G;
        return Ok;
    });
}

Status GdipCreateLineBrushI(const GpPoint* Point1, const GpPoint* Point2, ARGB Color1, ARGB Color2, WrapMode Mode,
                            GpLineGradient** LineGradient) {
    if (!Point1 || !Point2) return InvalidParameter;
    const GpPointF P1{static_cast<REAL>(Point1->X), static_cast<REAL>(Point1->Y)};
    const GpPointF P2{static_cast<REAL>(Point2->X), static_cast<REAL>(Point2->Y)};
    return GdipCreateLineBrush(&P1, &P2, Color1, Color2, Mode, LineGradient);
}

Status GdipCreateLineBrushFromRect(const GpRectF* Rect, ARGB Color1, ARGB Color2, LinearGradientMode GradientMode,
                                   WrapMode Mode, GpLineGradient** LineGradient) {
    static constexpr REAL kModeAngles[] = {0, 90, 45, 135};
    if (GradientMode < LinearGradientModeHorizontal || GradientMode > LinearGradientModeBackwardDiagonal) {
        if (LineGradient) *LineGradient = nullptr;
        return InvalidParameter;
    }
    return makeLineBrushFromRect(Rect, Color1, Color2, kModeAngles[GradientMode], true, Mode, LineGradient);
}

Status GdipCreateLineBrushFromRectI(const GpRect* Rect, ARGB Color1, ARGB Color2, LinearGradientMode GradientMode,
                                    WrapMode Mode, GpLineGradient** LineGradient) {
    if (!Rect) return InvalidParameter;
    const GpRectF R{static_cast<REAL>(Rect->X), static_cast<REAL>(Rect->Y), static_cast<REAL>(Rect->Width),
                    static_cast<REAL>(Rect->Height)};
    return GdipCreateLineBrushFromRect(&R, Color1, Color2, GradientMode, Mode, LineGradient);
}

Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* Rect, ARGB Color1, ARGB Color2, REAL Angle,
                                            BOOL IsAngleScalable, WrapMode Mode, GpLineGradient** LineGradient) {
    return makeLineBrushFromRect(Rect, Color1, Color2, Angle, IsAngleScalable != 0, Mode, LineGradient);
}

Status GdipCreateLineBrushFromRectWithAngleI(const GpRect* Rect, ARGB Color1, ARGB Color2, REAL Angle,
                                             BOOL IsAngleScalable, WrapMode Mode, GpLineGradient** LineGradient) {
    if (!Rect) return InvalidParameter;
    const GpRectF R{static_cast<REAL>(Rect->X), static_cast<REAL>(Rect->Y), static_cast<REAL>(Rect->Width),
                    static_cast<REAL>(Rect->Height)};
    return makeLineBrushFromRect(&R, Color1, Color2, Angle, IsAngleScalable != 0, Mode, LineGradient);
}

Status GdipSetLineColors(GpLineGradient* Brush, ARGB Color1, ARGB Color2) {
    if (!Brush) return InvalidParameter;
    data(Brush)->Colors[0] = Color1;
    data(Brush)->Colors[1] = Color2;
    return Ok;
}

Status GdipGetLineColors(GpLineGradient* Brush, ARGB* Colors) {
    if (!Brush || !Colors) return InvalidParameter;
    Colors[0] = data(Brush)->Colors[0];
    Colors[1] = data(Brush)->Colors[1];
    return Ok;
}

Status GdipGetLineRect(GpLineGradient* Brush, GpRectF* Rect) {
    if (!Brush || !Rect) return InvalidParameter;
    *Rect = data(Brush)->Rect;
    return Ok;
}

Status GdipSetLineGammaCorrection(GpLineGradient* Brush, BOOL UseGammaCorrection) {
    if (!Brush) return InvalidParameter;
    data(Brush)->Gamma = UseGammaCorrection ? 1 : 0;
    return Ok;
}

Status GdipGetLineGammaCorrection(GpLineGradient* Brush, BOOL* UseGammaCorrection) {
    if (!Brush || !UseGammaCorrection) return InvalidParameter;
    *UseGammaCorrection = data(Brush)->Gamma;
    return Ok;
}

Status GdipSetLineWrapMode(GpLineGradient* Brush, WrapMode Mode) {
    if (!Brush || Mode < WrapModeTile || Mode >= WrapModeClamp) return InvalidParameter;
    data(Brush)->Wrap = Mode;
    return Ok;
}

Status GdipGetLineWrapMode(GpLineGradient* Brush, WrapMode* Mode) {
    if (!Brush || !Mode) return InvalidParameter;
    *Mode = data(Brush)->Wrap;
    return Ok;
}

Status GdipSetLinePresetBlend(GpLineGradient* Brush, const ARGB* Blend, const REAL* Positions, INT Count) {
    if (!Brush) return InvalidParameter;
    return gdipGuarded([&] { return setPreset(data(Brush)->Preset, Blend, Positions, Count); });
}

Status GdipCreatePathGradientFromPath(const GpPath* Path, GpPathGradient** PolyGradient) {
    if (!PolyGradient) return InvalidParameter;
    *PolyGradient = nullptr;
    if (!Path) return InvalidParameter;
    if (Path->Points.size() < 2) return OutOfMemory;
    return gdipGuarded([&] {
        auto* B = new PathGradientData;
        B->Boundary = *Path;
        B->Surround.assign(Path->Points.size(), 0xFFFFFFFFu);
        // The centre is the mean of the distinct points (a closing point repeating the first is skipped).
        size_t Count = Path->Points.size();
        if (Count > 1 && Path->Points.back() == Path->Points.front()) --Count;
        QPointF Sum;
        for (size_t I = 0; I < Count; ++I) Sum += Path->Points[I];
        B->CenterPoint = Sum / static_cast<double>(Count);
        *PolyGradient = B;
        return Ok;
    });
}

Status GdipCreatePathGradient(const GpPointF* Points, INT Count, WrapMode Mode, GpPathGradient** PolyGradient) {
    if (!PolyGradient) return InvalidParameter;
    *PolyGradient = nullptr;
    if (!Points || Count < 2 || Mode < WrapModeTile || Mode > WrapModeClamp) return InvalidParameter;
    GpPath Path;
    Status S = GdipAddPathLine2(&Path, Points, Count);
    if (S != Ok) return S;
    Path.Types.back() |= PathPointTypeCloseSubpath;
    Path.Changed();
    S = GdipCreatePathGradientFromPath(&Path, PolyGradient);
    if (S == Ok) data(*PolyGradient)->Wrap = Mode;
    return S;
}

Status GdipCreatePathGradientI(const GpPoint* Points, INT Count, WrapMode Mode, GpPathGradient** PolyGradient) {
    if (!Points || Count < 0) return InvalidParameter;
    return GdipCreatePathGradient(gpPointsOf(Points, Count).data(), Count, Mode, PolyGradient);
}

Status GdipSetPathGradientCenterColor(GpPathGradient* Brush, ARGB Color) {
    if (!Brush) return InvalidParameter;
    data(Brush)->Center = Color;
    return Ok;
}

Status GdipGetPathGradientCenterColor(GpPathGradient* Brush, ARGB* Color) {
    if (!Brush || !Color) return InvalidParameter;
    *Color = data(Brush)->Center;
    return Ok;
}

Status GdipSetPathGradientCenterPoint(GpPathGradient* Brush, const GpPointF* Point) {
    if (!Brush || !Point) return InvalidParameter;
    data(Brush)->CenterPoint = qPointOf(*Point);
    return Ok;
}

Status GdipGetPathGradientCenterPoint(GpPathGradient* Brush, GpPointF* Point) {
    if (!Brush || !Point) return InvalidParameter;
    *Point = {static_cast<REAL>(data(Brush)->CenterPoint.x()), static_cast<REAL>(data(Brush)->CenterPoint.y())};
    return Ok;
}

Status GdipSetPathGradientCenterPointI(GpPathGradient* Brush, const GpPoint* Point) {
    if (!Brush || !Point) return InvalidParameter;
    data(Brush)->CenterPoint = QPointF(Point->X, Point->Y);
    return Ok;
}

Status GdipGetPathGradientCenterPointI(GpPathGradient* Brush, GpPoint* Point) {
    if (!Brush || !Point) return InvalidParameter;
    *Point = {static_cast<INT>(std::lround(data(Brush)->CenterPoint.x())),
              static_cast<INT>(std::lround(data(Brush)->CenterPoint.y()))};
    return Ok;
}

Status GdipGetPathGradientPointCount(GpPathGradient* Brush, INT* Count) {
    if (!Brush || !Count) return InvalidParameter;
    *Count = static_cast<INT>(data(Brush)->Boundary.Points.size());
    return Ok;
}

Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* Brush, const ARGB* Colors, INT* Count) {
    if (!Brush || !Colors || !Count) return InvalidParameter;
    const INT Points = static_cast<INT>(data(Brush)->Boundary.Points.size());
    if (*Count < 1 || *Count > Points) return InvalidParameter;
    // Points without a colour of their own take the last one given.
    for (INT I = 0; I < Points; ++I) data(Brush)->Surround[static_cast<size_t>(I)] = Colors[std::min(I, *Count - 1)];
    data(Brush)->SurroundGiven = *Count;
    return Ok;
}

Status GdipGetPathGradientSurroundColorCount(GpPathGradient* Brush, INT* Count) {
    if (!Brush || !Count) return InvalidParameter;
    *Count = static_cast<INT>(data(Brush)->Surround.size());
    return Ok;
}

Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* Brush, ARGB* Colors, INT* Count) {
    if (!Brush || !Colors || !Count) return InvalidParameter;
    const INT Have = static_cast<INT>(data(Brush)->Surround.size());
    if (*Count < Have) return InsufficientBuffer;
    std::copy(data(Brush)->Surround.begin(), data(Brush)->Surround.end(), Colors);
    *Count = Have;
    return Ok;
}

Status GdipSetPathGradientPresetBlend(GpPathGradient* Brush, const ARGB* Blend, const REAL* Positions, INT Count) {
    if (!Brush) return InvalidParameter;
    return gdipGuarded([&] { return setPreset(data(Brush)->Preset, Blend, Positions, Count); });
}

Status GdipSetPathGradientGammaCorrection(GpPathGradient* Brush, BOOL UseGammaCorrection) {
    if (!Brush) return InvalidParameter;
    data(Brush)->Gamma = UseGammaCorrection ? 1 : 0;
    return Ok;
}

Status GdipGetPathGradientGammaCorrection(GpPathGradient* Brush, BOOL* UseGammaCorrection) {
    if (!Brush || !UseGammaCorrection) return InvalidParameter;
    *UseGammaCorrection = data(Brush)->Gamma;
    return Ok;
}

Status GdipSetPathGradientWrapMode(GpPathGradient* Brush, WrapMode Mode) {
    if (!Brush || Mode < WrapModeTile || Mode > WrapModeClamp) return InvalidParameter;
    data(Brush)->Wrap = Mode;
    return Ok;
}

Status GdipGetPathGradientWrapMode(GpPathGradient* Brush, WrapMode* Mode) {
    if (!Brush || !Mode) return InvalidParameter;
    *Mode = data(Brush)->Wrap;
    return Ok;
}
