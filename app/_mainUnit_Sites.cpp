// The site table of link recognition, the example link, and the texts of the site and format boxes.
#include "app/_mainUnit.h"

#include "framework/rtl/SysUtils.h"

namespace {

enum TMatchCase { ci, cs };

struct TSubMarker {
    const char16_t* Text;
    TMatchCase Case;
};

struct TSiteRow {
    const char16_t* Domain;
    const char16_t* Domain2;  // a second domain of the same site, or nullptr
    const char16_t* Skip;     // the row is skipped when the link holds this, or nullptr
    TSubMarker Subs[4];       // tested in order; ends at the first empty one
    int Id;
};

// Domain markers and skip rules are matched ignoring letter case, anywhere in the link.
constexpr TSiteRow kSites[] = {
    /*  1 YouTube      */ {u"youtube.com", u"youtu.be", u"video.google.", {{u"v=", cs}, {u"youtu.be", cs}}, 1},
    /*  2 Google Video */ {u"video.google.", nullptr, nullptr, {{u"docid=", ci}, {u"vid=", ci}}, 2},
    /*  3 Break        */
    {u"break.com", nullptr, nullptr, {{u"index", ci}, {u"usercontent", ci}, {u"video", ci}, {u"html", ci}}, 3},
    /*  4 MySpace      */ {u"myspace.com", nullptr, nullptr, {{u"VideoID=", ci}, {u"/video", ci}}, 5},
    /*  5 Dailymotion  */ {u"dailymotion.com", nullptr, nullptr, {{u"video", ci}}, 7},
    /*  6 TeacherTube  */ {u"teachertube.com", nullptr, nullptr, {{u"video", ci}, {u"video_id=", ci}}, 19},
    /*  7 Tangle       */ {u"tangle.com", nullptr, nullptr, {{u"viewkey=", ci}}, 54},
    /*  8 Quillory     */ {u"quillory.com", nullptr, nullptr, {{u"/video", ci}}, 67},
    /*  9 GodTube      */ {u"godtube.com", nullptr, nullptr, {{u"video", ci}, {u"watch", cs}}, 54},
    /* 10 Vimeo        */ {u"vimeo.com", nullptr, nullptr, {{u"vimeo", ci}}, 48},
    /* 11 Blip         */ {u"blip.tv", nullptr, nullptr, {{u"blip.tv", cs}}, 21},
    /* 12 Veoh         */ {u"veoh.com", nullptr, nullptr, {{u"videos", cs}, {u"watch", cs}}, 22},
    /* 13 Metacafe     */ {u"metacafe.com", nullptr, nullptr, {{u"watch", cs}}, 23},
    /* 14 Guba         */ {u"guba.com", nullptr, nullptr, {{u"watch", cs}}, 32},
    /* 15 Megavideo    */ {u"megavideo.com", nullptr, nullptr, {{u"v=", cs}, {u"d=", cs}}, 37},
    /* 16 PornoTube    */ {u"pornotube.com", nullptr, nullptr, {{u"m=", cs}, {u"m/", cs}}, 8},
    /* 17 RedTube      */ {u"redtube.com", nullptr, nullptr, {{u"redtube.com/", cs}}, 9},
    /* 18 Megaporn     */ {u"megaporn.com", nullptr, nullptr, {{u"v=", cs}}, 16},
    /* 19 4tube        */ {u"4tube.com", nullptr, nullptr, {{u"/videos", cs}}, 72},
    /* 20 Beeg         */ {u"beeg.com", nullptr, nullptr, {{u"com/", cs}}, 71},
    /* 21 EMPFlix      */ {u"empflix.com", nullptr, nullptr, {{u"/videos", cs}}, 70},
    /* 22 Pornhub      */ {u"pornhub.com", nullptr, nullptr, {{u"view_video", cs}}, 38},
    /* 23 YouPorn      */ {u"youporn.com", nullptr, nullptr, {{u"watch", cs}}, 17},
    /* 24 Yuvutu       */ {u"yuvutu.com", nullptr, nullptr, {{u"video_id", cs}, {u"video/", cs}}, 18},
    /* 25 XVideos      */ {u"xvideos.com", nullptr, nullptr, {{u"video", cs}}, 33},
    /* 26 xHamster     */ {u"xhamster.com", u"xhamster.one", nullptr, {{u"movies", cs}, {u"videos", cs}}, 34},
    /* 27 VHO          */ {u"vho.com", nullptr, nullptr, {{u"viewvideo", ci}, {u"videos", ci}}, 35},
    /* 28 SpankingTube */ {u"spankingtube.com", nullptr, nullptr, {{u"video", ci}}, 40},
    /* 29 Tube8        */ {u"tube8.com", nullptr, nullptr, {{u"tube8", cs}}, 41},
    /* 30 GotPorn      */ {u"gotporn.com", nullptr, nullptr, {{u"/video", cs}}, 68},
    /* 31 XTube        */
    {u"xtube.com", nullptr, u"gotporn.com", {{u"play", cs}, {u"v=", cs}, {u"/video", cs}, {u"watch.php", cs}}, 50},
    /* 32 Rude         */ {u"rude.com", nullptr, nullptr, {{u"v", cs}}, 36},
    /* 33 AlphaPorno   */ {u"alphaporno.com", nullptr, nullptr, {{u"/videos", cs}}, 81},
    /* 34 XNXX         */ {u".xnxx.com", nullptr, nullptr, {{u"/video", cs}}, 55},
    /* 35 SpankWire    */ {u"spankwire.com", nullptr, nullptr, {{u"/video", cs}}, 56},
    /* 36 KeezMovies   */ {u"keezmovies.com", nullptr, nullptr, {{u"/video", cs}}, 57},
    /* 37 TNAFlix      */ {u"tnaflix.com", nullptr, nullptr, {{u"/video", cs}}, 64},
    /* 38 SlutLoad     */ {u"slutload.com", nullptr, nullptr, {{u"/watch", cs}, {u"/video", cs}}, 65},
    /* 39 DrTuber      */ {u"drtuber.com", nullptr, nullptr, {{u"/video", cs}}, 66},
    /* 40 CBS          */ {u"cbs.com", nullptr, nullptr, {{u"video", cs}, {u"video.php", cs}}, 53},
};
static_assert(std::size(kSites) == 40);

bool holds(const String& Link, const char16_t* Marker, TMatchCase Case) {
    return Marker && Link.contains(QString::fromUtf16(Marker), Case == ci ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

}  // namespace

const String ExampleLink = QStringLiteral("http://www.quillory.com/video/video.php?v=10150346484880453");
const String LinkBoxPrompt = QStringLiteral("  Copy web page address (URL) here");

const String OutputFormats[11] = {
    QStringLiteral("FLV for WEB (not converted)"),
    QStringLiteral("AVI for Windows (XVID + MP3)"),
    QStringLiteral("MPEG for Windows (MPEG2 + MP2)"),
    QStringLiteral("WMV for Windows (WMV2 + WMAV2)"),
    QStringLiteral("MP4 for Ipod (MP4 + AAC)"),
    QStringLiteral("MOV for Mac (MP4 + MP3)"),
    QStringLiteral("MP4 for PSP (MP4 + AAC)"),
    QStringLiteral("3GP for Mobile (H263 + AMR_NB)"),
    QStringLiteral("3G2 for Mobile (MP4 + AAC)"),
    QStringLiteral("MP3 (audio only)"),
    QStringLiteral("WAV (audio only)"),
};

const String SiteBoxItems[41] = {
    QStringLiteral("Auto"),         QStringLiteral("Quillory"),   QStringLiteral("YouTube"),
    QStringLiteral("Tangle"),       QStringLiteral("GodTube"),    QStringLiteral("Vimeo"),
    QStringLiteral("Dailymotion"),  QStringLiteral("Break"),      QStringLiteral("CBS"),
    QStringLiteral("Megavideo"),    QStringLiteral("SpankWire"),  QStringLiteral("Veoh"),
    QStringLiteral("Metacafe"),     QStringLiteral("XNXX"),       QStringLiteral("Megaporn"),
    QStringLiteral("Pornhub"),      QStringLiteral("KeezMovies"), QStringLiteral("TNAFlix"),
    QStringLiteral("SlutLoad"),     QStringLiteral("DrTuber"),    QStringLiteral("PornoTube"),
    QStringLiteral("SpankingTube"), QStringLiteral("RedTube"),    QStringLiteral("TeacherTube"),
    QStringLiteral("YouPorn"),      QStringLiteral("Yuvutu"),     QStringLiteral("XVideos"),
    QStringLiteral("xHamster"),     QStringLiteral("VHO"),        QStringLiteral("Tube8"),
    QStringLiteral("XTube"),        QStringLiteral("Rude"),       QStringLiteral("Guba"),
    QStringLiteral("Blip"),         QStringLiteral("MySpace"),    QStringLiteral("Google Video"),
    QStringLiteral("4tube"),        QStringLiteral("EMPFlix"),    QStringLiteral("AlphaPorno"),
    QStringLiteral("YardSexTube"),  QStringLiteral("Beeg"),
};

TSiteMatch MatchSiteTable(const String& Link) {
    TSiteMatch Match;
    for (const TSiteRow& Row : kSites) {
        if (!holds(Link, Row.Domain, ci) && !holds(Link, Row.Domain2, ci)) continue;
        if (holds(Link, Row.Skip, ci)) continue;
        bool Accepted = false;
        for (const TSubMarker& Sub : Row.Subs)
            if (Sub.Text && holds(Link, Sub.Text, Sub.Case)) {
                Accepted = true;
                break;
            }
        // A link holding the markers of two rows counts once, for the first row that accepts it.
        if (Accepted && Match.Server == 0)
            Match.Server = Row.Id;
        else if (!Accepted)
            ++Match.InvalidRows;
    }
    return Match;
}

int SiteTableId(int Row) { return Row >= 0 && Row < SiteTableCount() ? kSites[Row].Id : 0; }
int SiteTableCount() { return int(std::size(kSites)); }
