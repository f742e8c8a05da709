// The control drop-down: the popup shows the control assigned to it, and a new control takes the
// old one's place.
#include "components/dropdowns/AdvControlDropDown.h"
#include "framework/ui/StdCtrls.h"
#include "tests/dropdowns/DropDownFixture.h"

namespace {

using ControlDropDownTest = DropDownFixture;

TEST_F(ControlDropDownTest, ANewControlTakesTheOldOnesPlace) {
    auto* D = new TAdvControlDropDown(Form.get());
    D->SetParent(Form.get());
    auto* First = new TMemo(Form.get());
    auto* Second = new TMemo(Form.get());
    First->SetBounds(0, 0, 150, 60);
    D->SetControl(First);
    D->ShowDropDown();
    auto* Popup = dynamic_cast<TDropDownForm*>(First->Parent());
    ASSERT_NE(Popup, nullptr);
    EXPECT_EQ(First->Align(), alClient);
    EXPECT_EQ(Popup->Width(), 150);  // the control's width
    D->HideDropDown(false);
    D->SetControl(Second);
    EXPECT_EQ(First->Align(), alNone);
    EXPECT_FALSE(First->Visible());
    D->ShowDropDown();
    EXPECT_EQ(Second->Parent(), Popup);
    EXPECT_TRUE(Second->Visible());
    // A freed control is let go.
    Second->Free();
    EXPECT_EQ(D->Control(), nullptr);
    D->HideDropDown(false);
}

}  // namespace
