#include "components/graphics/AsgHTMLE_Utils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }
std::string U(const String& Text) { return Text.toStdString(); }

struct TextRow {
    const char* In;
    const char* Out;
};

TEST(AsgHTMLEUtils, StripKeepsHiddenSections) {
    EXPECT_EQ(U(AsgHTMLE::StripMarkupTags(S("<b>a</b><z>hidden</z>c"))), "ahiddenc");
    EXPECT_EQ(U(AsgHTMLE::StripMarkupTags(S("a<BR>b"))), "a\r\nb");
    EXPECT_EQ(U(AsgHTMLE::RemoveAllTags(S("x<b>y</b>"))), "xy");
}

TEST(AsgHTMLEUtils, DecodeHtmlEntities) {
    struct Row {
        const char* In;
        bool Letters;
        const char* Out;
    };
    for (const Row& R : {
             Row{"&lt;b&gt; &quot;q&quot;", false, "<b> \"q\""},
             Row{"&amp;amp;", false, "&amp;"},  // one pass: its own output is not read again
             Row{"&amp;lt;", false, "&lt;"},
             Row{"&LT;", false, "&LT;"},    // another spelling alone stays
             Row{"&LT;&lt;", false, "<<"},  // but goes while the exact one follows
             Row{"&lt;&LT;", false, "<&LT;"},
             Row{"&eacute;", false, "&eacute;"},
             Row{"&eacute;", true, "\xC3\xA9"},
             Row{"&Eacute;&eacute;", true, "\xC3\x89\xC3\xA9"},  // exact spellings keep their letter
             Row{"&EACUTE;&eacute;", true, "\xC3\xA9\xC3\xA9"},
             Row{"&EACUTE;&Eacute;", true, "\xC3\x89\xC3\x89"},
             Row{"&copy;&reg;&euro;&laquo;&raquo;", true, "\xC2\xA9\xC2\xAE\xE2\x82\xAC\xC2\xAB\xC2\xBB"},
             Row{"&ccedil;&Oslash;&aring;", true, "\xC3\xA7\xC3\x98\xC3\xA5"},
             Row{"a & b;", true, "a & b;"},
             Row{"&amp", false, "&amp"},
         })
        EXPECT_EQ(U(AsgHTMLE::DecodeHtmlEntities(S(R.In), R.Letters)), R.Out) << R.In;
}

TEST(AsgHTMLEUtils, EncodeHtmlEntities) {
    struct Row {
        const char* In;
        bool Letters;
        const char* Out;
    };
    for (const Row& R : {
             Row{"a<b>&\"c\"", false, "a&lt;b&gt;&amp;&quot;c&quot;"},
             Row{"*amp;", false, "*amp;"},  // a text already holding it keeps it
             Row{"&amp;", false, "&amp;amp;"},
             Row{"\xC3\xA9", false, "\xC3\xA9"},
             Row{"\xC3\xA9\xC3\x89", true, "&eacute;&Eacute;"},
             Row{"\xC2\xABx\xC2\xBB \xE2\x82\xAC", true, "&laquo;x&raquo; &euro;"},
             Row{"", true, ""},
         })
        EXPECT_EQ(U(AsgHTMLE::EncodeHtmlEntities(S(R.In), R.Letters)), R.Out) << R.In;
}

TEST(AsgHTMLEUtils, DecodeUndoesEncode) {
    const char* Texts[] = {"plain",
                           "*amp;",
                           "&amp;",
                           "&lt;&LT;",
                           "a<b>&\"c\"",
                           "\xC3\x89\xC3\xA9",
                           "&eacute;\xC3\xA9",
                           "Tom & Jerry <3",
                           "&&;;&amp;;",
                           "\xC3\xA7\xC3\x87\xC3\xB8\xC3\x98\xC3\xA5\xC3\x85\xC2\xA9",
                           ""};
    for (const char* T : Texts)
        for (bool Letters : {false, true})
            EXPECT_EQ(U(AsgHTMLE::DecodeHtmlEntities(AsgHTMLE::EncodeHtmlEntities(S(T), Letters), Letters)), T)
                << T << (Letters ? " with letters" : "");
}

TEST(AsgHTMLEUtils, SpacesToNbsp) {
    EXPECT_EQ(U(AsgHTMLE::SpacesToNbsp(S("a b  c"))), "a&nbsp;b&nbsp;&nbsp;c");
    EXPECT_EQ(U(AsgHTMLE::SpacesToNbsp(S("ab"))), "ab");
}

TEST(AsgHTMLEUtils, HighlightMarkupText) {
    struct Row {
        const char* Text;
        const char* Search;
        bool CaseSensitive;
        bool WholeText;
        const char* Out;
    };
    for (const Row& R : {
             // plain text comes back encoded around the marks, the tag upper-cased
             Row{"a<b", "b", false, false, "a&lt;<HI>b</HI>"},
             Row{"a<b", "z", false, false, "a<b"},
             Row{"x & y & z", "Y", false, false, "x &amp; <HI>y</HI> &amp; z"},
             Row{"x & y", "Y", true, false, "x & y"},
             Row{"aaa", "a", true, false, "<HI>a</HI><HI>a</HI><HI>a</HI>"},
             Row{"<HI>ab</HI>", "b", true, false, "a<HI>b</HI>"},  // old marks go first
             Row{"abc", "ABC", false, true, "<HI>abc</HI>"},
             Row{"a\xC3\xA9", "A\xC3\x89", false, true, "<HI>a&eacute;</HI>"},
             Row{"abc", "AB", false, true, "abc"},
             // markup: tags count as nothing, an entity as one character
             Row{"x<b>caf\xC3\xA9</b>", "\xC3\x89", false, false, "x<b>caf<HI>\xC3\xA9</HI></b>"},
             Row{"<b>a&amp;b</b>", "&B", false, false, "<b>a<HI>&amp;b</HI></b>"},
             Row{"<b>caf&eacute;</b>", "F\xC3\x89", false, false, "<b>ca<HI>f&eacute;</HI></b>"},
             Row{"<i>ab</i>ab", "b", true, false, "<i>a<HI>b</HI></i>a<HI>b</HI>"},
             Row{"<font color=\"clred\">ab</font>cd", "bc", true, false,
                 "<font color=\"clred\">a<HI>b</font></HI><HI>c</HI>d"},
             Row{"<b>ab</b>", "AB", false, true, "<HI><b>ab</b></HI>"},
             Row{"<b>ab</b>", "", false, false, "<b>ab</b>"},
         })
        EXPECT_EQ(U(AsgHTMLE::HighlightMarkupText(S(R.Text), S(R.Search), S("hi"), R.CaseSensitive, R.WholeText)),
                  R.Out)
            << R.Text << " / " << R.Search;
}

TEST(AsgHTMLEUtils, UnhighlightMarkupText) {
    for (const TextRow& R : {TextRow{"a&lt;<HI>b</HI>", "a<b"}, TextRow{"<hi>a</hi>&lt;", "a<"},
                             TextRow{"<b><HI>a</HI></b>&lt;", "<b>a</b>&lt;"}, TextRow{"a&lt;b", "a&lt;b"}})
        EXPECT_EQ(U(AsgHTMLE::UnhighlightMarkupText(S(R.In), S("hi"))), R.Out) << R.In;
}

TEST(AsgHTMLEUtils, UnhighlightUndoesHighlight) {
    const char* Texts[] = {"a<b",
                           "Tom & Jerry <3",
                           "caf\xC3\xA9 \"quoted\"",
                           "\xC3\xA9&eacute;*amp;",
                           "<b>ab</b>c",
                           "x<b>caf&eacute;</b> &amp; more",
                           "<font color=\"clred\">ab</font>cd",
                           ""};
    const char* Searches[] = {"", "a", "B", "\xC3\x89", "&", "<", "zzz", "AB"};
    for (const char* T : Texts)
        for (const char* Search : Searches)
            for (bool CaseSensitive : {false, true})
                for (bool WholeText : {false, true}) {
                    const String Marked =
                        AsgHTMLE::HighlightMarkupText(S(T), S(Search), S("hi"), CaseSensitive, WholeText);
                    EXPECT_EQ(U(AsgHTMLE::UnhighlightMarkupText(Marked, S("hi"))), T) << T << " / " << Search;
                }
    // The whole text as the search: marked as a whole, and back.
    for (const char* T : Texts) {
        const String Marked = AsgHTMLE::HighlightMarkupText(S(T), S(T), S("hi"), true, true);
        EXPECT_EQ(U(AsgHTMLE::UnhighlightMarkupText(Marked, S("hi"))), T) << T;
    }
}

}  // namespace
