#include "components/dropdowns/AdvDateTimePicker.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>
#include <set>
#include <string>

using namespace advdropdown;

namespace {

class TTestPicker : public TAdvDateTimePicker {
public:
    using TAdvDateTimePicker::DoEnter;
    using TAdvDateTimePicker::DoExit;
    using TAdvDateTimePicker::TAdvDateTimePicker;
};

class AdvDateTimePickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form->SetBounds(100, 100, 400, 300);
        Picker = new TTestPicker(Form.get());
        Picker->SetParent(Form.get());
        Picker->SetBounds(100, 50, 200, 21);
        Picker->OnChange = [this](TObject*) { ++Changes; };
    }
    void TearDown() override { SetKeyStateSource(nullptr); }
    // The window exists: the kind takes effect.
    void created() { Picker->HandleNeeded(); }
    // The form shown and active, so focus moves as the user's does.
    void shown() {
        Form->Show();
        const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Form->Active() && std::chrono::steady_clock::now() < Limit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_TRUE(Form->Active());
    }
    void chars(const char* Text, TDateTimePicker* Target = nullptr) {
        for (const char* C = Text; *C; ++C) {
            (Target ? Target : Picker)->Perform(WM_CHAR, WPARAM(*C), 0);
            // The check posted after the digit, then the key it may post in turn.
            Application->ProcessMessages();
            Application->ProcessMessages();
        }
    }
    static TDateTime at(int Y, int Mo, int D, int H = 0, int Mi = 0, int S = 0) {
        return EncodeDate(Word(Y), Word(Mo), Word(D)) + EncodeTime(Word(H), Word(Mi), Word(S), 0);
    }

    TDayFirstFormats Formats;
    FakeClock Clock{EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TTestPicker* Picker = nullptr;
    int Changes = 0;
};

TEST_F(AdvDateTimePickerTest, NewPicker) {
    EXPECT_EQ(Picker->Version(), "1.2.5.0");
    EXPECT_EQ(Picker->Kind(), dkDateTime);
    EXPECT_EQ(Picker->BorderStyle(), bsSingle);
    EXPECT_EQ(Picker->LabelMargin(), 4);
    EXPECT_TRUE(Picker->AutoTabToNext());
    EXPECT_EQ(Picker->TimePicker(), nullptr) << "made with the window";
    created();
    ASSERT_NE(Picker->TimePicker(), nullptr);
    EXPECT_TRUE(Picker->TimePicker()->IsTimePicker());
    EXPECT_TRUE(Picker->TimePicker()->Visible());
    EXPECT_EQ(Picker->TimePicker()->Kind(), dtkTime);
    EXPECT_EQ(Picker->TDateTimePicker::Kind(), dtkDate);
}

TEST_F(AdvDateTimePickerTest, DateAndTimeSplitAndRecombine) {
    created();
    Picker->SetDateTime(at(2024, 5, 6, 7, 8, 9));
    EXPECT_EQ(Picker->DisplayText(), "06/05/2024");
    EXPECT_EQ(Picker->TimePicker()->DisplayText(), "07:08:09");
    EXPECT_EQ(Picker->DateTime(), at(2024, 5, 6, 7, 8, 9));
    // The time typed into the second picker comes back with the control's date.
    Picker->TimePicker()->SetActiveSection(0);
    Picker->TimePicker()->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Picker->DateTime(), at(2024, 5, 6, 8, 8, 9));
    EXPECT_EQ(Changes, 1) << "the second picker's change is the control's";

    Picker->SetDate(at(2023, 1, 2, 23, 59, 59) + 0.5 / MSecsPerDay * 999);
    EXPECT_EQ(Picker->DateTime(), at(2023, 1, 2, 8, 8, 9)) << "SetDate keeps the time to the second";
    Picker->SetTime(EncodeTime(1, 2, 3, 0));
    EXPECT_EQ(Picker->DateTime(), at(2023, 1, 2, 1, 2, 3));

    Picker->SetKind(dkDate);
    EXPECT_EQ(Picker->TimePicker(), nullptr);
    EXPECT_EQ(Picker->DateTime(), at(2023, 1, 2, 1, 2, 3)) << "SetKind keeps the value";
    Picker->SetKind(dkTime);
    EXPECT_EQ(Picker->DisplayText(), "01:02:03");
    Picker->SetKind(dkDateTime);
    ASSERT_NE(Picker->TimePicker(), nullptr);
    EXPECT_EQ(Picker->DateTime(), at(2023, 1, 2, 1, 2, 3));
}

TEST_F(AdvDateTimePickerTest, NullDateCycle) {
    Picker->SetKind(dkDate);
    Picker->SetNullDateFormat(QStringLiteral("'none'"));
    Picker->SetDateTime(0);
    EXPECT_EQ(Picker->DisplayText(), "none");
    Picker->DoEnter();
    EXPECT_EQ(Picker->DateTime(), at(2024, 3, 15)) << "today at 0:00";
    EXPECT_EQ(Picker->DisplayText(), "15/03/2024");
    Picker->DoExit();
    EXPECT_EQ(Picker->DateTime(), 0);
    EXPECT_EQ(Picker->DisplayText(), "none");
    // A change on entry is kept.
    Picker->DoEnter();
    Picker->Perform(WM_KEYDOWN, VK_UP, 0);
    Picker->DoExit();
    EXPECT_EQ(Picker->DateTime(), at(2024, 3, 16));
    EXPECT_EQ(Picker->DisplayText(), "16/03/2024");
    // Ctrl+Delete empties it again.
    SetKeyStateSource([](int Key) -> short { return Key == VK_CONTROL ? short(0x8000) : 0; });
    Picker->Perform(WM_KEYUP, VK_DELETE, 0);
    EXPECT_EQ(Picker->DateTime(), 0);
    EXPECT_EQ(Picker->DisplayText(), "none");
}

TEST_F(AdvDateTimePickerTest, NullDateIsTodayAndLimits) {
    Picker->SetKind(dkDate);
    Picker->SetNullDateIsToday(true);
    Picker->SetDateTime(EncodeTime(6, 30, 0, 0));
    EXPECT_EQ(Picker->DateTime(), at(2024, 3, 15, 6, 30));
    Picker->SetNullDateIsToday(false);
    Picker->SetDateTime(EncodeTime(6, 30, 0, 0));
    EXPECT_EQ(Picker->DateTime(), EncodeTime(6, 30, 0, 0));

    Picker->SetMinDate(at(2024, 1, 1));
    Picker->SetMaxDate(at(2024, 12, 31));
    Picker->SetDateTime(at(2023, 6, 1));
    EXPECT_EQ(Picker->DateTime(), at(2024, 1, 1));
    Picker->SetDateTime(at(2025, 6, 1));
    EXPECT_EQ(Picker->DateTime(), at(2024, 12, 31));
}

TEST_F(AdvDateTimePickerTest, TimeLimits) {
    Picker->SetKind(dkTime);
    Picker->SetDateTime(EncodeTime(23, 0, 0, 0));
    Picker->SetActiveSection(0);
    Picker->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Picker->DateTime(), 0) << "equal limits: none, 23 wraps to 0";
    Picker->SetMinTime(EncodeTime(8, 0, 0, 0));
    Picker->SetMaxTime(EncodeTime(18, 0, 0, 0));
    Picker->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Picker->DateTime(), EncodeTime(8, 0, 0, 0));
    Picker->SetDateTime(EncodeTime(18, 0, 0, 0));
    Picker->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Picker->DateTime(), EncodeTime(18, 0, 0, 0));
}

TEST_F(AdvDateTimePickerTest, UserStringsThatDoNotConvertAreRefused) {
    Picker->SetKind(dkDate);
    Picker->SetDateTime(at(2024, 2, 2));
    Picker->SubmitUserString(QStringLiteral("tomorrow"));
    EXPECT_EQ(Picker->DateTime(), at(2024, 2, 2)) << "not day 0";
    EXPECT_EQ(Changes, 0);
    Picker->SubmitUserString(QStringLiteral("03/04/2024"));
    EXPECT_EQ(Picker->DateTime(), at(2024, 4, 3));
    Picker->OnUserInput = [](TObject*, const String& Text, TDateTime& Value, bool& Allow) {
        if (Text == QStringLiteral("tomorrow")) Value = EncodeDate(2024, 3, 16), Allow = true;
    };
    Picker->SubmitUserString(QStringLiteral("tomorrow"));
    EXPECT_EQ(Picker->DateTime(), at(2024, 3, 16));
}

TEST_F(AdvDateTimePickerTest, AutoTabWithoutAFormat) {
    auto* Next = new TEdit(Form.get());
    Next->SetParent(Form.get());
    Next->SetTop(100);
    shown();
    created();
    Picker->SetAutoTab(true);
    EXPECT_TRUE(Picker->TimePicker()->AutoTab()) << "the second picker follows";
    Picker->SetDateTime(at(2024, 1, 1, 10, 0, 0));
    Picker->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Picker->ActiveSection(), 0) << "the first field is activated on focus";
    chars("15");
    EXPECT_EQ(Picker->ActiveSection(), 2) << "day typed: on to the month";
    chars("06");
    EXPECT_EQ(Picker->ActiveSection(), 4);
    chars("2030");
    EXPECT_EQ(Picker->DateTime(), at(2030, 6, 15, 10, 0, 0));
    EXPECT_TRUE(Picker->TimePicker()->Focused()) << "the year ends the date: on to the time";
    // The time's last field moves on to the next control.
    Picker->TimePicker()->SetActiveSection(4);
    chars("45", Picker->TimePicker());
    EXPECT_TRUE(Next->Focused());

    Picker->SetKind(dkDate);
    Picker->SetFocus();
    Application->ProcessMessages();
    chars("0101");
    chars("1999");
    EXPECT_TRUE(Next->Focused()) << "a date alone moves to the next control";
}

TEST_F(AdvDateTimePickerTest, AutoTabWithAFormat) {
    shown();
    created();
    Picker->SetAutoTab(true);
    Picker->SetFormat(QStringLiteral("yyyy-MM-dd"));
    Picker->SetDateTime(at(2024, 1, 1, 10, 0, 0));
    Picker->SetFocus();
    Application->ProcessMessages();
    chars("2025");
    EXPECT_EQ(Picker->ActiveSection(), 2);
    chars("12");
    EXPECT_EQ(Picker->ActiveSection(), 4);
    chars("24");
    EXPECT_TRUE(Picker->TimePicker()->Focused()) << "the format's last field is the day";
    EXPECT_EQ(Picker->DateTime(), at(2025, 12, 24, 10, 0, 0));
}

TEST_F(AdvDateTimePickerTest, TheFirstFieldIsActivatedBesideTheCheckBox) {
    shown();
    Picker->SetKind(dkDate);
    Picker->SetShowCheckbox(true);
    Picker->SetAutoTab(true);
    Picker->SetActiveSection(2);
    auto* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetFocus();
    Picker->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Picker->ActiveSection(), 0);
    EXPECT_TRUE(Picker->Checked()) << "the click lands beside the check box, not on it";
}

TEST_F(AdvDateTimePickerTest, TheShiftFocusMessageIsRegistered) {
    EXPECT_NE(advdatetimepicker::DTPShiftFocusMessage, 0u);
    EXPECT_EQ(advdatetimepicker::DTPShiftFocusMessage, RegisterWindowMessage(QStringLiteral("DTPShiftFocus")));
}

TEST_F(AdvDateTimePickerTest, GridTabHandling) {
    created();
    bool ShiftDown = false;
    SetKeyStateSource([&](int Key) -> short { return Key == VK_SHIFT && ShiftDown ? short(0x8000) : 0; });
    TCustomDateTimePicker* TimePart = Picker->TimePicker();
    auto wantsTab = [](TControl* C) { return (C->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB) != 0; };
    EXPECT_FALSE(wantsTab(Picker));
    EXPECT_FALSE(wantsTab(TimePart));
    Picker->SetGridTabHandling(true);
    TimePart->SetGridTabHandling(true);
    EXPECT_FALSE(wantsTab(Picker)) << "Tab on the date part leaves it";
    EXPECT_TRUE(wantsTab(TimePart)) << "Tab on the time part stays";
    ShiftDown = true;
    EXPECT_TRUE(wantsTab(Picker)) << "Shift+Tab on the date part stays";
    EXPECT_FALSE(wantsTab(TimePart));
}

TEST_F(AdvDateTimePickerTest, LabelPositions) {
    shown();
    Picker->SetLabelCaption(QStringLiteral("Date"));
    TLabel* L = Picker->PickerLabel();
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->Parent(), Form.get());
    const int LW = L->Width(), LH = L->Height(), TW = LW;  // an auto-sized label is its text's width
    const int M = 4, X = 100, Y = 50, W = 200, H = 21;
    const int VC = Y + (H - 2 - LH) / 2, HC = X + (W - LW) / 2;
    const struct {
        TLabelPosition Position;
        int Left, Top;
    } Cases[] = {
        {lpLeftTop, X - TW - M, Y},
        {lpLeftCenter, X - TW - M, VC},
        {lpLeftBottom, X - TW - M, Y + H - LH},
        {lpTopLeft, X, Y - LH - M},
        {lpBottomLeft, X, Y + H + M},
        {lpLeftTopLeft, X - M, Y},
        {lpLeftCenterLeft, X - M, VC},
        {lpLeftBottomLeft, X - M, Y + H - LH},
        {lpTopCenter, HC, Y - LH - M},
        {lpBottomCenter, HC, Y + H + M},
        {lpRightTop, X + W + M, Y},
        {lpRightCenter, X + W + M, VC},
        {lpRighBottom, X + W + M, Y + H - LH},
        {lpTopRight, X + W - LW, Y - LH - M},
        {lpBottomRight, X + W - LW, Y + H + M},
    };
    for (const auto& C : Cases) {
        Picker->SetLabelPosition(C.Position);
        EXPECT_EQ(L->Left(), C.Left) << C.Position;
        EXPECT_EQ(L->Top(), C.Top) << C.Position;
    }
    auto* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Picker->SetFocusLabel(true);
    Other->SetFocus();
    Picker->SetFocus();
    EXPECT_TRUE(L->Font()->Style().Contains(fsBold));
    Other->SetFocus();
    EXPECT_FALSE(L->Font()->Style().Contains(fsBold));
}

TEST_F(AdvDateTimePickerTest, MetroButton) {
    Picker->SetKind(dkDate);
    Picker->SetMetroStyle(true);
    Picker->SetButtonColor(0x00FF00);
    Picker->SetButtonTextColor(0xFF0000);
    Picker->SetButtonBorderColor(0x0000FF);
    Picker->SetBorderColor(0x800080);
    TBitmap B(Picker->Width(), Picker->Height());
    Picker->PaintTo(B.Canvas(), 0, 0);
    // The button: the client's right part from its width + 2, shrunk by one pixel.
    const int L = Picker->ClientWidth() - (GetSystemMetrics(SM_CXVSCROLL) + 2) + 3, T = 1;
    TCanvas* C = B.Canvas();
    EXPECT_EQ(C->Pixels(L, T + 5), 0x0000FF) << "the separator line";
    EXPECT_EQ(C->Pixels(L + 3, T + 3), 0x00FF00) << "the fill";
    EXPECT_EQ(C->Pixels(L + 8, T + 8), 0xFF0000) << "inside the arrow";
    EXPECT_EQ(C->Pixels(L + 6, T + 7), 0xFF0000);
    // The arrow's corners.
    EXPECT_EQ(C->Pixels(L + 5, T + 7), 0xFF0000);
    EXPECT_EQ(C->Pixels(L + 11, T + 7), 0xFF0000);
    EXPECT_EQ(C->Pixels(L + 8, T + 10), 0xFF0000);
    EXPECT_EQ(C->Pixels(L + 4, T + 7), 0x00FF00);
    EXPECT_EQ(C->Pixels(L + 12, T + 7), 0x00FF00);
    EXPECT_EQ(C->Pixels(L + 8, T + 12), 0x00FF00) << "below the arrow";
    EXPECT_EQ(C->Pixels(0, 10), 0x800080) << "the metro frame";
}

}  // namespace
