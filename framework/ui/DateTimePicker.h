// The date-time picker: a one-line control that shows a date or a time in fields (sections) laid
// out by a picture format ("dd/MM/yyyy", "HH:mm:ss", "tt"), edits the active field with the arrow
// keys and digits, moves between fields with Left and Right, and for dates drops down a month
// calendar (F4, Alt+Down or its button). An optional check box says whether there is a value at
// all. What the platform's control tells its owner arrives through overridable hooks named after
// its notifications, so subclasses extend them as they would the messages; DTM_SETSYSTEMTIME and
// DTM_GETSYSTEMTIME work as messages too.
#pragma once

#include "framework/rtl/Types.h"
#include "framework/ui/Controls.h"

#include <functional>
#include <memory>
#include <vector>

class TForm;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// DTM_SETSYSTEMTIME's WParam and the hooks' flags.
inline constexpr int GDT_ERROR = -1;
inline constexpr int GDT_VALID = 0;
inline constexpr int GDT_NONE = 1;
inline constexpr UINT DTM_GETSYSTEMTIME = 0x1001;  // LParam: TSystemTime*; result GDT_VALID or GDT_NONE
inline constexpr UINT DTM_SETSYSTEMTIME = 0x1002;  // WParam: GDT_VALID or GDT_NONE; LParam: TSystemTime*
inline constexpr UINT DTM_GETMONTHCAL = 0x1008;    // result: the dropped-down calendar's window, else 0

// The month calendar's window styles (GWL_STYLE) and its size query.
inline constexpr DWORD MCS_WEEKNUMBERS = 0x4;
inline constexpr DWORD MCS_NOTODAYCIRCLE = 0x8;
inline constexpr DWORD MCS_NOTODAY = 0x10;
inline constexpr UINT MCM_GETMINREQRECT = 0x1009;  // LParam: TRect*, filled from (0, 0); result TRUE

struct TSystemTime {
    Word wYear = 0;
    Word wMonth = 0;
    Word wDayOfWeek = 0;
    Word wDay = 0;
    Word wHour = 0;
    Word wMinute = 0;
    Word wSecond = 0;
    Word wMilliseconds = 0;
};
TSystemTime DateTimeToSystemTime(TDateTime Value);
TDateTime SystemTimeToDateTime(const TSystemTime& Value);

// A picture format's fields. Literal text sits between them.
enum class TDTField { Literal, Day, DayName, Month, MonthName, Year, Hour12, Hour24, Minute, Second, AmPm };
struct TDTSection {
    TDTField Field = TDTField::Literal;
    int Width = 0;  // letters of the picture code ("dd" is 2)
    String Text;    // a literal's text
};
// The platform's picture syntax read by a table of codes; quoted text is literal.
std::vector<TDTSection> ParseDateTimeFormat(const String& Picture);
// The run-time library's format codes ("dd/mm/yyyy", "hh:nn:ss ampm") as a picture.
String PictureOfFormat(const String& LibraryFormat, Char DateSeparator, Char TimeSeparator);
String FormatSection(const TDTSection& Section, TDateTime Value);

// The month grid of the drop-down: a header with the month and arrows, the day names, six weeks
// (with their numbers when asked) and the mark and line of today.
class TMonthCalendarView : public TCustomControl {
public:
    explicit TMonthCalendarView(TComponent* AOwner);

    TDateTime Date() const { return FDate; }
    void SetDate(TDateTime Value);
    TDateTime MinDate() const { return FMinDate; }  // 0: no limit
    void SetMinDate(TDateTime Value) { FMinDate = Value; }
    TDateTime MaxDate() const { return FMaxDate; }  // 0: no limit
    void SetMaxDate(TDateTime Value) { FMaxDate = Value; }
    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool Value);
    // The line of today under the weeks.
    bool ShowToday() const { return FShowToday; }  // default true
    void SetShowToday(bool Value);
    // The mark around today's day and before the line of today.
    bool ShowTodayCircle() const { return FShowTodayCircle; }  // default true
    void SetShowTodayCircle(bool Value);
    // The size that shows a whole month.
    TSize MinimumSize();
    // The first day shown in the grid and the month shown.
    TDateTime FirstVisibleDay() const;
    Word VisibleMonth() const { return FMonth; }
    Word VisibleYear() const { return FYear; }
    void ShowMonth(Word Year, Word Month);
    // The day at a point of the grid; 0 when none.
    TDateTime DayAt(int X, int Y);
    TRect DayRect(TDateTime Day);

    // A day was picked (click, Enter); Esc cancels.
    std::function<void(TObject* Sender, TDateTime Day)> OnPick;
    TNotifyEvent OnCancel;

protected:
    // The window style carries MCS_WEEKNUMBERS, MCS_NOTODAY and MCS_NOTODAYCIRCLE as set; a style
    // written with SetWindowLong sets the three properties.
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    void WMStyleChanged(TMessage& Message);
    void MCMGetMinReqRect(TMessage& Message);

private:
    TDateTime FDate = 0;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    Word FYear = 1899;
    Word FMonth = 12;

    struct TLayout {
        int CellW, CellH, Header, Left, Top, Footer;
    };
    TLayout layout();
    TDateTime clamped(TDateTime Day) const;
};

class TCommonCalendar : public TCustomControl {
public:
    explicit TCommonCalendar(TComponent* AOwner);

    // 0: no limit. A value outside the limits is clamped when written.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    // The month calendar's week numbers and today mark.
    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool Value) { FWeekNumbers = Value; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value) { FShowToday = Value; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }

protected:
    TDateTime FDateTime = 0;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;

    TDateTime clampToLimits(TDateTime Value) const;
};

// UserString: what the user typed; DateAndTime and AllowChange come in as the conversion gave
// them (AllowChange is whether it succeeded) and the handler may change both.
using TDTParseInputEvent =
    std::function<void(TObject* Sender, const String& UserString, TDateTime& DateAndTime, bool& AllowChange)>;

class TDateTimePicker : public TCommonCalendar {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;
    void BeforeDestruction() override;

    TDateTimeKind Kind() const { return FKind; }  // default dtkDate
    void SetKind(TDateTimeKind Value);
    // Combo box (with the calendar) or up-down arrows; a time always has the arrows.
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);
    // The whole day of the value; writing keeps the time of day.
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    // The time of day; writing keeps the day.
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    // A picture; empty: the locale's short date or long time.
    const String& Format() const { return FFormat; }
    void SetFormat(const String& Value);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    // Without the check the value stays but shows greyed.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    // Text typed as a whole (F2) is handed to the user-string hook.
    bool ParseInput() const { return FParseInput; }
    void SetParseInput(bool Value) { FParseInput = Value; }
    // A sunken 3-D edge; off, a one-pixel frame. Both are drawn by WM_NCPAINT after the client.
    bool Ctl3D() const { return FCtl3D; }  // default true
    void SetCtl3D(bool Value);
    bool DroppedDown() const { return FCalendarForm != nullptr; }
    // F4: opens or closes the calendar.
    void SetDroppedDown(bool Value);

    TNotifyEvent OnChange;
    TDTParseInputEvent OnUserInput;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // The text shown, field by field; the fields that take input, and the one that has it.
    String DisplayText() const;
    const std::vector<TDTSection>& Sections() const { return FSections; }
    int ActiveSection() const { return FActiveSection; }
    void SetActiveSection(int Index);
    TRect SectionRect(int Index);
    // The calendar while dropped down.
    TMonthCalendarView* Calendar() const { return FCalendar; }
    // What typing a whole text does: the user-string hook decides.
    void SubmitUserString(const String& Text);

protected:
    // Fires OnChange.
    virtual void Change();
    // DTN_DATETIMECHANGE: the user changed the value (GDT_VALID) or unchecked it (GDT_NONE).
    virtual void DoDateTimeChange(int Flag);
    // DTN_USERSTRING: the text converted, OnUserInput consulted; Flag GDT_VALID takes Value.
    virtual void DoUserString(const String& Text, TDateTime& Value, int& Flag);
    // DTN_DROPDOWN and DTN_CLOSEUP: the calendar opened or closed.
    virtual void DoDropDown();
    virtual void DoCloseUp();
    // Writes a value into the control through DTM_SETSYSTEMTIME (GDT_VALID).
    virtual void MsgSetDateTime(const TSystemTime& Value);

    void Paint() override;
    // The client, then WM_NCPAINT (WParam: the context) for the frame.
    void PaintWindow(HDC DC) override;
    void WMNCPaint(TMessage& Message);
    // The keys and characters KeyDown, KeyPress and their events passed on.
    void DefaultHandler(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void DTMSetSystemTime(TMessage& Message);
    void DTMGetSystemTime(TMessage& Message);
    void DTMGetMonthCal(TMessage& Message);

    // The width of the drop or up-down button at the right.
    int ButtonWidth() const;
    TRect CheckboxRect() const;

private:
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    String FFormat;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FParseInput = false;
    bool FCtl3D = true;
    std::vector<TDTSection> FSections;
    int FActiveSection = -1;
    int FTyped = -1;  // the digits typed into the active field so far, -1 when none
    TForm* FCalendarForm = nullptr;
    TMonthCalendarView* FCalendar = nullptr;

    void handleKey(Word Key, TShiftState Shift);
    void handleChar(Char Key);
    void rebuildSections();
    int firstEditable() const;
    int nextEditable(int From, int Step) const;
    void stepField(int Delta);
    void typeDigit(int Digit);
    void setFieldValue(TDTField Field, int Value);
    void userChanged(TDateTime Value);
    void openCalendar();
    void closeCalendar(bool Accept);
    int textLeft() const;
};
