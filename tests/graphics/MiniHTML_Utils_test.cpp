#include "components/graphics/MiniHTML_Utils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

String S(const char* Utf8) { return String::fromUtf8(Utf8); }
std::string U(const String& Text) { return Text.toStdString(); }

struct TextRow {
    const char* In;
    const char* Out;
};

TEST(MiniHTMLUtils, StripMarkupTags) {
    for (const TextRow& R :
         {TextRow{"a<BR>b", "a\r\nb"}, TextRow{"a<br>b<Hr>c", "a\r\nb\r\nc"}, TextRow{"x<b>y</b>", "xy"},
          TextRow{"<b>a</b><z>hidden</z>c", "ac"}, TextRow{"<Z>h</Z>c<z>i</z>", "c"}, TextRow{"a<z>open", "aopen"},
          TextRow{"<z>h</Z>c", "hc"},  // each pair matched in its own case
          TextRow{"ab<cd", "ab<cd"}, TextRow{"a<b>c<d", "ac<d"}, TextRow{"", ""}})
        EXPECT_EQ(U(StripMarkupTags(S(R.In))), R.Out) << R.In;
}

TEST(MiniHTMLUtils, RemoveAllTags) {
    for (const TextRow& R : {TextRow{"x<b>y</b>", "xy"}, TextRow{"ab<cd", "ab<cd"}, TextRow{"<a><b>", ""},
                             TextRow{"a<BR>b", "ab"}, TextRow{"a>b<c>d", "a>b<c>d"}, TextRow{"a<b>c>d<e", "ac>d<e"}})
        EXPECT_EQ(U(RemoveAllTags(S(R.In))), R.Out) << R.In;
}

TEST(MiniHTMLUtils, VisibleToStringPos) {
    struct Row {
        const char* Text;
        int N;
        int Pos;
    };
    for (const Row& R :
         {Row{"a<b>c", 1, 1}, Row{"a<b>c", 2, 2}, Row{"a<b>c", 3, 6}, Row{"a<b>c", 4, 0}, Row{"<b>a", 1, 1},
          Row{"<b>a", 2, 5}, Row{"", 1, 1}, Row{"", 2, 0}, Row{"abc", 0, 0}, Row{"a<b", 2, 2}, Row{"a<b", 3, 0}})
        EXPECT_EQ(VisibleToStringPos(S(R.Text), R.N), R.Pos) << R.Text << " N=" << R.N;
}

TEST(MiniHTMLUtils, FindTextFrom) {
    struct Row {
        const char* Search;
        const char* S;
        int From;
        bool CaseSensitive;
        int Pos;
    };
    for (const Row& R :
         {Row{"l", "hello", 0, true, 3}, Row{"l", "hello", 3, true, 4}, Row{"l", "hello", 4, true, 0},
          Row{"L", "hello", 0, false, 3}, Row{"L", "hello", 0, true, 0}, Row{"É", "café", 0, false, 4},
          Row{"", "hello", 0, false, 0}, Row{"o", "hello", 99, true, 0}, Row{"h", "hello", -3, true, 1}}) {
        int P = -1;
        EXPECT_EQ(FindTextFrom(S(R.Search), S(R.S), R.From, R.CaseSensitive, P), R.Pos) << R.Search << " in " << R.S;
        EXPECT_EQ(P, R.Pos);
    }
}

TEST(MiniHTMLUtils, HighlightMarkupText) {
    struct Row {
        const char* Text;
        const char* Search;
        bool CaseSensitive;
        const char* Out;
    };
    for (const Row& R : {
             Row{"hello", "l", true, "he<hi>l</hi><hi>l</hi>o"},
             Row{"x<b>yz</b>", "y", true, "x<b><hi>y</hi>z</b>"},
             Row{"a<b>bc</b>", "ab", true, "<hi>a<b>b</hi>c</b>"},
             Row{"Hello", "h", false, "<hi>H</hi>ello"},
             Row{"Hello", "h", true, "Hello"},
             Row{"aaa", "aa", true, "<hi>aa</hi>a"},
             Row{"a&amp;b", "amp", true, "a&<hi>amp</hi>;b"},  // entities count as written
             Row{"hello", "", true, "hello"},
             Row{"hello", "z", true, "hello"},
         })
        EXPECT_EQ(U(HighlightMarkupText(S(R.Text), S(R.Search), S("hi"), R.CaseSensitive)), R.Out) << R.Text;
}

TEST(MiniHTMLUtils, UnhighlightMarkupText) {
    for (const TextRow& R : {TextRow{"<HI>a</hi>b<Hi>", "ab"}, TextRow{"<<hi>hi>x", "x"},
                             TextRow{"<b>a</b>", "<b>a</b>"}, TextRow{"<hix>a", "<hix>a"}})
        EXPECT_EQ(U(UnhighlightMarkupText(S(R.In), S("hi"))), R.Out) << R.In;
}

TEST(MiniHTMLUtils, UnhighlightUndoesHighlight) {
    const char* Texts[] = {"hello world",
                           "x<b>yz</b> y",
                           "<font color=\"clred\">Red</font> rod",
                           "a&amp;b",
                           "caf\xC3\xA9 CAF\xC3\x89",
                           "<z>hidden</z>seen",
                           ""};
    const char* Searches[] = {"", "l", "o", "y", "r", "\xC3\xA9", "zz", "hello world"};
    for (const char* T : Texts)
        for (const char* Search : Searches)
            for (bool CaseSensitive : {false, true}) {
                const String Marked = HighlightMarkupText(S(T), S(Search), S("hi"), CaseSensitive);
                EXPECT_EQ(U(UnhighlightMarkupText(Marked, S("HI"))), T) << T << " / " << Search;
                EXPECT_EQ(U(StripMarkupTags(Marked)), U(StripMarkupTags(S(T)))) << T << " / " << Search;
            }
}

}  // namespace
