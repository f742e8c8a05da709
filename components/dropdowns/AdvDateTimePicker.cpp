// TAdvDateTimePicker: kind and the second picker, the null date, time limits, auto-tab over the
// date fields and the caption label.
#include "components/dropdowns/AdvDateTimePicker.h"

#include "components/dropdowns/AdvDropDownDraw.h"
#include "components/graphics/TesselStyle.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"

#include <cmath>

using namespace advdropdown;

namespace {

TDateTime timeOfDay(TDateTime Value) {
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    return EncodeTime(H, M, S, 0);
}

}  // namespace

TAdvDateTimePicker::TAdvDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner) {
    FLabelMargin = 4;
    FKind = dkDateTime;  // the platform kind stays date until the window exists
    SetBorderStyle(bsSingle);
    SetCtl3D(true);
    FLabelFont = std::make_unique<TFont>();
    FLblFntHeight = FLabelFont->Height();
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    FFirstRun = true;
}

TAdvDateTimePicker::~TAdvDateTimePicker() { FLabelFont->OnChange = nullptr; }

void TAdvDateTimePicker::BeforeDestruction() {
    if (FLabel) {
        FLabel->SetParent(nullptr);
        FreeAndNil(FLabel);
    }
    if (FTimePicker) {
        FTimePicker->OnChange = nullptr;
        FreeAndNil(FTimePicker);
    }
    TCustomDateTimePicker::BeforeDestruction();
}

String TAdvDateTimePicker::Version() const {
    const int N = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg((N >> 24) & 0xFF).arg((N >> 16) & 0xFF).arg((N >> 8) & 0xFF).arg(N & 0xFF);
}

void TAdvDateTimePicker::DoChange() {
    if (OnChange) FireEvent(OnChange, this);
}

void TAdvDateTimePicker::DoClick() {
    if (OnClick) FireEvent(OnClick, this);
}

// ---------------------------------------------------------------------------------------------
// Kind and the second picker

void TAdvDateTimePicker::SetKind(TAdvDateTimeKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
    if (Value == dkDateTime) {
        const TDateTime DT = DateTime();
        CreateTimePicker();
        SetDateTime(DT);
    }
    UpdateTimePicker();
}

void TAdvDateTimePicker::CreateWnd() {
    TCustomDateTimePicker::CreateWnd();
    const TAdvDateTimeKind Stored = FKind;
    FKind = dkDate;
    SetKind(Stored);
    if (!ParentFont() && FLabel && !LabelCaption().isEmpty() && !designing()) {
        FLblUpdate = true;
        FLabelFont->SetHeight(int(Round(GetDPIScale() * FLblFntHeight)));
        FLblUpdate = false;
    }
    if (FLabel) UpdateLabelPos();
}

void TAdvDateTimePicker::CreateTimePicker() {
    if (FTimePicker || FKind != dkDateTime) return;
    FTimePicker = new TCustomDateTimePicker(this);
    if (!(designing() && loading())) FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->FIsTimePicker = true;
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->TDateTimePicker::SetKind(dtkTime);
    FTimePicker->OnChange = [this](TObject* Sender) { TimePickerChange(Sender); };
    FTimePicker->OnClick = [this](TObject*) { DoClick(); };
    FTimePicker->OnKeyPress = [this](TObject* Sender, Char& Key) { DateTimeHook(Sender, Key); };
    FTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); };
    FTimePicker->OnExit = [this](TObject*) { Invalidate(); };
    FTimePicker->SetAutoTabToNext(AutoTabToNext());
    FTimePicker->FGridTabhandling = FGridTabhandling;
}

void TAdvDateTimePicker::UpdateTimePicker() {
    if (!FTimePicker) return;
    FTimePicker->SetParent(this);
    FTimePicker->SetColor(Color());
    FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
    FTimePicker->SetVisible(FKind == dkDateTime);
    FTimePicker->TDateTimePicker::SetTime(Time());
    FTimePicker->TDateTimePicker::SetDateTime(::Date() + Frac(DateTime()));
    FTimePicker->TDateTimePicker::SetFormat(FTimeFormat);
    FTimePicker->Font()->Assign(Font());
    if (!FTimePicker->Visible() && !(loading() && !designing())) {
        FTimePicker->OnChange = nullptr;
        FreeAndNil(FTimePicker);
        return;
    }
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(Font());
    const int W = Measure.Canvas()->TextWidth(FTimePicker->DisplayText().left(255)) + 31;
    const int B = 0;  // the framework's pickers have no bevels
    const int Wd = Width(), Ht = Height();
    int L, T, H;
    if (IsVistaOrLater()) {
        if (!IsComCtl6OrLater()) {
            L = Wd - W - B - 23, T = -2, H = Ht - B;
        } else if (!ThemeActive()) {
            L = Wd - W - B - 21, T = 2, H = Ht - B - 4;
        } else if (UseMetroPainting()) {
            L = Wd - W - B - 21, T = 1, H = Ht - B - 2;
        } else {
            L = Wd - W - B - 34, T = 1, H = Ht - B - 2;
        }
    } else {
        L = Wd - W - 21, T = -2, H = Ht;
    }
    FTimePicker->SetBounds(L, T, W, H);
}

// ---------------------------------------------------------------------------------------------
// Date and time

TDateTime TAdvDateTimePicker::DateTime() const {
    const TDateTime Own = TCustomDateTimePicker::DateTime();
    if (!FTimePicker) return Own;
    return std::trunc(Own) + Frac(FTimePicker->TDateTimePicker::DateTime());
}

TDateTime TAdvDateTimePicker::Time() const {
    if (FKind == dkDateTime && FTimePicker) return Frac(FTimePicker->TDateTimePicker::DateTime());
    return TCustomDateTimePicker::Time();
}

// The second picker shows the time: it takes the new one as well.
void TAdvDateTimePicker::SetTime(TDateTime Value) {
    TCustomDateTimePicker::SetTime(Value);
    if (FTimePicker) FTimePicker->TDateTimePicker::SetTime(Value);
    UpdateTimePicker();
}

void TAdvDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::trunc(Value) + timeOfDay(DateTime())); }

void TAdvDateTimePicker::SetDateTime(TDateTime Value) {
    InternalSetDateTime(Value);
    FInternalChangedFlag = false;
}

void TAdvDateTimePicker::InternalSetDateTime(TDateTime Value) {
    const TDateTime Time = timeOfDay(Value);
    CreateTimePicker();
    if (MinDate() != 0 && Value < MinDate()) Value = MinDate();
    if (MaxDate() != 0 && Value > MaxDate()) Value = MaxDate();
    if (std::trunc(Value) != 0 || !FNullDateIsToday)
        TCustomDateTimePicker::SetDateTime(std::trunc(Value) + Time);
    else
        TCustomDateTimePicker::SetDateTime(::Date() + Time);
    if (FTimePicker) FTimePicker->TDateTimePicker::SetDateTime(::Date() + Time);
    UpdateNullDateFormat();
}

void TAdvDateTimePicker::SetFormat(const String& Value) {
    if (Value != FNullDateFormat) FOriginalFormat = Value;
    TCustomDateTimePicker::SetFormat(Value);
}

void TAdvDateTimePicker::SetTimeFormat(const String& Value) {
    FTimeFormat = Value;
    if (FKind == dkTime) TCustomDateTimePicker::SetFormat(Value);
    UpdateTimePicker();
}

void TAdvDateTimePicker::UpdateNullDateFormat() {
    if (DateTime() == FNullDateDate && !FNullDateFormat.isEmpty())
        SetFormat(FNullDateFormat);
    else
        RestoreFormat();
}

void TAdvDateTimePicker::RestoreFormat() { SetFormat(FOriginalFormat); }

void TAdvDateTimePicker::DoEnter() {
    FInternalChangedFlag = false;
    if (DateTime() == FNullDateDate) {
        InternalSetDateTime(::Date());
        FInternalChangedFlag = true;
    }
    RestoreFormat();
    TCustomDateTimePicker::DoEnter();
}

void TAdvDateTimePicker::DoExit() {
    // Today, filled in on entry and never changed, goes back to the null date.
    if (FInternalChangedFlag) {
        FInternalChangedFlag = false;
        InternalSetDateTime(FNullDateDate);
    }
    UpdateNullDateFormat();
    TCustomDateTimePicker::DoExit();
}

bool TAdvDateTimePicker::hasTimeLimits() const { return Frac(FMinTime) != Frac(FMaxTime); }

TDateTime TAdvDateTimePicker::clampedTime(TDateTime Time) const {
    if (Time < Frac(FMinTime)) Time = Frac(FMinTime);
    if (Time > Frac(FMaxTime)) Time = Frac(FMaxTime);
    return Time;
}

void TAdvDateTimePicker::Change() {
    const TWeak<TAdvDateTimePicker> Self(this);
    TCustomDateTimePicker::Change();
    if (!Self) return;
    FInternalChangedFlag = false;
    if (FKind != dkTime || !hasTimeLimits()) return;
    if (Frac(DateTime()) < Frac(FMinTime)) SetDateTime(Frac(FMinTime));
    if (Frac(DateTime()) > Frac(FMaxTime)) SetDateTime(Frac(FMaxTime));
}

void TAdvDateTimePicker::TimePickerChange(TObject*) {
    const TWeak<TAdvDateTimePicker> Self(this);
    DoChange();
    if (!Self || !FTimePicker) return;
    if (hasTimeLimits()) {
        const TDateTime Time = Frac(FTimePicker->TDateTimePicker::DateTime());
        const TDateTime Clamped = clampedTime(Time);
        if (Clamped != Time) FTimePicker->TDateTimePicker::SetTime(Clamped);
    }
    if (OnTimeChange) FireEvent(OnTimeChange, this);
}

// ---------------------------------------------------------------------------------------------
// Check box, notifications and keys

void TAdvDateTimePicker::enableTimePicker() {
    if (!FTimePicker) return;
    FTimePicker->SetEnabled(Enabled() && Checked());
}

void TAdvDateTimePicker::MsgSetDateTime(const TSystemTime& Value) {
    TCustomDateTimePicker::MsgSetDateTime(Value);
    if (ShowCheckbox() && FTimePicker) {
        enableTimePicker();
        FIgnoreTimePickerCheck = FTimePicker->Enabled();
    }
}

void TAdvDateTimePicker::DoDateTimeChange(int Flag) {
    const TWeak<TAdvDateTimePicker> Self(this);
    TCustomDateTimePicker::DoDateTimeChange(Flag);
    if (!Self || !ShowCheckbox()) return;
    if (FTimePicker && !FIgnoreTimePickerCheck) FTimePicker->SetEnabled(Enabled() && Checked() && Flag != GDT_NONE);
    FIgnoreTimePickerCheck = false;
}

// A text that does not convert is refused unless OnUserInput approves it; the value stays.
void TAdvDateTimePicker::DoUserString(const String& Text, TDateTime& Value, int& Flag) {
    bool Valid = TryStrToDateTime(Text, Value);
    if (OnUserInput) OnUserInput(this, Text, Value, Valid);
    Flag = Valid ? GDT_VALID : GDT_ERROR;
    FIgnoreTimePickerCheck = false;
}

void TAdvDateTimePicker::KeyPress(Char& Key) {
    if (Key >= u'0' && Key <= u'9' && AutoTab()) DecodeDate(TDateTimePicker::DateTime(), Fy, Fmo, Fd);
    TCustomDateTimePicker::KeyPress(Key);
}

void TAdvDateTimePicker::DoAutoTab() {
    if (FKind == dkTime) {
        TCustomDateTimePicker::DoAutoTab();
        return;
    }
    Word Y, M, D;
    DecodeDate(TDateTimePicker::DateTime(), Y, M, D);
    const bool DayChanged = D != Fd, MonthChanged = M != Fmo, YearChanged = Y != Fy;
    const String& Picture = Format();
    if (!Picture.isEmpty()) {
        const Char C = Picture.back();
        const bool Last = (DayChanged && (C == u'd' || C == u'D')) || (MonthChanged && (C == u'M' || C == u'm')) ||
                          (YearChanged && (C == u'y' || C == u'Y'));
        if (Last) {
            if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
        } else if (DayChanged || MonthChanged || YearChanged) {
            postRight();
        }
        return;
    }
    if (DayChanged || MonthChanged) {
        postRight();
    } else if (YearChanged) {
        if (FKind == dkDateTime) {
            if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
        } else {
            FocusNextControl();
        }
    }
}

void TAdvDateTimePicker::SetAutoTab(bool Value) {
    TCustomDateTimePicker::SetAutoTab(Value);
    if (FTimePicker) FTimePicker->SetAutoTab(Value);
}

void TAdvDateTimePicker::SetAutoTabToNext(bool Value) {
    TCustomDateTimePicker::SetAutoTabToNext(Value);
    if (FTimePicker) FTimePicker->SetAutoTabToNext(Value);
}

void TAdvDateTimePicker::SetTabStop(bool Value) {
    TCustomDateTimePicker::SetTabStop(Value);
    if (FTimePicker) FTimePicker->SetTabStop(Value);
}

void TAdvDateTimePicker::SetBorderStyle(TBorderStyle Value) {
    TCustomDateTimePicker::SetBorderStyle(Value);
    UpdateTimePicker();
}

void TAdvDateTimePicker::Loaded() {
    TCustomDateTimePicker::Loaded();
    FOriginalFormat = Format();
    if (!designing()) {
        CreateTimePicker();
        UpdateTimePicker();
        if (!Checked()) {
            SetChecked(false);
            if (FTimePicker) FTimePicker->SetEnabled(false);
        }
    }
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        UpdateLabel();
    }
    FLblFntHeight = FLabelFont->Height();
    if (ParentFont() && FLabel) FLabelFont->Assign(Font());
    FParentFnt = ParentFont();
    UpdateLabel();
}

void TAdvDateTimePicker::WndProc(TMessage& Message) {
    if (Message.Msg == WM_KILLFOCUS && FFocusLabel && !loading()) setLabelBold(false);
    TCustomDateTimePicker::WndProc(Message);
    switch (Message.Msg) {
        case DTM_SETSYSTEMTIME:
            if (int(Message.WParam) == GDT_NONE && !designing() && ShowCheckbox()) enableTimePicker();
            break;
        case WM_SETFOCUS:
            if (FFocusLabel && !loading()) setLabelBold(true);
            break;
        default:
            break;
    }
}

void TAdvDateTimePicker::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYUP: {
            const Word Key = Word(Message.WParam);
            TCustomDateTimePicker::Dispatch(Message);
            if (Key == VK_DELETE && GetKeyState(VK_CONTROL) < 0 && !FNullDateFormat.isEmpty()) SetDateTime(0);
            break;
        }
        case WM_PAINT:
            if (FFirstRun) {
                FFirstRun = false;
                UpdateTimePicker();
            }
            TCustomDateTimePicker::Dispatch(Message);
            break;
        case WM_SIZE:
            TCustomDateTimePicker::Dispatch(Message);
            UpdateTimePicker();
            break;
        case CM_COLORCHANGED:
            TCustomDateTimePicker::Dispatch(Message);
            UpdateTimePicker();
            break;
        case CM_SHOWINGCHANGED:
        case CM_VISIBLECHANGED:
            TCustomDateTimePicker::Dispatch(Message);
            if (FLabel) FLabel->SetVisible(Visible());
            break;
        case CM_ENABLEDCHANGED:
            TCustomDateTimePicker::Dispatch(Message);
            if (FTimePicker) FTimePicker->SetEnabled(Enabled());
            if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
            break;
        case CM_PARENTFONTCHANGED:
            TCustomDateTimePicker::Dispatch(Message);
            if (FLabel && ParentFont()) {
                FLabelFont->Assign(Font());
                UpdateLabel();
            }
            break;
        case CM_FONTCHANGED:
            if (FLabel && ParentFont() && (designing() || loading())) FLabelFont->Assign(Font());
            TCustomDateTimePicker::Dispatch(Message);
            break;
        default:
            TCustomDateTimePicker::Dispatch(Message);
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Label

String TAdvDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAdvDateTimePicker::CreateLabel() {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->OnClick = [this](TObject*) {
        if (OnLabelClick) FireEvent(OnLabelClick, this);
    };
    FLabel->OnDblClick = [this](TObject*) {
        if (OnLabelDblClick) FireEvent(OnLabelDblClick, this);
    };
    FLabel->SetParentFont(ParentFont());
}

void TAdvDateTimePicker::SetLabelCaption(const String& Value) {
    if (!FLabel) CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TAdvDateTimePicker::SetLabelFont(TFont* Value) {
    if (!ParentFont()) FLabelFont->Assign(Value);
    if (FLabel) UpdateLabel();
}

void TAdvDateTimePicker::SetLabelMargin(int Value) {
    FLabelMargin = Value;
    if (FLabel) UpdateLabel();
}

void TAdvDateTimePicker::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    if (FLabel) UpdateLabel();
}

void TAdvDateTimePicker::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    if (FLabel) UpdateLabel();
}

void TAdvDateTimePicker::SetLabelAlwaysEnabled(bool Value) {
    FLabelAlwaysEnabled = Value;
    if (Value && FLabel) FLabel->SetEnabled(true);
    Invalidate();
}

void TAdvDateTimePicker::LabelFontChanged(TObject*) {
    if (FLabel) UpdateLabel();
    if (designing() && !loading()) SetParentFont(false);
    if (!FLblUpdate) FLblFntHeight = FLabelFont->Height();
}

void TAdvDateTimePicker::setLabelBold(bool Bold) {
    if (!FLabel) return;
    TFontStyles Style = FLabel->Font()->Style();
    Style = Bold ? Style + TFontStyles{fsBold} : Style - TFontStyles{fsBold};
    FLabel->Font()->SetStyle(Style);
}

void TAdvDateTimePicker::UpdateLabel() {
    if (!FLabel || !FLabel->Parent()) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FParentFnt ? Font() : FLabelFont.get());
    if (FFocusLabel) setLabelBold(Focused());
    if (FLabel->Parent()->HandleAllocated()) UpdateLabelPos();
    FLabel->Invalidate();
}

void TAdvDateTimePicker::UpdateLabelPos() {
    if (!FLabel) return;
    TBitmap Surface(1, 1);
    Surface.Canvas()->Font()->Assign(FLabel->Font());
    TRect R = Rect(0, 0, 1000, 255);
    DrawText(Surface.Canvas()->Handle(), FLabel->Caption(), -1, R, DT_CALCRECT | DT_HIDEPREFIX);
    const int L = Left(), T = Top(), W = Width(), H = Height(), M = FLabelMargin;
    const int LW = FLabel->Width(), LH = FLabel->Height();
    const int A = BorderStyle() == bsSingle ? 2 : 0;
    const int VCentre = LH < H ? T + (H - A - LH) / 2 : T - (A + LH - H) / 2;
    const int HCentre = W > LW ? L + (W - LW) / 2 : L - (LW - W) / 2;
    const TPoint P =
        LabelPlace(FLabelPosition, Rect(L, T, L + W, T + H), TSize{LW, LH}, R.Width(), M, VCentre, HCentre);
    FLabel->SetBounds(P.X, P.Y, LW, LH);
    FLabel->SetVisible(Visible());
}

void TAdvDateTimePicker::SetParent(TWinControl* AParent) {
    TCustomDateTimePicker::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
}

void TAdvDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FLabel) {
        const TAlign A = Align();
        const bool Across = A == alTop || A == alBottom || A == alClient;
        switch (FLabelPosition) {
            case lpLeftTop:
            case lpLeftCenter:
            case lpLeftBottom:
                if (Across) ALeft += FLabel->Width() + FLabelMargin, AWidth -= FLabel->Width() + FLabelMargin;
                break;
            case lpTopLeft:
            case lpTopCenter:
            case lpTopRight:
                if (A == alTop || A == alLeft || A == alRight || A == alClient) ATop += FLabel->Height();
                break;
            case lpRightTop:
            case lpRightCenter:
            case lpRighBottom:
                if (Across) AWidth -= FLabel->Width() + FLabelMargin;
                break;
            default:
                break;
        }
    }
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
}
