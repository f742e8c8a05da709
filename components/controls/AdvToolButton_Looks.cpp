// The tool button's looks and the drawing routines it shares with the grid's glyph button.
#include "components/controls/AdvToolButton.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Modules.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"

#include <algorithm>
#include <cmath>

namespace {

// clang-format off
constexpr ToolButtonLook kLooks[ToolButtonLookCount] = {
    //        Color      ColorTo    ColorHot   ColorHotTo ColorDown  ColorDownTo Checked   CheckedTo  Border     BorderHot  BorderDown Rounded
    /*  0 */ {0xEDF1F1,  0xDFEBEB,  0xFAFCFC,  0xE5ECED,  0xE0E6E7,  0xD8E0E1,  clWhite,   clNone,    clNone,    0xC3CECE,  0xAF987A,  true},
    /*  1 */ {clBtnFace, clNone,    0xEED2C1,  clNone,    0xE2B598,  clNone,    0xE8E6E1,  clNone,    clNone,    0xC56A31,  0xC56A31,  false},
    /*  2 */ {0xFDEADA,  0xE4AE88,  0xCCF4FF,  0x91D0FF,  0x4E91FE,  0x8ED3FF,  0x8ED3FF,  0x55ADFF,  clNone,    clBlack,   clBlack,   false},
    /*  3 */ {0xCFF0EA,  0x8CC0B1,  0xCCF4FF,  0x91D0FF,  0x4E91FE,  0x8ED3FF,  0x8ED3FF,  0x55ADFF,  clNone,    clBlack,   clBlack,   false},
    /*  4 */ {0xECE2E1,  0xB39698,  0xCCF4FF,  0x91D0FF,  0x4E91FE,  0x8ED3FF,  0x8ED3FF,  0x55ADFF,  clNone,    clBlack,   clBlack,   false},
    /*  5 */ {clBtnFace, clNone,    clBtnFace, clNone,    0xD8D3D2,  clNone,    0xCAC7C7,  clNone,    clNone,    clNone,    clNone,    false},
    /*  6 */ {0xCAFFFF,  0xA6FFFF,  0xA8F0FD,  0x7CE9FC,  0x4DE0FB,  0x7AE9FC,  0xB5E6F2,  0x9CDDED,  clNone,    clGray,    clGray,    false},
    /*  7 */ {0xEBEEEF,  0x7E9898,  0xDCFFFF,  0x5BC0F7,  0x087FE8,  0x7CDAF7,  0x8ED3FF,  0x55ADFF,  clNone,    clBlack,   clBlack,   false},
    /*  8 */ {0xEEDBC8,  0xF6DDC9,  0xEBFDFF,  0xACECFF,  0x76AFF1,  0x4190F3,  0xB5DBFB,  0x78C7FE,  0xE0B99B,  0x99CEDB,  0x45667B,  true},
    /*  9 */ {0xDFDED6,  0xE4E2DB,  0xEBFDFF,  0xACECFF,  0x76AFF1,  0x4190F3,  0xB5DBFB,  0x78C7FE,  0xC0BCB2,  0x99CEDB,  0x45667B,  true},
    /* 10 */ {0xF3F3F1,  0xEEEAE7,  0xEBFDFF,  0xACECFF,  0x76AFF1,  0x4190F3,  0xB5DBFB,  0x78C7FE,  0xCCCAC9,  0x99CEDB,  0x45667B,  true},
    /* 11 */ {0xFDF8F1,  0xFCEFD5,  0xFFFDF9,  0xFFFAF0,  0xFEF9F0,  0xFDF0D7,  0xFBEDD3,  0xFAE9C6,  0xFDDE99,  0xFCF2DA,  0xFEDF9A,  true},
    /* 12 */ {0xFCEBDC,  0xFCDBC1,  0xFDFBFA,  0xFDF3EB,  0xFCEBDC,  0xFCDBC1,  0xFDFBFA,  0xFDF3EB,  0xCEA27D,  0xFBD6B8,  0xCEA27D,  true},
    /* 13 */ {clBtnFace, clBtnFace, clSilver,  clSilver,  clHighlight, clHighlight, clWhite, clWhite,  clGray,    clGray,    clGray,    false},
    /* 14 */ {0xFDF6EF,  0xF0DAC7,  0x8AE3FD,  0xD9F9FD,  0x6CD0FF,  0x7BEEFF,  0x6CD0FF,  0x6CD0FF,  0xC7B29F,  0x58CAF1,  0x308AC2,  true},
    /* 15 */ {clWhite,   0xEDE5E0,  0x8AE3FD,  0xD9F9FD,  0x6CD0FF,  0x7BEEFF,  0x6CD0FF,  0x6CD0FF,  0xD2CDC8,  0x58CAF1,  0x308AC2,  true},
    /* 16 */ {0xBFBFBF,  0x919191,  0x8AE3FD,  0xD9F9FD,  0x6CD0FF,  0x7BEEFF,  0x6CD0FF,  0x6CD0FF,  0x6D6D6D,  0x58CAF1,  0x308AC2,  true},
    /* 17 */ {0xF7F6F5,  clNone,    0xF7EFE8,  clNone,    0xF7E0C9,  clNone,    0xDAA026,  clNone,    0xE4E3E2,  0xF9CEA4,  0xE4A262,  false},
    /* 18 */ {clWhite,   clNone,    0xFCF0E4,  clNone,    0xFCE2C8,  clNone,    0xFF9933,  clNone,    0xD4D4D4,  0xEAB47E,  0xE59D56,  false},
    /* 19 */ {0xF6F6F6,  clNone,    0xFCF0E4,  clNone,    0xFCE2C8,  clNone,    0xFF9933,  clNone,    0xC6C6C6,  0xEAB47E,  0xE59D56,  false},
    /* 20 */ {0xE5E5E5,  clNone,    0xFCF0E4,  clNone,    0xFCE2C8,  clNone,    0xFF9933,  clNone,    0xABABAB,  0xEAB47E,  0xE59D56,  false},
    /* 21 */ {0xF7F6F5,  clNone,    0xF7EFE8,  clNone,    0xF7E0C9,  clNone,    0xDAA026,  clNone,    0xE4E3E2,  0xF9CEA4,  0xE4A262,  false},
    /* 22 */ {clWhite,   clNone,    0xF2E1D5,  clNone,    0xE3BDA3,  clNone,    0xF2D5C2,  clNone,    0xD4D4D4,  0xF2E1D5,  0xE3BDA3,  false},
    /* 23 */ {0xB2B2B2,  clNone,    0xF2E1D5,  clNone,    0xE3BDA3,  clNone,    0xF2D5C2,  clNone,    0x444444,  0xF2E1D5,  0xE3BDA3,  false},
    /* 24 */ {0x363636,  0x363636,  0x6A6A6A,  0x6A6A6A,  0x444444,  0x444444,  0x575757,  0x575757,  0x444444,  0x6A6A6A,  0x444444,  false},
};

// The look each TTesselStyle selects, in the style's order; -1 for tsCustom.
constexpr int kStyleLooks[] = {
    /* tsOffice2003Blue      */ 2,
    /* tsOffice2003Silver    */ 4,
    /* tsOffice2003Olive     */ 3,
    /* tsOffice2003Classic   */ 1,
    /* tsOffice2007Luna      */ 8,
    /* tsOffice2007Obsidian  */ 9,
    /* tsWindowsXP           */ 0,
    /* tsWhidbey             */ 7,
    /* tsCustom              */ -1,
    /* tsOffice2007Silver    */ 10,
    /* tsWindowsVista        */ 11,
    /* tsWindows7            */ 12,
    /* tsTerminal            */ 13,
    /* tsOffice2010Blue      */ 14,
    /* tsOffice2010Silver    */ 15,
    /* tsOffice2010Black     */ 16,
    /* tsWindows8            */ 17,
    /* tsOffice2013White     */ 18,
    /* tsOffice2013LightGray */ 19,
    /* tsOffice2013Gray      */ 20,
    /* tsWindows10           */ 21,
    /* tsOffice2016White     */ 22,
    /* tsOffice2016Gray      */ 23,
    /* tsOffice2016Black     */ 24,
};
// clang-format on
static_assert(std::size(kStyleLooks) == tsOffice2016Black + 1);

// Round's halves-to-even on doubles, for the per-band arithmetic of every paint.
int roundEven(double X) {
    double Whole = std::floor(X);
    const double Rest = X - Whole;
    const auto Result = static_cast<long long>(Whole);
    return static_cast<int>(Rest > 0.5 || (Rest == 0.5 && Result % 2 != 0) ? Result + 1 : Result);
}

int red(TColor C) { return static_cast<int>(C & 0xFF); }
int green(TColor C) { return static_cast<int>((C >> 8) & 0xFF); }
int blue(TColor C) { return static_cast<int>((C >> 16) & 0xFF); }

// A solid fill outlined in Border, or in the fill colour when Border is clNone.
void solidFill(TCanvas* Canvas, TColor Fill, TColor Border, const TRect& R) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Fill);
    Canvas->Pen()->SetColor(Border == clNone ? Fill : Border);
    Canvas->Rectangle(R);
}

// Every pixel of Bitmap (32 bits per pixel) through Fn(B, G, R) -> $00BBGGRR.
template <class F>
void mapPixels(TBitmap* Bitmap, F Fn) {
    for (int Y = 0; Y < Bitmap->Height(); ++Y) {
        auto* Row = static_cast<Byte*>(Bitmap->ScanLine(Y));
        for (int X = 0; X < Bitmap->Width(); ++X) {
            Byte* P = Row + X * 4;
            const TColor C = Fn(P[2], P[1], P[0]);
            P[0] = static_cast<Byte>(blue(C));
            P[1] = static_cast<Byte>(green(C));
            P[2] = static_cast<Byte>(red(C));
            P[3] = 0xFF;
        }
    }
}

}  // namespace

const ToolButtonLook& ToolButtonLooks(int Look) {
    if (Look < 0 || Look >= ToolButtonLookCount) throw ERangeError(QStringLiteral("Look %1 does not exist").arg(Look));
    return kLooks[Look];
}

int ToolButtonLookOfStyle(TTesselStyle Style) {
    const int I = static_cast<int>(Style);
    return I >= 0 && I < static_cast<int>(std::size(kStyleLooks)) ? kStyleLooks[I] : -1;
}

void DrawToolButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int Steps,
                            const TRect& R, bool Horizontal, TBandHeight Band) {
    if (Steps == 0) Steps = 1;
    const TColor F = ColorToRGB(FromColor);
    const TColor T = ColorToRGB(ToColor);
    const double IncR = double(red(T) - red(F)) / Steps;
    const double IncG = double(green(T) - green(F)) / Steps;
    const double IncB = double(blue(T) - blue(F)) / Steps;
    const double BandSize = double(Horizontal ? R.Width() : R.Height()) / Steps;
    const int Size = (Band == TBandHeight::Rounded ? roundEven(BandSize) : static_cast<int>(std::trunc(BandSize))) + 1;
    Canvas->Brush()->SetStyle(bsSolid);
    // A band outlined in its own colour by a plain pen is a plain fill, which is cheaper.
    const bool Fill =
        Canvas->Pen()->Style() == psSolid && Canvas->Pen()->Mode() == pmCopy && !Canvas->Brush()->Bitmap();
    for (int I = 0; I < Steps; ++I) {
        const int Rc = red(F) + roundEven(I * IncR);
        const int Gc = green(F) + roundEven(I * IncG);
        const int Bc = blue(F) + roundEven(I * IncB);
        const TColor C = RGB(Rc, Gc, Bc);
        Canvas->Pen()->SetColor(C);
        Canvas->Brush()->SetColor(C);
        const int Start = roundEven(I * BandSize);
        const TRect BandRect = Horizontal
                                   ? Rect(R.Left + Start, R.Top, std::min(R.Left + Start + Size, R.Right), R.Bottom)
                                   : Rect(R.Left, R.Top + Start, R.Right, std::min(R.Top + Start + Size, R.Bottom));
        if (Fill)
            Canvas->FillRect(BandRect);
        else
            Canvas->Rectangle(BandRect);
    }
    if (BorderColor != clNone) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Rectangle(R);
    }
}

void FillToolButtonState(TCanvas* Canvas, TColor From, TColor To, TColor Border, const TRect& R, TBandHeight Band) {
    if (To == clNone)
        solidFill(Canvas, From, Border, R);
    else
        DrawToolButtonGradient(Canvas, From, To, Border, 16, R, false, Band);
}

void DrawToolButtonRoundFrame(TCanvas* Canvas, TColor Color, const TRect& R) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(Color);
    Canvas->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
}

void DrawToolButtonDropTriangle(TCanvas* Canvas, TColor Color, TRect& R) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Pen()->SetColor(Color);
    const int Mid = R.Top + (R.Bottom - R.Top) / 2;
    Canvas->Polygon({Point(R.Right - 8, Mid - 1), Point(R.Right - 4, Mid - 1), Point(R.Right - 6, Mid + 1)});
    R.Right -= ToolButtonDropDownWidth;
}

void MakeDisabledGlyph(TBitmap* Disabled, TBitmap* Glyph, TGreyMean Mean) {
    if (Glyph->Empty()) {
        Disabled->SetSize(0, 0);
        return;
    }
    Disabled->Assign(Glyph);
    Disabled->SetPixelFormat(pf32bit);
    // Sum / 3 never ends in a half, so rounding it is (Sum + 1) div 3.
    const int Bias = Mean == TGreyMean::Rounded ? 1 : 0;
    mapPixels(Disabled, [Bias](int R, int G, int B) {
        const int Grey = ((R + G + B + Bias) / 3) / 2 + 96;
        return RGB(Grey, Grey, Grey);
    });
    Disabled->SetTransparent(true);
}

void MakeGlyphShade(TBitmap* Shade, TBitmap* Glyph) {
    if (Glyph->Empty()) {
        Shade->SetSize(0, 0);
        return;
    }
    // The grey silhouette on the glyph's transparent colour (what copying with black for the
    // transparent colour and combining by exclusive-or leaves, black turned grey).
    const TColor Key = ColorToRGB(Glyph->TransparentColor());
    Shade->Assign(Glyph);
    Shade->SetPixelFormat(pf32bit);
    mapPixels(Shade, [Key](int R, int G, int B) { return RGB(R, G, B) == Key ? Key : clGray; });
    Shade->SetTransparent(true);
}

TSize MeasureButtonCaption(TCanvas* Canvas, const String& Caption, int Width, bool RightToLeft) {
    if (Caption.isEmpty()) return {0, 0};
    TRect TR = Rect(0, 0, Width, 0);
    DrawText(Canvas->Handle(), Caption, -1, TR, DT_CALCRECT | (RightToLeft ? DT_RTLREADING : 0u));
    return {TR.Width(), TR.Height()};
}

void DrawButtonCaption(TCanvas* Canvas, const String& Caption, const TRect& R, bool Disabled, bool RightToLeft) {
    Canvas->Brush()->SetStyle(bsClear);
    const UINT Flags = DT_CENTER | DT_VCENTER | (RightToLeft ? DT_RTLREADING : 0u);
    TRect Bounds = R;
    if (Disabled) {
        TRect Lifted = MovedRect(R, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        DrawText(Canvas->Handle(), Caption, -1, Lifted, Flags);
        Canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(Canvas->Handle(), Caption, -1, Bounds, Flags);
}

TToolButtonLayout LayoutGlyphAndCaption(const TRect& Client, int Offset, TButtonLayout Lay, bool RightToLeft, TSize G,
                                        TSize T, int Margin, int Spacing) {
    if (RightToLeft) {
        if (Lay == blGlyphLeft)
            Lay = blGlyphRight;
        else if (Lay == blGlyphRight)
            Lay = blGlyphLeft;
    }
    const int W = Client.Width();
    const int H = Client.Height();
    TPoint GP, TP;
    const bool Horizontal = Lay == blGlyphLeft || Lay == blGlyphRight;
    if (Horizontal) {
        GP.Y = (H - G.cy + 1) / 2;
        TP.Y = (H - T.cy + 1) / 2;
    } else {
        GP.X = (W - G.cx + 1) / 2;
        TP.X = (W - T.cx + 1) / 2;
    }
    if (T.cx == 0 || G.cx == 0) Spacing = 0;
    const int S = Horizontal ? W : H;
    const int Gs = Horizontal ? G.cx : G.cy;
    const int Ts = Horizontal ? T.cx : T.cy;
    if (Margin == -1 && Spacing == -1) {
        Spacing = Margin = (S - Gs - Ts) / 3;
    } else if (Margin == -1) {
        Margin = (S - (Gs + Spacing + Ts) + 1) / 2;
    } else if (Spacing == -1) {
        Spacing = (S - Margin - Gs - Ts) / 2;
    }
    switch (Lay) {
        case blGlyphLeft:
            GP.X = Margin;
            TP.X = Margin + Gs + Spacing;
            break;
        case blGlyphRight:
            GP.X = W - Margin - Gs;
            TP.X = GP.X - Spacing - Ts;
            break;
        case blGlyphTop:
            GP.Y = Margin;
            TP.Y = Margin + Gs + Spacing;
            break;
        case blGlyphBottom:
            GP.Y = H - Margin - Gs;
            TP.Y = GP.Y - Spacing - Ts;
            break;
    }
    TToolButtonLayout L;
    L.GlyphPos = Point(GP.X + Client.Left + Offset, GP.Y + Client.Top + Offset);
    const int TX = TP.X + Client.Left + Offset;
    const int TY = TP.Y + Client.Top + Offset;
    L.TextBounds = Rect(TX, TY, TX + T.cx, TY + T.cy);
    return L;
}

int XPColorSchemeLook() {
    switch (GetXPColorScheme()) {
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
            return 4;
        default:
            return 1;
    }
}

int GetXPColorScheme() {
    const TPlatformFacts& F = PlatformFacts();
    if (!(F.MajorVersion > 5 || (F.MajorVersion == 5 && F.MinorVersion >= 1))) return 0;
    HMODULE Lib = LoadLibrary(QStringLiteral("uxtheme.dll"));
    if (!Lib) return 0;
    int Result = 0;
    auto IsActive = GetProcAddressAs<TIsThemeActive>(Lib, "IsThemeActive");
    auto CurrentName = GetProcAddressAs<TGetCurrentThemeName>(Lib, "GetCurrentThemeName");
    if (IsActive && IsActive() != 0 && CurrentName) {
        char16_t FileName[255] = {};
        char16_t ColorName[255] = {};
        char16_t SizeName[255] = {};
        if (SUCCEEDED(CurrentName(FileName, 255, ColorName, 255, SizeName, 255))) {
            const String Scheme = String::fromUtf16(ColorName);
            if (Scheme == QLatin1String("NormalColor"))
                Result = 1;
            else if (Scheme == QLatin1String("HomeStead"))
                Result = 2;
            else if (Scheme == QLatin1String("Metallic"))
                Result = 3;
        }
    }
    FreeLibrary(Lib);
    return Result;
}
