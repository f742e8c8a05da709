// The grid control's life cycle: defaults and owned objects, designing, copying, loading, the
// window's timer, bounds, the wheel set-up and the scroll-bar rule.
#include "components/grid/VidIvezadOrir.h"
#include "components/graphics/AdvHintInfo.h"
#include "components/grid/GridControls.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/Encoding.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Registry.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, TFree>;

Owned<TVidIvezadOrir> newGrid(TComponent* Owner = nullptr) { return Owned<TVidIvezadOrir>(new TVidIvezadOrir(Owner)); }

}  // namespace

TEST(VidIvezadOrir, ConstructorDefaults) {
    TPlatformFactsScope Facts;
    auto G = newGrid();
    EXPECT_EQ(G->RowCount(), 10);
    EXPECT_EQ(G->DefaultRowHeight(), 22);
    EXPECT_EQ(G->FixedRowHeight(), 22);
    EXPECT_EQ(G->RowHeights(0), 22);
    EXPECT_EQ(G->Width(), 400);
    EXPECT_EQ(G->Height(), 250);
    EXPECT_EQ(G->SelectionColor(), 0xEACAB6);
    EXPECT_EQ(G->FloatFormat(), QStringLiteral("%.2f"));
    EXPECT_EQ(G->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(G->CheckFalse(), QStringLiteral("N"));
    EXPECT_EQ(G->FilterDropDownClear(), QStringLiteral("(All)"));
    EXPECT_EQ(G->ScrollBars(), ssBoth);
    EXPECT_EQ(G->XYOffset(), Point(2, 2));
    EXPECT_EQ(G->BorderColor(), 0xB99D7F);
    EXPECT_EQ(G->Look(), glXP);
    EXPECT_EQ(G->DrawingStyle(), gdsClassic);
    EXPECT_EQ(G->PasswordChar(), u'*');
    EXPECT_EQ(G->XMLEncoding(), QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(G->Encoding(), TEncoding::UTF8());
    EXPECT_EQ(G->ScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(G->TesselGradientTo(), ColorToRGB(clBtnFace));
    EXPECT_EQ(G->ActiveCellColor(), clGray);
    EXPECT_EQ(G->DisabledFontColor(), clSilver);
    EXPECT_EQ(G->GroupColumn(), -1);
    EXPECT_EQ(G->ComponentStyle(), tsWindowsXP);
    EXPECT_EQ(G->LastOfficeTheme(), otUnknown);
    EXPECT_TRUE(G->EnableHTML());
    EXPECT_TRUE(G->ShowSelection());
    EXPECT_TRUE(G->SaveFixedCells());
    EXPECT_FALSE(G->SaveHiddenCells());
    EXPECT_TRUE(G->ControlStyle().Contains(csAcceptsControls));
    EXPECT_EQ(G->FixedFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(G->FixedFont()->Style().Contains(fsBold));
    EXPECT_TRUE(G->IsWinXP());
    EXPECT_TRUE(G->IsThemed());
    EXPECT_EQ(G->GetVersionNr(), 134284032);
    EXPECT_EQ(G->VersionNr(), 134284032);
    EXPECT_EQ(G->Version(), QStringLiteral("8.1.3.0"));
    G->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(G->Version(), QStringLiteral("8.1.3.0")) << "writing does nothing";
    EXPECT_EQ(G->VersionString(), QStringLiteral("8.1.3.0 Sep, 2016"));
    // Before Windows XP the border is grey.
    PlatformFacts().MajorVersion = 5;
    PlatformFacts().MinorVersion = 0;
    auto Old = newGrid();
    EXPECT_EQ(Old->BorderColor(), clGray);
    EXPECT_FALSE(Old->IsWinXP());
}

TEST(VidIvezadOrir, OwnedObjectsAndWindowsOfAGridInUse) {
    auto G = newGrid();
    EXPECT_NE(G->Navigation(), nullptr);
    EXPECT_NE(G->MouseActions(), nullptr);
    EXPECT_NE(G->Bands(), nullptr);
    EXPECT_NE(G->PrintSettings(), nullptr);
    EXPECT_NE(G->OfficeHint(), nullptr);
    EXPECT_TRUE(G->FilterList()->Sorted());
    EXPECT_EQ(G->FilterList()->Duplicates(), dupIgnore);
    // Run-time grids get empty captions and check texts.
    EXPECT_EQ(G->SearchFooter()->FindNextCaption(), String());
    EXPECT_EQ(G->FilterDropDown()->TextChecked(), String());
    EXPECT_NE(G->FocusWindow(), nullptr);
    for (int D = 0; D < 4; ++D) EXPECT_NE(G->ArrowWindow(D), nullptr);
    EXPECT_EQ(G->ArrowWindow(arrLeft)->Direction(), arrLeft);
    ASSERT_NE(G->EditCombo(), nullptr);
    EXPECT_EQ(G->EditCombo()->Parent(), G.get());
    EXPECT_FALSE(G->EditCombo()->Visible());
    EXPECT_FALSE(G->EditCombo()->Enabled());
    EXPECT_EQ(G->EditBtn()->ButtonCaption(), QStringLiteral("..."));
    EXPECT_EQ(G->EditTrans()->BorderStyle(), bsNone);
    EXPECT_TRUE(G->EditTrans()->Enabled());
    EXPECT_EQ(G->MoveButton()->Grid(), G.get());
    ASSERT_NE(G->ButtonForm(), nullptr);
    EXPECT_TRUE(G->ButtonForm()->NoActivate());
    EXPECT_EQ(G->ButtonForm()->Width(), 200);
    EXPECT_EQ(G->ButtonForm()->Height(), 22);
    EXPECT_EQ(G->DropList()->Parent(), G.get());
    EXPECT_FALSE(G->DropList()->Visible());
    // The filter-type menu: nine icons, one item per type name.
    EXPECT_EQ(G->FilterTypeImages()->Count(), 9);
    ASSERT_EQ(G->FilterTypeMenu()->Items()->Count(), 9);
    EXPECT_EQ(G->FilterTypeMenu()->Items()->Items(2)->Caption(), QStringLiteral("Contains"));
    EXPECT_EQ(G->FilterTypeMenu()->Items()->Items(8)->ImageIndex(), 8);
    EXPECT_EQ(G->FilterTypeMenu()->Items()->Items(8)->Tag(), 8);
}

TEST(VidIvezadOrir, ADesigningGridMakesNoWindowsAndFreesCleanly) {
    TComponent Designer(nullptr);
    Designer.SetDesigning(true);
    auto* G = new TVidIvezadOrir(&Designer);
    EXPECT_TRUE(G->ComponentState().Contains(csDesigning));
    EXPECT_EQ(G->FocusWindow(), nullptr);
    for (int D = 0; D < 4; ++D) EXPECT_EQ(G->ArrowWindow(D), nullptr);
    EXPECT_EQ(G->EditCombo(), nullptr);
    EXPECT_EQ(G->EditBtn(), nullptr);
    EXPECT_EQ(G->GridButton(), nullptr);
    EXPECT_EQ(G->ScrollBarControl(), nullptr);
    EXPECT_EQ(G->ButtonForm(), nullptr);
    // Placed in the designer: captions and check texts are filled.
    EXPECT_EQ(G->SearchFooter()->FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_EQ(G->FilterDropDown()->TextChecked(), QStringLiteral("Checked"));
    EXPECT_EQ(G->FilterDropDown()->TextUnChecked(), QStringLiteral("Unchecked"));
    EXPECT_EQ(G->ActiveCellFont()->Name(), QStringLiteral("Tahoma"));
    G->Free();
}

TEST(VidIvezadOrir, AGridReadFromAFormIsNotBeingPlaced) {
    TComponent Reader(nullptr);
    Reader.SetDesigning(true);
    Reader.SetLoading(true);
    auto* G = new TVidIvezadOrir(&Reader);
    EXPECT_EQ(G->SearchFooter()->FindNextCaption(), String());
    EXPECT_EQ(G->FilterDropDown()->TextChecked(), String());
    G->Free();
}

TEST(VidIvezadOrir, AssignFromAPlainStringGridChangesNothing) {
    auto G = newGrid();
    G->SetCellEx(1, 1, QStringLiteral("kept"));
    G->LookupItems()->Add(QStringLiteral("a"));
    TStringGrid Plain(nullptr);
    Plain.SetColCount(9);
    Plain.SetCells(1, 1, QStringLiteral("other"));
    G->Assign(&Plain);
    G->AssignCells(&Plain);
    EXPECT_EQ(G->ColCount(), 5);
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(G->LookupItems()->Count(), 1);
}

TEST(VidIvezadOrir, AssignFromAGridCopiesSettingsListsSizesAndCells) {
    auto S = newGrid();
    S->SetColCount(7);
    S->SetRowCount(12);
    S->SetColWidths(3, 91);
    S->SetRowHeights(4, 33);
    S->SetCellEx(2, 3, QStringLiteral("cell"));
    S->SetCellEx(6, 11, QStringLiteral("last"));
    S->LookupItems()->Add(QStringLiteral("one"));
    S->LookupItems()->Add(QStringLiteral("two"));
    S->ColumnHeaders()->Add(QStringLiteral("Name"));
    S->Navigation()->SetAlwaysEdit(true);
    S->Bands()->SetPrimaryLength(4);
    S->PrintSettings()->SetJobName(QStringLiteral("job"));
    S->SetSelectionColor(clRed);
    S->SetGridLineColor(clBlue);
    S->SetHoverRow(true);
    S->SetMaxEditLength(20);
    auto D = newGrid();
    D->Assign(S.get());
    EXPECT_EQ(D->ColCount(), 7);
    EXPECT_EQ(D->RowCount(), 12);
    EXPECT_EQ(D->ColWidths(3), 91);
    EXPECT_EQ(D->RowHeights(4), 33);
    EXPECT_EQ(D->GetCellEx(2, 3), QStringLiteral("cell"));
    EXPECT_EQ(D->GetCellEx(6, 11), QStringLiteral("last"));
    EXPECT_EQ(D->LookupItems()->Count(), 2);
    EXPECT_EQ(D->ColumnHeaders()->Strings(0), QStringLiteral("Name"));
    EXPECT_TRUE(D->Navigation()->AlwaysEdit());
    EXPECT_EQ(D->Bands()->TotalLength(), 5);
    EXPECT_EQ(D->PrintSettings()->JobName(), QStringLiteral("job"));
    EXPECT_EQ(D->SelectionColor(), clRed);
    EXPECT_EQ(D->GridLineColor(), clBlue);
    EXPECT_TRUE(D->HoverRow());
    EXPECT_EQ(D->MaxEditLength(), 20);
    EXPECT_NE(D->Navigation(), S->Navigation());  // copied, not shared
}

TEST(VidIvezadOrir, IntegralHeightKeepsWholeRows) {
    auto G = newGrid();
    G->SetBorderStyle(bsSingle);
    G->SetIntegralHeight(true);
    G->SetBounds(0, 0, 400, 250);
    EXPECT_EQ(G->Height(), 246);  // 250 + 2 - (248 mod 22)
    G->SetIntegralHeight(false);
    G->SetBounds(0, 0, 400, 250);
    EXPECT_EQ(G->Height(), 250);
}

TEST(VidIvezadOrir, LoadingMovesAlwaysShowEditorToNavigation) {
    auto G = newGrid();
    G->SetOptions(G->Options() + TGridOptions{goAlwaysShowEditor, goEditing});
    G->SetLook(glTessel);
    G->Loaded();
    EXPECT_FALSE(G->Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(G->Options().Contains(goEditing));
    EXPECT_TRUE(G->Navigation()->AlwaysEdit());
    EXPECT_EQ(G->Look(), glTessel);
}

TEST(VidIvezadOrir, UnthemedSystemsDrawInCellControlsClassic) {
    TPlatformFactsScope Facts;
    ThemeSettings().Active = false;
    auto G = newGrid();
    G->Loaded();
    EXPECT_EQ(G->ControlLook()->ControlStyle(), zirodad::csClassic);
    ThemeSettings().Active = true;
    auto T = newGrid();
    T->Loaded();
    EXPECT_EQ(T->ControlLook()->ControlStyle(), zirodad::csTheme);
}

TEST(VidIvezadOrir, TimerOneElevenTicksEveryHalfSecondWhileTheWindowExists) {
    FakeClock Clock;
    auto Form = std::make_unique<TForm>(nullptr);
    auto* G = new TVidIvezadOrir(Form.get());
    G->SetParent(Form.get());
    Clock.Advance(1000);
    EXPECT_EQ(G->TimerTicks(), 0);  // no window yet
    Form->HandleNeeded();
    Clock.Advance(499);
    EXPECT_EQ(G->TimerTicks(), 0);
    Clock.Advance(1);
    EXPECT_EQ(G->TimerTicks(), 1);
    Clock.Advance(1000);
    EXPECT_EQ(G->TimerTicks(), 3);
    G->Free();
    Clock.Advance(1000);  // the freed grid's timer is gone
}

TEST(VidIvezadOrir, WheelLinesFromTheSystem) {
    TPlatformFactsScope Facts;
    auto Form = std::make_unique<TForm>(nullptr);
    auto* G = new TVidIvezadOrir(Form.get());
    G->SetParent(Form.get());
    PlatformFacts().WheelScrollLines = 5;
    Form->HandleNeeded();
    EXPECT_EQ(G->WheelScrollLines(), 5);
    EXPECT_EQ(G->WheelMessage(), WM_MOUSEWHEEL);
    PlatformFacts().WheelScrollLines = -1;  // a page per notch: the rows in view
    G->SetBounds(0, 0, 400, 200);
    EXPECT_EQ(G->WheelScrollLines(), G->VisibleRowCount());
}

TEST(VidIvezadOrir, ScrollBarsAlwaysShownButDisabledWhenEverythingFits) {
    auto G = newGrid();
    G->SetRowCount(3);
    G->SetColCount(3);
    G->SetScrollBarAlways(saBoth);
    G->ApplyScrollBarAlways(false);
    EXPECT_TRUE(G->ScrollBarVisible(SB_VERT));
    EXPECT_TRUE(G->ScrollBarVisible(SB_HORZ));
    EXPECT_FALSE(G->ScrollBarEnabled(SB_VERT));
    EXPECT_FALSE(G->ScrollBarEnabled(SB_HORZ));
    G->SetScrollBarAlways(saVert);
    G->ApplyScrollBarAlways(false);
    EXPECT_TRUE(G->ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(G->ScrollBarVisible(SB_HORZ));
    // Rows that no longer fit bring the bar back in use.
    G->SetRowCount(100);
    G->ApplyScrollBarAlways(false);
    EXPECT_TRUE(G->ScrollBarVisible(SB_VERT));
    EXPECT_TRUE(G->ScrollBarEnabled(SB_VERT));
    // Without the setting only a forced call hides the bars that are not needed.
    G->SetScrollBarAlways(saNone);
    G->SetRowCount(3);
    G->ShowScrollBar(SB_VERT, true);
    G->ApplyScrollBarAlways(false);
    EXPECT_TRUE(G->ScrollBarVisible(SB_VERT));
    G->ApplyScrollBarAlways(true);
    EXPECT_FALSE(G->ScrollBarVisible(SB_VERT));
}

TEST(VidIvezadOrir, UpdatesNest) {
    auto G = newGrid();
    G->BeginUpdate();
    G->BeginUpdate();
    G->EndUpdate();
    EXPECT_EQ(G->UpdateCount(), 1);
    G->EndUpdate();
    G->EndUpdate();  // one too many does nothing
    EXPECT_EQ(G->UpdateCount(), 0);
}

TEST(VidIvezadOrir, UnitChangesOfTheUnitEditorReachTheGridsEvent) {
    auto G = newGrid();
    G->SetCol(2);
    G->SetRow(3);
    int Calls = 0;
    G->OnUnitChanged = [&](TObject* Sender, int ACol, int ARow, const String& Unit) {
        ++Calls;
        EXPECT_EQ(Sender, G.get());
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 3);
        EXPECT_EQ(Unit, QStringLiteral("kg"));
    };
    G->UnitEditBtn()->OnUnitChanged(G->UnitEditBtn(), QStringLiteral("kg"));
    EXPECT_EQ(Calls, 1);
}

TEST(VidIvezadOrir, KeysStepOverMergedAreas) {
    auto G = newGrid();
    G->SetColCount(8);
    G->MergeCells(2, 2, 3, 2);
    struct Case {
        TPoint From;
        Word Key;
        TPoint To;
    };
    const Case Cases[] = {
        {{2, 2}, VK_RIGHT, {5, 2}},
        {{2, 2}, VK_DOWN, {2, 4}},
        {{4, 3}, VK_LEFT, {1, 3}},
        {{4, 3}, VK_UP, {4, 1}},
    };
    for (const Case& C : Cases) {
        G->SetCol(C.From.X);
        G->SetRow(C.From.Y);
        G->Perform(WM_KEYDOWN, C.Key, 0);
        EXPECT_EQ(Point(G->Col(), G->Row()), C.To) << C.From.X << "," << C.From.Y << " key " << C.Key;
    }
}

TEST(VidIvezadOrir, SavedColumnWidthsComeBackInTheRegistryAndInAnIniFile) {
    TempFolder Folder;
    SetRegistryFolder(Folder.Path());
    struct Case {
        const char* Name;
        zirodad::TColumnSizeLocation Location;
        String Key;
    };
    const Case Cases[] = {{"registry", zirodad::clRegistry, QStringLiteral("Software\\Test\\Grid")},
                          {"INI file", zirodad::clIniFile, Folder.File(QStringLiteral("grid.ini"))}};
    for (const Case& C : Cases) {
        const auto configure = [&](TVidIvezadOrir* G) {
            G->ColumnSize()->SetSave(true);
            G->ColumnSize()->SetLocation(C.Location);
            G->ColumnSize()->SetKey(C.Key);
            G->ColumnSize()->SetSection(QStringLiteral("Widths"));
        };
        auto First = newGrid();
        configure(First.get());
        First->SetColWidths(2, 123);
        First.reset();  // saved as the grid goes
        auto Second = newGrid();
        configure(Second.get());
        Second->Loaded();
        EXPECT_EQ(Second->ColWidths(2), 123) << C.Name;
        EXPECT_EQ(Second->ColWidths(1), Second->DefaultColWidth()) << C.Name;
    }
    // Without a section nothing is written.
    auto G = newGrid();
    G->ColumnSize()->SetSave(true);
    G->ColumnSize()->SetLocation(zirodad::clIniFile);
    G->ColumnSize()->SetKey(Folder.File(QStringLiteral("none.ini")));
    G.reset();
    EXPECT_FALSE(FileExists(Folder.File(QStringLiteral("none.ini"))));
    SetRegistryFolder(String());
}
