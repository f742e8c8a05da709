#include "components/dropdowns/AdvImagePickerDropDown.h"

#include "framework/rtl/Files.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "framework/ui/PlatformFacts.h"

using namespace advdropdown;

namespace {

bool altDown() { return GetKeyState(VK_MENU) < 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Items

void TImageItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TImageItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignCaptionImageItem(S);
    FHint = S->FHint;
}

// ---------------------------------------------------------------------------------------------
// The picker

TAdvImagePickerDropDown::TAdvImagePickerDropDown(TComponent* AOwner)
    : TAdvSelectorDropDown(AOwner), FItems(std::make_unique<TImageItems>(this)) {
    SetEditorEnabled(false);
    SetCursor(crArrow);
    // The base made its popup before this class existed: the selector comes now.
    if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TAdvImagePickerDropDown::~TAdvImagePickerDropDown() = default;

void TAdvImagePickerDropDown::SetItemIndex(int Value) {
    if (Value == FItemIndex || Value >= FItems->Count()) return;
    FItemIndex = Value;
    Invalidate();
    const TWeak<TControl> Self(this);
    if (OnChange) FireEvent(OnChange, this);
    if (Self && OnSelect) FireEvent(OnSelect, this);
}

int TAdvImagePickerDropDown::ImageIndex() const {
    if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return -1;
    return FItems->Items(FItemIndex)->ImageIndex();
}

void TAdvImagePickerDropDown::SetImageIndex(int Value) {
    for (int I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->ImageIndex() == Value) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

void TAdvImagePickerDropDown::AddImagesFromImageList() {
    if (!Images()) return;
    for (int I = 0; I < Images()->Count(); ++I) FItems->Add()->SetImageIndex(I);
}

void TAdvImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption) {
    const String Folder = ExtractFilePath(AFolder);
    TSearchRec SR;
    if (FindFirst(AFolder, faAnyFile, SR) != 0) return;
    do {
        // A folder is no picture, nor are "." and "..".
        if (SR.Attr & faDirectory) continue;
        TImageItem* Item = FItems->Add();
        try {
            Item->Image()->LoadFromFile(Folder + SR.Name);
            if (SetImageCaption) Item->SetCaption(SR.Name);
        } catch (const Exception&) {
            Item->Image()->SetGraphic(nullptr);
        }
    } while (FindNext(SR) == 0);
    FindClose(SR);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TAdvImagePickerDropDown::BeforeDropDown() {
    const TWeak<TControl> Self(this);
    TAdvSelectorDropDown::BeforeDropDown();
    if (!Self || !FItemSelector) return;
    if (OnDrawItem)
        FItemSelector->OnDrawItem = [this](TObject* Sender, TCanvas* Canvas, const TRect& R, int Index) {
            SelectorDrawItem(Sender, Canvas, R, Index);
        };
    else
        FItemSelector->OnDrawItem = nullptr;
}

void TAdvImagePickerDropDown::LoadSelectorItem(int Index, TSelectorItem* Item) {
    const TImageItem* Source = FItems->Items(Index);
    Item->SetCaption(Source->Caption());
    Item->SetImage(Source->Image());
    Item->SetImageIndex(Source->ImageIndex());
    Item->SetHint(Source->Hint());
}

void TAdvImagePickerDropDown::LoadSelector() {
    TAdvSelectorDropDown::LoadSelector();
    if (FItemSelector) FItemSelector->SetShowHint(ShowHint());
}

void TAdvImagePickerDropDown::SelectorDrawItem(TObject*, TCanvas* Canvas, const TRect& R, int Index) {
    if (OnDrawItem) {
        const auto Handler = OnDrawItem;
        Handler(this, Canvas, R, Index);
    }
}

void TAdvImagePickerDropDown::SizeDropDownForm() {
    if (!FItemSelector) {
        TAdvSelectorDropDown::SizeDropDownForm();
        return;
    }
    FItemSelector->SetAlign(alNone);
    const TSize Size = FItemSelector->GetSelectorPanelSize();
    if (DropDownWidth() < 1) FItemSelector->SetWidth(Size.cx);
    if (DropDownHeight() < 1) FItemSelector->SetHeight(Size.cy);
    TAdvSelectorDropDown::SizeDropDownForm();
    if (FDropDownForm && FItemSelector->VertScrollBar()->IsScrollBarVisible())
        FDropDownForm->SetWidth(FDropDownForm->Width() + GetSystemMetrics(SM_CXVSCROLL));
}

// ---------------------------------------------------------------------------------------------
// Drawing the selected image

void TAdvImagePickerDropDown::DrawDisabledFocus() {
    TAdvSelectorDropDown::DrawDisabledFocus();
    DrawSelectedImage();
}

void TAdvImagePickerDropDown::DrawSelectedImage() {
    if (!HandleAllocated()) return;
    HDC DC = GetWindowDC(Handle());
    if (!DC) return;
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    const TRect R = GetEditRect();
    if (OnDrawSelectedImage) {
        const auto Handler = OnDrawSelectedImage;
        Handler(this, &Canvas, R);
    } else if (FItemIndex >= 0 && FItemIndex < FItems->Count()) {
        const TImageItem* Item = FItems->Items(FItemIndex);
        const TSize Size = Item->ImageSize(Images());
        Item->DrawImage(&Canvas, R.Left + (R.Width() - Size.cx) / 2, R.Top + (R.Height() - Size.cy) / 2, Images());
    }
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

// ---------------------------------------------------------------------------------------------
// Keys and the wheel

void TAdvImagePickerDropDown::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_KEYDOWN && !ComponentState().Contains(csDesigning))
        WMKeyDown(Message);
    else
        TAdvSelectorDropDown::Dispatch(Message);
}

void TAdvImagePickerDropDown::WMKeyDown(TMessage& Message) {
    const Word Key = static_cast<Word>(Message.WParam);
    const TWeak<TControl> Self(this);
    // Enter takes the hot cell (which selects it and closes the popup).
    bool TookHotCell = false;
    if (Enabled() && PopupOpen() && Key == VK_RETURN && FItemSelector && FItemSelector->ItemHot() >= 0) {
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        if (!Self) return;
        TookHotCell = true;
    }
    TAdvSelectorDropDown::Dispatch(Message);
    if (!Self || !Enabled() || altDown()) return;
    handleSelectorKey(Key, TookHotCell);
}

void TAdvImagePickerDropDown::handleSelectorKey(Word Key, bool TookHotCell) {
    const bool Open = PopupOpen();
    TAdvCustomItemSelector* S = FItemSelector;
    switch (Key) {
        case VK_RETURN:
            if (!TookHotCell && OnSelect) FireEvent(OnSelect, this);
            break;
        case VK_END:
            if (Open && S)
                RunInternal([&] { S->SelectLast(); });
            else
                SelectLast();
            break;
        case VK_HOME:
            if (Open && S)
                RunInternal([&] { S->SelectFirst(); });
            else
                SelectFirst();
            break;
        case VK_UP:
        case VK_DOWN:
            if (Open && S)
                StepInSelector(Key == VK_DOWN ? FColumns : -FColumns);
            else if (Key == VK_DOWN)
                SelectNext();
            else
                SelectPrevious();
            break;
        default:
            HandleSharedSelectorKey(Key);
            break;
    }
}

void TAdvImagePickerDropDown::DoSelectNext() {
    TAdvSelectorDropDown::DoSelectNext();
    if (!Enabled() || ReadOnly() || !FItemSelector) return;
    if (PopupOpen())
        FItemSelector->HotNext();
    else
        RunInternal([&] { FItemSelector->SelectNext(); });
}

void TAdvImagePickerDropDown::DoSelectPrevious() {
    TAdvSelectorDropDown::DoSelectPrevious();
    if (!Enabled() || ReadOnly() || !FItemSelector) return;
    if (PopupOpen())
        FItemSelector->HotPrevious();
    else
        RunInternal([&] { FItemSelector->SelectPrevious(); });
}
