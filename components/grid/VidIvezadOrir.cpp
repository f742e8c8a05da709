// TVidIvezadOrir core: property writers, update batching, the focus window's place, the version
// and the styler interfaces.
#include "components/grid/VidIvezadOrir.h"
#include "components/graphics/ComponentVersion.h"

#include "components/grid/GridControls.h"
#include "components/grid/GridUnit.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridLists.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"

#include <algorithm>

namespace {

// Four bytes, high first: 8.1.3.0.
constexpr int kVersionNr = 0x08010300;
static_assert(kVersionNr == 134284032);

}  // namespace

// ---------------------------------------------------------------------------------------------
// Structure

void TVidIvezadOrir::SetIntegralHeight(bool Value) {
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TVidIvezadOrir::SetBorderColor(TColor Value) {
    if (Value == FBorderColor) return;
    FBorderColor = Value;
    if (Parent() && Parent()->HandleAllocated()) Invalidate();
}

void TVidIvezadOrir::SetFilterDropDownRow(int Value) {
    FFilterDropDownRow = Value;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Painting suspension and invalidation

void TVidIvezadOrir::BeginUpdate() { ++FState->UpdateCount; }

void TVidIvezadOrir::EndUpdate() {
    if (FState->UpdateCount <= 0) return;
    if (--FState->UpdateCount == 0) Invalidate();
}

int TVidIvezadOrir::UpdateCount() const { return FState->UpdateCount; }

void TVidIvezadOrir::Invalidate() {
    if (FState && FState->EditChangePending) {
        FState->EditChangePending = false;
        return;
    }
    if (FState && FState->UpdateCount > 0) return;
    TBaseGrid::Invalidate();
    if (FFooterPanel && FFloatingFooter && FFloatingFooter->Visible() && !ComponentState().Contains(csLoading))
        FFooterPanel->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Hooks with the grid's first answers

void TVidIvezadOrir::GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, bool Remap,
                                         TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo,
                                         TFont* AFont, TAlignment& HA, basegrid::TVAlignment& VA, bool& WW,
                                         TCellGradientDirection& GD) {
    const bool Fixed = State.Contains(gdFixed) || ACol < FixedCols() || ARow < FixedRows();
    ABrush->SetColor(Fixed ? FixedColor() : Color());
    AFont->Assign(Font());
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HA = FDefaultAlignment;
    VA = FVAlignment;
    WW = WordWrap();
    GD = GradientVertical;
}

// The base painter's content call, on the real column; the node column's tree first.
void TVidIvezadOrir::RenderCell(TCanvas* Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    paintNodeCell(Canvas, RealColIndex(ACol), ARow, Rect);
    TBaseGrid::RenderCell(Canvas, RealColIndex(ACol), ARow, Rect, State);
}

void TVidIvezadOrir::ShowInplaceEdit() {
    if (!CanFocus() && !HandleAllocated()) return;
    ScrollInView(Col(), Row(), spLeading);
    ShowEditor();
    FState->EditMode = EditorMode();
}

void TVidIvezadOrir::HideInplaceEdit() {
    if (!EditorMode()) return;
    HideEditor();
    FState->EditMode = false;
    SelectCell(Col(), Row());
}

bool TVidIvezadOrir::EditActive() const { return FState->EditMode || EditorMode(); }
void TVidIvezadOrir::SetEditActive(bool Value) { FState->EditMode = Value; }

// Across the client width at the bottom, 32 pixels high, above a shown horizontal bar.
void TVidIvezadOrir::UpdateSearchPanel() {
    if (!HandleAllocated() || !FSearchPanel || !FSearchPanel->Visible()) return;
    const int Bar = ScrollBarVisible(SB_HORZ) || FScrollBarAlways != saNone ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    FSearchPanel->SetBounds(0, Height() - Bar - 32, ClientWidth(), 32);
}

void TVidIvezadOrir::ColumnSizeStretchChanged(bool AllColumns) {
    if (Parent()) StretchColumn(AllColumns ? -1 : FColumnSize->StretchColumn(), -1);
}

int TVidIvezadOrir::ColumnPosition(int ACol) const {
    for (int i = 0; i < FColumnOrder->Count(); ++i)
        if (FColumnOrder->GetInteger(i) == ACol) return i;
    return -1;
}

void TVidIvezadOrir::SetColumnOrder() {
    FColumnOrder->Clear();
    FOrigColSizes->Clear();
    for (int c = 0; c < TotalColCount(); ++c) {
        FColumnOrder->Add(c);
        FOrigColSizes->Add(GetAllColWidths(c));
    }
}

THTMLHintWindow* TVidIvezadOrir::ScrollHintWindow() const { return FState->ScrollHintWnd; }

void TVidIvezadOrir::IsDesigning(TObject* Sender, bool& Designing) {
    Designing = ComponentState().Contains(csDesigning);
}

void TVidIvezadOrir::HideButtonForm(TObject* Sender) {
    if (FButtonForm) FButtonForm->Hide();
}

// ---------------------------------------------------------------------------------------------
// The focus window

// The frame needs translucent windows; without them the grid paints a ring itself (Paint).
void TVidIvezadOrir::UpdateFocusWindow() {
    // Placing the frame moves a window, which the window-position hook answers by calling here.
    static bool Updating = false;
    if (!FFocusWindow || Updating) return;
    const struct TUpdating {
        TUpdating() { Updating = true; }
        ~TUpdating() { Updating = false; }
    } Guard;
    const TRect R = CellRect(Col(), Row());
    const bool InView = HandleAllocated() && !R.IsEmpty() && R.Left >= 0 && R.Top >= 0 && R.Right <= ClientWidth() &&
                        R.Bottom <= ClientHeight();
    if (!InView || !TranslucentWindowsShown()) {
        FFocusWindow->Hide();
        if (InView) Invalidate();
        return;
    }
    if (FFocusWindow->Width() != R.Width() + 9 || FFocusWindow->Height() != R.Height() + 9)
        BuildFocusFrame(FFocusWindow, R.Width(), R.Height());
    const TPoint P = ClientToScreen(Point(R.Left - 4, R.Top - 4));
    FFocusWindow->SetBounds(P.X, P.Y, FFocusWindow->Width(), FFocusWindow->Height());
    FFocusWindow->Show();
}

void TVidIvezadOrir::HideFocusWindow() {
    if (ActiveFocusGrid == this) ActiveFocusGrid = nullptr;
    if (FFocusWindow) FFocusWindow->Hide();
}

// ---------------------------------------------------------------------------------------------
// Version and styler interfaces

int TVidIvezadOrir::GetVersionNr() const { return kVersionNr; }

String TVidIvezadOrir::Version() const { return VersionText(GetVersionNr()); }

// The version and its release date.
String TVidIvezadOrir::GetVersionString() const { return Version() + QStringLiteral(" Sep, 2016"); }

void TVidIvezadOrir::SetColorTones(const TColorTones& ATones) {}

void TVidIvezadOrir::SetComponentStyle(TTesselStyle AStyle) { FStyle = AStyle; }

void TVidIvezadOrir::SetComponentStyleAndAppColor(TTesselStyle AStyle, TColor AppColor) { SetComponentStyle(AStyle); }
