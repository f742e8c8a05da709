// The site table's own rules: skip rules, a second domain, a marker that needs its dot, sub-markers
// that keep letter case, and a link that holds the markers of two rows (one entry, first row's id).
#include "app/_mainUnit.h"

#include <gtest/gtest.h>

namespace {

TEST(SiteTableRules, Table) {
    const struct {
        const char* Name;
        const char* Link;
        int Server;
        int InvalidRows;
    } Cases[] = {
        {"XTube", "https://www.xtube.com/watch.php?v=1", 50, 0},
        {"XTube skipped for a GotPorn link", "https://www.gotporn.com/xtube.com/video/1", 68, 0},
        {"XTube skipped, GotPorn without its marker", "https://www.gotporn.com/xtube.com/watch.php", 0, 1},
        {"XNXX with its dot", "https://www.xnxx.com/video-1", 55, 0},
        {"XNXX without a dot before the domain", "https://xnxx.com/video-1", 0, 0},
        {"xHamster first domain", "https://xhamster.com/movies/1", 34, 0},
        {"xHamster second domain", "https://xhamster.one/videos/1", 34, 0},
        {"RedTube: domain and slash", "https://www.redtube.com/123", 9, 0},
        {"RedTube: the slash marker keeps case", "https://www.REDTUBE.com/123", 0, 1},
        {"GodTube shares Tangle's id", "https://www.godtube.com/watch/1", 54, 0},
        {"GodTube: watch keeps case", "https://www.godtube.com/WATCH/1", 0, 1},
        {"Tangle", "https://www.tangle.com/view?VIEWKEY=1", 54, 0},
        {"Megavideo second marker", "https://megavideo.com/?d=X", 37, 0},
        {"Google Video without its markers", "https://video.google.com/youtube.com/watch?v=1", 0, 1},
        {"Quillory and YouTube: YouTube's row comes first",
         "https://www.quillory.com/video/v.php?u=youtube.com/watch?v=1", 1, 0},
        {"Dailymotion and Quillory: Dailymotion's row comes first",
         "https://www.dailymotion.com/x?u=quillory.com/video", 7, 0},
        {"A refused row before an accepting one", "https://www.quillory.com/photo?u=vimeo.com/1", 48, 1},
        {"Quillory marker anywhere, any case", "https://M.QUILLORY.COM/Video/x", 67, 0},
    };
    for (const auto& C : Cases) {
        const TSiteMatch M = MatchSiteTable(QString::fromLatin1(C.Link));
        EXPECT_EQ(M.Server, C.Server) << C.Name;
        EXPECT_EQ(M.InvalidRows, C.InvalidRows) << C.Name;
    }
}

}  // namespace
