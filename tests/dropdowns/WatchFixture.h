// A 180 x 180 watch on a form, with the framework's clock in the test's hand, its timers' handlers
// open, and the watch rendered into a bitmap.
#pragma once

#include "components/dropdowns/AdvWatch.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Timer.h"

#include <gtest/gtest.h>

#include <memory>

class TTestWatch : public TAdvWatch {
public:
    using TAdvWatch::AnimationTimer;
    using TAdvWatch::TAdvWatch;
    using TAdvWatch::WatchTimer;
};

class WatchFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Form->SetBounds(0, 0, 300, 300);
        Watch = new TTestWatch(Form.get());
        Watch->SetParent(Form.get());
        Watch->OnChange = [this](TObject*) { ++Changes; };
    }

    // Hour and minute of the stored time.
    std::pair<int, int> hm() const {
        Word H, M, S, MS;
        DecodeTime(Watch->Time(), H, M, S, MS);
        return {H, M};
    }
    void setTime(int H, int M) { Watch->SetTime(EncodeTime(Word(H), Word(M), 0, 0)); }
    void click(int X, int Y) {
        Watch->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y));
        Watch->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y));
    }
    // Ticks the animation timer until it stops; the number of ticks.
    int runAnimation() {
        int Ticks = 0;
        while (Watch->AnimationTimer()->Enabled() && Ticks < 1000) Clock->Advance(1), ++Ticks;
        return Ticks;
    }
    std::unique_ptr<TBitmap> render() {
        auto Bitmap = std::make_unique<TBitmap>(Watch->Width(), Watch->Height());
        Watch->PaintTo(Bitmap->Canvas(), 0, 0);
        return Bitmap;
    }

    std::unique_ptr<FakeClock> Clock = std::make_unique<FakeClock>();
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TTestWatch* Watch = nullptr;
    int Changes = 0;
};
