// The grid's private state, shared by the grid's source files only: what the constructor starts
// and the life cycle, input and painting code keep between calls. The class's contract is
// VidIvezadOrir.h.
#pragma once

#include "components/grid/VidIvezadOrir.h"

#include "components/grid/VidIvezadOrirEvents.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridLists.h"
#include "framework/ui/Cursors.h"

#include <memory>
#include <vector>

class TScrollControl;
class THTMLHintWindow;
class TTimer;

// Sets a flag for the length of a scope, also when it is left by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FSaved(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FSaved; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

// Makes an object the cell's new graphic owns: Set gives it to the graphic by kind.
template <class T, class F>
T* createOwned(TVidIvezadOrir& Grid, int ACol, int ARow, F Set) {
    auto* Object = new T;
    TCellGraphic* G = Grid.CreateCellGraphic(ACol, ARow);
    Set(G, Object);
    G->SetCellCreated(true);
    return Object;
}

// The grid timer: identifier and period.
inline constexpr UINT_PTR GridTimerId = 111;
inline constexpr UINT GridTimerInterval = 500;

struct TVidIvezadOrirState {
    // Life cycle.
    bool InitDesign = false;  // placed in the designer now (designing, owner neither reading nor loading)
    bool GridLoaded = false;
    int UpdateCount = 0;
    bool EditChangePending = false;  // swallows one invalidation
    TCursor SavedCursor = crDefault;
    int MinFixedRows = 0;
    int MinFixedCols = 0;
    int MinRowHeight = 0;
    int MinColWidth = 0;
    int MaxColCount = 0;
    int MaxRowCount = 0;
    TGridRect DisabledSelection{-1, -1, -1, -1};
    // The owning form's own OnResize while the grid sizes with the form.
    TNotifyEvent FormOnResize;
    bool FormResizeHooked = false;

    // Window, timer and wheel.
    UINT_PTR GridTimerID = 0;
    int TimerTicks = 0;
    double DPIScale = 1.0;
    UINT WheelMsg = 0;
    int WheelScrollLines = 0;
    bool IsPanning = false;

    // Counts and maps (hidden rows and columns are counted in place).
    int MergedCount = 0;
    int NodeCount = 0;
    bool ForceSel = false;  // the selection is forced while a node contracts
    int HiddenRowCount = 0;
    int HiddenColCount = 0;
    std::vector<bool> VisibleCol;               // per real column, all visible at creation
    std::vector<int> AllColWidths;              // per real column: a hidden column's width
    std::unique_ptr<TIntList> HiddenRowLookup;  // the hidden rows, ascending; made on demand
    int FilterLevel = 0;                        // row-list levels in force
    TGridRect OldSelection{-1, -1, -1, -1};
    bool SelHidden = false;
    bool BlockCellChanging = false;
    bool BlockFilterUpdate = false;
    bool CellControlsUpdating = true;
    int CellControlCount = 0;

    // Shape and the current cell.
    int FixedRowsMin = 1;
    int FixedColsMin = 1;
    int AECol = -1;
    int AERow = -1;
    TGridRect DisSelection{-1, -1, -1, -1};

    // Editing.
    bool EditMode = false;
    bool EditStarting = false;
    bool EditingSuspended = false;
    TEditorType CurrentEditor = edNormal;
    String CellCache;                                                           // the cell's text when editing started
    std::unique_ptr<TStringList> ComboItems = std::make_unique<TStringList>();  // without a combo editor
    int ComboIdx = -1;
    bool ForceComboSel = false;

    // Scrolling.
    bool IsFlat = false;
    bool ScrollLock = false;
    THTMLHintWindow* ScrollHintWnd = nullptr;
    bool ScrollHintShow = false;
    TPoint ScrollCell{-1, -1};  // the cell the in-cell scroll bar stands in
    int InCellScrollPos = 0;
    TScrollControl* VertScrollControl = nullptr;
    TScrollControl* HorzScrollControl = nullptr;
    TTimer* DragScrollTimer = nullptr;
    TDragScrollDirection DragScrollDirection;
    TTimer* GlideTimer = nullptr;
    int ScrollSteps = 0;
    int ScrollDelta = 0;
    bool ScrollVert = false;
    bool ScrollEnd = false;
    bool UseVCLStyles = false;
    bool OleDropTargetRegistered = false;

    // Panning.
    HCURSOR PanCursor = nullptr;
    HCURSOR CursorBeforePan = nullptr;
    UINT_PTR PanTimerID = 0;
    TPoint PanOrigin;
    bool HintsBeforePan = false;

    // Stretching and sizing.
    bool IsColChanging = false;
    bool ColchgFlg = true;
    bool ColSizeFlg = false;
    bool ColSized = false;
    bool RowSized = false;
    bool ScalingSizes = false;
    int ColClicked = -1;
    int RowClicked = -1;
    int ColClickedSize = 0;
    int RowClickedSize = 0;
    ITVidIvezadOrirSelect* SelListener = nullptr;

    // Mouse and keys.
    int LastClickedCol = -1;
    int LastClickedRow = -1;
    int LastTabCol = -1;
    int LastTabRow = -1;
    int HoverLink = -1;
    TPoint MouseDownPoint{-1, -1};
    int OleDragCol = -1;
    int LastDesignChoice = -1;
    int FilterColumn = -1;
    int HoverFixedX = -1;
    int HoverFixedY = -1;
    int ComboItemIndex = -1;
    int OldSelectedRow = -1;
    int MouseSelectStart = -1;
    int LastScrollCode = 255;
    TMouseSelectMode MouseSelectMode = msNormal;
    TPoint TouchScrollPoint{-1, -1};
    TPoint PushedCellButton{-1, -1};
    TPoint ClipTopLeft{-1, -1};
    TPoint LastHintPos{-1, -1};
    int OldWidth = -1;
    int OldHeight = -1;
    int RememberedLeftCol = 0;
    int RememberedTopRow = 0;
};
