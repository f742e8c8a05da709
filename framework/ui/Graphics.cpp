// Colours and the graphics objects: font, pen, brush.
#include "framework/ui/Graphics.h"

#include "framework/ui/GdiObjects.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// The classic platform defaults, indexed by system colour number.
constexpr std::array<TColor, SysColorCount> kDefaultSysColors = {
    /*  0 clScrollBar               */ 0xC8C8C8,
    /*  1 clBackground              */ 0x000000,
    /*  2 clActiveCaption           */ 0xD1B499,
    /*  3 clInactiveCaption         */ 0xDBCDBF,
    /*  4 clMenu                    */ 0xF0F0F0,
    /*  5 clWindow                  */ 0xFFFFFF,
    /*  6 clWindowFrame             */ 0x646464,
    /*  7 clMenuText                */ 0x000000,
    /*  8 clWindowText              */ 0x000000,
    /*  9 clCaptionText             */ 0x000000,
    /* 10 clActiveBorder            */ 0xB4B4B4,
    /* 11 clInactiveBorder          */ 0xFCF7F4,
    /* 12 clAppWorkSpace            */ 0xABABAB,
    /* 13 clHighlight               */ 0xD77800,
    /* 14 clHighlightText           */ 0xFFFFFF,
    /* 15 clBtnFace                 */ 0xF0F0F0,
    /* 16 clBtnShadow               */ 0xA0A0A0,
    /* 17 clGrayText                */ 0x6D6D6D,
    /* 18 clBtnText                 */ 0x000000,
    /* 19 clInactiveCaptionText     */ 0x000000,
    /* 20 clBtnHighlight            */ 0xFFFFFF,
    /* 21 cl3DDkShadow              */ 0x696969,
    /* 22 cl3DLight                 */ 0xE3E3E3,
    /* 23 clInfoText                */ 0x000000,
    /* 24 clInfoBk                  */ 0xE1FFFF,
    /* 25 (unused)                  */ 0x000000,
    /* 26 clHotLight                */ 0xCC6600,
    /* 27 clGradientActiveCaption   */ 0xEAD1B9,
    /* 28 clGradientInactiveCaption */ 0xF2E4D7,
    /* 29 clMenuHighlight           */ 0xFF9933,
    /* 30 clMenuBar                 */ 0xF0F0F0,
};

std::array<TColor, SysColorCount>& sysColors() {
    static std::array<TColor, SysColorCount> Colors = kDefaultSysColors;
    return Colors;
}

struct ColorIdent {
    TColor Value;
    const char* Name;
};

constexpr ColorIdent kColorIdents[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

bool isSystemColor(TColor C) { return (static_cast<std::uint32_t>(C) & 0xFF000000u) == 0xFF000000u; }

// Rounds half away from zero over 64 bits, as the platform's MulDiv does.
int mulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const std::int64_t Product = static_cast<std::int64_t>(Number) * Numerator;
    const std::int64_t Half = std::llabs(Denominator) / 2;
    const bool Negative = (Product < 0) != (Denominator < 0);
    const std::int64_t Magnitude = (std::llabs(Product) + Half) / std::llabs(Denominator);
    return static_cast<int>(Negative ? -Magnitude : Magnitude);
}

}  // namespace

TColor GetSysColor(int Index) {
    if (Index < 0 || Index >= SysColorCount) return 0;
    return sysColors()[static_cast<size_t>(Index)];
}

void SetSysColor(int Index, TColor Value) {
    if (Index < 0 || Index >= SysColorCount)
        throw ERangeError(QStringLiteral("System colour index %1 out of range").arg(Index));
    sysColors()[static_cast<size_t>(Index)] = Value & 0xFFFFFF;
}

void ResetSysColors() { sysColors() = kDefaultSysColors; }

TColor ColorToRGB(TColor Color) { return isSystemColor(Color) ? GetSysColor(Color & 0xFF) : Color; }

bool ColorToIdent(int Color, String& Ident) {
    for (const auto& E : kColorIdents) {
        if (E.Value == Color) {
            Ident = QString::fromLatin1(E.Name);
            return true;
        }
    }
    return false;
}

bool IdentToColor(const String& Ident, int& Color) {
    for (const auto& E : kColorIdents) {
        if (Ident.compare(QLatin1String(E.Name), Qt::CaseInsensitive) == 0) {
            Color = E.Value;
            return true;
        }
    }
    return false;
}

String ColorToString(TColor Color) {
    String Ident;
    if (ColorToIdent(Color, Ident)) return Ident;
    return QStringLiteral("$%1").arg(static_cast<std::uint32_t>(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const String& S) {
    int Color = 0;
    if (IdentToColor(S.trimmed(), Color)) return Color;
    const String T = S.trimmed();
    bool Ok = false;
    qint64 Value = 0;
    if (T.startsWith(QLatin1Char('$')))
        Value = T.mid(1).toLongLong(&Ok, 16);
    else if (T.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        Value = T.mid(2).toLongLong(&Ok, 16);
    else
        Value = T.toLongLong(&Ok, 10);
    if (!Ok || Value < INT32_MIN || Value > UINT32_MAX)
        throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(S));
    return static_cast<TColor>(static_cast<std::uint32_t>(Value));
}

// ---------------------------------------------------------------------------------------------

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// Writers: return when unchanged, assign, then tell the owner.
#define QVD_SET_AND_NOTIFY(Field, Value) \
    do {                                 \
        if ((Field) == (Value)) return;  \
        (Field) = (Value);               \
        Changed();                       \
    } while (false)

void TFont::SetName(const TFontName& Value) {
    if (Value.isEmpty()) return;
    QVD_SET_AND_NOTIFY(FName, Value);
}

int TFont::Size() const { return -mulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int Value) { SetHeight(-mulDiv(Value, FPixelsPerInch, 72)); }
void TFont::SetHeight(int Value) { QVD_SET_AND_NOTIFY(FHeight, Value); }
void TFont::SetColor(TColor Value) { QVD_SET_AND_NOTIFY(FColor, Value); }
void TFont::SetStyle(TFontStyles Value) { QVD_SET_AND_NOTIFY(FStyle, Value); }
void TFont::SetCharset(TFontCharset Value) { QVD_SET_AND_NOTIFY(FCharset, Value); }
void TFont::SetPitch(TFontPitch Value) { QVD_SET_AND_NOTIFY(FPitch, Value); }
void TFont::SetOrientation(int Value) { QVD_SET_AND_NOTIFY(FOrientation, Value); }
void TFont::SetQuality(TFontQuality Value) { QVD_SET_AND_NOTIFY(FQuality, Value); }

void TFont::SetPixelsPerInch(int Value) {
    if (Value <= 0) throw EInvalidOperation(QStringLiteral("Pixels per inch must be positive"));
    QVD_SET_AND_NOTIFY(FPixelsPerInch, Value);
}

void TFont::Assign(TPersistent* Source) {
    auto* F = dynamic_cast<TFont*>(Source);
    if (!F) return TPersistent::Assign(Source);
    if (F == this) return;
    // The platform copies the size in points, so a font assigned across resolutions keeps its size.
    const int NewHeight = F->FPixelsPerInch == FPixelsPerInch ? F->FHeight : -mulDiv(F->Size(), FPixelsPerInch, 72);
    if (FName == F->FName && FHeight == NewHeight && FColor == F->FColor && FStyle == F->FStyle &&
        FCharset == F->FCharset && FPitch == F->FPitch && FOrientation == F->FOrientation && FQuality == F->FQuality)
        return;
    FName = F->FName;
    FHeight = NewHeight;
    FColor = F->FColor;
    FStyle = F->FStyle;
    FCharset = F->FCharset;
    FPitch = F->FPitch;
    FOrientation = F->FOrientation;
    FQuality = F->FQuality;
    Changed();
}

TFont::~TFont() {
    if (FHandle) DeleteObject(FHandle);
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        const LOGFONTW LF = LogFontOf(*this);
        FHandle = CreateFontIndirect(&LF);
    }
    return FHandle;
}

void TFont::SetHandle(HFONT Value) {
    LOGFONTW LF;
    if (GetObject(Value, static_cast<int>(sizeof(LF)), &LF) == 0) return;
    AssignLogFont(*this, LF);
}

void TFont::Changed() {
    // The handle describes the old font; the next Handle() makes a new one.
    if (FHandle) {
        DeleteObject(FHandle);
        FHandle = nullptr;
    }
    TGraphicsObject::Changed();
}

void TPen::SetColor(TColor Value) { QVD_SET_AND_NOTIFY(FColor, Value); }

void TPen::SetWidth(int Value) {
    if (Value < 0) Value = 0;
    QVD_SET_AND_NOTIFY(FWidth, Value);
}

void TPen::SetStyle(TPenStyle Value) { QVD_SET_AND_NOTIFY(FStyle, Value); }
void TPen::SetMode(TPenMode Value) { QVD_SET_AND_NOTIFY(FMode, Value); }

void TPen::Assign(TPersistent* Source) {
    auto* P = dynamic_cast<TPen*>(Source);
    if (!P) return TPersistent::Assign(Source);
    if (P == this) return;
    if (FColor == P->FColor && FWidth == P->FWidth && FStyle == P->FStyle && FMode == P->FMode) return;
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    FMode = P->FMode;
    Changed();
}

void TBrush::SetColor(TColor Value) {
    // A colour makes a clear brush solid, as on the platform, also when it is the same colour.
    if (FColor == Value && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) { QVD_SET_AND_NOTIFY(FStyle, Value); }
void TBrush::SetBitmap(TBitmap* Value) { QVD_SET_AND_NOTIFY(FBitmap, Value); }

void TBrush::Assign(TPersistent* Source) {
    auto* B = dynamic_cast<TBrush*>(Source);
    if (!B) return TPersistent::Assign(Source);
    if (B == this) return;
    if (FColor == B->FColor && FStyle == B->FStyle && FBitmap == B->FBitmap) return;
    FColor = B->FColor;
    FStyle = B->FStyle;
    FBitmap = B->FBitmap;
    Changed();
}

#undef QVD_SET_AND_NOTIFY
