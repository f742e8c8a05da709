#include "framework/ui/FontMapper.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <cmath>
#include <mutex>

namespace {

struct FaceSubstitute {
    const char* Face;
    const char* Family;
};

// The platform's faces and the installed families drawn in their place.
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"MS Sans Serif", "DejaVu Sans"},
    {"Microsoft Sans Serif", "DejaVu Sans"},
    {"MS Shell Dlg", "DejaVu Sans"},
    {"MS Shell Dlg 2", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Segoe UI", "DejaVu Sans"},
    {"Arial", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
    {"Calibri", "DejaVu Sans"},
    {"Symbol", "DejaVu Sans"},
    {"Times New Roman", "DejaVu Serif"},
    {"Georgia", "DejaVu Serif"},
    {"Courier New", "DejaVu Sans Mono"},
    {"Courier", "DejaVu Sans Mono"},
    {"Lucida Console", "DejaVu Sans Mono"},
    {"Consolas", "DejaVu Sans Mono"},
};

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
    for (const auto& S : kFaceSubstitutes)
        if (Face.compare(QLatin1String(S.Face), Qt::CaseInsensitive) == 0) return QString::fromLatin1(S.Family);
    return Face;
}

QFont QFontOf(const String& Name, int Height, TFontStyles Style, TFontQuality Quality, int PixelsPerInch) {
    QFont F;
    // An unknown face falls back to the default family, never to whatever the machine offers first.
    const String Family = SubstituteFontFace(Name.isEmpty() ? QStringLiteral("MS Sans Serif") : Name);
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
    if (Pixels > 0) Pixels = static_cast<int>(std::lround(Pixels / cellPerEm(F)));
    F.setPixelSize(std::max(1, std::abs(Pixels)));
    return F;
}

QFont QFontOf(const TFont& Font) {
    return QFontOf(Font.Name(), Font.Height(), Font.Style(), Font.Quality(), Font.PixelsPerInch());
}

TSize FontTextExtent(const QFont& Font, const String& Text) {
    const QFontMetrics M(Font);
    return {M.horizontalAdvance(Text), M.height()};
}

int FontAscent(const QFont& Font) { return QFontMetrics(Font).ascent(); }
