#include "framework/ui/DateTimePicker.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/PlatformFacts.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// System times

TSystemTime DateTimeToSystemTime(TDateTime Value) {
    TSystemTime S;
    DecodeDate(Value, S.wYear, S.wMonth, S.wDay);
    DecodeTime(Value, S.wHour, S.wMinute, S.wSecond, S.wMilliseconds);
    S.wDayOfWeek = Word(DayOfWeek(Value) - 1);
    return S;
}

TDateTime SystemTimeToDateTime(const TSystemTime& S) {
    const TDateTime Day = EncodeDate(S.wYear, S.wMonth, S.wDay);
    const TDateTime Time = EncodeTime(S.wHour, S.wMinute, S.wSecond, S.wMilliseconds);
    return Day >= 0 ? Day + Time : Day - Time;
}

// ---------------------------------------------------------------------------------------------
// Picture formats

namespace {

struct TPictureCode {
    Char Letter;
    int MinWidth;
    TDTField Field;
};

// The picture letters by the widths that change their meaning.
constexpr TPictureCode kPictureCodes[] = {
    {u'd', 3, TDTField::DayName}, {u'd', 1, TDTField::Day},    {u'M', 3, TDTField::MonthName},
    {u'M', 1, TDTField::Month},   {u'y', 1, TDTField::Year},   {u'h', 1, TDTField::Hour12},
    {u'H', 1, TDTField::Hour24},  {u'm', 1, TDTField::Minute}, {u's', 1, TDTField::Second},
    {u't', 1, TDTField::AmPm},
};

void addLiteral(std::vector<TDTSection>& Out, const String& Text) {
    if (Text.isEmpty()) return;
    if (!Out.empty() && Out.back().Field == TDTField::Literal)
        Out.back().Text += Text;
    else
        Out.push_back({TDTField::Literal, 0, Text});
}

bool isNumeric(TDTField F) {
    return F == TDTField::Day || F == TDTField::Month || F == TDTField::Year || F == TDTField::Hour12 ||
           F == TDTField::Hour24 || F == TDTField::Minute || F == TDTField::Second;
}

bool isEditable(TDTField F) { return isNumeric(F) || F == TDTField::MonthName || F == TDTField::AmPm; }

String twoDigits(int V) { return QStringLiteral("%1").arg(V, 2, 10, QLatin1Char('0')); }

}  // namespace

std::vector<TDTSection> ParseDateTimeFormat(const String& Picture) {
    std::vector<TDTSection> Out;
    int I = 0;
    const int N = int(Picture.size());
    while (I < N) {
        const Char C = Picture[I];
        if (C == u'\'') {
            String Text;
            ++I;
            while (I < N) {
                if (Picture[I] == u'\'') {
                    if (I + 1 < N && Picture[I + 1] == u'\'') {
                        Text += u'\'';
                        I += 2;
                        continue;
                    }
                    ++I;
                    break;
                }
                Text += Picture[I++];
            }
            addLiteral(Out, Text.isEmpty() ? String() : Text);
            continue;
        }
        int Run = 1;
        while (I + Run < N && Picture[I + Run] == C) ++Run;
        const TPictureCode* Code = nullptr;
        for (const TPictureCode& P : kPictureCodes)
            if (P.Letter == C && Run >= P.MinWidth) {
                Code = &P;
                break;
            }
        if (Code)
            Out.push_back({Code->Field, Run, String()});
        else
            addLiteral(Out, Picture.mid(I, Run));
        I += Run;
    }
    return Out;
}

String PictureOfFormat(const String& Format, Char DateSeparator, Char TimeSeparator) {
    const String Lower = Format.toLower();
    const bool TwelveHours = Lower.contains(QStringLiteral("am/pm")) || Lower.contains(QStringLiteral("a/p")) ||
                             Lower.contains(QStringLiteral("ampm"));
    String Out;
    bool AfterHour = false;
    int I = 0;
    const int N = int(Format.size());
    while (I < N) {
        const Char C = Lower[I];
        if (Format[I] == u'"' || Format[I] == u'\'') {
            const Char Quote = Format[I];
            const int End = Format.indexOf(Quote, I + 1);
            const String Text = Format.mid(I + 1, End < 0 ? -1 : End - I - 1);
            Out += u'\'' + String(Text).replace(QStringLiteral("'"), QStringLiteral("''")) + u'\'';
            I = End < 0 ? N : End + 1;
            continue;
        }
        if (Lower.mid(I, 5) == QStringLiteral("am/pm") || Lower.mid(I, 4) == QStringLiteral("ampm")) {
            Out += QStringLiteral("tt");
            I += Lower.mid(I, 5) == QStringLiteral("am/pm") ? 5 : 4;
            continue;
        }
        if (Lower.mid(I, 3) == QStringLiteral("a/p")) {
            Out += u't';
            I += 3;
            continue;
        }
        int Run = 1;
        while (I + Run < N && Lower[I + Run] == C) ++Run;
        switch (C.unicode()) {
            case u'd':
            case u'y':
            case u's':
                Out += String(Run, C);
                break;
            case u'm':
                // Right after an hour, "m" is the minute.
                Out += AfterHour && Run <= 2 ? String(Run, u'm') : String(Run, u'M');
                break;
            case u'n':
                Out += String(std::min(Run, 2), u'm');
                break;
            case u'h':
                Out += String(std::min(Run, 2), TwelveHours ? u'h' : u'H');
                break;
            case u'z':
                break;
            case u'/':
                Out += DateSeparator;
                break;
            case u':':
                Out += TimeSeparator;
                break;
            default:
                if (C.isLetter())
                    Out += u'\'' + Format.mid(I, Run) + u'\'';
                else
                    Out += Format.mid(I, Run);
                break;
        }
        if (C == u'h')
            AfterHour = true;
        else if (C.isLetter())
            AfterHour = false;
        I += Run;
    }
    return Out;
}

String FormatSection(const TDTSection& S, TDateTime Value) {
    Word Y, M, D, H, N, Sec, MS;
    DecodeDate(Value, Y, M, D);
    DecodeTime(Value, H, N, Sec, MS);
    auto number = [&](int V) { return S.Width >= 2 ? twoDigits(V) : QString::number(V); };
    switch (S.Field) {
        case TDTField::Literal:
            return S.Text;
        case TDTField::Day:
            return number(D);
        case TDTField::DayName:
            return S.Width == 3 ? FormatSettings.ShortDayNames[DayOfWeek(Value)]
                                : FormatSettings.LongDayNames[DayOfWeek(Value)];
        case TDTField::Month:
            return number(M);
        case TDTField::MonthName:
            return S.Width == 3 ? FormatSettings.ShortMonthNames[M] : FormatSettings.LongMonthNames[M];
        case TDTField::Year:
            if (S.Width <= 2) return S.Width == 1 ? QString::number(Y % 10) : twoDigits(Y % 100);
            return QStringLiteral("%1").arg(Y, 4, 10, QLatin1Char('0'));
        case TDTField::Hour12:
            return number(H % 12 == 0 ? 12 : H % 12);
        case TDTField::Hour24:
            return number(H);
        case TDTField::Minute:
            return number(N);
        case TDTField::Second:
            return number(Sec);
        case TDTField::AmPm: {
            const String& Text = H < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
            return S.Width == 1 ? Text.left(1) : Text;
        }
    }
    return String();
}

// ---------------------------------------------------------------------------------------------
// TCommonCalendar

TCommonCalendar::TCommonCalendar(TComponent* AOwner) : TCustomControl(AOwner) {}

void TCommonCalendar::SetMinDate(TDateTime Value) {
    FMinDate = Value;
    FDateTime = clampToLimits(FDateTime);
    Invalidate();
}

void TCommonCalendar::SetMaxDate(TDateTime Value) {
    FMaxDate = Value;
    FDateTime = clampToLimits(FDateTime);
    Invalidate();
}

TDateTime TCommonCalendar::clampToLimits(TDateTime Value) const {
    if (FMinDate != 0 && Value < FMinDate) Value = FMinDate;
    if (FMaxDate != 0 && Value > FMaxDate) Value = FMaxDate;
    return Value;
}

// ---------------------------------------------------------------------------------------------
// TDateTimePicker: value and format

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCommonCalendar(AOwner) {
    SetBounds(Left(), Top(), 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
    FDateTime = ::Now();
    rebuildSections();
}

TDateTimePicker::~TDateTimePicker() = default;

// The calendar's window is an owned component: it goes first, without telling this picker.
void TDateTimePicker::BeforeDestruction() {
    if (FCalendarForm) FCalendarForm->OnDeactivate = nullptr;
    if (FCalendar) FCalendar->OnPick = nullptr, FCalendar->OnCancel = nullptr;
    FCalendarForm = nullptr;
    FCalendar = nullptr;
    TCommonCalendar::BeforeDestruction();
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    if (FKind == Value) return;
    if (DroppedDown()) closeCalendar(false);
    FKind = Value;
    rebuildSections();
    Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
    if (FDateMode == Value) return;
    FDateMode = Value;
    Invalidate();
}

void TDateTimePicker::SetDateTime(TDateTime Value) { MsgSetDateTime(DateTimeToSystemTime(Value)); }

TDateTime TDateTimePicker::Date() const { return std::trunc(FDateTime); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::trunc(Value) + Frac(FDateTime)); }

TDateTime TDateTimePicker::Time() const { return Frac(FDateTime); }

void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(std::trunc(FDateTime) + Frac(Value)); }

void TDateTimePicker::SetFormat(const String& Value) {
    if (FFormat == Value) return;
    FFormat = Value;
    rebuildSections();
    Invalidate();
}

void TDateTimePicker::SetCtl3D(bool Value) {
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED, 0, 0);
    Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
    if (FShowCheckbox == Value) return;
    FShowCheckbox = Value;
    if (!Value) FChecked = true;
    Invalidate();
}

void TDateTimePicker::SetChecked(bool Value) {
    if (FChecked == Value) return;
    if (!Value && !FShowCheckbox) return;
    if (Value) {
        MsgSetDateTime(DateTimeToSystemTime(FDateTime));
    } else {
        TSystemTime S = DateTimeToSystemTime(FDateTime);
        Perform(DTM_SETSYSTEMTIME, WPARAM(GDT_NONE), reinterpret_cast<LPARAM>(&S));
    }
}

void TDateTimePicker::MsgSetDateTime(const TSystemTime& Value) {
    TSystemTime S = Value;
    Perform(DTM_SETSYSTEMTIME, WPARAM(GDT_VALID), reinterpret_cast<LPARAM>(&S));
}

void TDateTimePicker::DTMSetSystemTime(TMessage& Message) {
    const int Flag = int(Message.WParam);
    Message.Result = 0;
    if (Flag == GDT_NONE) {
        if (!FShowCheckbox) return;
        FChecked = false;
    } else {
        const auto* S = reinterpret_cast<const TSystemTime*>(Message.LParam);
        if (!S) return;
        TDateTime Value;
        try {
            Value = SystemTimeToDateTime(*S);
        } catch (const EConvertError&) {
            return;
        }
        FDateTime = clampToLimits(Value);
        FChecked = true;
        if (FCalendar) FCalendar->SetDate(FDateTime);
    }
    FTyped = -1;
    Message.Result = 1;
    Invalidate();
}

void TDateTimePicker::DTMGetSystemTime(TMessage& Message) {
    if (auto* S = reinterpret_cast<TSystemTime*>(Message.LParam)) *S = DateTimeToSystemTime(FDateTime);
    Message.Result = FShowCheckbox && !FChecked ? GDT_NONE : GDT_VALID;
}

void TDateTimePicker::DTMGetMonthCal(TMessage& Message) {
    Message.Result = FCalendar ? reinterpret_cast<LRESULT>(FCalendar->Handle()) : 0;
}

void TDateTimePicker::Change() {
    if (OnChange) FireEvent(OnChange, this);
}

void TDateTimePicker::DoDateTimeChange(int) { Change(); }

void TDateTimePicker::DoUserString(const String& Text, TDateTime& Value, int& Flag) {
    bool Valid = TryStrToDateTime(Text, Value);
    if (OnUserInput) OnUserInput(this, Text, Value, Valid);
    Flag = Valid ? GDT_VALID : GDT_ERROR;
}

void TDateTimePicker::DoDropDown() {
    if (OnDropDown) FireEvent(OnDropDown, this);
}

void TDateTimePicker::DoCloseUp() {
    if (OnCloseUp) FireEvent(OnCloseUp, this);
}

void TDateTimePicker::SubmitUserString(const String& Text) {
    TDateTime Value = FDateTime;
    int Flag = GDT_ERROR;
    DoUserString(Text, Value, Flag);
    if (Flag == GDT_VALID) userChanged(Value);
}

// A change the user made: stored (within the limits), then told through the hook.
void TDateTimePicker::userChanged(TDateTime Value) {
    Value = clampToLimits(Value);
    const bool WasChecked = FChecked;
    if (Value == FDateTime && WasChecked) {
        Invalidate();
        return;
    }
    FDateTime = Value;
    FChecked = true;
    Invalidate();
    DoDateTimeChange(GDT_VALID);
}

// ---------------------------------------------------------------------------------------------
// Fields

void TDateTimePicker::rebuildSections() {
    String Picture = FFormat;
    if (Picture.isEmpty())
        Picture = PictureOfFormat(FKind == dtkDate ? FormatSettings.ShortDateFormat : FormatSettings.LongTimeFormat,
                                  FormatSettings.DateSeparator, FormatSettings.TimeSeparator);
    FSections = ParseDateTimeFormat(Picture);
    FTyped = -1;
    FActiveSection = firstEditable();
}

String TDateTimePicker::DisplayText() const {
    String Out;
    for (const TDTSection& S : FSections) Out += FormatSection(S, FDateTime);
    return Out;
}

int TDateTimePicker::firstEditable() const { return nextEditable(-1, 1); }

int TDateTimePicker::nextEditable(int From, int Step) const {
    for (int I = From + Step; I >= 0 && I < int(FSections.size()); I += Step)
        if (isEditable(FSections[I].Field)) return I;
    return -1;
}

void TDateTimePicker::SetActiveSection(int Index) {
    if (Index < 0 || Index >= int(FSections.size()) || !isEditable(FSections[Index].Field)) return;
    FTyped = -1;
    FActiveSection = Index;
    Invalidate();
}

void TDateTimePicker::setFieldValue(TDTField Field, int V) {
    Word Y, M, D, H, N, S, MS;
    DecodeDate(FDateTime, Y, M, D);
    DecodeTime(FDateTime, H, N, S, MS);
    switch (Field) {
        case TDTField::Day:
            D = Word(V);
            break;
        case TDTField::Month:
        case TDTField::MonthName:
            M = Word(V);
            break;
        case TDTField::Year:
            Y = Word(V);
            break;
        case TDTField::Hour12:
        case TDTField::Hour24:
            H = Word(V);
            break;
        case TDTField::Minute:
            N = Word(V);
            break;
        case TDTField::Second:
            S = Word(V);
            break;
        case TDTField::AmPm:
            H = Word(V);
            break;
        default:
            return;
    }
    D = std::min(D, DaysInAMonth(Y, M));
    userChanged(EncodeDate(Y, M, D) + EncodeTime(H, N, S, MS));
}

void TDateTimePicker::stepField(int Delta) {
    if (FActiveSection < 0) return;
    FTyped = -1;
    const TDTField Field = FSections[FActiveSection].Field;
    Word Y, M, D, H, N, S, MS;
    DecodeDate(FDateTime, Y, M, D);
    DecodeTime(FDateTime, H, N, S, MS);
    auto wrap = [](int V, int Lo, int Hi) { return Lo + ((V - Lo) % (Hi - Lo + 1) + (Hi - Lo + 1)) % (Hi - Lo + 1); };
    switch (Field) {
        case TDTField::Day:
            setFieldValue(Field, wrap(D + Delta, 1, DaysInAMonth(Y, M)));
            break;
        case TDTField::Month:
        case TDTField::MonthName:
            setFieldValue(Field, wrap(M + Delta, 1, 12));
            break;
        case TDTField::Year:
            setFieldValue(Field, std::clamp(Y + Delta, 1, 9999));
            break;
        case TDTField::Hour12:
            setFieldValue(Field, (H / 12) * 12 + wrap(H % 12 + Delta, 0, 11));
            break;
        case TDTField::Hour24:
            setFieldValue(Field, wrap(H + Delta, 0, 23));
            break;
        case TDTField::Minute:
            setFieldValue(Field, wrap(N + Delta, 0, 59));
            break;
        case TDTField::Second:
            setFieldValue(Field, wrap(S + Delta, 0, 59));
            break;
        case TDTField::AmPm:
            setFieldValue(Field, (H + 12) % 24);
            break;
        default:
            break;
    }
}

// Digits fill the active field; it takes its value once no further digit could follow (two
// digits, four for a year, or a first digit too large to start a two-digit value).
void TDateTimePicker::typeDigit(int Digit) {
    if (FActiveSection < 0) return;
    const TDTField Field = FSections[FActiveSection].Field;
    if (!isNumeric(Field)) return;
    int Max = 59, Digits = 2, Min = 0;
    switch (Field) {
        case TDTField::Day: {
            Word Y, M, D;
            DecodeDate(FDateTime, Y, M, D);
            Max = DaysInAMonth(Y, M), Min = 1;
            break;
        }
        case TDTField::Month:
            Max = 12, Min = 1;
            break;
        case TDTField::Year:
            Max = 9999, Digits = 4, Min = 1;
            break;
        case TDTField::Hour12:
            Max = 12, Min = 1;
            break;
        case TDTField::Hour24:
            Max = 23;
            break;
        default:
            break;
    }
    int Value = FTyped >= 0 ? FTyped * 10 + Digit : Digit;
    int Count = FTyped >= 0 ? (FTyped == 0 ? 2 : int(QString::number(FTyped).size()) + 1) : 1;
    if (Value > Max) Value = Digit, Count = 1;
    const bool Complete = Count >= Digits || Value * 10 > Max;
    if (!Complete) {
        FTyped = Value;
        Invalidate();
        return;
    }
    FTyped = -1;
    if (Value < Min) {
        Invalidate();
        return;
    }
    if (Field == TDTField::Hour12) {
        Word H, N, S, MS;
        DecodeTime(FDateTime, H, N, S, MS);
        Value = (H >= 12 ? 12 : 0) + Value % 12;
    }
    setFieldValue(Field, Value);
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

// The control's own work on a key, after KeyDown and OnKeyDown left it alone.
void TDateTimePicker::handleKey(Word Key, TShiftState Shift) {
    const bool Alt = Shift.Contains(ssAlt);
    switch (Key) {
        case VK_LEFT:
        case VK_RIGHT: {
            const int Next = nextEditable(FActiveSection, Key == VK_RIGHT ? 1 : -1);
            if (Next >= 0) SetActiveSection(Next);
            break;
        }
        case VK_UP:
        case VK_DOWN:
            if (Alt && Key == VK_DOWN && FKind == dtkDate && FDateMode == dmComboBox) {
                SetDroppedDown(true);
            } else if (!Alt) {
                stepField(Key == VK_UP ? 1 : -1);
            }
            break;
        case VK_F4:
            if (FKind == dtkDate && FDateMode == dmComboBox) SetDroppedDown(!DroppedDown());
            break;
        case VK_SPACE:
            if (FShowCheckbox) {
                const bool Now = !FChecked;
                if (Now) {
                    userChanged(FDateTime);
                } else {
                    SetChecked(false);
                    DoDateTimeChange(GDT_NONE);
                }
            }
            break;
        default:
            break;
    }
}

void TDateTimePicker::handleChar(Char Key) {
    if (Key >= u'0' && Key <= u'9') {
        typeDigit(Key.unicode() - u'0');
    } else if (FActiveSection >= 0 && FSections[FActiveSection].Field == TDTField::AmPm) {
        const Char L = Key.toLower();
        Word H, N, S, MS;
        DecodeTime(FDateTime, H, N, S, MS);
        if (String(L) == FormatSettings.TimeAMString.left(1).toLower() && H >= 12)
            setFieldValue(TDTField::AmPm, H - 12);
        if (String(L) == FormatSettings.TimePMString.left(1).toLower() && H < 12) setFieldValue(TDTField::AmPm, H + 12);
    }
}

int TDateTimePicker::ButtonWidth() const { return GetSystemMetrics(SM_CXVSCROLL); }

TRect TDateTimePicker::CheckboxRect() const {
    const int Top = (Height() - 13) / 2;
    return Rect(4, Top, 17, Top + 13);
}

int TDateTimePicker::textLeft() const { return FShowCheckbox ? 22 : 4; }

TRect TDateTimePicker::SectionRect(int Index) {
    if (Index < 0 || Index >= int(FSections.size())) return Rect(0, 0, 0, 0);
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    int X = textLeft();
    for (int I = 0; I < Index; ++I) X += C->TextWidth(FormatSection(FSections[I], FDateTime));
    const int W = C->TextWidth(FormatSection(FSections[Index], FDateTime));
    return Rect(X, 2, X + W, Height() - 2);
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TDateTimePicker> Alive(this);
    if (CanFocus() && !Focused()) SetFocus();
    if (!Alive) return;
    TCommonCalendar::MouseDown(Button, Shift, X, Y);
    if (!Alive || Button != mbLeft) return;
    if (X >= Width() - 2 - ButtonWidth()) {
        if (FKind == dtkDate && FDateMode == dmComboBox)
            SetDroppedDown(!DroppedDown());
        else
            stepField(Y < Height() / 2 ? 1 : -1);
        return;
    }
    if (FShowCheckbox && PtInRect(CheckboxRect(), Point(X, Y))) {
        handleKey(VK_SPACE, TShiftState());
        return;
    }
    if (X < textLeft()) {
        SetActiveSection(firstEditable());
        return;
    }
    for (int I = 0; I < int(FSections.size()); ++I) {
        const TRect R = SectionRect(I);
        if (X >= R.Left && X < R.Right && isEditable(FSections[I].Field)) {
            SetActiveSection(I);
            return;
        }
    }
}

void TDateTimePicker::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case DTM_SETSYSTEMTIME:
            DTMSetSystemTime(Message);
            break;
        case DTM_GETSYSTEMTIME:
            DTMGetSystemTime(Message);
            break;
        case DTM_GETMONTHCAL:
            DTMGetMonthCal(Message);
            break;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            break;
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case WM_KILLFOCUS:
            // A field left half typed keeps the value it had.
            FTyped = -1;
            TCommonCalendar::Dispatch(Message);
            Invalidate();
            break;
        case WM_SETFOCUS:
            TCommonCalendar::Dispatch(Message);
            Invalidate();
            break;
        default:
            TCommonCalendar::Dispatch(Message);
            break;
    }
}

// What the control does with the keys its hooks passed on.
void TDateTimePicker::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            handleKey(Word(Message.WParam), KeyDataToShiftState(Message.LParam));
            Message.Result = 0;
            break;
        case WM_CHAR:
            handleChar(Char(char16_t(Message.WParam)));
            Message.Result = 0;
            break;
        default:
            TCommonCalendar::DefaultHandler(Message);
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TDateTimePicker::Paint() {
    TCanvas* C = Canvas();
    const int W = Width(), H = Height();
    C->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    C->FillRect(Rect(0, 0, W, H));
    if (FShowCheckbox) {
        TRect Box = CheckboxRect();
        DrawFrameControl(C->Handle(), &Box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (FChecked ? DFCS_CHECKED : 0));
    }
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    const bool Grey = !Enabled() || !FChecked;
    const bool Focus = Focused();
    int X = textLeft();
    const int TextTop = (H - C->TextHeight(QStringLiteral("0"))) / 2;
    for (int I = 0; I < int(FSections.size()); ++I) {
        String Text = FormatSection(FSections[I], FDateTime);
        if (I == FActiveSection && FTyped >= 0) Text = QString::number(FTyped);
        const int TW = C->TextWidth(Text);
        if (I == FActiveSection && Focus && !Grey) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clHighlight);
            C->FillRect(Rect(X, TextTop, X + TW, TextTop + C->TextHeight(Text)));
            C->Brush()->SetStyle(bsClear);
            C->Font()->SetColor(clHighlightText);
        } else {
            C->Font()->SetColor(Grey ? clGrayText : Font()->Color());
        }
        C->TextOut(X, TextTop, Text);
        X += TW;
    }
    C->Brush()->SetStyle(bsSolid);
    const int BW = ButtonWidth();
    if (FKind == dtkDate && FDateMode == dmComboBox) {
        TRect B = Rect(W - 2 - BW, 2, W - 2, H - 2);
        DrawFrameControl(C->Handle(), &B, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (Enabled() ? 0 : DFCS_INACTIVE) | (DroppedDown() ? DFCS_PUSHED : 0));
    } else {
        TRect Up = Rect(W - 2 - BW, 2, W - 2, H / 2);
        TRect Down = Rect(W - 2 - BW, H / 2, W - 2, H - 2);
        const UINT State = Enabled() ? 0 : DFCS_INACTIVE;
        DrawFrameControl(C->Handle(), &Up, DFC_SCROLL, DFCS_SCROLLUP | State);
        DrawFrameControl(C->Handle(), &Down, DFC_SCROLL, DFCS_SCROLLDOWN | State);
    }
}

void TDateTimePicker::PaintWindow(HDC DC) {
    TCommonCalendar::PaintWindow(DC);
    Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(DC), 0);
}

void TDateTimePicker::WMNCPaint(TMessage& Message) {
    auto DC = reinterpret_cast<HDC>(Message.WParam);
    if (!DC) return;
    TRect R = Rect(0, 0, Width(), Height());
    if (FCtl3D) {
        DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT);
    } else {
        TCanvas C;
        C.SetHandle(DC);
        C.Brush()->SetColor(clWindowFrame);
        C.FrameRect(R);
        C.SetHandle(nullptr);
    }
    Message.Result = 0;
}

// ---------------------------------------------------------------------------------------------
// The calendar

void TDateTimePicker::SetDroppedDown(bool Value) {
    if (Value == DroppedDown()) return;
    if (Value)
        openCalendar();
    else
        closeCalendar(false);
}

void TDateTimePicker::openCalendar() {
    if (FKind != dtkDate) return;
    FCalendarForm = new TForm(this);
    FCalendarForm->SetBorderStyle(bsNone);
    FCalendarForm->SetFormStyle(fsStayOnTop);
    FCalendar = new TMonthCalendarView(FCalendarForm);
    FCalendar->SetParent(FCalendarForm);
    FCalendar->Font()->Assign(Font());
    FCalendar->SetMinDate(FMinDate);
    FCalendar->SetMaxDate(FMaxDate);
    FCalendar->SetWeekNumbers(FWeekNumbers);
    FCalendar->SetShowToday(FShowToday);
    FCalendar->SetShowTodayCircle(FShowTodayCircle);
    FCalendar->SetDate(FDateTime);
    const TSize Size = FCalendar->MinimumSize();
    FCalendar->SetBounds(0, 0, Size.cx, Size.cy);
    const TPoint At = ClientToScreen(Point(0, Height()));
    FCalendarForm->SetBounds(At.X, At.Y, Size.cx, Size.cy);
    // The popup holds the calendar whole when its owner sizes it on drop-down.
    FCalendar->OnResize = [Form = FCalendarForm](TObject* Sender) {
        auto* C = static_cast<TControl*>(Sender);
        Form->SetClientWidth(C->Left() + C->Width());
        Form->SetClientHeight(C->Top() + C->Height());
    };
    FCalendar->OnPick = [this](TObject*, TDateTime Day) {
        closeCalendar(false);
        userChanged(std::trunc(Day) + Frac(FDateTime));
    };
    FCalendar->OnCancel = [this](TObject*) { closeCalendar(false); };
    FCalendarForm->OnDeactivate = [this](TObject*) { closeCalendar(false); };
    FCalendarForm->Show();
    if (FCalendar && FCalendar->CanFocus()) FCalendar->SetFocus();
    Invalidate();
    DoDropDown();
}

// The form goes later: this may run inside one of its own handlers.
void TDateTimePicker::closeCalendar(bool) {
    if (!FCalendarForm) return;
    TForm* Form = FCalendarForm;
    FCalendarForm = nullptr;
    FCalendar = nullptr;
    Form->OnDeactivate = nullptr;
    Form->Hide();
    Form->Release();
    Invalidate();
    DoCloseUp();
}
