// REroDavIdev: the multi-column drop-down's popup grid, and the columns and entries it shows.
#include "components/dropdowns/AdvDropDownForm.h"
#include "components/dropdowns/AdvMultiColumnDropDown.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/WindowFunctions.h"

#include <algorithm>

using namespace advdropdown;
using namespace advmulticolumn;

// ---------------------------------------------------------------------------------------------
// Columns and entries

TDropDownColumn::TDropDownColumn(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>()) {}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::SetFont(TFont* Value) { FFont->Assign(Value); }

void TDropDownColumn::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDropDownColumn*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FWordwrap = S->FWordwrap;
    FWidth = S->FWidth;
    FAutoSize = S->FAutoSize;
    FHeader = S->FHeader;
    FAlignment = S->FAlignment;
    FColor = S->FColor;
    FColumnType = S->FColumnType;
    FFont->Assign(S->FFont.get());
    FEllipsis = S->FEllipsis;
}

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection(CollectionItemClass<TDropDownColumn>()), FMyOwner(AOwner) {}

TDropDownItem::TDropDownItem(TCollection* Collection)
    : TCollectionItem(Collection), FText(std::make_unique<TStringList>()) {}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::SetText(TStrings* Value) { FText->Assign(Value); }

bool TDropDownItem::ColumnText(int Column, String& Value) const {
    if (Column < 0 || Column >= FText->Count()) return false;
    Value = FText->Strings(Column);
    return true;
}

void TDropDownItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDropDownItem*>(Source);
    if (!S) return;
    FImageIndex = S->FImageIndex;
    FText->Assign(S->FText.get());
    FTag = S->FTag;
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TCollection(CollectionItemClass<TDropDownItem>()), FMyOwner(AOwner) {}

int TDropDownItems::IndexInColumn(int Column, const String& Value) const {
    for (int I = 0; I < Count(); ++I) {
        String S;
        if (Items(I)->ColumnText(Column, S) && S == Value) return I;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// The grid

REroDavIdev::REroDavIdev(TComponent* AOwner)
    : TStringGrid(AOwner),
      FAdvDropDown(dynamic_cast<TAdvMultiColumnDropDown*>(AOwner)),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()) {
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions O = Options();
    O.Include(goHorzLine);
    O.Include(goTabs);
    O.Include(goRowSelect);
    O.Exclude(goRangeSelect);
    O.Exclude(goDrawFocusSelected);
    SetOptions(O);
    SetDefaultDrawing(false);
    SetBorderStyle(bsNone);
    TStringGrid::SetGridLineWidth(0);
    FOldRow = Row();
}

REroDavIdev::~REroDavIdev() = default;

void REroDavIdev::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void REroDavIdev::SetImages(TCustomImageList* Value) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void REroDavIdev::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

void REroDavIdev::SetGridLineWidth(int Value) {
    FGridLineWidth = Value;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

bool REroDavIdev::onPopup() const { return dynamic_cast<TDropDownForm*>(Parent()) != nullptr; }

void REroDavIdev::LoadFromDropDown() {
    TAdvMultiColumnDropDown* D = FAdvDropDown;
    if (!D) return;
    FColumns->Assign(D->Columns());
    SetColCount(std::max(1, FColumns->Count()));
    SetRowCount(std::max(2, D->Items()->Count() + 1));
    SetFixedRows(1);
    SetRow(1);
    for (int I = 0; I < FColumns->Count(); ++I) SetColWidths(I, FColumns->Items(I)->Width());
    FLineColor = D->LineColor();
    FFixedLineColor = D->FixedLineColor();
    FHeaderColor = D->HeaderColor();
    FHeaderColorTo = D->HeaderColorTo();
    FHeaderHeight = D->HeaderHeight();
    FHeaderFont->Assign(D->HeaderFont());
    SetImages(D->Images());
    TGridOptions O = Options();
    if (D->ColumnSizing())
        O.Include(goColSizing);
    else
        O.Exclude(goColSizing);
    SetOptions(O);
    for (int I = 0; I < FColumns->Count(); ++I)
        if (FColumns->Items(I)->AutoSize()) AutoSizeColumn(I);
    SetDefaultRowHeight(D->DropDownRowHeight());
    AutoSizeRows();
    SetRowHeights(0, std::max(1, FHeaderHeight));
}

void REroDavIdev::AutoSizeColumn(int Index) {
    if (!onPopup() || !FAdvDropDown || Index < 0 || Index >= FColumns->Count()) return;
    TDropDownColumn* Column = FColumns->Items(Index);
    // The text measures alike on any canvas of the screen: the grid's own serves.
    TCanvas* C = Canvas();
    C->Font()->Assign(Column->Font());
    int W = Column->Header().isEmpty() ? 0 : C->TextWidth(Column->Header()) + 6;
    TDropDownItems* Items = FAdvDropDown->Items();
    for (int R = 0; R < Items->Count(); ++R) {
        const TDropDownItem* Item = Items->Items(R);
        int Cell = 0;
        if (Column->ColumnType() == ctImage && Item->ImageIndex() >= 0 && FImages) Cell += FImages->Width() + 4;
        String Text;
        if (Item->ColumnText(Index, Text)) Cell += C->TextWidth(Text) + 6;
        W = std::max(W, Cell);
    }
    Column->SetWidth(W);
    if (Index < FAdvDropDown->Columns()->Count()) FAdvDropDown->Columns()->Items(Index)->SetWidth(W);
    SetColWidths(Index, W);
}

void REroDavIdev::AutoSizeRows() {
    if (!onPopup() || !FAdvDropDown) return;
    bool Wrapped = false;
    for (int I = 0; I < FColumns->Count(); ++I) Wrapped = Wrapped || FColumns->Items(I)->Wordwrap();
    if (!Wrapped) return;
    // The text measures alike on any canvas of the screen: the grid's own serves.
    TCanvas* C = Canvas();
    TDropDownItems* Items = FAdvDropDown->Items();
    for (int R = 0; R < Items->Count(); ++R) {
        int H = 24;
        for (int I = 0; I < FColumns->Count(); ++I) {
            const TDropDownColumn* Column = FColumns->Items(I);
            if (!Column->Wordwrap()) continue;
            if (Column->ColumnType() == ctImage && FImages && Items->Items(R)->ImageIndex() >= 0)
                H = std::max(H, FImages->Height() + 6);
            String Text;
            if (!Items->Items(R)->ColumnText(I, Text)) continue;
            C->Font()->Assign(Column->Font());
            TRect T = Rect(0, 0, ColWidths(I), 0);
            DrawText(C->Handle(), Text, -1, T, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            H = std::max(H, T.Height() + 6);
        }
        SetRowHeights(R + 1, H);
    }
}

int REroDavIdev::GetTotalWidth() {
    int W = 0;  // no border of its own
    for (int I = 0; I < ColCount(); ++I) W += ColWidths(I);
    if (VisibleRowCount() + FixedRows() < RowCount()) W += GetSystemMetrics(SM_CXVSCROLL);
    return W;
}

TRect REroDavIdev::GetCellRect(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0) return Rect(0, 0, 0, 0);
    const TRect R = CellRect(ACol, ARow);
    return Bounds(R.Left, R.Top, ColWidths(ACol), RowHeights(ARow));
}

void REroDavIdev::DrawCell(int ACol, int ARow, const TRect&, TGridDrawState AState) {
    TAdvMultiColumnDropDown* D = FAdvDropDown;
    if (!D) return;
    TCanvas* C = Canvas();
    if (D->OnDropDownDrawItem) {
        const auto Handler = D->OnDropDownDrawItem;
        Handler(D, ACol, ARow, C, CellRect(ACol, ARow));
        return;
    }
    const int Last = ColCount() - 1;
    const int Position = ACol == 0 && ACol == Last ? 0 : ACol == 0 ? 1 : ACol == Last ? 2 : 3;
    TRect R = GetCellRect(ACol, ARow);
    String Text = Cells(ACol, ARow);
    int ImageIndex = -1;
    TColor Background = Color();
    TAlignment Alignment = taLeftJustify;
    bool Wrap = false, Ellipsis = false;
    const TDropDownColumn* Column = ACol < FColumns->Count() ? FColumns->Items(ACol) : nullptr;
    if (Column) {
        Background = Column->Color();
        Alignment = Column->Alignment();
        Wrap = Column->Wordwrap();
        Ellipsis = Column->Ellipsis();
        C->Font()->Assign(Column->Font());
        if (ARow >= 1 && ARow - 1 < D->Items()->Count()) {
            const TDropDownItem* Item = D->Items()->Items(ARow - 1);
            if (Column->ColumnType() == ctImage) ImageIndex = Item->ImageIndex();
            Item->ColumnText(ACol, Text);
        }
    } else {
        C->Font()->Assign(FHeaderFont.get());
    }
    if (D->OnDropDownGetItemText) {
        const auto Handler = D->OnDropDownGetItemText;
        Handler(D, ACol, ARow, Text);
    }
    const bool Header = AState.Contains(gdFixed);
    const bool Selected = !Header && AState.Contains(gdSelected);
    if (Header) {
        Text = Column ? Column->Header() : String();
        ImageIndex = -1;
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(FHeaderColor);
            if (FHeaderColor != clNone) C->FillRect(R);
        } else {
            D->DrawSelectionGradient(C, FHeaderColor, FHeaderColorTo, 80, R, gdVertical);
        }
    } else if (Selected) {
        D->DrawSelectionBackground(C, R, Background, Position);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Background);
        C->Pen()->SetColor(Background);
        C->Rectangle(R);
    }

    // Lines: the data rows' in LineColor at GridLineWidth, the header's at width 1.
    const int LineWidth = Header ? 1 : FGridLineWidth;
    const int Offset = Header ? 1 : (FGridLineWidth + 1) / 2;
    if (Header || FGridLineWidth > 0) {
        C->Pen()->SetColor(Header ? FFixedLineColor : FLineColor);
        C->Pen()->SetWidth(LineWidth);
    }
    const bool Horizontal = Options().Contains(Header ? goFixedHorzLine : goHorzLine);
    const bool Vertical = Options().Contains(Header ? goFixedVertLine : goVertLine);
    if (Horizontal && LineWidth > 0) {
        C->MoveTo(R.Left - Offset + 1, R.Bottom - Offset);
        C->LineTo(R.Right - Offset + 1, R.Bottom - Offset);
    }
    if (Vertical && LineWidth > 0) {
        const int X = R.Right - Offset + (BiDiMode() == bdRightToLeft ? 1 : 0);
        C->MoveTo(X, R.Bottom - Offset);
        C->LineTo(X, R.Top - Offset);
    }
    C->Pen()->SetWidth(1);

    R = Rect(R.Left + FGridLineWidth, R.Top + FGridLineWidth, R.Right - FGridLineWidth, R.Bottom - FGridLineWidth);
    int TextLeft = R.Left + 2;
    if (FImages && ImageIndex >= 0) {
        const int Y = FImages->Height() < R.Height() ? R.Top + (R.Height() - FImages->Height()) / 2 : R.Top;
        FImages->Draw(C, R.Left + 2, Y, ImageIndex, true);
        TextLeft = R.Left + FImages->Width() + 4;
    }
    if (Text.isEmpty()) return;
    C->Brush()->SetStyle(bsClear);
    if (Selected) C->Font()->SetColor(D->SelectionTextColor());
    if (Header) C->Font()->Assign(FHeaderFont.get());
    UINT Flags = DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER | (Wrap ? DT_WORDBREAK : DT_SINGLELINE);
    Flags |= Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
    if (Ellipsis) Flags |= DT_END_ELLIPSIS;
    TRect T = Rect(TextLeft, R.Top, R.Right, R.Bottom);
    DrawText(C->Handle(), Text, -1, T, Flags);
    C->Brush()->SetStyle(bsSolid);
}

void REroDavIdev::DoSelect() {
    if (OnSelect) FireEvent(OnSelect, this);
}

void REroDavIdev::KeyDown(Word& Key, TShiftState Shift) {
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FAdvDropDown) FAdvDropDown->Perform(WM_KEYDOWN, Key, 0);
        return;
    }
    const Word Pressed = Key;
    const TWeak<TControl> Self(this);
    TStringGrid::KeyDown(Key, Shift);
    if (Self && Pressed == VK_RETURN) DoSelect();
}

void REroDavIdev::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FConfirmSelection = true;
    FOldRow = Row();
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void REroDavIdev::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TStringGrid::MouseUp(Button, Shift, X, Y);
    if (!Self) return;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ARow >= FixedRows()) DoSelect();
}

bool REroDavIdev::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const TWeak<TControl> Self(this);
    const bool Result = TStringGrid::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (Self) FMouseWheelSelection = false;
    return Result;
}

void REroDavIdev::WMLButtonDown(TMessage& Message) {
    const TWeak<TControl> Self(this);
    const TPoint P = Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    TStringGrid::Dispatch(Message);
    if (!Self) return;
    int ACol = -1, ARow = -1;
    MouseToCell(P.X, P.Y, ACol, ARow);
    // A press on a partly shown edge cell would start a drag selection that scrolls.
    const bool BelowRows = ARow == TopRow() + VisibleRowCount();
    const bool RightOfCols = ACol == LeftCol() + VisibleColCount();
    const bool ScrolledLeft = ACol == LeftCol() && LeftCol() > FixedCols();
    if ((BelowRows || RightOfCols || ScrolledLeft) && GridState() == gsSelecting) Perform(WM_CANCELMODE, 0, 0);
}

void REroDavIdev::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
            break;
        case WM_LBUTTONDOWN:
            WMLButtonDown(Message);
            break;
        default:
            TStringGrid::Dispatch(Message);
            break;
    }
}
