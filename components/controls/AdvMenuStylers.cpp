#include "components/controls/AdvMenuStylers.h"

#include "components/graphics/TesselStyle.h"
#include "framework/rtl/Resources.h"
#include "framework/ui/Forms.h"

#include <cstdint>
#include <cstring>
#include <vector>

using namespace advmenu;

namespace {

const String ResSubMenuItem = QStringLiteral("ADVSUBMENUITEM");
const String ResCheckItem = QStringLiteral("ADVCHECKITEM");
const String ResRadioItem = QStringLiteral("ADVRADIOITEM");

// The glyphs, top row first; '#' is black, everything else white (the transparent colour).
constexpr const char* kSubMenuGlyph[7] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
constexpr const char* kCheckGlyph[16] = {
    "................", "................", "................", "................",
    "...........#....", "..........##....", ".........###....", "....#...###.....",
    "....##.###......", "....#####.......", ".....###........", "......#.........",
    "................", "................", "................", "................",
};
constexpr const char* kRadioGlyph[16] = {
    "................", "................", "................", "................",
    "................", "......####......", ".....######.....", ".....######.....",
    ".....######.....", ".....######.....", "......####......", "................",
    "................", "................", "................", "................",
};

void putLE(std::vector<Byte>& D, std::size_t At, std::uint32_t V, int Bytes) {
    for (int I = 0; I < Bytes; ++I) D[At + I] = static_cast<Byte>(V >> (8 * I));
}

// A 1-bit device-independent bitmap as resources hold it: header, black and white palette,
// rows bottom-up, each padded to four bytes.
std::vector<Byte> monochromeBitmap(const char* const* Rows, int Height) {
    const int Width = static_cast<int>(std::strlen(Rows[0]));
    const int Stride = (Width + 31) / 32 * 4;
    std::vector<Byte> D(40 + 8 + static_cast<std::size_t>(Stride) * Height, 0);
    putLE(D, 0, 40, 4);
    putLE(D, 4, Width, 4);
    putLE(D, 8, Height, 4);
    putLE(D, 12, 1, 2);  // planes
    putLE(D, 14, 1, 2);  // bits per pixel
    putLE(D, 20, Stride * Height, 4);
    putLE(D, 32, 2, 4);  // colours used
    D[44] = D[45] = D[46] = 0xFF;
    for (int Y = 0; Y < Height; ++Y) {
        const char* Row = Rows[Height - 1 - Y];
        for (int X = 0; X < Width; ++X)
            if (Row[X] != '#') D[48 + Y * Stride + X / 8] |= static_cast<Byte>(0x80 >> (X % 8));
    }
    return D;
}

void registerGlyph(const String& Name, const char* const* Rows, int Height) {
    const std::vector<Byte> Bytes = monochromeBitmap(Rows, Height);
    RegisterResource(RT_BITMAP, Name, Bytes.data(), Bytes.size());
}

[[maybe_unused]] const bool GlyphsRegistered = [] {
    registerGlyph(ResSubMenuItem, kSubMenuGlyph, 7);
    registerGlyph(ResCheckItem, kCheckGlyph, 16);
    registerGlyph(ResRadioItem, kRadioGlyph, 16);
    return true;
}();

[[noreturn]] void raiseInvalidIndex(int Index) {
    throw EInvalidPropertyIndex(QStringLiteral("Invalid property index %1.").arg(Index));
}

TColor& colorPair(TColor& First, TColor& Second, int Index) {
    if (Index == 0) return First;
    if (Index == 1) return Second;
    raiseInvalidIndex(Index);
}

TColor& colorQuad(TColor& C0, TColor& C1, TColor& C2, TColor& C3, int Index) {
    switch (Index) {
        case 0:
            return C0;
        case 1:
            return C1;
        case 2:
            return C2;
        case 3:
            return C3;
        default:
            raiseInvalidIndex(Index);
    }
}

std::unique_ptr<TFont> newScreenMenuFont() {
    auto F = std::make_unique<TFont>();
    AssignScreenMenuFont(F.get());
    return F;
}

std::unique_ptr<TFont> newNotesFont(TColor Color) {
    auto F = newScreenMenuFont();
    F->SetSize(F->Size() - 2);
    F->SetColor(Color);
    return F;
}

String buttonFontName() { return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"); }

}  // namespace

IAdvMenu* GetAdvMenuIntf(TMenu* Menu) {
    IAdvMenu* Intf = nullptr;
    Supports<IAdvMenu>(Menu, &Intf);
    return Intf;
}

void AdvMenuChanged(IAdvMenu* Intf, bool Rebuild) {
    if (Intf && Intf->MenuObject() && Rebuild) Intf->UpdateItems();
}

void AssignScreenMenuFont(TFont* Font) {
    if (Font) Font->Assign(Screen->MenuFont());
}

// ---------------------------------------------------------------------------------------------

TGradientBar::TGradientBar(TMenu* AMenu) : FMenu(AMenu) {}

TColor TGradientBar::GetColor(int Index) const {
    return colorPair(const_cast<TColor&>(FColor), const_cast<TColor&>(FColorTo), Index);
}

void TGradientBar::SetColor(int Index, TColor Value) { colorPair(FColor, FColorTo, Index) = Value; }

void TGradientBar::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TGradientBar*>(Source);
    if (!S) return TPersistent::Assign(Source);
    FColor = S->FColor;
    FColorTo = S->FColorTo;
    FGradientDirection = S->FGradientDirection;
}

void TGradientBar::changedMenu(bool Rebuild) { AdvMenuChanged(GetAdvMenuIntf(Menu()), Rebuild); }

// ---------------------------------------------------------------------------------------------

TIconBar::TIconBar(TMenu* AMenu) : TGradientBar(AMenu) {
    SetColor(0xFFF9F9);
    SetColorTo(0xBBA0A1);
    SetGradientDirection(gdHorizontal);
}

TColor TIconBar::GetCheckColor(int Index) const {
    return colorPair(const_cast<TColor&>(FCheckColor), const_cast<TColor&>(FCheckColorTo), Index);
}

void TIconBar::SetCheckColor(int Index, TColor Value) {
    colorPair(FCheckColor, FCheckColorTo, Index) = Value;
    changedMenu(false);
}

TColor TIconBar::GetRadioColor(int Index) const {
    return colorPair(const_cast<TColor&>(FRadioColor), const_cast<TColor&>(FRadioColorTo), Index);
}

void TIconBar::SetRadioColor(int Index, TColor Value) {
    colorPair(FRadioColor, FRadioColorTo, Index) = Value;
    changedMenu(false);
}

void TIconBar::SetSize(int Value) {
    Value = std::max(Value, 16);
    if (FSize == Value) return;
    FSize = Value;
    changedMenu(true);
}

void TIconBar::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TIconBar*>(Source);
    if (!S) return TGradientBar::Assign(Source);
    FCheckColor = S->FCheckColor;
    FCheckColorTo = S->FCheckColorTo;
    FCheckBorder = S->FCheckBorder;
    FCheckGradientDirection = S->FCheckGradientDirection;
    FRadioColor = S->FRadioColor;
    FRadioColorTo = S->FRadioColorTo;
    FRadioBorder = S->FRadioBorder;
    FRadioGradientDirection = S->FRadioGradientDirection;
    FSize = S->FSize;
    FSeparatorColor = S->FSeparatorColor;
}

// ---------------------------------------------------------------------------------------------

TSelectedItem::TSelectedItem(TMenu* AMenu)
    : TGradientBar(AMenu), FFont(newScreenMenuFont()), FNotesFont(newNotesFont(clWindowText)) {
    SetColor(0xC2EEFF);
    SetColorTo(clNone);
    SetGradientDirection(gdVertical);
    FFont->OnChange = [this](TObject*) { changedMenu(true); };
    FNotesFont->OnChange = [this](TObject*) { changedMenu(true); };
}

TSelectedItem::~TSelectedItem() = default;

TColor TSelectedItem::GetCheckColor(int Index) const {
    return colorPair(const_cast<TColor&>(FCheckColor), const_cast<TColor&>(FCheckColorTo), Index);
}

void TSelectedItem::SetCheckColor(int Index, TColor Value) {
    colorPair(FCheckColor, FCheckColorTo, Index) = Value;
    changedMenu(false);
}

TColor TSelectedItem::GetRadioColor(int Index) const {
    return colorPair(const_cast<TColor&>(FRadioColor), const_cast<TColor&>(FRadioColorTo), Index);
}

void TSelectedItem::SetRadioColor(int Index, TColor Value) {
    colorPair(FRadioColor, FRadioColorTo, Index) = Value;
    changedMenu(false);
}

void TSelectedItem::SetUseSystemFont(bool Value) {
    if (FUseSystemFont == Value) return;
    FUseSystemFont = Value;
    changedMenu(true);
}

void TSelectedItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSelectedItem*>(Source);
    if (!S) return TGradientBar::Assign(Source);
    FColorMirror = S->FColorMirror;
    FColorMirrorTo = S->FColorMirrorTo;
    FBorderColor = S->FBorderColor;
    FFont->Assign(S->FFont.get());
    FUseSystemFont = S->FUseSystemFont;
    FCheckColor = S->FCheckColor;
    FCheckColorTo = S->FCheckColorTo;
    FCheckBorder = S->FCheckBorder;
    FCheckGradientDirection = S->FCheckGradientDirection;
    FRadioColor = S->FRadioColor;
    FRadioColorTo = S->FRadioColorTo;
    FRadioBorder = S->FRadioBorder;
    FRadioGradientDirection = S->FRadioGradientDirection;
}

// ---------------------------------------------------------------------------------------------

TRootItem::TRootItem(TMenu* AMenu) : TGradientBar(AMenu), FFont(newScreenMenuFont()) {
    SetColor(0xE5D7D7);
    SetColorTo(0xF7F2F2);
    SetGradientDirection(gdHorizontal);
    FFont->OnChange = [this](TObject*) { changedMenu(true); };
}

TRootItem::~TRootItem() = default;

void TRootItem::SetUseSystemFont(bool Value) {
    if (FUseSystemFont == Value) return;
    FUseSystemFont = Value;
    changedMenu(true);
}

TColor TRootItem::GetSelectedColor(int Index) const {
    auto* Self = const_cast<TRootItem*>(this);
    return colorQuad(Self->FSelectedColor, Self->FSelectedColorTo, Self->FSelectedColorMirror,
                     Self->FSelectedColorMirrorTo, Index);
}

void TRootItem::SetSelectedColor(int Index, TColor Value) {
    TColor& Field = colorQuad(FSelectedColor, FSelectedColorTo, FSelectedColorMirror, FSelectedColorMirrorTo, Index);
    if (Field == Value) return;
    Field = Value;
    changedMenu(true);
}

TColor TRootItem::GetHoverColor(int Index) const {
    auto* Self = const_cast<TRootItem*>(this);
    return colorQuad(Self->FHoverColor, Self->FHoverColorTo, Self->FHoverColorMirror, Self->FHoverColorMirrorTo, Index);
}

void TRootItem::SetHoverColor(int Index, TColor Value) {
    TColor& Field = colorQuad(FHoverColor, FHoverColorTo, FHoverColorMirror, FHoverColorMirrorTo, Index);
    if (Field == Value) return;
    Field = Value;
    changedMenu(true);
}

void TRootItem::UpdateFont() {
    if (FUseSystemFont) AssignScreenMenuFont(FFont.get());
}

void TRootItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TRootItem*>(Source);
    if (!S) return TGradientBar::Assign(Source);
    FFont->Assign(S->FFont.get());
    FUseSystemFont = S->FUseSystemFont;
    FSelectedColor = S->FSelectedColor;
    FSelectedColorTo = S->FSelectedColorTo;
    FSelectedColorMirror = S->FSelectedColorMirror;
    FSelectedColorMirrorTo = S->FSelectedColorMirrorTo;
    FSelectedGradientDirection = S->FSelectedGradientDirection;
    FSelectedBorderColor = S->FSelectedBorderColor;
    FSelectedTextColor = S->FSelectedTextColor;
    FHoverColor = S->FHoverColor;
    FHoverColorTo = S->FHoverColorTo;
    FHoverGradientDirection = S->FHoverGradientDirection;
    FHoverBorderColor = S->FHoverBorderColor;
    FHoverTextColor = S->FHoverTextColor;
}

// ---------------------------------------------------------------------------------------------

TMenuGlyphs::TMenuGlyphs(TMenu* AMenu)
    : FSubMenu(std::make_unique<TBitmap>()),
      FCheck(std::make_unique<TBitmap>()),
      FRadio(std::make_unique<TBitmap>()),
      FMenu(AMenu) {
    const std::pair<TBitmap*, const String*> Glyphs[] = {
        {FSubMenu.get(), &ResSubMenuItem}, {FCheck.get(), &ResCheckItem}, {FRadio.get(), &ResRadioItem}};
    for (const auto& [Glyph, Name] : Glyphs) {
        try {
            Glyph->LoadFromResourceName(HInstance, *Name);
        } catch (const EResNotFound&) {
            // The glyph stays empty.
        } catch (const EInvalidGraphic&) {
        }
        Glyph->SetTransparent(true);
    }
}

TMenuGlyphs::~TMenuGlyphs() = default;

void TMenuGlyphs::setGlyph(TBitmap* Glyph, TBitmap* Value) {
    Glyph->Assign(Value);
    Glyph->SetTransparent(true);
    AdvMenuChanged(GetAdvMenuIntf(Menu()), false);
}

void TMenuGlyphs::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TMenuGlyphs*>(Source);
    if (!S || S == this) return;
    FSubMenu->Assign(S->FSubMenu.get());
    FCheck->Assign(S->FCheck.get());
    FRadio->Assign(S->FRadio.get());
}

// ---------------------------------------------------------------------------------------------

TBackground::TBackground(TMenu* AMenu) : TGradientBar(AMenu) {
    SetColor(0xFFFAFD);
    SetColorTo(clNone);
    SetGradientDirection(gdVertical);
}

TBackground::~TBackground() = default;

TPicture* TBackground::Image() {
    if (!FImage) {
        FImage = std::make_unique<TPicture>();
        FImage->OnChange = [this](TObject*) { ++FPictureVersion; };
    }
    if (auto* B = dynamic_cast<TBitmap*>(FImage->Graphic())) {
        B->SetTransparentMode(tmAuto);
        B->SetTransparent(true);
    }
    return FImage.get();
}

void TBackground::SetImage(TPicture* Value) {
    if (!Value)
        FImage.reset();
    else
        Image()->Assign(Value);
    changedMenu(false);
}

TBitmap* TBackground::Bitmap() {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return FBitmap.get();
}

bool TBackground::HasPicture() const { return FImage && FImage->Graphic() && !FImage->Graphic()->Empty(); }

void TBackground::CalcPicturePosition(const TRect& ARect, int& X, int& Y) const {
    X = ARect.Left;
    Y = ARect.Top;
    if (!HasPicture()) return;
    const int PW = FImage->Width(), PH = FImage->Height();
    const int W = ARect.Width(), H = ARect.Height();
    switch (FPosition) {
        case bpTopLeft:
        case bpBottomLeft:
            X += FOffsetX;
            break;
        case bpTopRight:
        case bpBottomRight:
            X += W + FOffsetX - PW;
            break;
        case bpTopCenter:
        case bpBottomCenter:
        case bpCenter:
            X += (W - PW) / 2 + FOffsetX;
            break;
        default:
            break;
    }
    switch (FPosition) {
        case bpTopLeft:
        case bpTopRight:
        case bpTopCenter:
            Y += FOffsetY;
            break;
        case bpBottomLeft:
        case bpBottomRight:
        case bpBottomCenter:
            Y += H + FOffsetY - PH;
            break;
        case bpCenter:
            Y += (H - PH) / 2 + FOffsetY;
            break;
        default:
            break;
    }
}

void TBackground::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TBackground*>(Source);
    if (!S) return TGradientBar::Assign(Source);
    if (S == this) return;
    if (S->FImage)
        Image()->Assign(S->FImage.get());
    else
        FImage.reset();
    FOffsetX = S->FOffsetX;
    FOffsetY = S->FOffsetY;
    FPosition = S->FPosition;
    SetColor(S->Color());
    SetColorTo(S->ColorTo());
}

// ---------------------------------------------------------------------------------------------

TBarCaption::TBarCaption(TMenu* AMenu) : FFont(std::make_unique<TFont>()), FMenu(AMenu) {
    FFont->SetName(QStringLiteral("Tahoma"));
    FFont->SetSize(14);
    FFont->SetColor(0xFFFFFF);
    FFont->SetStyle(TFontStyles{fsBold, fsItalic});
}

TBarCaption::~TBarCaption() = default;

void TBarCaption::changedMenu(bool Rebuild) { AdvMenuChanged(GetAdvMenuIntf(Menu()), Rebuild); }

void TBarCaption::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TBarCaption*>(Source);
    if (!S) return TPersistent::Assign(Source);
    FOffsetY = S->FOffsetY;
    FAlignment = S->FAlignment;
    FCaption = S->FCaption;
    FFont->Assign(S->FFont.get());
    FShadowColor = S->FShadowColor;
    FHighlightColor = S->FHighlightColor;
    FDepth = S->FDepth;
    FDirection = S->FDirection;
}

// ---------------------------------------------------------------------------------------------

TSideBar::TSideBar(TMenu* AMenu)
    : TBarCaption(AMenu),
      FBackground(std::make_unique<TBackground>(nullptr)),
      FImage(std::make_unique<TBackground>(nullptr)) {}

TSideBar::~TSideBar() = default;

void TSideBar::SetImage(TBackground* Value) {
    FImage->Assign(Value);
    changedMenu(true);
}

void TSideBar::SetBackground(TBackground* Value) {
    FBackground->Assign(Value);
    // A bitmap background is keyed out of the work bitmap, so the gradient shows through.
    if (FBackground->HasPicture() && dynamic_cast<TBitmap*>(FBackground->Image()->Graphic()))
        FBackground->Bitmap()->SetTransparent(true);
    changedMenu(true);
}

void TSideBar::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSideBar*>(Source);
    if (S && S != this) {
        FVisible = S->FVisible;
        FImage->Assign(S->FImage.get());
        FBackground->Assign(S->FBackground.get());
        FPosition = S->FPosition;
        FSize = S->FSize;
        FSplitterWidth = S->FSplitterWidth;
        FSplitterMargin = S->FSplitterMargin;
        FSplitterGradientWidth = S->FSplitterGradientWidth;
        FSplitterGradientType = S->FSplitterGradientType;
        FBorderColor = S->FBorderColor;
    }
    TBarCaption::Assign(Source);
}

// ---------------------------------------------------------------------------------------------

TSeparator::TSeparator(TMenu* AMenu) : TGradientBar(AMenu) {
    SetColor(0x8F6D6E);
    SetColorTo(clNone);
    SetGradientDirection(gdHorizontal);
}

void TSeparator::Assign(TPersistent* Source) {
    if (auto* S = dynamic_cast<TSeparator*>(Source)) {
        FWidth = S->FWidth;
        FGradientType = S->FGradientType;
        FGradientWidth = S->FGradientWidth;
        FMargin = S->FMargin;
    }
    TGradientBar::Assign(Source);
}

// ---------------------------------------------------------------------------------------------

TButtonAppearance::TButtonAppearance() : FCaptionFont(std::make_unique<TFont>()) {
    FCaptionFont->SetName(buttonFontName());
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::changed() {
    if (OnChange) OnChange(this);
}

void TButtonAppearance::setColor(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    changed();
}

void TButtonAppearance::SetGradientDirection(TGradientDirection Value) {
    if (FGradientDirection == Value) return;
    FGradientDirection = Value;
    changed();
}

void TButtonAppearance::SetCaptionFont(TFont* Value) {
    FCaptionFont->Assign(Value);
    changed();
}

void TButtonAppearance::SetUseSystemFont(bool Value) {
    FUseSystemFont = Value;
    if (Value) FCaptionFont->SetName(buttonFontName());
}

void TButtonAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TButtonAppearance*>(Source);
    if (!S) return TPersistent::Assign(Source);
    FColor = S->FColor;
    FColorTo = S->FColorTo;
    FDownColor = S->FDownColor;
    FDownColorTo = S->FDownColorTo;
    FHoverColor = S->FHoverColor;
    FHoverColorTo = S->FHoverColorTo;
    FBorderColor = S->FBorderColor;
    FDownBorderColor = S->FDownBorderColor;
    FHoverBorderColor = S->FHoverBorderColor;
    FGradientDirection = S->FGradientDirection;
    changed();
}

// ---------------------------------------------------------------------------------------------

TCustomAdvMenuStyler::TCustomAdvMenuStyler(TComponent* AOwner) : TComponent(AOwner) {
    FSideBar = std::make_unique<TSideBar>(nullptr);
    FBackground = std::make_unique<TBackground>(nullptr);
    FIconBar = std::make_unique<TIconBar>(nullptr);
    FSelectedItem = std::make_unique<TSelectedItem>(nullptr);
    FRootItem = std::make_unique<TRootItem>(nullptr);
    FGlyphs = std::make_unique<TMenuGlyphs>(nullptr);
    FSeparator = std::make_unique<TSeparator>(nullptr);
    FFont = newScreenMenuFont();
    FBackgroundBitmap = std::make_unique<TBitmap>();
    FNotesFont = newNotesFont(0x808080);
    FButtonAppearance = std::make_unique<TButtonAppearance>();
    FFont->OnChange = [this](TObject*) { changedMenu(true); };
    FNotesFont->OnChange = [this](TObject*) { changedMenu(true); };
}

TCustomAdvMenuStyler::~TCustomAdvMenuStyler() {
    // The fonts' change handlers must not reach a half-destroyed styler.
    FFont->OnChange = nullptr;
    FNotesFont->OnChange = nullptr;
}

void TCustomAdvMenuStyler::changedMenu(bool Rebuild) { AdvMenuChanged(GetAdvMenuIntf(FMenu), Rebuild); }

void TCustomAdvMenuStyler::handOutMenu(TMenu* Value) {
    const TWeak<TMenu> Menu(Value);
    FBackground->FMenu = Menu;
    FIconBar->FMenu = Menu;
    FSelectedItem->FMenu = Menu;
    FRootItem->FMenu = Menu;
    FGlyphs->FMenu = Menu;
    FSideBar->FMenu = Menu;
    FSeparator->FMenu = Menu;
}

void TCustomAdvMenuStyler::SetMenu(TMenu* Value) {
    if (FMenu && FMenu != Value) FMenu->RemoveFreeNotification(this);
    FMenu = Value;
    if (Value) Value->FreeNotification(this);
    handOutMenu(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FMenu) {
        FMenu = nullptr;
        handOutMenu(nullptr);
    }
}

void TCustomAdvMenuStyler::SetAntiAlias(TAntiAlias Value) {
    if (FAntiAlias == Value) return;
    FAntiAlias = Value;
    changedMenu(true);
}

void TCustomAdvMenuStyler::SetUseSystemFont(bool Value) {
    if (FUseSystemFont == Value) return;
    FUseSystemFont = Value;
    changedMenu(true);
}

void TCustomAdvMenuStyler::SetBackground(TBackground* Value) {
    FBackground->Assign(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::SetIconBar(TIconBar* Value) {
    FIconBar->Assign(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::SetSelectedItem(TSelectedItem* Value) {
    FSelectedItem->Assign(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::SetRootItem(TRootItem* Value) {
    FRootItem->Assign(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::SetGlyphs(TMenuGlyphs* Value) {
    FGlyphs->Assign(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::SetSideBar(TSideBar* Value) {
    FSideBar->Assign(Value);
    changedMenu(true);
}

void TCustomAdvMenuStyler::SetSeparator(TSeparator* Value) {
    FSeparator->Assign(Value);
    changedMenu(false);
}

void TCustomAdvMenuStyler::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TCustomAdvMenuStyler*>(Source);
    if (!S || S == this) return;
    FBackground->Assign(S->FBackground.get());
    FIconBar->Assign(S->FIconBar.get());
    FSelectedItem->Assign(S->FSelectedItem.get());
    FRootItem->Assign(S->FRootItem.get());
    FGlyphs->Assign(S->FGlyphs.get());
    FSideBar->Assign(S->FSideBar.get());
    FSeparator->Assign(S->FSeparator.get());
    FFont->Assign(S->FFont.get());
    FNotesFont->Assign(S->FNotesFont.get());
    FUseSystemFont = S->FUseSystemFont;
}

TBitmap* TCustomAdvMenuStyler::RenderedBackground(int W, int H) {
    TBackground* B = FBackground.get();
    TGraphic* G = B->HasPicture() ? B->Image()->Graphic() : nullptr;
    const std::vector<std::intptr_t> Key = {W,
                                            H,
                                            B->Color(),
                                            B->ColorTo(),
                                            B->GradientDirection(),
                                            B->Position(),
                                            B->OffsetX(),
                                            B->OffsetY(),
                                            B->MarginX(),
                                            B->MarginY(),
                                            reinterpret_cast<std::intptr_t>(G),
                                            G ? G->Width() : 0,
                                            G ? G->Height() : 0,
                                            static_cast<std::intptr_t>(B->PictureVersion())};
    if (Key != FBackgroundKey) {
        FBackgroundKey = Key;
        FBackgroundBitmap->SetSize(W, H);
        // With the gradient under the picture, so copying the cache keeps the item's background.
        DrawMenuBackground(FBackgroundBitmap->Canvas(), Rect(0, 0, W, H), B, true);
    }
    return FBackgroundBitmap.get();
}
