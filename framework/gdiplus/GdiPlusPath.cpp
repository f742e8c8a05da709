// Paths (points with type bytes) and regions.
#include "framework/gdiplus/GdiPlusPrivate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHuge = 4194304.0;  // the extent of an infinite region

QRectF infiniteRect() { return {-kHuge, -kHuge, 2 * kHuge, 2 * kHuge}; }

// Adds Points to the current figure: the first opens a figure or joins the last point with a line.
void addFigure(GpPath& Path, const std::vector<QPointF>& Points, BYTE Type) {
    Path.Changed();
    // Room for the figure at once, still growing geometrically over many figures.
    const size_t Needed = Path.Points.size() + Points.size();
    if (Needed > Path.Points.capacity()) {
        const size_t Room = std::max<size_t>(Needed, 2 * Path.Points.capacity());
        Path.Points.reserve(Room);
        Path.Types.reserve(Room);
    }
    for (size_t I = 0; I < Points.size(); ++I) {
        if (I == 0) {
            if (Path.StartNew || Path.Points.empty()) {
                Path.Points.push_back(Points[0]);
                Path.Types.push_back(PathPointTypeStart);
                Path.StartNew = false;
            } else if (Path.Points.back() != Points[0]) {
                Path.Points.push_back(Points[0]);
                Path.Types.push_back(PathPointTypeLine);
            }
            continue;
        }
        Path.Points.push_back(Points[I]);
        Path.Types.push_back(Type);
    }
}

void closeFigure(GpPath& Path) {
    Path.Changed();
    if (!Path.Types.empty()) Path.Types.back() |= PathPointTypeCloseSubpath;
    Path.StartNew = true;
}

std::vector<QPointF> qPointsOf(const GpPointF* Points, INT Count) {
    std::vector<QPointF> Result;
    Result.reserve(static_cast<size_t>(Count));
    for (INT I = 0; I < Count; ++I) Result.push_back(qPointOf(Points[I]));
    return Result;
}

// Arc points (a start point and Bézier triples) on the ellipse in R, angles clockwise in degrees.
// Rounded shapes add arcs by the thousand: the scratch path and points of the calling thread
// keep their storage from one arc to the next. The result is valid until the next call.
const std::vector<QPointF>& arcPoints(const QRectF& R, double Start, double Sweep) {
    thread_local QPainterPath Arc;
    thread_local std::vector<QPointF> Result;
    // Quarter arcs (what rounded shapes are made of) computed directly: Qt also splits at the
    // quadrants, so these are its points without the round trip through a path. Arcs that start
    // or end inside a quadrant take Qt's own route, which places their partial pieces differently.
    if (R.width() > 0 && R.height() > 0 && std::abs(Sweep) <= 360 && std::fmod(Start, 90.0) == 0 &&
        std::fmod(Sweep, 90.0) == 0) {
        const double Pi = 3.14159265358979323846;
        const int Pieces = static_cast<int>(std::abs(Sweep) / 90);
        const double Step = (Sweep >= 0 ? 1 : -1) * Pi / 2;
        const double K = 4.0 / 3.0 * std::tan(Step / 4);
        const double Rx = R.width() / 2, Ry = R.height() / 2;
        const QPointF C = R.center();
        auto At = [&](double Cos, double Sin) { return QPointF(C.x() + Rx * Cos, C.y() + Ry * Sin); };
        double A = Start * Pi / 180;
        Result.clear();
        Result.push_back(At(std::cos(A), std::sin(A)));
        for (int I = 0; I < Pieces; ++I) {
            const double B = A + Step;
            const double CosA = std::cos(A), SinA = std::sin(A), CosB = std::cos(B), SinB = std::sin(B);
            Result.push_back(At(CosA - K * SinA, SinA + K * CosA));
            Result.push_back(At(CosB + K * SinB, SinB - K * CosB));
            Result.push_back(At(CosB, SinB));
            A = B;
        }
        return Result;
    }
    Arc.clear();
    Arc.arcMoveTo(R, -Start);
    Arc.arcTo(R, -Start, -Sweep);
    Result.clear();
    for (int I = 0; I < Arc.elementCount(); ++I) {
        const QPainterPath::Element E = Arc.elementAt(I);
        if (I > 0 && E.type == QPainterPath::LineToElement) {
            if (Result.back() == QPointF(E.x, E.y)) continue;
            // A straight piece: express it as a flat Bézier so every point after the first is a triple.
            const QPointF A = Result.back(), B(E.x, E.y);
            Result.push_back(A + (B - A) / 3.0);
            Result.push_back(A + (B - A) * 2.0 / 3.0);
        }
        Result.emplace_back(E.x, E.y);
    }
    return Result;
}

// Cardinal spline through Points as Bézier triples after the first point.
std::vector<QPointF> curvePoints(const std::vector<QPointF>& P, double Tension, bool Closed) {
    const size_t N = P.size();
    std::vector<QPointF> Result{P[0]};
    const size_t Segments = Closed ? N : N - 1;
    auto At = [&](long I) {
        if (Closed)
            return P[static_cast<size_t>((I % static_cast<long>(N) + static_cast<long>(N)) % static_cast<long>(N))];
        return P[static_cast<size_t>(std::clamp(I, 0L, static_cast<long>(N) - 1))];
    };
    const double T = Tension / 3.0;
    for (size_t S = 0; S < Segments; ++S) {
        const long I = static_cast<long>(S);
        const QPointF P0 = At(I), P1 = At(I + 1);
        Result.push_back(P0 + (P1 - At(I - 1)) * T);
        Result.push_back(P1 - (At(I + 2) - P0) * T);
        Result.push_back(P1);
    }
    return Result;
}

Status addCurve(GpPath* Path, const GpPointF* Points, INT Count, REAL Tension, bool Closed) {
    if (!Path || !Points || Count < (Closed ? 3 : 2)) return InvalidParameter;
    return gdipGuarded([&] {
        if (Closed) Path->StartNew = true;
        addFigure(*Path, curvePoints(qPointsOf(Points, Count), Tension, Closed), PathPointTypeBezier);
        if (Closed) closeFigure(*Path);
        return Ok;
    });
}

QPainterPath combined(const QPainterPath& A, const QPainterPath& B, CombineMode Mode) {
    switch (Mode) {
        case CombineModeIntersect:
            return A.intersected(B);
        case CombineModeUnion:
            return A.united(B);
        case CombineModeXor:
            return A.united(B).subtracted(A.intersected(B));
        case CombineModeExclude:
            return A.subtracted(B);
        case CombineModeComplement:
            return B.subtracted(A);
        default:
            return B;
    }
}

Status combineRegion(GpRegion* Region, const GpRegion& Other, CombineMode Mode) {
    if (!Region || Mode < CombineModeReplace || Mode > CombineModeComplement) return InvalidParameter;
    return gdipGuarded([&] {
        if (Mode == CombineModeReplace) {
            *Region = Other;
            return Ok;
        }
        if (Mode == CombineModeIntersect && Region->Infinite) {
            *Region = Other;
            return Ok;
        }
        if (Mode == CombineModeUnion && (Region->Infinite || Other.Infinite)) {
            *Region = GpRegion{true, {}};
            return Ok;
        }
        QPainterPath Result = combined(qPathOf(*Region), qPathOf(Other), Mode);
        Result.setFillRule(Qt::WindingFill);
        *Region = GpRegion{false, Result};
        return Ok;
    });
}

}  // namespace

QPainterPath qPathOf(const GpPath& Path) {
    if (Path.Cached) return Path.Cache;
    QPainterPath Result;
    Result.setFillRule(Path.Mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    const size_t N = Path.Points.size();
    Result.reserve(static_cast<int>(N) + 1);
    for (size_t I = 0; I < N; ++I) {
        const BYTE Type = Path.Types[I] & PathPointTypePathTypeMask;
        if (Type == PathPointTypeStart || I == 0) {
            Result.moveTo(Path.Points[I]);
        } else if (Type == PathPointTypeBezier && I + 2 < N) {
            Result.cubicTo(Path.Points[I], Path.Points[I + 1], Path.Points[I + 2]);
            I += 2;
        } else {
            Result.lineTo(Path.Points[I]);
        }
        if (Path.Types[I] & PathPointTypeCloseSubpath) Result.closeSubpath();
    }
    Path.Cache = Result;
    Path.Cached = true;
    return Result;
}

void appendQPath(GpPath& Path, const QPainterPath& Source) {
    Path.Changed();
    for (int I = 0; I < Source.elementCount(); ++I) {
        const QPainterPath::Element E = Source.elementAt(I);
        const QPointF P(E.x, E.y);
        if (E.type == QPainterPath::MoveToElement) {
            if (!Path.Types.empty() && !Path.StartNew) closeFigure(Path);
            Path.Points.push_back(P);
            Path.Types.push_back(PathPointTypeStart);
            Path.StartNew = false;
        } else {
            Path.Points.push_back(P);
            Path.Types.push_back(E.type == QPainterPath::LineToElement ? PathPointTypeLine : PathPointTypeBezier);
        }
    }
    // Glyph and shape outlines are closed figures.
    if (!Path.Types.empty()) closeFigure(Path);
}

QPainterPath qPathOf(const GpRegion& Region) {
    if (!Region.Infinite) return Region.Path;
    QPainterPath Result;
    Result.addRect(infiniteRect());
    return Result;
}

// ---------------------------------------------------------------------------------------------
// Paths

Status GdipCreatePath(FillMode BrushMode, GpPath** Path) {
    if (!Path) return InvalidParameter;
    *Path = nullptr;
    if (BrushMode != FillModeAlternate && BrushMode != FillModeWinding) return InvalidParameter;
    return gdipGuarded([&] {
        *Path = new GpPath;
        (*Path)->Mode = BrushMode;
        return Ok;
    });
}

Status GdipCreatePath2(const GpPointF* Points, const BYTE* Types, INT Count, FillMode BrushMode, GpPath** Path) {
    if (!Path) return InvalidParameter;
    *Path = nullptr;
    if (!Points || !Types || Count < 0 || (BrushMode != FillModeAlternate && BrushMode != FillModeWinding))
        return InvalidParameter;
    return gdipGuarded([&] {
        auto* P = new GpPath;
        P->Mode = BrushMode;
        P->Points = qPointsOf(Points, Count);
        P->Types.assign(Types, Types + Count);
        P->StartNew = Count == 0 || (Types[Count - 1] & PathPointTypeCloseSubpath);
        *Path = P;
        return Ok;
    });
}

Status GdipCreatePath2I(const GpPoint* Points, const BYTE* Types, INT Count, FillMode BrushMode, GpPath** Path) {
    if (!Points || Count < 0) return InvalidParameter;
    const std::vector<GpPointF> P = gpPointsOf(Points, Count);
    return GdipCreatePath2(P.data(), Types, Count, BrushMode, Path);
}

Status GdipClonePath(GpPath* Path, GpPath** ClonePath) {
    if (!Path || !ClonePath) return InvalidParameter;
    return gdipGuarded([&] {
        *ClonePath = new GpPath(*Path);
        return Ok;
    });
}

Status GdipDeletePath(GpPath* Path) {
    if (!Path) return InvalidParameter;
    delete Path;
    return Ok;
}

Status GdipResetPath(GpPath* Path) {
    if (!Path) return InvalidParameter;
    const FillMode Mode = Path->Mode;
    *Path = GpPath{};
    Path->Mode = Mode;
    return Ok;
}

Status GdipGetPathFillMode(GpPath* Path, FillMode* Mode) {
    if (!Path || !Mode) return InvalidParameter;
    *Mode = Path->Mode;
    return Ok;
}

Status GdipSetPathFillMode(GpPath* Path, FillMode Mode) {
    if (!Path || (Mode != FillModeAlternate && Mode != FillModeWinding)) return InvalidParameter;
    Path->Mode = Mode;
    Path->Changed();
    return Ok;
}

Status GdipStartPathFigure(GpPath* Path) {
    if (!Path) return InvalidParameter;
    Path->StartNew = true;
    return Ok;
}

Status GdipClosePathFigure(GpPath* Path) {
    if (!Path) return InvalidParameter;
    closeFigure(*Path);
    return Ok;
}

Status GdipClosePathFigures(GpPath* Path) {
    if (!Path) return InvalidParameter;
    for (size_t I = 0; I < Path->Types.size(); ++I)
        if (I + 1 == Path->Types.size() || (Path->Types[I + 1] & PathPointTypePathTypeMask) == PathPointTypeStart)
            Path->Types[I] |= PathPointTypeCloseSubpath;
    Path->StartNew = true;
    Path->Changed();
    return Ok;
}

Status GdipAddPathLine(GpPath* Path, REAL X1, REAL Y1, REAL X2, REAL Y2) {
    if (!Path) return InvalidParameter;
    return gdipGuarded([&] {
        addFigure(*Path, {QPointF(X1, Y1), QPointF(X2, Y2)}, PathPointTypeLine);
        return Ok;
    });
}

Status GdipAddPathLineI(GpPath* Path, INT X1, INT Y1, INT X2, INT Y2) {
    return GdipAddPathLine(Path, static_cast<REAL>(X1), static_cast<REAL>(Y1), static_cast<REAL>(X2),
                           static_cast<REAL>(Y2));
}

Status GdipAddPathLine2(GpPath* Path, const GpPointF* Points, INT Count) {
    if (!Path || !Points || Count < 1) return InvalidParameter;
    return gdipGuarded([&] {
        addFigure(*Path, qPointsOf(Points, Count), PathPointTypeLine);
        return Ok;
    });
}

Status GdipAddPathLine2I(GpPath* Path, const GpPoint* Points, INT Count) {
    if (!Points || Count < 1) return InvalidParameter;
    const std::vector<GpPointF> P = gpPointsOf(Points, Count);
    return GdipAddPathLine2(Path, P.data(), Count);
}

Status GdipAddPathArc(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle, REAL SweepAngle) {
    if (!Path || Width <= 0 || Height <= 0) return InvalidParameter;
    return gdipGuarded([&] {
        addFigure(*Path, arcPoints(QRectF(X, Y, Width, Height), StartAngle, SweepAngle), PathPointTypeBezier);
        return Ok;
    });
}

Status GdipAddPathArcI(GpPath* Path, INT X, INT Y, INT Width, INT Height, REAL StartAngle, REAL SweepAngle) {
    return GdipAddPathArc(Path, static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                          static_cast<REAL>(Height), StartAngle, SweepAngle);
}

Status GdipAddPathBezier(GpPath* Path, REAL X1, REAL Y1, REAL X2, REAL Y2, REAL X3, REAL Y3, REAL X4, REAL Y4) {
    if (!Path) return InvalidParameter;
    return gdipGuarded([&] {
        addFigure(*Path, {QPointF(X1, Y1), QPointF(X2, Y2), QPointF(X3, Y3), QPointF(X4, Y4)}, PathPointTypeBezier);
        return Ok;
    });
}

Status GdipAddPathBezierI(GpPath* Path, INT X1, INT Y1, INT X2, INT Y2, INT X3, INT Y3, INT X4, INT Y4) {
    return GdipAddPathBezier(Path, static_cast<REAL>(X1), static_cast<REAL>(Y1), static_cast<REAL>(X2),
                             static_cast<REAL>(Y2), static_cast<REAL>(X3), static_cast<REAL>(Y3), static_cast<REAL>(X4),
                             static_cast<REAL>(Y4));
}

Status GdipAddPathBeziers(GpPath* Path, const GpPointF* Points, INT Count) {
    if (!Path || !Points || Count < 4 || (Count - 1) % 3 != 0) return InvalidParameter;
    return gdipGuarded([&] {
        addFigure(*Path, qPointsOf(Points, Count), PathPointTypeBezier);
        return Ok;
    });
}

Status GdipAddPathBeziersI(GpPath* Path, const GpPoint* Points, INT Count) {
    if (!Points || Count < 0) return InvalidParameter;
    const std::vector<GpPointF> P = gpPointsOf(Points, Count);
    return GdipAddPathBeziers(Path, P.data(), Count);
}

Status GdipAddPathCurve(GpPath* Path, const GpPointF* Points, INT Count) {
    return addCurve(Path, Points, Count, 0.5f, false);
}

Status GdipAddPathCurveI(GpPath* Path, const GpPoint* Points, INT Count) {
    if (!Points || Count < 0) return InvalidParameter;
    const std::vector<GpPointF> P = gpPointsOf(Points, Count);
    return addCurve(Path, P.data(), Count, 0.5f, false);
}

Status GdipAddPathCurve2(GpPath* Path, const GpPointF* Points, INT Count, REAL Tension) {
    return addCurve(Path, Points, Count, Tension, false);
}

Status GdipAddPathCurve2I(GpPath* Path, const GpPoint* Points, INT Count, REAL Tension) {
    if (!Points || Count < 0) return InvalidParameter;
    const std::vector<GpPointF> P = gpPointsOf(Points, Count);
    return addCurve(Path, P.data(), Count, Tension, false);
}

Status GdipAddPathClosedCurve(GpPath* Path, const GpPointF* Points, INT Count) {
    return addCurve(Path, Points, Count, 0.5f, true);
}

Status GdipAddPathRectangle(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height) {
    if (!Path) return InvalidParameter;
    return gdipGuarded([&] {
        Path->StartNew = true;
        addFigure(*Path, {QPointF(X, Y), QPointF(X + Width, Y), QPointF(X + Width, Y + Height), QPointF(X, Y + Height)},
                  PathPointTypeLine);
        closeFigure(*Path);
        return Ok;
    });
}

Status GdipAddPathRectangleI(GpPath* Path, INT X, INT Y, INT Width, INT Height) {
    return GdipAddPathRectangle(Path, static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                                static_cast<REAL>(Height));
}

Status GdipAddPathEllipse(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height) {
    if (!Path) return InvalidParameter;
    return gdipGuarded([&] {
        Path->StartNew = true;
        addFigure(*Path, arcPoints(QRectF(X, Y, Width, Height), 0, 360), PathPointTypeBezier);
        closeFigure(*Path);
        return Ok;
    });
}

Status GdipAddPathEllipseI(GpPath* Path, INT X, INT Y, INT Width, INT Height) {
    return GdipAddPathEllipse(Path, static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                              static_cast<REAL>(Height));
}

Status GdipAddPathPie(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle, REAL SweepAngle) {
    if (!Path || Width <= 0 || Height <= 0) return InvalidParameter;
    return gdipGuarded([&] {
        Path->StartNew = true;
        addFigure(*Path, {QPointF(X + Width / 2, Y + Height / 2)}, PathPointTypeLine);
        std::vector<QPointF> Arc = arcPoints(QRectF(X, Y, Width, Height), StartAngle, SweepAngle);
        Path->Points.push_back(Arc[0]);
        Path->Types.push_back(PathPointTypeLine);
        for (size_t I = 1; I < Arc.size(); ++I) {
            Path->Points.push_back(Arc[I]);
            Path->Types.push_back(PathPointTypeBezier);
        }
        closeFigure(*Path);
        return Ok;
    });
}

Status GdipAddPathPieI(GpPath* Path, INT X, INT Y, INT Width, INT Height, REAL StartAngle, REAL SweepAngle) {
    return GdipAddPathPie(Path, static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                          static_cast<REAL>(Height), StartAngle, SweepAngle);
}

Status GdipAddPathPolygon(GpPath* Path, const GpPointF* Points, INT Count) {
    if (!Path || !Points || Count < 3) return InvalidParameter;
    return gdipGuarded([&] {
        Path->StartNew = true;
        addFigure(*Path, qPointsOf(Points, Count), PathPointTypeLine);
        closeFigure(*Path);
        return Ok;
    });
}

Status GdipAddPathPolygonI(GpPath* Path, const GpPoint* Points, INT Count) {
    if (!Points || Count < 0) return InvalidParameter;
    const std::vector<GpPointF> P = gpPointsOf(Points, Count);
    return GdipAddPathPolygon(Path, P.data(), Count);
}

Status GdipAddPathPath(GpPath* Path, const GpPath* AddingPath, BOOL Connect) {
    if (!Path || !AddingPath) return InvalidParameter;
    return gdipGuarded([&] {
        const GpPath Adding = *AddingPath;  // the same path may be added to itself
        Path->Changed();
        for (size_t I = 0; I < Adding.Points.size(); ++I) {
            BYTE Type = Adding.Types[I];
            if (I == 0 && Connect && !Path->StartNew && !Path->Points.empty()) Type = PathPointTypeLine;
            Path->Points.push_back(Adding.Points[I]);
            Path->Types.push_back(Type);
        }
        Path->StartNew = Adding.StartNew;
        return Ok;
    });
}

Status GdipGetPointCount(GpPath* Path, INT* Count) {
    if (!Path || !Count) return InvalidParameter;
    *Count = static_cast<INT>(Path->Points.size());
    return Ok;
}

Status GdipGetPathPoints(GpPath* Path, GpPointF* Points, INT Count) {
    if (!Path || !Points || Count != static_cast<INT>(Path->Points.size())) return InvalidParameter;
    for (INT I = 0; I < Count; ++I) {
        const QPointF& P = Path->Points[static_cast<size_t>(I)];
        Points[I] = {static_cast<REAL>(P.x()), static_cast<REAL>(P.y())};
    }
    return Ok;
}

Status GdipGetPathPointsI(GpPath* Path, GpPoint* Points, INT Count) {
    if (!Path || !Points || Count != static_cast<INT>(Path->Points.size())) return InvalidParameter;
    for (INT I = 0; I < Count; ++I) {
        const QPointF& P = Path->Points[static_cast<size_t>(I)];
        Points[I] = {static_cast<INT>(std::lround(P.x())), static_cast<INT>(std::lround(P.y()))};
    }
    return Ok;
}

Status GdipGetPathTypes(GpPath* Path, BYTE* Types, INT Count) {
    if (!Path || !Types || Count != static_cast<INT>(Path->Types.size())) return InvalidParameter;
    std::copy(Path->Types.begin(), Path->Types.end(), Types);
    return Ok;
}

Status GdipTransformPath(GpPath* Path, GpMatrix* Matrix) {
    if (!Path) return InvalidParameter;
    if (!Matrix) return Ok;
    for (QPointF& P : Path->Points) P = Matrix->M.map(P);
    Path->Changed();
    return Ok;
}

Status GdipGetPathWorldBounds(GpPath* Path, GpRectF* Bounds, const GpMatrix* Matrix, const GpPen* Pen) {
    if (!Path || !Bounds) return InvalidParameter;
    return gdipGuarded([&] {
        QPainterPath Q = qPathOf(*Path);
        if (Matrix) Q = Matrix->M.map(Q);
        QRectF R = Q.boundingRect();
        if (Pen && !Path->Points.empty()) {
            const double Half = std::max<double>(Pen->Width, 1.0) * pixelsPerUnit(Pen->PenUnit) / 2;
            R.adjust(-Half, -Half, Half, Half);
        }
        *Bounds = gpRectOf(R);
        return Ok;
    });
}

Status GdipGetPathWorldBoundsI(GpPath* Path, GpRect* Bounds, const GpMatrix* Matrix, const GpPen* Pen) {
    if (!Bounds) return InvalidParameter;
    GpRectF R;
    const Status S = GdipGetPathWorldBounds(Path, &R, Matrix, Pen);
    if (S != Ok) return S;
    const QRect I = qRectOf(R).toAlignedRect();
    *Bounds = {I.x(), I.y(), I.width(), I.height()};
    return Ok;
}

Status GdipIsVisiblePathPoint(GpPath* Path, REAL X, REAL Y, GpGraphics* Graphics, BOOL* Result) {
    if (!Path || !Result) return InvalidParameter;
    return gdipGuarded([&] {
        *Result = qPathOf(*Path).contains(QPointF(X, Y)) ? 1 : 0;
        return Ok;
    });
}

// ---------------------------------------------------------------------------------------------
// Regions

Status GdipCreateRegion(GpRegion** Region) {
    if (!Region) return InvalidParameter;
    return gdipGuarded([&] {
        *Region = new GpRegion{true, {}};
        return Ok;
    });
}

Status GdipCreateRegionRect(const GpRectF* Rect, GpRegion** Region) {
    if (!Region) return InvalidParameter;
    *Region = nullptr;
    if (!Rect) return InvalidParameter;
    return gdipGuarded([&] {
        QPainterPath P;
        P.addRect(qRectOf(*Rect).normalized());
        *Region = new GpRegion{false, P};
        return Ok;
    });
}

Status GdipCreateRegionRectI(const GpRect* Rect, GpRegion** Region) {
    if (!Rect) return InvalidParameter;
    const GpRectF R{static_cast<REAL>(Rect->X), static_cast<REAL>(Rect->Y), static_cast<REAL>(Rect->Width),
                    static_cast<REAL>(Rect->Height)};
    return GdipCreateRegionRect(&R, Region);
}

Status GdipCreateRegionPath(GpPath* Path, GpRegion** Region) {
    if (!Region) return InvalidParameter;
    *Region = nullptr;
    if (!Path) return InvalidParameter;
    return gdipGuarded([&] {
        *Region = new GpRegion{false, qPathOf(*Path)};
        return Ok;
    });
}

Status GdipCloneRegion(GpRegion* Region, GpRegion** CloneRegion) {
    if (!Region || !CloneRegion) return InvalidParameter;
    return gdipGuarded([&] {
        *CloneRegion = new GpRegion(*Region);
        return Ok;
    });
}

Status GdipDeleteRegion(GpRegion* Region) {
    if (!Region) return InvalidParameter;
    delete Region;
    return Ok;
}

Status GdipSetInfinite(GpRegion* Region) {
    if (!Region) return InvalidParameter;
    *Region = GpRegion{true, {}};
    return Ok;
}

Status GdipSetEmpty(GpRegion* Region) {
    if (!Region) return InvalidParameter;
    *Region = GpRegion{};
    return Ok;
}

Status GdipCombineRegionRect(GpRegion* Region, const GpRectF* Rect, CombineMode Mode) {
    if (!Rect) return InvalidParameter;
    QPainterPath P;
    P.addRect(qRectOf(*Rect).normalized());
    return combineRegion(Region, GpRegion{false, P}, Mode);
}

Status GdipCombineRegionRectI(GpRegion* Region, const GpRect* Rect, CombineMode Mode) {
    if (!Rect) return InvalidParameter;
    const GpRectF R{static_cast<REAL>(Rect->X), static_cast<REAL>(Rect->Y), static_cast<REAL>(Rect->Width),
                    static_cast<REAL>(Rect->Height)};
    return GdipCombineRegionRect(Region, &R, Mode);
}

Status GdipCombineRegionPath(GpRegion* Region, GpPath* Path, CombineMode Mode) {
    if (!Path) return InvalidParameter;
    return combineRegion(Region, GpRegion{false, qPathOf(*Path)}, Mode);
}

Status GdipCombineRegionRegion(GpRegion* Region, GpRegion* Region2, CombineMode Mode) {
    if (!Region2) return InvalidParameter;
    return combineRegion(Region, *Region2, Mode);
}

Status GdipTranslateRegion(GpRegion* Region, REAL DX, REAL DY) {
    if (!Region) return InvalidParameter;
    if (!Region->Infinite) Region->Path.translate(DX, DY);
    return Ok;
}

Status GdipGetRegionBounds(GpRegion* Region, GpGraphics* Graphics, GpRectF* Rect) {
    if (!Region || !Rect) return InvalidParameter;
    *Rect = gpRectOf(Region->Infinite ? infiniteRect() : Region->Path.boundingRect());
    return Ok;
}

Status GdipIsEmptyRegion(GpRegion* Region, GpGraphics* Graphics, BOOL* Result) {
    if (!Region || !Result) return InvalidParameter;
    *Result = !Region->Infinite && Region->Path.boundingRect().isEmpty() ? 1 : 0;
    return Ok;
}

Status GdipIsInfiniteRegion(GpRegion* Region, GpGraphics* Graphics, BOOL* Result) {
    if (!Region || !Result) return InvalidParameter;
    *Result = Region->Infinite ? 1 : 0;
    return Ok;
}

Status GdipIsVisibleRegionPoint(GpRegion* Region, REAL X, REAL Y, GpGraphics* Graphics, BOOL* Result) {
    if (!Region || !Result) return InvalidParameter;
    *Result = Region->Infinite || Region->Path.contains(QPointF(X, Y)) ? 1 : 0;
    return Ok;
}
