// The track-bar drop-down: its text and popup, the arrows and drags over the edit that move the
// position within its range, and a popup that keeps its changes when deactivated.
#include "components/dropdowns/AdvTrackBarDropDown.h"
#include "framework/ui/TrackBar.h"
#include "tests/dropdowns/DropDownFixture.h"

namespace {

class TTestTrackBarDropDown : public TAdvTrackBarDropDown {
public:
    using TAdvCustomDropDown::SetRawText;
    using TAdvTrackBarDropDown::TAdvTrackBarDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

class TrackBarDropDownTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        T = new TTestTrackBarDropDown(Form.get());
        T->SetParent(Form.get());
        T->SetBounds(10, 40, 120, 21);
    }
    TTestTrackBarDropDown* T = nullptr;
};

TEST_F(TrackBarDropDownTest, StartsAtZeroAndOpensAsWideAsTheEdit) {
    EXPECT_EQ(T->Text(), QStringLiteral("0"));
    EXPECT_FALSE(T->EditorEnabled());
    T->ShowDropDown();
    ASSERT_TRUE(T->DroppedDown());
    EXPECT_EQ(T->Popup()->Width(), 120);
    EXPECT_EQ(T->Popup()->Height(), 50);  // 2 x 1 + 40, raised to the smallest popup
    EXPECT_EQ(T->TrackBar()->Parent(), T->Popup());
    EXPECT_FALSE(T->Popup()->CancelOnDeActivate());  // a deactivation keeps the changes
    T->TrackBar()->SetPosition(7);
    EXPECT_EQ(T->Text(), QStringLiteral("7"));
    T->HideDropDown(T->Popup()->CancelOnDeActivate());
    EXPECT_EQ(T->Text(), QStringLiteral("7"));
    EXPECT_EQ(T->Position(), 7);
}

TEST_F(TrackBarDropDownTest, ArrowsStepWithinTheRange) {
    T->SetFrequency(3);
    int Changes = 0;
    T->OnTrackChange = [&](TObject*) { ++Changes; };
    const struct {
        Word Key;
        int Position;
    } Steps[] = {{VK_DOWN, 3}, {VK_DOWN, 6}, {VK_DOWN, 9}, {VK_DOWN, 9},
                 {VK_UP, 6},   {VK_UP, 3},   {VK_UP, 0},   {VK_UP, 0}};
    for (const auto& S : Steps) {
        T->Perform(WM_KEYDOWN, S.Key, 0);
        EXPECT_EQ(T->Position(), S.Position);
        EXPECT_EQ(T->Text(), IntToStr(S.Position));
    }
    EXPECT_EQ(Changes, 6);
    // Typing a value moves the position; one that is no integer leaves it.
    T->SetText(QStringLiteral("4"));
    EXPECT_EQ(T->Position(), 4);
    T->SetRawText(QStringLiteral("x"));
    EXPECT_EQ(T->Position(), 4);
}

TEST_F(TrackBarDropDownTest, DragsStepByPageSizePixels) {
    const struct { int PageSize, Move, Position; } Cases[] = {{2, 2, 1}, {2, 1, 0}, {2, 7, 3}, {0, 2, 2}, {2, -4, 0}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.PageSize << " " << C.Move);
        T->SetPosition(0);
        T->SetPageSize(C.PageSize);
        T->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(50, 5));
        T->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(50 + C.Move, 5));
        T->Perform(WM_LBUTTONUP, 0, PointToLParam(50 + C.Move, 5));
        EXPECT_EQ(T->Position(), C.Position);
        T->HideDropDown(false);  // the press opened it
    }
}

}  // namespace
