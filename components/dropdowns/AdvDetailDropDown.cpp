// TAdvDetailDropDown: its items, the selection, the popup with its item selector and how a list
// item is drawn. Completion and keys: AdvDetailDropDown_Keys.cpp.
#include "components/dropdowns/AdvDetailDropDown.h"

#include "components/dropdowns/AdvDropDownDraw.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "framework/ui/PlatformFacts.h"

using namespace advdropdown;

// ---------------------------------------------------------------------------------------------
// Items

void TDetailItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDetailItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignCaptionImageItem(S);
    FNotes = S->FNotes;
    FTag = S->FTag;
    FItemObject = S->FItemObject;
}

int TDetailItems::IndexOf(const String& Value) const {
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->Caption() == Value) return I;
    return -1;
}

// ---------------------------------------------------------------------------------------------
// The drop-down

TAdvDetailDropDown::TAdvDetailDropDown(TComponent* AOwner)
    : TAdvSelectorDropDown(AOwner),
      FItems(std::make_unique<TDetailItems>(this)),
      FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>()) {
    SetEditorEnabled(true);
    FCaptionFont->Assign(Font());
    FNotesFont->Assign(Font());
    // The base made its popup before this class existed: the selector comes now.
    if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TAdvDetailDropDown::~TAdvDetailDropDown() = default;

void TAdvDetailDropDown::SetItemIndex(int Value) {
    if (Value == FItemIndex) return;
    if (Value == -1) {
        SetText(String());
        FItemIndex = -1;
        return;
    }
    if (Value < 0 || Value >= FItems->Count()) return;
    FItemIndex = Value;
    const TWeak<TControl> Self(this);
    SetText(FItems->Items(Value)->Caption());
    if (!Self) return;
    SelectAll();
    Invalidate();
    if (FItemSelector && FItemSelector->SelectorPanel()) FItemSelector->SelectorPanel()->Invalidate();
    if (OnSelect) FireEvent(OnSelect, this);
}

void TAdvDetailDropDown::SetText(const String& Value) {
    const bool Was = FCompleting;
    FCompleting = true;
    const TWeak<TControl> Self(this);
    TAdvSelectorDropDown::SetText(Value);
    if (!Self) return;
    FCompleting = Was;
    SetSelStart(0);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TAdvDetailDropDown::SelectorCreated(TAdvCustomItemSelector* Selector) {
    Selector->SetDoubleBuffered(true);
    Selector->OnDrawItem = [this](TObject* Sender, TCanvas* Canvas, const TRect& R, int Index) {
        DrawDetailItem(Sender, Canvas, R, Index);
    };
    Selector->OnItemSize = [this](TObject* Sender, TSize& Size) { GetDetailItemSize(Sender, Size); };
    Selector->OnResize = [this](TObject*) {
        if (FItemSelector) FItemSelector->UpdateSelectorPanel();
    };
}

void TAdvDetailDropDown::LoadSelectorItem(int Index, TSelectorItem* Item) {
    const TDetailItem* D = FItems->Items(Index);
    Item->SetCaption(D->Caption());
    Item->SetImage(D->Image());
    Item->SetImageIndex(D->ImageIndex());
}

void TAdvDetailDropDown::ItemSelected(int Index) {
    const TWeak<TControl> Self(this);
    SetText(FItems->Items(Index)->Caption());
    if (Self) SelectAll();
}

// Nothing was selected at the opening: the text stays as the base put it back.
void TAdvDetailDropDown::RestoreSelection(int OldIndex) {
    if (OldIndex != -1) SetItemIndex(OldIndex);
}

void TAdvDetailDropDown::SizeDropDownForm() {
    if (FItemSelector) {
        FItemSelector->SetAlign(alNone);
        if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0) FItemSelector->SetHeight(100);
    }
    TAdvSelectorDropDown::SizeDropDownForm();
}

void TAdvDetailDropDown::OpenPopup() {
    const TWeak<TControl> Self(this);
    TAdvSelectorDropDown::OpenPopup();
    if (Self && FItemSelector && PopupOpen() && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TAdvDetailDropDown::PopupSizing() {
    TAdvSelectorDropDown::PopupSizing();
    if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TAdvDetailDropDown::GetDetailItemSize(TObject*, TSize& ASize) {
    int W = DropDownWidth() > 0 ? DropDownWidth() : (FDropDownForm ? FDropDownForm->Width() : Width());
    if (FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible()) W -= GetSystemMetrics(SM_CXVSCROLL);
    W -= 2 * GetSystemMetrics(SM_CXBORDER) + 4;
    ASize = TSize{W, FItemHeight};
}

// The selector has painted the item's state background already.
void TAdvDetailDropDown::DrawDetailItem(TObject*, TCanvas* Canvas, TRect R, int Index) {
    if (OnDrawSelectedImage) {
        const auto Handler = OnDrawSelectedImage;
        Handler(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count()) return;
    const TDetailItem* Item = FItems->Items(Index);
    drawItemImage(Canvas, Item, R);
    const bool Hot = FItemSelector && FItemSelector->ItemHot() == Index;
    const bool Selected = Index == FItemIndex;
    const auto stateFont = [&](TFont* F) {
        Canvas->Font()->Assign(F);
        if (Hot) Canvas->Font()->SetColor(ItemAppearance()->ColorHotText());
        if (Selected) Canvas->Font()->SetColor(ItemAppearance()->ColorSelectedText());
    };
    stateFont(FCaptionFont.get());
    Canvas->Brush()->SetStyle(bsClear);
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    TRect Caption = R;
    DrawText(Canvas->Handle(), Item->Caption(), -1, Caption, DT_END_ELLIPSIS);
    if (Item->Notes().isEmpty()) return;
    R.Top += Canvas->TextHeight(QStringLiteral("gh"));
    stateFont(FNotesFont.get());
    TSize Size;
    DrawMarkupCaption(Canvas, Item->Notes(), R, Images(), true, FItemSelector ? FItemSelector->Handle() : nullptr,
                      Size);
}

// The picture (before a list image) at the left, or centred without a caption, placed vertically
// by ImageVAlign; R's left edge moves past it.
void TAdvDetailDropDown::drawItemImage(TCanvas* Canvas, const TDetailItem* Item, TRect& R) {
    const TSize Size = Item->ImageSize(Images());
    const int W = Size.cx, H = Size.cy;
    if (W <= 0 && H <= 0) return;
    const int X = Item->Caption().isEmpty() ? R.Left + (R.Width() - W) / 2 : R.Left + 2;
    int Y = (R.Height() - H) / 2;
    if (FImageVAlign == taAlignTop) Y = 0;
    if (FImageVAlign == taAlignBottom) Y = R.Height() - H;
    // A bitmap is drawn transparently, keyed on its bottom-left pixel.
    if (auto* B = Item->HasPicture() ? dynamic_cast<TBitmap*>(Item->Image()->Graphic()) : nullptr) {
        B->SetTransparentMode(tmAuto);
        B->SetTransparent(true);
    }
    Item->DrawImage(Canvas, X, R.Top + Y, Images());
    R.Left += W + 4;
}
