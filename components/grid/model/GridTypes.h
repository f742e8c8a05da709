// Enumerations of the grid unit, shared by the grid, its settings objects and their callers.
#pragma once

// The look of fixed cells and the grid's colour scheme; ordinals are stored.
enum TGridLook { glStandard, glSoft, glClassic, glTessel, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
static_assert(glCustom == 9);
// The grid's colour schemes: the ordinals of TTesselStyle, one for one.
enum TZirOdadStyle {
    gsOffice2003Blue,
    gsOffice2003Silver,
    gsOffice2003Olive,
    gsOffice2003Classic,
    gsOffice2007Luna,
    gsOffice2007Obsidian,
    gsWindowsXP,
    gsWhidbey,
    gsCustom,
    gsOffice2007Silver,
    gsWindowsVista,
    gsWindows7,
    gsTerminal,
    gsOffice2010Blue,
    gsOffice2010Silver,
    gsOffice2010Black,
    gsWindows8,
    gsOffice2013White,
    gsOffice2013LightGray,
    gsOffice2013Gray,
    gsWindows10,
    gsOffice2016White,
    gsOffice2016Gray,
    gsOffice2016Black
};
static_assert(gsOffice2016Black == 23);

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
// How a column compares when sorted (one byte, stored).
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssDateTime,
    ssTime,
    ssAlphaNumeric,
    ssAlphaNumericNoCase,
    ssNatural
};
static_assert(ssNatural == 20);
// The kind of condition a filter-edit cell builds.
enum TFilterType {
    ftStartsWith,
    ftEndsWith,
    ftContains,
    ftNotContains,
    ftEqual,
    ftNotEqual,
    ftLargerThan,
    ftSmallerThan,
    ftClear,
    ftNone
};
// Which text of a cell a filter item tests.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// A filter item's condition: a pattern expression or a literal text.
enum TFilterMethod { fmExpression, fmLiteral };
// How a filter item's match combines with the items before it; foSHORT stops at a failure.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
// What the search footer reports.
enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
// Where ScrollInView puts the cell.
enum TScrollPosition { spMiddle, spTrailing, spLeading };
// Which thumb drags show a hint with the target row or column.
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
// Middle-button panning: off, or the directions it moves in.
enum TIntelliPan { ipNone, ipVertical, ipHorizontal, ipBoth };
// Numbers formatted by the run-time library's patterns or by spreadsheet formats.
enum TFormatType { ftVCL, ftExcel };
// What a mouse press at the pointer would do.
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
