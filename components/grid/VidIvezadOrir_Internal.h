// The grid's private state, shared by the grid's source files only: what the constructor starts
// and the life cycle, input and painting code keep between calls. The class's contract is
// VidIvezadOrir.h.
#pragma once

#include "components/grid/VidIvezadOrir.h"

#include <vector>

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
    int HiddenRowCount = 0;
    int HiddenColCount = 0;
    std::vector<bool> VisibleCol;   // per column, all visible at creation
    std::vector<int> AllColWidths;  // per column
    bool HiddenRowLookup = false;   // no cached lookup yet
    bool ScrollTimer = false;

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
