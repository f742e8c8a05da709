// String formats, font families, fonts, and drawing, measuring and outlining text.
#include "framework/gdiplus/GdiPlusPrivate.h"
#include "framework/ui/FontMapper.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

namespace {

constexpr double kUnbounded = 1.0e6;

String textOf(const WCHAR* Text, INT Length) {
    if (Length < 0) return QString::fromUtf16(Text);
    return QString::fromUtf16(Text, Length);
}

bool isInstalled(const String& Family) {
    const QStringList Families = QFontDatabase::families();
    for (const QString& F : Families)
        if (F.compare(Family, Qt::CaseInsensitive) == 0) return true;
    return false;
}

GpFontFamily* sharedFamily(const char* Face) {
    auto* F = new GpFontFamily;
    F->Name = QString::fromLatin1(Face);
    F->Installed = SubstituteFontFace(F->Name);
    F->Shared = true;
    return F;
}

GpStringFormat* sharedFormat(bool Typographic) {
    auto* F = new GpStringFormat;
    F->Shared = true;
    F->Typographic = Typographic;
    if (Typographic) {
        F->Flags = StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit | StringFormatFlagsNoClip;
        F->Trimming = StringTrimmingNone;
    }
    return F;
}

// Qt's alignment for a layout box of one dimension; an unbounded box is placed around Origin.
void placeAxis(double Origin, double Size, StringAlignment Align, double& Start, double& Extent) {
    if (Size > 0) {
        Start = Origin;
        Extent = Size;
        return;
    }
    Extent = kUnbounded;
    Start = Align == StringAlignmentNear     ? Origin
            : Align == StringAlignmentCenter ? Origin - kUnbounded / 2
                                             : Origin - kUnbounded;
}

int qAlignOf(StringAlignment A, bool Horizontal) {
    if (Horizontal)
        return A == StringAlignmentNear     ? Qt::AlignLeft
               : A == StringAlignmentCenter ? Qt::AlignHCenter
                                            : Qt::AlignRight;
    return A == StringAlignmentNear ? Qt::AlignTop : A == StringAlignmentCenter ? Qt::AlignVCenter : Qt::AlignBottom;
}

}  // namespace

QFont qFontOf(const GpFont& Font, TextRenderingHint Hint) {
    QFont F = Font.Q;
    if (Hint == TextRenderingHintSingleBitPerPixel || Hint == TextRenderingHintSingleBitPerPixelGridFit)
        F.setStyleStrategy(QFont::NoAntialias);
    return F;
}

TextLayout layoutText(const QFont& Font, const String& Text, const GpRectF& Layout, const GpStringFormat* Format) {
    static const GpStringFormat kDefault;
    const GpStringFormat& F = Format ? *Format : kDefault;
    TextLayout Result;
    Result.Text = Text;
    Result.Padding = F.Typographic ? 0.0 : QFontInfo(Font).pixelSize() / 6.0;
    double X, W, Y, H;
    placeAxis(Layout.X + (Layout.Width > 0 ? Result.Padding : 0),
              Layout.Width > 0 ? Layout.Width - 2 * Result.Padding : 0, F.Align, X, W);
    if (Layout.Width <= 0 && F.Align == StringAlignmentNear) X += Result.Padding;
    if (Layout.Width <= 0 && F.Align == StringAlignmentFar) X -= Result.Padding;
    placeAxis(Layout.Y, Layout.Height, F.LineAlign, Y, H);
    Result.Rect = QRectF(X, Y, std::max(W, 0.0), H);
    Result.Flags = qAlignOf(F.Align, true) | qAlignOf(F.LineAlign, false);
    if (!(F.Flags & StringFormatFlagsNoWrap) && Layout.Width > 0) Result.Flags |= Qt::TextWordWrap;
    if (F.Hotkey == HotkeyPrefixShow) Result.Flags |= Qt::TextShowMnemonic;
    if (F.Hotkey == HotkeyPrefixHide) Result.Flags |= Qt::TextHideMnemonic;
    const bool Ellipsis = F.Trimming == StringTrimmingEllipsisCharacter || F.Trimming == StringTrimmingEllipsisWord ||
                          F.Trimming == StringTrimmingEllipsisPath;
    if (Ellipsis && Layout.Width > 0 && !(Result.Flags & Qt::TextWordWrap)) {
        const Qt::TextElideMode Mode = F.Trimming == StringTrimmingEllipsisPath ? Qt::ElideMiddle : Qt::ElideRight;
        Result.Text = QFontMetricsF(Font).elidedText(Text, Mode, Result.Rect.width());
    }
    return Result;
}

// ---------------------------------------------------------------------------------------------
// String formats

Status GdipCreateStringFormat(INT FormatAttributes, LANGID Language, GpStringFormat** Format) {
    if (!Format) return InvalidParameter;
    return gdipGuarded([&] {
        auto* F = new GpStringFormat;
        F->Flags = FormatAttributes;
        F->Language = Language;
        *Format = F;
        return Ok;
    });
}

Status GdipStringFormatGetGenericDefault(GpStringFormat** Format) {
    if (!Format) return InvalidParameter;
    static GpStringFormat* const Shared = sharedFormat(false);
    *Format = Shared;
    return Ok;
}

Status GdipStringFormatGetGenericTypographic(GpStringFormat** Format) {
    if (!Format) return InvalidParameter;
    static GpStringFormat* const Shared = sharedFormat(true);
    *Format = Shared;
    return Ok;
}

Status GdipCloneStringFormat(const GpStringFormat* Format, GpStringFormat** NewFormat) {
    if (!Format || !NewFormat) return InvalidParameter;
    return gdipGuarded([&] {
        auto* F = new GpStringFormat(*Format);
        F->Shared = false;
        *NewFormat = F;
        return Ok;
    });
}

Status GdipDeleteStringFormat(GpStringFormat* Format) {
    if (!Format) return InvalidParameter;
    if (!Format->Shared) delete Format;
    return Ok;
}

Status GdipSetStringFormatAlign(GpStringFormat* Format, StringAlignment Align) {
    if (!Format || Align < StringAlignmentNear || Align > StringAlignmentFar) return InvalidParameter;
    Format->Align = Align;
    return Ok;
}

Status GdipGetStringFormatAlign(const GpStringFormat* Format, StringAlignment* Align) {
    if (!Format || !Align) return InvalidParameter;
    *Align = Format->Align;
    return Ok;
}

Status GdipSetStringFormatLineAlign(GpStringFormat* Format, StringAlignment Align) {
    if (!Format || Align < StringAlignmentNear || Align > StringAlignmentFar) return InvalidParameter;
    Format->LineAlign = Align;
    return Ok;
}

Status GdipGetStringFormatLineAlign(const GpStringFormat* Format, StringAlignment* Align) {
    if (!Format || !Align) return InvalidParameter;
    *Align = Format->LineAlign;
    return Ok;
}

Status GdipSetStringFormatFlags(GpStringFormat* Format, INT Flags) {
    if (!Format) return InvalidParameter;
    Format->Flags = Flags;
    return Ok;
}

Status GdipGetStringFormatFlags(const GpStringFormat* Format, INT* Flags) {
    if (!Format || !Flags) return InvalidParameter;
    *Flags = Format->Flags;
    return Ok;
}

Status GdipSetStringFormatTrimming(GpStringFormat* Format, StringTrimming Trimming) {
    if (!Format || Trimming < StringTrimmingNone || Trimming > StringTrimmingEllipsisPath) return InvalidParameter;
    Format->Trimming = Trimming;
    return Ok;
}

Status GdipGetStringFormatTrimming(const GpStringFormat* Format, StringTrimming* Trimming) {
    if (!Format || !Trimming) return InvalidParameter;
    *Trimming = Format->Trimming;
    return Ok;
}

Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* Format, INT HotkeyPrefix) {
    if (!Format || HotkeyPrefix < HotkeyPrefixNone || HotkeyPrefix > HotkeyPrefixHide) return InvalidParameter;
    Format->Hotkey = HotkeyPrefix;
    return Ok;
}

Status GdipGetStringFormatHotkeyPrefix(const GpStringFormat* Format, INT* HotkeyPrefix) {
    if (!Format || !HotkeyPrefix) return InvalidParameter;
    *HotkeyPrefix = Format->Hotkey;
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Font families

Status GdipCreateFontFamilyFromName(const WCHAR* Name, GpFontCollection* FontCollection, GpFontFamily** FontFamily) {
    if (!FontFamily) return InvalidParameter;
    *FontFamily = nullptr;
    if (!Name) return InvalidParameter;
    return gdipGuarded([&] {
        const String Face = QString::fromUtf16(Name).trimmed();
        // Qt would substitute any family; the platform reports a family that is not installed.
        const String Installed = SubstituteFontFace(Face);
        if (Face.isEmpty() || !isInstalled(Installed)) return FontFamilyNotFound;
        *FontFamily = new GpFontFamily{Face, Installed, false};
        return Ok;
    });
}

Status GdipCloneFontFamily(GpFontFamily* FontFamily, GpFontFamily** ClonedFontFamily) {
    if (!FontFamily || !ClonedFontFamily) return InvalidParameter;
    return gdipGuarded([&] {
        *ClonedFontFamily = new GpFontFamily{FontFamily->Name, FontFamily->Installed, false};
        return Ok;
    });
}

Status GdipDeleteFontFamily(GpFontFamily* FontFamily) {
    if (!FontFamily) return InvalidParameter;
    if (!FontFamily->Shared) delete FontFamily;
    return Ok;
}

Status GdipGetFamilyName(const GpFontFamily* Family, WCHAR Name[32], LANGID Language) {
    if (!Family || !Name) return InvalidParameter;
    const String N = Family->Name.left(31);
    std::copy(N.utf16(), N.utf16() + N.size(), Name);
    Name[N.size()] = 0;
    return Ok;
}

Status GdipGetGenericFontFamilySansSerif(GpFontFamily** NativeFamily) {
    if (!NativeFamily) return InvalidParameter;
    static GpFontFamily* const Shared = sharedFamily("Microsoft Sans Serif");
    *NativeFamily = Shared;
    return Ok;
}

Status GdipGetGenericFontFamilySerif(GpFontFamily** NativeFamily) {
    if (!NativeFamily) return InvalidParameter;
    static GpFontFamily* const Shared = sharedFamily("Times New Roman");
    *NativeFamily = Shared;
    return Ok;
}

Status GdipGetGenericFontFamilyMonospace(GpFontFamily** NativeFamily) {
    if (!NativeFamily) return InvalidParameter;
    static GpFontFamily* const Shared = sharedFamily("Courier New");
    *NativeFamily = Shared;
    return Ok;
}

Status GdipIsStyleAvailable(const GpFontFamily* Family, INT Style, BOOL* IsStyleAvailable) {
    if (!Family || !IsStyleAvailable) return InvalidParameter;
    *IsStyleAvailable = 1;  // bold and italic are synthesised where a face lacks them
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Fonts

Status GdipCreateFont(const GpFontFamily* FontFamily, REAL EmSize, INT Style, Unit FontUnit, GpFont** Font) {
    if (!Font) return InvalidParameter;
    *Font = nullptr;
    if (!FontFamily || !(EmSize > 0) || FontUnit == UnitDisplay || FontUnit < UnitWorld || FontUnit > UnitMillimeter)
        return InvalidParameter;
    return gdipGuarded([&] {
        TFontStyles Styles;
        if (Style & FontStyleBold) Styles.Include(fsBold);
        if (Style & FontStyleItalic) Styles.Include(fsItalic);
        if (Style & FontStyleUnderline) Styles.Include(fsUnderline);
        if (Style & FontStyleStrikeout) Styles.Include(fsStrikeOut);
        const int Pixels = std::max(1, static_cast<int>(std::lround(EmSize * pixelsPerUnit(FontUnit))));
        auto* F = new GpFont;
        F->Family = *FontFamily;
        F->Family.Shared = false;
        F->EmSize = EmSize;
        F->Style = Style;
        F->FontUnit = FontUnit;
        F->Q = QFontOf(FontFamily->Installed, -Pixels, Styles, fqDefault);
        *Font = F;
        return Ok;
    });
}

Status GdipCloneFont(GpFont* Font, GpFont** CloneFont) {
    if (!Font || !CloneFont) return InvalidParameter;
    return gdipGuarded([&] {
        *CloneFont = new GpFont(*Font);
        return Ok;
    });
}

Status GdipDeleteFont(GpFont* Font) {
    if (!Font) return InvalidParameter;
    delete Font;
    return Ok;
}

Status GdipGetFamily(GpFont* Font, GpFontFamily** Family) {
    if (!Font || !Family) return InvalidParameter;
    return gdipGuarded([&] {
        *Family = new GpFontFamily{Font->Family.Name, Font->Family.Installed, false};
        return Ok;
    });
}

Status GdipGetFontStyle(GpFont* Font, INT* Style) {
    if (!Font || !Style) return InvalidParameter;
    *Style = Font->Style;
    return Ok;
}

Status GdipGetFontSize(GpFont* Font, REAL* Size) {
    if (!Font || !Size) return InvalidParameter;
    *Size = Font->EmSize;
    return Ok;
}

Status GdipGetFontUnit(GpFont* Font, Unit* FontUnit) {
    if (!Font || !FontUnit) return InvalidParameter;
    *FontUnit = Font->FontUnit;
    return Ok;
}

Status GdipGetFontHeight(const GpFont* Font, const GpGraphics* Graphics, REAL* Height) {
    if (!Font || !Height) return InvalidParameter;
    *Height = static_cast<REAL>(QFontMetricsF(Font->Q).lineSpacing());
    return Ok;
}

// ---------------------------------------------------------------------------------------------
// Drawing and measuring

Status GdipDrawString(GpGraphics* Graphics, const WCHAR* Text, INT Length, const GpFont* Font,
                      const GpRectF* LayoutRect, const GpStringFormat* Format, const GpBrush* Brush) {
    if (!Graphics || !Text || !Font || !LayoutRect || !Brush) return InvalidParameter;
    return gdipGuarded([&] {
        if (Graphics->Target && !Graphics->Target->IsBitmap()) return Ok;
        const QFont F = qFontOf(*Font, Graphics->TextHint);
        const TextLayout L = layoutText(F, textOf(Text, Length), *LayoutRect, Format);
        GraphicsPaint Paint(Graphics, GraphicsPaint::kText);
        if (!Paint) return GenericError;
        QPainter& P = *Paint.Painter();
        const bool Clip =
            LayoutRect->Width > 0 && LayoutRect->Height > 0 && !(Format && (Format->Flags & StringFormatFlagsNoClip));
        if (Clip) P.setClipRect(qRectOf(*LayoutRect), Qt::IntersectClip);
        P.setFont(F);
        P.setPen(QPen(qBrushOf(*Brush), 0));
        P.drawText(L.Rect, L.Flags, L.Text);
        return Ok;
    });
}

Status GdipMeasureString(GpGraphics* Graphics, const WCHAR* Text, INT Length, const GpFont* Font,
                         const GpRectF* LayoutRect, const GpStringFormat* Format, GpRectF* BoundingBox,
                         INT* CodepointsFitted, INT* LinesFilled) {
    if (!Graphics || !Text || !Font || !LayoutRect || !BoundingBox) return InvalidParameter;
    return gdipGuarded([&] {
        String S = textOf(Text, Length);
        const INT Count = static_cast<INT>(S.size());
        // Trailing spaces take no room unless the format asks for them.
        if (!(Format && (Format->Flags & StringFormatFlagsMeasureTrailingSpaces)))
            while (S.endsWith(QLatin1Char(' '))) S.chop(1);
        const QFont F = qFontOf(*Font, Graphics->TextHint);
        const TextLayout L = layoutText(F, S, *LayoutRect, Format);
        const QFontMetricsF M(F);
        QRectF Box = S.isEmpty() ? QRectF(L.Rect.x(), L.Rect.y(), 0, 0) : M.boundingRect(L.Rect, L.Flags, L.Text);
        if (S.isEmpty()) Box.setHeight(0);
        Box.adjust(-L.Padding, 0, L.Padding, 0);
        if (LayoutRect->Width > 0) {
            Box.setLeft(std::max(Box.left(), static_cast<double>(LayoutRect->X)));
            Box.setRight(std::min(Box.right(), static_cast<double>(LayoutRect->X + LayoutRect->Width)));
        }
        if (LayoutRect->Height > 0) {
            Box.setTop(std::max(Box.top(), static_cast<double>(LayoutRect->Y)));
            Box.setBottom(std::min(Box.bottom(), static_cast<double>(LayoutRect->Y + LayoutRect->Height)));
        }
        *BoundingBox = gpRectOf(Box);
        if (CodepointsFitted) *CodepointsFitted = Count;
        if (LinesFilled)
            *LinesFilled = S.isEmpty() ? 0 : std::max(1, static_cast<INT>(std::lround(Box.height() / M.lineSpacing())));
        return Ok;
    });
}

Status GdipAddPathString(GpPath* Path, const WCHAR* Text, INT Length, const GpFontFamily* Family, INT Style,
                         REAL EmSize, const GpRectF* LayoutRect, const GpStringFormat* Format) {
    if (!Path || !Text || !Family || !LayoutRect || !(EmSize > 0)) return InvalidParameter;
    return gdipGuarded([&] {
        GpFont* Font = nullptr;
        const Status S = GdipCreateFont(Family, EmSize, Style, UnitWorld, &Font);
        if (S != Ok) return S;
        const std::unique_ptr<GpFont> Owned(Font);
        const TextLayout L = layoutText(Font->Q, textOf(Text, Length), *LayoutRect, Format);
        const QFontMetricsF M(Font->Q);
        const QRectF Box = M.boundingRect(L.Rect, L.Flags, L.Text);
        // One outline per line, each placed where the laid-out line starts.
        QPainterPath Outline;
        double Y = Box.top() + M.ascent();
        for (const QString& Line : L.Text.split(QLatin1Char('\n'))) {
            const double W = M.horizontalAdvance(Line);
            double X = Box.left();
            if (L.Flags & Qt::AlignHCenter) X = Box.center().x() - W / 2;
            if (L.Flags & Qt::AlignRight) X = Box.right() - W;
            Outline.addText(QPointF(X, Y), Font->Q, Line);
            Y += M.lineSpacing();
        }
        appendQPath(*Path, Outline);
        return Ok;
    });
}

Status GdipAddPathStringI(GpPath* Path, const WCHAR* Text, INT Length, const GpFontFamily* Family, INT Style,
                          REAL EmSize, const GpRect* LayoutRect, const GpStringFormat* Format) {
    if (!LayoutRect) return InvalidParameter;
    const GpRectF R{static_cast<REAL>(LayoutRect->X), static_cast<REAL>(LayoutRect->Y),
                    static_cast<REAL>(LayoutRect->Width), static_cast<REAL>(LayoutRect->Height)};
    return GdipAddPathString(Path, Text, Length, Family, Style, EmSize, &R, Format);
}
