// The rich edit: lines as paragraphs, attributes of the selection, and its rich text read back
// as written, with foreign rich text of the same subset read too.
#include "framework/ui/RichEdit.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

class RichEditTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TRichEdit* Edit = new TRichEdit(Form.get());
    TRichEdit* Back = new TRichEdit(Form.get());

    void select(TRichEdit* E, int Start, int Length) {
        E->SetSelStart(Start);
        E->SetSelLength(Length);
    }
    void roundTrip() {
        TMemoryStream S;
        Edit->Lines()->SaveToStream(&S);
        S.SetPosition(0);
        Back->Lines()->LoadFromStream(&S);
    }
};

TEST_F(RichEditTest, LinesAreParagraphs) {
    EXPECT_EQ(Edit->Lines()->Count(), 0);
    Edit->Lines()->Add(QStringLiteral("one"));
    Edit->Lines()->Add(QStringLiteral("three"));
    Edit->Lines()->Insert(1, QStringLiteral("two"));
    EXPECT_EQ(Edit->Lines()->Count(), 3);
    EXPECT_EQ(Edit->Lines()->Strings(1), QStringLiteral("two"));
    Edit->Lines()->Delete(2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("one\r\ntwo"));
    Edit->Lines()->Put(0, QStringLiteral("first"));
    EXPECT_EQ(Edit->Lines()->Strings(0), QStringLiteral("first"));
    Edit->Clear();
    EXPECT_EQ(Edit->Lines()->Count(), 0);
}

TEST_F(RichEditTest, FormatsRoundTrip) {
    Edit->Lines()->Add(QStringLiteral("Bold italic"));
    Edit->Lines()->Add(QStringLiteral("centred \u00e9t\u00e9 {x}\\"));
    Edit->Lines()->Add(QStringLiteral("big red"));
    select(Edit, 0, 4);
    Edit->SelAttributes()->SetStyle({fsBold});
    select(Edit, 5, 6);
    Edit->SelAttributes()->SetStyle({fsItalic, fsUnderline});
    select(Edit, 13, 3);
    Edit->Paragraph()->SetAlignment(taCenter);
    select(Edit, 30, 7);
    Edit->SelAttributes()->SetSize(20);
    Edit->SelAttributes()->SetColor(clRed);
    Edit->SelAttributes()->SetName(QStringLiteral("Courier New"));
    roundTrip();
    ASSERT_EQ(Back->Lines()->Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Back->Lines()->Strings(i), Edit->Lines()->Strings(i)) << i;
    struct Probe {
        int At;
        TFontStyles Style;
        int Size;
        TColor Color;
        TAlignment Alignment;
    };
    const int Base = Form->Font()->Size();
    const Probe Probes[] = {
        {1, {fsBold}, Base, clWindowText, taLeftJustify},
        {6, {fsItalic, fsUnderline}, Base, clWindowText, taLeftJustify},
        {14, {}, Base, clWindowText, taCenter},
        {31, {}, 20, clRed, taLeftJustify},
    };
    for (const Probe& P : Probes) {
        select(Back, P.At, 0);
        EXPECT_EQ(Back->SelAttributes()->Style(), P.Style) << P.At;
        EXPECT_EQ(Back->SelAttributes()->Size(), P.Size) << P.At;
        EXPECT_EQ(Back->Paragraph()->Alignment(), P.Alignment) << P.At;
    }
    select(Back, 31, 0);
    EXPECT_EQ(Back->SelAttributes()->Color(), clRed);
    EXPECT_EQ(Back->SelAttributes()->Name(), QStringLiteral("Courier New"));
    // The second save writes what the first one did.
    EXPECT_EQ(Back->RichText(), Edit->RichText());
}

TEST_F(RichEditTest, ReadsForeignRichTextOfTheSubset) {
    const String Rtf = QStringLiteral(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New Roman;}}{\\colortbl ;\\red0\\green0\\blue255;}"
        "{\\*\\generator Something;}{\\info{\\title ignored}}"
        "\\pard\\qr\\f1\\fs28 Caf\\'e9 \\b bold\\b0  \\cf1 blue\\par"
        "\\pard\\uc1\\u8364?\\tab end}");
    Edit->SetRichText(Rtf);
    ASSERT_EQ(Edit->Lines()->Count(), 2);
    EXPECT_EQ(Edit->Lines()->Strings(0), QStringLiteral("Caf\u00e9 bold blue"));
    EXPECT_EQ(Edit->Lines()->Strings(1), QStringLiteral("\u20ac\tend"));
    select(Edit, 2, 0);
    EXPECT_EQ(Edit->SelAttributes()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(Edit->SelAttributes()->Size(), 14);
    EXPECT_EQ(Edit->Paragraph()->Alignment(), taRightJustify);
    select(Edit, 6, 0);
    EXPECT_TRUE(Edit->SelAttributes()->Style().Contains(fsBold));
    select(Edit, 12, 0);
    EXPECT_EQ(Edit->SelAttributes()->Color(), clBlue);
    EXPECT_FALSE(Edit->SelAttributes()->Style().Contains(fsBold));
}

TEST_F(RichEditTest, PlainTextInAndOut) {
    TStringStream Plain(QStringLiteral("just\r\ntext\r\n"));
    Edit->Lines()->LoadFromStream(&Plain);
    EXPECT_EQ(Edit->Lines()->Count(), 2);
    Edit->SetPlainText(true);
    TStringStream Out;
    Edit->Lines()->SaveToStream(&Out);
    EXPECT_FALSE(Out.DataString().startsWith(QLatin1String("{\\rtf")));
    EXPECT_TRUE(Out.DataString().startsWith(QLatin1String("just")));
}

}  // namespace
