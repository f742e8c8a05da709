// The month calendar the date-time picker drops down. Weeks start on Monday and are numbered as
// ISO 8601 does (the week holding the year's first Thursday is week 1).
#include "framework/ui/DateTimePicker.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <cmath>

namespace {

// 0 = Monday ... 6 = Sunday.
int mondayIndex(TDateTime Day) { return (DayOfWeek(Day) + 5) % 7; }

int isoWeek(TDateTime Day) {
    const TDateTime Thursday = std::trunc(Day) - mondayIndex(Day) + 3;
    Word Y, M, D;
    DecodeDate(Thursday, Y, M, D);
    return int((Thursday - EncodeDate(Y, 1, 1)) / 7) + 1;
}

}  // namespace

TMonthCalendarView::TMonthCalendarView(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clWindow);
    SetTabStop(true);
    SetDate(::Date());
}

void TMonthCalendarView::SetDate(TDateTime Value) {
    FDate = clamped(std::trunc(Value));
    Word D;
    DecodeDate(FDate, FYear, FMonth, D);
    Invalidate();
}

TDateTime TMonthCalendarView::clamped(TDateTime Day) const {
    if (FMinDate != 0 && Day < std::trunc(FMinDate)) Day = std::trunc(FMinDate);
    if (FMaxDate != 0 && Day > std::trunc(FMaxDate)) Day = std::trunc(FMaxDate);
    return Day;
}

void TMonthCalendarView::SetWeekNumbers(bool Value) {
    FWeekNumbers = Value;
    Invalidate();
}

void TMonthCalendarView::SetShowToday(bool Value) {
    FShowToday = Value;
    Invalidate();
}

void TMonthCalendarView::SetShowTodayCircle(bool Value) {
    FShowTodayCircle = Value;
    Invalidate();
}

void TMonthCalendarView::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (FWeekNumbers) Params.Style |= MCS_WEEKNUMBERS;
    if (!FShowToday) Params.Style |= MCS_NOTODAY;
    if (!FShowTodayCircle) Params.Style |= MCS_NOTODAYCIRCLE;
}

void TMonthCalendarView::ShowMonth(Word Year, Word Month) {
    FYear = Year;
    FMonth = Month;
    Invalidate();
}

TMonthCalendarView::TLayout TMonthCalendarView::layout() {
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    TLayout L{};
    L.CellW = std::max(C->TextWidth(QStringLiteral("00")), C->TextWidth(QStringLiteral("Mo"))) + 10;
    L.CellH = C->TextHeight(QStringLiteral("0")) + 4;
    L.Header = L.CellH + 8;
    L.Left = 4 + (FWeekNumbers ? L.CellW : 0);
    L.Top = L.Header + L.CellH + 2;
    L.Footer = FShowToday ? L.CellH + 6 : 0;
    return L;
}

TSize TMonthCalendarView::MinimumSize() {
    const TLayout L = layout();
    return TSize{L.Left + 7 * L.CellW + 4, L.Top + 6 * L.CellH + L.Footer + 4};
}

TDateTime TMonthCalendarView::FirstVisibleDay() const {
    const TDateTime First = EncodeDate(FYear, FMonth, 1);
    return First - mondayIndex(First);
}

TRect TMonthCalendarView::DayRect(TDateTime Day) {
    const TLayout L = layout();
    const int Index = int(std::trunc(Day) - FirstVisibleDay());
    if (Index < 0 || Index >= 42) return Rect(0, 0, 0, 0);
    const int X = L.Left + (Index % 7) * L.CellW, Y = L.Top + (Index / 7) * L.CellH;
    return Rect(X, Y, X + L.CellW, Y + L.CellH);
}

TDateTime TMonthCalendarView::DayAt(int X, int Y) {
    const TLayout L = layout();
    if (X < L.Left || X >= L.Left + 7 * L.CellW || Y < L.Top || Y >= L.Top + 6 * L.CellH) return 0;
    return FirstVisibleDay() + ((Y - L.Top) / L.CellH) * 7 + (X - L.Left) / L.CellW;
}

void TMonthCalendarView::Paint() {
    TCanvas* C = Canvas();
    const TLayout L = layout();
    const int W = Width();
    C->Brush()->SetColor(Color());
    C->FillRect(Rect(0, 0, W, Height()));
    C->Pen()->SetColor(clBtnShadow);
    C->Rectangle(Rect(0, 0, W, Height()));

    // Header: the month and year between the two arrows.
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(1, 1, W - 1, L.Header - 2));
    C->Font()->SetColor(clWindowText);
    C->Font()->SetStyle({fsBold});
    const String Title = FormatSettings.LongMonthNames[FMonth] + u' ' + QString::number(FYear);
    C->Brush()->SetStyle(bsClear);
    C->TextOut((W - C->TextWidth(Title)) / 2, (L.Header - C->TextHeight(Title)) / 2, Title);
    C->Font()->SetStyle({});
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindowText);
    C->Pen()->SetColor(clWindowText);
    const int MidY = L.Header / 2;
    C->Polygon({Point(8, MidY), Point(13, MidY - 5), Point(13, MidY + 5)});
    C->Polygon({Point(W - 9, MidY), Point(W - 14, MidY - 5), Point(W - 14, MidY + 5)});

    // Day names, Monday first.
    C->Brush()->SetStyle(bsClear);
    for (int I = 0; I < 7; ++I) {
        const String Name = FormatSettings.ShortDayNames[(I + 1) % 7 + 1].left(2);
        const int X = L.Left + I * L.CellW + (L.CellW - C->TextWidth(Name)) / 2;
        C->TextOut(X, L.Header, Name);
    }
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(L.Left, L.Top - 2);
    C->LineTo(L.Left + 7 * L.CellW, L.Top - 2);

    const TDateTime First = FirstVisibleDay();
    const TDateTime Today = std::trunc(::Date());
    for (int Week = 0; Week < 6; ++Week) {
        const int Y = L.Top + Week * L.CellH;
        if (FWeekNumbers) {
            const String N = QString::number(isoWeek(First + Week * 7));
            C->Font()->SetColor(clGrayText);
            C->TextOut(4 + L.CellW - 4 - C->TextWidth(N), Y + 2, N);
        }
        for (int I = 0; I < 7; ++I) {
            const TDateTime Day = First + Week * 7 + I;
            Word DY, DM, DD;
            DecodeDate(Day, DY, DM, DD);
            const TRect R = Rect(L.Left + I * L.CellW, Y, L.Left + (I + 1) * L.CellW, Y + L.CellH);
            const bool Selected = Day == FDate;
            if (Selected) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(clHighlight);
                C->FillRect(R);
                C->Brush()->SetStyle(bsClear);
            }
            const bool Outside =
                (FMinDate != 0 && Day < std::trunc(FMinDate)) || (FMaxDate != 0 && Day > std::trunc(FMaxDate));
            C->Font()->SetColor(Selected ? clHighlightText : DM != FMonth || Outside ? clGrayText : clWindowText);
            const String Text = QString::number(DD);
            C->TextOut(R.Right - 5 - C->TextWidth(Text), Y + 2, Text);
            if (FShowTodayCircle && Day == Today) {
                C->Pen()->SetColor(clRed);
                C->Rectangle(R);
            }
        }
    }
    if (FWeekNumbers) {
        C->Pen()->SetColor(clBtnShadow);
        C->MoveTo(L.Left - 2, L.Top);
        C->LineTo(L.Left - 2, L.Top + 6 * L.CellH);
    }
    if (FShowToday) {
        const int Y = L.Top + 6 * L.CellH + 3;
        if (FShowTodayCircle) {
            C->Pen()->SetColor(clRed);
            C->Rectangle(Rect(L.Left, Y + 2, L.Left + 16, Y + L.CellH - 2));
        }
        C->Font()->SetColor(clWindowText);
        C->Font()->SetStyle({fsBold});
        C->TextOut(L.Left + 22, Y + 1, QStringLiteral("Today: ") + DateToStr(Today));
        C->Font()->SetStyle({});
    }
    C->Brush()->SetStyle(bsSolid);
}

void TMonthCalendarView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TMonthCalendarView> Alive(this);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!Alive || Button != mbLeft) return;
    const TLayout L = layout();
    if (Y < L.Header) {
        const int Step = X < Width() / 3 ? -1 : X > Width() * 2 / 3 ? 1 : 0;
        if (Step == 0) return;
        const TDateTime Moved = IncMonth(EncodeDate(FYear, FMonth, 1), Step);
        Word D;
        DecodeDate(Moved, FYear, FMonth, D);
        Invalidate();
        return;
    }
    TDateTime Day = 0;
    if (FShowToday && Y >= L.Top + 6 * L.CellH)
        Day = std::trunc(::Date());
    else
        Day = DayAt(X, Y);
    if (Day == 0) return;
    if ((FMinDate != 0 && Day < std::trunc(FMinDate)) || (FMaxDate != 0 && Day > std::trunc(FMaxDate))) return;
    FDate = Day;
    if (OnPick) OnPick(this, Day);
}

void TMonthCalendarView::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    TDateTime Next = FDate;
    switch (Key) {
        case VK_LEFT:
            Next -= 1;
            break;
        case VK_RIGHT:
            Next += 1;
            break;
        case VK_UP:
            Next -= 7;
            break;
        case VK_DOWN:
            Next += 7;
            break;
        case VK_PRIOR:
            Next = IncMonth(FDate, -1);
            break;
        case VK_NEXT:
            Next = IncMonth(FDate, 1);
            break;
        case VK_RETURN:
            Key = 0;
            if (OnPick) OnPick(this, FDate);
            return;
        case VK_ESCAPE:
            Key = 0;
            if (OnCancel) FireEvent(OnCancel, this);
            return;
        default:
            return;
    }
    Key = 0;
    SetDate(Next);
}

void TMonthCalendarView::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
            break;
        case WM_STYLECHANGED:
            WMStyleChanged(Message);
            break;
        case MCM_GETMINREQRECT:
            MCMGetMinReqRect(Message);
            break;
        default:
            TCustomControl::Dispatch(Message);
    }
}

void TMonthCalendarView::WMStyleChanged(TMessage& Message) {
    const auto* Style = reinterpret_cast<const TStyleStruct*>(Message.LParam);
    if (Message.WParam != WPARAM(GWL_STYLE) || !Style) return;
    SetWeekNumbers(Style->styleNew & MCS_WEEKNUMBERS);
    SetShowToday(!(Style->styleNew & MCS_NOTODAY));
    SetShowTodayCircle(!(Style->styleNew & MCS_NOTODAYCIRCLE));
}

void TMonthCalendarView::MCMGetMinReqRect(TMessage& Message) {
    auto* R = reinterpret_cast<TRect*>(Message.LParam);
    if (!R) return;
    const TSize Size = MinimumSize();
    *R = Rect(0, 0, Size.cx, Size.cy);
    Message.Result = 1;
}
