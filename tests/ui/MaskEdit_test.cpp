// The edit-mask engine and the masked edit that types through it.
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Mask.h"

#include <gtest/gtest.h>

#include <memory>

TEST(MaskEngine, ReadsPatternsAndOptions) {
    const TEditMaskInfo Time = ParseEditMask(QStringLiteral("!90:00:00;1; "));
    ASSERT_EQ(Time.Length(), 8);
    EXPECT_TRUE(Time.LeadingBlanks);
    EXPECT_TRUE(Time.SaveLiterals);
    EXPECT_EQ(Time.Blank, QChar(u' '));
    EXPECT_FALSE(Time.Slots[0].Required);
    EXPECT_TRUE(Time.Slots[1].Required);
    EXPECT_FALSE(Time.IsInput(2));
    EXPECT_EQ(Time.Slots[2].Literal, FormatSettings.TimeSeparator);

    const TEditMaskInfo Code = ParseEditMask(QStringLiteral(">LL\\-000;0"));
    ASSERT_EQ(Code.Length(), 6);
    EXPECT_FALSE(Code.SaveLiterals);
    EXPECT_EQ(Code.Blank, QChar(u'_'));
    EXPECT_EQ(Code.Slots[2].Literal, QChar(u'-'));
    EXPECT_EQ(Code.Slots[0].Case, TMaskCase::Upper);

    EXPECT_TRUE(ParseEditMask(String()).Empty());
    Char Stored;
    EXPECT_TRUE(MaskAcceptsChar(Code.Slots[0], u'q', Stored));
    EXPECT_EQ(Stored, QChar(u'Q'));
    EXPECT_FALSE(MaskAcceptsChar(Code.Slots[3], u'q', Stored));
}

TEST(MaskEngine, FitsTextsAndReadsThemBack) {
    FormatSettings.TimeSeparator = u':';
    const struct {
        const char* Mask;
        const char* Value;
        const char* EditText;
        const char* Text;
    } Cases[] = {
        {"!90:00:00;1; ", "09:30:00", "09:30:00", "09:30:00"},
        {"!90:00:00;1; ", "9:30:00", " 9:30:00", " 9:30:00"},  // short: leading blank
        {"!90:00:00;1; ", "093000", "09:30:00", "09:30:00"},   // literals may be left out
        {"!90:00;1; ", "", "  :  ", "  :  "},
        {"!90:00:00;1; ", "7 :30:00", "7 :30:00", " 7:30:00"},  // blanks typed in a run lead
        {"000-000;0;_", "123456", "123-456", "123456"},
        {"000-000;0;_", "12", "12_-___", "12"},
        {"000-000;1;_", "12x-4", "12_-4__", "12 -4  "},  // a refused character leaves a blank
        {"!999;0;_", "7", "__7", "7"},
        {">LL<ll;1;*", "abCD", "ABcd", "ABcd"},
        {"", "free text", "free text", "free text"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Mask);
        const TEditMaskInfo M = ParseEditMask(QString::fromUtf8(C.Mask));
        const String Edit = FormatMaskText(M, QString::fromUtf8(C.Value));
        EXPECT_EQ(Edit, QString::fromUtf8(C.EditText));
        EXPECT_EQ(MaskedTextOf(M, Edit), QString::fromUtf8(C.Text));
    }
}

TEST(MaskEngine, ValidatesRequiredPositions) {
    const TEditMaskInfo M = ParseEditMask(QStringLiteral("!90:00;1;_"));
    int Pos = 0;
    EXPECT_TRUE(ValidateMaskText(M, QStringLiteral("_9:30"), Pos));
    EXPECT_EQ(Pos, -1);
    EXPECT_FALSE(ValidateMaskText(M, QStringLiteral("12:_0"), Pos));
    EXPECT_EQ(Pos, 3);
    EXPECT_FALSE(ValidateMaskText(M, QStringLiteral("1x:00"), Pos));
    EXPECT_EQ(Pos, 1);
    EXPECT_EQ(NextInputPosition(M, 2), 3);
    EXPECT_EQ(PreviousInputPosition(M, 3), 1);
    EXPECT_EQ(NextInputPosition(M, 5), -1);
    EXPECT_EQ(PreviousInputPosition(M, 0), -1);
}

namespace {

class MaskEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings.TimeSeparator = u':';
        Form->SetBounds(0, 0, 200, 100);
        Edit = new TMaskEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetEditMask(QStringLiteral("!90:00;1;_"));
    }
    void chars(const String& Keys) {
        for (const QChar C : Keys) Edit->Perform(WM_CHAR, C.unicode(), 0);
    }
    void key(Word VK) { Edit->Perform(WM_KEYDOWN, VK, 0); }
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TMaskEdit* Edit = nullptr;
};

}  // namespace

TEST_F(MaskEditTest, TypingOverwritesAndSkipsLiterals) {
    EXPECT_EQ(Edit->EditText(), QStringLiteral("__:__"));
    int Changes = 0;
    Edit->OnChange = [&](TObject*) { ++Changes; };
    Edit->SetSelStart(0);
    chars(QStringLiteral("1x2"));  // x is refused; the caret jumps the separator
    EXPECT_EQ(Edit->EditText(), QStringLiteral("12:__"));
    EXPECT_EQ(Edit->SelStart(), 3);
    chars(QStringLiteral("345"));  // the last digit finds no position
    EXPECT_EQ(Edit->EditText(), QStringLiteral("12:34"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12:34"));
    EXPECT_TRUE(Edit->Modified());
    EXPECT_EQ(Changes, 4);
    // Backspace empties the position before the caret, Delete the one after it.
    chars(QString(QChar(8)));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("12:3_"));
    Edit->SetSelStart(0);
    key(VK_DELETE);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("_2:3_"));
    // A selection is emptied before typing into it.
    Edit->SetSelStart(0);
    Edit->SetSelLength(4);
    chars(QStringLiteral("7"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("7_:__"));
}

TEST_F(MaskEditTest, KeyPressHandlersComeFirstAndReadOnlyRefuses) {
    Edit->OnKeyPress = [](TObject*, Char& Key) {
        if (Key == u'5') Key = u'6';
        if (Key == u'9') Key = QChar();
    };
    Edit->SetSelStart(0);
    chars(QStringLiteral("59"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("6_:__"));
    Edit->SetReadOnly(true);
    chars(QStringLiteral("1"));
    key(VK_DELETE);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("6_:__"));
}

TEST_F(MaskEditTest, PasteTypesCutEmptiesEscapeResets) {
    Edit->SetText(QStringLiteral("11:11"));
    Clipboard()->SetAsText(QStringLiteral("2a3"));
    Edit->SetSelStart(0);
    Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("21:11"));  // typing stops at the refused "a"
    Edit->SetSelStart(3);
    Edit->SetSelLength(2);
    chars(QString(QChar(24)));  // Ctrl+X
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("11"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("21:__"));
    chars(QString(QChar(27)));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("11:11"));
    EXPECT_FALSE(Edit->Modified());
}

TEST_F(MaskEditTest, LeavingWithARequiredPositionEmptyRaises) {
    Edit->SetText(QStringLiteral("12:30"));
    EXPECT_NO_THROW(Edit->ValidateEdit());  // not edited
    Edit->SetSelStart(3);
    chars(QString(QChar(u' ')));  // a blank is no digit: refused
    key(VK_DELETE);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("12:_0"));
    EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);
    EXPECT_EQ(Edit->SelStart(), 3);
    Edit->SetSelStart(3);
    chars(QStringLiteral("4"));
    EXPECT_NO_THROW(Edit->ValidateEdit());
    // The optional first digit may stay empty.
    Edit->SetSelStart(0);
    key(VK_DELETE);
    EXPECT_NO_THROW(Edit->ValidateEdit());
    EXPECT_EQ(Edit->Text(), QStringLiteral(" 2:40"));
}

TEST_F(MaskEditTest, WithoutAMaskItIsAPlainEdit) {
    Edit->SetText(QStringLiteral("09:45"));
    Edit->SetEditMask(String());
    EXPECT_EQ(Edit->Text(), QStringLiteral("09:45"));
    Edit->SetSelStart(5);
    chars(QStringLiteral("x"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("09:45x"));
    // A new mask fits the text that is there.
    Edit->SetText(QStringLiteral("7:05"));
    Edit->SetEditMask(QStringLiteral("!90:00;1;_"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("_7:05"));
}
