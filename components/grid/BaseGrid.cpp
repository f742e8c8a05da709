// TBaseGrid: life, look setters, the cell-properties store, cell text and objects.
#include "components/grid/BaseGrid.h"

#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/ZirOdadUndoRedo.h"

#include <algorithm>

using namespace basegrid;

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner) {
    // The framework reserves no pixels for lines and draws nothing by itself.
    TObjStringGrid::SetGridLineWidth(0);
    TObjStringGrid::SetDefaultDrawing(false);
    FDefFont = std::make_unique<TFont>();
    FDefBrush = std::make_unique<TBrush>();
}

// A grid deleted without Free still frees its cells' properties.
TBaseGrid::~TBaseGrid() { freeEveryCellProperties(); }

void TBaseGrid::BeforeDestruction() {
    FDefFont.reset();
    FDefBrush.reset();
    freeEveryCellProperties();
    TObjStringGrid::BeforeDestruction();
}

// Cells kept beyond lowered counts hold properties too.
void TBaseGrid::freeEveryCellProperties() {
    FreeCellProperties(0, 0, std::max(ColCount(), CellStore().ColExtent()) - 1,
                       std::max(RowCount(), CellStore().RowExtent()) - 1);
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && FUndoRedo && AComponent == FUndoRedo) FUndoRedo = nullptr;
    TObjStringGrid::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// Look

void TBaseGrid::SetActiveRowShow(bool Value) {
    if (Value == FActiveRowShow) return;
    FActiveRowShow = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value) {
    if (Value == FActiveRowColor) return;
    FActiveRowColor = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value) {
    if (Value == FActiveRowColorTo) return;
    FActiveRowColorTo = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value) {
    if (Value == FActiveRowMirrorColor) return;
    FActiveRowMirrorColor = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) {
    if (Value == FActiveRowMirrorColorTo) return;
    FActiveRowMirrorColorTo = Value;
    Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
    if (Value == FSelectionStyle) return;
    FSelectionStyle = Value;
    Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value) {
    FDefaultDrawing = Value;
    TObjStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value) {
    FGridLineWidth = Value;
    TObjStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value) {
    FGridFixedLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetUndoRedo(TZirOdadUndoRedo* Value) {
    if (FUndoRedo == Value) return;
    if (FUndoRedo) FUndoRedo->RemoveFreeNotification(this);
    FUndoRedo = Value;
    if (FUndoRedo) {
        FUndoRedo->FreeNotification(this);
        FUndoRedo->SetGrid(this);
    }
}

// ---------------------------------------------------------------------------------------------
// The cell-properties store

TCellProperties* TBaseGrid::cellProps(int c, int r) const {
    // Most cells hold no object: that answer needs no bounds.
    TObject* Slot = TObjStringGrid::Objects(c, r);
    if (!Slot || c < 0 || r < 0 || c >= TotalColCount()) return nullptr;
    return dynamic_cast<TCellProperties*>(Slot);
}

bool TBaseGrid::HasCellProperties(int c, int r) const { return cellProps(c, r) != nullptr; }

// Seeds new properties from the grid's defaults: the cell keeps the look it had when they were
// made, whatever the grid's defaults become later.
void TBaseGrid::seedProperties(TCellProperties* P, int c, int r, TFont* Font, TBrush* Brush) {
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool Wrap = FWordWrap;
    TCellGradientDirection Direction = GradientVertical;
    GetDefaultCellProperties(c, r, Font, Brush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign, Wrap, Direction);
    P->SetCalcType(acNONE);
    P->SetAlignment(HAlign);
    P->SetVAlignment(VAlign);
    P->SetWordWrap(Wrap);
    P->SetFontName(Font->Name());
    P->SetFontSize(Font->Height());
    P->SetFontStyle(Font->Style());
    P->SetFontColor(Font->Color());
    P->SetBrushColor(Brush->Color());
    P->SetBrushColorTo(ColorTo);
    P->SetGradientDirection(Direction);
}

TCellProperties* TBaseGrid::CreateCellProperties(int c, int r) {
    auto* P = new TCellProperties(this, c, r);
    TObjStringGrid::SetObjects(c, r, P);
    seedProperties(P, c, r, FDefFont.get(), FDefBrush.get());
    return P;
}

void TBaseGrid::SeedCellProperties(TCellProperties* P, int c, int r) {
    TFont Font;
    TBrush Brush;
    seedProperties(P, c, r, &Font, &Brush);
}

TCellProperties* TBaseGrid::GetCellProperties(int c, int r) {
    TObject* Slot = TObjStringGrid::Objects(c, r);
    if (auto* P = Slot ? dynamic_cast<TCellProperties*>(Slot) : nullptr) return P;
    return CreateCellProperties(c, r);
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value) {
    TObject* Old = TObjStringGrid::Objects(c, r);
    // Storing the object already in the slot must not free it.
    if (Old == Value) return;
    if (Old) Old->Free();
    TObjStringGrid::SetObjects(c, r, Value);
}

void TBaseGrid::FreeCellProperties(int c1, int r1, int c2, int r2) {
    if (!FHasCellProps) return;
    TGridCellStore& Store = CellStore();
    const int LastRow = std::min(r2, Store.RowExtent() - 1);
    for (int r = std::max(0, r1); r <= LastRow; ++r) {
        if (!Store.RowHasCells(r)) continue;
        for (int c = std::max(0, c1); c <= c2; ++c) {
            TObject* Slot = Store.Object(c, r);
            auto* P = Slot ? dynamic_cast<TCellProperties*>(Slot) : nullptr;
            if (!P) continue;
            // Only the grid's own graphic class is the grid's to free.
            if (TObject* G = P->GraphicObject(); G && G->ClassName() == QLatin1String("TCellGraphic")) G->Free();
            P->Free();
            Store.SetObject(c, r, nullptr);
        }
    }
}

void TBaseGrid::FreeAllCellProperties() { FreeCellProperties(0, 0, ColCount() - 1, RowCount() - 1); }

void TBaseGrid::ClearCellProperties(int c, int r) {
    if (TCellProperties* P = cellProps(c, r)) {
        P->Free();
        TObjStringGrid::SetObjects(c, r, nullptr);
    }
}

void TBaseGrid::ResetCell(int c, int r) {
    TObjStringGrid::SetObjects(c, r, nullptr);
    SetCellEx(c, r, String());
}

void TBaseGrid::ResetCol(int c) {
    for (int r = 0; r < RowCount(); ++r) ResetCell(c, r);
}

void TBaseGrid::ResetRow(int r) {
    for (int c = 0; c < ColCount(); ++c) ResetCell(c, r);
}

// ---------------------------------------------------------------------------------------------
// Cell text

void TBaseGrid::GetDisplText(int ACol, int ARow, String& Value) {
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, String& Value) {
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

String TBaseGrid::GetCellEx(int c, int r) {
    int bc = c, br = r;
    if (const TCellProperties* P = cellProps(c, r)) {
        const TPoint B = P->GetBaseCell(c, r);
        bc = B.X;
        br = B.Y;
    }
    String Value = GetGridCell(bc, br);
    if (br < FNormalRowCount) GetDisplText(bc, br, Value);
    if (OnGetDisplWideText) {
        String Wide = DecodeWideText(Value);
        GetDisplWideText(bc, br, Wide);
        Value = EncodeWideText(Wide);
    }
    return Value;
}

void TBaseGrid::SetCellEx(int c, int r, const String& Value) {
    if (const TCellProperties* P = cellProps(c, r)) {
        const TPoint B = P->GetBaseCell(c, r);
        TObjStringGrid::SetCells(B.X, B.Y, Value);
        CellChanged(B.X, B.Y);
        if (HasParent()) RepaintCell(c, r);
    } else {
        FEditCellSet = true;
        TObjStringGrid::SetCells(c, r, Value);
        FEditCellSet = false;
    }
    if (FHideLastRow && RowCount() == r + 1) LastRowChanged();
}

// ---------------------------------------------------------------------------------------------
// Cell objects

TObject* TBaseGrid::GetObjectEx(int c, int r) const {
    const TCellProperties* P = cellProps(c, r);
    return P ? reinterpret_cast<TObject*>(P->CellObject()) : nullptr;
}

void TBaseGrid::SetObjectEx(int c, int r, TObject* Value) {
    // A cell with text is what keeps a cell alive in moves and saves: hold a blank meanwhile.
    const bool WasEmpty = GetGridCell(c, r).isEmpty();
    if (WasEmpty) SetGridCell(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetCellObject(reinterpret_cast<NativeUInt>(Value));
    if (WasEmpty) SetGridCell(c, r, String());
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const {
    const TCellProperties* P = cellProps(c, r);
    return P ? P->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* Value) {
    if (ComponentState().Contains(csDestroying)) {
        if (!Value) {
            if (TCellProperties* P = cellProps(c, r)) P->SetGraphicObject(nullptr);
        }
        return;
    }
    const bool WasEmpty = GetGridCell(c, r).isEmpty();
    if (WasEmpty) SetCellEx(c, r, QStringLiteral(" "));
    TCellProperties* P = cellProps(c, r);
    if (!P) {
        P = new TCellProperties(this, c, r);
        TObjStringGrid::SetObjects(c, r, P);
        TFont Font;
        TBrush Brush;
        seedProperties(P, c, r, &Font, &Brush);
    }
    P->SetGraphicObject(Value);
    if (WasEmpty) SetCellEx(c, r, String());
}

TObject* TBaseGrid::CellGraphicOf(const TCellProperties* Properties) {
    return Properties ? Properties->GraphicObject() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Hooks with neutral answers

void TBaseGrid::GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                         TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                         TVAlignment& VAlign, bool& WordWrap,
                                         TCellGradientDirection& GradientDirection) {
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HAlign = taLeftJustify;
    VAlign = vtaTop;
    WordWrap = FWordWrap;
    GradientDirection = GradientVertical;
}

bool TBaseGrid::IsNode(int ARow) { throw EAbstractError(QStringLiteral("Abstract Error")); }
bool TBaseGrid::IsSummary(int ARow) { throw EAbstractError(QStringLiteral("Abstract Error")); }
bool TBaseGrid::CellHasCheckBox(int ACol, int ARow) { throw EAbstractError(QStringLiteral("Abstract Error")); }
void TBaseGrid::SetCheckBoxText(int ACol, int ARow, const String& Value) {
    throw EAbstractError(QStringLiteral("Abstract Error"));
}
