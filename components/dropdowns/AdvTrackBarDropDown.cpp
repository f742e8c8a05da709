#include "components/dropdowns/AdvTrackBarDropDown.h"

#include "framework/rtl/SysUtils.h"
#include "framework/ui/TrackBar.h"

using namespace advdropdown;

TAdvTrackBarDropDown::TAdvTrackBarDropDown(TComponent* AOwner) : TAdvDropDown(AOwner) {
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetForceShadow(true);
    // The base made its popup before this class existed: the track bar comes now.
    if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
    SetRawText(IntToStr(FPosition));
}

void TAdvTrackBarDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FTrackBar) FTrackBar = nullptr;
}

void TAdvTrackBarDropDown::SetMin(int Value) {
    FMin = Value;
    if (!FTrackBar) return;
    FTrackBar->SetMin(Value);
    FMin = FTrackBar->Min();
}

void TAdvTrackBarDropDown::SetMax(int Value) {
    FMax = Value;
    if (!FTrackBar) return;
    FTrackBar->SetMax(Value);
    FMax = FTrackBar->Max();
}

void TAdvTrackBarDropDown::SetPosition(int Value) {
    FPosition = Value;
    if (!FTrackBar) return;
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(Value);
    FPosition = FTrackBar->Position();
}

void TAdvTrackBarDropDown::SetFrequency(int Value) {
    FFrequency = Value;
    if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TAdvTrackBarDropDown::SetPageSize(int Value) {
    FPageSize = Value;
    if (FTrackBar) FTrackBar->SetPageSize(Value);
}

void TAdvTrackBarDropDown::CreateDropDownForm() {
    TAdvDropDown::CreateDropDownForm();
    if (FTrackBar || !FDropDownForm) return;
    FTrackBar = new TTrackBar(this);
    FTrackBar->SetParent(FDropDownForm);
    FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->OnChange = [this](TObject* Sender) { TrackBarChange(Sender); };
}

void TAdvTrackBarDropDown::BeforeDropDown() {
    TAdvDropDown::BeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (!FTrackBar) return;
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetWidth(Width());
    SetControl(FTrackBar);
}

void TAdvTrackBarDropDown::TrackBarChange(TObject*) {
    FPosition = FTrackBar->Position();
    SetRawText(IntToStr(FPosition));
    if (OnTrackChange) FireEvent(OnTrackChange, this);
}

void TAdvTrackBarDropDown::Change() {
    const TWeak<TControl> Self(this);
    TAdvDropDown::Change();
    if (!Self) return;
    // A value that is no integer leaves the position as it is.
    const String Value = Text();
    int N = 0;
    if (Value.isEmpty())
        SetPosition(0);
    else if (TryStrToInt(Value, N))
        SetPosition(N);
}

void TAdvTrackBarDropDown::Dispatch(TMessage& Message) {
    const WPARAM Key = Message.WParam;  // the base swallows what the edit does not type
    const TWeak<TControl> Self(this);
    TAdvDropDown::Dispatch(Message);
    if (!Self || Message.Msg != WM_KEYDOWN || EditorEnabled() || GetKeyState(VK_MENU) < 0) return;
    if (Key == VK_UP && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
    if (Key == VK_DOWN && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
}

void TAdvTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvDropDown::MouseDown(Button, Shift, X, Y);
    if (!Self || !DropDownEnabled() || EditorEnabled()) return;
    FMouseDraging = true;
    FMouseX = X;
}

void TAdvTrackBarDropDown::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TAdvDropDown::MouseMove(Shift, X, Y);
    if (!Self || !FMouseDraging) return;
    const int Step = X - FMouseX;
    FMouseX = X;
    SetPosition(FPosition + Step / std::max(1, FPageSize));
}

void TAdvTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FMouseDraging = false;
    TAdvDropDown::MouseUp(Button, Shift, X, Y);
}
