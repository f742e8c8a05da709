// The main window's window-free routines: decoding chains, the site table, title cleaning, size and
// time texts, explode and random names.
#include "app/_implodeexplode.h"
#include "app/_mainUnit.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Chain = String (*)(const String&);

struct DecodeCase {
    const char* Name;
    Chain Decode;
    const char16_t* In;
    const char16_t* Out;
};

const DecodeCase kDecodeCases[] = {
    {"EntitiesAndApostrophes", T_mainForm::_decode_name, u"a&amp;b &#039;c&#39;", u"a&b 'c'"},
    {"FirstStepIgnoresCase", T_mainForm::_decode_name, u"&#039;x&#039;", u"'x'"},
    {"FirstStepIgnoresCaseLetters", T_mainForm::_decode_name, u"&#039;", u"'"},
    {"LaterStepsKeepCase", T_mainForm::_decode_name, u"&QUOT;", u"&QUOT;"},
    {"BlankAndLineFeed", T_mainForm::_decode_name, u"a%20b%0Ac", u"a bc"},
    {"ResultNotRescannedByOneStep", T_mainForm::_decode_name, u"%2526", u"&"},
    {"DoublyEscapedPercent", T_mainForm::_decode_name, u"%2525", u"%"},
    {"Slashes", T_mainForm::_decode_name, u"a\\/b\\\\c%2Fd", u"a/bc/d"},
    {"Braces", T_mainForm::_decode_name, u"%7B%7C%7D%5B%5D", u"{|}[]"},
    {"EmptyTitle", T_mainForm::_decode_name, u"", u""},
    {"QuilloryColonAndSlashes", T_mainForm::_decode_name_quillory, u"https\\u00253A\\/\\/host", u"https://host"},
    {"QuilloryQuery", T_mainForm::_decode_name_quillory, u"a\\u00253Fb\\u00253Dc\\u002526d", u"a?b=c&d"},
    {"QuilloryBackslashDropped", T_mainForm::_decode_name_quillory, u"a\\u00255Cb", u"ab"},
    {"QuilloryEmpty", T_mainForm::_decode_name_quillory, u"", u""},
    {"BreakLowerHex", T_mainForm::_decode_name_break, u"%3a%2f%3A", u":/%3A"},
    {"XtubeSlash", T_mainForm::_decode_name_xtube, u"a\\/b%7C", u"a/b|"},
    {"DailymotionPercentLate", T_mainForm::_decode_name_dailymotion, u"%2526", u"%26"},
    {"MetacafeBackslashBecomesSlash", T_mainForm::_decode_name_metacafe, u"a%5Cb//c", u"a/b/c"},
    {"MetacafeEmpty", T_mainForm::_decode_name_metacafe, u"", u""},
};

TEST(DecodingChains, Table) {
    for (const DecodeCase& C : kDecodeCases)
        EXPECT_EQ(C.Decode(QString::fromUtf16(C.In)), QString::fromUtf16(C.Out)) << C.Name;
}

struct SiteCase {
    const char* Link;
    int Server;
    int InvalidRows;
};

const SiteCase kSiteCases[] = {
    {"https://www.quillory.com/video/video.php?v=10150346484880453", 67, 0},
    {"HTTPS://WWW.QUILLORY.COM/VIDEO/VIDEO.PHP?V=1", 67, 0},  // domain and "/video" ignore case
    {"https://www.quillory.com/photos/1", 0, 1},
    {"https://www.youtube.com/watch?v=abc", 1, 0},
    {"https://youtu.be/abc", 1, 0},
    {"https://www.youtube.com/watch?V=abc", 0, 1},         // "v=" is case-sensitive
    {"https://video.google.com/videoplay?docid=1", 2, 0},  // YouTube's row is skipped for it
    {"https://www.gotporn.com/video/1", 68, 0},
    {"https://www.dailymotion.com/VIDEO/x1", 7, 0},
    {"https://vimeo.com/123", 48, 0},
    {"https://example.org/video/1", 0, 0},
    {"", 0, 0},
};

TEST(SiteTable, Table) {
    for (const SiteCase& C : kSiteCases) {
        const TSiteMatch M = MatchSiteTable(QString::fromLatin1(C.Link));
        EXPECT_EQ(M.Server, C.Server) << C.Link;
        EXPECT_EQ(M.InvalidRows, C.InvalidRows) << C.Link;
    }
}

TEST(SiteTable, FortyRowsWithTheirIds) {
    ASSERT_EQ(SiteTableCount(), 40);
    const int Ids[40] = {1,  2,  3,  5,  7,  19, 54, 67, 54, 48, 21, 22, 23, 32, 37, 8,  9,  16, 72, 71,
                         70, 38, 17, 18, 33, 34, 35, 40, 41, 68, 50, 36, 81, 55, 56, 57, 64, 65, 66, 53};
    for (int i = 0; i < 40; ++i) EXPECT_EQ(SiteTableId(i), Ids[i]) << "row " << i + 1;
}

TEST(SiteTable, ExampleLinkIsAcceptedQuilloryLink) {
    EXPECT_EQ(MatchSiteTable(ExampleLink).Server, QuillorySiteId);
    EXPECT_TRUE(ExampleLink.startsWith(QStringLiteral("http://")));
    const String Number = ExampleLink.section(QStringLiteral("v="), 1);
    EXPECT_EQ(Number.size(), 17);
}

TEST(CleanTitle, Table) {
    const struct {
        const char16_t* In;
        const char16_t* Out;
    } Cases[] = {
        {u"A: b/c - d*e \"f\"", u"A bc  de f"},
        {u"  Why? YouTube | best\\ \r\n", u"Why   best"},
        {u"  my YOUTUBE video  ", u"my  video"},
        {u"youtube", u""},
        {u"a\u00DFb", u"a\u00DFb"},
    };
    // "?" goes too.
    EXPECT_EQ(T_mainForm::CleanTitle(QStringLiteral("a?b")), QStringLiteral("ab"));
    for (const auto& C : Cases) {
        String Expected = QString::fromUtf16(C.Out);
        Expected.remove(u'?');
        EXPECT_EQ(T_mainForm::CleanTitle(QString::fromUtf16(C.In)), Expected) << QString::fromUtf16(C.In).toStdString();
    }
}

TEST(FmtFileSize, Table) {
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.DecimalSeparator = u'.';
    const struct {
        std::int64_t Size;
        const char* Text;
    } Cases[] = {
        {0, "0 b"},           {1023, "1023 b"},       {1024, "1 Kb"}, {999999, "977 Kb"},
        {1000000, "1.00 Mb"}, {12345678, "12.35 Mb"}, {-5, "-5 b"},   {1535, "1 Kb"},
    };
    for (const auto& C : Cases) EXPECT_EQ(T_mainForm::FmtFileSize(C.Size), QString::fromLatin1(C.Text)) << C.Size;
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(T_mainForm::FmtFileSize(1000000), QStringLiteral("1,00 Mb"));
    FormatSettings = Saved;
}

TEST(TimeTexts, TimeToSec) {
    EXPECT_DOUBLE_EQ(T_mainForm::TimeToSec(QStringLiteral("00:01:05")), 65.0);
    EXPECT_DOUBLE_EQ(T_mainForm::TimeToSec(QStringLiteral("  ")), 0.0);
    EXPECT_DOUBLE_EQ(T_mainForm::TimeToSec(QStringLiteral("01:00:00")), 3600.0);
    // The digits after the point are read as a count of milliseconds, as the date reader does.
    EXPECT_NEAR(T_mainForm::TimeToSec(QStringLiteral("00:00:10.500")), 10.5, 1e-9);
    EXPECT_NEAR(T_mainForm::TimeToSec(QStringLiteral("00:00:10.50")), 10.05, 1e-9);
    EXPECT_THROW(T_mainForm::TimeToSec(QStringLiteral("abc")), EConvertError);
}

TEST(TimeTexts, SecToTimeAndMSecToTime) {
    EXPECT_EQ(T_mainForm::SecToTime(3725), QStringLiteral("01:02:05"));
    EXPECT_EQ(T_mainForm::SecToTime(360000), QStringLiteral("100:00:00"));
    EXPECT_EQ(T_mainForm::SecToTime(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(T_mainForm::MSecToTime(QStringLiteral("3 725 999 ms")), QStringLiteral("01:02:05"));
    EXPECT_THROW(T_mainForm::MSecToTime(QStringLiteral("ms")), EConvertError);
}

TEST(Explode, Table) {
    const struct {
        const char* Sep;
        const char* Text;
        int Limit;
        std::vector<const char*> Pieces;
    } Cases[] = {
        {":", "01:02:03.5", 0, {"01", "02", "03.5"}},
        {":", "01:02:03.5", 2, {"01", "02:03.5"}},
        {":", "01:02:03.5", 1, {"01:02:03.5"}},
        {":", "a:b:", 0, {"a", "b"}},
        {":", "a::b", 0, {"a", "", "b"}},
        {":", ":a", 0, {"", "a"}},
        {"::", "a::b", 0, {"a", "b"}},
        {":", "", 0, {}},
        {":", "a:b", -1, {}},
        {"", "a:b", 0, {"a:b"}},
    };
    for (const auto& C : Cases) {
        const TDynStringArray Result = explode(QString::fromLatin1(C.Sep), QString::fromLatin1(C.Text), C.Limit);
        ASSERT_EQ(Result.size(), C.Pieces.size()) << C.Text << " limit " << C.Limit;
        for (std::size_t i = 0; i < Result.size(); ++i) EXPECT_EQ(Result[i], QString::fromLatin1(C.Pieces[i]));
    }
}

TEST(RandomString, PatternsChooseTheirSets) {
    const struct {
        const char* Pattern;
        const char* Set;
    } Cases[] = {
        {"1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"2", "abcdefghijklmnopqrstuvwxyz"},
        {"4", "0123456789"},
        {"5", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"6", "0123456789abcdefghijklmnopqrstuvwxyz"},
    };
    for (const auto& C : Cases) {
        const String Set = QString::fromLatin1(C.Set);
        for (int i = 0; i < 200; ++i) {
            const String R = T_mainForm::RandomString(QString::fromLatin1(C.Pattern));
            ASSERT_EQ(R.size(), 1);
            ASSERT_TRUE(Set.contains(R[0])) << C.Pattern << " gave " << R.toStdString();
        }
    }
}

TEST(RandomString, TemporaryNamesUseEveryLowerCaseLetterAndDiffer) {
    std::set<QChar> Seen;
    std::set<String> Names;
    for (int i = 0; i < 2000; ++i) {
        const String R = T_mainForm::RandomString(QStringLiteral("22222222"));
        ASSERT_EQ(R.size(), 8);
        for (QChar C : R) {
            ASSERT_TRUE(C >= u'a' && C <= u'z');
            Seen.insert(C);
        }
        Names.insert(R);
    }
    EXPECT_EQ(Seen.size(), 26u);  // "z" included
    EXPECT_EQ(Names.size(), 2000u);
    const String Suffix = T_mainForm::RandomString(QStringLiteral("123"));
    EXPECT_TRUE(Suffix[0].isUpper() && Suffix[1].isLower() && Suffix[2].isLetter());
    EXPECT_EQ(T_mainForm::RandomString(QString(300, u'7')).size(), 255);
}

TEST(RandomString, PatternWithoutASetIsRefused) {
    EXPECT_THROW(T_mainForm::RandomString(QStringLiteral("2x")), EArgumentException);
    EXPECT_THROW(T_mainForm::RandomString(QStringLiteral("0")), EArgumentException);
}

}  // namespace
