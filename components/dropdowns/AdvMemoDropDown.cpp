#include "components/dropdowns/AdvMemoDropDown.h"

#include "framework/rtl/StringList.h"
#include "framework/ui/Menus.h"
#include "framework/ui/StdCtrls.h"

TAdvMemoDropDown::TAdvMemoDropDown(TComponent* AOwner)
    : TAdvDropDown(AOwner), FMemoText(std::make_unique<TStringList>()) {
    FMemoText->OnChange = [this](TObject*) { UpdateEditText(); };
    // The base made its popup before this class existed: the memo comes now.
    if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TAdvMemoDropDown::~TAdvMemoDropDown() { FMemoText->OnChange = nullptr; }

TStrings* TAdvMemoDropDown::MemoText() const { return FMemo ? FMemo->Lines() : FMemoText.get(); }

void TAdvMemoDropDown::SetMemoText(TStrings* Value) {
    FMemoText->Assign(Value);
    if (FMemo) FMemo->Lines()->Assign(Value);
}

void TAdvMemoDropDown::SetMemoReadOnly(bool Value) {
    FMemoReadOnly = Value;
    if (DroppedDown() && FMemo) FMemo->SetReadOnly(Value);
}

void TAdvMemoDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvDropDown::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FMemo) FMemo = nullptr;
    if (AComponent == FMemoPopup) FMemoPopup = nullptr;
}

void TAdvMemoDropDown::CreateDropDownForm() {
    TAdvDropDown::CreateDropDownForm();
    if (FMemo || !FDropDownForm) return;
    FMemo = new TMemo(this);
    FMemo->SetParent(FDropDownForm);
    FMemo->SetHeight(100);
    FMemo->SetBorderStyle(bsNone);
    FMemo->SetWantTabs(true);
    FMemo->SetTabStop(true);
    FMemo->OnChange = [this](TObject* Sender) { MemoChange(Sender); };
    SetControl(FMemo);
}

void TAdvMemoDropDown::BeforeDropDown() {
    TAdvDropDown::BeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (!FMemo) return;
    if (EditorEnabled()) FMemo->Lines()->SetText(FMemoText->Text());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
}

void TAdvMemoDropDown::MemoChange(TObject*) {
    if (FSyncingMemo) return;
    const TWeak<TControl> Self(this);
    FMemoText->Assign(FMemo->Lines());
    if (Self && OnMemoChange) FireEvent(OnMemoChange, this);
}

void TAdvMemoDropDown::UpdateEditText() {
    String T = FMemoText->Count() > 0 ? FMemoText->Strings(0) : String();
    if (!EditorEnabled()) {
        TBitmap Surface(1, 1);
        TCanvas* C = Surface.Canvas();
        C->Font()->Assign(Font());
        const int Room = GetEditRect().Width();
        if (C->TextWidth(T) <= Room) {
            if (FMemoText->Count() > 1) T += QStringLiteral("...");
        } else {
            String Short = T;
            ShortenText(C, T, Room, Short, true);
            T = Short;
        }
    }
    FInternalUpdate = true;
    SetRawText(T);
    Change();
    FInternalUpdate = false;
}

void TAdvMemoDropDown::Change() {
    if (!FInternalUpdate) {
        // The edit holds the first line: typing there replaces it and keeps the others.
        const auto Saved = FMemoText->OnChange;
        FMemoText->OnChange = nullptr;
        if (FMemoText->Count() > 0)
            FMemoText->Put(0, Text());
        else
            FMemoText->SetText(Text());
        // The memo tells of its change while it is written; the kept lines are the source here.
        FSyncingMemo = true;
        if (FMemo) FMemo->Lines()->SetText(FMemoText->Text());
        FSyncingMemo = false;
        FMemoText->OnChange = Saved;
    }
    TAdvDropDown::Change();
}

void TAdvMemoDropDown::ClosePopup(bool Cancelled) {
    const bool WasAutoDrop = FAutoDrop;
    FAutoDrop = false;
    if (Cancelled && FMemo) FMemo->Lines()->SetText(FMemoText->Text());
    const TWeak<TControl> Self(this);
    TAdvDropDown::ClosePopup(Cancelled);
    if (Self) FAutoDrop = WasAutoDrop;
}

void TAdvMemoDropDown::AfterClosePopup() {
    TAdvDropDown::AfterClosePopup();
    if (FMemo) FMemoText->SetText(FMemo->Lines()->Text());
    UpdateEditText();
    SetSelStart(0);
    SetSelLength(0);
}

void TAdvMemoDropDown::DoEnter() {
    TAdvDropDown::DoEnter();
    if (FAutoDrop) ShowDropDown();
}

bool TAdvMemoDropDown::passesToEdit(Word Key, TShiftState Shift) const {
    return Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4;
}

void TAdvMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_TAB) {
        Key = 0;
        HideDropDown(false);
        SelectAll();
        return;
    }
    if (Key == 'A' && Shift.Contains(ssCtrl) && FMemo) FMemo->SelectAll();
    if (passesToEdit(Key, Shift)) TAdvDropDown::ControlKeyDown(Key, Shift);
}

void TAdvMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
    if (passesToEdit(Key, Shift)) TAdvDropDown::ControlKeyUp(Key, Shift);
}

void TAdvMemoDropDown::ControlKeyPress(Char& Key) {
    if (Key == QChar(VK_TAB)) {
        Key = QChar(0);
        SelectAll();
        return;
    }
    if (Key == QChar(VK_ESCAPE) || GetKeyState(VK_MENU) < 0) TAdvDropDown::ControlKeyPress(Key);
}
