#include "components/grid/model/CellProperties.h"

#include <gtest/gtest.h>

#include <vector>

using namespace basegrid;

namespace {

// A grid as the properties see it: records repaints and creations.
class TOwnerSpy : public ICellPropertiesOwner {
public:
    void RepaintCell(int ACol, int ARow) override { Repaints.push_back({ACol, ARow}); }
    bool WordWrap() const override { return Wrap; }
    void CellPropertiesCreated() override { ++Created; }

    std::vector<TPoint> Repaints;
    bool Wrap = true;
    int Created = 0;
};

}  // namespace

TEST(CellProperties, StartValuesTellTheOwnerAndTakeItsWordWrap) {
    TOwnerSpy Owner;
    TCellProperties P(&Owner, 3, 7);
    EXPECT_EQ(Owner.Created, 1);
    EXPECT_EQ(P.OwnerGrid(), &Owner);
    EXPECT_EQ(P.OwnerCol(), 3);
    EXPECT_EQ(P.OwnerRow(), 7);
    EXPECT_EQ(P.CellObject(), 0u);
    EXPECT_EQ(P.GraphicObject(), nullptr);
    EXPECT_EQ(P.BrushStyle(), bsSolid);
    EXPECT_EQ(P.BrushColor(), clNone);
    EXPECT_EQ(P.BrushColorTo(), clNone);
    EXPECT_EQ(P.FontColor(), clNone);
    EXPECT_EQ(P.FontSize(), 0);
    EXPECT_TRUE(P.FontStyle().Empty());
    EXPECT_EQ(P.CellSpanX(), -1);
    EXPECT_EQ(P.CellSpanY(), -1);
    EXPECT_TRUE(P.IsBaseCell());
    EXPECT_EQ(P.BorderWidth(), 0);
    EXPECT_EQ(P.BorderColor(), 0);
    EXPECT_EQ(P.Alignment(), taLeftJustify);
    EXPECT_EQ(P.VAlignment(), vtaTop);
    EXPECT_EQ(P.PaintID(), 0);
    EXPECT_TRUE(P.WordWrap());
    EXPECT_EQ(P.CalcType(), acNONE);
    EXPECT_EQ(P.CalcObject(), nullptr);
    EXPECT_EQ(P.NodeLevel(), 0);
    EXPECT_EQ(P.Editor(), edNormal);
    EXPECT_EQ(P.FontName(), String());
    EXPECT_FALSE(P.ReadOnly());
    EXPECT_EQ(P.GradientDirection(), GradientVertical);
    EXPECT_EQ(P.Control(), nullptr);
    EXPECT_FALSE(P.MergeCollaps());
    Owner.Wrap = false;
    TCellProperties Q(&Owner, 0, 0);
    EXPECT_FALSE(Q.WordWrap());
    EXPECT_TRUE(Owner.Repaints.empty());
}

TEST(CellProperties, ColourAlignmentAndWrapWritersRepaintTheOwnerCell) {
    TOwnerSpy Owner;
    TCellProperties P(&Owner, 2, 5);
    P.SetAlignment(taCenter);  // stores only
    P.SetFontColor(clRed);
    EXPECT_TRUE(Owner.Repaints.empty());
    P.SetBrushColor(clYellow);
    P.SetBrushColorTo(clBlue);
    P.SetVAlignment(vtaBottom);
    P.SetWordWrap(false);
    ASSERT_EQ(Owner.Repaints.size(), 4u);
    for (const TPoint& Cell : Owner.Repaints) EXPECT_EQ(Cell, Point(2, 5));
    // Without an owner (no grid window) the writers just store.
    TCellProperties Alone(nullptr, 0, 0);
    Alone.SetBrushColor(clGreen);
    EXPECT_EQ(Alone.BrushColor(), clGreen);
}

TEST(CellProperties, AssignCopiesTheTwentyTwoFieldsAndNothingElse) {
    TOwnerSpy Owner, Other;
    TCellProperties S(&Owner, 4, 9);
    TObject Graphic, Calc;
    S.SetIsBaseCell(false);
    S.SetCellSpanX(2);
    S.SetCellSpanY(1);
    S.SetCellObject(1234);
    S.SetAlignment(taRightJustify);
    S.SetBorderColor(clMaroon);
    S.SetBorderWidth(3);
    S.SetBrushColor(clYellow);
    S.SetBrushStyle(bsCross);
    S.SetFontColor(clRed);
    S.SetFontStyle({fsBold});
    S.SetFontName(QStringLiteral("Tahoma"));
    S.SetFontSize(-14);
    S.SetReadOnly(true);
    S.SetEditor(edComboList);
    S.SetVAlignment(vtaCenter);
    S.SetWordWrap(false);
    S.SetNodeLevel(2);
    S.SetControl(reinterpret_cast<TControl*>(&Calc));  // only the pointer is copied
    // Not copied:
    S.SetGraphicObject(&Graphic);
    S.SetBrushColorTo(clBlue);
    S.SetPaintID(7);
    S.SetCalcType(acSUM);
    S.SetCalcObject(&Calc);
    S.SetGradientDirection(GradientHorizontal);

    TCellProperties D(&Other, 0, 0);
    const size_t RepaintsBefore = Other.Repaints.size();
    D.Assign(&S);
    EXPECT_FALSE(D.IsBaseCell());
    EXPECT_EQ(D.CellSpanX(), 2);
    EXPECT_EQ(D.CellSpanY(), 1);
    EXPECT_EQ(D.OwnerCol(), 4);
    EXPECT_EQ(D.OwnerRow(), 9);
    EXPECT_EQ(D.CellObject(), 1234u);
    EXPECT_EQ(D.Alignment(), taRightJustify);
    EXPECT_EQ(D.BorderColor(), clMaroon);
    EXPECT_EQ(D.BorderWidth(), 3);
    EXPECT_EQ(D.BrushColor(), clYellow);
    EXPECT_EQ(D.BrushStyle(), bsCross);
    EXPECT_EQ(D.FontColor(), clRed);
    EXPECT_EQ(D.FontStyle(), TFontStyles{fsBold});
    EXPECT_EQ(D.FontName(), QStringLiteral("Tahoma"));
    EXPECT_EQ(D.FontSize(), -14);
    EXPECT_TRUE(D.ReadOnly());
    EXPECT_EQ(D.Editor(), edComboList);
    EXPECT_EQ(D.VAlignment(), vtaCenter);
    EXPECT_FALSE(D.WordWrap());
    EXPECT_EQ(D.NodeLevel(), 2);
    EXPECT_EQ(D.Control(), reinterpret_cast<TControl*>(&Calc));
    EXPECT_FALSE(D.MergeCollaps());

    EXPECT_EQ(D.OwnerGrid(), &Other);
    EXPECT_EQ(D.GraphicObject(), nullptr);
    EXPECT_EQ(D.BrushColorTo(), clNone);
    EXPECT_EQ(D.PaintID(), 0);
    EXPECT_EQ(D.CalcType(), acNONE);
    EXPECT_EQ(D.CalcObject(), nullptr);
    EXPECT_EQ(D.GradientDirection(), GradientVertical);
    EXPECT_EQ(Other.Repaints.size(), RepaintsBefore);  // no setter ran
}

TEST(CellProperties, AssignFromAnotherClassChangesNothing) {
    TCellProperties D(nullptr, 1, 1);
    D.SetCellSpanX(3);
    TPersistent Other;
    D.Assign(&Other);
    D.Assign(nullptr);
    EXPECT_EQ(D.CellSpanX(), 3);
    EXPECT_EQ(D.OwnerCol(), 1);
}

TEST(CellProperties, CollapsedAreaReadsOneRowHighAndCopiesSo) {
    TCellProperties Base(nullptr, 1, 1);
    Base.SetCellSpanX(1);
    Base.SetCellSpanY(2);  // three rows
    Base.SetMergeCollaps(true);
    EXPECT_EQ(Base.CellSpanY(), 0);
    TCellProperties Copy(nullptr, 0, 0);
    Copy.Assign(&Base);
    EXPECT_EQ(Copy.CellSpanY(), 0);
    EXPECT_TRUE(Copy.MergeCollaps());
    Copy.SetMergeCollaps(false);
    EXPECT_EQ(Copy.CellSpanY(), 0);  // the copy took the span as read
}

TEST(CellProperties, BaseCellComesFromTheOffsetsAndThePositionPassedIn) {
    struct Case {
        bool IsBase;
        int SpanX, SpanY;
        bool Collapsed;
        TPoint At, Base;
    };
    const Case Cases[] = {
        {true, -1, -1, false, {5, 5}, {5, 5}},     // plain cell
        {true, 2, 1, false, {1, 1}, {1, 1}},       // base cell of a 3 x 2 area
        {false, 2, 1, false, {3, 2}, {1, 1}},      // its bottom-right cell
        {false, 2, 1, false, {13, 12}, {11, 11}},  // moved elsewhere: the position counts
        {false, -1, 0, false, {4, 4}, {4, 4}},     // no horizontal offset: itself
        {false, 1, 2, true, {4, 4}, {3, 4}},       // collapsed: vertical offset reads 0
    };
    for (const Case& C : Cases) {
        TCellProperties P(nullptr, 0, 0);
        P.SetIsBaseCell(C.IsBase);
        P.SetCellSpanX(C.SpanX);
        P.SetCellSpanY(C.SpanY);
        P.SetMergeCollaps(C.Collapsed);
        EXPECT_EQ(P.GetBaseCell(C.At.X, C.At.Y), C.Base) << C.At.X << "," << C.At.Y;
    }
}
