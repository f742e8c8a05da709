// Enumerations of the grid unit, shared by the grid, its settings objects and their callers.
#pragma once

// The look of fixed cells and the grid's colour scheme; ordinals are stored.
enum TGridLook { glStandard, glSoft, glClassic, glTessel, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
static_assert(glCustom == 9);

// Standard bars, flat-bar styles, or thin Metro scroll controls.
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
// Bars kept visible (disabled) when everything fits.
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
// Where a large cell text's hint shows.
enum THintShowLargeTextPos { hpCell, hpCursor };
// fdAll: fixed columns get filter lists and filter-edit cells too.
enum TFilterDropDownColumns { fdNormal, fdAll };
// Which fixed cells hot-track.
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
// What a mouse press at the pointer would do.
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
