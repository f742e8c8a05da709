// Form controls in cell markup on a shown grid: the edit box of EDIT, PASSWORD and MASK controls
// (mask, password character, maximum length, bounds) and what typing in it writes back into the
// cell; the combo box of COMBO controls as its list handler shapes it; the step to a cell's next
// control, placed where the markup paints it, and the grid taking the focus after the last.
#include "components/graphics/AsgHTMLE.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"
#include "tests/support/ShownWindows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

namespace {

String S(const char* Text) { return QString::fromUtf8(Text); }

struct TDone {
    int Row, Col;
    String ID, Type, Value;
    bool operator==(const TDone&) const = default;
};

class FormControlsTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TVidIvezadOrir* Grid = nullptr;
    TEdit* Other = nullptr;
    std::vector<TDone> Done;

    void SetUp() override {
        Form->SetBounds(100, 100, 700, 400);
        Form->SetCaption(S("FormControlsTest"));
        Grid = new TVidIvezadOrir(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 600, 300);
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->SetColWidths(1, 320);
        for (int r = 1; r < 4; ++r) Grid->SetRowHeights(r, 40);
        Other = new TEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(10, 320, 100, 21);
        Grid->OnControlEditDone = [this](TObject* Sender, int ARow, int ACol, const String& ID, const String& Type,
                                         const String& Value) {
            EXPECT_EQ(Sender, Grid);
            Done.push_back({ARow, ACol, ID, Type, Value});
        };
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
    }
    void TearDown() override {
        if (Grid->ComboControl()->DroppedDown()) Grid->ComboControl()->SetDroppedDown(false);
    }
    void leaveTheBox() {
        Other->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    }
    void type(const char* Keys) { QTest::keyClicks(QApplication::focusWidget(), S(Keys)); }
};

TEST_F(FormControlsTest, TextControlsOpenAnEditBoxAndTheTypedValueGoesBack) {
    const struct {
        const char* Name;
        const char* Tag;  // the control's tag, ID "c"
        const char* Type;
        const char* Value;
        const char* Mask;
        Char PasswordChar;
        int MaxLength;
        const char* Typed;
        const char* Stored;
    } Cases[] = {
        {"edit", R"(<CONTROL TYPE="EDIT" ID="c" VALUE="old" WIDTH="100" MAXLEN="5">)", "EDIT", "old", "", u'\0', 5,
         "abcdefg", "abcde"},
        {"password", R"(<CONTROL TYPE="PASSWORD" ID="c" VALUE="" WIDTH="100">)", "PASSWORD", "", "", u'*', 0, "s&cret",
         "s&cret"},
        {"mask", R"(<CONTROL TYPE="MASK" ID="c" VALUE="" WIDTH="100" PROP="!000-0000;1;_">)", "MASK", "",
         "!000-0000;1;_", u'\0', 0, "5551234", "555-1234"},
    };
    TControlEdit* Edit = Grid->EditControl();
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Done.clear();
        const String Text = S("Label ") + S(C.Tag) + S(" after");
        Grid->SetCellEx(2, 1, Text);
        Grid->StartControlEdit(Text, S(C.Type), 1, 2, 1, Rect(10, 20, 110, 45), S(C.Value), S("c"));
        ASSERT_TRUE(PumpUntil([&] { return Edit->Focused(); }));
        EXPECT_TRUE(Grid->CtrlEditing());
        EXPECT_EQ(Grid->CtrlXY(), Point(2, 1)) << "the real column";
        EXPECT_EQ(Grid->CtrlType(), S(C.Type));
        EXPECT_EQ(Edit->Parent(), Grid);
        EXPECT_TRUE(Edit->Visible());
        EXPECT_EQ(Edit->BorderStyle(), bsNone);
        EXPECT_EQ(Rect(Edit->Left(), Edit->Top(), Edit->Left() + Edit->Width(), Edit->Top() + Edit->Height()),
                  Rect(11, 28, 107, 42));
        EXPECT_EQ(Edit->EditMask(), S(C.Mask));
        EXPECT_EQ(Edit->PasswordChar(), C.PasswordChar);
        EXPECT_EQ(Edit->MaxLength(), C.MaxLength);
        if (*C.Value) {
            EXPECT_EQ(Edit->Text(), S(C.Value));
        }

        type(C.Typed);
        const String Shown = ControlWidgetOf(Edit)->findChild<QLineEdit*>()->displayText();
        leaveTheBox();
        EXPECT_FALSE(Edit->Visible());
        EXPECT_FALSE(Grid->CtrlEditing());
        EXPECT_EQ(Grid->CtrlType(), String()) << "emptied when the edit ends";
        EXPECT_EQ(Grid->GetCtrlVal(2, 1, S("c")), S(C.Stored));
        EXPECT_TRUE(Grid->GetCellEx(2, 1).startsWith(S("Label "))) << "the rest of the text stays";
        EXPECT_TRUE(Grid->GetCellEx(2, 1).endsWith(S(" after")));
        EXPECT_EQ(Done, (std::vector<TDone>{{1, 2, S("c"), S(C.Type), S(C.Stored)}}));
        // A password is kept in plain text in the tag (entities encoded), shown as stars.
        if (!C.PasswordChar.isNull()) {
            EXPECT_TRUE(Grid->GetCellEx(2, 1).contains(S("VALUE=\"s&amp;cret\"")))
                << Grid->GetCellEx(2, 1).toStdString();
            EXPECT_EQ(Shown, S("******"));
        }
    }
}

TEST_F(FormControlsTest, ComboControlsTakeTheirListStyleAndCountFromTheHandler) {
    const String Text = S(R"(Pick <CONTROL TYPE="COMBO" ID="k" VALUE="C" WIDTH="120" MAXLEN="4">)");
    Grid->SetCellEx(1, 2, Text);
    const struct {
        const char* Name;
        bool Edit;
        int DropCount;
        TComboBoxStyle Style;
    } Cases[] = {
        {"untouched", true, 8, csDropDown},
        {"a drop-down list", false, 3, csDropDownList},
    };
    TControlCombo* Combo = Grid->ComboControl();
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::vector<std::pair<int, String>> Selected;
        Done.clear();
        int Lists = 0;
        Grid->OnControlComboList = [&](TObject* Sender, int ARow, int ACol, const String& ID, const String& Type,
                                       const String& Value, TStrings* Values, bool& Edit, int& DropCount) {
            ++Lists;
            EXPECT_EQ(Sender, Grid);
            EXPECT_EQ(ARow, 2);
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ID, S("k"));
            EXPECT_EQ(Type, S("COMBO"));
            EXPECT_EQ(Value, S("C"));
            EXPECT_TRUE(Edit);
            EXPECT_EQ(DropCount, 8);
            EXPECT_EQ(Values->Count(), 0) << "no items left from the previous control";
            for (const char* V : {"A", "B", "C", "D", "E"}) Values->Add(S(V));
            Edit = C.Edit;
            DropCount = C.DropCount;
        };
        Grid->OnControlComboSelect = [&](TObject*, int ARow, int ACol, int Index, const String& ID,
                                         const String& Value) {
            EXPECT_EQ(Point(ACol, ARow), Point(1, 2));
            EXPECT_EQ(ID, S("k"));
            Selected.push_back({Index, Value});
        };
        Grid->StartControlEdit(Text, S("COMBO"), 2, 1, 1, Rect(40, 50, 160, 75), S("C"), S("k"));
        EXPECT_EQ(Lists, 1);
        ASSERT_TRUE(PumpUntil([&] { return Combo->DroppedDown(); }));
        EXPECT_TRUE(Combo->Visible());
        EXPECT_EQ(Combo->Style(), C.Style);
        EXPECT_EQ(Combo->Items()->Count(), 5);
        EXPECT_EQ(Combo->ItemIndex(), 2) << "the current value is the selected item";
        EXPECT_EQ(Combo->Text(), S("C"));
        EXPECT_EQ(Combo->DropDownCount(), C.DropCount);
        EXPECT_EQ(Combo->MaxLength(), 4);
        EXPECT_EQ(Combo->IsWinXP(), Grid->IsWinXP());
        EXPECT_EQ(Point(Combo->Left(), Combo->Top()), Point(39, 54));
        EXPECT_EQ(Combo->Width(), 120);

        Combo->SelectItem(4);  // the user's pick
        EXPECT_EQ(Selected, (std::vector<std::pair<int, String>>{{4, S("E")}}));
        Combo->SetDroppedDown(false);
        leaveTheBox();
        EXPECT_FALSE(Combo->Visible());
        EXPECT_FALSE(Grid->CtrlEditing());
        EXPECT_EQ(Grid->GetCtrlVal(1, 2, S("k")), S("E"));
        EXPECT_EQ(Done, (std::vector<TDone>{{2, 1, S("k"), S("COMBO"), S("E")}}));
        Grid->SetCtrlVal(1, 2, S("k"), S("C"));
    }
}

TEST_F(FormControlsTest, OtherTypesOpenNothing) {
    for (const char* Type : {"CHECK", "RADIO", "BUTTON", ""}) {
        SCOPED_TRACE(Type);
        Grid->StartControlEdit(S("x"), S(Type), 1, 1, 1, Rect(0, 0, 50, 25), S("v"), S("c"));
        EXPECT_FALSE(Grid->CtrlEditing());
        EXPECT_FALSE(Grid->EditControl()->Visible());
        EXPECT_FALSE(Grid->ComboControl()->Visible());
    }
    Grid->ControlEditDone();  // nothing open: nothing fires
    EXPECT_TRUE(Done.empty());
}

// Where the markup paints the frame of the control's box, on the middle line of Edit: the
// frame's left and right x and, in the column just inside it, its top and bottom y.
struct TFrame {
    int Left = -1, Right = -1, Top = -1, Bottom = -1;
};

TFrame paintedFrame(TVidIvezadOrir* Grid, const String& Text, const TRect& R, TControlEdit* Edit) {
    TBitmap B;
    B.SetSize(Grid->ClientWidth(), Grid->ClientHeight());
    B.Canvas()->Brush()->SetColor(clWhite);
    B.Canvas()->FillRect(Rect(0, 0, B.Width(), B.Height()));
    B.Canvas()->Font()->Assign(Grid->Font());
    TMarkupRequest Request;
    Request.Canvas = B.Canvas();
    Request.Text = Text;
    Request.DrawRect = R;
    Request.WordWrap = Grid->WordWrap();
    AsgHTMLE::DrawMarkupText(Request);
    const auto ink = [&](int X, int Y) { return B.Canvas()->Pixels(X, Y) != clWhite; };
    TFrame F;
    const int Mid = Edit->Top() + Edit->Height() / 2;
    for (int x = Edit->Left() - 3; x <= Edit->Left() + 2 && F.Left < 0; ++x)
        if (ink(x, Mid)) F.Left = x;
    for (int x = Edit->Left() + Edit->Width() + 3; x >= Edit->Left() + Edit->Width() - 2 && F.Right < 0; --x)
        if (ink(x, Mid)) F.Right = x;
    const int Column = F.Left + 1;
    for (int y = R.Top; y < Mid && F.Top < 0; ++y)
        if (ink(Column, y)) F.Top = y;
    for (int y = R.Bottom + 10; y > Mid && F.Bottom < 0; --y)
        if (ink(Column, y)) F.Bottom = y;
    return F;
}

TEST_F(FormControlsTest, FocusNextCellControlOpensEachEditableControlWherePaintedThenTheGrid) {
    const String Text = S(R"(Name <CONTROL TYPE="BUTTON" ID="b" VALUE="Go" WIDTH="40"> )"
                          R"(<CONTROL TYPE="EDIT" ID="e1" VALUE="one" WIDTH="90"> )"
                          R"(<CONTROL TYPE="EDIT" ID="e2" VALUE="two" WIDTH="70">)");
    TControlEdit* Edit = Grid->EditControl();
    const TPoint Offset = Grid->XYOffset();
    for (int Row : {1, 2}) {
        SCOPED_TRACE(Row);
        Grid->SetCellEx(1, Row, Text);
        // Row 2's cell has a check box: its text starts right of it.
        if (Row == 2) Grid->AddCheckBox(1, Row, false, false);
        TRect R = Grid->CellRect(1, Row);
        R.Left += Offset.X + 1 + (Row == 2 ? Grid->ScaledCheckSize() : 0);
        R.Top += Offset.Y + 1;

        Done.clear();
        Grid->FocusNextCellControl(1, Row, String());
        ASSERT_TRUE(PumpUntil([&] { return Edit->Focused(); }));
        EXPECT_EQ(Grid->CtrlID(), S("e1")) << "the button is skipped";
        EXPECT_EQ(Edit->Text(), S("one"));
        TFrame F = paintedFrame(Grid, Text, R, Edit);
        EXPECT_EQ(F.Left, Edit->Left() - 1);
        EXPECT_EQ(F.Right, Edit->Left() + Edit->Width() + 2);
        EXPECT_LT(F.Top, Edit->Top());
        EXPECT_GE(F.Bottom, Edit->Top() + Edit->Height());

        // The next control after e1; what was typed into e1 is kept on the way.
        type("uno");
        Grid->FocusNextCellControl(1, Row, S("e1"));
        ASSERT_TRUE(PumpUntil([&] { return Edit->Focused(); }));
        EXPECT_EQ(Grid->GetCtrlVal(1, Row, S("e1")), S("uno"));
        EXPECT_EQ(Grid->CtrlID(), S("e2"));
        EXPECT_EQ(Edit->Text(), S("two"));
        F = paintedFrame(Grid, Grid->GetCellEx(1, Row), R, Edit);
        EXPECT_EQ(F.Left, Edit->Left() - 1);
        EXPECT_EQ(F.Right, Edit->Left() + Edit->Width() + 2);

        // After the last one the grid takes the focus, which ends the edit.
        type("dos");
        Grid->FocusNextCellControl(1, Row, S("e2"));
        ASSERT_TRUE(PumpUntil([&] { return Grid->Focused(); }));
        EXPECT_FALSE(Grid->CtrlEditing());
        EXPECT_FALSE(Edit->Visible());
        EXPECT_EQ(Grid->GetCtrlVal(1, Row, S("e2")), S("dos"));
        EXPECT_EQ(Done,
                  (std::vector<TDone>{{Row, 1, S("e1"), S("EDIT"), S("uno")}, {Row, 1, S("e2"), S("EDIT"), S("dos")}}));
    }
    // Row 2's boxes sit the check box's width further right.
    EXPECT_GT(Grid->ScaledCheckSize(), 0);
}

TEST_F(FormControlsTest, ACellWithoutEditableControlsGivesTheFocusToTheGrid) {
    Grid->SetCellEx(1, 1, S(R"(<CONTROL TYPE="CHECK" ID="c" VALUE="TRUE" WIDTH="20"> plain)"));
    Other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
    Grid->FocusNextCellControl(1, 1, String());
    ASSERT_TRUE(PumpUntil([&] { return Grid->Focused(); }));
    EXPECT_FALSE(Grid->CtrlEditing());
    EXPECT_FALSE(Grid->EditControl()->Visible());
}

}  // namespace
