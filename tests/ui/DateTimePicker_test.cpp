#include "framework/ui/DateTimePicker.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/ui/Forms.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string describe(const std::vector<TDTSection>& Sections) {
    static const char* Names[] = {"lit", "d", "ddd", "M", "MMM", "y", "h", "H", "m", "s", "t"};
    std::string Out;
    for (const TDTSection& S : Sections) {
        if (!Out.empty()) Out += ' ';
        Out += Names[int(S.Field)];
        Out += S.Field == TDTField::Literal ? "[" + S.Text.toStdString() + "]" : std::to_string(S.Width);
    }
    return Out;
}

TEST(DateTimeFormatTest, PicturesReadByTheTable) {
    const struct {
        const char* Picture;
        const char* Sections;
    } Cases[] = {
        {"dd/MM/yyyy", "d2 lit[/] M2 lit[/] y4"},
        {"HH:mm:ss", "H2 lit[:] m2 lit[:] s2"},
        {"h:mm tt", "h1 lit[:] m2 lit[ ] t2"},
        {"dddd d MMMM yy", "ddd4 lit[ ] d1 lit[ ] MMM4 lit[ ] y2"},
        {"'Day' d, 'o''clock' H", "lit[Day ] d1 lit[, o'clock ] H1"},  // literals run together
        {"", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(describe(ParseDateTimeFormat(QString::fromLatin1(C.Picture))), C.Sections) << C.Picture;
}

TEST(DateTimeFormatTest, LibraryFormatsTranslateToPictures) {
    const struct {
        const char* Format;
        const char* Picture;
    } Cases[] = {
        {"dd/mm/yyyy", "dd/MM/yyyy"}, {"d-mmm-yy", "d-MMM-yy"}, {"hh:nn:ss", "HH:mm:ss"},
        {"h:mm ampm", "h:mm tt"},     {"hh:mm:ss", "HH:mm:ss"}, {"yyyy/m/d", "yyyy/M/d"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(PictureOfFormat(QString::fromLatin1(C.Format), u'.', u':'),
                  QString::fromLatin1(C.Picture).replace(u'/', u'.'))
            << C.Format;
}

class DateTimePickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form->SetBounds(100, 100, 400, 300);
        Picker = new TDateTimePicker(Form.get());
        Picker->SetParent(Form.get());
        Picker->OnChange = [this](TObject*) { ++Changes; };
        Picker->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 20, 30, 0));
    }
    void key(Word VK) { Picker->Perform(WM_KEYDOWN, VK, 0); }
    void chars(const char* Text) {
        for (const char* C = Text; *C; ++C) Picker->Perform(WM_CHAR, WPARAM(*C), 0);
    }
    std::string shown() const { return Picker->DisplayText().toStdString(); }

    TDayFirstFormats Formats;
    FakeClock Clock{EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TDateTimePicker* Picker = nullptr;
    int Changes = 0;
};

TEST_F(DateTimePickerTest, ShowsTheLocaleFormatsAndWritesFireNothing) {
    EXPECT_EQ(shown(), "31/01/2024");
    Picker->SetKind(dtkTime);
    EXPECT_EQ(shown(), "10:20:30");
    Picker->SetFormat(QStringLiteral("h:mm tt"));
    EXPECT_EQ(shown(), "10:20 AM");
    Picker->SetTime(EncodeTime(15, 5, 0, 0));
    EXPECT_EQ(shown(), "3:05 PM");
    EXPECT_EQ(Picker->Date(), EncodeDate(2024, 1, 31)) << "the day stays";
    Picker->SetDate(EncodeDate(2023, 6, 1) + 0.9);
    EXPECT_EQ(Picker->DateTime(), EncodeDate(2023, 6, 1) + EncodeTime(15, 5, 0, 0));
    EXPECT_EQ(Changes, 0);
}

TEST_F(DateTimePickerTest, ArrowsStepTheActiveFieldAndRightMovesOn) {
    EXPECT_EQ(Picker->ActiveSection(), 0) << "the first field is active";
    key(VK_UP);
    EXPECT_EQ(shown(), "01/01/2024") << "day 31 wraps to 1";
    key(VK_RIGHT);
    EXPECT_EQ(Picker->ActiveSection(), 2);
    key(VK_DOWN);
    EXPECT_EQ(shown(), "01/12/2024") << "month 1 wraps to 12";
    key(VK_RIGHT);
    key(VK_UP);
    EXPECT_EQ(shown(), "01/12/2025");
    key(VK_RIGHT);
    EXPECT_EQ(Picker->ActiveSection(), 4) << "no field after the year";
    key(VK_LEFT);
    EXPECT_EQ(Picker->ActiveSection(), 2);
    EXPECT_EQ(Changes, 3);
    EXPECT_NEAR(Picker->Time(), EncodeTime(10, 20, 30, 0), 1e-9) << "the time part stays";
}

TEST_F(DateTimePickerTest, DigitsFillAFieldOnceItIsComplete) {
    chars("1");
    EXPECT_EQ(Picker->DateTime(), EncodeDate(2024, 1, 31) + EncodeTime(10, 20, 30, 0)) << "a second digit may follow";
    chars("5");
    EXPECT_EQ(shown(), "15/01/2024");
    EXPECT_EQ(Changes, 1);
    chars("7");  // a day can not start with 7 and go on
    EXPECT_EQ(shown(), "07/01/2024");
    key(VK_RIGHT);
    chars("3");
    EXPECT_EQ(shown(), "07/03/2024");
    key(VK_RIGHT);
    chars("202");
    EXPECT_EQ(shown(), "07/03/2024");
    chars("5");
    EXPECT_EQ(shown(), "07/03/2025");
    EXPECT_EQ(Changes, 4);
}

TEST_F(DateTimePickerTest, LimitsClampTheValue) {
    Picker->SetMinDate(EncodeDate(2024, 2, 1));
    EXPECT_EQ(Picker->Date(), EncodeDate(2024, 2, 1));
    Picker->SetMaxDate(EncodeDate(2024, 2, 10));
    Picker->SetDateTime(EncodeDate(2024, 5, 1));
    EXPECT_EQ(Picker->DateTime(), EncodeDate(2024, 2, 10));
    Picker->SetDateTime(EncodeDate(2024, 2, 5));
    key(VK_RIGHT);
    key(VK_UP);
    EXPECT_EQ(Picker->Date(), EncodeDate(2024, 2, 10)) << "March is past the limit";
}

TEST_F(DateTimePickerTest, CheckBoxAndSystemTimeMessages) {
    TSystemTime S;
    EXPECT_EQ(Picker->Perform(DTM_SETSYSTEMTIME, WPARAM(GDT_NONE), reinterpret_cast<LPARAM>(&S)), 0)
        << "no value needs a check box";
    Picker->SetShowCheckbox(true);
    EXPECT_EQ(Picker->Perform(DTM_SETSYSTEMTIME, WPARAM(GDT_NONE), reinterpret_cast<LPARAM>(&S)), 1);
    EXPECT_FALSE(Picker->Checked());
    EXPECT_EQ(Picker->Perform(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&S)), GDT_NONE);
    EXPECT_EQ(S.wDay, 31) << "the value stays";
    key(VK_SPACE);
    EXPECT_TRUE(Picker->Checked());
    EXPECT_EQ(Changes, 1);
    S = DateTimeToSystemTime(EncodeDate(2020, 2, 29));
    EXPECT_EQ(Picker->Perform(DTM_SETSYSTEMTIME, WPARAM(GDT_VALID), reinterpret_cast<LPARAM>(&S)), 1);
    EXPECT_EQ(Picker->DateTime(), EncodeDate(2020, 2, 29));
    S.wDay = 30;
    EXPECT_EQ(Picker->Perform(DTM_SETSYSTEMTIME, WPARAM(GDT_VALID), reinterpret_cast<LPARAM>(&S)), 0);
    EXPECT_EQ(Picker->DateTime(), EncodeDate(2020, 2, 29));
}

TEST_F(DateTimePickerTest, UserStrings) {
    Picker->SubmitUserString(QStringLiteral("02/03/2024"));
    EXPECT_EQ(Picker->Date(), EncodeDate(2024, 3, 2));
    EXPECT_EQ(Changes, 1);
    Picker->SubmitUserString(QStringLiteral("soon"));
    EXPECT_EQ(Picker->Date(), EncodeDate(2024, 3, 2)) << "a text that does not convert changes nothing";
    Picker->OnUserInput = [](TObject*, const String& Text, TDateTime& Value, bool& Allow) {
        if (Text == QStringLiteral("soon")) Value = EncodeDate(2030, 1, 1), Allow = true;
    };
    Picker->SubmitUserString(QStringLiteral("soon"));
    EXPECT_EQ(Picker->Date(), EncodeDate(2030, 1, 1));
    EXPECT_EQ(Changes, 2);
}

TEST_F(DateTimePickerTest, TheCalendarDropsDownAndPicks) {
    std::vector<std::string> Log;
    Picker->OnDropDown = [&](TObject*) { Log.push_back("drop down"); };
    Picker->OnCloseUp = [&](TObject*) { Log.push_back("close up"); };
    Form->Show();
    key(VK_F4);
    ASSERT_TRUE(Picker->DroppedDown());
    TMonthCalendarView* C = Picker->Calendar();
    ASSERT_NE(C, nullptr);
    EXPECT_EQ(C->VisibleMonth(), 1);
    EXPECT_EQ(C->FirstVisibleDay(), EncodeDate(2024, 1, 1)) << "weeks start on Monday";
    const TRect Day = C->DayRect(EncodeDate(2024, 1, 10));
    C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Day.Left + 2, Day.Top + 2));
    C->Perform(WM_LBUTTONUP, 0, PointToLParam(Day.Left + 2, Day.Top + 2));
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->DateTime(), EncodeDate(2024, 1, 10) + EncodeTime(10, 20, 30, 0));
    EXPECT_EQ(Changes, 1);

    Picker->Perform(WM_SYSKEYDOWN, VK_DOWN, 0x20000000);
    ASSERT_TRUE(Picker->DroppedDown());
    Picker->Calendar()->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Log, (std::vector<std::string>{"drop down", "close up", "drop down", "close up"}));

    Picker->SetKind(dtkTime);
    key(VK_F4);
    EXPECT_FALSE(Picker->DroppedDown()) << "a time has no calendar";
}

TEST_F(DateTimePickerTest, CalendarWeekNumbersTodayAndSize) {
    auto* C = new TMonthCalendarView(Form.get());
    C->SetParent(Form.get());
    const TSize Plain = C->MinimumSize();
    C->SetWeekNumbers(true);
    const TSize Numbered = C->MinimumSize();
    EXPECT_GT(Numbered.cx, Plain.cx);
    EXPECT_EQ(Numbered.cy, Plain.cy);
    C->SetShowToday(false);
    EXPECT_LT(C->MinimumSize().cy, Plain.cy);
    C->SetShowToday(true);
    C->SetBounds(0, 0, Numbered.cx, Numbered.cy);
    EXPECT_EQ(C->VisibleMonth(), 3) << "opens on today";
    TBitmap B(Numbered.cx, Numbered.cy);
    C->PaintTo(B.Canvas(), 0, 0);
    const TRect Today = C->DayRect(EncodeDate(2024, 3, 15));
    EXPECT_EQ(B.Canvas()->Pixels(Today.Left, Today.Top + 3), clRed) << "today's mark";
    EXPECT_EQ(C->DayAt(Today.Left + 1, Today.Top + 1), EncodeDate(2024, 3, 15));
    EXPECT_EQ(C->DayAt(1, 1), 0);

    // The options as window styles, both ways, and the size query.
    const HWND Handle = C->Handle();
    EXPECT_EQ(GetWindowLong(Handle, GWL_STYLE) & (MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE), MCS_WEEKNUMBERS);
    const LONG Old = SetWindowLong(Handle, GWL_STYLE, MCS_NOTODAY | MCS_NOTODAYCIRCLE);
    EXPECT_EQ(Old & MCS_WEEKNUMBERS, LONG(MCS_WEEKNUMBERS));
    EXPECT_FALSE(C->WeekNumbers());
    EXPECT_FALSE(C->ShowToday());
    EXPECT_FALSE(C->ShowTodayCircle());
    TRect R;
    EXPECT_EQ(C->Perform(MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&R)), 1);
    EXPECT_EQ(R, Rect(0, 0, Plain.cx, C->MinimumSize().cy));
    EXPECT_LT(R.Bottom, Plain.cy) << "no line of today";
    C->PaintTo(B.Canvas(), 0, 0);
    const TRect Plainly = C->DayRect(EncodeDate(2024, 3, 15));
    EXPECT_NE(B.Canvas()->Pixels(Plainly.Left, Plainly.Top + 3), clRed) << "no mark around today";
}

}  // namespace
