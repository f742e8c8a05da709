// The grid unit's start-up and shutdown: one hook however often it starts, one id per registered
// name, the grid's classes registered (a clashing one skipped), the locale accessors, and the
// hook keeping the active grid's focus window on its cell while windows move.
#include "components/grid/GridUnit.h"
#include "components/dropdowns/AdvDateTimePicker.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/Clipbrd.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A class of another unit whose name clashes with one of the grid's classes.
namespace other {
class TDropList : public TPersistent {};
}  // namespace other

}  // namespace

TEST(GridUnit, StartingTwiceInstallsOneHookAndStoppingRemovesIt) {
    ASSERT_EQ(GridUnitInitCount, 1);  // the program's own start-up ran
    const int Hook = GridHookHandle;
    ASSERT_NE(Hook, 0);
    InitializeGridUnit();
    EXPECT_EQ(GridUnitInitCount, 2);
    EXPECT_EQ(GridHookHandle, Hook);
    FinalizeGridUnit();
    EXPECT_EQ(GridHookHandle, Hook);  // not the last shutdown
    HintFontName = QStringLiteral("Tahoma");
    FinalizeGridUnit();
    EXPECT_EQ(GridUnitInitCount, 0);
    EXPECT_EQ(GridHookHandle, 0);
    EXPECT_EQ(HintFontName, String());
    FinalizeGridUnit();  // one too many does nothing
    EXPECT_EQ(GridUnitInitCount, 0);
    InitializeGridUnit();  // as the program had it
    EXPECT_EQ(GridUnitInitCount, 1);
    EXPECT_NE(GridHookHandle, 0);
}

TEST(GridUnit, RegisteredNamesGetOneIdEach) {
    EXPECT_EQ(GridCellsClipboardFormat, RegisterClipboardFormat(QStringLiteral("TVidIvezadOrir Cells")));
    EXPECT_EQ(GridEditDoneMessage, RegisterWindowMessage(QStringLiteral("GridEditDone")));
    EXPECT_EQ(GridEditShowMessage, RegisterWindowMessage(QStringLiteral("GridEditShow")));
    EXPECT_EQ(GridEditPropMessage, RegisterWindowMessage(QStringLiteral("GridEditProp")));
    EXPECT_EQ(DTPShiftFocusMessage, RegisterWindowMessage(QStringLiteral("DTPShiftFocus")));
    EXPECT_EQ(advdatetimepicker::DTPShiftFocusMessage, DTPShiftFocusMessage) << "the date-time picker's unit";
    EXPECT_NE(GridEditDoneMessage, GridEditShowMessage);
    EXPECT_NE(GridEditPropMessage, DTPShiftFocusMessage);
    EXPECT_GE(GridEditDoneMessage, 0xC000u);
}

TEST(GridUnit, ClassesAreRegisteredAndAClashingOneIsSkipped) {
    EXPECT_EQ(FindClass(QStringLiteral("TVidIvezadOrir")), ClassOf<TVidIvezadOrir>());
    EXPECT_EQ(GetClass(QStringLiteral("TSearchPanel")), ClassOf<TSearchPanel>());
    // Start again with another unit's TDropList registered first: the grid's is refused, the
    // classes after it are registered all the same.
    FinalizeGridUnit();
    UnRegisterClass(ClassOf<TDropList>());
    UnRegisterClass(ClassOf<TSearchPanel>());
    RegisterClass(ClassOf<other::TDropList>());
    InitializeGridUnit();
    EXPECT_EQ(GetClass(QStringLiteral("TDropList")), ClassOf<other::TDropList>());
    EXPECT_EQ(GetClass(QStringLiteral("TSearchPanel")), ClassOf<TSearchPanel>());
    UnRegisterClass(ClassOf<other::TDropList>());
    RegisterClass(ClassOf<TDropList>());
}

TEST(GridUnit, LocaleAccessorsFollowTheSettingsAtOnce) {
    FormatSettingsScope Scope;
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    FormatSettings.DateSeparator = u'-';
    FormatSettings.TimeSeparator = u'.';
    FormatSettings.ShortDateFormat = QStringLiteral("dd-mm-yyyy");
    FormatSettings.ShortTimeFormat = QStringLiteral("hh.nn");
    FormatSettings.LongTimeFormat = QStringLiteral("hh.nn.ss");
    EXPECT_EQ(DecimalSeparator(), u',');
    EXPECT_EQ(ThousandSeparator(), u'.');
    EXPECT_EQ(DateSeparator(), u'-');
    EXPECT_EQ(TimeSeparator(), u'.');
    EXPECT_EQ(ShortDateFormat(), QStringLiteral("dd-mm-yyyy"));
    EXPECT_EQ(ShortTimeFormat(), QStringLiteral("hh.nn"));
    EXPECT_EQ(LongTimeFormat(), QStringLiteral("hh.nn.ss"));
    FormatSettings.DecimalSeparator = u'.';
    EXPECT_EQ(DecimalSeparator(), u'.');
}

TEST(GridUnit, SmallRoutines) {
    EXPECT_GT(GetFileVersionMS(QStringLiteral("comctl32.dll")), 0x00040045);
    EXPECT_TRUE(HasComCtl32v470);
    EXPECT_EQ(GetFileVersionMS(QStringLiteral("nosuch.dll")), -1);
    TZirOdadPopup Popup(nullptr);
    EXPECT_THROW(Popup.MouseInPopup(Point(0, 0)), EAbstractError);
}

TEST(GridUnit, TheHookKeepsTheActiveGridsFocusWindowOnItsCell) {
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 500, 400);
    auto* Grid = new TVidIvezadOrir(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(10, 10, 400, 250);
    Form->HandleNeeded();
    TGridFocusWindow* Focus = Grid->FocusWindow();
    ASSERT_NE(Focus, nullptr);
    // Without an active grid, moves pass untouched.
    Form->SetBounds(120, 100, 500, 400);
    EXPECT_EQ(Focus->Left(), 0);
    ActiveFocusGrid = Grid;
    Form->SetBounds(150, 130, 500, 400);
    const TRect Cell = Grid->CellRect(Grid->Col(), Grid->Row());
    const TPoint Expected = Grid->ClientToScreen(Point(Cell.Left - 4, Cell.Top - 4));
    EXPECT_EQ(Focus->Left(), Expected.X);
    EXPECT_EQ(Focus->Top(), Expected.Y);
    EXPECT_EQ(Focus->Width(), Cell.Width() + 9);
    Grid->HideFocusWindow();
    EXPECT_EQ(ActiveFocusGrid, nullptr);
    // A freed grid is forgotten by the unit.
    ActiveFocusGrid = Grid;
    Grid->Free();
    EXPECT_EQ(ActiveFocusGrid, nullptr);
    Form->SetBounds(160, 130, 500, 400);
}
