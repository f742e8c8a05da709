// The published events of TVidIvezadOrir whose occasions the grid's core raises, with their
// parameter lists. The grid inherits them publicly, so callers assign Grid->OnComboChange as any
// other event. Split from the class header to keep that header readable.
#pragma once

#include "components/grid/BaseGrid.h"
#include "components/grid/model/GridTypes.h"

class TAdvHintInfo;
class TStrings;

// The borders of a cell that OnGetCellBorder may have drawn.
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;
// Where scrolling drag moves the grid.
enum TDragScrollDirections { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = TSet<TDragScrollDirections>;

using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& HintStr)>;
using TOfficeHintEvent = std::function<void(TObject* Sender, int ACol, int ARow, TAdvHintInfo* OfficeHint)>;
using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, basegrid::TVAlignment& VAlign)>;
using TGridFormatEvent =
    std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix)>;
using THasEditorEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasEditor)>;
using THasFilterEditEvent = std::function<void(TObject* Sender, int ACol, bool& HasFilter)>;
using TFilterEditUpdateEvent =
    std::function<void(TObject* Sender, int ACol, const String& Condition, TFilterType FilterType)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
// Row first, as the events declare it.
using TRowColBoolEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Value)>;
using TColRowBoolEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Value)>;
using TGetCellCursorEvent = std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, int ACol, int ARow, TSearchAction SearchAction)>;
using TSearchFooterSearchEndEvent = std::function<void(TObject* Sender, bool& ContinueFromStart)>;
using TColRowEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TRowColEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TGetCheckTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TIntelliZoomEvent = std::function<void(TObject* Sender, int Delta)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
// The second argument carries the row or the column.
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, String& HintStr)>;
using TScrollCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)>;
using TDragScrollEvent =
    std::function<void(TObject* Sender, int TopRow, int LeftCol, TDragScrollDirection& DragScrollDir, bool& CanScroll)>;
using TColorSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const String& Value)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ImageIndex)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& AUnit)>;

class TVidIvezadOrirEvents {
public:
    // Per-cell questions (the grid's answer first, then the event).
    TGridHintEvent OnGridHint;
    TGridHintEvent OnGridWideHint;
    TOfficeHintEvent OnOfficeHint;
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    THasEditorEvent OnHasComboBox;
    THasEditorEvent OnHasEditBtn;
    THasEditorEvent OnHasSpinEdit;
    THasFilterEditEvent OnHasFilterEdit;
    TFilterEditUpdateEvent OnFilterEditUpdate;
    TGetEditorTypeEvent OnGetEditorType;
    TRowColBoolEvent OnIsFixedCell;
    TRowColBoolEvent OnCanEditCell;
    TRowColBoolEvent OnIsPasswordCell;
    TColRowBoolEvent OnGetWordWrap;
    TGetCellCursorEvent OnGetCellCursor;
    TSearchFooterActionEvent OnSearchFooterAction;
    TSearchFooterSearchEndEvent OnSearchFooterSearchEnd;
    TColRowEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TRowColEvent OnComboCloseUp;
    TRowColEvent OnComboDropDown;
    TRowColEvent OnDatePickerCloseUp;
    TRowColEvent OnDatePickerDropDown;
    TCanSortEvent OnCanSort;
    TGetCheckTextEvent OnGetCheckTrue;
    TGetCheckTextEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TCustomFilterEvent OnCustomFilter;
    TDateTimeChangeEvent OnDateTimeChange;
    TEditChangeEvent OnEditChange;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;
    // The window procedure's occasions.
    TColRowEvent OnEditCellDone;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TIntelliZoomEvent OnIntelliZoom;
    // Shape, sizing and scrolling.
    TRowChangedEvent OnRowChanged;
    TColumnSizeEvent OnColumnSize;
    TRowSizeEvent OnRowSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TScrollHintEvent OnScrollHint;
    TScrollCellEvent OnScrollCell;
    TDragScrollEvent OnDragScroll;
    // Editors, files and cells.
    TUnitChangedEvent OnUnitChanged;
    TColorSelectEvent OnColorSelect;
    TImageSelectEvent OnImageSelect;
    // A cell's text as the save functions write it, and as the load functions store it.
    TGetEditEvent OnSaveCell;
    TGetEditEvent OnLoadCell;
    TNotifyEvent OnCellsChanged;
};
