// TAdvEdit's value model: classifying texts, what writing Text shows per edit type, the numeric
// values, the range list, validation and the work done when the focus leaves.
#include "components/controls/AdvEdit.h"
#include "framework/rtl/DebugOutput.h"
#include "tests/controls/EditFixture.h"

namespace {

class AdvEditValue : public EditFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        useLocale(GetParam());
    }
};

TEST_P(AdvEditValue, ClassifiesTextsBySeparatorsOfTheLocale) {
    const std::pair<const char*, int> Cases[] = {
        {"12", 0},   {"1.5", 1}, {"1,234.5", 1}, {",123", 2}, {"1,,2", 2}, {"abc", 5},
        {"1--2", 2}, {"", 2},    {"1.2.3", 2},   {"-7", 0},   {"ff", 5},   {"12,34", 1},
    };
    for (const auto& [Text, Class] : Cases) EXPECT_EQ(ClassifyValueText(L(Text)), Class) << Text;
}

TEST_P(AdvEditValue, WritingTextFormatsByTheEditType) {
    struct Case {
        TAdvEditType Type;
        int Precision;
        TPrecisionDisplay Display;
        const char* Written;
        const char* Shown;
    };
    const Case Cases[] = {
        {etFloat, 2, pdNormal, "1234.5", "1234.50"},
        {etMoney, 2, pdNormal, "1234.5", "1,234.50"},
        {etMoney, 0, pdNormal, "1234.6", "1,235"},
        {etFloat, 2, pdShortest, "2.50", "2.5"},
        {etFloat, 2, pdNormal, "abc", "0.00"},
        {etNumeric, 0, pdNormal, "", "0"},
        {etNumeric, 0, pdNormal, "1,234", "0"},
        {etNumeric, 0, pdNormal, "-12", "-12"},
        {etHex, 0, pdNormal, "ff", "FF"},
        {etHex, 0, pdNormal, "fg", "0"},
        {etString, 2, pdNormal, "text", "text"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Written);
        auto* E = newEdit();
        E->SetEditType(C.Type);
        E->SetPrecision(C.Precision);
        E->SetPrecisionDisplay(C.Display);
        E->SetText(L(C.Written));
        EXPECT_EQ(E->Text(), L(C.Shown));
        EXPECT_FALSE(E->Modified());
        E->Free();
    }
}

TEST_P(AdvEditValue, PrefixAndSuffixStandAroundTheValue) {
    auto* E = newEdit();
    E->SetPrefix(QStringLiteral("$"));
    E->SetSuffix(QStringLiteral(" USD"));
    E->SetText(QStringLiteral("12"));
    EXPECT_EQ(window(E), QStringLiteral("$12 USD"));
    EXPECT_EQ(E->Text(), QStringLiteral("12"));
    E->TCustomEdit::SetText(QStringLiteral("$12 EUR"));
    EXPECT_EQ(E->Text(), QStringLiteral("12")) << "the suffix is cut by its length";
    E->SetPrefix(QStringLiteral("ID "));
    EXPECT_EQ(window(E), QStringLiteral("ID 12 USD")) << "a new prefix keeps the value";
}

TEST_P(AdvEditValue, NumericValuesReadAndWriteThroughTheText) {
    auto* E = newEdit();
    E->SetEditType(etHex);
    E->SetText(QStringLiteral("ff"));
    EXPECT_EQ(E->IntValue(), 255);
    E->SetIntValue(4096);
    EXPECT_EQ(E->Text(), QStringLiteral("1000"));
    EXPECT_TRUE(E->Modified());

    E->SetEditType(etMoney);
    EXPECT_EQ(E->Text(), QStringLiteral("1000")) << "a hex text of digits is a number too";
    E->SetPrecision(2);
    E->SetFloatValue(-1234.5);
    EXPECT_EQ(E->Text(), L("-1,234.50"));
    EXPECT_DOUBLE_EQ(E->FloatValue(), -1234.5);
    EXPECT_EQ(E->IntValue(), -1234);
    E->TCustomEdit::SetText(L("12."));
    EXPECT_DOUBLE_EQ(E->FloatValue(), 12) << "a decimal separator at the end is dropped";

    E->SetEditType(etNumeric);
    EXPECT_EQ(E->Text(), QStringLiteral("0")) << "a decimal text does not fit an integer field";
    E->SetValue(Variant(42));
    EXPECT_EQ(E->Value().AsInteger(), 42);
    E->SetFloatValue(7.6);
    EXPECT_EQ(E->Text(), QStringLiteral("8"));
}

INSTANTIATE_TEST_SUITE_P(BothLocales, AdvEditValue, ::testing::Values(0, 1));

TEST(AdvEditModel, MixedCaseCapitalisesWordsWithTheNameRules) {
    const std::pair<const char*, const char*> Cases[] = {
        {"mcdonald", "McDonald"},         {"john smith iii", "John Smith III"}, {"henry viii", "Henry Viii"},
        {"o'neil-smith", "O'Neil-Smith"}, {"old macdonald", "Old Macdonald"},   {"john mcdonald", "John McDonald"},
        {"ANNA-MARIA", "Anna-Maria"},
    };
    for (const auto& [In, Out] : Cases) EXPECT_EQ(ToMixedCase(QString::fromUtf8(In)), QString::fromUtf8(Out)) << In;
}

TEST(AdvEditModel, RangeListsReadAndWriteRuns) {
    TRangeList List;
    EXPECT_FALSE(List.StrToList(QStringLiteral("1-3;5,7-6,x")));
    ASSERT_EQ(List.Count(), 4);
    EXPECT_EQ(List.Items(0), 1);
    EXPECT_EQ(List.Items(3), 5);
    EXPECT_TRUE(List.StrToList(QString()));
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(List.ToRangeText(), QString()) << "an empty list writes an empty text";
    for (int V : {5, 1, 2, 3}) List.Add(V);
    List.Add(2);
    EXPECT_EQ(List.ToRangeText(), QStringLiteral("1-3,5"));
    EXPECT_TRUE(List.InList(5));
    EXPECT_EQ(HexTextToInt(QStringLiteral("-ff")), 255) << "a minus counts as a 0 digit";

    QStringList Lines;
    auto Previous = SetDebugOutputSink([&Lines](const String& Line) { Lines << Line; });
    List.Show();
    SetDebugOutputSink(std::move(Previous));
    EXPECT_EQ(Lines, (QStringList{"1", "2", "3", "5"})) << "a line of debug output per value, nothing else";
}

class AdvEditFocus : public EditFixture {};

TEST_F(AdvEditFocus, LeavingBringsANumberWithinItsLimits) {
    useLocale(1);
    auto* E = newEdit();
    E->SetEditType(etNumeric);
    E->SetMinValue(10);
    E->SetMaxValue(20);
    E->Perform(WM_SETFOCUS, 0, 0);
    E->SetText(QStringLiteral("25"));
    E->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(E->Text(), QStringLiteral("20"));
    E->SetText(QStringLiteral("3"));
    E->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(E->Text(), QStringLiteral("10"));

    auto* F = newEdit();
    F->SetEditType(etFloat);
    F->SetPrecision(2);
    F->SetText(QString());
    F->TCustomEdit::SetText(QStringLiteral("3.1"));
    F->SetModified(false);
    F->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(F->Text(), QStringLiteral("3.10")) << "reformatted";
    EXPECT_FALSE(F->Modified()) << "reformatting keeps Modified";
}

TEST_F(AdvEditFocus, ValidationFromInsideItsHandlerAnswersTrueAndTheErrorStateColours) {
    useLocale(1);
    auto* E = newEdit();
    E->SetEditType(etFloat);
    E->SetMinFloatValue(1);
    E->SetMaxFloatValue(2);
    E->SetShowError(true);
    E->SetColor(clWhite);
    bool Inner = false;
    int Calls = 0;
    E->OnValueValidate = [&](TObject*, String, bool& Valid) {
        ++Calls;
        Inner = E->ValidateValue(QStringLiteral("99"));
        (void)Valid;
    };
    EXPECT_FALSE(E->ValidateValue(QStringLiteral("5")));
    EXPECT_TRUE(Inner) << "a validation started inside the handler answers True";
    EXPECT_EQ(Calls, 1);
    E->SetText(QStringLiteral("5"));
    EXPECT_TRUE(E->IsError());
    EXPECT_EQ(E->Color(), clRed);
    EXPECT_EQ(E->Font()->Color(), clWhite);
    E->SetText(QStringLiteral("1.5"));
    EXPECT_FALSE(E->IsError());
    EXPECT_EQ(E->Color(), clWhite);
}

TEST_F(AdvEditFocus, ArrivalKeepsTheTextAndSelectsTheValueAfterThePrefix) {
    auto* E = newEdit();
    E->SetPrefix(QStringLiteral("ID-"));
    E->SetText(QStringLiteral("42"));
    E->SetFocusColor(clYellow);
    E->Perform(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(E->OrigText(), QStringLiteral("42"));
    EXPECT_EQ(E->SelStart(), 3);
    EXPECT_EQ(E->SelLength(), 2);
    EXPECT_EQ(E->Color(), clYellow);
    E->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(E->Color(), clWindow);
    EXPECT_EQ(E->Version(), QStringLiteral("3.4.1.1"));
}

}  // namespace
