#include "components/grid/model/GridSettings.h"
#include "components/grid/model/GridExportSettings.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zirodad;

namespace {

struct EventCount {
    int Count = 0;
    TNotifyEvent handler() {
        return [this](TObject*) { ++Count; };
    }
};

}  // namespace

TEST(Navigation, DefaultsOfTheSwitchesThatStartOn) {
    TNavigation N;
    EXPECT_TRUE(N.AutoComboSelect());
    EXPECT_TRUE(N.AllowClipboardColGrow());
    EXPECT_TRUE(N.AllowClipboardRowGrow());
    EXPECT_TRUE(N.CopyHTMLTagsToClipboard());
    EXPECT_TRUE(N.AdvanceAutoEdit());
    EXPECT_TRUE(N.CursorWalkAlwaysEdit());
    EXPECT_TRUE(N.EditSelectAll());
    EXPECT_TRUE(N.SkipFixedCells());
    EXPECT_TRUE(N.SkipDisabledRows());
    EXPECT_TRUE(N.AllowCtrlEnter());
    EXPECT_TRUE(N.LeftRightRowSelect());
    EXPECT_TRUE(N.ComboGetUpDown());
    EXPECT_TRUE(N.AdvanceOnEnterLoop());
    EXPECT_TRUE(N.AdvanceSkipReadOnlyCells());
    EXPECT_FALSE(N.AlwaysEdit());
    EXPECT_FALSE(N.AdvanceOnEnter());
    EXPECT_EQ(N.AdvanceDirection(), adLeftRight);
    EXPECT_EQ(N.InsertPosition(), pInsertBefore);
    EXPECT_EQ(N.HomeEndKey(), heFirstLastColumn);
    EXPECT_EQ(N.CursorAdvance(), caDefault);
    EXPECT_EQ(N.ClipboardCutAction(), caClear);
    EXPECT_EQ(N.ClipboardPasteAction(), paReplace);
    EXPECT_EQ(N.ToggleTriStateCheck(), tsAllStates);
}

TEST(Navigation, EventsPerSetter) {
    TNavigation N;
    EventCount E;
    N.OnChange = E.handler();
    N.SetAdvanceDirection(adTopBottom);
    N.SetAdvanceDirection(adTopBottom);  // unchanged: no event
    N.SetAdvanceInsert(true);
    EXPECT_EQ(E.Count, 2);
    N.SetAdvanceAuto(true);  // no event, but advances on Enter from now on
    EXPECT_TRUE(N.AdvanceOnEnter());
    N.SetAdvanceAuto(false);
    EXPECT_TRUE(N.AdvanceOnEnter());
    N.SetAlwaysEdit(true);
    N.SetAutoGotoWhenSorted(true);
    EXPECT_EQ(E.Count, 2);
}

TEST(Navigation, AssignCopiesAllButKeepScrollOnSortAndFiresNothing) {
    TNavigation S, D;
    S.SetAlwaysEdit(true);
    S.SetAdvanceDirection(adTopBottomInCol);
    S.SetKeepScrollOnSort(true);
    S.SetClipboardCutAction(caRemove);
    S.SetToggleTriStateCheck(tsCheckUnCheck);
    S.SetAutoComboSelect(false);
    EventCount E;
    D.OnChange = E.handler();
    D.Assign(&S);
    EXPECT_TRUE(D.AlwaysEdit());
    EXPECT_EQ(D.AdvanceDirection(), adTopBottomInCol);
    EXPECT_FALSE(D.KeepScrollOnSort());
    EXPECT_EQ(D.ClipboardCutAction(), caRemove);
    EXPECT_EQ(D.ToggleTriStateCheck(), tsCheckUnCheck);
    EXPECT_FALSE(D.AutoComboSelect());
    EXPECT_EQ(E.Count, 0);
    TBands Other;
    D.Assign(&Other);  // ignored
    EXPECT_TRUE(D.AlwaysEdit());
}

TEST(MouseActions, HotmailRowSelectSetsItsCompanionsAndAlwaysRepaints) {
    TMouseActions M(nullptr);
    EventCount Inval;
    M.OnInvalidate = Inval.handler();
    M.SetHotmailRowSelect(false);
    EXPECT_FALSE(M.DisjunctRowSelect());
    EXPECT_FALSE(M.CheckAllCheck());
    EXPECT_EQ(Inval.Count, 1);
    M.SetHotmailRowSelect(true);
    EXPECT_TRUE(M.DisjunctRowSelect());
    EXPECT_TRUE(M.CheckAllCheck());
    M.SetHotmailRowSelect(false);  // the companions stay
    EXPECT_TRUE(M.DisjunctRowSelect());
    EXPECT_TRUE(M.CheckAllCheck());
    EXPECT_EQ(Inval.Count, 3);
}

TEST(MouseActions, DisjunctModesCombineAtRunTimeButNotInTheDesigner) {
    TMouseActions Run(nullptr);
    Run.SetDisjunctRowSelect(true);
    Run.SetDisjunctColSelect(true);
    EXPECT_TRUE(Run.DisjunctRowSelect());
    EXPECT_TRUE(Run.DisjunctColSelect());

    TMouseActions Design(nullptr);
    Design.OnIsDesigning = [](TObject*, bool& IsDesigning) { IsDesigning = true; };
    Design.SetDisjunctRowSelect(true);
    Design.SetDisjunctCellSelect(true);
    EXPECT_FALSE(Design.DisjunctRowSelect());
    EXPECT_TRUE(Design.DisjunctCellSelect());
    Design.SetDisjunctColSelect(true);
    EXPECT_TRUE(Design.DisjunctColSelect());
    EXPECT_FALSE(Design.DisjunctCellSelect());
}

TEST(MouseActions, OtherSettersAndTheirEvents) {
    TMouseActions M(nullptr);
    EventCount Change, Disable;
    M.OnChange = Change.handler();
    M.OnDisableEdit = Disable.handler();
    M.SetWheelAction(waScroll);
    M.SetWheelAction(waScroll);
    EXPECT_EQ(Change.Count, 1);
    M.SetEditOnDblClickOnly(false);
    M.SetEditOnDblClickOnly(true);
    EXPECT_EQ(Disable.Count, 1);
    TStringList Values;
    Values.Add(QStringLiteral("one"));
    M.SetFixedComboValues(&Values);
    Values.Add(QStringLiteral("two"));  // copied, not shared
    EXPECT_EQ(M.FixedComboValues()->Count(), 1);
    EXPECT_TRUE(M.PreciseNodeClick());
    EXPECT_TRUE(M.AutoSizeColOnDblClick());
    EXPECT_EQ(M.FixedRowsEditor(), fceEdit);
    EXPECT_EQ(M.WheelActive(), waFocus);
}

TEST(MouseActions, AssignLeavesOutFourSwitches) {
    TMouseActions S(nullptr), D(nullptr);
    S.SetRowSelect(true);
    S.SetSizeFixedRow(true);
    S.SetHotmailRowSelect(true);  // also sets DisjunctRowSelect and CheckAllCheck, which are copied
    S.SetEditOnDblClickOnly(true);
    S.SetWheelIncrement(3);
    S.SetFixedRowsEdit(fceDblClick);
    TStringList Values;
    Values.Add(QStringLiteral("x"));
    S.SetFixedComboValues(&Values);
    D.Assign(&S);
    EXPECT_TRUE(D.RowSelect());
    EXPECT_TRUE(D.DisjunctRowSelect());
    EXPECT_TRUE(D.CheckAllCheck());
    EXPECT_EQ(D.WheelIncrement(), 3);
    EXPECT_EQ(D.FixedRowsEdit(), fceDblClick);
    EXPECT_FALSE(D.SizeFixedRow());
    EXPECT_FALSE(D.HotmailRowSelect());
    EXPECT_FALSE(D.EditOnDblClickOnly());
    EXPECT_EQ(D.FixedComboValues()->Count(), 0);
}

TEST(SearchFooter, CaptionsOnlyForAGridPlacedInTheDesigner) {
    TSearchFooter Design(nullptr, true);
    EXPECT_EQ(Design.FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_EQ(Design.FindPrevCaption(), QStringLiteral("Find &previous"));
    EXPECT_EQ(Design.MatchCaseCaption(), QStringLiteral("Match case"));
    EXPECT_EQ(Design.HintClose(), QStringLiteral("Close"));
    EXPECT_EQ(Design.HintFindPrev(), QStringLiteral("Find previous occurrence"));
    EXPECT_EQ(Design.HintHighlight(), QStringLiteral("Highlight occurrences"));
    EXPECT_EQ(Design.HintFindNext(), QStringLiteral("Find next occurrence"));
    EXPECT_EQ(Design.HighLightCaption(), QStringLiteral("Highlight"));
    TSearchFooter Run(nullptr, false);
    EXPECT_EQ(Run.FindNextCaption(), String());
    EXPECT_EQ(Run.HintClose(), String());
    EXPECT_TRUE(Run.ShowFindNext());
    EXPECT_TRUE(Run.ShowFindPrev());
    EXPECT_TRUE(Run.ShowClose());
    EXPECT_TRUE(Run.ShowHighLight());
    EXPECT_TRUE(Run.ShowMatchCase());
    EXPECT_TRUE(Run.AutoSearch());
    EXPECT_FALSE(Run.Visible());
    EXPECT_EQ(Run.Color(), clWhite);
    EXPECT_EQ(Run.ColorTo(), clBtnFace);
    EXPECT_EQ(Run.SearchColumn(), -1);
    EXPECT_EQ(Run.SearchErrorColor(), clRed);
}

TEST(SearchFooter, EventsAlwaysOrOnChangeBySetter) {
    TSearchFooter F(nullptr, false);
    EventCount E;
    F.OnChange = E.handler();
    struct Step {
        const char* Name;
        void (*Set)(TSearchFooter&);
        int Events;  // the count after the step
    };
    const Step Steps[] = {
        {"caption", [](TSearchFooter& F) { F.SetFindNextCaption(String()); }, 1},
        {"same caption again", [](TSearchFooter& F) { F.SetFindNextCaption(String()); }, 2},
        {"colour", [](TSearchFooter& F) { F.SetColor(clWhite); }, 3},
        {"ShowClose unchanged", [](TSearchFooter& F) { F.SetShowClose(true); }, 4},
        {"AutoThemeAdapt", [](TSearchFooter& F) { F.SetAutoThemeAdapt(false); }, 5},
        {"ShowFindNext unchanged", [](TSearchFooter& F) { F.SetShowFindNext(true); }, 5},
        {"ShowFindNext", [](TSearchFooter& F) { F.SetShowFindNext(false); }, 6},
        {"Visible unchanged", [](TSearchFooter& F) { F.SetVisible(false); }, 6},
        {"Visible", [](TSearchFooter& F) { F.SetVisible(true); }, 7},
        {"AutoSearch", [](TSearchFooter& F) { F.SetAutoSearch(false); }, 7},
        {"plain switch", [](TSearchFooter& F) { F.SetSearchColumn(3); }, 7},
    };
    for (const Step& S : Steps) {
        S.Set(F);
        EXPECT_EQ(E.Count, S.Events) << S.Name;
    }
    F.SetLastSearch(QStringLiteral("abc"));
    F.SetAutoSearch(true);
    EXPECT_EQ(F.LastSearch(), String());
}

TEST(SearchFooter, AssignCopiesFontAndSwitchesButNotTheExcludedOnes) {
    TSearchFooter S(nullptr, true), D(nullptr, false);
    S.SetAutoSearch(false);
    S.SetSearchFixedCells(true);
    S.SetAutoThemeAdapt(true);
    S.SetLastSearch(QStringLiteral("x"));
    S.SetVisible(true);
    S.SetSearchDirection(sdLeftRight);
    S.Font()->SetName(QStringLiteral("Tahoma"));
    EventCount E;
    D.OnChange = E.handler();
    D.Assign(&S);
    EXPECT_EQ(D.FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_TRUE(D.Visible());
    EXPECT_EQ(D.SearchDirection(), sdLeftRight);
    EXPECT_EQ(D.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_NE(D.Font(), S.Font());
    EXPECT_TRUE(D.AutoSearch());
    EXPECT_FALSE(D.SearchFixedCells());
    EXPECT_FALSE(D.AutoThemeAdapt());
    EXPECT_EQ(D.LastSearch(), String());
    EXPECT_EQ(E.Count, 0);
}

TEST(Bands, DefaultsEventsAndTheBandOfARow) {
    TBands B;
    EXPECT_EQ(B.TotalLength(), 2);
    EXPECT_EQ(B.PrimaryColor(), clInfoBk);
    EXPECT_EQ(B.SecondaryColor(), clWindow);
    EventCount E;
    B.OnChange = E.handler();
    B.SetPrimaryColor(clYellow);  // inactive: stored, no repaint
    B.SetPrimaryLength(2);
    EXPECT_EQ(B.TotalLength(), 3);
    EXPECT_EQ(E.Count, 0);
    TColor C = clNone;
    EXPECT_FALSE(B.BandColor(1, 1, C));
    B.SetActive(true);
    EXPECT_EQ(E.Count, 1);
    B.SetSecondaryColor(clAqua);
    B.SetSecondaryColor(clAqua);
    EXPECT_EQ(E.Count, 2);
    const TColor Expected[] = {clYellow, clYellow, clAqua, clYellow, clYellow, clAqua};
    for (int R = 0; R < 6; ++R) {
        ASSERT_TRUE(B.BandColor(R + 1, 1, C));
        EXPECT_EQ(C, Expected[R]) << R;
    }
}

TEST(Bands, WithoutAnyLengthThereAreNoBands) {
    TBands B;
    B.SetActive(true);
    B.SetPrimaryLength(-4);  // lengths clamp at 0
    EXPECT_EQ(B.PrimaryLength(), 0);
    B.SetSecondaryLength(0);
    EXPECT_EQ(B.TotalLength(), 0);
    TColor C = clNone;
    EXPECT_FALSE(B.BandColor(5, 1, C));
    EXPECT_EQ(C, clNone);
}

TEST(Bands, AssignRecomputesTheTotalAndCopiesPrint) {
    TBands S, D;
    S.SetPrimaryLength(3);
    S.SetSecondaryLength(4);
    S.SetPrint(true);
    S.SetActive(true);
    EventCount E;
    D.OnChange = E.handler();
    D.Assign(&S);
    EXPECT_EQ(D.TotalLength(), 7);
    EXPECT_TRUE(D.Print());
    EXPECT_TRUE(D.Active());
    EXPECT_EQ(E.Count, 0);
}

TEST(SyncGrid, NeverFollowsItsOwnGrid) {
    TComponent Owner(nullptr), Other(nullptr);
    auto* OwnerGrid = reinterpret_cast<TStringGrid*>(&Owner);  // only compared, never used
    auto* OtherGrid = reinterpret_cast<TStringGrid*>(&Other);
    TSyncGrid S(&Owner);
    S.SetGrid(OtherGrid);
    S.SetGrid(OwnerGrid);
    EXPECT_EQ(S.Grid(), OtherGrid);
    S.SetGrid(nullptr);
    EXPECT_EQ(S.Grid(), nullptr);
    TSyncGrid From(&Other);
    From.SetGrid(OwnerGrid);
    From.SetMoveRow(true);
    S.SetGrid(OtherGrid);
    S.Assign(&From);  // the owner's own grid is refused through SetGrid
    EXPECT_EQ(S.Grid(), OtherGrid);
    EXPECT_TRUE(S.MoveRow());
}

TEST(ExportSettings, StartValues) {
    THTMLSettings H;
    EXPECT_EQ(H.ImageBaseName(), QStringLiteral("img"));
    EXPECT_EQ(H.ImageFolder(), QStringLiteral("images"));
    EXPECT_EQ(H.Width(), 100);
    EXPECT_EQ(H.BorderSize(), 1);
    EXPECT_TRUE(H.SaveColor());
    EXPECT_TRUE(H.SaveFonts());
    EXPECT_TRUE(H.ExportImages());
    TPrintSettings P(nullptr);
    EXPECT_EQ(P.PageNumSep(), QStringLiteral("/"));
    EXPECT_EQ(P.DateFormat(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(P.Borders(), pbSingle);
    EXPECT_TRUE(P.Centered());
    EXPECT_TRUE(P.UseDisplayFont());
    EXPECT_TRUE(P.PrintComments());
    EXPECT_EQ(P.Orientation(), poPortrait);
    EXPECT_EQ(P.FitToPage(), fpNever);
    TColumnSize C(nullptr);
    EXPECT_EQ(C.StretchColumn(), -1);
    EXPECT_EQ(C.Location(), clRegistry);
    EXPECT_EQ(C.Rows(), arAll);
    TSizeWhileTyping T;
    EXPECT_FALSE(T.Height());
    EXPECT_FALSE(T.Width());
}

namespace {

// A grid as its column-size settings see it.
class TStretchSpy : public TComponent, public IColumnSizeOwner {
public:
    TStretchSpy() : TComponent(nullptr) {}
    void ColumnSizeStretchChanged(bool AllColumns) override { Calls.push_back(AllColumns); }
    std::vector<bool> Calls;
};

}  // namespace

TEST(ExportSettings, ColumnSizeStretchesThroughItsGrid) {
    TStretchSpy Grid;
    TColumnSize C(&Grid);
    C.SetStretchColumn(3);
    C.SetStretch(true);
    C.SetStretchAll(true);
    EXPECT_EQ(C.StretchColumn(), -1);
    C.SetStretchAll(true);  // unchanged
    EXPECT_EQ(Grid.Calls, (std::vector<bool>{false, true}));
    // Assign leaves the target's StretchAll alone and runs no setter.
    TColumnSize D(&Grid);
    D.Assign(&C);
    EXPECT_FALSE(D.StretchAll());
    EXPECT_TRUE(D.Stretch());
    EXPECT_EQ(Grid.Calls.size(), 2u);
}

TEST(ExportSettings, AssignExclusions) {
    THTMLSettings HS, HD;
    HS.SetExportImages(false);
    HS.ColWidths()->Add(40);
    HS.SetImageFolder(QStringLiteral("pics"));
    HD.Assign(&HS);
    EXPECT_TRUE(HD.ExportImages());
    EXPECT_EQ(HD.ColWidths()->Count(), 0);
    EXPECT_EQ(HD.ImageFolder(), QStringLiteral("pics"));

    TPrintSettings PS(nullptr), PD(nullptr);
    PS.SetFixedCellsAlways(true);
    PS.SetJobName(QStringLiteral("job"));
    PS.HeaderFont()->SetName(QStringLiteral("Tahoma"));
    PS.TitleLines()->Add(QStringLiteral("line"));
    PD.Assign(&PS);
    EXPECT_FALSE(PD.FixedCellsAlways());
    EXPECT_EQ(PD.JobName(), QStringLiteral("job"));
    EXPECT_EQ(PD.HeaderFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(PD.TitleLines()->Count(), 1);
    THTMLSettings Other;
    EXPECT_THROW(PD.Assign(&Other), EInvalidCast);
    EXPECT_THROW(PD.Assign(nullptr), EInvalidCast);
    EXPECT_EQ(PD.JobName(), QStringLiteral("job"));

    TSizeWhileTyping A, B;
    EXPECT_ANY_THROW(B.Assign(&A));
}
