// Paths, regions and matrices of the object layer.
#include "components/graphics/AdvGDIP.h"

#include "framework/gdiplus/GdiPlusFlat.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TGPGraphicsPath

TGPGraphicsPath::TGPGraphicsPath(FillMode Mode) { lastResult = GdipCreatePath(Mode, &nativePath); }

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* Points, const BYTE* Types, int Count, FillMode Mode) {
    lastResult = GdipCreatePath2(Points, Types, Count, Mode, &nativePath);
}

TGPGraphicsPath::TGPGraphicsPath(GpPath* NativePath) : nativePath(NativePath) {}

TGPGraphicsPath::~TGPGraphicsPath() { GdipDeletePath(nativePath); }

GpStatus TGPGraphicsPath::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

GpStatus TGPGraphicsPath::Reset() { return SetStatus(GdipResetPath(nativePath)); }

GpStatus TGPGraphicsPath::CloseFigure() { return SetStatus(GdipClosePathFigure(nativePath)); }

GpStatus TGPGraphicsPath::AddLine(const TGPPointF& Pt1, const TGPPointF& Pt2) {
    return AddLine(Pt1.X, Pt1.Y, Pt2.X, Pt2.Y);
}

GpStatus TGPGraphicsPath::AddLine(float X1, float Y1, float X2, float Y2) {
    return SetStatus(GdipAddPathLine(nativePath, X1, Y1, X2, Y2));
}

GpStatus TGPGraphicsPath::AddLines(const TGPPoint* Points, int Count) {
    return SetStatus(GdipAddPathLine2I(nativePath, Points, Count));
}

GpStatus TGPGraphicsPath::AddRectangle(const TGPRectF& Rect) {
    return SetStatus(GdipAddPathRectangle(nativePath, Rect.X, Rect.Y, Rect.Width, Rect.Height));
}

GpStatus TGPGraphicsPath::AddRectangle(const TGPRect& Rect) {
    return SetStatus(GdipAddPathRectangleI(nativePath, Rect.X, Rect.Y, Rect.Width, Rect.Height));
}

GpStatus TGPGraphicsPath::AddArc(const TGPRectF& Rect, float StartAngle, float SweepAngle) {
    return AddArc(Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

GpStatus TGPGraphicsPath::AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) {
    return SetStatus(GdipAddPathArc(nativePath, X, Y, Width, Height, StartAngle, SweepAngle));
}

GpStatus TGPGraphicsPath::AddPie(const TGPRectF& Rect, float StartAngle, float SweepAngle) {
    return AddPie(Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

GpStatus TGPGraphicsPath::AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) {
    return SetStatus(GdipAddPathPie(nativePath, X, Y, Width, Height, StartAngle, SweepAngle));
}

GpStatus TGPGraphicsPath::AddEllipse(const TGPRectF& Rect) {
    return AddEllipse(Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

GpStatus TGPGraphicsPath::AddEllipse(float X, float Y, float Width, float Height) {
    return SetStatus(GdipAddPathEllipse(nativePath, X, Y, Width, Height));
}

GpStatus TGPGraphicsPath::AddPolygon(const TGPPointF* Points, int Count) {
    return SetStatus(GdipAddPathPolygon(nativePath, Points, Count));
}

GpStatus TGPGraphicsPath::AddPolygon(const TGPPoint* Points, int Count) {
    return SetStatus(GdipAddPathPolygonI(nativePath, Points, Count));
}

GpStatus TGPGraphicsPath::AddCurve(const TGPPointF* Points, int Count) {
    return SetStatus(GdipAddPathCurve(nativePath, Points, Count));
}

GpStatus TGPGraphicsPath::AddCurve(const TGPPoint* Points, int Count) {
    return SetStatus(GdipAddPathCurveI(nativePath, Points, Count));
}

GpStatus TGPGraphicsPath::AddCurve(const TGPPoint* Points, int Count, float Tension) {
    return SetStatus(GdipAddPathCurve2I(nativePath, Points, Count, Tension));
}

GpStatus TGPGraphicsPath::AddBezier(const TGPPoint& Pt1, const TGPPoint& Pt2, const TGPPoint& Pt3,
                                    const TGPPoint& Pt4) {
    auto F = [](int V) { return static_cast<float>(V); };
    return AddBezier(F(Pt1.X), F(Pt1.Y), F(Pt2.X), F(Pt2.Y), F(Pt3.X), F(Pt3.Y), F(Pt4.X), F(Pt4.Y));
}

GpStatus TGPGraphicsPath::AddBezier(const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3,
                                    const TGPPointF& Pt4) {
    return AddBezier(Pt1.X, Pt1.Y, Pt2.X, Pt2.Y, Pt3.X, Pt3.Y, Pt4.X, Pt4.Y);
}

GpStatus TGPGraphicsPath::AddBezier(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4) {
    return SetStatus(GdipAddPathBezier(nativePath, X1, Y1, X2, Y2, X3, Y3, X4, Y4));
}

GpStatus TGPGraphicsPath::AddString(const String& Text, int Length, TGPFontFamily* Family, int Style, float EmSize,
                                    const TGPPointF& Origin, TGPStringFormat* Format) {
    return AddString(Text, Length, Family, Style, EmSize, MakeGPRectF(Origin.X, Origin.Y, 0, 0), Format);
}

GpStatus TGPGraphicsPath::AddString(const String& Text, int Length, TGPFontFamily* Family, int Style, float EmSize,
                                    const TGPRectF& LayoutRect, TGPStringFormat* Format) {
    // A length beyond the text would make GDI+ read past its end.
    const int Clamped = std::min(Length, static_cast<int>(Text.length()));
    return SetStatus(GdipAddPathString(nativePath, reinterpret_cast<const WCHAR*>(Text.utf16()), Clamped,
                                       Family ? Family->nativeFamily : nullptr, Style, EmSize, &LayoutRect,
                                       Format ? Format->nativeFormat : nullptr));
}

int TGPGraphicsPath::GetPointCount() {
    INT Count = 0;
    if (SetStatus(GdipGetPointCount(nativePath, &Count)) != Ok) return 0;
    return Count;
}

GpStatus TGPGraphicsPath::GetPathPoints(TGPPointF* Points, int Count) {
    return SetStatus(GdipGetPathPoints(nativePath, Points, Count));
}

GpStatus TGPGraphicsPath::GetPathTypes(BYTE* Types, int Count) {
    return SetStatus(GdipGetPathTypes(nativePath, Types, Count));
}

GpStatus TGPGraphicsPath::GetBounds(TGPRectF& Bounds, TGPMatrix* Matrix, TGPPen* Pen) {
    return SetStatus(GdipGetPathWorldBounds(nativePath, &Bounds, Matrix ? Matrix->nativeMatrix : nullptr,
                                            Pen ? Pen->nativePen : nullptr));
}

// ---------------------------------------------------------------------------------------------
// TGPRegion

TGPRegion::TGPRegion(const TGPRectF& Rect) { lastResult = GdipCreateRegionRect(&Rect, &nativeRegion); }

TGPRegion::TGPRegion(TGPGraphicsPath* Path) {
    lastResult = GdipCreateRegionPath(Path ? Path->nativePath : nullptr, &nativeRegion);
}

TGPRegion::~TGPRegion() { GdipDeleteRegion(nativeRegion); }

GpStatus TGPRegion::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

GpStatus TGPRegion::Exclude(TGPGraphicsPath* Path) {
    return SetStatus(GdipCombineRegionPath(nativeRegion, Path ? Path->nativePath : nullptr, CombineModeExclude));
}

GpStatus TGPRegion::Union(TGPRegion* Region) {
    return SetStatus(GdipCombineRegionRegion(nativeRegion, Region ? Region->nativeRegion : nullptr, CombineModeUnion));
}

// ---------------------------------------------------------------------------------------------
// TGPMatrix

TGPMatrix::TGPMatrix() { lastResult = GdipCreateMatrix(&nativeMatrix); }

TGPMatrix::TGPMatrix(float M11, float M12, float M21, float M22, float DX, float DY) {
    lastResult = GdipCreateMatrix2(M11, M12, M21, M22, DX, DY, &nativeMatrix);
}

TGPMatrix::TGPMatrix(const TGPRectF& Rect, const TGPPointF* DstPlg) {
    lastResult = GdipCreateMatrix3(&Rect, DstPlg, &nativeMatrix);
}

TGPMatrix::TGPMatrix(const TGPRect& Rect, const TGPPoint* DstPlg) {
    lastResult = GdipCreateMatrix3I(&Rect, DstPlg, &nativeMatrix);
}

TGPMatrix::TGPMatrix(GpMatrix* NativeMatrix) : nativeMatrix(NativeMatrix) {}

TGPMatrix::~TGPMatrix() { GdipDeleteMatrix(nativeMatrix); }

GpStatus TGPMatrix::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

GpStatus TGPMatrix::GetLastStatus() {
    const GpStatus S = lastResult;
    lastResult = Ok;
    return S;
}

TGPMatrix* TGPMatrix::Clone() {
    // Decided on this call alone: an earlier failure kept in lastResult must neither refuse a
    // good copy nor strand it unowned.
    GpMatrix* Copy = nullptr;
    if (SetStatus(GdipCloneMatrix(nativeMatrix, &Copy)) != Ok) {
        if (Copy) GdipDeleteMatrix(Copy);
        return nullptr;
    }
    return new TGPMatrix(Copy);
}

GpStatus TGPMatrix::GetElements(TMatrixArray& M) { return SetStatus(GdipGetMatrixElements(nativeMatrix, M)); }

GpStatus TGPMatrix::SetElements(float M11, float M12, float M21, float M22, float DX, float DY) {
    return SetStatus(GdipSetMatrixElements(nativeMatrix, M11, M12, M21, M22, DX, DY));
}

float TGPMatrix::OffsetX() {
    TMatrixArray M = {};
    return GetElements(M) == Ok ? M[4] : 0.0f;
}

float TGPMatrix::OffsetY() {
    TMatrixArray M = {};
    return GetElements(M) == Ok ? M[5] : 0.0f;
}

GpStatus TGPMatrix::Reset() { return SetStatus(GdipSetMatrixElements(nativeMatrix, 1, 0, 0, 1, 0, 0)); }

GpStatus TGPMatrix::Multiply(TGPMatrix* Matrix, MatrixOrder Order) {
    return SetStatus(GdipMultiplyMatrix(nativeMatrix, Matrix ? Matrix->nativeMatrix : nullptr, Order));
}

GpStatus TGPMatrix::Translate(float OffsetX, float OffsetY, MatrixOrder Order) {
    return SetStatus(GdipTranslateMatrix(nativeMatrix, OffsetX, OffsetY, Order));
}

GpStatus TGPMatrix::Scale(float ScaleX, float ScaleY, MatrixOrder Order) {
    return SetStatus(GdipScaleMatrix(nativeMatrix, ScaleX, ScaleY, Order));
}

GpStatus TGPMatrix::Rotate(float Angle, MatrixOrder Order) {
    return SetStatus(GdipRotateMatrix(nativeMatrix, Angle, Order));
}

GpStatus TGPMatrix::RotateAt(float Angle, const TGPPointF& Center, MatrixOrder Order) {
    // Prepend builds the steps from the point's side, Append from the matrix's: either way the
    // centre is moved to the origin, turned, and moved back.
    if (Order == MatrixOrderAppend) {
        SetStatus(GdipTranslateMatrix(nativeMatrix, -Center.X, -Center.Y, MatrixOrderAppend));
        SetStatus(GdipRotateMatrix(nativeMatrix, Angle, MatrixOrderAppend));
        return SetStatus(GdipTranslateMatrix(nativeMatrix, Center.X, Center.Y, MatrixOrderAppend));
    }
    SetStatus(GdipTranslateMatrix(nativeMatrix, Center.X, Center.Y, MatrixOrderPrepend));
    SetStatus(GdipRotateMatrix(nativeMatrix, Angle, MatrixOrderPrepend));
    return SetStatus(GdipTranslateMatrix(nativeMatrix, -Center.X, -Center.Y, MatrixOrderPrepend));
}

GpStatus TGPMatrix::Shear(float ShearX, float ShearY, MatrixOrder Order) {
    return SetStatus(GdipShearMatrix(nativeMatrix, ShearX, ShearY, Order));
}

GpStatus TGPMatrix::Invert() { return SetStatus(GdipInvertMatrix(nativeMatrix)); }

GpStatus TGPMatrix::TransformPoints(TGPPointF* Points, int Count) {
    return SetStatus(GdipTransformMatrixPoints(nativeMatrix, Points, Count));
}

GpStatus TGPMatrix::TransformPoints(TGPPoint* Points, int Count) {
    return SetStatus(GdipTransformMatrixPointsI(nativeMatrix, Points, Count));
}

GpStatus TGPMatrix::TransformVectors(TGPPointF* Points, int Count) {
    return SetStatus(GdipVectorTransformMatrixPoints(nativeMatrix, Points, Count));
}

GpStatus TGPMatrix::TransformVectors(TGPPoint* Points, int Count) {
    return SetStatus(GdipVectorTransformMatrixPointsI(nativeMatrix, Points, Count));
}

bool TGPMatrix::IsInvertible() {
    BOOL Result = 0;
    return SetStatus(GdipIsMatrixInvertible(nativeMatrix, &Result)) == Ok && Result != 0;
}

bool TGPMatrix::IsIdentity() {
    BOOL Result = 0;
    return SetStatus(GdipIsMatrixIdentity(nativeMatrix, &Result)) == Ok && Result != 0;
}
