// The wait window while a page is read: shown on top while the site holds the page back, its
// panel in the main window's outer colour, hidden once the page is read.
#include "app/_waitUnit.h"
#include "framework/rtl/Clock.h"
#include "tests/app/DownloaderFixture.h"

#include <gtest/gtest.h>

namespace {

class WaitWindowTest : public DownloaderFixture {
protected:
    void AddRoutes(httplib::Server& S) override {
        S.Get("/media/clip.flv", [](const httplib::Request&, httplib::Response& Res) {
            Res.set_content(std::string(4096, 'w'), "video/x-flv");
        });
    }
};

TEST_F(WaitWindowTest, ShowsOnTopWhileThePageIsHeldBackAndHidesAfter) {
    FPage =
        "<html><title>Held clip</title><script>{\"playable_url\":\"https:\\/\\/www.quillory.com\\/media\\/"
        "clip.flv\"}</script></html>";
    FHoldPage = true;
    bool Shown = false, OnTop = false;
    TColor PanelColour = clNone;
    int Timer = 0;
    // Looks at the wait window from inside the main window's wait, then lets the page go.
    Timer = ScheduleClockTimer(10, [&] {
        if (!_waitForm->Visible() || !_waitForm->Active()) return;
        Shown = true;
        OnTop = _waitForm->FormStyle() == fsStayOnTop;
        PanelColour = _waitForm->RightAdvPanel->Color();
        FHoldPage = false;
        CancelClockTimer(Timer);
    });
    add();
    CancelClockTimer(Timer);

    EXPECT_TRUE(Shown);
    EXPECT_TRUE(OnTop);
    EXPECT_EQ(PanelColour, _mainForm->AdvPanel1->Color());
    EXPECT_FALSE(_waitForm->Visible());
    ASSERT_EQ(_mainForm->MainListView->Items()->Count(), 1);
    EXPECT_EQ(_mainForm->RowText(0, 0), QStringLiteral("Held clip"));
    EXPECT_EQ(_mainForm->RowText(0, 1), QStringLiteral("4 Kb"));
    EXPECT_EQ(FDialogs.Count(), 0) << (FDialogs.Count() ? FDialogs.Last().Text.toStdString() : "");
}

}  // namespace
