// TAdvEdit's typing and clipboard rules, driven by the key messages a keyboard sends: the type
// filters, the separator, sign and precision rules, the prefix fences, the length limit with its
// automatic Tab, Return and Escape.
#include "components/controls/AdvEdit.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Clipbrd.h"
#include "tests/controls/EditFixture.h"
#include "tests/controls/HeldKeys.h"

namespace {

class AdvEditKeys : public EditFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        useLocale(GetParam());
    }

    // Sends Keys as a keyboard would: "{L}", "{R}", "{H}", "{E}", "{D}" are Left, Right, Home,
    // End and Delete (key down only), "{B}" Backspace (key down and its character); every
    // other character is typed.
    static void press(TAdvEdit* E, const String& Keys) {
        static const std::pair<const char16_t*, Word> Named[] = {{u"{L}", VK_LEFT},   {u"{R}", VK_RIGHT},
                                                                 {u"{H}", VK_HOME},   {u"{E}", VK_END},
                                                                 {u"{D}", VK_DELETE}, {u"{B}", VK_BACK}};
        for (int I = 0; I < Keys.size(); ++I) {
            bool Done = false;
            for (const auto& [Name, VK] : Named) {
                if (!Keys.mid(I).startsWith(QStringView(Name))) continue;
                E->Perform(WM_KEYDOWN, VK, 0);
                if (VK == VK_BACK) E->Perform(WM_CHAR, 8, 0);
                I += 2;
                Done = true;
                break;
            }
            if (!Done) E->Perform(WM_CHAR, Keys[I].unicode(), 0);
        }
    }
};

TEST_P(AdvEditKeys, TypingFollowsTheRulesOfTheEditType) {
    struct Case {
        const char* What;
        TAdvEditType Type;
        int Precision;
        bool Signed;
        const char* Prefix;
        int LengthLimit;
        const char* Value;  // written through Text, "," grouping and "." decimals
        int Anchor, Caret;
        const char* Keys;    // "." and "," typed as the locale's separators in number types
        const char* Window;  // the window text after the keys
        int CaretAfter;
        int Modified;  // -1: not checked
    };
    const Case Cases[] = {
        {"a digit overwrites a full decimal", etFloat, 2, false, "", 0, "12.34", 4, 4, "9", "12.39", 5, 1},
        {"no decimal beyond the precision", etFloat, 2, false, "", 0, "12.34", 5, 5, "9", "12.34", 5, 0},
        {"precision 0 takes no separator", etFloat, 0, false, "", 0, "12", 2, 2, ".", "12", 2, 0},
        {"a second separator jumps behind the first", etFloat, 2, false, "", 0, "1.50", 0, 0, ".", "1.50", 2, 0},
        {"a separator into an empty value", etFloat, 2, false, "", 0, "", 0, 0, ".", "0.", 2, 1},
        {"letters are no number", etFloat, 2, false, "", 0, "1.00", 4, 4, "x", "1.00", 4, 0},
        {"money: separator over everything", etMoney, 2, false, "", 0, "1234.5", 0, 8, ".", "0.00", 2, -1},
        {"money groups as it is typed", etMoney, 0, false, "", 0, "", 0, 0, "1234", "1,234", 5, 1},
        {"a sign typed into a signed float", etFloat, 0, true, "$", 0, "5", 2, 2, "-", "$-5", 3, 1},
        {"and taken out again", etFloat, 0, true, "$", 0, "5", 2, 2, "--", "$5", 2, 1},
        {"unsigned numbers take no sign", etNumeric, 0, false, "", 0, "12", 2, 2, "-", "12", 2, 0},
        {"signed numbers toggle it", etNumeric, 0, true, "", 0, "12", 1, 1, "-", "-12", 2, 1},
        {"range: no separator after a separator", etRange, 0, false, "", 0, "1,", 2, 2, ",;-", "1,", 2, 0},
        {"range: digits and a span", etRange, 0, false, "", 0, "1,", 2, 2, "3-5", "1,3-5", 5, 1},
        {"length limit: no fourth digit", etNumeric, 0, false, "", 3, "123", 1, 1, "4", "123", 1, 0},
        {"length limit: backspace still works", etNumeric, 0, false, "", 3, "123", 3, 3, "{B}", "12", 2, 1},
        {"length limit: nothing typed at the end", etNumeric, 0, false, "", 3, "123", 3, 3, "4", "123", 3, 0},
        {"length limit: none before the separator", etFloat, 1, false, "", 3, "123.4", 3, 3, "5", "123.4", 3, 0},
        {"length limit: decimals still typed", etFloat, 2, false, "", 3, "123.4", 5, 5, "5", "123.45", 6, 1},
        {"length limit: a whole upper-case value", etUppercase, 0, false, "", 2, "", 0, 0, "abc", "AB", 2, 1},
        {"prefix: Left stops at it", etString, 0, false, "ID-", 0, "42", 3, 3, "{L}", "ID-42", 3, 0},
        {"prefix: Backspace stops at it", etString, 0, false, "ID-", 0, "42", 3, 3, "{B}", "ID-42", 3, 0},
        {"prefix: Home goes behind it", etString, 0, false, "ID-", 0, "42", 5, 5, "{H}", "ID-42", 3, 0},
        {"prefix: typing after it", etString, 0, false, "ID-", 0, "42", 5, 5, "{H}7", "ID-742", 4, 1},
        {"hex: only hex digits", etHex, 0, false, "", 0, "A", 1, 1, "fgZ1", "Af1", 3, 1},
        {"upper case", etUppercase, 0, false, "", 0, "", 0, 0, "ab", "AB", 2, 1},
        {"mixed case", etMixedCase, 0, false, "", 0, "", 0, 0, "mc donald", "Mc Donald", 9, 1},
        {"alphanumeric", etAlphaNumeric, 0, false, "", 0, "", 0, 0, "a-1 b", "a1b", 3, 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        auto* E = newEdit();
        E->SetEditType(C.Type);
        E->SetAllowNumericNullValue(true);
        E->SetPrecision(C.Precision);
        E->SetSigned(C.Signed);
        E->SetPrefix(QString::fromUtf8(C.Prefix));
        E->SetLengthLimit(C.LengthLimit);
        const bool Number = C.Type == etFloat || C.Type == etMoney;
        E->SetText(Number ? L(C.Value) : QString::fromUtf8(C.Value));
        caret(E, C.Anchor, C.Caret);
        E->SetModified(false);
        press(E, Number ? L(C.Keys) : QString::fromUtf8(C.Keys));
        EXPECT_EQ(window(E), Number ? L(C.Window) : QString::fromUtf8(C.Window));
        EXPECT_EQ(E->SelStart(), C.CaretAfter);
        EXPECT_EQ(E->SelLength(), 0);
        if (C.Modified >= 0) {
            EXPECT_EQ(E->Modified(), C.Modified == 1);
        }
        E->Free();
    }
}

TEST_P(AdvEditKeys, PastesPassTheFilterOfTheEditType) {
    struct Case {
        TAdvEditType Type;
        bool Signed;
        int Precision;
        const char* Clip;
        const char* Window;
    };
    const Case Cases[] = {
        {etNumeric, false, 0, "-5", "7"}, {etNumeric, true, 0, "-5", "-57"},      {etNumeric, false, 0, "1.5", "7"},
        {etFloat, false, 0, "1.5", "7"},  {etFloat, false, 2, "1\r\nx", "17.00"}, {etString, false, 0, "ab\ncd", "ab7"},
        {etRange, false, 0, "1-3", "7"},  {etLowerCase, false, 0, "AB", "ab7"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Clip);
        auto* E = newEdit();
        E->SetEditType(C.Type);
        E->SetSigned(C.Signed);
        E->SetPrecision(C.Precision);
        E->SetText(QStringLiteral("7"));
        caret(E, 0, 0);
        Clipboard()->SetAsText(L(C.Clip));
        E->Perform(WM_PASTE, 0, 0);
        EXPECT_EQ(window(E), L(C.Window));
        E->Free();
    }
}

INSTANTIATE_TEST_SUITE_P(BothLocales, AdvEditKeys, ::testing::Values(0, 1));

class AdvEditSpecialKeys : public EditFixture {
protected:
    // Records the key messages that reach the form.
    void recordForm() {
        Original = Form->WindowProc;
        Form->WindowProc = [this](TMessage& M) {
            if (M.Msg == WM_KEYDOWN || M.Msg == WM_KEYUP)
                Log.push_back((M.Msg == WM_KEYDOWN ? "down " : "up ") + std::to_string(M.WParam));
            Original(M);
        };
    }
    TWndMethod Original;
    std::vector<std::string> Log;
};

TEST_F(AdvEditSpecialKeys, ReturnAndEscapeReachTheParentInOrder) {
    auto* E = newEdit();
    recordForm();
    E->SetDefaultHandling(false);
    int Returns = 0;
    E->OnKeyPress = [&](TObject*, Char& K) { Returns += K == u'\r'; };
    E->Perform(WM_CHAR, VK_RETURN, 0);
    E->Perform(WM_CHAR, VK_ESCAPE, 0);
    CheckSynchronize();
    EXPECT_EQ(Returns, 1) << "OnKeyPress sees the Return";
    const std::vector<std::string> Expected = {"down 13", "up 13", "down 27", "up 27"};
    EXPECT_EQ(Log, Expected);
    Form->WindowProc = Original;
}

TEST_F(AdvEditSpecialKeys, EscapeRestoresTheTextOfFocusArrivalAndCtrlASelectsAll) {
    auto* E = newEdit();
    E->SetPrefix(QStringLiteral("ID-"));
    E->SetText(QStringLiteral("42"));
    E->Perform(WM_SETFOCUS, 0, 0);
    caret(E, 5, 5);
    type(E, QStringLiteral("77"));
    EXPECT_EQ(E->Text(), QStringLiteral("4277"));
    EXPECT_TRUE(E->Modified());
    E->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0);
    EXPECT_EQ(E->Text(), QStringLiteral("42"));
    EXPECT_FALSE(E->Modified());

    caret(E, 4, 4);
    {
        HeldKeys Ctrl{VK_CONTROL};
        E->Perform(WM_CHAR, 1, 0);
    }
    EXPECT_EQ(E->SelStart(), 3);
    EXPECT_EQ(E->SelLength(), 2);
    EXPECT_EQ(E->Text(), QStringLiteral("42"));
}

TEST_F(AdvEditSpecialKeys, AFullLengthMovesTheFocusOnByTypingAndByPaste) {
    auto* E = newEdit();
    auto* Next = newEdit();
    for (TAdvEdit* X : {E, Next}) {
        X->SetEditType(etNumeric);
        X->SetAllowNumericNullValue(true);
        X->SetLengthLimit(3);
        X->SetTabOnFullLength(true);
        X->SetText(QString());
    }
    Form->SetActiveControl(E);
    type(E, QStringLiteral("12"));
    EXPECT_EQ(Form->ActiveControl(), E);
    type(E, QStringLiteral("3"));
    EXPECT_EQ(window(E), QStringLiteral("123"));
    EXPECT_EQ(Form->ActiveControl(), Next);

    Form->SetActiveControl(E);
    E->SetText(QString());
    Clipboard()->SetAsText(QStringLiteral("456"));
    E->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(window(E), QStringLiteral("456"));
    EXPECT_EQ(Form->ActiveControl(), Next) << "to the next control, as typing does";
}

}  // namespace
