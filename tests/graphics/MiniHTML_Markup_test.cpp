#include "components/graphics/MiniHTML_Markup.h"

#include "framework/rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }
std::string U(const String& Text) { return Text.toStdString(); }

using K = TMarkupTagKind;

// ---- Colours and numbers ----

TEST(MiniHTMLMarkup, ColorNamesCoverTheWholeTable) {
    struct Row {
        const char* Name;
        unsigned Color;
    };
    const Row Rows[] = {
        {"clred", 0x0000FF},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"clbackground", 0xFF000001},
        {"clactivecaption", 0xFF000002},
        {"clinactivecaption", 0xFF000003},
        {"clmenu", 0xFF000004},
        {"clwindow", 0xFF000005},
        {"clwindowframe", 0xFF000006},
        {"clmenutext", 0xFF000007},
        {"clwindowtext", 0xFF000008},
        {"clcaptiontext", 0xFF000009},
        {"clactiveborder", 0xFF00000A},
        {"clinactiveborder", 0xFF00000B},
        {"clappworkspace", 0xFF00000C},
        {"clhighlight", 0xFF00000D},
        {"clhighlighttext", 0xFF00000E},
        {"clbtnface", 0xFF00000F},
        {"clbtnshadow", 0xFF000010},
        {"clgraytext", 0xFF000011},
        {"clbtntext", 0xFF000012},
        {"clinactivecaptiontext", 0xFF000013},
        {"clbtnhighlight", 0xFF000014},
        {"cl3ddkshadow", 0xFF000015},
        {"cl3dlight", 0xFF000016},
        {"clinfotext", 0xFF000017},
        {"clinfobk", 0xFF000018},
    };
    static_assert(std::size(Rows) == 40);
    for (const Row& R : Rows) EXPECT_EQ(static_cast<unsigned>(ParseColorName(S(R.Name))), R.Color) << R.Name;
    // Exact match on the lower-cased value: other spellings and plain names are black.
    for (const char* Other : {"green", "red", "ClRed", "clred ", "", "clnone"})
        EXPECT_EQ(ParseColorName(S(Other)), 0) << Other;
}

TEST(MiniHTMLMarkup, HexColorsAndBytes) {
    struct Row {
        const char* Text;
        int Byte;
    };
    for (const Row& R : {Row{"", 0}, Row{"F", 0}, Row{"FF", 255}, Row{"0A", 10}, Row{"A0", 160}, Row{"FFx", 255},
                         // callers upper-case: a lower-case digit reads as c - 55
                         Row{"ff", 16 * 47 + 47}, Row{"9Z", 9 * 16 + 35}})
        EXPECT_EQ(HexByteValue(S(R.Text)), R.Byte) << R.Text;

    EXPECT_EQ(ParseHexColor(S("#FF0000")), 0x0000FF);
    EXPECT_EQ(ParseHexColor(S("#00FF00")), 0x00FF00);
    EXPECT_EQ(ParseHexColor(S("#0000FF")), 0xFF0000);
    EXPECT_EQ(ParseHexColor(S("#123456")), 0x563412);
    EXPECT_EQ(ParseHexColor(S("#FF")), 0x0000FF);  // missing pairs read as 0
    EXPECT_EQ(ParseHexColor(S("")), 0);
    // Odd characters give odd digits but never overflow.
    (void)ParseHexColor(QString(7, QChar(0xFFFF)));
}

TEST(MiniHTMLMarkup, ColorValuesReadEitherCaseAndEmptyKeepsTheDefault) {
    struct Row {
        const char* Value;
        TColor Color;
    };
    for (const Row& R : {Row{"#ff0000", 0x0000FF}, Row{"#FF0000", 0x0000FF}, Row{"#Ff8000", 0x0080FF},
                         Row{"clGreen", 0x008000}, Row{"CLRED", 0x0000FF}, Row{"green", 0}}) {
        TColor C = 0x123456;
        EXPECT_TRUE(ParseMarkupColor(S(R.Value), C)) << R.Value;
        EXPECT_EQ(C, R.Color) << R.Value;
    }
    TColor C = 0x123456;
    EXPECT_FALSE(ParseMarkupColor(String(), C));
    EXPECT_EQ(C, 0x123456);
}

TEST(MiniHTMLMarkup, ValIntegerReadsUpToTheFirstOtherCharacter) {
    struct Row {
        const char* Text;
        int Value;
    };
    for (const Row& R : {Row{"12", 12},
                         Row{"  12", 12},
                         Row{"-7", -7},
                         Row{"+5", 5},
                         Row{"$1F", 31},
                         Row{"x10", 16},
                         Row{"X10", 16},
                         Row{"0x1f", 31},
                         Row{"-$10", -16},
                         Row{"12px", 12},
                         Row{"1 2", 1},
                         Row{"abc", 0},
                         Row{"", 0},
                         Row{"-", 0},
                         Row{"$", 0},
                         Row{"0", 0},
                         Row{"007", 7},
                         Row{"99999999999", INT_MAX},
                         Row{"-99999999999", INT_MIN},
                         Row{"$FFFFFFFF", -1},
                         Row{"$7FFFFFFF", INT_MAX}})
        EXPECT_EQ(ValInteger(S(R.Text)), R.Value) << R.Text;
}

TEST(MiniHTMLMarkup, TryValIntegerWantsTheWholeText) {
    struct Row {
        const char* Text;
        bool Ok;
        int Value;
    };
    for (const Row& R : {Row{"12", true, 12}, Row{" 12", true, 12}, Row{"$A", true, 10},
                         Row{"-2147483648", true, INT_MIN}, Row{"12 ", false, 0}, Row{"1a", false, 0},
                         Row{"", false, 0}, Row{"-", false, 0}, Row{"2147483648", false, 0}}) {
        int V = -99;
        EXPECT_EQ(TryValInteger(S(R.Text), V), R.Ok) << R.Text;
        EXPECT_EQ(V, R.Ok ? R.Value : -99) << R.Text;
    }
}

TEST(MiniHTMLMarkup, PositionAndReplaceHelpers) {
    EXPECT_EQ(PosIgnoreCase(S("bR"), S("a<Br>")), 3);
    EXPECT_EQ(PosIgnoreCase(S(""), S("abc")), 0);
    int P = -1;
    EXPECT_EQ(PosOut(S("b"), S("aBb"), P), 3);
    EXPECT_EQ(P, 3);
    EXPECT_EQ(PosOut(S("z"), S("aBb"), P), 0);
    EXPECT_EQ(P, 0);
    String T = S("x&NBSP;y&nbsp;");
    EXPECT_TRUE(ReplaceFirstIgnoreCase(S("&nbsp;"), S(" "), T));
    EXPECT_EQ(U(T), "x y&nbsp;");
    EXPECT_FALSE(ReplaceFirstIgnoreCase(S("&lt;"), S("<"), T));
}

TEST(MiniHTMLMarkup, UnwrapHashTagsAndLineBreaks) {
    struct Row {
        const char* In;
        const char* Out;
    };
    for (const Row& R : {Row{"<#name>", "#name"}, Row{"a<#b>c<#d>e", "a#bc#de"}, Row{"<#x", "#x"},
                         Row{"a>b<#c", "a>b#c"}, Row{"<#a><b>", "#a<b>"}, Row{"<<##>>", "##"}})
        EXPECT_EQ(U(UnwrapHashTags(S(R.In))), R.Out) << R.In;

    EXPECT_EQ(U(LineBreaksToBR(S("a\r\nb"), true)), "a<BR>b");
    EXPECT_EQ(U(LineBreaksToBR(S("a\r\nb"), false)), "ab");
    EXPECT_EQ(U(LineBreaksToBR(S("a\nb\rc\td"), true)), "ab<BR>c\td");
}

// ---- Entities ----

// The text stage as passes that each replace the first occurrence of every entity, in order,
// until a pass changes nothing.
String textEntitiesByPasses(String T) {
    const char* Names[] = {"&amp;", "&quot;", "&sect;", "&permil;", "&reg;", "&copy;", "&para;", "&trade;", "&euro;"};
    const char16_t With[] = {0, u'"', 0xA7, 0x2030, 0xAE, 0xA9, 0xB6, 0x2122, 0x20AC};
    for (bool Changed = T.contains(u'&'); Changed;) {
        Changed = false;
        for (int I = 0; I < 9; ++I)
            Changed |= ReplaceFirstIgnoreCase(S(Names[I]), I == 0 ? S("&&") : String(QChar(With[I])), T);
    }
    return T;
}

// The run stage as written: while the lower-case name is present, replace its first occurrence in any case.
String runEntitiesAsWritten(String T) {
    const char* Names[] = {"&nbsp;", "&lt;", "&gt;"};
    const char* With[] = {" ", "<", ">"};
    for (int I = 0; I < 3; ++I)
        while (T.contains(S(Names[I]))) ReplaceFirstIgnoreCase(S(Names[I]), S(With[I]), T);
    return T;
}

TEST(MiniHTMLMarkup, TextEntityStage) {
    struct Row {
        const char* In;
        const char* Out;
    };
    for (const Row& R : {Row{"a&amp;b", "a&&b"}, Row{"&AMP;", "&&"}, Row{"&quot;x&Quot;", "\"x\""},
                         Row{"&sect;&permil;&reg;&copy;", "§‰®©"}, Row{"&para;&trade;&euro;", "¶™€"},
                         Row{"&amp;quot;", "&\""},  // the second "&" starts a new entity
                         Row{"&amp;amp;", "&&&"}, Row{"a&b", "a&b"}, Row{"&nbsp;&lt;", "&nbsp;&lt;"},
                         Row{"&copy", "&copy"}, Row{"", ""}})
        EXPECT_EQ(U(ReplaceTextEntities(S(R.In))), R.Out) << R.In;
}

TEST(MiniHTMLMarkup, RunEntityStageKeepsItsLetterCaseRule) {
    struct Row {
        const char* In;
        const char* Out;
    };
    for (const Row& R : {Row{"a&nbsp;b", "a b"}, Row{"&NBSP;", "&NBSP;"}, Row{"&NBSP;&nbsp;", "  "},
                         Row{"&nbsp;&NBSP;", " &NBSP;"}, Row{"&lt;b&gt;", "<b>"}, Row{"&LT;", "&LT;"},
                         Row{"&Lt;x&lt;", "<x<"}, Row{"&amp;lt;", "&amp;lt;"}, Row{"&nbsp", "&nbsp"}})
        EXPECT_EQ(U(ReplaceRunEntities(S(R.In))), R.Out) << R.In;
}

TEST(MiniHTMLMarkup, EntityStagesAgreeWithTheirPassDefinitionsOnRandomText) {
    // Pieces that build entities, near-entities and different spellings.
    const char* Pieces[] = {"&",     "amp;",  "AMP;",  "quot;", "Quot;", "nbsp;", "NBSP;", "lt;", "gt;", "LT;",
                            "euro;", "copy;", "&amp;", "&lt;",  "x",     " ",     ";",     "a",   "&&"};
    std::mt19937 Rng(20240611);
    for (int Round = 0; Round < 3000; ++Round) {
        String T;
        const int N = static_cast<int>(Rng() % 9);
        for (int I = 0; I < N; ++I) T += S(Pieces[Rng() % std::size(Pieces)]);
        ASSERT_EQ(U(ReplaceTextEntities(T)), U(textEntitiesByPasses(T))) << U(T);
        ASSERT_EQ(U(ReplaceRunEntities(T)), U(runEntitiesAsWritten(T))) << U(T);
    }
}

TEST(MiniHTMLMarkup, PrefixIsOffOnlyForALoneAmpersand) {
    EXPECT_TRUE(MarkupDisablesPrefix(S("Tom & Jerry")));
    EXPECT_FALSE(MarkupDisablesPrefix(S("Tom&Jerry")));
    EXPECT_FALSE(MarkupDisablesPrefix(S("&amp;")));
    EXPECT_FALSE(MarkupDisablesPrefix(S("a &b")));
}

// ---- Tags ----

TEST(MiniHTMLMarkup, TagRecognitionByItsDecidingLetters) {
    struct Row {
        const char* Rest;
        K Kind;
        bool Closing;
    };
    const Row Rows[] = {
        {"<b>x", K::Bold, false},
        {"<B>x", K::Bold, false},
        {"<BX>", K::Unknown, false},
        {"<br>", K::LineBreak, false},
        {"<BLINK>", K::Blink, false},
        {"<BODY bgcolor=\"clred\">", K::Body, false},
        {"<BOX>", K::Body, false},
        {"<e>", K::Error, false},
        {"<font size=\"2\">", K::Font, false},
        {"<hi>", K::Highlight, false},
        {"<HR>", K::HorzRule, false},
        {"<H1>", K::Unknown, false},
        {"<i>", K::Italic, false},
        {"<IND x=\"4\">", K::Indent, false},
        {"<img src=\"a\">", K::Image, false},
        {"<IX>", K::Unknown, false},
        {"<li>", K::ListItem, false},
        {"<ol>", K::OrderedList, false},
        {"<OFS x=\"4\">", K::Offset, false},
        {"<OX>", K::Unknown, false},
        {"<p>", K::Paragraph, false},
        {"<ROT a=\"90\">", K::Rotate, false},
        {"<s>", K::Strike, false},
        {"<STRIKE>", K::Strike, false},
        {"<SHAD>", K::Shadow, false},
        {"<span style=\"\">", K::Span, false},
        {"<sub>", K::Subscript, false},
        {"<SuP>", K::Superscript, false},
        {"<SUBX>", K::Unknown, false},
        {"<u>", K::Underline, false},
        {"<ul>", K::UnorderedList, false},
        {"<z>", K::Hidden, false},
        {"<q>", K::Unknown, false},
        {"<1>", K::Unknown, false},
        {"</a>", K::Anchor, true},
        {"</B>", K::Bold, true},
        {"</BLINK>", K::Blink, true},
        {"</BODY>", K::Blink, true},  // any other "</B…" restores the font colour
        {"</e>", K::Error, true},
        {"</font>", K::Font, true},
        {"</h1>", K::Highlight, true},
        {"</hi>", K::Highlight, true},
        {"</IMG>", K::Italic, true},
        {"</li>", K::ListItem, true},
        {"</o>", K::Offset, true},
        {"</ol>", K::OrderedList, true},
        {"</p>", K::Paragraph, true},
        {"</rot>", K::Rotate, true},
        {"</strike>", K::Strike, true},
        {"</sub>", K::Subscript, true},
        {"</sup>", K::Subscript, true},
        {"</span>", K::Span, true},
        {"</shad>", K::Shadow, true},
        {"</s>", K::Strike, true},
        {"</sx>", K::Strike, true},
        {"</u>", K::Underline, true},
        {"</ul>", K::UnorderedList, true},
        {"</z>", K::Hidden, true},
        {"</q>", K::Unknown, true},
        {"</B", K::Unknown, false},  // three characters: not a closing tag
        {"<", K::Dropped, false},
        {"<b", K::Dropped, false},
    };
    for (const Row& R : Rows) {
        const TMarkupTag T = ScanMarkupTag(S(R.Rest));
        EXPECT_EQ(T.Kind, R.Kind) << R.Rest;
        EXPECT_EQ(T.Closing, R.Closing) << R.Rest;
    }
}

TEST(MiniHTMLMarkup, TagExtentEndsAtTheFirstGreaterThanOrTakesTheRest) {
    TMarkupTag T = ScanMarkupTag(S("<b>rest>"));
    EXPECT_EQ(T.EndPos, 3);
    EXPECT_EQ(T.Length(), 3);
    EXPECT_EQ(U(T.Text), "<b>");

    T = ScanMarkupTag(S("<font color="));  // cut off: everything from "<" goes
    EXPECT_EQ(T.Kind, K::Font);
    EXPECT_FALSE(T.HasEnd());
    EXPECT_EQ(T.Length(), 12);

    T = ScanMarkupTag(S("<b"));
    EXPECT_EQ(T.Length(), 2);
}

TEST(MiniHTMLMarkup, ScanningAnyShortTextTakesAtLeastOneCharacter) {
    const char16_t Alphabet[] = {u'<', u'>', u'/', u'b', u'S', u'u', u'O', u'"', u' ', 0xD800, 0};
    std::mt19937 Rng(7);
    for (int Round = 0; Round < 5000; ++Round) {
        String T = S("<");
        const int N = static_cast<int>(Rng() % 8);
        for (int I = 0; I < N; ++I) T += QChar(Alphabet[Rng() % std::size(Alphabet)]);
        const TMarkupTag Tag = ScanMarkupTag(T);
        ASSERT_GE(Tag.Length(), 1) << U(T);
        ASSERT_LE(Tag.Length(), T.size()) << U(T);
        (void)MarkupAttribute(MarkupAttributeText(Tag), S("COLOR"));
        (void)MarkupLetterAttribute(MarkupAttributeText(Tag), u'x');
    }
}

// ---- Attributes ----

TEST(MiniHTMLMarkup, AttributeTextStartsAtTheTagsFixedCharacter) {
    struct Row {
        const char* Tag;
        const char* AttrText;
    };
    for (const Row& R :
         {Row{"<A HREF=\"u\">", " HREF=\"u\""}, Row{"<HR COLOR=\"c\">", " COLOR=\"c\""},
          Row{"<BODY BGCOLOR=\"c\">", " BGCOLOR=\"c\""}, Row{"<FONT FACE=\"f\">", " FACE=\"f\""},
          Row{"<SPAN STYLE=\"s\">", " STYLE=\"s\""}, Row{"<IMG SRC=\"s\">", "MG SRC=\"s\""},
          Row{"<LI TYPE=\"t\">", "I TYPE=\"t\""}, Row{"<P ALIGN=\"a\">", " ALIGN=\"a\""},
          Row{"<IND x=\"5\">", "ND x=\"5\""}, Row{"<OF x=\"5\">", "F x=\"5\""}, Row{"<R a=\"9\">", " a=\"9\""},
          // a FONT tag written short loses the start of its attributes
          Row{"<F COLOR=\"clred\">", "LOR=\"clred\""}, Row{"<HR", ""}})
        EXPECT_EQ(U(MarkupAttributeText(ScanMarkupTag(S(R.Tag)))), R.AttrText) << R.Tag;
    EXPECT_EQ(U(MarkupAttribute(MarkupAttributeText(ScanMarkupTag(S("<F COLOR=\"clred\">"))), S(" COLOR"))), "");
}

TEST(MiniHTMLMarkup, AttributeValuesByPlainSubstringSearch) {
    const String A = S(" HREF=\"Page.html\" TITLE=\"Tip Text\"");
    EXPECT_EQ(U(MarkupAttribute(A, S("HREF"), true)), "Page.html");
    EXPECT_EQ(U(MarkupAttribute(A, S("HREF"))), "PAGE.HTML");
    EXPECT_EQ(U(MarkupAttribute(A, S("TITLE"), true)), "Tip Text");
    EXPECT_TRUE(HasMarkupAttribute(A, S("TITLE")));
    EXPECT_FALSE(HasMarkupAttribute(A, S("SRC")));

    // No quotes: empty value, so the colour does not change.
    EXPECT_EQ(U(MarkupAttribute(S(" COLOR=red"), S(" COLOR"))), "");
    EXPECT_EQ(U(MarkupAttribute(S(" COLOR=\"red"), S(" COLOR"))), "");
    // The leading blank keeps COLOR from matching inside BGCOLOR.
    EXPECT_EQ(U(MarkupAttribute(S(" BGCOLOR=\"clblue\""), S(" COLOR"))), "");
    EXPECT_EQ(U(MarkupAttribute(S(" color=\"clRed\" bgcolor=\"clBlue\""), S(" COLOR"))), "CLRED");
    // The shorter attribute must come first: BGCOLOR also matches inside BGCOLORTO.
    const String ToFirst = S(" BGCOLORTO=\"clRed\" BGCOLOR=\"clBlue\"");
    EXPECT_EQ(U(MarkupAttribute(ToFirst, S("BGCOLOR"))), "CLRED");
    EXPECT_EQ(U(MarkupAttribute(ToFirst, S("BGCOLORTO"))), "CLRED");
    const String FromFirst = S(" BGCOLOR=\"clBlue\" BGCOLORTO=\"clRed\"");
    EXPECT_EQ(U(MarkupAttribute(FromFirst, S("BGCOLOR"))), "CLBLUE");
    EXPECT_EQ(U(MarkupAttribute(FromFirst, S("BGCOLORTO"))), "CLRED");
    // The value is the next quoted text after the name, wherever it is.
    EXPECT_EQ(U(MarkupAttribute(S(" HREF=x TITLE=\"t\""), S("HREF"), true)), "t");
}

TEST(MiniHTMLMarkup, SingleLetterAttributes) {
    EXPECT_EQ(U(MarkupLetterAttribute(S("ND x=\"50\""), u'x')), "50");
    EXPECT_EQ(U(MarkupLetterAttribute(S("ND X=\"7\""), u'x')), "7");
    EXPECT_EQ(U(MarkupLetterAttribute(S(" a=\"90\""), u'a')), "90");
    EXPECT_EQ(U(MarkupLetterAttribute(S("ND y=\"50\""), u'x')), "");
    EXPECT_EQ(U(MarkupLetterAttribute(S("ND x=50"), u'x')), "");
}

TEST(MiniHTMLMarkup, FontSizeSteps) {
    struct Row {
        int N, Size;
    };
    for (const Row& R :
         {Row{1, 10}, Row{2, 11}, Row{3, 13}, Row{4, 15}, Row{5, 17}, Row{0, 0}, Row{6, 6}, Row{10, 10}, Row{-1, -1}})
        EXPECT_EQ(FontSizeStep(9, R.N), R.Size) << R.N;
}

TEST(MiniHTMLMarkup, StyleValues) {
    struct Row {
        const char* Style;
        bool Ok;
        int Size;
    };
    for (const Row& R : {Row{"FONT-SIZE:12PT", true, 12}, Row{"FONT-SIZE: 14 PT", true, 14},
                         Row{"FONT-SIZE:12", false, 0}, Row{"COLOR:RED", false, 0},
                         // the size is read after the first 10 characters, wherever the key is
                         Row{"X;FONT-SIZE:12PT", true, 0}}) {
        int Size = -5;
        EXPECT_EQ(ReadFontStyleSize(S(R.Style), Size), R.Ok) << R.Style;
        if (R.Ok) {
            EXPECT_EQ(Size, R.Size) << R.Style;
        }
    }
    TColor C = 0;
    EXPECT_TRUE(ReadSpanBackground(S("BACKGROUND-COLOR:#FF0000"), C));
    EXPECT_EQ(C, 0x0000FF);
    EXPECT_FALSE(ReadSpanBackground(S("BACKGROUND-COLOR:RED"), C));
    EXPECT_FALSE(ReadSpanBackground(S("COLOR:#00FF00"), C));
    EXPECT_EQ(C, 0x0000FF);
}

TEST(MiniHTMLMarkup, ParagraphAlignLaterTestsWin) {
    EXPECT_EQ(ParseParagraphAlign(S("RIGHT"), 0), 1);
    EXPECT_EQ(ParseParagraphAlign(S("LEFT"), 2), 0);
    EXPECT_EQ(ParseParagraphAlign(S("CENTER"), 0), 2);
    EXPECT_EQ(ParseParagraphAlign(S("RIGHTLEFT"), 2), 0);
    EXPECT_EQ(ParseParagraphAlign(S("JUSTIFY"), 1), 1);
}

TEST(MiniHTMLMarkup, ImageSources) {
    struct Row {
        const char* Src;
        TImageSourceKind Kind;
        int Index;
        const char* Value;
    };
    using I = TImageSourceKind;
    for (const Row& R : {Row{"IDX:3", I::ImageList, 3, ""}, Row{"idx:12", I::ImageList, 12, ""},
                         Row{"SSYS:/tmp/a.txt", I::SmallShell, 0, "/tmp/a.txt"}, Row{"lsys:5", I::LargeShell, 0, "5"},
                         Row{"Logo", I::Container, 0, "Logo"}, Row{"http://host/a.png", I::Url, 0, "http://host/a.png"},
                         Row{"C:\\pics\\a.png", I::None, 0, ""}, Row{"", I::None, 0, ""}}) {
        const TImageSource Src = ParseImageSource(S(R.Src));
        EXPECT_EQ(Src.Kind, R.Kind) << R.Src;
        EXPECT_EQ(Src.Index, R.Index) << R.Src;
        EXPECT_EQ(U(Src.Value), R.Value) << R.Src;
    }
}

}  // namespace
