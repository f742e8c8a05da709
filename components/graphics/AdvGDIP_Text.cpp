// Text in the object layer: TGPGraphics's string operations and text helpers, string formats,
// font families and fonts.
#include "components/graphics/AdvGDIP.h"

#include "framework/gdiplus/GdiPlusFlat.h"

#include <algorithm>

// The DrawText flag the text helper reads: measure only.
static constexpr UINT DrawTextCalcRect = 0x400;

// GDI+ FontStyle bits of a framework font style.
static int fontStyleBits(TFontStyles Style) {
    int Bits = FontStyleRegular;
    if (Style.Contains(fsBold)) Bits |= FontStyleBold;
    if (Style.Contains(fsItalic)) Bits |= FontStyleItalic;
    if (Style.Contains(fsUnderline)) Bits |= FontStyleUnderline;
    if (Style.Contains(fsStrikeOut)) Bits |= FontStyleStrikeout;
    return Bits;
}

// A length beyond the text would make GDI+ read past its end.
static int clampLength(const String& Text, int Length) { return std::min(Length, static_cast<int>(Text.length())); }

static const WCHAR* wideOf(const String& Text) { return reinterpret_cast<const WCHAR*>(Text.utf16()); }

// ---------------------------------------------------------------------------------------------
// TGPGraphics: strings

GpStatus TGPGraphics::MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                                    TGPStringFormat* StringFormat, TGPRectF& BoundingBox, int* CodepointsFitted,
                                    int* LinesFilled) {
    return SetStatus(GdipMeasureString(
        nativeGraphics, wideOf(Text), clampLength(Text, Length), Font ? Font->nativeFont : nullptr, &LayoutRect,
        StringFormat ? StringFormat->nativeFormat : nullptr, &BoundingBox, CodepointsFitted, LinesFilled));
}

GpStatus TGPGraphics::MeasureString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                                    TGPStringFormat* StringFormat, TGPRectF& BoundingBox) {
    return MeasureString(Text, Length, Font, MakeGPRectF(Origin.X, Origin.Y, 0, 0), StringFormat, BoundingBox);
}

GpStatus TGPGraphics::MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                                    TGPRectF& BoundingBox) {
    return MeasureString(Text, Length, Font, LayoutRect, nullptr, BoundingBox);
}

GpStatus TGPGraphics::DrawString(const String& Text, int /*Length*/, TGPFont* Font, const TGPRectF& LayoutRect,
                                 TGPStringFormat* StringFormat, TGPBrush* Brush) {
    // The whole text, zero-terminated, with its own length.
    return SetStatus(GdipDrawString(
        nativeGraphics, wideOf(Text), static_cast<INT>(Text.length()), Font ? Font->nativeFont : nullptr, &LayoutRect,
        StringFormat ? StringFormat->nativeFormat : nullptr, Brush ? Brush->nativeBrush : nullptr));
}

GpStatus TGPGraphics::DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                                 TGPStringFormat* StringFormat, TGPBrush* Brush) {
    return DrawString(Text, Length, Font, MakeGPRectF(Origin.X, Origin.Y, 0, 0), StringFormat, Brush);
}

GpStatus TGPGraphics::DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                                 TGPBrush* Brush) {
    return DrawString(Text, Length, Font, Origin, nullptr, Brush);
}

// ---------------------------------------------------------------------------------------------
// TGPGraphics: text helpers

TGPFont* TGPGraphics::MakeFont(TFont* AFont) {
    if (!AFont) return new TGPFont(static_cast<GpFont*>(nullptr), SetStatus(InvalidParameter));
    auto* Family = new TGPFontFamily(AFont->Name());
    if (Family->Status() == FontFamilyNotFound || Family->Status() == FontStyleNotFound) {
        delete Family;
        Family = new TGPFontFamily(QStringLiteral("Arial"));
    }
    auto* Font = new TGPFont(Family, static_cast<float>(AFont->Size()), fontStyleBits(AFont->Style()), UnitPoint);
    delete Family;
    return Font;
}

int TGPGraphics::DrawText(const String& Text, int Len, TRect& Rect, TFont* Font, UINT Style, TColor BkColor) {
    if (!Font) {
        SetStatus(InvalidParameter);
        return Rect.Bottom - Rect.Top;
    }
    TGPFont* GpFont = MakeFont(Font);
    if ((Style & DrawTextCalcRect) != 0 || BkColor != clNone) {
        int Margin = 2;
        if (Font->Size() > 8) Margin = 2 + GPRound((Font->Size() - 8) / 1.5);
        // A trailing space would not be measured; a letter of about its width stands in for it.
        String Measured = Text;
        if (Measured.length() > 1 && Measured.back() == QLatin1Char(' ')) Measured.back() = QLatin1Char('i');
        const TGPRectF Layout =
            MakeGPRectF(static_cast<float>(Rect.Left), static_cast<float>(Rect.Top),
                        static_cast<float>(Rect.Right - Rect.Left + 1000), static_cast<float>(Rect.Bottom - Rect.Top));
        TGPRectF Box;
        MeasureString(Measured, Len, GpFont, Layout, Box);
        Rect.Right = Rect.Left + GPRound(Box.Width - Margin);
        Rect.Bottom = Rect.Top + GPRound(Box.Height);
        if (BkColor != clNone) {
            TGPSolidBrush Background(ColorToARGB(BkColor));
            FillRectangle(&Background, static_cast<float>(Rect.Left + 1), static_cast<float>(Rect.Top),
                          Box.Width - static_cast<float>(Margin) + 1, Box.Height);
        }
    }
    if ((Style & DrawTextCalcRect) == 0) {
        TGPSolidBrush TextBrush(ColorToARGB(Font->Color()));
        DrawString(Text, Len, GpFont, MakeGPPointF(static_cast<float>(Rect.Left), static_cast<float>(Rect.Top)),
                   &TextBrush);
    }
    delete GpFont;
    return Rect.Bottom - Rect.Top;
}

int TGPGraphics::TextWidth(const String& Text, TFont* Font) {
    if (!Font) {
        SetStatus(InvalidParameter);
        return 0;
    }
    TGPFont* GpFont = MakeFont(Font);
    TGPRectF Box;
    MeasureString(Text, static_cast<int>(Text.length()), GpFont, MakeGPRectF(0, 0, 10000, 10000), Box);
    delete GpFont;
    return GPRound(Box.Width);
}

int TGPGraphics::TextHeight(const String& Text, TFont* Font) {
    if (!Font) {
        SetStatus(InvalidParameter);
        return 0;
    }
    TGPFont* GpFont = MakeFont(Font);
    TGPRectF Box;
    MeasureString(Text, static_cast<int>(Text.length()), GpFont, MakeGPRectF(0, 0, 10000, 10000), Box);
    delete GpFont;
    return GPRound(Box.Height);
}

// ---------------------------------------------------------------------------------------------
// TGPStringFormat

TGPStringFormat::TGPStringFormat(int FormatFlags, LANGID Language) {
    lastError = GdipCreateStringFormat(FormatFlags, Language, &nativeFormat);
}

TGPStringFormat::TGPStringFormat(TGPStringFormat* Format) {
    lastError = GdipCloneStringFormat(Format ? Format->nativeFormat : nullptr, &nativeFormat);
}

TGPStringFormat::TGPStringFormat(GpStringFormat* NativeFormat, GpStatus S) : nativeFormat(NativeFormat), lastError(S) {}

TGPStringFormat::~TGPStringFormat() { GdipDeleteStringFormat(nativeFormat); }

GpStatus TGPStringFormat::SetStatus(GpStatus S) {
    if (S != Ok) lastError = S;
    return S;
}

GpStatus TGPStringFormat::SetAlignment(StringAlignment Align) {
    return SetStatus(GdipSetStringFormatAlign(nativeFormat, Align));
}

StringAlignment TGPStringFormat::GetAlignment() {
    StringAlignment Align = StringAlignmentNear;
    SetStatus(GdipGetStringFormatAlign(nativeFormat, &Align));
    return Align;
}

GpStatus TGPStringFormat::SetLineAlignment(StringAlignment Align) {
    return SetStatus(GdipSetStringFormatLineAlign(nativeFormat, Align));
}

StringAlignment TGPStringFormat::GetLineAlignment() {
    StringAlignment Align = StringAlignmentNear;
    SetStatus(GdipGetStringFormatLineAlign(nativeFormat, &Align));
    return Align;
}

GpStatus TGPStringFormat::SetFormatFlags(int Flags) { return SetStatus(GdipSetStringFormatFlags(nativeFormat, Flags)); }

int TGPStringFormat::GetFormatFlags() {
    INT Flags = 0;
    SetStatus(GdipGetStringFormatFlags(nativeFormat, &Flags));
    return Flags;
}

GpStatus TGPStringFormat::SetTrimming(StringTrimming Trimming) {
    return SetStatus(GdipSetStringFormatTrimming(nativeFormat, Trimming));
}

StringTrimming TGPStringFormat::GetTrimming() {
    StringTrimming Trimming = StringTrimmingNone;
    SetStatus(GdipGetStringFormatTrimming(nativeFormat, &Trimming));
    return Trimming;
}

GpStatus TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix Prefix) {
    return SetStatus(GdipSetStringFormatHotkeyPrefix(nativeFormat, Prefix));
}

HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
    INT Prefix = HotkeyPrefixNone;
    SetStatus(GdipGetStringFormatHotkeyPrefix(nativeFormat, &Prefix));
    return static_cast<HotkeyPrefix>(Prefix);
}

// ---------------------------------------------------------------------------------------------
// TGPFontFamily

TGPFontFamily::TGPFontFamily(const String& Name, TGPFontCollection* FontCollection) {
    lastResult = GdipCreateFontFamilyFromName(
        wideOf(Name), FontCollection ? FontCollection->nativeFontCollection : nullptr, &nativeFamily);
}

TGPFontFamily::TGPFontFamily(GpFontFamily* NativeFamily, GpStatus S) : nativeFamily(NativeFamily), lastResult(S) {}

TGPFontFamily::~TGPFontFamily() { GdipDeleteFontFamily(nativeFamily); }

GpStatus TGPFontFamily::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}

// The shared wrappers live until the process ends.
static TGPFontFamily* genericFamily(TGPFontFamily*& Cache, GpStatus (*Get)(GpFontFamily**)) {
    if (!Cache) {
        GpFontFamily* Native = nullptr;
        const GpStatus S = Get(&Native);
        Cache = new TGPFontFamily(Native, S);
    }
    return Cache;
}

TGPFontFamily* TGPFontFamily::GenericSansSerif() {
    static TGPFontFamily* Cache = nullptr;
    return genericFamily(Cache, GdipGetGenericFontFamilySansSerif);
}

TGPFontFamily* TGPFontFamily::GenericSerif() {
    static TGPFontFamily* Cache = nullptr;
    return genericFamily(Cache, GdipGetGenericFontFamilySerif);
}

TGPFontFamily* TGPFontFamily::GenericMonospace() {
    static TGPFontFamily* Cache = nullptr;
    return genericFamily(Cache, GdipGetGenericFontFamilyMonospace);
}

// ---------------------------------------------------------------------------------------------
// TGPFont

TGPFont::TGPFont(TGPFontFamily* Family, float EmSize, int Style, Unit_ U) {
    lastResult = GdipCreateFont(Family ? Family->nativeFamily : nullptr, EmSize, Style, U, &nativeFont);
}

TGPFont::TGPFont(const String& FamilyName, float EmSize, TFontStyles Style, Unit_ U,
                 TGPFontCollection* FontCollection) {
    auto* Family = new TGPFontFamily(FamilyName, FontCollection);
    lastResult = GdipCreateFont(Family->nativeFamily, EmSize, fontStyleBits(Style), U, &nativeFont);
    if (lastResult != Ok)
        lastResult = GdipCreateFont(TGPFontFamily::GenericSansSerif()->nativeFamily, EmSize, fontStyleBits(Style), U,
                                    &nativeFont);
    delete Family;
}

TGPFont::TGPFont(GpFont* NativeFont, GpStatus S) : nativeFont(NativeFont), lastResult(S) {}

TGPFont::~TGPFont() { GdipDeleteFont(nativeFont); }

GpStatus TGPFont::SetStatus(GpStatus S) {
    if (S != Ok) lastResult = S;
    return S;
}
