// The grid unit's start-up and shutdown, its process-wide state and its small routines.
#include "components/grid/GridControls.h"
#include "components/grid/GridUnit.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"

int GridUnitInitCount = 0;
int GridHookHandle = 0;
TVidIvezadOrir* ActiveFocusGrid = nullptr;
bool HasComCtl32v470 = false;
UINT GridCellsClipboardFormat = 0;
UINT GridEditDoneMessage = 0;
UINT GridEditShowMessage = 0;
UINT GridEditPropMessage = 0;
UINT DTPShiftFocusMessage = 0;
String HintFontName;
TCursor GridHyperlinkCursor = crHandPoint;

namespace {

// The grid's classes, in the order they are registered for streaming.
void registerGridClasses() {
    const TPersistentClass Classes[] = {
        ClassOf<TVidIvezadOrir>(),   ClassOf<TDropList>(),       ClassOf<TArrowWindow>(),      ClassOf<TGridCombo>(),
        ClassOf<TGridTransEdit>(),   ClassOf<TGridTransCombo>(), ClassOf<TGridCheckBox>(),     ClassOf<TGridEditBtn>(),
        ClassOf<TGridUnitEditBtn>(), ClassOf<TGridButton>(),     ClassOf<THeaderDragButton>(), ClassOf<TControlEdit>(),
        ClassOf<TControlCombo>(),    ClassOf<TScrollBar>(),      ClassOf<TFooterPanel>(),      ClassOf<TSearchPanel>(),
    };
    for (TPersistentClass C : Classes) {
        // Another class under a registered name is refused; the others are registered all the same.
        try {
            RegisterClass(C);
        } catch (const EFilerError&) {
        }
    }
}

}  // namespace

void InitGridOle() {}

bool GridWindowPosHook(TControl* Control, TMessage& Message) {
    if ((Message.Msg == WM_WINDOWPOSCHANGING || Message.Msg == WM_WINDOWPOSCHANGED) && ActiveFocusGrid)
        ActiveFocusGrid->UpdateFocusWindow();
    return false;
}

void InitializeGridUnit() {
    if (GridUnitInitCount++ > 0) return;
    InitGridOle();
    ActiveFocusGrid = nullptr;
    if (!GridHookHandle) GridHookHandle = AddWindowProcHook(GridWindowPosHook);
    registerGridClasses();
    HasComCtl32v470 = GetFileVersionMS(QStringLiteral("comctl32.dll")) > 0x00040045;
    GridCellsClipboardFormat = RegisterClipboardFormat(QStringLiteral("TVidIvezadOrir Cells"));
    GridEditDoneMessage = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    GridEditShowMessage = RegisterWindowMessage(QStringLiteral("GridEditShow"));
    GridEditPropMessage = RegisterWindowMessage(QStringLiteral("GridEditProp"));
    DTPShiftFocusMessage = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
}

void FinalizeGridUnit() {
    if (GridUnitInitCount <= 0 || --GridUnitInitCount > 0) return;
    if (GridHookHandle) {
        RemoveWindowProcHook(GridHookHandle);
        GridHookHandle = 0;
    }
    HintFontName.clear();
}

void SetTransparentWindowStyle(HWND Handle) { SetWindowTransparentToMouse(Handle); }

Char TimeSeparator() { return FormatSettings.TimeSeparator; }
Char DateSeparator() { return FormatSettings.DateSeparator; }
Char ThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char DecimalSeparator() { return FormatSettings.DecimalSeparator; }
String ShortDateFormat() { return FormatSettings.ShortDateFormat; }
String ShortTimeFormat() { return FormatSettings.ShortTimeFormat; }
String LongTimeFormat() { return FormatSettings.LongTimeFormat; }

bool TZirOdadPopup::MouseInPopup(TPoint P) { throw EAbstractError(QStringLiteral("Abstract Error")); }

namespace {

// The unit starts with the program and stops at its end.
struct TGridUnitLifetime {
    TGridUnitLifetime() { InitializeGridUnit(); }
    ~TGridUnitLifetime() { FinalizeGridUnit(); }
} GridUnitLifetime;

}  // namespace
