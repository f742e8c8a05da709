// TVidIvezadOrir: columns stretched to the client width, the reactions after the user sized a
// column or a row, the selection, listeners and change notifiers, the combo editor's items and
// the plain setters that store a value and repaint.
#include "components/grid/VidIvezadOrir.h"

#include "components/graphics/AsgHTMLE.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"
#include "framework/ui/Forms.h"
#include "framework/ui/HintWindow.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// Stretching

// Mended: indexes below -1 are refused too, and no width becomes negative.
void TVidIvezadOrir::StretchColumn(int Index, int Width) {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    if (Application && Application->Terminated()) return;
    if (Width == -1) Width = ClientWidth();
    if (Index == -1) Index = ColCount() - 1;
    if (Index >= ColCount() || Index < 0) throw EZirOdadError(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || !FColumnSize->Stretch() || FState->IsColChanging) return;
    FState->IsColChanging = true;
    FState->ColchgFlg = false;
    struct TRestore {
        TVidIvezadOrirState* S;
        ~TRestore() {
            S->ColchgFlg = true;
            S->IsColChanging = false;
        }
    } Restore{FState.get()};
    if (ColCount() == 1) {
        SetColWidths(0, std::max(0, ClientWidth()));
        return;
    }
    if (FColumnSize->StretchAll()) {
        const int n = ColCount() - FixedCols() - FFixedRightCols;
        if (n > 0) {
            for (int c = 0; c < FixedCols(); ++c) Width -= ColWidths(c);
            for (int c = ColCount() - FFixedRightCols; c < ColCount(); ++c) Width -= ColWidths(c);
            Width = std::max(0, Width);
            const int Each = Width / n;
            const int Extra = Width % n;
            for (int c = FixedCols(); c < ColCount() - FFixedRightCols; ++c)
                SetColWidths(c, Each + (c - FixedCols() < Extra ? 1 : 0));
        }
    } else {
        int s = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != Index) s += ColWidths(c);
        if (s < ClientWidth())
            SetColWidths(Index, std::max(0, Width - s));
        else if (LeftCol() == FixedCols())
            SetColWidths(Index, DefaultColWidth());
    }
    if (FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->SetAlign(alBottom);
}

void TVidIvezadOrir::StretchColumns() {
    FColumnSize->SetStretchAll(true);
    FColumnSize->SetStretch(true);
    StretchColumn(-1, -1);
}

void TVidIvezadOrir::StretchRightColumn() { StretchColumn(ColCount() - 1, -1); }

// ---------------------------------------------------------------------------------------------
// Sizing reactions

void TVidIvezadOrir::ColWidthsChanged() {
    TVidIvezadOrirState& S = *FState;
    if (S.ColchgFlg && HandleAllocated() && FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn(), -1);
    if (ComponentState().Contains(csDesigning) && S.ScrollHintShow && S.ScrollHintWnd) {
        S.ScrollHintWnd->ReleaseHandle();
        S.ScrollHintShow = false;
    }
    TBaseGrid::ColWidthsChanged();
    S.ColSizeFlg = true;
    if (S.ColSized && FMouseActions->AllColumnSize() && S.ColClickedSize > 0 && !S.ScalingSizes) {
        S.ColSized = false;
        S.ScalingSizes = true;
        const double Factor = static_cast<double>(ColWidths(S.ColClicked)) / S.ColClickedSize;
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c != S.ColClicked) SetColWidths(c, Round(ColWidths(c) * Factor));
        S.ScalingSizes = false;
        S.ColSized = true;
    }
    if (S.ColSized && OnEndColumnSize) OnEndColumnSize(this, S.ColClicked);
    if (S.ColSized) {
        int w = ColWidths(S.ColClicked);
        const int Before = w;
        ColumnSizeUpdated(S.ColClicked, w);
        if (w != Before) {
            S.ColSized = false;
            SetColWidths(S.ColClicked, w);
        }
    }
    if (S.ColSized) {
        S.ColClicked = -1;
        S.RowClicked = -1;
    }
    S.ColSized = false;
    if (FFooterPanel && FFloatingFooter->Visible()) FFooterPanel->Invalidate();
    CellControlsUpdate(false);
    if (FColumnSize->Stretch() && FScrollProportional && FScrollType != ssMetro) UpdateVertScrollThumb();
}

void TVidIvezadOrir::RowHeightsChanged() {
    TVidIvezadOrirState& S = *FState;
    if (ComponentState().Contains(csDesigning) && S.ScrollHintShow && S.ScrollHintWnd) {
        S.ScrollHintWnd->ReleaseHandle();
        S.ScrollHintShow = false;
    }
    TBaseGrid::RowHeightsChanged();
    if (S.RowSized && FMouseActions->AllRowSize() && S.RowClickedSize > 0 && !S.ScalingSizes) {
        S.RowSized = false;
        S.ScalingSizes = true;
        std::vector<int> FixedHeights;
        for (int r = 0; r < FixedRows(); ++r) FixedHeights.push_back(RowHeights(r));
        const double Factor = static_cast<double>(RowHeights(S.RowClicked)) / S.RowClickedSize;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != S.RowClicked) SetRowHeights(r, Round(RowHeights(r) * Factor));
        // A new default height resets every row: the sized ones are put back.
        std::vector<int> Heights;
        for (int r = 0; r < RowCount(); ++r) Heights.push_back(RowHeights(r));
        if (FixedRows() < RowCount()) TBaseGrid::SetDefaultRowHeight(RowHeights(FixedRows()));
        for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, Heights[static_cast<size_t>(r)]);
        for (int r = 0; r < static_cast<int>(FixedHeights.size()); ++r)
            SetRowHeights(r, FixedHeights[static_cast<size_t>(r)]);
        S.ScalingSizes = false;
        S.RowSized = true;
    }
    if (S.RowSized && OnEndRowSize) OnEndRowSize(this, S.RowClicked);
    if (S.RowSized) {
        S.ColClicked = -1;
        S.RowClicked = -1;
    }
    S.RowSized = false;
    CellControlsUpdate(false);
}

void TVidIvezadOrir::ColumnSizeUpdated(int ACol, int& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TVidIvezadOrir::AutoColumnSizeUpdated(int ACol, int& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TVidIvezadOrir::UserSized(bool Column, int Index, int SizeBefore) {
    if (Column) {
        FState->ColSized = true;
        FState->ColClicked = Index;
        FState->ColClickedSize = SizeBefore;
    } else {
        FState->RowSized = true;
        FState->RowClicked = Index;
        FState->RowClickedSize = SizeBefore;
    }
}

// ---------------------------------------------------------------------------------------------
// Selection, listeners and notifiers

void TVidIvezadOrir::SetSelection(const TGridRect& Value) {
    TBaseGrid::SetSelection(Value);
    if (FActiveCellShow) {
        RepaintRow(0);
        RepaintCol(0);
    }
    if (ActiveRowShow()) RepaintRow(Value.Bottom);
}

void TVidIvezadOrir::RegisterSelListener(ITVidIvezadOrirSelect* AListener) { FState->SelListener = AListener; }
void TVidIvezadOrir::UnRegisterSelListener(ITVidIvezadOrirSelect*) { FState->SelListener = nullptr; }
ITVidIvezadOrirSelect* TVidIvezadOrir::SelListener() const { return FState->SelListener; }

void TVidIvezadOrir::RegisterNotifier(TGridChangeNotifier* ANotifier) {
    if (FNotifierList->IndexOf(ANotifier) < 0) FNotifierList->Add(ANotifier);
}

void TVidIvezadOrir::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
    const int I = FNotifierList->IndexOf(ANotifier);
    if (I >= 0) FNotifierList->Delete(I);
}

int TVidIvezadOrir::NotifierCount() const { return FNotifierList->Count(); }

// ---------------------------------------------------------------------------------------------
// The combo editor's items

TStrings* TVidIvezadOrir::comboItems() const { return FEditCombo ? FEditCombo->Items() : FState->ComboItems.get(); }

void TVidIvezadOrir::ClearComboString() { comboItems()->Clear(); }
void TVidIvezadOrir::AddComboString(const String& s) { comboItems()->Add(s); }
void TVidIvezadOrir::AddComboStringObject(const String& s, TObject* AObject) { comboItems()->AddObject(s, AObject); }

bool TVidIvezadOrir::RemoveComboString(const String& s) {
    const int I = comboItems()->IndexOf(s);
    if (I < 0) return false;
    comboItems()->Delete(I);
    return true;
}

bool TVidIvezadOrir::SetComboSelectionString(const String& s) {
    const int I = comboItems()->IndexOf(s);
    if (I < 0) return false;
    FState->ComboIdx = I;
    return true;
}

void TVidIvezadOrir::SetComboSelection(int idx) {
    FState->ComboIdx = idx;
    FState->ForceComboSel = true;
}

int TVidIvezadOrir::GetComboCount() const { return comboItems()->Count(); }
int TVidIvezadOrir::ComboIndex() const { return FState->ComboIdx; }

void TVidIvezadOrir::SetComboIndex(int ACol, int ARow, int Value) {
    GetEditorProp(ACol, ARow, nullptr);
    const String Text = comboItems()->Strings(Value);
    SetCellEx(ACol, ARow, Text);
}

int TVidIvezadOrir::GetComboIndex(int ACol, int ARow) {
    GetEditorProp(ACol, ARow, nullptr);
    return comboItems()->IndexOf(GetCellEx(ACol, ARow));
}

void TVidIvezadOrir::GetEditorProp(int ACol, int ARow, TEditLink* AEditLink) {
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
}

// ---------------------------------------------------------------------------------------------
// Plain setters

void TVidIvezadOrir::SetShowDesignHelper(bool Value) {
    if (Value == FShowDesignHelper) return;
    FShowDesignHelper = Value;
    Invalidate();
}

void TVidIvezadOrir::SetRowIndicator(TBitmap* Value) {
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TVidIvezadOrir::SetBackGround(TBackGround* Value) {
    FBackGround->Assign(Value);
    Invalidate();
}

void TVidIvezadOrir::SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
void TVidIvezadOrir::SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }
void TVidIvezadOrir::SetBalloon(TBalloonSettings* Value) { FBalloonSettings->Assign(Value); }
void TVidIvezadOrir::SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
void TVidIvezadOrir::SetHoverButtons(THoverButtons* Value) { FHoverButtons->Assign(Value); }

void TVidIvezadOrir::SetUseHTMLHints(bool Value) {
    FUseHTMLHints = Value;
    if (!Application) return;
    if (Value)
        Application->SetHintWindowClass([](TComponent* AOwner) -> THintWindow* { return new THTMLHintWindow(AOwner); });
    else
        Application->SetHintWindowClass(DefaultHintWindowClass);
}

void TVidIvezadOrir::SetHighlightColor(TColor Value) {
    if (Value == FHighlightColor) return;
    FHighlightColor = Value;
    AsgHTMLE::SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TVidIvezadOrir::SetHighlightTextColor(TColor Value) {
    if (Value == FHighlightTextColor) return;
    FHighlightTextColor = Value;
    AsgHTMLE::SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TVidIvezadOrir::SetHTMLKeepLineBreak(bool Value) {
    FHTMLKeepLineBreak = Value;
    AsgHTMLE::SetMarkupKeepLineBreaks(Value);
}

void TVidIvezadOrir::SetActiveCellShow(bool Value) {
    FActiveCellShow = Value;
    Invalidate();
}

void TVidIvezadOrir::SetActiveCellColor(TColor Value) {
    FActiveCellColor = Value;
    Invalidate();
}

void TVidIvezadOrir::SetActiveCellColorTo(TColor Value) {
    FActiveCellColorTo = Value;
    Invalidate();
}

void TVidIvezadOrir::SetActiveCellFont(TFont* Value) {
    FActiveCellFont->Assign(Value);
    Invalidate();
}

void TVidIvezadOrir::SetXYOffset(const TPoint& Value) {
    FXYOffset = Value;
    Invalidate();
}

TColor TVidIvezadOrir::ArrowColor() const { return FArrows[arrUp] ? FArrows[arrUp]->Color() : FArrowColor; }

void TVidIvezadOrir::SetArrowColor(TColor Value) {
    FArrowColor = Value;
    for (TArrowWindow* A : FArrows)
        if (A) A->SetColor(Value);
}

void TVidIvezadOrir::SetAutoThemeAdapt(bool Value) {
    if (Value == FAutoThemeAdapt) return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        ApplyOfficeTheme();
        Invalidate();
    }
    if (ComponentState().Contains(csDesigning) || !HandleAllocated() || ComponentState().Contains(csLoading)) return;
    if (Value)
        SharedThemeNotifier(nullptr)->RegisterWindow(Handle());
    else
        SharedThemeNotifier(nullptr)->UnRegisterWindow(Handle());
}

bool TVidIvezadOrir::UsesVCLStyles() { return FState->UseVCLStyles; }

void TVidIvezadOrir::AppendRow() { SetRowCount(RowCount() + 1); }
