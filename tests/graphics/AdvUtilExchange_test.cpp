#include "components/graphics/AdvUtilExchange.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }
const String CRLF = QStringLiteral("\r\n");

TEST(AdvUtilExchange, InPlaceLineBreakEncodings) {
    using Step = std::function<void(String&)>;
    struct Case {
        const char* Name;
        Step Apply;
        String In, Out;
    };
    const Case Cases[] = {
        {"QuoteCsvField", QuoteCsvField, S("a") + CRLF + S("b"),
         S("\"a\x0B"
           "b\"")},
        {"QuoteCsvField keeps inner quotes", QuoteCsvField, S("a\"b\r"), S("\"a\"b\r\"")},
        {"VTToCRLF", VTToCRLF,
         S("a\x0B"
           "b"),
         S("a") + CRLF + S("b")},
        {"RemoveCRFromCRLF", RemoveCRFromCRLF, S("a\r\nb\rc"), S("a\nb\rc")},
        {"LineBreaksToTilde", LineBreaksToTilde, S("a\r\nb\nc\r"), S("a~bc~")},
        {"TildeToLineBreaks", TildeToLineBreaks, S("~"), CRLF},
        {"TildeToLineBreaks of ^", TildeToLineBreaks, S("^"), S("")},
        {"TildeToLineBreaks of ^^", TildeToLineBreaks, S("^^"), S("^^")},
        {"ConvertToOem", ConvertToOem, S("é"), S("é")},
        {"ConvertFromOem", ConvertFromOem, S("é"), S("é")},
    };
    for (const Case& C : Cases) {
        String T = C.In;
        C.Apply(T);
        EXPECT_EQ(T, C.Out) << C.Name;
    }
}

TEST(AdvUtilExchange, CopyingLineBreakEncodings) {
    EXPECT_EQ(EscapeLineBreaks(S("a\r\nb")), S("a\\nb"));
    EXPECT_EQ(UnescapeLineBreaks(S("a\\nb\\")), S("a\rb\\"));
    EXPECT_EQ(UnescapeLineBreaks(EscapeLineBreaks(S("a") + CRLF + S("b"))), S("a\rb"));
    EXPECT_EQ(LineBreaksToHtml(S("a\r\nb")), S("a<br>\nb"));
    EXPECT_EQ(LineBreaksToHtml(S("a\nb")), S("a\nb"));
    EXPECT_EQ(EncodeLineBreaks(S("a\tb")), S("a\tb"));        // no CR: untouched
    EXPECT_EQ(DecodeLineBreaks(S("a\tb"), true), S("a\tb"));  // no #8: untouched

    const String WithZero = S("a") + CRLF + S("b") + Char(u'\0') + S("c") + CRLF + S("d");
    const String Encoded = EncodeLineBreaks(WithZero);
    EXPECT_EQ(Encoded, S("a\t\bb\x01"
                         "c\t\bd"));
    EXPECT_FALSE(Encoded.contains(u'\r') || Encoded.contains(u'\n') || Encoded.contains(u'\0'));
    EXPECT_EQ(DecodeLineBreaks(Encoded, true), WithZero);
    EXPECT_EQ(DecodeLineBreaks(Encoded, false), S("a"));
}

TEST(AdvUtilExchange, CsvLineBreaksRoundTrip) {
    const String Texts[] = {S(""), S("plain"), S("a") + CRLF + S("b") + CRLF, CRLF + CRLF + S("x")};
    for (const String& Text : Texts) {
        String T = Text;
        QuoteCsvField(T);
        EXPECT_FALSE(T.contains(u'\r'));
        T = T.mid(1, T.size() - 2);
        VTToCRLF(T);
        EXPECT_EQ(T, Text);
        String Tilde = Text;
        LineBreaksToTilde(Tilde);
        TildeToLineBreaks(Tilde);
        EXPECT_EQ(Tilde, Text);
    }
}

TEST(AdvUtilExchange, WideTextRoundTrip) {
    EXPECT_EQ(EncodeWideText(S("")), S("|\\"));
    const String Encoded = EncodeWideText(S("A€"));
    EXPECT_EQ(Encoded, S("|\\") + Char(u'\0') + u'A' + Char(u'\x20') + Char(u'\xAC'));
    for (Char C : Encoded) EXPECT_LT(C.unicode(), 256);
    const String Texts[] = {S(""), S("plain"), S("日本語 é ß"), S("a") + Char(u'\0') + S("b"), S("\U0001F600")};
    for (const String& Text : Texts) EXPECT_EQ(DecodeWideText(EncodeWideText(Text)), Text);
    EXPECT_EQ(DecodeWideText(S("plain")), S("plain"));
    EXPECT_EQ(DecodeWideText(S("|\\") + Char(u'\0') + u'A' + Char(u'\x01')), S("A"));  // odd last ignored
}

TEST(AdvUtilExchange, ColorToHtmlHexIsRedGreenBlue) {
    EXPECT_EQ(ColorToHtmlHex(0x00123456), S("563412"));
    EXPECT_EQ(ColorToHtmlHex(clRed), S("FF0000"));
    EXPECT_EQ(ColorToHtmlHex(clBlue), S("0000FF"));
    EXPECT_EQ(ColorToHtmlHex(static_cast<TColor>(0xFF00000F)), S("0F0000"));  // not resolved
}

TEST(AdvUtilExchange, BuildClipboardHtmlHasExactOffsets) {
    const String Head = QStringLiteral("Version:1.0\r\n");
    const String DocType = S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    const String BodyStart =
        S("<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head><body>"
          "<!--StartFragment-->");
    const String Tail = S("<!--EndFragment--></body></html>");
    ASSERT_EQ(DocType.size(), 62);
    ASSERT_EQ(BodyStart.size(), 115);
    ASSERT_EQ(Tail.size(), 32);

    struct Case {
        String Fragment;
        const char* EndHTML;
        const char* EndFragment;
    };
    const Case Cases[] = {
        {S(""), "00000306", "00000274"},
        {S("<b>1234</b>").left(10), "00000316", "00000284"},
        {S("x").repeated(123456), "00123762", "00123730"},
    };
    for (const Case& C : Cases) {
        String Html = C.Fragment;
        BuildClipboardHtml(Html);
        const String Expected = Head + S("StartHTML:00000097\r\nEndHTML:") + S(C.EndHTML) +
                                S("\r\nStartFragment:00000274\r\nEndFragment:") + S(C.EndFragment) + CRLF + DocType +
                                BodyStart + C.Fragment + Tail;
        EXPECT_EQ(Html, Expected);
        // The offsets point where they say.
        EXPECT_TRUE(Html.mid(97).startsWith(S("<!DOCTYPE")));
        EXPECT_EQ(Html.mid(274, C.Fragment.size()), C.Fragment);
        EXPECT_TRUE(Html.mid(274 + C.Fragment.size()).startsWith(S("<!--EndFragment-->")));
        EXPECT_EQ(Html.size(), 274 + C.Fragment.size() + 32);
    }
}

TEST(AdvUtilExchange, LinkifyText) {
    struct Case {
        const char* Text;
        const char* Prefix;
        bool Linked;
        const char* Dest;
    };
    const Case Cases[] = {
        {"see pre.x/a b", "PRE.", true, "see <a href=\"pre.x/a\">pre.x/a</a> b"},
        {"Go HTTP://A.b/c?d=1&e_f{}", "HTTP://", true,
         "Go <a href=\"HTTP://A.b/c?d=1&e_f{}\">HTTP://A.b/c?d=1&e_f{}</a>"},
        {"a<b http://x", "HTTP://", true, "a&lt;b <a href=\"http://x\">http://x</a>"},
        {"http://a http://b", "HTTP://", true, "<a href=\"http://a\">http://a</a> http://b"},
        {"http://aé", "HTTP://", true, "<a href=\"http://a\">http://a</a>é"},
        {"no link", "HTTP://", false, "untouched"},
        {"a<b", "<B", false, "untouched"},
        {"x", "", false, "untouched"},
    };
    for (const Case& C : Cases) {
        String Dest = S("untouched");
        EXPECT_EQ(LinkifyText(S(C.Text), S(C.Prefix), Dest), C.Linked) << C.Text;
        EXPECT_EQ(Dest, S(C.Dest)) << C.Text;
    }
}

}  // namespace
