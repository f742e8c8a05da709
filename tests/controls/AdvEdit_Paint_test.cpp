// TAdvEdit's look read from pixels: the label in its fifteen places, the flat line and box, the
// grey empty text, the disabled text colour, the error zig-zag, and the URL look with its click.
#include "components/controls/AdvEdit.h"
#include "framework/os/ShellAPI.h"
#include "framework/ui/Gdi.h"
#include "tests/controls/EditFixture.h"

using namespace advedit;

namespace {

class AdvEditPaint : public EditFixture {
protected:
    // The pixels of Colour (or, with Tolerance, near it) in the rectangle R of B.
    static int count(TBitmap* B, const TRect& R, TColor Colour, int Tolerance = 0) {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X) N += near(B->Canvas()->Pixels(X, Y), Colour, Tolerance);
        return N;
    }
    static bool near(TColor A, TColor B, int Tolerance) {
        for (int Shift : {0, 8, 16})
            if (std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)) > Tolerance) return false;
        return true;
    }
    // The leftmost column holding a pixel darker than the background, -1 when none.
    static int inkLeft(TBitmap* B, const TRect& R, TColor Background) {
        for (int X = R.Left; X < R.Right; ++X)
            for (int Y = R.Top; Y < R.Bottom; ++Y)
                if (!near(B->Canvas()->Pixels(X, Y), Background, 40)) return X;
        return -1;
    }
    TRect inside(TAdvEdit* E) const {
        const int Border = E->BorderSize();
        return Rect(Border, Border, E->Width() - Border, E->Height() - Border);
    }
};

TEST_F(AdvEditPaint, TheLabelStandsInEachOfItsFifteenPlaces) {
    // Edit at (100, 50), 150 x 21; label 40 x 13, margin 4, single border.
    const TRect Edit = Rect(100, 50, 250, 71);
    const std::tuple<TLabelPosition, int, int> Cases[] = {
        {lpLeftTop, 56, 50},     {lpLeftCenter, 56, 53},    {lpLeftBottom, 56, 58},     {lpTopLeft, 100, 33},
        {lpBottomLeft, 100, 75}, {lpLeftTopLeft, 96, 50},   {lpLeftCenterLeft, 96, 53}, {lpLeftBottomLeft, 96, 58},
        {lpTopCenter, 155, 33},  {lpBottomCenter, 155, 75}, {lpRightTop, 254, 50},      {lpRightCenter, 254, 53},
        {lpRighBottom, 254, 58}, {lpTopRight, 210, 33},     {lpBottomRight, 210, 75},
    };
    for (const auto& [Position, Left, Top] : Cases) {
        const TRect R = LabelPlacement(Position, 40, 40, 13, Edit, 4, 2);
        EXPECT_EQ(Point(R.Left, R.Top), Point(Left, Top)) << int(Position);
    }
    EXPECT_EQ(LabelPlacement(lpTopCenter, 200, 200, 13, Edit, 4, 2).Left, 75) << "wider than the edit: centred";
    EXPECT_EQ(LabelPlacement(lpLeftCenter, 40, 40, 30, Edit, 4, 2).Top, 45) << "taller than the edit";

    auto* E = newEdit();
    E->SetLabelCaption(QStringLiteral("Name:"));
    TAdvEditLabel* Label = E->EditLabel();
    ASSERT_NE(Label, nullptr);
    EXPECT_EQ(Label->Parent(), Form.get());
    EXPECT_EQ(Label->Top(), 50);
    EXPECT_EQ(Label->Left() + Label->Width() + 4, 100);
    E->SetLabelPosition(lpBottomLeft);
    EXPECT_EQ(Point(Label->Left(), Label->Top()), Point(100, 50 + E->Height() + 4));
}

TEST_F(AdvEditPaint, AFlatEditDrawsALineOrABoxGreyWhileDisabled) {
    struct Case {
        bool Soft;
        bool Enabled;
        TColor Line;
        bool RightEdge;
    };
    const Case Cases[] = {{false, true, clBlack, false}, {true, true, clBlack, true}, {false, false, clGray, false}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Soft);
        auto* E = newEdit();
        E->SetFlat(true);
        E->SetSoftBorder(C.Soft);
        // The silver frame of a disabled edit would cover the line.
        E->SetDisabledBorder(false);
        E->SetEnabled(C.Enabled);
        const auto B = render(E);
        const int W = E->Width(), H = E->Height();
        EXPECT_GT(count(B.get(), Rect(10, H - 1, W - 10, H), C.Line), W - 30) << "the bottom line";
        EXPECT_EQ(count(B.get(), Rect(W - 1, 4, W, H - 4), C.Line) > 0, C.RightEdge) << "the box's right side";
        E->Free();
    }
}

TEST_F(AdvEditPaint, TheEmptyTextIsGreyAndHidesOnFocus) {
    auto* E = newEdit();
    E->SetEmptyText(QStringLiteral("Search"));
    E->SetColor(clWhite);
    auto B = render(E);
    const TRect In = inside(E);
    const int Ctl3DLeft = inkLeft(B.get(), In, clWhite);
    ASSERT_GE(Ctl3DLeft, In.Left + 3);
    EXPECT_LE(Ctl3DLeft, In.Left + 4);
    EXPECT_GT(count(B.get(), In, clGray, 24), 5) << "grey text";
    EXPECT_EQ(count(B.get(), In, clBlack, 60), 0);

    E->SetCtl3D(false);
    B = render(E);
    EXPECT_EQ(inkLeft(B.get(), inside(E), clWhite) - inside(E).Left, Ctl3DLeft - In.Left + 3);
    E->SetCtl3D(true);

    E->Perform(WM_SETFOCUS, 0, 0);
    B = render(E);
    EXPECT_EQ(inkLeft(B.get(), inside(E), clWhite), -1) << "hidden while focused";
    E->SetEmptyTextFocused(true);
    E->Invalidate();
    B = render(E);
    EXPECT_NE(inkLeft(B.get(), inside(E), clWhite), -1);
    E->SetText(QStringLiteral("x"));
    B = render(E);
    E->SetEmptyText(QString());
    const auto Plain = render(E);
    EXPECT_EQ(count(B.get(), inside(E), clGray, 24), count(Plain.get(), inside(E), clGray, 24))
        << "only while the value is empty";
}

TEST_F(AdvEditPaint, DisabledTextTakesItsOwnColourAndTheZigZagShowsUnfocused) {
    auto* E = newEdit();
    E->SetText(QStringLiteral("Hello"));
    E->SetDisabledTextColor(clRed);
    E->SetEnabled(false);
    auto B = render(E);
    EXPECT_EQ(B->Canvas()->Pixels(E->Width() - 8, E->Height() / 2), clSilver) << "DisabledColor";
    EXPECT_GT(count(B.get(), inside(E), clRed, 40), 10);

    auto* M = newEdit();
    M->SetColor(clWhite);
    M->SetText(QStringLiteral("abcdef"));
    M->SetErrorMarkerPos(1);
    M->SetErrorMarkerLen(3);
    B = render(M);
    const int Red = count(B.get(), inside(M), clRed, 60);
    EXPECT_GT(Red, 10);
    const TPoint Last = M->PosFromChar(3);
    EXPECT_EQ(count(B.get(), Rect(Last.X + 12, 0, M->Width(), M->Height()), clRed, 60), 0) << "only under 1..3";
    M->Perform(WM_SETFOCUS, 0, 0);
    B = render(M);
    EXPECT_EQ(count(B.get(), inside(M), clRed, 60), 0) << "not while focused";
}

TEST_F(AdvEditPaint, OnlyAddressesAreOpenedByAClick) {
    struct Case {
        const char* Text;
        bool Look;
        const char* Opened;  // "" when nothing reaches the shell
    };
    const Case Cases[] = {
        {"www.example.com", true, "http://www.example.com"},
        {"https://example.com/a", true, "https://example.com/a"},
        {"ftp://files.example.com", true, "ftp://files.example.com"},
        {"ann@example.com", true, "mailto:ann@example.com"},
        {"@x", false, ""},
        {"file:///etc", true, ""},
        {"javascript://x", true, ""},
        {"plain", false, ""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Text);
        TRecordingShellService Shell;
        TShellServiceGuard Guard(&Shell);
        auto* E = newEdit();
        E->SetShowURL(true);
        E->SetText(QString::fromUtf8(C.Text));
        EXPECT_EQ(E->Font()->Style().Contains(fsUnderline), C.Look);
        EXPECT_EQ(E->Font()->Color() == clBlue, C.Look);
        int Clicks = 0;
        E->OnURLClick = [&](TObject*, String, bool&) { ++Clicks; };
        E->Perform(WM_SETFOCUS, 0, 0);
        E->Perform(WM_LBUTTONUP, 0, PointToLParam(10, 5));
        EXPECT_EQ(Clicks, C.Look ? 1 : 0);
        if (*C.Opened) {
            ASSERT_EQ(Shell.Count(), 1);
            EXPECT_EQ(Shell.Last().File, QString::fromUtf8(C.Opened));
        } else {
            EXPECT_EQ(Shell.Count(), 0);
        }
        E->Free();
    }
}

}  // namespace
