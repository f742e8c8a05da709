// Typed entry of the drop-down edit under two locales: how texts read as numbers, the number
// formats, the character filter and the key-down protections as key messages, the reformatting
// on focus loss and the clipboard.
#include "components/dropdowns/AdvDropDownText.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/Clipbrd.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

constexpr char16_t NBSP = 0x00A0;

// Locale 0: DS "." and TS ","; locale 1: DS "," and TS a no-break space.
void useLocale(int Index) {
    FormatSettings.DecimalSeparator = Index == 0 ? u'.' : u',';
    FormatSettings.ThousandSeparator = Index == 0 ? u',' : NBSP;
}

// A text written with "." for the decimal separator and "," for the thousand separator, in the
// locale's own separators.
String local(const char* Text) {
    String S = QString::fromUtf8(Text);
    for (QChar& C : S) {
        if (C == u'.')
            C = FormatSettings.DecimalSeparator;
        else if (C == u',')
            C = FormatSettings.ThousandSeparator;
    }
    return S;
}

class DropDownTypedTest : public DropDownFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        Saved = FormatSettings;
        useLocale(GetParam());
    }
    void TearDown() override {
        FormatSettings = Saved;
        DropDownFixture::TearDown();
    }
    TFormatSettings Saved;
};

TEST_P(DropDownTypedTest, HowTextsReadAsNumbers) {
    const bool Point = GetParam() == 0;
    const struct {
        const char* Text;  // in the form of locale 0: "," groups, "." marks decimals
        int Locale0, Locale1;
    } Cases[] = {
        {"12", 0, 0},  {"1,234.5", 1, 1}, {"1A", 5, 5},   {"1,23,456", 1, 1},  // separators three apart
        {",5", 2, 2},  // a thousand separator first: not a number
        {"--1", 2, 2}, {"", 2, 2},        {"1..5", 2, 2}, {"1,,234", 2, 2},
    };
    for (const auto& C : Cases) {
        const String S = local(C.Text);
        EXPECT_EQ(ClassifyNumber(S), Point ? C.Locale0 : C.Locale1) << C.Text;
    }
    // Locale 1 reads its own formatted values, no-break spaces and all.
    if (!Point) {
        EXPECT_EQ(ClassifyNumber(QStringLiteral("1\u00A0234,50")), 1);
        EXPECT_EQ(ClassifyNumber(QStringLiteral(",5")), 1);
    }
    EXPECT_EQ(HexToInt(QStringLiteral("fF")), 255);
    EXPECT_EQ(HexToInt(QStringLiteral("1g")), 16);
    EXPECT_EQ(RemoveThousandSeparators(local("1,234,567.5")), local("1234567.5"));
    EXPECT_TRUE(IsRangeSeparator(u';'));
    EXPECT_FALSE(IsRangeSeparator(u'.'));
}

TEST_P(DropDownTypedTest, TextsAreFormattedByType) {
    const struct {
        TDropDownEditType Type;
        short Precision;
        const char* Value;
        const char* Shown;  // in the form of locale 0
    } Cases[] = {
        {etFloat, 2, "3", "3.00"},
        {etMoney, 2, "1234.5", "1,234.50"},
        {etMoney, 0, "1234.6", "1234.6"},
        {etNumeric, 0, "", "0"},
        {etFloat, 0, "", "0"},
        {etHex, 0, "ff", "FF"},
        {etFloat, 2, "Error", "Error"},
        {etString, 0, "", ""},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Value);
        Edit->SetEditType(C.Type);
        Edit->SetPrecision(C.Precision);
        Edit->SetText(local(C.Value));
        EXPECT_EQ(Edit->Text(), local(C.Shown));
        EXPECT_EQ(Edit->OldText(), local(C.Shown));
        EXPECT_FALSE(Edit->Modified());
        Edit->SetEditType(etString);
    }
    Edit->SetEditType(etMoney);
    Edit->SetPrecision(2);
    Edit->SetText(local("1234567.891"));
    EXPECT_DOUBLE_EQ(Edit->GetFloatValue(), 1234567.89);
    Edit->SetEditType(etHex);
    EXPECT_EQ(Edit->Text(), QStringLiteral("0"));  // "1,234,567.89" is no hexadecimal number
    Edit->SetFloatValue(255.9);
    EXPECT_EQ(Edit->Text(), QStringLiteral("FF"));
}

TEST_P(DropDownTypedTest, PrefixAndSuffixStayAroundTheValue) {
    Edit->SetPrefix(QStringLiteral("$"));
    Edit->SetSuffix(QStringLiteral(" USD"));
    Edit->SetEditType(etNumeric);
    Edit->SetText(QStringLiteral("12"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("$12 USD"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12"));
    // A suffix is taken off only where it is.
    Edit->SetRawText(QStringLiteral("$12 EUR"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12 EUR"));
    Edit->SetRawText(QStringLiteral("$7"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("7"));
    Edit->SetRawText(QStringLiteral("$12 USD"));
    Edit->SelectAll();
    EXPECT_EQ(Edit->SelStart(), 1);
    EXPECT_EQ(Edit->SelLength(), 2);
}

TEST_P(DropDownTypedTest, FocusLossReformatsNumbers) {
    const struct {
        TDropDownEditType Type;
        short Precision;
        bool AllowNull;
        const char* Raw;
        const char* After;
    } Cases[] = {
        {etFloat, 2, false, "1.5", "1.50"},      {etFloat, 2, false, "", "0.00"}, {etFloat, 2, true, "", ""},
        {etFloat, 2, true, "7", "7.00"},         {etNumeric, 0, false, "", "0"},  {etNumeric, 0, true, "", ""},
        {etMoney, 2, false, "1234", "1,234.00"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Raw);
        Edit->SetEditType(C.Type);
        Edit->SetPrecision(C.Precision);
        Edit->SetAllowNumericNullValue(C.AllowNull);
        Edit->SetRawText(local(C.Raw));
        Edit->Perform(WM_KILLFOCUS, 0, 0);
        EXPECT_EQ(Edit->Text(), local(C.After));
        Edit->SetEditType(etString);
    }
}

// A keystroke script and what it leaves.
struct TKeyCase {
    const char* Name;
    TDropDownEditType Type;
    short Precision;
    bool Signed;
    const char* Prefix;
    const char* Suffix;
    short LengthLimit;
    const char* Raw;  // in the form of locale 0
    int SelStart, SelLength;
    const char* Keys;  // "." and "," type the locale's separators; "\b" is Backspace
    const char* ExpectRaw;
    int ExpectCaret;
    bool ExpectModified;
    int ExpectChanges;
};

const TKeyCase kKeyCases[] = {
    {"string", etString, 0, false, "", "", 0, "ab", 2, 0, "c", "abc", 3, true, 1},
    {"numeric refuses letters", etNumeric, 0, false, "", "", 0, "12", 2, 0, "a", "12", 2, false, 0},
    {"unsigned numeric refuses the minus", etNumeric, 0, false, "", "", 0, "12", 1, 0, "-", "12", 1, false, 0},
    {"signed minus toggles", etNumeric, 0, true, "", "", 0, "12", 1, 0, "-", "-12", 2, true, 1},
    {"signed minus toggles back", etNumeric, 0, true, "", "", 0, "-12", 2, 0, "-", "12", 1, true, 1},
    {"minus over the whole value", etNumeric, 0, true, "", "", 0, "12", 0, 2, "-", "-", 1, false, 1},
    {"typing over the whole value changes once", etNumeric, 0, false, "", "", 0, "12", 0, 2, "5", "5", 1, true, 1},
    {"Backspace over the whole value", etNumeric, 0, false, "", "", 0, "12", 0, 2, "\b", "", 0, true, 1},
    {"a digit overwrites the next decimal", etFloat, 2, false, "", "", 0, "12.34", 3, 0, "9", "12.94", 4, true, 1},
    {"full decimals refuse a digit at the end", etFloat, 2, false, "", "", 0, "12.34", 5, 0, "5", "12.34", 5, false, 0},
    {"a separator starts the decimals", etFloat, 2, false, "", "", 0, "12", 2, 0, ".", "12.", 3, true, 1},
    {"a second separator jumps after the first", etFloat, 2, false, "", "", 0, "12.3", 1, 0, ".", "12.3", 3, false, 0},
    {"no decimals: the separator is refused", etFloat, 0, false, "", "", 0, "12", 2, 0, ".", "12", 2, false, 0},
    {"a separator into an empty edit", etFloat, 2, false, "", "", 0, "", 0, 0, ".", "0.", 2, true, 1},
    {"letters are refused", etFloat, 2, false, "", "", 0, "1", 1, 0, "x", "1", 1, false, 0},
    {"money regroups while typing", etMoney, 2, false, "", "", 0, "", 0, 0, "12345", "12,345", 6, true, 5},
    {"money: a separator over the whole value", etMoney, 2, false, "", "", 0, "1,234.50", 0, 8, ".", "0.00", 2, false,
     1},
    {"range separators", etRange, 0, false, "", "", 0, "1", 1, 0, ",,2-;", "1,2-", 4, true, 3},
    {"range refuses a separator first", etRange, 0, false, "", "", 0, "", 0, 0, ",", "", 0, true, 0},
    {"hex", etHex, 0, false, "", "", 0, "", 0, 0, "a1g", "a1", 2, true, 2},
    {"alphanumeric", etAlphaNumeric, 0, false, "", "", 0, "", 0, 0, "a-1", "a1", 2, true, 2},
    {"upper case", etUppercase, 0, false, "", "", 0, "", 0, 0, "ab", "AB", 2, true, 2},
    {"lower case", etLowerCase, 0, false, "", "", 0, "", 0, 0, "AB", "ab", 2, true, 2},
    {"mixed case", etMixedCase, 0, false, "", "", 0, "", 0, 0, "jo sm", "Jo Sm", 5, true, 7},
    {"length limit refuses a fourth digit", etFloat, 2, false, "", "", 3, "123", 3, 0, "4", "123", 3, false, 0},
    {"length limit takes the separator", etFloat, 2, false, "", "", 3, "123", 3, 0, ".5", "123.5", 5, true, 2},
    {"the sign keeps prefix and suffix", etNumeric, 0, true, "$", " USD", 0, "$12 USD", 2, 0, "-", "$-12 USD", 3, true,
     1},
    {"Backspace stops at the prefix", etString, 0, false, "$", "", 0, "$12", 1, 0, "\b", "$12", 1, false, 0},
    {"Backspace deletes after the prefix", etString, 0, false, "$", "", 0, "$12", 2, 0, "\b", "$2", 1, true, 1},
};

TEST_P(DropDownTypedTest, KeysTypeWhatTheTypeTakes) {
    for (const TKeyCase& C : kKeyCases) {
        SCOPED_TRACE(C.Name);
        auto* E = new TTestDropDown(Form.get());
        E->SetParent(Form.get());
        E->SetEditType(C.Type);
        E->SetPrecision(C.Precision);
        E->SetSigned(C.Signed);
        E->SetPrefix(QString::fromUtf8(C.Prefix));
        E->SetSuffix(QString::fromUtf8(C.Suffix));
        E->SetLengthLimit(C.LengthLimit);
        E->SetRawText(local(C.Raw));
        E->SetSelStart(C.SelStart);
        E->SetSelLength(C.SelLength);
        int Changes = 0;
        E->OnChange = [&](TObject*) { ++Changes; };
        for (const char K : std::string(C.Keys)) {
            Char Ch = K == '.'   ? FormatSettings.DecimalSeparator
                      : K == ',' ? FormatSettings.ThousandSeparator
                                 : Char(K);
            if (C.Type == etRange && K == ',') Ch = u',';
            E->Perform(WM_CHAR, Ch.unicode(), 0);
        }
        String Expected = local(C.ExpectRaw);
        if (C.Type == etRange) Expected = QString::fromUtf8(C.ExpectRaw);
        EXPECT_EQ(E->EditText(), Expected);
        EXPECT_EQ(E->SelStart(), C.ExpectCaret);
        EXPECT_EQ(E->Modified(), C.ExpectModified);
        EXPECT_EQ(Changes, C.ExpectChanges);
        E->Free();
    }
}

TEST_P(DropDownTypedTest, KeyDownKeepsTheCaretOffPrefixAndSuffix) {
    Edit->SetPrefix(QStringLiteral("ID-"));
    Edit->SetSuffix(QStringLiteral(" kg"));
    Edit->SetRawText(QStringLiteral("ID-42 kg"));
    const struct {
        Word Key;
        bool Shift;
        int From, Length;
        int ExpectStart, ExpectLength;
        bool Swallowed;
    } Cases[] = {
        {VK_HOME, false, 4, 0, 3, 0, true},   {VK_HOME, true, 4, 0, 3, 2, true},    {VK_END, false, 3, 0, 5, 0, true},
        {VK_END, true, 4, 0, 4, 1, true},     {VK_RIGHT, false, 5, 0, 5, 0, true},  {VK_LEFT, false, 3, 0, 3, 0, true},
        {VK_DELETE, false, 5, 0, 5, 0, true}, {VK_RIGHT, false, 4, 0, 5, 0, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Key);
        Edit->SetSelStart(C.From);
        Edit->SetSelLength(C.Length);
        TMessage M{WM_KEYDOWN, C.Key, 0, 0};
        const short ShiftDown = C.Shift ? -128 : 0;
        const TKeyStateSource Old =
            SetKeyStateSource([ShiftDown](int VK) -> short { return VK == VK_SHIFT ? ShiftDown : 0; });
        Edit->SendMessageTo(M);
        SetKeyStateSource(Old);
        EXPECT_EQ(M.WParam == 0, C.Swallowed);
        EXPECT_EQ(Edit->SelStart(), C.ExpectStart);
        EXPECT_EQ(Edit->SelLength(), C.ExpectLength);
        EXPECT_EQ(Edit->EditText(), QStringLiteral("ID-42 kg"));
    }
    // Delete inside the value deletes, and marks the edit modified.
    Edit->SetSelStart(3);
    key(VK_DELETE);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("ID-2 kg"));
    EXPECT_TRUE(Edit->Modified());
}

TEST_P(DropDownTypedTest, PastesPassTheTypesFilter) {
    const struct {
        const char* Name;
        TDropDownEditType Type;
        short Precision;
        int MaxLength;
        const char* Before;
        const char* Clip;
        const char* After;
    } Cases[] = {
        {"numeric refuses letters", etNumeric, 0, 0, "5", "12a", "5"},
        {"numeric takes digits", etNumeric, 0, 0, "5", "12", "512"},
        {"float takes a number and formats it", etFloat, 2, 0, "", "1.5", "1.50"},
        {"hex takes no paste", etHex, 0, 0, "A", "B", "A"},
        {"range takes no paste", etRange, 0, 0, "1", "-3", "1"},
        {"too long for MaxLength", etString, 0, 4, "abc", "de", "abc"},
        {"just fits MaxLength", etString, 0, 5, "abc", "de", "abcde"},
        {"upper case", etUppercase, 0, 0, "A", "bc", "ABC"},
        {"alphanumeric refuses signs", etAlphaNumeric, 0, 0, "a", "b-c", "a"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Edit->SetEditType(C.Type);
        Edit->SetPrecision(C.Precision);
        Edit->SetMaxLength(C.MaxLength);
        Edit->SetRawText(local(C.Before));
        Edit->SetSelStart(static_cast<int>(Edit->EditText().size()));
        Clipboard()->SetAsText(local(C.Clip));
        Edit->Perform(WM_PASTE, 0, 0);
        EXPECT_EQ(Edit->EditText(), local(C.After));
        Edit->SetEditType(etString);
    }
    // The paste event sees the candidate and may refuse it.
    Edit->SetMaxLength(0);
    Edit->SetRawText(QStringLiteral("ab"));
    Edit->SetSelStart(1);
    String Seen;
    Edit->OnClipboardPaste = [&](TObject*, const String& Value, bool& Allow) {
        Seen = Value;
        Allow = false;
    };
    Clipboard()->SetAsText(QStringLiteral("X"));
    Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Seen, QStringLiteral("aXb"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("ab"));
}

TEST_P(DropDownTypedTest, ACutCallsNoCopyEvent) {
    Edit->SetRawText(QStringLiteral("abcdef"));
    Edit->SetSelStart(1);
    Edit->SetSelLength(3);
    std::vector<String> Copies, Cuts;
    Edit->OnClipboardCopy = [&](TObject*, const String& V, bool&) { Copies.push_back(V); };
    Edit->OnClipboardCut = [&](TObject*, const String& V, bool& Allow) {
        Cuts.push_back(V);
        Allow = Cuts.size() > 1;  // the first cut is refused
    };
    Edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("abcdef"));
    Edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("aef"));
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("bcd"));
    EXPECT_EQ(Cuts, (std::vector<String>{QStringLiteral("bcd"), QStringLiteral("bcd")}));
    EXPECT_TRUE(Copies.empty());
    Edit->SetSelStart(0);
    Edit->SetSelLength(2);
    Edit->Perform(WM_COPY, 0, 0);
    EXPECT_EQ(Copies, (std::vector<String>{QStringLiteral("ae")}));
}

INSTANTIATE_TEST_SUITE_P(TwoLocales, DropDownTypedTest, ::testing::Values(0, 1));

}  // namespace
