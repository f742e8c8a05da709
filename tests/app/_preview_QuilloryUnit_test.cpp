#include "app/_preview_QuilloryUnit.h"

#include <gtest/gtest.h>

namespace {

TEST(ScanQuilloryPage, TakesTitleCountersAndAddresses) {
    struct Case {
        const char* Name;
        const char* Page;
        TQuilloryPage Expected;
    };
    const String Pad = QStringLiteral("                                                  ");
    const Case Cases[] = {
        {"everything",
         "<html><title lang=\"en\">  Tom &amp; Jerry&#39;s %20day </title>"
         "{\"i18n_reaction_count\":\" 1.2K \",\"i18n_comment_count\":\"34\","
         "\"playable_url\":\"https:\\/\\/v.example\\/a.mp4?x\\u00253D1\\u002526y\\u00253D2\","
         "\"playable_url_quality_hd\":\"https:\\/\\/v.example\\/hd.mp4?k\\u00253Du0025\"}",
         {"Tom & Jerry's  day", "1.2K", "34", "https://v.example/a.mp4?x=1&y=2", "https://v.example/hd.mp4?k=%"}},
        {"no high-quality key, no counters",
         "<title>A</title>\"playable_url\":\"https:\\/\\/v\\/a\"",
         {"A", "", "", "https://v/a", ""}},
        {"no media key", "<title>A</title>{\"i18n_comment_count\":\"3\"}", {"A", "", "3", "", ""}},
        {"no title", "{\"playable_url\":\"https:\\/\\/v\\/a\"}", {"", "", "", "https://v/a", ""}},
        {"title not closed", "<title>A \"playable_url\":\"x\"", {"", "", "", "x", ""}},
        {"value without closing quote", "<title>A</title>\"playable_url\":\"https://v/a", {"A", "", "", "", ""}},
        {"upper-case u0025 escape", "\"playable_url\":\"a\\U00253Db U0025 c\"", {"", "", "", "a\\%3Db % c", ""}},
        // The high-quality key counts only when its position + 26 is over 50.
        {"high-quality key too early",
         "\"playable_url_quality_hd\":\"h\" \"playable_url\":\"u\"",
         {"", "", "", "u", ""}},
        {"empty page", "", {}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TQuilloryPage Page = ScanQuilloryPage(QString::fromUtf8(C.Page));
        EXPECT_EQ(Page.title, C.Expected.title);
        EXPECT_EQ(Page.views, C.Expected.views);
        EXPECT_EQ(Page.favorited, C.Expected.favorited);
        EXPECT_EQ(Page.url, C.Expected.url);
        EXPECT_EQ(Page.url_hq, C.Expected.url_hq);
    }
    // The same early key, moved past the page's first 24 characters, counts.
    const TQuilloryPage Late = ScanQuilloryPage(Pad + QStringLiteral("\"playable_url_quality_hd\":\"h\""));
    EXPECT_EQ(Late.url_hq, QStringLiteral("h"));
}

TEST(QuilloryPageAddress, TrimsAndUsesHttps) {
    EXPECT_EQ(QuilloryPageAddress(QStringLiteral("  http://www.quillory.com/video/v.php?v=1 ")),
              QStringLiteral("https://www.quillory.com/video/v.php?v=1"));
    EXPECT_EQ(QuilloryPageAddress(QStringLiteral("https://quillory.com/video")),
              QStringLiteral("https://quillory.com/video"));
    EXPECT_EQ(QuilloryPageAddress(QStringLiteral("HTTP://QUILLORY.COM/VIDEO")),
              QStringLiteral("HTTP://QUILLORY.COM/VIDEO"));
}

}  // namespace
