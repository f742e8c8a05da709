#include "framework/ui/StdCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

// A form that is never shown; controls are rendered through PaintTo.
class StdCtrlsTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);

    void SetUp() override { Form->SetBounds(0, 0, 300, 200); }

    std::unique_ptr<TBitmap> render(TWinControl* Control) {
        auto B = std::make_unique<TBitmap>(Control->Width(), Control->Height());
        Control->PaintTo(B->Canvas(), 0, 0);
        return B;
    }

    // The leftmost and rightmost columns in row band [Top, Bottom) holding a pixel other than Background.
    static std::pair<int, int> inkColumns(TBitmap* B, TColor Background, int Top, int Bottom, int Left, int Right) {
        int First = -1;
        int Last = -1;
        for (int X = Left; X < Right; ++X)
            for (int Y = Top; Y < Bottom; ++Y)
                if (B->Canvas()->Pixels(X, Y) != Background) {
                    if (First < 0) First = X;
                    Last = X;
                    break;
                }
        return {First, Last};
    }
};

TEST_F(StdCtrlsTest, LabelAutoSizeFollowsTheTextAndKeepsTheAlignedEdge) {
    auto* L = new TLabel(Form.get());
    L->SetParent(Form.get());
    TBitmap Measure(1, 1);
    Measure.Canvas()->SetFont(L->Font());
    L->SetCaption(QStringLiteral("Hello"));
    EXPECT_EQ(L->Width(), Measure.Canvas()->TextWidth(QStringLiteral("Hello")));
    EXPECT_EQ(L->Height(), Measure.Canvas()->TextHeight(QStringLiteral("Wg")));

    L->SetCaption(QStringLiteral("&Save && quit"));
    EXPECT_EQ(L->Width(), Measure.Canvas()->TextWidth(QStringLiteral("Save & quit")))
        << "accelerator marks take no room";

    L->SetLeft(200);
    L->SetAlignment(taRightJustify);
    const int Right = L->Left() + L->Width();
    L->SetCaption(QStringLiteral("A much longer caption"));
    EXPECT_EQ(L->Left() + L->Width(), Right);

    L->SetWordWrap(true);
    L->SetWidth(40);
    L->SetCaption(QStringLiteral("one two three four"));
    EXPECT_EQ(L->Width(), 40);
    EXPECT_GE(L->Height(), 3 * Measure.Canvas()->TextHeight(QStringLiteral("Wg")));
}

TEST_F(StdCtrlsTest, LabelPaintsItsTextWhereAlignmentSays) {
    struct Case {
        TAlignment Alignment;
        int MinLeft;
        int MaxLeft;
    };
    const Case Cases[] = {{taLeftJustify, 0, 2}, {taCenter, 80, 110}, {taRightJustify, 170, 200}};
    for (const Case& C : Cases) {
        auto* L = new TLabel(Form.get());
        L->SetParent(Form.get());
        L->SetAutoSize(false);
        L->SetBounds(0, 0, 200, 20);
        L->SetColor(clWhite);
        L->Font()->SetColor(clBlack);
        L->SetAlignment(C.Alignment);
        L->SetCaption(QStringLiteral("MM"));
        Form->SetColor(clWhite);
        auto B = render(Form.get());
        const auto [First, Last] = inkColumns(B.get(), clWhite, 0, 20, 0, 200);
        EXPECT_GE(First, C.MinLeft) << C.Alignment;
        EXPECT_LE(First, C.MaxLeft) << C.Alignment;
        EXPECT_GT(Last, First);
        L->Free();
    }
}

TEST_F(StdCtrlsTest, CheckBoxClicksFromCodeAndMouse) {
    auto* Box = new TCheckBox(Form.get());
    Box->SetParent(Form.get());
    Box->SetCaption(QStringLiteral("Option"));
    std::vector<bool> Clicks;
    Box->OnClick = [&](TObject*) { Clicks.push_back(Box->Checked()); };

    Box->SetChecked(true);
    Box->SetChecked(true);  // same value: no click
    EXPECT_EQ(Clicks, std::vector<bool>{true});

    Box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    Box->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5));
    EXPECT_EQ(Clicks, (std::vector<bool>{true, false})) << "a click toggles once";

    Box->SetAllowGrayed(true);
    Box->SetChecked(true);
    Box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    Box->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5));
    EXPECT_EQ(Box->State(), cbGrayed);

    Clicks.clear();
    Box->SetState(cbUnchecked);
    Box->SetAlignment(taLeftJustify);
    EXPECT_EQ(Box->BoxRect().Right, Box->Width()) << "caption on the left puts the box at the right edge";
    Box->SetColor(clWhite);
    Box->SetChecked(true);
    auto B = render(Box);
    const TRect R = Box->BoxRect();
    EXPECT_EQ(B->Canvas()->Pixels(R.Left + 6, R.Top + 7), ColorToRGB(clWindowText)) << "check mark";
}

class EditTest : public StdCtrlsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(EditTest, ChangeFiresForTypingAndCodeAndReadOnlyBlocksTyping) {
    auto* E = new TEdit(Form.get());
    E->SetParent(Form.get());
    if (GetParam()) E->HandleNeeded();
    int Changes = 0;
    E->OnChange = [&](TObject*) { ++Changes; };

    for (Char C : QStringLiteral("ab")) E->Perform(WM_CHAR, C.unicode(), 0);
    EXPECT_EQ(E->Text(), QStringLiteral("ab"));
    EXPECT_EQ(Changes, 2);
    EXPECT_TRUE(E->Modified());

    E->SetText(QStringLiteral("code"));
    EXPECT_EQ(Changes, 3);
    EXPECT_FALSE(E->Modified()) << "text from code clears Modified";

    E->Perform(EM_SETREADONLY, 1, 0);
    E->Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(E->Text(), QStringLiteral("code"));
    EXPECT_EQ(Changes, 3);
    E->SetReadOnly(false);

    // A reversed pair keeps the anchor at WParam; EM_GETSEL reports start and end.
    E->Perform(EM_SETSEL, 3, 1);
    DWORD Start = 0;
    DWORD End = 0;
    E->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
    EXPECT_EQ(Start, 1u);
    EXPECT_EQ(End, 3u);
    EXPECT_EQ(E->SelText(), QStringLiteral("od"));
    E->Perform(WM_CHAR, 'X', 0);
    EXPECT_EQ(E->Text(), QStringLiteral("cXe"));
    E->Perform(WM_CHAR, 8, 0);
    EXPECT_EQ(E->Text(), QStringLiteral("ce"));

    E->SetMaxLength(3);
    E->SelectAll();
    E->Perform(WM_CHAR, '1', 0);
    E->Perform(WM_CHAR, '2', 0);
    E->Perform(WM_CHAR, '3', 0);
    E->Perform(WM_CHAR, '4', 0);
    EXPECT_EQ(E->Text(), QStringLiteral("123")) << "MaxLength limits typing";

    const String Set = QStringLiteral("via message");
    E->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&Set));
    String Got;
    EXPECT_EQ(E->Perform(WM_GETTEXT, 5, reinterpret_cast<LPARAM>(&Got)), 4);
    EXPECT_EQ(Got, QStringLiteral("via "));
    EXPECT_EQ(E->Text(), Set) << "text from code is kept whole";
    E->Perform(EM_SETMODIFY, 1, 0);
    EXPECT_EQ(E->Perform(EM_GETMODIFY, 0, 0), 1);
}

INSTANTIATE_TEST_SUITE_P(HeadlessAndWindowed, EditTest, ::testing::Bool());

TEST_F(StdCtrlsTest, EditKeepsItsStateAcrossANewWindow) {
    auto* E = new TEdit(Form.get());
    E->SetParent(Form.get());
    E->SetText(QStringLiteral("keep me"));
    E->SetSelStart(2);
    E->SetSelLength(3);
    E->HandleNeeded();
    EXPECT_EQ(E->SelText(), QStringLiteral("ep "));
    E->Perform(WM_CHAR, 'Z', 0);
    E->RecreateWnd();
    EXPECT_EQ(E->Text(), QStringLiteral("keZme"));
    EXPECT_TRUE(E->Modified());
}

TEST_F(StdCtrlsTest, MemoLinesAndTextStayInStep) {
    for (bool Windowed : {false, true}) {
        auto* M = new TMemo(Form.get());
        M->SetParent(Form.get());
        if (Windowed) M->HandleNeeded();
        int Changes = 0;
        M->OnChange = [&](TObject*) { ++Changes; };
        M->Lines()->Add(QStringLiteral("one"));
        M->Lines()->Add(QStringLiteral("two"));
        EXPECT_EQ(M->Text(), QStringLiteral("one\ntwo"));
        M->Lines()->Insert(1, QStringLiteral("between"));
        M->Lines()->Delete(0);
        EXPECT_EQ(M->Lines()->Count(), 2);
        EXPECT_EQ(M->Lines()->Strings(0), QStringLiteral("between"));

        M->SetText(QStringLiteral("a\nb\n"));
        EXPECT_EQ(M->Lines()->Count(), 2) << "no empty line after the final break";
        M->Perform(EM_SETSEL, 3, 3);
        M->Perform(WM_CHAR, '\r', 0);
        M->Perform(WM_CHAR, 'c', 0);
        EXPECT_EQ(M->Lines()->Strings(2), QStringLiteral("c"));
        EXPECT_GT(Changes, 4);
        EXPECT_THROW(M->Lines()->Strings(9), EStringListError);

        M->SetWantReturns(false);
        M->Perform(WM_CHAR, '\r', 0);
        EXPECT_EQ(M->Lines()->Count(), 3);
        M->Free();
    }
}

}  // namespace
