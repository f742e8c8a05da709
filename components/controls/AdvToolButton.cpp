#include "components/controls/AdvToolButton.h"
#include "components/graphics/ComponentVersion.h"

#include "framework/rtl/ComponentStream.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"
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

constexpr int kDropDownWidth = 12;

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

// Fill From..To (solid when To is clNone) outlined in Border.
void stateFill(TCanvas* Canvas, TColor From, TColor To, TColor Border, const TRect& R) {
    if (To == clNone)
        solidFill(Canvas, From, Border, R);
    else
        DrawToolButtonGradient(Canvas, From, To, Border, 16, R, false);
}

void roundFrame(TCanvas* Canvas, TColor Color, const TRect& R) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(Color);
    Canvas->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
}

TRect inflated(const TRect& R, int D) { return Rect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D); }

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
                            const TRect& R, bool Horizontal) {
    if (Steps == 0) Steps = 1;
    const TColor F = ColorToRGB(FromColor);
    const TColor T = ColorToRGB(ToColor);
    const double IncR = double(red(T) - red(F)) / Steps;
    const double IncG = double(green(T) - green(F)) / Steps;
    const double IncB = double(blue(T) - blue(F)) / Steps;
    const double Band = double(Horizontal ? R.Width() : R.Height()) / Steps;
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
        const int Start = roundEven(I * Band);
        const int Size = static_cast<int>(std::trunc(Band)) + 1;
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

// ---------------------------------------------------------------------------------------------
// TAdvToolButtonActionLink

TAdvToolButtonActionLink::TAdvToolButtonActionLink(TControl* AClient) : TControlActionLink(AClient) {
    AssignClient(AClient);
}

void TAdvToolButtonActionLink::AssignClient(TObject* AClient) {
    TControlActionLink::AssignClient(AClient);
    FClient = dynamic_cast<TAdvToolButton*>(AClient);
}

bool TAdvToolButtonActionLink::IsCaptionLinked() const { return TControlActionLink::IsCaptionLinked(); }

bool TAdvToolButtonActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && FClient && FClient->GroupIndex() != 0 && FClient->AllowAllUp() &&
           customAction()->Checked() == FClient->Down();
}

bool TAdvToolButtonActionLink::IsGroupIndexLinked() const {
    return FClient && customAction() && customAction()->GroupIndex() == FClient->GroupIndex();
}

bool TAdvToolButtonActionLink::IsImageIndexLinked() const {
    return TControlActionLink::IsImageIndexLinked() && customAction()->ImageIndex() == FImageIndex;
}

void TAdvToolButtonActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TAdvToolButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TAdvToolButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

void TAdvToolButtonActionLink::SetImageIndex(int Value) {
    if (!IsImageIndexLinked()) return;
    FImageIndex = Value;
    // The button draws its own ImageIndex, so the linked image goes there too.
    FClient->SetImageIndex(Value);
    FClient->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TAdvToolButton: properties

TAdvToolButton::TAdvToolButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = [this](TObject* Sender) { glyphChanged(Sender); };
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
}

TAdvToolButton::~TAdvToolButton() { FGlyph->OnChange = nullptr; }

String TAdvToolButton::Version() const { return VersionText(GetVersionNr()); }

void TAdvToolButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TAdvToolButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TAdvToolButton::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    if (Value && !designing()) ThemeAdapt();
}

void TAdvToolButton::SetBorderColor(TColor Value) {
    FBorderColor = Value;
    Invalidate();
}

void TAdvToolButton::SetColorTo(TColor Value) {
    FColorTo = Value;
    Invalidate();
}

void TAdvToolButton::SetColorChecked(TColor Value) {
    FColorChecked = Value;
    Invalidate();
}

void TAdvToolButton::SetColorCheckedTo(TColor Value) {
    FColorCheckedTo = Value;
    Invalidate();
}

void TAdvToolButton::SetDropDownButton(bool Value) {
    FDropDownButton = Value;
    Invalidate();
}

void TAdvToolButton::SetDropDownMenu(TPopupMenu* Value) { FDropDownMenu = Value; }

void TAdvToolButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TAdvToolButton::SetGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetSize(0, 0);
}

void TAdvToolButton::SetGlyphHot(TBitmap* Value) {
    FGlyphHot->Assign(Value);
    FGlyphHot->SetTransparent(true);
}

void TAdvToolButton::SetGlyphDown(TBitmap* Value) {
    FGlyphDown->Assign(Value);
    FGlyphDown->SetTransparent(true);
}

void TAdvToolButton::SetGlyphDisabled(TBitmap* Value) {
    FGlyphDisabled->Assign(Value);
    FGlyphDisabled->SetTransparent(true);
    FGlyphDisabledAuto = false;
}

void TAdvToolButton::glyphChanged(TObject*) {
    static thread_local bool Busy = false;
    if (Busy) return;
    Busy = true;
    FGlyph->SetTransparent(true);
    // A new glyph brings its own disabled copy and shadow, unless one was assigned explicitly.
    if (FGlyphDisabledAuto || FGlyphDisabled->Empty()) makeDisabledGlyph();
    if (FShaded && !ComponentState().Contains(csLoading)) GenerateShade();
    Busy = false;
    Invalidate();
}

void TAdvToolButton::makeDisabledGlyph() {
    if (FGlyph->Empty()) {
        FGlyphDisabled->SetSize(0, 0);
        FGlyphDisabledAuto = false;
        return;
    }
    FGlyphDisabled->Assign(FGlyph.get());
    FGlyphDisabled->SetPixelFormat(pf32bit);
    mapPixels(FGlyphDisabled.get(), [](int R, int G, int B) {
        const int Grey = ((R + G + B) / 3) / 2 + 96;
        return RGB(Grey, Grey, Grey);
    });
    FGlyphDisabled->SetTransparent(true);
    FGlyphDisabledAuto = true;
}

void TAdvToolButton::GenerateShade() {
    if (FGlyph->Empty()) {
        FGlyphShade->SetSize(0, 0);
        return;
    }
    // The grey silhouette on the glyph's transparent colour (what copying with black for the
    // transparent colour and combining by exclusive-or leaves, black turned grey).
    const TColor Key = ColorToRGB(FGlyph->TransparentColor());
    FGlyphShade->Assign(FGlyph.get());
    FGlyphShade->SetPixelFormat(pf32bit);
    mapPixels(FGlyphShade.get(), [Key](int R, int G, int B) { return RGB(R, G, B) == Key ? Key : clGray; });
    FGlyphShade->SetTransparent(true);
}

void TAdvToolButton::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Invalidate();
}

void TAdvToolButton::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Invalidate();
}

void TAdvToolButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TAdvToolButton::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TAdvToolButton::SetRounded(bool Value) {
    FRounded = Value;
    Invalidate();
}

void TAdvToolButton::SetShaded(bool Value) {
    FShaded = Value;
    if (Value && !ComponentState().Contains(csLoading)) GenerateShade();
}

void TAdvToolButton::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TAdvToolButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TAdvToolButton::SetStyle(TAdvToolButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TAdvToolButton::SetLook(int Value) {
    if (Value < 0 || Value >= ToolButtonLookCount) return;
    const ToolButtonLook& L = kLooks[Value];
    SetFlat(true);
    SetColor(L.Color);
    FColorTo = L.ColorTo;
    FColorHot = L.ColorHot;
    FColorHotTo = L.ColorHotTo;
    FColorDown = L.ColorDown;
    FColorDownTo = L.ColorDownTo;
    FColorChecked = L.ColorChecked;
    FColorCheckedTo = L.ColorCheckedTo;
    FBorderColor = L.BorderColor;
    FBorderHotColor = L.BorderHotColor;
    FBorderDownColor = L.BorderDownColor;
    FRounded = L.Rounded;
    FLook = Value;
    Invalidate();
}

void TAdvToolButton::SetComponentStyle(TTesselStyle AStyle) {
    FTesselStyle = AStyle;
    const int L = ToolButtonLookOfStyle(AStyle);
    if (L >= 0) SetLook(L);
}

void TAdvToolButton::ThemeAdapt() {
    switch (GetXPColorScheme()) {
        case 1:
            SetLook(2);
            break;
        case 2:
            SetLook(3);
            break;
        case 3:
            SetLook(4);
            break;
        default:
            SetLook(1);
            break;
    }
}

void TAdvToolButton::ShowDropDownMenu() {
    if (!FDropDownMenu) return;
    const TPoint P =
        Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : ClientToScreen(Point(0, Height()));
    FDropDownMenu->Popup(P.X, P.Y);
}

// ---------------------------------------------------------------------------------------------
// Life cycle, streaming, actions

void TAdvToolButton::DefineProperties(TFiler* Filer) {
    TGraphicControl::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("TesselStyle"),
        [this](TReader* Reader) {
            const int V = Reader->ReadInteger();
            if (V < 0 || V > tsOffice2016Black)
                throw EReadError(QStringLiteral("Invalid property value: TesselStyle %1").arg(V));
            FTesselStyle = static_cast<TTesselStyle>(V);  // the colours come from their own properties
        },
        [this](TWriter* Writer) { Writer->WriteInteger(static_cast<int>(FTesselStyle)); }, true);
}

void TAdvToolButton::Loaded() {
    TGraphicControl::Loaded();
    if (FShaded) GenerateShade();
    if (FAutoThemeAdapt) ThemeAdapt();
}

void TAdvToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (!A) return;
    if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(A->GroupIndex());
    if (auto* Link = dynamic_cast<TAdvToolButtonActionLink*>(ActionLink())) Link->FImageIndex = A->ImageIndex();
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(A->ImageIndex());
    if (!CheckDefaults || !FDown) SetDown(A->Checked());
}

TCustomImageList* TAdvToolButton::drawingImages() const {
    if (auto* A = dynamic_cast<TContainedAction*>(Action()))
        if (A->ActionList() && A->ActionList()->Images()) return A->ActionList()->Images();
    return FImages;
}

// ---------------------------------------------------------------------------------------------
// Down state and groups

void TAdvToolButton::SetDown(bool Value) {
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Repaint();
    }
    if (Value) UpdateExclusive();
}

void TAdvToolButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage Msg{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(Msg);
}

void TAdvToolButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex) return;
    auto* Sender = dynamic_cast<TAdvToolButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (!Sender || Sender == this) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* A = dynamic_cast<TCustomAction*>(Action())) A->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

// ---------------------------------------------------------------------------------------------
// Messages and mouse

void TAdvToolButton::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt) ThemeAdapt();
    TGraphicControl::WndProc(Message);
}

void TAdvToolButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_BUTTONPRESSED:
            CMButtonPressed(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_SYSCOLORCHANGE:
            CMSysColorChange(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
    }
}

void TAdvToolButton::WMLButtonDblClk(TMessage& Message) {
    const TWeak<TControl> Self(this);
    TGraphicControl::Dispatch(Message);
    if (Self) DblClick();
}

void TAdvToolButton::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    UpdateTracking();
    Repaint();
}

void TAdvToolButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
        Parent()->Showing()) {
        Message.Result = 1;
        Click();
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TAdvToolButton::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

void TAdvToolButton::CMTextChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

void TAdvToolButton::CMSysColorChange(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Invalidate();
}

void TAdvToolButton::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseEnter
    if (Message.LParam != 0) return;
    if (FFlat && !FMouseInControl && Enabled() && DragMode() != dmAutomatic && !GetCaptureControl()) {
        FMouseInControl = true;
        Repaint();
    }
}

void TAdvToolButton::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);  // fires OnMouseLeave
    if (Message.LParam != 0) return;
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        Repaint();
    }
}

void TAdvToolButton::UpdateTracking() {
    if (!FFlat || !Enabled()) return;
    const TPoint P = Mouse->CursorPos();
    FMouseInControl = FindDragTarget(P, true) != this;
    // The handlers apply the change: leave clears a set flag, enter sets a clear one.
    Perform(FMouseInControl ? CM_MOUSELEAVE : CM_MOUSEENTER, 0, 0);
}

void TAdvToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Self || Button != mbLeft || !Enabled()) return;
    const bool OpensMenu = (FDropDownButton && X > ClientWidth() - kDropDownWidth) ||
                           (FDropDownButton && !FDropDownSplit) || (!FDropDownButton && FDropDownMenu);
    if (OpensMenu) {
        FState = bsUp;
        FMouseInControl = false;
        Repaint();
        if (OnDropDown) OnDropDown(this);
        if (Self) ShowDropDownMenu();
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TAdvToolButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
        TButtonState NewState = FDown ? bsExclusive : (Inside ? bsDown : bsUp);
        if (FStyle == tasCheck && FDown) NewState = bsDown;
        if (NewState != FState) {
            FState = NewState;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TAdvToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self || !FDragging) return;
    FDragging = false;
    const bool DoClick = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = false;
        // A check button toggles only on a click: releasing outside cancels the press.
        if (FStyle == tasCheck && DoClick) SetDown(!FDown);
        if (FStyle == tasCheck) FState = bsUp;
        if (DoClick) Invalidate();
        Invalidate();
    } else if (DoClick) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (DoClick) Click();
    if (Self) UpdateTracking();
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

TToolButtonLayout TAdvToolButton::CalcButtonLayout(const TRect& Client, int Offset) {
    TButtonLayout Lay = FLayout;
    if (UseRightToLeftAlignment()) {
        if (Lay == blGlyphLeft)
            Lay = blGlyphRight;
        else if (Lay == blGlyphRight)
            Lay = blGlyphLeft;
    }
    const int W = Client.Width();
    const int H = Client.Height();
    TSize G{0, 0};
    TCustomImageList* Images = drawingImages();
    if (!FGlyph->Empty())
        G = {FGlyph->Width(), FGlyph->Height()};
    else if (Images && FImageIndex != -1)
        G = {Images->Width(), Images->Height()};
    TSize T{0, 0};
    if (FShowCaption && !Caption().isEmpty()) {
        TCanvas* C = Canvas();
        C->SetFont(Font());
        TRect TR = Rect(0, 0, W, 0);
        DrawText(C->Handle(), Caption(), -1, TR, DT_CALCRECT | (UseRightToLeftReading() ? DT_RTLREADING : 0u));
        T = {TR.Width(), TR.Height()};
    }
    TPoint GP, TP;
    const bool Horizontal = Lay == blGlyphLeft || Lay == blGlyphRight;
    if (Horizontal) {
        GP.Y = (H - G.cy + 1) / 2;
        TP.Y = (H - T.cy + 1) / 2;
    } else {
        GP.X = (W - G.cx + 1) / 2;
        TP.X = (W - T.cx + 1) / 2;
    }
    int Spacing = FSpacing;
    int Margin = FMargin;
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

void TAdvToolButton::DrawGlyph(const TPoint& Pos, TButtonState AState) {
    TCanvas* C = Canvas();
    const bool Hot = FMouseInControl && Enabled() && !designing();
    TBitmap* Bmp = nullptr;
    if (Hot)
        Bmp = (AState == bsDown || AState == bsExclusive || FDown) ? FGlyphDown.get() : FGlyphHot.get();
    else if (FDown)
        Bmp = FGlyphDown.get();
    if (!Bmp || Bmp->Empty()) Bmp = FGlyph.get();
    if (!Enabled()) Bmp = FGlyphDisabled->Empty() ? FGlyph.get() : FGlyphDisabled.get();
    if (Bmp->Empty()) {
        // Disabled image-list images take the list's disabled look on every system version.
        if (TCustomImageList* Images = drawingImages(); Images && FImageIndex >= 0)
            Images->Draw(C, Pos.X, Pos.Y, FImageIndex, Enabled());
        return;
    }
    if (Hot && FShaded && AState != bsDown && !FGlyphShade->Empty()) C->Draw(Pos.X + 2, Pos.Y + 2, FGlyphShade.get());
    C->Draw(Pos.X, Pos.Y, Bmp);
}

void TAdvToolButton::DrawButtonText(const TRect& TextBounds, TButtonState AState) {
    if (!FShowCaption) return;
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsClear);
    const UINT Flags = DT_CENTER | DT_VCENTER | (UseRightToLeftReading() ? DT_RTLREADING : 0u);
    TRect R = TextBounds;
    if (AState == bsDisabled) {
        TRect Lifted = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
        C->Font()->SetColor(clBtnHighlight);
        DrawText(C->Handle(), Caption(), -1, Lifted, Flags);
        C->Font()->SetColor(clBtnShadow);
    }
    DrawText(C->Handle(), Caption(), -1, R, Flags);
}

void TAdvToolButton::Paint() {
    TCanvas* C = Canvas();
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;
    C->SetFont(Font());
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    TRect R = Rect(0, 0, Width(), Height());
    const bool Hot = FMouseInControl && Enabled() && !designing();

    if (!FFlat) {
        UINT State = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (FState == bsDown || FState == bsExclusive) State |= DFCS_PUSHED;
        DrawFrameControl(C->Handle(), &R, DFC_BUTTON, State);
    } else {
        if (FBorderDownColor == clNone || FRounded) R = inflated(R, -1);
        if (!Hot) {
            if (FStyle == tasCheck && FDown) {
                stateFill(C, FColorChecked, FColorCheckedTo, FBorderDownColor, R);
            } else {
                const TColor Outline = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
                if (FColorTo == clNone) {
                    C->Brush()->SetStyle(bsSolid);
                    C->Brush()->SetColor(Color());
                    C->Pen()->SetColor(Color());
                    C->Rectangle(R);
                } else {
                    DrawToolButtonGradient(C, Color(), FColorTo, Outline, 16, R, false);
                }
                if (FBorderColor != clNone) {
                    if (FRounded) {
                        R = inflated(R, 1);
                        roundFrame(C, FBorderColor, R);
                    } else {
                        C->Brush()->SetStyle(bsClear);
                        C->Pen()->SetColor(FBorderColor);
                        C->Rectangle(R);
                    }
                }
            }
        } else {
            TColor From = FColorHot, To = FColorHotTo, Border = FBorderHotColor;
            if (FState == bsDown && !(FStyle == tasCheck && FDown && !FDragging)) {
                From = FColorDown;
                To = FColorDownTo;
                Border = FBorderDownColor;
            }
            if (FStyle == tasCheck && FDown && !FDragging) {
                From = FColorChecked;
                To = FColorCheckedTo;
                Border = FBorderDownColor;
            }
            stateFill(C, From, To, FRounded ? clNone : Border, R);
            const TColor Frame = FState == bsDown ? FBorderDownColor : FBorderHotColor;
            if (FRounded) {
                R = inflated(R, 1);
                roundFrame(C, Frame, R);
            }
            if (FDropDownButton && FDropDownSplit) {
                C->Pen()->SetColor(Frame);
                C->MoveTo(R.Right - kDropDownWidth, R.Top);
                C->LineTo(R.Right - kDropDownWidth, R.Bottom);
            }
        }
        R = inflated(R, -1);
    }

    int D = 0;
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !Hot)) {
            R = inflated(R, 1);
            const TColor Outline = FDown ? FBorderDownColor : FBorderColor;
            if (FColorCheckedTo != clNone) {
                DrawToolButtonGradient(C, FColorChecked, FColorCheckedTo, Outline, 16, R, false);
            } else if (FRounded) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(FColorChecked);
                C->Pen()->SetColor(Outline == clNone ? FColorChecked : Outline);
                C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
            } else if (Outline == clNone) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(FColorChecked);
                C->FillRect(R);
            } else {
                solidFill(C, FColorChecked, Outline, R);
            }
        }
        if (!FFlat && !designing()) D = 1;
    } else if (FFlat && Hot && FShaded && !designing()) {
        D = -1;
    }

    if (FDropDownButton) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Font()->Color());
        C->Pen()->SetColor(Font()->Color());
        const int Mid = R.Top + (R.Bottom - R.Top) / 2;
        C->Polygon({Point(R.Right - 8, Mid - 1), Point(R.Right - 4, Mid - 1), Point(R.Right - 6, Mid + 1)});
        R.Right -= kDropDownWidth;
    }

    const TButtonState DrawState = (FDown && FGroupIndex != 0) ? bsDown : FState;
    TToolButtonLayout L = CalcButtonLayout(R, D);
    if (FFlat && Hot && FShaded && FState != bsDown && FState != bsExclusive && !designing())
        L.TextBounds =
            Rect(L.TextBounds.Left + 1, L.TextBounds.Top + 1, L.TextBounds.Right + 1, L.TextBounds.Bottom + 1);
    DrawGlyph(L.GlyphPos, DrawState);
    DrawButtonText(L.TextBounds, DrawState);

    if (designing() && (!FShowCaption || Caption().isEmpty()) && FImageIndex == -1 && FGlyph->Empty()) {
        C->Pen()->SetStyle(psDot);
        C->Pen()->SetColor(static_cast<TColor>(0xFF0000));
        C->Pen()->SetWidth(1);
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(0, 0, Width() - 1, Height() - 1);
        C->Pen()->SetStyle(psSolid);
    }
}
