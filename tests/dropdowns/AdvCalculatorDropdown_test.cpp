// The calculator drop-down's key engine as key sequences from the three places keys come from
// (the panel's buttons, characters typed into the edit with the popup closed, characters typed
// into the open popup), memory, errors, the length limit, the thousand separator, what an
// opening resets and keeps, and the copy of a style's button colours.
#include "components/dropdowns/AdvCalculatorDropdown.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/WindowFunctions.h"
#include "tests/dropdowns/DropDownFixture.h"

#include <QTest>

using namespace advdropdown;
using namespace calcpanel;

namespace {

class TTestCalculator : public TAdvCalculatorDropdown {
public:
    using TAdvCalculatorDropdown::CalcKeyPress;
    using TAdvCalculatorDropdown::ClosePopup;
    using TAdvCalculatorDropdown::OpenPopup;
    using TAdvCalculatorDropdown::PopupKeyDown;
    using TAdvCalculatorDropdown::PopupKeyPress;
    using TAdvCalculatorDropdown::SetModified;
    using TAdvCalculatorDropdown::TAdvCalculatorDropdown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

enum TKeySource { ksPanel, ksTyped, ksPopup };

class CalculatorTest : public DropDownFixture, public ::testing::WithParamInterface<TKeySource> {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        Saved = FormatSettings;
        FormatSettings.DecimalSeparator = u'.';
        FormatSettings.ThousandSeparator = u',';
        fresh();
        Form->Show();
    }
    void fresh() {
        if (Calc) Calc->Free();
        Calc = new TTestCalculator(Form.get());
        Calc->SetParent(Form.get());
        Calc->SetBounds(10, 40, 120, 21);
    }
    void TearDown() override {
        FormatSettings = Saved;
        DropDownFixture::TearDown();
    }
    // The panel's button with this caption.
    int button(const String& Caption) const {
        TCalcButtonItems* B = Calc->ButtonPanel()->Buttons();
        for (int I = 0; I < B->Count(); ++I)
            if (B->Items(I)->Caption() == Caption) return I;
        ADD_FAILURE() << "no button " << Caption.toStdString();
        return -1;
    }
    void panel(const char* Keys) {
        for (const String& K : QString::fromUtf8(Keys).split(u' ', Qt::SkipEmptyParts))
            Calc->CalcButtonClick(Calc->ButtonPanel(), button(K));
    }
    // Each character as the given source sends it.
    void keys(TKeySource Source, const char* Keys) {
        for (const QChar C : QString::fromUtf8(Keys)) {
            if (C == u' ') continue;
            if (Source == ksPanel) {
                Calc->CalcButtonClick(Calc->ButtonPanel(), button(QString(C)));
            } else if (Source == ksTyped) {
                Calc->Perform(WM_CHAR, C.unicode(), 0);
            } else {
                Char K = C;
                Calc->PopupKeyPress(K);
            }
        }
    }
    // Where the sequences start from: a fresh panel, a cleared edit, an opened popup.
    void start(TKeySource Source) {
        if (Source == ksTyped) Calc->Perform(WM_CHAR, u'C', 0);
        if (Source == ksPopup) {
            Calc->OpenPopup();
            ASSERT_TRUE(Calc->Popup()->Visible());
        }
    }
    std::string text() const { return Calc->Text().toStdString(); }

    TFormatSettings Saved;
    TTestCalculator* Calc = nullptr;
};

struct TSequence {
    const char* Keys;
    const char* Shown;
};

TEST_P(CalculatorTest, ArithmeticChainsFromLeftToRightOnTheShownValue) {
    const std::vector<std::vector<TSequence>> Runs = {
        {{"12+7=", "19.00"}, {"=", "19.00"}},
        {{"2+3*4=", "20.00"}},
        {{"8/0=", "Error"}, {"+1=", "1.00"}},
        // The accumulator holds the rounded 0.33, not a third.
        {{"1/3=", "0.33"}, {"*3=", "0.99"}},
        {{"200+10%", "20.00"}, {"=", "220.00"}},
        // Two operators in a row apply the pending one to the shown result again. (Typed into
        // the closed edit, "-" is also the sign key, so that run is the panel's and the popup's.)
        {{"2+-", "4.00"}, {"1=", "3.00"}},
    };
    for (const auto& Run : Runs) {
        if (GetParam() == ksTyped && std::string(Run.front().Keys) == "2+-") continue;
        fresh();
        start(GetParam());
        for (const TSequence& S : Run) {
            keys(GetParam(), S.Keys);
            EXPECT_EQ(text(), std::string(S.Shown)) << Run.front().Keys << " then " << S.Keys;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, CalculatorTest, ::testing::Values(ksPanel, ksTyped, ksPopup));

using CalculatorPanelKeys = CalculatorTest;

TEST_F(CalculatorPanelKeys, DigitsSignsMemoryAndErrors) {
    const struct {
        const char* Keys;
        const char* Shown;
    } Cases[] = {
        // The third decimal is rounded into the display at once.
        {"1 2 . 5 3 7", "12.54"},
        // A digit after a sign change extends the magnitude and keeps the sign.
        {"5 +/- 3", "-53.00"},
        {"5 +/- . 2 5", "-5.25"},
        // Places past the divisor's integer range add nothing (and never overflow it).
        {"1 . 1 1 1 1 1 1 1 1 1 1 1 1", "1.11"},
        {"+/- +/-", "0.00"},
        {"4 +/- sqrt", "Error"},
        {"9 sqrt", "3.00"},
        {"0 1/x", "Error"},
        {"4 1/x", "0.25"},
        {"5 MS C 2 M+ MR", "7.00"},
        {"5 MS MC MR", "0.00"},
        {"1 2 3 Back", "12.00"},
        // Back does nothing while an operator is pending.
        {"1 2 3 + Back", "123.00"},
        {"4 CE", "0.00"},
        {"8 / 0 = MS 3 + MR =", "3.00"},
    };
    for (const auto& C : Cases) {
        fresh();
        panel(C.Keys);
        EXPECT_EQ(text(), std::string(C.Shown)) << C.Keys;
    }
}

TEST_F(CalculatorPanelKeys, ClearResetsTheAccumulatorAndEveryKeyMarksTheEditModified) {
    panel("5 +");
    panel("C");
    panel("2 =");
    EXPECT_EQ(text(), std::string("2.00"));
    EXPECT_TRUE(Calc->Modified());
    // Keys without a meaning only mark the edit modified.
    Calc->ButtonPanel()->Buttons()->Items(0)->SetTag(25);
    Calc->SetModified(false);
    Calc->CalcButtonClick(nullptr, 0);
    EXPECT_EQ(text(), std::string("2.00"));
    EXPECT_TRUE(Calc->Modified());
    // An index outside the list does nothing.
    Calc->SetModified(false);
    Calc->CalcButtonClick(nullptr, 28);
    Calc->CalcButtonClick(nullptr, -1);
    EXPECT_FALSE(Calc->Modified());
}

TEST_F(CalculatorPanelKeys, ThousandSeparatorsAndTheLengthLimit) {
    Calc->SetShowThousandSeparator(true);
    panel("1 2 3 4 + 1 =");
    EXPECT_EQ(text(), std::string("1,235.00"));
    panel("MS C MR");
    EXPECT_EQ(text(), std::string("1,235.00"));
    Calc->SetShowThousandSeparator(false);
    EXPECT_EQ(text(), std::string("1235.00"));

    fresh();
    panel("1");
    Calc->SetMaxLength(4);
    ASSERT_EQ(text(), std::string("1.00"));
    Calc->SetModified(false);
    for (const char* Blocked : {"2", "+/-", "."}) {
        panel(Blocked);
        EXPECT_EQ(text(), std::string("1.00")) << Blocked;
        EXPECT_FALSE(Calc->Modified()) << Blocked;
    }
    panel("+");  // operators are not limited
    EXPECT_TRUE(Calc->Modified());
}

TEST_F(CalculatorPanelKeys, ATextThatIsNoNumberReachesTheHandlerBoundary) {
    // Without decimals Back can leave a lone sign: the memory keys cannot read it.
    Calc->SetPrecision(0);
    panel("5 +/- Back");
    ASSERT_EQ(text(), std::string("-"));
    EXPECT_THROW(panel("MS"), EConvertError);
    // "Error" and an empty display count as 0 for the memory.
    Calc->SetText(QStringLiteral("Error"));
    panel("M+ MR");
    EXPECT_EQ(text(), std::string("0"));

    // Clicked with the mouse, the error is shown by the application and the program goes on.
    Calc->SetText(QStringLiteral("-"));
    std::vector<String> Seen;
    Application->OnException = [&](TObject*, Exception* E) { Seen.push_back(E->Message()); };
    Calc->OpenPopup();
    TCustomButtonPanel* P = Calc->ButtonPanel();
    const TRect MS = P->GetButtonRect(button(QStringLiteral("MS")));
    QTest::mouseClick(ControlWidgetOf(P), Qt::LeftButton, {}, QPoint(MS.Left + 5, MS.Top + 5));
    Application->OnException = nullptr;
    ASSERT_EQ(Seen.size(), 1U);
    EXPECT_TRUE(Seen[0].contains(QStringLiteral("not a valid floating point value")));
    EXPECT_TRUE(Calc->Popup()->Visible());
}

TEST_F(CalculatorPanelKeys, KeysTypedWithThePopupClosed) {
    panel("5 + 4");
    // "+" applies the pending addition and makes add pending again.
    Calc->Perform(WM_CHAR, u'+', 0);
    EXPECT_EQ(text(), std::string("9.00"));
    // "C" shows 0 and keeps the accumulator.
    Calc->Perform(WM_CHAR, u'C', 0);
    EXPECT_EQ(text(), std::string("0.00"));
    Calc->Perform(WM_CHAR, u'1', 0);
    Calc->Perform(WM_CHAR, u'=', 0);
    EXPECT_EQ(text(), std::string("1.00"));
    // Letters are dropped; Delete turns "Error" into 0.
    Calc->Perform(WM_CHAR, u'x', 0);
    EXPECT_EQ(text(), std::string("1.00"));
    Calc->SetText(QStringLiteral("Error"));
    Calc->Perform(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(text(), std::string("0.00"));
}

TEST_F(CalculatorPanelKeys, KeysOfTheOpenPopup) {
    panel("7 MS C 3 +");
    Calc->OpenPopup();
    ASSERT_TRUE(Calc->Popup()->Visible());
    auto typeKey = [&](Char K) { Calc->PopupKeyPress(K); };
    // An opening starts a new number and keeps the accumulator, the operator and the memory.
    typeKey(u'2');
    typeKey(u'=');
    EXPECT_EQ(text(), std::string("5.00"));
    panel("MR");
    EXPECT_EQ(text(), std::string("7.00"));
    // "-" is an operator while open, a sign again once closed.
    typeKey(u'-');
    typeKey(u'9');
    typeKey(u'\r');
    EXPECT_FALSE(Calc->Popup()->Visible());
    EXPECT_EQ(text(), std::string("-2.00"));
    EXPECT_TRUE(Calc->Signed());

    Calc->OpenPopup();
    EXPECT_FALSE(Calc->Signed());
    Calc->SetText(QStringLiteral("Error"));
    Word Back = VK_BACK;
    Calc->PopupKeyDown(Back, {});
    EXPECT_EQ(text(), std::string("0.00"));
    typeKey(u'4');
    typeKey(u'c');
    EXPECT_EQ(text(), std::string("0.00"));
    typeKey(u'6');
    Word Tab = VK_TAB;
    Calc->PopupKeyDown(Tab, {});
    EXPECT_FALSE(Calc->Popup()->Visible());
    EXPECT_EQ(text(), std::string("6.00"));
    Calc->OpenPopup();
    typeKey(Char(27));
    EXPECT_FALSE(Calc->Popup()->Visible());
}

TEST_F(CalculatorPanelKeys, ValueReadsTheDisplayAndWritesInGeneralForm) {
    Calc->SetValue(2.5L);
    EXPECT_EQ(text(), std::string("2.50"));
    EXPECT_EQ(Calc->Value(), 2.5L);
    Calc->SetText(QStringLiteral("Error"));
    EXPECT_EQ(Calc->Value(), 0);
    Calc->SetText(QString());
    EXPECT_EQ(Calc->Value(), 0);
    panel("3 + 4");
    Calc->CalcResult();
    EXPECT_EQ(text(), std::string("7.00"));
}

TEST_F(CalculatorPanelKeys, AStyleCopiesTheButtonColoursIntoTheCalculatorButtons) {
    for (TTesselStyle Style : {tsOffice2007Luna, tsOffice2010Blue, tsWindows10, tsOffice2010Black}) {
        Calc->SetComponentStyle(Style);
        const TAdvButtonAppearance* B = Calc->ButtonAppearance();
        const TButtonAppearance* C = Calc->CalcButtonAppearance();
        const bool Office2010 = Style == tsOffice2010Blue || Style == tsOffice2010Black;
        const struct {
            const char* Name;
            TColor Got, Want;
        } Rows[] = {
            {"BorderColor", C->BorderColor(), B->BorderColor()},
            {"BorderColorHot", C->BorderColorHot(), B->BorderColorHot()},
            {"BorderColorDown", C->BorderColorDown(), B->BorderColorDown()},
            {"Color", C->Color(), B->Color()},
            {"ColorTo", C->ColorTo(), B->ColorTo()},
            {"ColorDown", C->ColorDown(), B->ColorDown()},
            {"ColorDownTo", C->ColorDownTo(), B->ColorDownTo()},
            {"ColorHot", C->ColorHot(), B->ColorHot()},
            {"ColorHotTo", C->ColorHotTo(), B->ColorHotTo()},
            {"ColorDisabled", C->ColorDisabled(), B->ColorDisabled()},
            {"ColorDisabledTo", C->ColorDisabledTo(), B->ColorDisabledTo()},
            {"BorderColorChecked", C->BorderColorChecked(), B->BorderColorDisabled()},
            {"ColorChecked", C->ColorChecked(), B->ColorDisabledTo()},
            {"ColorCheckedTo", C->ColorCheckedTo(), B->ColorHotTo()},
            {"GlowColorHot", C->GlowColorHot(), Office2010 ? B->ColorHot() : B->ColorDownTo()},
            {"GlowColorDown", C->GlowColorDown(), Office2010 ? B->ColorHot() : TColor(0xD5C244)},
        };
        for (const auto& R : Rows) EXPECT_EQ(R.Got, R.Want) << R.Name << " in style " << int(Style);
    }
    // The next opening gives the panel the copy.
    Calc->OpenPopup();
    EXPECT_EQ(Calc->ButtonPanel()->ButtonAppearance()->Color(), Calc->CalcButtonAppearance()->Color());
    EXPECT_EQ(Calc->ButtonPanel()->Height(), 150);
    EXPECT_EQ(Calc->Popup()->Width(), 230);
}

}  // namespace
