// The grid unit's process-wide state: what its start-up prepares before the program's main block
// (a window-procedure hook that keeps a grid's focus window on its cell while windows move, the
// grid's classes registered for streaming, the common-controls test, the grid's clipboard
// format and registered window messages) and undoes at exit, and the unit's small routines.
#pragma once

#include "components/controls/HTMLCheckBox.h"  // GetFileVersionMS, shared with the check box unit
#include "framework/ui/Controls.h"
#include "framework/ui/Forms.h"

class TVidIvezadOrir;

// Start-up and shutdown nest: only the first start-up and the last shutdown act. The program's
// start-up and exit call them once each.
void InitializeGridUnit();
void FinalizeGridUnit();

extern int GridUnitInitCount;
// The installed hook's id, 0 when none.
extern int GridHookHandle;
// The grid whose focus window follows window moves; nullptr when none.
extern TVidIvezadOrir* ActiveFocusGrid;
// The common-controls library is newer than version 4.69.
extern bool HasComCtl32v470;
extern UINT GridCellsClipboardFormat;
extern UINT GridEditDoneMessage;
extern UINT GridEditShowMessage;
extern UINT GridEditPropMessage;
extern UINT DTPShiftFocusMessage;
// The grid font taken when a cell hint is prepared.
extern String HintFontName;
// The cursor the unit shows over hyperlinks.
extern TCursor GridHyperlinkCursor;

// OLE needs no start-up here.
void InitGridOle();
// Passes every message on; on a window's move it keeps the active grid's focus window on its cell.
bool GridWindowPosHook(TControl* Control, TMessage& Message);
// The window lets the mouse through.
void SetTransparentWindowStyle(HWND Handle);

// The locale's current values, read at each call.
Char TimeSeparator();
Char DateSeparator();
Char ThousandSeparator();
Char DecimalSeparator();
String ShortDateFormat();
String ShortTimeFormat();
String LongTimeFormat();

// The base of the grid's pop-up tool bars: whether a screen point lies on the pop-up.
class TZirOdadPopup : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    // Abstract here: raises EAbstractError.
    virtual bool MouseInPopup(TPoint P);
};
