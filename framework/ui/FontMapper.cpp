#include "framework/ui/FontMapper.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

namespace {

struct FaceSubstitute {
    const char* Face;
    const char* Family;
    // The family bold text takes instead, when it differs.
    const char* BoldFamily = nullptr;
};

// The platform's faces and the installed families drawn in their place: faces with the same
// measures where Debian has them (Wine's Tahoma and Marlett, the Liberation faces for Arial,
// Times New Roman and Courier New), DejaVu for the rest. MS Sans Serif takes Liberation Sans:
// Wine's MS Sans Serif holds bitmaps of three sizes, which Qt scales and never draws bold. Wine's
// Tahoma Bold carries the bold widths but regular strokes, thin and spread out; a synthetic bold
// of the regular keeps the narrower regular widths and crowds its letters; Liberation Sans Bold
// is a true bold whose widths come nearer the bold ones. Wine's Symbol, as Qt reads its
// character map, draws other glyphs than the ones asked for (a bullet comes out as an angle).
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Tahoma", "Liberation Sans"},
    {"Tahoma", "Tahoma", "Liberation Sans"},
    {"Segoe UI", "DejaVu Sans"},
    {"Arial", "Liberation Sans"},
    {"Verdana", "DejaVu Sans"},
    {"Calibri", "DejaVu Sans"},
    {"Symbol", "DejaVu Sans"},
    {"Marlett", "Marlett"},
    {"Times New Roman", "Liberation Serif"},
    {"Georgia", "DejaVu Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Lucida Console", "DejaVu Sans Mono"},
    {"Consolas", "DejaVu Sans Mono"},
};

const FaceSubstitute* substituteOf(const String& Face) {
    for (const auto& S : kFaceSubstitutes)
        if (Face.compare(QLatin1String(S.Face), Qt::CaseInsensitive) == 0) return &S;
    return nullptr;
}

// Wine's faces lie in a folder of their own that fontconfig does not know; they are loaded as
// the application's own fonts once a GUI application exists. A missing file leaves its face to
// the fallback.
constexpr const char* kWineFontFolder = "/usr/share/wine/fonts/";
constexpr const char* kWineFontFiles[] = {"tahoma.ttf", "marlett.ttf"};

void loadWineFacesOnce() {
    static std::once_flag Once;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    std::call_once(Once, [] {
        for (const char* File : kWineFontFiles)
            QFontDatabase::addApplicationFont(QString::fromLatin1(kWineFontFolder) + QString::fromLatin1(File));
    });
}

constexpr const char* kFallbackFamily = "DejaVu Sans";

// Cell height (ascent + descent) per em of a family, for fonts given by positive Height.
double cellPerEm(const QFont& Font) {
    static std::mutex Lock;
    static QHash<QString, double> Cache;
    const QString Key = Font.families().join(QLatin1Char(',')) + QString::number(Font.bold());
    std::lock_guard<std::mutex> Guard(Lock);
    auto It = Cache.constFind(Key);
    if (It != Cache.constEnd()) return *It;
    QFont Probe(Font);
    Probe.setPixelSize(1000);
    const QFontMetricsF M(Probe);
    const double Ratio = (M.ascent() + M.descent()) / 1000.0;
    Cache.insert(Key, Ratio > 0 ? Ratio : 1.0);
    return Cache.value(Key);
}

}  // namespace

String SubstituteFontFace(const String& Face) {
    loadWineFacesOnce();
    const FaceSubstitute* S = substituteOf(Face);
    return S ? QString::fromLatin1(S->Family) : Face;
}

namespace {

QFont makeQFont(const String& Name, int Height, TFontStyles Style, TFontQuality Quality, int PixelsPerInch) {
    QFont F;
    // An unknown face falls back to the default family, never to whatever the machine offers first.
    const String Face = Name.isEmpty() ? QStringLiteral("MS Sans Serif") : Name;
    const FaceSubstitute* S = substituteOf(Face);
    const String Family =
        S && Style.Contains(fsBold) && S->BoldFamily ? QString::fromLatin1(S->BoldFamily) : SubstituteFontFace(Face);
    F.setFamilies({Family, QString::fromLatin1(kFallbackFamily)});
    F.setBold(Style.Contains(fsBold));
    F.setItalic(Style.Contains(fsItalic));
    F.setUnderline(Style.Contains(fsUnderline));
    F.setStrikeOut(Style.Contains(fsStrikeOut));
    F.setKerning(false);
    F.setHintingPreference(QFont::PreferFullHinting);
    F.setStyleStrategy(Quality == fqNonAntialiased ? QFont::NoAntialias : QFont::PreferAntialias);
    // Height 0 asks for the default size (8 points).
    int Pixels = Height == 0 ? -(8 * PixelsPerInch + 36) / 72 : Height;
    if (Pixels <= 0) {
        F.setPixelSize(std::max(1, -Pixels));
        return F;
    }
    // A positive height is the cell: the largest size whose hinted cell is no taller.
    int Size = std::max(1, static_cast<int>(std::lround(Pixels / cellPerEm(F))));
    F.setPixelSize(Size);
    while (Size > 1 && QFontMetrics(F).height() > Pixels) F.setPixelSize(--Size);
    return F;
}

struct TFontKey {
    String Name;
    int Height;
    std::uint64_t Style;
    int Quality;
    int PixelsPerInch;
    bool operator==(const TFontKey&) const = default;
};

size_t qHash(const TFontKey& K, size_t Seed = 0) {
    return qHashMulti(Seed, K.Name, K.Height, K.Style, K.Quality, K.PixelsPerInch);
}

// Fonts are asked for on every paint and every measurement; handing out the same QFont keeps
// Qt's resolved font engine with it, so metrics and drawing skip the font matching.
constexpr qsizetype kFontCacheLimit = 512;

}  // namespace

QFont QFontOf(const String& Name, int Height, TFontStyles Style, TFontQuality Quality, int PixelsPerInch) {
    static std::mutex Lock;
    static QHash<TFontKey, QFont> Cache;
    const TFontKey Key{Name, Height, Style.Bits(), static_cast<int>(Quality), PixelsPerInch};
    {
        std::lock_guard<std::mutex> Guard(Lock);
        const auto It = Cache.constFind(Key);
        if (It != Cache.constEnd()) return *It;
    }
    const QFont F = makeQFont(Name, Height, Style, Quality, PixelsPerInch);
    std::lock_guard<std::mutex> Guard(Lock);
    if (Cache.size() >= kFontCacheLimit) Cache.clear();
    Cache.insert(Key, F);
    return F;
}

QFont QFontOf(const TFont& Font) {
    return QFontOf(Font.Name(), Font.Height(), Font.Style(), Font.Quality(), Font.PixelsPerInch());
}

namespace {

// Enough for every word of a long page; past it the table starts again rather than grow.
constexpr qsizetype kMeasureLimit = 8192;
constexpr size_t kMeasuredFonts = 16;

}  // namespace

TFontMeasure::TFontMeasure(const QFont& Font)
    : FFont(Font),
      FMetrics(Font),
      FAveCharWidth(FMetrics.horizontalAdvance(QLatin1Char('x'))),
      FAscent(FMetrics.ascent()),
      FHeight(FMetrics.height()),
      FLeading(FMetrics.leading()),
      FUnderlinePos(FMetrics.underlinePos()),
      FLineWidth(FMetrics.lineWidth()) {}

int TFontMeasure::Width(const String& Text) {
    const auto It = FWidths.constFind(Text);
    if (It != FWidths.constEnd()) return *It;
    const int W = FMetrics.horizontalAdvance(Text);
    if (FWidths.size() >= kMeasureLimit) FWidths.clear();
    FWidths.insert(Text, W);
    return W;
}

QRect TFontMeasure::InkBounds(const String& Text) {
    const auto It = FInk.constFind(Text);
    if (It != FInk.constEnd()) return *It;
    const QRect R = FMetrics.boundingRect(Text);
    if (FInk.size() >= kMeasureLimit) FInk.clear();
    FInk.insert(Text, R);
    return R;
}

namespace {

// Whether Text lays out as a plain left-to-right run, so its glyph runs draw exactly what
// QPainter::drawText would. Right-to-left and bidirectional controls, control and format
// characters and surrogate pairs are left to drawText.
bool plainLeftToRight(const String& Text) {
    for (const QChar C : Text) {
        if (C.unicode() < 0x20 || C.isSurrogate()) return false;
        switch (C.category()) {
            case QChar::Other_Control:
            case QChar::Other_Format:
            case QChar::Other_Surrogate:
            case QChar::Other_PrivateUse:
            case QChar::Other_NotAssigned:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph:
                return false;
            default:
                break;
        }
        if (C.unicode() < 0x590) continue;
        switch (C.direction()) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirAN:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirLRE:
            case QChar::DirLRO:
            case QChar::DirPDF:
            case QChar::DirRLI:
            case QChar::DirLRI:
            case QChar::DirFSI:
            case QChar::DirPDI:
                return false;
            default:
                break;
        }
    }
    return true;
}

}  // namespace

void TFontMeasure::DrawText(QPainter& Painter, int X, int Y, const String& Text) {
    auto It = FShaped.constFind(Text);
    if (It == FShaped.constEnd()) {
        if (!plainLeftToRight(Text)) {
            Painter.drawText(QPoint(X, Y), Text);
            return;
        }
        // One line laid out once; its glyph runs carry the font's underline and strike-out.
        QTextLayout Layout(Text, FFont);
        QTextOption Option;
        Option.setWrapMode(QTextOption::NoWrap);
        Option.setTextDirection(Qt::LeftToRight);
        Option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        Layout.setTextOption(Option);
        Layout.beginLayout();
        QTextLine Line = Layout.createLine();
        if (Line.isValid()) {
            Line.setLineWidth(1000);
            Line.setPosition(QPointF(0, 0));
        }
        Layout.endLayout();
        TShaped Shaped;
        if (Line.isValid()) {
            Shaped.Runs = Layout.glyphRuns();
            Shaped.Ascent = Line.ascent();
        }
        if (FShaped.size() >= kMeasureLimit) FShaped.clear();
        It = FShaped.insert(Text, Shaped);
    }
    const QPointF Origin(X, Y - It->Ascent);
    for (const QGlyphRun& Run : It->Runs) Painter.drawGlyphRun(Origin, Run);
}

QRect TFontMeasure::DrawnInk(const String& Text) {
    const auto It = FDrawnInk.constFind(Text);
    if (It != FDrawnInk.constEnd()) return *It;
    // Drawn with room on every side for glyphs reaching past their metrics; ink that reaches
    // the scratch image's edge may go on beyond it, so the whole scratch area is answered.
    const int Pad = std::max(4, FHeight);
    const QRect Area = InkBounds(Text).adjusted(-Pad, -Pad, Pad, Pad);
    QRect Ink;
    if (!Text.isEmpty() && Area.width() > 0 && Area.height() > 0) {
        QImage Scratch(Area.size(), QImage::Format_ARGB32_Premultiplied);
        Scratch.fill(Qt::transparent);
        {
            QPainter P(&Scratch);
            P.setPen(Qt::black);
            P.setFont(FFont);
            DrawText(P, -Area.left(), -Area.top(), Text);
        }
        int Left = Area.width(), Top = Area.height(), Right = -1, Bottom = -1;
        for (int Y = 0; Y < Scratch.height(); ++Y) {
            const auto* Line = reinterpret_cast<const QRgb*>(Scratch.constScanLine(Y));
            for (int X = 0; X < Scratch.width(); ++X) {
                if (qAlpha(Line[X]) == 0) continue;
                Left = std::min(Left, X), Right = std::max(Right, X);
                Top = std::min(Top, Y), Bottom = std::max(Bottom, Y);
            }
        }
        if (Right >= 0) {
            const bool Reaches = Left == 0 || Top == 0 || Right == Area.width() - 1 || Bottom == Area.height() - 1;
            Ink = Reaches ? Area : QRect(QPoint(Left, Top), QPoint(Right, Bottom)).translated(Area.topLeft());
        }
    }
    if (FDrawnInk.size() >= kMeasureLimit) FDrawnInk.clear();
    FDrawnInk.insert(Text, Ink);
    return Ink;
}

std::shared_ptr<TFontMeasure> FontMeasure(const QFont& Font) {
    // Most recently used first; fonts handed out by the caches above compare by identity.
    thread_local std::vector<std::shared_ptr<TFontMeasure>> Recent;
    for (size_t I = 0; I < Recent.size(); ++I) {
        if (!(Recent[I]->Font() == Font)) continue;
        if (I > 0)
            std::rotate(Recent.begin(), Recent.begin() + static_cast<std::ptrdiff_t>(I),
                        Recent.begin() + static_cast<std::ptrdiff_t>(I) + 1);
        return Recent.front();
    }
    if (Recent.size() >= kMeasuredFonts) Recent.pop_back();
    Recent.insert(Recent.begin(), std::make_shared<TFontMeasure>(Font));
    return Recent.front();
}

TSize FontTextExtent(const QFont& Font, const String& Text) {
    const auto M = FontMeasure(Font);
    return {M->Width(Text), M->Height()};
}

int FontAscent(const QFont& Font) { return FontMeasure(Font)->Ascent(); }
