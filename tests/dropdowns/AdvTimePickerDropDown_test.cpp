#include "components/dropdowns/AdvTimePickerDropDown.h"

#include "components/dropdowns/AdvWatch.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/ui/DateTimePicker.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>

namespace {

class TTestTimePicker : public TAdvTimePickerDropDown {
public:
    using TAdvTimePickerDropDown::DoExit;
    using TAdvTimePickerDropDown::TAdvTimePickerDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

class TimePickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Screen->SetMonitors({{Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 738)}});
        Form->SetBounds(100, 100, 400, 300);
        Edit = new TTestTimePicker(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(10, 10, 120, 21);
        Edit->OnTimeChange = [this](TObject*) { ++TimeChanges; };
        Mouse->SetCursorPos(Point(-2000, -2000));
    }
    void TearDown() override {
        Mouse->ResetCursorPos();
        Screen->ResetOverrides();
    }
    template <class Pred>
    static bool pumpUntil(Pred Done) {
        const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Done() && std::chrono::steady_clock::now() < Limit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return Done();
    }
    bool open() const { return Edit->Popup() && Edit->Popup()->Visible(); }
    std::string text() const { return Edit->Text().toStdString(); }
    std::string timeText() const { return FormatDateTime(QStringLiteral("hh:nn:ss"), Edit->Time()).toStdString(); }
    void setTime(int H, int M, int S) { Edit->SetTime(EncodeTime(Word(H), Word(M), Word(S), 0)); }
    void key(Word VK) { Edit->Perform(WM_KEYDOWN, VK, 0); }

    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TTestTimePicker* Edit = nullptr;
    int TimeChanges = 0;
};

TEST_F(TimePickerTest, NewPicker) {
    EXPECT_EQ(text(), "00:00:00");
    EXPECT_EQ(Edit->Time(), 0);
    EXPECT_EQ(Edit->EditMask(), "!90:00:00;1; ");
    EXPECT_FALSE(Edit->EditorEnabled());
    EXPECT_FALSE(Edit->ShowTimePicker());
    EXPECT_FALSE(Edit->DropDownHeader()->Visible());
    EXPECT_FALSE(Edit->DropDownFooter()->Visible());
    EXPECT_EQ(Edit->Version(), "1.4.2.6");
}

TEST_F(TimePickerTest, TimeWritesTheText) {
    setTime(13, 5, 9);
    EXPECT_EQ(text(), "13:05:09");
    EXPECT_EQ(TimeChanges, 0);
    Edit->SetShowSeconds(false);
    EXPECT_EQ(Edit->EditMask(), "!90:00;1; ");
    EXPECT_EQ(text(), "13:05");
    EXPECT_EQ(timeText(), "13:05:00") << "the text read back to the minute";
    Edit->SetShowSeconds(true);
    EXPECT_EQ(text(), "13:05:00");
}

TEST_F(TimePickerTest, TypedTexts) {
    const struct {
        bool Masked;
        const char* Typed;
        const char* Shown;
        const char* Time;
    } Cases[] = {
        {true, "7 :00:00", "07:00:00", "07:00:00"},  // a full hour is shown in full
        {true, "7 :30:00", "7 :30:00", "07:30:00"},  // other times keep their text
        {true, "12:34:56", "12:34:56", "12:34:56"},
        {true, "  :  :  ", "00:00:00", "00:00:00"},   // blanks read as zeros
        {false, "12:34", "12:34", "10:11:12"},        // incomplete: the time stays
        {false, "1x:00:00", "1x:00:00", "10:11:12"},  // not digits: the time stays
    };
    for (const auto& C : Cases) {
        setTime(10, 11, 12);
        if (!C.Masked) Edit->SetEditMask(String());
        Edit->SetEditText(QString::fromLatin1(C.Typed));
        EXPECT_EQ(Edit->EditText().toStdString(), C.Shown) << C.Typed;
        EXPECT_EQ(timeText(), C.Time) << C.Typed;
        Edit->SetText(QStringLiteral("10:11:12"));  // the mask back
    }
    EXPECT_EQ(TimeChanges, 0);
}

TEST_F(TimePickerTest, AnOutOfRangeTextRaisesAndKeepsTheTime) {
    setTime(10, 11, 12);
    EXPECT_THROW(Edit->SetEditText(QStringLiteral("25:00:00")), EConvertError);
    EXPECT_EQ(timeText(), "10:11:12");
}

// The keys reach the picker once typing is on (the grid's editor calls KeyDown itself); without
// it the drop-down edit lets only Tab, Enter, Esc, F4 and Alt+arrows through.
TEST_F(TimePickerTest, UpAndDownChangeTheFieldUnderTheCaret) {
    Edit->SetEditorEnabled(true);
    const struct {
        const char* Name;
        int H, M, S, Caret;
        Word Key;
        const char* Text;
    } Cases[] = {
        {"Up lowers the hour", 5, 30, 20, 0, VK_UP, "04:30:20"},
        {"Down raises it, caret before the separator", 5, 30, 20, 2, VK_DOWN, "06:30:20"},
        {"hour 0 Up wraps to 23", 0, 30, 20, 1, VK_UP, "23:30:20"},
        {"hour 23 Down wraps to 0", 23, 30, 20, 1, VK_DOWN, "00:30:20"},
        {"just after the separator: the minute", 5, 30, 20, 3, VK_DOWN, "05:31:20"},
        {"minute 0 Up wraps to 59", 5, 0, 20, 4, VK_UP, "05:59:20"},
        {"after the second separator: the second", 5, 30, 20, 6, VK_UP, "05:30:19"},
        {"second 59 Down wraps to 0", 5, 30, 59, 8, VK_DOWN, "05:30:00"},
    };
    for (const auto& C : Cases) {
        setTime(C.H, C.M, C.S);
        TimeChanges = 0;
        Edit->SetSelStart(C.Caret);
        key(C.Key);
        EXPECT_EQ(text(), C.Text) << C.Name;
        EXPECT_EQ(timeText(), C.Text) << C.Name;
        EXPECT_EQ(Edit->SelStart(), C.Caret) << C.Name;
        EXPECT_EQ(TimeChanges, 1) << C.Name;
    }
    // Without seconds the second part is the minute.
    Edit->SetShowSeconds(false);
    setTime(5, 30, 0);
    Edit->SetSelStart(4);
    key(VK_UP);
    EXPECT_EQ(text(), "05:29");
    // Ctrl leaves the keys alone.
    Edit->Perform(WM_KEYDOWN, VK_UP, 0);
}

TEST_F(TimePickerTest, ExitConvertsTheText) {
    Edit->SetEditMask(String());
    Edit->SetEditText(QStringLiteral("8:15"));
    int Exits = 0;
    Edit->OnExit = [&](TObject*) { ++Exits; };
    Edit->DoExit();
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(timeText(), "08:15:00");
    EXPECT_EQ(text(), "08:15:00");
}

TEST_F(TimePickerTest, ThePopupShowsTheWatch) {
    Edit->SetShowTimePicker(true);
    Edit->SetAnimation(false);
    setTime(9, 45, 0);
    Edit->ShowDropDown();
    ASSERT_TRUE(open());
    ASSERT_NE(Edit->Watch(), nullptr);
    ASSERT_NE(Edit->TimePicker(), nullptr);
    // The panel of 170 x 170 and the picker below it, in the popup's one-pixel border.
    EXPECT_EQ(Edit->Popup()->Width(), 170);
    EXPECT_EQ(Edit->Popup()->Height(), 170 + Edit->TimePicker()->Height() + 2);
    EXPECT_EQ(FormatDateTime("hh:nn", Edit->Watch()->Time()), "09:45") << "loaded from the text";
    EXPECT_EQ(Edit->TimePicker()->Format(), "HH:mm:ss");
    EXPECT_EQ(FormatDateTime("hh:nn", Edit->TimePicker()->Time()), "09:45");

    // A watch change updates the time, the text and the picker.
    Edit->Watch()->SetHour(11);
    EXPECT_EQ(text(), "11:45:00");
    EXPECT_EQ(timeText(), "11:45:00");
    EXPECT_EQ(FormatDateTime("hh:nn", Edit->TimePicker()->Time()), "11:45");
    EXPECT_EQ(TimeChanges, 1);

    // Keys of the popup go to the watch.
    Edit->Popup()->Perform(WM_KEYDOWN, VK_PRIOR, 0);
    EXPECT_EQ(text(), "12:45:00");

    // Esc puts back the text shown at the opening, and the watch with it.
    Edit->HideDropDown(true);
    EXPECT_FALSE(open());
    EXPECT_EQ(text(), "09:45:00");
    EXPECT_EQ(timeText(), "09:45:00");
    EXPECT_EQ(FormatDateTime("hh:nn", Edit->Watch()->Time()), "09:45");
}

TEST_F(TimePickerTest, AClickOutsideAcceptsTheWatch) {
    Edit->SetAnimation(false);
    Form->Show();
    ASSERT_TRUE(pumpUntil([&] { return Form->Active(); }));
    setTime(9, 45, 0);
    Edit->ShowDropDown();
    ASSERT_TRUE(pumpUntil([&] { return Edit->Popup()->Active(); }));
    EXPECT_EQ(Edit->Popup()->Height(), 172) << "the panel and the border";
    Edit->Watch()->HandleKey(VK_RIGHT);
    Form->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return !open(); }));
    EXPECT_EQ(text(), "09:46:00");
    EXPECT_EQ(timeText(), "09:46:00");
}

TEST_F(TimePickerTest, PickerChangesReachTheWatchAndTheText) {
    Edit->SetShowTimePicker(true);
    setTime(9, 45, 0);
    Edit->ShowDropDown();
    ASSERT_TRUE(open());
    TDateTimePicker* P = Edit->TimePicker();
    P->SetActiveSection(0);
    P->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(FormatDateTime("hh:nn", Edit->Watch()->Time()), "10:45");
    EXPECT_EQ(text(), "10:45:00");
    EXPECT_EQ(timeText(), "10:45:00");
}

TEST_F(TimePickerTest, ColourSchemeReachesTheWatchAtTheNextOpening) {
    Edit->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(Edit->WatchAppearance()->BackgroundColor(), 0xFFD2AF);
    EXPECT_EQ(Edit->WatchAppearance()->AMPMColor(), 0xD68759);
    Edit->ShowDropDown();
    ASSERT_TRUE(open());
    EXPECT_EQ(Edit->Watch()->Appearance()->BackgroundColor(), 0xFFD2AF);
    Edit->HideDropDown(false);
}

}  // namespace
