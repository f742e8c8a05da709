// Font, pen and brush handles. Every live handle is listed with the context that made it (or
// none), so a stale or foreign pointer is refused instead of read, and a context frees the
// handles it made for SelectObject's return values when it is deleted.
#include "framework/ui/GdiObjects.h"

#include "framework/ui/DeviceContext.h"
#include "framework/ui/FontMapper.h"

#include <QFontMetrics>
#include <QHash>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

enum class TObjectKind { Font, Pen, Brush, Region };

struct TLiveObject {
    TObjectKind Kind;
    HDC Owner;  // the context that made it, nullptr for handles the caller created
};

std::mutex& registryLock() {
    static std::mutex Lock;
    return Lock;
}

std::unordered_map<const void*, TLiveObject>& registry() {
    static std::unordered_map<const void*, TLiveObject> Objects;
    return Objects;
}

void enlist(const void* Handle, TObjectKind Kind, HDC Owner) {
    std::lock_guard<std::mutex> Guard(registryLock());
    registry()[Handle] = {Kind, Owner};
}

bool isLive(const void* Handle, TObjectKind Kind) {
    if (!Handle) return false;
    std::lock_guard<std::mutex> Guard(registryLock());
    const auto It = registry().find(Handle);
    return It != registry().end() && It->second.Kind == Kind;
}

bool delist(const void* Handle, TObjectKind Kind) {
    std::lock_guard<std::mutex> Guard(registryLock());
    const auto It = registry().find(Handle);
    if (It == registry().end() || It->second.Kind != Kind) return false;
    registry().erase(It);
    return true;
}

TFontStyles stylesOf(const LOGFONTW& LF) {
    TFontStyles S;
    if (LF.lfWeight >= FW_BOLD) S.Include(fsBold);
    if (LF.lfItalic) S.Include(fsItalic);
    if (LF.lfUnderline) S.Include(fsUnderline);
    if (LF.lfStrikeOut) S.Include(fsStrikeOut);
    return S;
}

TFontQuality qualityOf(Byte Quality) {
    switch (Quality) {
        case DRAFT_QUALITY:
            return fqDraft;
        case PROOF_QUALITY:
            return fqProof;
        case NONANTIALIASED_QUALITY:
            return fqNonAntialiased;
        case ANTIALIASED_QUALITY:
            return fqAntialiased;
        case CLEARTYPE_QUALITY:
            return fqClearType;
        case CLEARTYPE_NATURAL_QUALITY:
            return fqClearTypeNatural;
        default:
            return fqDefault;
    }
}

TPenStyle penStyleOf(int Style) {
    switch (Style & 0x0F) {
        case PS_DASH:
            return psDash;
        case PS_DOT:
            return psDot;
        case PS_DASHDOT:
            return psDashDot;
        case PS_DASHDOTDOT:
            return psDashDotDot;
        case PS_NULL:
            return psClear;
        case PS_INSIDEFRAME:
            return psInsideFrame;
        default:
            return psSolid;
    }
}

TColor colorOf(COLORREF C) { return static_cast<TColor>(C & 0x00FFFFFF); }

template <class THandle, class TValue>
THandle makeHandle(TObjectKind Kind, HDC Owner, TValue&& Init) {
    auto* H = new std::remove_pointer_t<THandle>(std::forward<TValue>(Init));
    enlist(H, Kind, Owner);
    return H;
}

QRect normalRect(int X1, int Y1, int X2, int Y2) {
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
    return QRect(X1, Y1, X2 - X1, Y2 - Y1);
}

// Row by row: each row of R loses, at both ends, what lies outside the corner ellipses (a
// CornerW x CornerH ellipse split into four quarters), measured at the row's middle.
QRegion roundedRegion(const QRect& R, int CornerW, int CornerH) {
    if (R.isEmpty()) return QRegion();
    const double A = std::min(CornerW, R.width()) / 2.0;
    const double B = std::min(CornerH, R.height()) / 2.0;
    std::vector<QRect> Rows;
    Rows.reserve(static_cast<std::size_t>(R.height()));
    for (int Y = 0; Y < R.height(); ++Y) {
        const double Mid = Y + 0.5;
        double Dy = 0;
        if (Mid < B)
            Dy = B - Mid;
        else if (Mid > R.height() - B)
            Dy = Mid - (R.height() - B);
        int Inset = 0;
        if (Dy > 0 && A > 0) {
            const double T = Dy / B;
            Inset = static_cast<int>(std::lround(A - A * std::sqrt(std::max(0.0, 1.0 - T * T))));
        }
        if (2 * Inset < R.width()) Rows.emplace_back(R.left() + Inset, R.top() + Y, R.width() - 2 * Inset, 1);
    }
    QRegion Region;
    Region.setRects(Rows.data(), static_cast<int>(Rows.size()));
    return Region;
}

HRGN makeRegion(QRegion Region) {
    return makeHandle<HRGN>(TObjectKind::Region, nullptr, TRegionHandle{std::move(Region)});
}

int regionKind(const QRegion& Region) {
    if (Region.isEmpty()) return NULLREGION;
    return Region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

String LogFontFaceName(const LOGFONTW& LogFont) {
    int N = 0;
    while (N < LF_FACESIZE && LogFont.lfFaceName[N] != 0) ++N;
    return QString::fromUtf16(LogFont.lfFaceName, N);
}

void SetLogFontFaceName(LOGFONTW& LogFont, const String& Face) {
    const int N = std::min<int>(static_cast<int>(Face.size()), LF_FACESIZE - 1);
    for (int I = 0; I < LF_FACESIZE; ++I) LogFont.lfFaceName[I] = I < N ? Face.at(I).unicode() : 0;
}

LOGFONTW LogFontOf(const TFont& Font) {
    LOGFONTW LF;
    LF.lfHeight = Font.Height();
    LF.lfEscapement = Font.Orientation();
    LF.lfOrientation = Font.Orientation();
    LF.lfWeight = Font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    LF.lfItalic = Font.Style().Contains(fsItalic) ? 1 : 0;
    LF.lfUnderline = Font.Style().Contains(fsUnderline) ? 1 : 0;
    LF.lfStrikeOut = Font.Style().Contains(fsStrikeOut) ? 1 : 0;
    LF.lfCharSet = Font.Charset();
    LF.lfQuality = static_cast<Byte>(Font.Quality());
    LF.lfPitchAndFamily = Font.Pitch() == fpFixed      ? FIXED_PITCH
                          : Font.Pitch() == fpVariable ? VARIABLE_PITCH
                                                       : DEFAULT_PITCH;
    SetLogFontFaceName(LF, Font.Name());
    return LF;
}

void AssignLogFont(TFont& Font, const LOGFONTW& LogFont) {
    const String Face = LogFontFaceName(LogFont);
    if (!Face.isEmpty()) Font.SetName(Face);
    Font.SetHeight(LogFont.lfHeight);
    Font.SetStyle(stylesOf(LogFont));
    Font.SetCharset(LogFont.lfCharSet);
    Font.SetOrientation(LogFont.lfEscapement);
    Font.SetQuality(qualityOf(LogFont.lfQuality));
    const int Pitch = LogFont.lfPitchAndFamily & 0x03;
    Font.SetPitch(Pitch == FIXED_PITCH ? fpFixed : Pitch == VARIABLE_PITCH ? fpVariable : fpDefault);
}

QFont DefaultDCFont() {
    // Every new context starts with it.
    static const QFont Font = QFontOfLogFont(DefaultDCLogFont());
    return Font;
}

LOGFONTW DefaultDCLogFont() {
    LOGFONTW LF;
    LF.lfHeight = -11;
    LF.lfWeight = FW_NORMAL;
    SetLogFontFaceName(LF, QStringLiteral("MS Sans Serif"));
    return LF;
}

namespace {

QFont makeQFontOfLogFont(const LOGFONTW& LF) {
    QFont F = QFontOf(LogFontFaceName(LF), LF.lfHeight, stylesOf(LF), qualityOf(LF.lfQuality));
    if (LF.lfWeight > 0) F.setWeight(static_cast<QFont::Weight>(std::clamp<int>(LF.lfWeight, 1, 1000)));
    if (LF.lfWidth > 0) {
        // A requested average width stretches the face; "x" stands for the average character.
        const int Natural = QFontMetrics(F).horizontalAdvance(QLatin1Char('x'));
        if (Natural > 0) F.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * LF.lfWidth / Natural)), 1, 4000));
    }
    return F;
}

// The fields of a logical font that decide its QFont.
struct TLogFontKey {
    String Face;
    LONG Height, Width, Weight;
    Byte Italic, Underline, StrikeOut, Quality;
    bool operator==(const TLogFontKey&) const = default;
};

size_t qHash(const TLogFontKey& K, size_t Seed = 0) {
    return qHashMulti(Seed, K.Face, K.Height, K.Width, K.Weight, K.Italic, K.Underline, K.StrikeOut, K.Quality);
}

constexpr qsizetype kLogFontCacheLimit = 512;

}  // namespace

// Font handles are made for every font change while painting; the same record gives the same
// QFont, which keeps Qt's resolved font engine with it.
QFont QFontOfLogFont(const LOGFONTW& LF) {
    static std::mutex Lock;
    static QHash<TLogFontKey, QFont> Cache;
    const TLogFontKey Key{LogFontFaceName(LF), LF.lfHeight,    LF.lfWidth,     LF.lfWeight,
                          LF.lfItalic,         LF.lfUnderline, LF.lfStrikeOut, LF.lfQuality};
    {
        std::lock_guard<std::mutex> Guard(Lock);
        const auto It = Cache.constFind(Key);
        if (It != Cache.constEnd()) return *It;
    }
    const QFont F = makeQFontOfLogFont(LF);
    std::lock_guard<std::mutex> Guard(Lock);
    if (Cache.size() >= kLogFontCacheLimit) Cache.clear();
    Cache.insert(Key, F);
    return F;
}

HFONT CreateFontIndirect(const LOGFONTW* LogFont) {
    if (!LogFont) return nullptr;
    return makeHandle<HFONT>(TObjectKind::Font, nullptr, TFontHandle{*LogFont, QFontOfLogFont(*LogFont)});
}

HPEN CreatePen(int Style, int Width, COLORREF Color) {
    return makeHandle<HPEN>(TObjectKind::Pen, nullptr,
                            TPenHandle{TDCPen{colorOf(Color), std::max(0, Width), penStyleOf(Style)}});
}

HBRUSH CreateSolidBrush(COLORREF Color) {
    return makeHandle<HBRUSH>(TObjectKind::Brush, nullptr, TBrushHandle{TDCBrush{colorOf(Color), bsSolid, QImage()}});
}

HBRUSH CreateHollowBrush() {
    return makeHandle<HBRUSH>(TObjectKind::Brush, nullptr, TBrushHandle{TDCBrush{clWhite, bsClear, QImage()}});
}

int GetObject(HFONT Font, int Size, LOGFONTW* Buffer) {
    if (!isLive(Font, TObjectKind::Font)) return 0;
    if (!Buffer) return static_cast<int>(sizeof(LOGFONTW));
    if (Size < static_cast<int>(sizeof(LOGFONTW))) return 0;
    *Buffer = Font->LogFont;
    return static_cast<int>(sizeof(LOGFONTW));
}

HFONT SelectObject(HDC DC, HFONT Font) {
    if (!DC || !isLive(Font, TObjectKind::Font)) return nullptr;
    TDCState& S = DC->State;
    HFONT Old = S.FontHandle;
    if (!isLive(Old, TObjectKind::Font)) Old = makeHandle<HFONT>(TObjectKind::Font, DC, TFontHandle{S.LogFont, S.Font});
    S.LogFont = Font->LogFont;
    S.Font = Font->Font;
    S.Escapement = Font->LogFont.lfEscapement;
    S.FontHandle = Font;
    return Old;
}

HPEN SelectObject(HDC DC, HPEN Pen) {
    if (!DC || !isLive(Pen, TObjectKind::Pen)) return nullptr;
    TDCState& S = DC->State;
    HPEN Old = S.PenHandle;
    if (!isLive(Old, TObjectKind::Pen)) Old = makeHandle<HPEN>(TObjectKind::Pen, DC, TPenHandle{S.Pen});
    S.Pen = Pen->Pen;
    S.PenHandle = Pen;
    return Old;
}

HBRUSH SelectObject(HDC DC, HBRUSH Brush) {
    if (!DC || !isLive(Brush, TObjectKind::Brush)) return nullptr;
    TDCState& S = DC->State;
    HBRUSH Old = S.BrushHandle;
    if (!isLive(Old, TObjectKind::Brush)) Old = makeHandle<HBRUSH>(TObjectKind::Brush, DC, TBrushHandle{S.Brush});
    S.Brush = Brush->Brush;
    S.BrushHandle = Brush;
    return Old;
}

BOOL DeleteObject(HFONT Font) {
    if (!delist(Font, TObjectKind::Font)) return 0;
    delete Font;
    return 1;
}

BOOL DeleteObject(HPEN Pen) {
    if (!delist(Pen, TObjectKind::Pen)) return 0;
    delete Pen;
    return 1;
}

BOOL DeleteObject(HBRUSH Brush) {
    if (!delist(Brush, TObjectKind::Brush)) return 0;
    delete Brush;
    return 1;
}

HFONT GetCurrentFont(HDC DC) {
    if (!DC) return nullptr;
    TDCState& S = DC->State;
    if (!isLive(S.FontHandle, TObjectKind::Font))
        S.FontHandle = makeHandle<HFONT>(TObjectKind::Font, DC, TFontHandle{S.LogFont, S.Font});
    return S.FontHandle;
}

void ReleaseDCObjects(HDC DC) {
    std::vector<std::pair<const void*, TObjectKind>> Owned;
    {
        std::lock_guard<std::mutex> Guard(registryLock());
        for (auto It = registry().begin(); It != registry().end();) {
            if (It->second.Owner == DC) {
                Owned.emplace_back(It->first, It->second.Kind);
                It = registry().erase(It);
            } else {
                ++It;
            }
        }
    }
    for (const auto& [Handle, Kind] : Owned) {
        switch (Kind) {
            case TObjectKind::Font:
                delete static_cast<const TFontHandle*>(Handle);
                break;
            case TObjectKind::Pen:
                delete static_cast<const TPenHandle*>(Handle);
                break;
            case TObjectKind::Brush:
                delete static_cast<const TBrushHandle*>(Handle);
                break;
            case TObjectKind::Region:
                delete static_cast<const TRegionHandle*>(Handle);
                break;
        }
    }
}

HRGN CreateRectRgn(int X1, int Y1, int X2, int Y2) { return makeRegion(QRegion(normalRect(X1, Y1, X2, Y2))); }

HRGN CreateRectRgnIndirect(const TRect& Rect) { return CreateRectRgn(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }

HRGN CreateRoundRectRgn(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight) {
    return makeRegion(roundedRegion(normalRect(X1, Y1, X2, Y2), std::max(0, CornerWidth), std::max(0, CornerHeight)));
}

HRGN CreateEllipticRgn(int X1, int Y1, int X2, int Y2) {
    const QRect R = normalRect(X1, Y1, X2, Y2);
    return makeRegion(roundedRegion(R, R.width(), R.height()));
}

HRGN CreateEllipticRgnIndirect(const TRect& Rect) {
    return CreateEllipticRgn(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode) {
    if (!Points || Count < 3) return nullptr;
    QPolygon Polygon;
    for (int I = 0; I < Count; ++I) Polygon << QPoint(Points[I].X, Points[I].Y);
    return makeRegion(QRegion(Polygon, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode) {
    if (!isLive(Dest, TObjectKind::Region) || !isLive(Src1, TObjectKind::Region)) return RGN_ERROR;
    if (Mode == RGN_COPY) {
        Dest->Region = Src1->Region;
        return regionKind(Dest->Region);
    }
    if (!isLive(Src2, TObjectKind::Region)) return RGN_ERROR;
    const QRegion& A = Src1->Region;
    const QRegion& B = Src2->Region;
    switch (Mode) {
        case RGN_AND:
            Dest->Region = A.intersected(B);
            break;
        case RGN_OR:
            Dest->Region = A.united(B);
            break;
        case RGN_XOR:
            Dest->Region = A.xored(B);
            break;
        case RGN_DIFF:
            Dest->Region = A.subtracted(B);
            break;
        default:
            return RGN_ERROR;
    }
    return regionKind(Dest->Region);
}

BOOL PtInRegion(HRGN Rgn, int X, int Y) {
    return isLive(Rgn, TObjectKind::Region) && Rgn->Region.contains(QPoint(X, Y)) ? 1 : 0;
}

int GetRgnBox(HRGN Rgn, TRect* Rect) {
    if (!isLive(Rgn, TObjectKind::Region) || !Rect) return RGN_ERROR;
    const QRect B = Rgn->Region.boundingRect();
    *Rect = B.isEmpty() ? TRect{0, 0, 0, 0} : TRect{B.left(), B.top(), B.left() + B.width(), B.top() + B.height()};
    return regionKind(Rgn->Region);
}

const QRegion* RegionOf(HRGN Rgn) { return isLive(Rgn, TObjectKind::Region) ? &Rgn->Region : nullptr; }

BOOL DeleteObject(HRGN Rgn) {
    if (!delist(Rgn, TObjectKind::Region)) return 0;
    delete Rgn;
    return 1;
}
