// Start-up, the allocator, the stream adapter and matrices.
#include "framework/gdiplus/GdiPlusPrivate.h"

#include <atomic>
#include <cmath>
#include <cstdlib>

namespace {

std::atomic<int> gStartups{0};

Status hookNothing(NativeUInt* Token) {
    if (Token) *Token = 0;
    return Ok;
}
void unhookNothing(NativeUInt) {}

}  // namespace

std::vector<GpPointF> gpPointsOf(const GpPoint* Points, INT Count) {
    std::vector<GpPointF> Result(static_cast<size_t>(std::max(0, Count)));
    for (INT I = 0; I < Count; ++I)
        Result[static_cast<size_t>(I)] = {static_cast<REAL>(Points[I].X), static_cast<REAL>(Points[I].Y)};
    return Result;
}

void composeTransform(QTransform& Matrix, const QTransform& Op, MatrixOrder Order) {
    // Row vectors: A * B applies A first.
    Matrix = Order == MatrixOrderAppend ? Matrix * Op : Op * Matrix;
}

double pixelsPerUnit(Unit U) {
    switch (U) {
        case UnitPoint:
            return 96.0 / 72.0;
        case UnitInch:
            return 96.0;
        case UnitDocument:
            return 96.0 / 300.0;
        case UnitMillimeter:
            return 96.0 / 25.4;
        default:
            return 1.0;
    }
}

// ---------------------------------------------------------------------------------------------
// Start-up

Status GdiplusStartup(NativeUInt* Token, const GdiplusStartupInput* Input, GdiplusStartupOutput* Output) {
    if (!Token || !Input) return InvalidParameter;
    if (Input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
    if (Input->SuppressBackgroundThread && !Output) return InvalidParameter;
    if (Output) {
        // No background thread exists here, so the hooks have nothing to do.
        Output->NotificationHook = hookNothing;
        Output->NotificationUnhook = unhookNothing;
    }
    *Token = static_cast<NativeUInt>(++gStartups);
    return Ok;
}

void GdiplusShutdown(NativeUInt Token) {
    if (Token == 0) return;
    int Count = gStartups.load();
    while (Count > 0 && !gStartups.compare_exchange_weak(Count, Count - 1)) {
    }
}

void* GdipAlloc(size_t Size) {
    if (gStartups.load() <= 0) return nullptr;
    return std::malloc(Size == 0 ? 1 : Size);
}

void GdipFree(void* Ptr) { std::free(Ptr); }

// ---------------------------------------------------------------------------------------------
// Stream adapter

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership) : FStream(Stream), FOwnership(Ownership) {}

TStreamAdapter::~TStreamAdapter() {
    if (FOwnership == soOwned) delete FStream;
}

ULONG TStreamAdapter::AddRef() { return ++FRefCount; }

ULONG TStreamAdapter::Release() {
    const ULONG Count = --FRefCount;
    if (Count == 0) delete this;
    return Count;
}

HRESULT TStreamAdapter::Read(void* Buffer, ULONG Count, ULONG* ReadCount) {
    if (!FStream || (!Buffer && Count)) return E_INVALIDARG;
    try {
        const auto Done = static_cast<ULONG>(FStream->Read(Buffer, Count));
        if (ReadCount) *ReadCount = Done;
        return Done == Count ? S_OK : S_FALSE;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TStreamAdapter::Write(const void* Buffer, ULONG Count, ULONG* Written) {
    if (!FStream || (!Buffer && Count)) return E_INVALIDARG;
    try {
        const auto Done = static_cast<ULONG>(FStream->Write(Buffer, Count));
        if (Written) *Written = Done;
        return Done == Count ? S_OK : STG_E_MEDIUMFULL;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TStreamAdapter::Seek(Int64 Move, DWORD Origin, UInt64* NewPosition) {
    if (!FStream || Origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
        const Int64 Pos = FStream->Seek(Move, static_cast<TSeekOrigin>(Origin));
        if (NewPosition) *NewPosition = static_cast<UInt64>(Pos);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDFUNCTION;
    }
}

HRESULT TStreamAdapter::SetSize(UInt64 NewSize) {
    if (!FStream) return E_INVALIDARG;
    try {
        FStream->SetSize(static_cast<Int64>(NewSize));
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TStreamAdapter::Stat(UInt64* Size) {
    if (!FStream || !Size) return E_INVALIDARG;
    *Size = static_cast<UInt64>(FStream->Size());
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// Matrices

Status GdipCreateMatrix(GpMatrix** Matrix) {
    if (!Matrix) return InvalidParameter;
    return gdipGuarded([&] {
        *Matrix = new GpMatrix;
        return Ok;
    });
}

Status GdipCreateMatrix2(REAL M11, REAL M12, REAL M21, REAL M22, REAL DX, REAL DY, GpMatrix** Matrix) {
    if (!Matrix) return InvalidParameter;
    return gdipGuarded([&] {
        *Matrix = new GpMatrix{QTransform(M11, M12, M21, M22, DX, DY)};
        return Ok;
    });
}

Status GdipCreateMatrix3(const GpRectF* Rect, const GpPointF* DstPlg, GpMatrix** Matrix) {
    if (!Matrix) return InvalidParameter;
    *Matrix = nullptr;
    if (!Rect || !DstPlg || Rect->Width == 0 || Rect->Height == 0) return InvalidParameter;
    // Unit square to the parallelogram, after the rectangle to the unit square.
    const QPointF P0 = qPointOf(DstPlg[0]), P1 = qPointOf(DstPlg[1]), P2 = qPointOf(DstPlg[2]);
    const QTransform ToUnit =
        QTransform::fromTranslate(-Rect->X, -Rect->Y) * QTransform::fromScale(1.0 / Rect->Width, 1.0 / Rect->Height);
    const QTransform ToPlg(P1.x() - P0.x(), P1.y() - P0.y(), P2.x() - P0.x(), P2.y() - P0.y(), P0.x(), P0.y());
    return gdipGuarded([&] {
        *Matrix = new GpMatrix{ToUnit * ToPlg};
        return Ok;
    });
}

Status GdipCreateMatrix3I(const GpRect* Rect, const GpPoint* DstPlg, GpMatrix** Matrix) {
    if (!Rect || !DstPlg) return InvalidParameter;
    const GpRectF R{static_cast<REAL>(Rect->X), static_cast<REAL>(Rect->Y), static_cast<REAL>(Rect->Width),
                    static_cast<REAL>(Rect->Height)};
    const std::vector<GpPointF> P = gpPointsOf(DstPlg, 3);
    return GdipCreateMatrix3(&R, P.data(), Matrix);
}

Status GdipCloneMatrix(GpMatrix* Matrix, GpMatrix** CloneMatrix) {
    if (!Matrix || !CloneMatrix) return InvalidParameter;
    return gdipGuarded([&] {
        *CloneMatrix = new GpMatrix(*Matrix);
        return Ok;
    });
}

Status GdipDeleteMatrix(GpMatrix* Matrix) {
    if (!Matrix) return InvalidParameter;
    delete Matrix;
    return Ok;
}

Status GdipSetMatrixElements(GpMatrix* Matrix, REAL M11, REAL M12, REAL M21, REAL M22, REAL DX, REAL DY) {
    if (!Matrix) return InvalidParameter;
    Matrix->M.setMatrix(M11, M12, 0, M21, M22, 0, DX, DY, 1);
    return Ok;
}

Status GdipGetMatrixElements(const GpMatrix* Matrix, REAL* MatrixOut) {
    if (!Matrix || !MatrixOut) return InvalidParameter;
    const QTransform& M = Matrix->M;
    const double E[6] = {M.m11(), M.m12(), M.m21(), M.m22(), M.dx(), M.dy()};
    for (int I = 0; I < 6; ++I) MatrixOut[I] = static_cast<REAL>(E[I]);
    return Ok;
}

Status GdipMultiplyMatrix(GpMatrix* Matrix, GpMatrix* Matrix2, MatrixOrder Order) {
    if (!Matrix || !Matrix2) return InvalidParameter;
    if (Order != MatrixOrderPrepend && Order != MatrixOrderAppend) return InvalidParameter;
    composeTransform(Matrix->M, Matrix2->M, Order);
    return Ok;
}

Status GdipTranslateMatrix(GpMatrix* Matrix, REAL OffsetX, REAL OffsetY, MatrixOrder Order) {
    if (!Matrix) return InvalidParameter;
    composeTransform(Matrix->M, QTransform::fromTranslate(OffsetX, OffsetY), Order);
    return Ok;
}

Status GdipScaleMatrix(GpMatrix* Matrix, REAL ScaleX, REAL ScaleY, MatrixOrder Order) {
    if (!Matrix) return InvalidParameter;
    composeTransform(Matrix->M, QTransform::fromScale(ScaleX, ScaleY), Order);
    return Ok;
}

Status GdipRotateMatrix(GpMatrix* Matrix, REAL Angle, MatrixOrder Order) {
    if (!Matrix) return InvalidParameter;
    QTransform R;
    R.rotate(Angle);
    composeTransform(Matrix->M, R, Order);
    return Ok;
}

Status GdipShearMatrix(GpMatrix* Matrix, REAL ShearX, REAL ShearY, MatrixOrder Order) {
    if (!Matrix) return InvalidParameter;
    composeTransform(Matrix->M, QTransform(1, ShearY, ShearX, 1, 0, 0), Order);
    return Ok;
}

Status GdipInvertMatrix(GpMatrix* Matrix) {
    if (!Matrix) return InvalidParameter;
    bool Invertible = false;
    const QTransform Inverse = Matrix->M.inverted(&Invertible);
    if (!Invertible) return InvalidParameter;
    Matrix->M = Inverse;
    return Ok;
}

Status GdipTransformMatrixPoints(GpMatrix* Matrix, GpPointF* Points, INT Count) {
    if (!Matrix || !Points || Count <= 0) return InvalidParameter;
    for (INT I = 0; I < Count; ++I) {
        const QPointF P = Matrix->M.map(qPointOf(Points[I]));
        Points[I] = {static_cast<REAL>(P.x()), static_cast<REAL>(P.y())};
    }
    return Ok;
}

Status GdipTransformMatrixPointsI(GpMatrix* Matrix, GpPoint* Points, INT Count) {
    if (!Matrix || !Points || Count <= 0) return InvalidParameter;
    for (INT I = 0; I < Count; ++I) {
        const QPointF P = Matrix->M.map(QPointF(Points[I].X, Points[I].Y));
        Points[I] = {static_cast<INT>(std::lround(P.x())), static_cast<INT>(std::lround(P.y()))};
    }
    return Ok;
}

Status GdipVectorTransformMatrixPoints(GpMatrix* Matrix, GpPointF* Points, INT Count) {
    if (!Matrix || !Points || Count <= 0) return InvalidParameter;
    const QTransform& M = Matrix->M;
    for (INT I = 0; I < Count; ++I) {
        const double X = Points[I].X, Y = Points[I].Y;
        Points[I] = {static_cast<REAL>(M.m11() * X + M.m21() * Y), static_cast<REAL>(M.m12() * X + M.m22() * Y)};
    }
    return Ok;
}

Status GdipVectorTransformMatrixPointsI(GpMatrix* Matrix, GpPoint* Points, INT Count) {
    if (!Matrix || !Points || Count <= 0) return InvalidParameter;
    const QTransform& M = Matrix->M;
    for (INT I = 0; I < Count; ++I) {
        const double X = Points[I].X, Y = Points[I].Y;
        Points[I] = {static_cast<INT>(std::lround(M.m11() * X + M.m21() * Y)),
                     static_cast<INT>(std::lround(M.m12() * X + M.m22() * Y))};
    }
    return Ok;
}

Status GdipIsMatrixInvertible(const GpMatrix* Matrix, BOOL* Result) {
    if (!Matrix || !Result) return InvalidParameter;
    *Result = Matrix->M.isInvertible() ? 1 : 0;
    return Ok;
}

Status GdipIsMatrixIdentity(const GpMatrix* Matrix, BOOL* Result) {
    if (!Matrix || !Result) return InvalidParameter;
    *Result = Matrix->M.isIdentity() ? 1 : 0;
    return Ok;
}

Status GdipIsMatrixEqual(const GpMatrix* Matrix, const GpMatrix* Matrix2, BOOL* Result) {
    if (!Matrix || !Matrix2 || !Result) return InvalidParameter;
    *Result = Matrix->M == Matrix2->M ? 1 : 0;
    return Ok;
}
