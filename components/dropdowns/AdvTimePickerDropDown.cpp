#include "components/dropdowns/AdvTimePickerDropDown.h"

#include "components/dropdowns/AdvWatch.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DateTimePicker.h"
#include "framework/ui/ExtCtrls.h"

namespace {

Char separator() { return FormatSettings.TimeSeparator; }

String twoDigits(int V) { return QStringLiteral("%1").arg(V, 2, 10, QLatin1Char('0')); }

// The first two characters, as far as there are any, are digits; empty passes.
bool startsWithDigits(const String& S) {
    for (int I = 0; I < std::min<int>(2, int(S.size())); ++I)
        if (!S[I].isDigit()) return false;
    return true;
}

int partValue(const String& S) { return S.isEmpty() ? 0 : S.left(2).toInt(); }

// The keys that belong to the watch while the popup is open.
bool isWatchKey(Word Key) { return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN; }

bool altHeld() { return (GetAsyncKeyState(VK_MENU) & 0x8000) != 0; }

}  // namespace

TAdvTimePickerDropDown::TAdvTimePickerDropDown(TComponent* AOwner) : TAdvCustomDropDown(AOwner) {
    // The base applied its colour scheme before the watch's appearance existed.
    FWatchAppearance = std::make_unique<TWatchAppearance>();
    ApplyWatchColorScheme(FWatchAppearance.get(), GetComponentStyle());
    FShowTimePicker = false;
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FShowSeconds = true;
    FInternalCall = true;
    UpdateEditMask();
    SetRawText(TimeToText(0, 0, 0));
    FInternalCall = false;
    FWatchSettings = std::make_unique<TWatchSettings>();
    // The base made its popup before this class could add the watch to it.
    CreateDropDownForm();
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
}

TAdvTimePickerDropDown::~TAdvTimePickerDropDown() = default;

// The watch and the picker are owned components, freed before the edit's own parts; their events
// must not reach it on the way.
void TAdvTimePickerDropDown::BeforeDestruction() {
    if (FAdvWatch) FAdvWatch->OnChange = nullptr;
    if (FDateTimePicker) FDateTimePicker->OnChange = nullptr;
    TAdvCustomDropDown::BeforeDestruction();
    FAdvWatch = nullptr;
    FDateTimePicker = nullptr;
    FPanelCtrl = nullptr;
}

void TAdvTimePickerDropDown::SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }

void TAdvTimePickerDropDown::SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }

String TAdvTimePickerDropDown::TimeToText(Word Hour, Word Minute, Word Second) const {
    String S = twoDigits(Hour) + separator() + twoDigits(Minute);
    if (FShowSeconds) S += separator() + twoDigits(Second);
    return S;
}

void TAdvTimePickerDropDown::UpdateEditMask() {
    const String Sep(separator());
    SetEditMask(FShowSeconds ? QStringLiteral("!90") + Sep + QStringLiteral("00") + Sep + QStringLiteral("00;1; ")
                             : QStringLiteral("!90") + Sep + QStringLiteral("00;1; "));
}

// ---------------------------------------------------------------------------------------------
// Time and text

void TAdvTimePickerDropDown::SetTime(TDateTime Value) {
    if (Value == FTime) return;
    if (EditorEnabled() && Value != 0 && EditMask().isEmpty()) {
        FInternalCall = true;
        UpdateEditMask();
        FInternalCall = false;
    }
    FTime = Value;
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    SetRawText(TimeToText(H, M, S));
    if (DroppedDown()) {
        if (FAdvWatch) FAdvWatch->SetTime(Value);
        if (FShowTimePicker && FDateTimePicker) FDateTimePicker->SetTime(Value);
    }
}

void TAdvTimePickerDropDown::SetText(const String& Value) {
    FInternalCall = true;
    if (!Value.isEmpty())
        UpdateEditMask();
    else
        SetEditMask(String());
    FInternalCall = false;
    TAdvCustomDropDown::SetText(Value);
}

void TAdvTimePickerDropDown::setTextInternally(const String& Value) {
    FInternalCall = true;
    SetText(Value);
    FInternalCall = false;
}

bool TAdvTimePickerDropDown::IsCompleteTime(const String& Text) const {
    const int First = Text.indexOf(separator());
    if (First < 0) return false;
    String Rest = Text.mid(First + 1).trimmed();
    const int Second = Rest.indexOf(separator());
    if ((Second >= 0) != FShowSeconds) return false;
    if (Second >= 0) Rest = Rest.mid(Second + 1);
    return !Rest.contains(separator());
}

void TAdvTimePickerDropDown::Change() {
    const TWeak<TAdvTimePickerDropDown> Self(this);
    TAdvCustomDropDown::Change();
    if (!Self || FInternalCall) return;
    String Text = GetText();
    if (Text.isEmpty() || !IsCompleteTime(Text)) return;
    Text.replace(u' ', u'0');
    const int First = Text.indexOf(separator());
    const String HourText = Text.left(First).trimmed();
    String Rest = Text.mid(First + 1);
    String MinuteText = Rest, SecondText;
    if (FShowSeconds) {
        const int Second = Rest.indexOf(separator());
        MinuteText = Rest.left(Second);
        SecondText = Rest.mid(Second + 1).trimmed();
    }
    MinuteText = MinuteText.trimmed();
    if (!startsWithDigits(HourText) || !startsWithDigits(MinuteText) || !startsWithDigits(SecondText)) return;
    const int H = partValue(HourText), M = partValue(MinuteText), S = partValue(SecondText);
    FTime = EncodeTime(Word(H), Word(M), Word(S), 0);
    // A full hour typed with a blank digit is shown in full.
    if (M == 0 && S == 0 && TimeToText(Word(H), 0, 0) != GetText()) setTextInternally(TimeToText(Word(H), 0, 0));
}

void TAdvTimePickerDropDown::SetShowSeconds(bool Value) {
    if (FShowSeconds == Value) return;
    FShowSeconds = Value;
    const TDateTime T = FTime;
    FInternalCall = true;
    SetEditMask(String());
    SetRawText(String());
    FInternalCall = false;
    UpdateEditMask();
    FTime += 1;  // so that the next write sees a change
    SetTime(T);
}

TDateTime TAdvTimePickerDropDown::textTime() const {
    const String Text = GetText();
    return Text.isEmpty() ? 0 : StrToTime(Text);
}

void TAdvTimePickerDropDown::DoExit() {
    SetTime(textTime());
    const TWeak<TAdvTimePickerDropDown> Self(this);
    TAdvCustomDropDown::DoExit();
    if (!Self) return;
    FInternalCall = false;
    Change();
    if (Self) FInternalCall = true;
}

// ---------------------------------------------------------------------------------------------
// Keys

void TAdvTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TAdvTimePickerDropDown> Self(this);
    TAdvCustomDropDown::KeyDown(Key, Shift);
    if (!Self || altHeld() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
    if (Key != VK_UP && Key != VK_DOWN) return;
    const int Caret = SelStart();
    const String Text = GetText();
    const int B = Pos(String(separator()), Text);
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    const bool Up = Key == VK_UP;
    // Up lowers the field and Down raises it, each wrapping.
    auto stepped = [Up](int V, int Max) { return Up ? (V == 0 ? Max : V - 1) : (V == Max ? 0 : V + 1); };
    if (Caret < B) {
        SetHourPart(stepped(H, 23));
    } else {
        const int D = Pos(String(separator()), Text.mid(B));
        if (Caret - B >= D && D > 0 && FShowSeconds)
            SetSecondPart(stepped(S, 59));
        else
            SetMinutePart(stepped(M, 59));
    }
    if (Self) SetSelStart(Caret);
}

void TAdvTimePickerDropDown::setTimePart(int Hour, int Minute, int Second) {
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    if (Hour > 23 || Minute > 59 || Second > 59 || Hour < 0 || Minute < 0 || Second < 0) return;
    if (Hour == H && Minute == M && Second == S) return;
    SetTime(EncodeTime(Word(Hour), Word(Minute), Word(Second), MS));
    if (OnTimeChange) FireEvent(OnTimeChange, this);
}

void TAdvTimePickerDropDown::SetHourPart(int Value) {
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    setTimePart(Value, M, S);
}

void TAdvTimePickerDropDown::SetMinutePart(int Value) {
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    setTimePart(H, Value, S);
}

void TAdvTimePickerDropDown::SetSecondPart(int Value) {
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    setTimePart(H, M, Value);
}

void TAdvTimePickerDropDown::PopupKeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TAdvTimePickerDropDown> Self(this);
    if (!isWatchKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::PopupKeyDown(Key, Shift);
    if (Self && FDropDownForm && FDropDownForm->Visible() && FAdvWatch) FAdvWatch->HandleKey(Key);
}

void TAdvTimePickerDropDown::PopupKeyUp(Word& Key, TShiftState Shift) {
    if (!isWatchKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::PopupKeyUp(Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
    if (!isWatchKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
    if (!isWatchKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyPress(Char& Key) {
    if (!isWatchKey(Key.unicode()) || altHeld()) TAdvCustomDropDown::ControlKeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TAdvTimePickerDropDown::CreateDropDownForm() {
    TAdvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FPanelCtrl) {
        FPanelCtrl = new TPanel(this);
        FPanelCtrl->SetParent(FDropDownForm);
        FPanelCtrl->SetBorderWidth(0);
        FPanelCtrl->SetBevelInner(bvNone);
        FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
    }
    if (!FAdvWatch) {
        FAdvWatch = new TAdvWatch(this);
        FAdvWatch->SetParent(FPanelCtrl);
        FAdvWatch->SetAlign(alClient);
    }
    SetControl(FPanelCtrl);
}

void TAdvTimePickerDropDown::BeforeDropDown() {
    const TWeak<TAdvTimePickerDropDown> Self(this);
    TAdvCustomDropDown::BeforeDropDown();
    if (!Self || !FDropDownForm || !FPanelCtrl || !FAdvWatch) return;
    // A cancelled close puts back the text shown now.
    FOldText = GetText();
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), 170, 170);
    FDropDownForm->SetWidth(FDropDownForm->Width() + 1);
    FDropDownForm->SetWidth(FDropDownForm->Width() - 1);
    FDropDownForm->SetCancelOnDeActivate(false);
    FPanelCtrl->SetColor(DropDownColor());

    FAdvWatch->Appearance()->Assign(FWatchAppearance.get());
    FAdvWatch->Settings()->Assign(FWatchSettings.get());
    FAdvWatch->SetShowAMPM(FShowWatchAMPM);
    FAdvWatch->SetShowNumbers(FShowWatchNumbers);
    FAdvWatch->SetAnimation(FAnimation);
    FAdvWatch->SetAnimationFactor(FAnimationFactor);

    FAdvWatch->OnChange = nullptr;
    if (!FWatchSettings->Auto()) FAdvWatch->SetTime(FTime);
    // The text decides.
    FAdvWatch->SetTime(textTime());
    FAdvWatch->OnChange = [this](TObject* Sender) { WatchChange(Sender); };

    if (FShowTimePicker) {
        if (!FDateTimePicker) {
            FDateTimePicker = new TDateTimePicker(this);
            FDateTimePicker->SetParent(FPanelCtrl);
            FDateTimePicker->SetKind(dtkTime);
        }
        FDateTimePicker->OnChange = nullptr;
        FDateTimePicker->SetAlign(alBottom);
        FDateTimePicker->SetVisible(true);
        FDateTimePicker->SetTime(FAdvWatch->Time());
        FDateTimePicker->BringToFront();
        FDateTimePicker->OnChange = [this](TObject* Sender) { TimePickerChange(Sender); };
        FDateTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
        FDateTimePicker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
        FDateTimePicker->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
        FDateTimePicker->SetFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
        FPanelCtrl->SetHeight(170 + FDateTimePicker->Height());
    } else if (FDateTimePicker) {
        FDateTimePicker->SetVisible(false);
    }
}

void TAdvTimePickerDropDown::WatchChange(TObject*) {
    if (FShowTimePicker && FDateTimePicker && Frac(FDateTimePicker->Time()) != Frac(FAdvWatch->Time())) {
        FDateTimePicker->SetTime(FAdvWatch->Time());
        const TWeak<TAdvTimePickerDropDown> Self(this);
        if (OnTimeChange) FireEvent(OnTimeChange, this);
        if (!Self) return;
    }
    SetTime(FAdvWatch->Time());
}

void TAdvTimePickerDropDown::TimePickerChange(TObject*) {
    if (!FAdvWatch || FWatchSettings->Auto()) return;
    FAdvWatch->SetTime(Frac(FDateTimePicker->Time()));
    Word H, M, S, MS;
    DecodeTime(FDateTimePicker->Time(), H, M, S, MS);
    const String Text = TimeToText(H, M, S);
    if (Text != GetText()) SetText(Text);
}

void TAdvTimePickerDropDown::ClosePopup(bool Cancelled) {
    const TWeak<TAdvTimePickerDropDown> Self(this);
    TAdvCustomDropDown::ClosePopup(Cancelled);
    if (!Self || !FAdvWatch) return;
    if (Cancelled)
        FAdvWatch->SetTime(FTime);
    else
        SetTime(FAdvWatch->Time());
}

void TAdvTimePickerDropDown::AfterClosePopup() {
    const TWeak<TAdvTimePickerDropDown> Self(this);
    TAdvCustomDropDown::AfterClosePopup();
    if (Self && FAdvWatch) SetTime(FAdvWatch->Time());
}

void TAdvTimePickerDropDown::SetComponentStyle(TTesselStyle AStyle) {
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // The watch takes it at its next opening.
    if (FWatchAppearance) ApplyWatchColorScheme(FWatchAppearance.get(), AStyle);
}
