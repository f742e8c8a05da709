#include "components/dropdowns/ItemAppearance.h"

#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"

#include <iterator>
#include <utility>

using namespace advdropdown;

namespace {

// The twelve state colours of each named palette.
struct TItemPalette {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, BorderColorTop, BorderColorBottom, BorderColor,
        EdgeColor, ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
};

constexpr TItemPalette kItemPalettes[] = {
    /* scOffice2007 */ {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF, 0xA6FFFB,
                        0x04B9F4, 0x15C1FB, 0x68E3F9},
    /* scWindowsVista */
    {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone, clNone},
    /* scWindows7 */
    {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone, clNone},
};
static_assert(std::size(kItemPalettes) == scWindows7);

}  // namespace

// ---------------------------------------------------------------------------------------------
// Items

TCaptionImageItem::TCaptionImageItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}

TCaptionImageItem::~TCaptionImageItem() = default;

void TCaptionImageItem::NotifyChange() {
    if (auto* Items = dynamic_cast<TCaptionImageCollection*>(Collection()); Items && Items->OnChange)
        FireEvent(Items->OnChange, Items);
}

void TCaptionImageItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyChange();
}

void TCaptionImageItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    NotifyChange();
}

void TCaptionImageItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

bool TCaptionImageItem::HasPicture() const { return FImage->Graphic() && !FImage->Graphic()->Empty(); }

TSize TCaptionImageItem::ImageSize(const TCustomImageList* Images) const {
    if (HasPicture()) return TSize{FImage->Width(), FImage->Height()};
    if (Images && FImageIndex >= 0) return TSize{Images->Width(), Images->Height()};
    return TSize{0, 0};
}

void TCaptionImageItem::DrawImage(TCanvas* Canvas, int X, int Y, const TCustomImageList* Images, bool Enabled) const {
    if (HasPicture())
        Canvas->Draw(X, Y, FImage->Graphic());
    else if (Images && FImageIndex >= 0)
        Images->Draw(Canvas, X, Y, FImageIndex, Enabled);
}

void TCaptionImageItem::AssignCaptionImageItem(const TCaptionImageItem* Source) {
    SetCaption(Source->FCaption);
    SetImageIndex(Source->FImageIndex);
    FImage->Assign(Source->FImage.get());
    FEnabled = Source->FEnabled;
}

TCaptionImageCollection::TCaptionImageCollection(TCollectionItemClass ItemClass, TPersistent* AOwner)
    : TCollection(std::move(ItemClass)), FMyOwner(AOwner) {}

void TSelectorItem::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    NotifyChange();
}

void TSelectorItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSelectorItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(S->Caption());
    SetColor(S->FColor);
    AssignCaptionImageItem(S);
    FHint = S->FHint;
}

// ---------------------------------------------------------------------------------------------
// Item appearance

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
    FFont->SetName(QStringLiteral("Tahoma"));
    SetColorStyle(scOffice2007);
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style) {
    if (FColorStyle == Style) return;
    FColorStyle = Style;
    if (Style == scCustom || Style > scWindows7) return;
    const TItemPalette& P = kItemPalettes[Style - scOffice2007];
    FColorHot = P.ColorHot;
    FColorHotTo = P.ColorHotTo;
    FColorMirrorHot = P.ColorMirrorHot;
    FColorMirrorHotTo = P.ColorMirrorHotTo;
    FBorderColorTop = P.BorderColorTop;
    FBorderColorBottom = P.BorderColorBottom;
    FBorderColor = P.BorderColor;
    FEdgeColor = P.EdgeColor;
    FColorSelected = P.ColorSelected;
    FColorSelectedTo = P.ColorSelectedTo;
    FColorMirrorSelected = P.ColorMirrorSelected;
    FColorMirrorSelectedTo = P.ColorMirrorSelectedTo;
}

void TItemAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TItemAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FColorMirrorHotTo = S->FColorMirrorHotTo;
    FBorderColor = S->FBorderColor;
    FColorMirrorHot = S->FColorMirrorHot;
    FColorSelectedTo = S->FColorSelectedTo;
    FColorSelected = S->FColorSelected;
    FEdgeColor = S->FEdgeColor;
    FColorHotTo = S->FColorHotTo;
    FBorderColorBottom = S->FBorderColorBottom;
    FColorHot = S->FColorHot;
    FBorderColorTop = S->FBorderColorTop;
    FColorMirrorSelectedTo = S->FColorMirrorSelectedTo;
    FColorMirrorSelected = S->FColorMirrorSelected;
    FFont->Assign(S->FFont.get());
    // A palette differing from the current one reloads its colours over those just copied.
    SetColorStyle(S->FColorStyle);
    FColorSelectedText = S->FColorSelectedText;
    FColorHotText = S->FColorHotText;
    FBorderColorHot = S->FBorderColorHot;
    FBorderColorSelected = S->FBorderColorSelected;
}
