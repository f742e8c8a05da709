// TVidIvezadOrir: reading and writing cells in both index spaces (hidden rows through their
// store items), the current cell, rich text in and out of cells, per-cell and per-row
// attributes, controls placed in cells, the sizing permission and zooming.
#include "components/grid/VidIvezadOrir.h"

#include "components/graphics/AdvUtilExchange.h"
#include "components/graphics/AdvUtilText.h"
#include "components/graphics/AsgHTMLE_Utils.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/ComCtrls.h"
#include "framework/ui/RichEdit.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Text by real row

namespace {

// A hidden row's list reaches column i (empty texts added).
void extendTo(TStrings* L, int i) {
    while (L->Count() <= i) L->Add(String());
}

}  // namespace

String TVidIvezadOrir::GetCellsEx(int i, int j) {
    if (i < 0 || j < 0) return String();
    if (TStrings* L = HiddenRowCells(j)) {
        extendTo(L, i);
        String Value = L->Strings(i);
        GetDisplText(i, j, Value);
        return Value;
    }
    return GetCellEx(i, RealToDisplRow(j));
}

void TVidIvezadOrir::SetCellsEx(int i, int j, const String& Value) {
    if (i < 0 || j < 0) return;
    if (TStrings* L = HiddenRowCells(j)) {
        extendTo(L, i);
        L->Put(i, Value);
        return;
    }
    const int r = RealToDisplRow(j);
    SetCellEx(i, r, Value);
    if (i != RealToDisplCol(i)) RepaintCell(RealToDisplCol(i), r);
}

String TVidIvezadOrir::GetGridCellsEx(int i, int j) const {
    if (const TStrings* L = HiddenRowCells(j)) return L->Strings(i);
    return GetGridCell(i, RealToDisplRow(j));
}

void TVidIvezadOrir::SetGridCellsEx(int i, int j, const String& Value) {
    if (TStrings* L = HiddenRowCells(j)) {
        L->Put(i, Value);
        return;
    }
    SetGridCell(i, RealToDisplRow(j), Value);
}

TObject* TVidIvezadOrir::GetRealObject(int i, int j) const {
    if (const TStrings* L = HiddenRowCells(j)) return i < L->Count() ? L->Objects(i) : nullptr;
    return GetGridObject(i, RealToDisplRow(j));
}

TObject* TVidIvezadOrir::GetObjectsEx(int i, int j) const {
    if (const TStrings* L = HiddenRowCells(j)) {
        TObject* O = i < L->Count() ? L->Objects(i) : nullptr;
        if (auto* P = dynamic_cast<TCellProperties*>(O)) return reinterpret_cast<TObject*>(P->CellObject());
        return O;
    }
    return GetObjectEx(i, RealToDisplRow(j));
}

void TVidIvezadOrir::SetObjectsEx(int i, int j, TObject* Object) {
    TStrings* L = HiddenRowCells(j);
    if (!L) {
        SetObjectEx(i, RealToDisplRow(j), Object);
        return;
    }
    extendTo(L, i);
    if (auto* P = dynamic_cast<TCellProperties*>(L->Objects(i))) {
        P->SetCellObject(reinterpret_cast<NativeUInt>(Object));
        return;
    }
    // New properties, seeded as any, kept in the hidden row only.
    auto* P = new TCellProperties(this, i, j);
    SeedCellProperties(P, i, j);
    P->SetCellObject(reinterpret_cast<NativeUInt>(Object));
    L->PutObject(i, P);
}

String TVidIvezadOrir::GetRealCell(int c, int j) { return GetCellEx(RealColIndex(c), j); }
void TVidIvezadOrir::SetRealCell(int c, int j, const String& Value) { SetCellEx(RealColIndex(c), j, Value); }

String TVidIvezadOrir::GetOriginalCells(int i, int j) {
    const int p = ColumnPosition(i);
    return GetCellEx(p == -1 ? i : p, j);
}

void TVidIvezadOrir::SetOriginalCells(int i, int j, const String& Value) {
    const int p = ColumnPosition(i);
    SetCellEx(p == -1 ? i : p, j, Value);
}

int TVidIvezadOrir::SortedRowIndex(int r) const { return r < FSortRowXRef->Count() ? FSortRowXRef->GetInteger(r) : r; }

int TVidIvezadOrir::UnSortedRowIndex(int r) const {
    if (FSortRowXRef->Count() == 0) return r;
    for (int i = 0; i < FSortRowXRef->Count(); ++i)
        if (FSortRowXRef->GetInteger(i) == r) return i;
    return FSortRowXRef->Count();
}

int TVidIvezadOrir::unsortedRowFor(int j) const {
    if (j > FSortRowXRef->Count()) return j;
    for (int i = 0; i < FSortRowXRef->Count(); ++i)
        if (FSortRowXRef->GetInteger(i) == j) return i;
    return FSortRowXRef->Count();
}

String TVidIvezadOrir::GetUnSortedCell(int i, int j) { return GetCellEx(i, unsortedRowFor(j)); }
void TVidIvezadOrir::SetUnSortedCell(int i, int j, const String& Value) { SetCellEx(i, unsortedRowFor(j), Value); }

String TVidIvezadOrir::GetStrippedCell(int i, int j) { return AsgHTMLE::StripMarkupTags(GetCellEx(i, j)); }

int TVidIvezadOrir::GetLinesInCell(int i, int j) { return LineCount(GetCellEx(i, j), true); }

// ---------------------------------------------------------------------------------------------
// Rich text

void TVidIvezadOrir::CellToRich(int Col, int Row, TCustomRichEdit* RichEdit) {
    const String Text = GetCellEx(Col, Row);
    if (Text.isEmpty()) {
        RichEdit->Clear();
        return;
    }
    TStringStream Stream(Text);
    RichEdit->Lines()->LoadFromStream(&Stream);
}

String TVidIvezadOrir::RichToString(TCustomRichEdit* RichEdit) {
    if (ComponentState().Contains(csDestroying)) return String();
    TStringStream Stream{String()};
    RichEdit->Lines()->SaveToStream(&Stream);
    return Stream.DataString();
}

void TVidIvezadOrir::RichToCell(int Col, int Row, TCustomRichEdit* RichEdit) {
    SetCellEx(Col, Row, RichToString(RichEdit));
}

// ---------------------------------------------------------------------------------------------
// The current cell

String TVidIvezadOrir::GetCurrentCell() {
    if (FVirtualEdit) return GetCurrentBaseCell();
    const TPoint B = BaseCell(RealCol(), Row());
    return GetGridCell(B.X, B.Y);
}

String TVidIvezadOrir::GetCurrentBaseCell() {
    const TPoint B = BaseCell(RealCol(), Row());
    return GetCellEx(B.X, B.Y);
}

void TVidIvezadOrir::SetCurrentCell(const String& Value) {
    const TPoint B = BaseCell(RealCol(), Row());
    SetCellEx(B.X, B.Y, Value);
}

String TVidIvezadOrir::GetStoredCell(int c, int r) const { return GetGridCell(c, r); }

void TVidIvezadOrir::SetCurrentEditText(const String& Value) {
    if (IsBaseCell(RealCol(), Row())) {
        SetEditText(Col(), Row(), Value);
        return;
    }
    const TPoint B = BaseCell(RealCol(), Row());
    SetEditText(DisplColIndex(B.X), B.Y, Value);
}

TEditorType TVidIvezadOrir::GetCurrentEditor() const { return FState->CurrentEditor; }

// ---------------------------------------------------------------------------------------------
// Per-cell attributes

void TVidIvezadOrir::repaintAttribute(int i, int j) {
    if (FState->UpdateCount == 0) RepaintCell(DisplColIndex(i), j);
}

TColor TVidIvezadOrir::GetColors(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->BrushColor() : clNone;
}

void TVidIvezadOrir::SetColors(int i, int j, TColor Value) {
    GetCellProperties(i, j)->SetBrushColor(Value);
    repaintAttribute(i, j);
}

TColor TVidIvezadOrir::GetColorsTo(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->BrushColorTo() : clNone;
}

void TVidIvezadOrir::SetColorsTo(int i, int j, TColor Value) {
    GetCellProperties(i, j)->SetBrushColorTo(Value);
    repaintAttribute(i, j);
}

TCellGradientDirection TVidIvezadOrir::GetGradientDir(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->GradientDirection() : GradientVertical;
}

void TVidIvezadOrir::SetGradientDir(int i, int j, TCellGradientDirection Value) {
    GetCellProperties(i, j)->SetGradientDirection(Value);
    repaintAttribute(i, j);
}

TColor TVidIvezadOrir::GetFontColors(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->FontColor() : clNone;
}

void TVidIvezadOrir::SetFontColors(int i, int j, TColor Value) {
    GetCellProperties(i, j)->SetFontColor(Value);
    repaintAttribute(i, j);
}

TFontStyles TVidIvezadOrir::GetFontStyles(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->FontStyle() : TFontStyles{};
}

void TVidIvezadOrir::SetFontStyles(int i, int j, TFontStyles Value) {
    GetCellProperties(i, j)->SetFontStyle(Value);
    repaintAttribute(i, j);
}

String TVidIvezadOrir::GetFontNames(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->FontName() : Font()->Name();
}

void TVidIvezadOrir::SetFontNames(int i, int j, const String& Value) {
    GetCellProperties(i, j)->SetFontName(Value);
    repaintAttribute(i, j);
}

// Points from a font height at the canvas's pixels per inch, and back.
int TVidIvezadOrir::GetFontSizes(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    const int Height = P ? P->FontSize() : Font()->Height();
    return MulDiv(-Height, 72, canvasPixelsPerInch());
}

void TVidIvezadOrir::SetFontSizes(int i, int j, int Value) {
    GetCellProperties(i, j)->SetFontSize(-MulDiv(Value, canvasPixelsPerInch(), 72));
    repaintAttribute(i, j);
}

int TVidIvezadOrir::canvasPixelsPerInch() const { return Screen ? Screen->PixelsPerInch() : 96; }

TAlignment TVidIvezadOrir::GetAlignments(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->Alignment() : taLeftJustify;
}

void TVidIvezadOrir::SetAlignments(int i, int j, TAlignment Value) {
    GetCellProperties(i, j)->SetAlignment(Value);
    repaintAttribute(i, j);
}

bool TVidIvezadOrir::GetReadOnly(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P && P->ReadOnly();
}

void TVidIvezadOrir::SetReadOnly(int i, int j, bool Value) {
    GetCellProperties(i, j)->SetReadOnly(Value);
    repaintAttribute(i, j);
}

// This read makes the properties of a cell that has none.
bool TVidIvezadOrir::GetWordWraps(int i, int j) { return GetCellProperties(i, j)->WordWrap(); }

void TVidIvezadOrir::SetWordWraps(int i, int j, bool Value) {
    GetCellProperties(i, j)->SetWordWrap(Value);
    repaintAttribute(i, j);
}

TFont* TVidIvezadOrir::GetCellFont(int i, int j) {
    const TCellProperties* P = cellProps(i, j);
    if (!P) return Font();
    cf->SetName(P->FontName());
    cf->SetHeight(P->FontSize());
    cf->SetStyle(P->FontStyle());
    cf->SetColor(P->FontColor());
    return cf.get();
}

void TVidIvezadOrir::SetCellFont(int i, int j, TFont* Value) {
    TCellProperties* P = GetCellProperties(i, j);
    P->SetFontName(Value->Name());
    P->SetFontSize(Value->Height());
    P->SetFontStyle(Value->Style());
    P->SetFontColor(Value->Color());
    repaintAttribute(i, j);
}

// A cell whose properties still hold anything but colours keeps them.
bool TVidIvezadOrir::propertiesHoldMore(int c, int r) const {
    const TCellProperties* P = cellProps(c, r);
    if (!P) return false;
    return P->CellSpanX() > 0 || P->GetCellSpanY() > 0 || !P->IsBaseCell() || P->CellObject() || P->GraphicObject() ||
           P->Control() || P->ReadOnly() || P->Editor() != edNormal;
}

// Mended: clearing a row's colour keeps the properties of cells that hold more than colours
// (a placed control, a read-only flag, an editor, a font of their own).
void TVidIvezadOrir::SetRowColor(int r, TColor Color) {
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Color == clNone) {
            const TCellProperties* P = cellProps(c, r);
            if (!P) continue;
            // A font unlike the grid's was given to the cell.
            const TFont* F = Font();
            const bool OwnFont = (P->FontColor() != clNone && P->FontColor() != F->Color()) ||
                                 P->FontStyle() != F->Style() || (P->FontSize() != 0 && P->FontSize() != F->Height()) ||
                                 (!P->FontName().isEmpty() && P->FontName() != F->Name());
            if (!GetCellEx(c, r).isEmpty() || propertiesHoldMore(c, r) || OwnFont)
                GetCellProperties(c, r)->SetBrushColor(clNone);
            else
                ClearCellProperties(c, r);
        } else {
            GetCellProperties(c, r)->SetBrushColor(Color);
        }
    }
    RepaintRow(r);
}

void TVidIvezadOrir::SetRowColorTo(int r, TColor Color) {
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Color == clNone) {
            if (!cellProps(c, r)) continue;
            if (propertiesHoldMore(c, r))
                GetCellProperties(c, r)->SetBrushColorTo(clNone);
            else
                ClearCellProperties(c, r);
        } else {
            GetCellProperties(c, r)->SetBrushColorTo(Color);
        }
    }
    RepaintRow(r);
}

void TVidIvezadOrir::SetRowFontColor(int r, TColor Color) {
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Color == clNone) {
            if (!cellProps(c, r) || GetColors(c, r) != clNone) continue;
            if (propertiesHoldMore(c, r))
                GetCellProperties(c, r)->SetFontColor(clNone);
            else
                ClearCellProperties(c, r);
        } else {
            GetCellProperties(c, r)->SetFontColor(Color);
        }
    }
    RepaintRow(r);
}

int TVidIvezadOrir::GetAllColWidths(int i) const {
    if (IsHiddenColumn(i)) return FState->AllColWidths[static_cast<size_t>(i)];
    return ColWidths(RealToDisplCol(i));
}

void TVidIvezadOrir::SetAllColWidths(int i, int w) {
    if (i >= 0 && i < static_cast<int>(FState->AllColWidths.size())) FState->AllColWidths[static_cast<size_t>(i)] = w;
    if (IsColumnShown(i)) SetColWidths(RealToDisplCol(i), w);
}

// ---------------------------------------------------------------------------------------------
// Controls placed in cells

TControl* TVidIvezadOrir::GetCellControls(int i, int j) const {
    const TCellProperties* P = cellProps(i, j);
    return P ? P->Control() : nullptr;
}

void TVidIvezadOrir::SetCellControls(int i, int j, TControl* Control) {
    const int RealRow = DisplToRealRow(j);
    if (!Control) {
        TCellProperties* P = cellProps(i, j);
        if (!P || !P->Control()) return;
        const int Index = FControlList->ControlIndex(i, RealRow);
        if (Index >= 0) FControlList->RemoveControl(Index);
        FState->CellControlCount = std::max(0, FState->CellControlCount - 1);
        P->SetControl(nullptr);
        return;
    }
    TCellProperties* P = GetCellProperties(i, j);
    const int Index = FControlList->ControlIndex(i, RealRow);
    if (Index >= 0) FControlList->RemoveControl(Index);
    if (!P->Control()) ++FState->CellControlCount;
    FControlList->AddControl(i, RealRow, Control);
    P->SetControl(Control);
    if (auto* W = dynamic_cast<TControl*>(Control)) W->SetParent(this);
    // Mended: the control sits on the cell where it is shown, not at its real column.
    const TRect R = CellRect(RealToDisplCol(i), j);
    Control->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
}

int TVidIvezadOrir::CellControlCount() const { return FState->CellControlCount; }

// ---------------------------------------------------------------------------------------------
// Small setters

void TVidIvezadOrir::SetFormatType(TFormatType Value) {
    if (Value == FFormatType) return;
    FFormatType = Value;
    Invalidate();
}

void TVidIvezadOrir::SetTesselGradientFrom(TColor Value) {
    FTesselGradientFrom = ColorToRGB(Value);
    Invalidate();
}

void TVidIvezadOrir::SetTesselGradientTo(TColor Value) {
    FTesselGradientTo = ColorToRGB(Value);
    Invalidate();
}

void TVidIvezadOrir::SetTesselGradientMirrorFrom(TColor Value) {
    FTesselGradientMirrorFrom = ColorToRGB(Value);
    Invalidate();
}

void TVidIvezadOrir::SetTesselGradientMirrorTo(TColor Value) {
    FTesselGradientMirrorTo = ColorToRGB(Value);
    Invalidate();
}

void TVidIvezadOrir::SetCursor(TCursor Value) {
    TBaseGrid::SetCursor(Value);
    FState->SavedCursor = Value;
}

// ---------------------------------------------------------------------------------------------
// Sizing permission and zoom

void TVidIvezadOrir::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) {
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    if (State == gsNormal) return;
    int C = -1, R = -1;
    MouseToCell(X - 6, Y, C, R);
    if (R >= 0 && R < FixedRows() && OnColumnSize) {
        bool Allow = true;
        OnColumnSize(this, C, Allow);
        if (!Allow) {
            State = gsNormal;
            return;
        }
    }
    MouseToCell(X, Y - 6, C, R);
    if (C >= 0 && C < FixedCols() && OnRowSize) {
        bool Allow = true;
        OnRowSize(this, R, Allow);
        if (!Allow) State = gsNormal;
    }
}

void TVidIvezadOrir::Zoom(int x) {
    const int z = FZoomFactor + x;
    if (z > 20 || z < -20) return;
    {
        const TFlagScope Locked(FState->ScrollLock);
        BeginUpdate();
        FZoomFactor = z;
        for (int c = 0; c < ColCount(); ++c)
            if (const int w = ColWidths(c); w > 0 && w + x > 0) SetColWidths(c, w + x);
        for (int r = 0; r < RowCount(); ++r)
            if (const int h = RowHeights(r); h > 0 && h + x > 0) SetRowHeights(r, h + x);
        EndUpdate();
    }
    if (FScrollProportional && FScrollType != ssMetro) {
        UpdateVertScrollThumb();
        UpdateHorzScrollThumb();
    }
}

// ---------------------------------------------------------------------------------------------
// Check boxes

TCheckBoxState TVidIvezadOrir::BoolToCheckBoxState(bool B) { return B ? cbChecked : cbUnchecked; }

void TVidIvezadOrir::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State) {
    for (int r = MouseActions()->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

// With hidden rows a row's own graphic is judged against its stored text; a row without an object
// of its own falls back to the cell's graphic, whose row check box then answers by its own value
// and whose plain box does not count.
bool TVidIvezadOrir::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State) {
    String CheckTrue;
    GetCheckTrue(ACol, ARow, CheckTrue);
    const auto judge = [&](const TCellGraphic* G, const String& Text, bool RowChecked, bool PlainBox) {
        if (!G) return false;
        switch (G->CellType()) {
            case ctCheckBox:
                if (!PlainBox) return false;
                State = BoolToCheckBoxState(G->CellBoolean());
                return true;
            case ctDataCheckBox:
            case ctVirtCheckBox:
                State = BoolToCheckBoxState(Text == CheckTrue);
                return true;
            case ctTriStateCheckBox:
                State = G->CellCheckBoxState();
                return true;
            case ctRowCheckBox:
                if (ACol != 0) return false;
                State = BoolToCheckBoxState(RowChecked);
                return true;
            default:
                return false;
        }
    };
    const auto isRowBox = [](const TCellGraphic* G) { return G && G->CellType() == ctRowCheckBox; };
    if (NumHiddenRows() == 0) {
        const TCellGraphic* G = GetCellGraphic(ACol, ARow);
        return judge(G, GetCellEx(ACol, ARow), isRowBox(G) && GetRowSelect(ARow), true);
    }
    if (TObject* Raw = GetRealObject(ACol, ARow)) {
        const auto* P = dynamic_cast<TCellProperties*>(Raw);
        const auto* G = P ? dynamic_cast<const TCellGraphic*>(P->GraphicObject()) : nullptr;
        return judge(G, AllCells(ACol, ARow), isRowBox(G) && GetRowSelect(ARow), true);
    }
    const TCellGraphic* G = GetCellGraphic(ACol, ARow);
    return judge(G, GetCellEx(ACol, ARow), G && G->CellBoolean(), false);
}
