// What a cell graphic needs or takes: sizes for auto-sizing, printing and the printed page.
#include "components/graphics/PictureContainer.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"

#include <algorithm>

namespace {

bool besideText(const TCellGraphic* G) { return G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText; }
bool overText(const TCellGraphic* G) { return G->CellVAlign() == vaUnderText || G->CellVAlign() == vaAboveText; }
bool isCheckBoxKind(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
           T == ctTriStateCheckBox;
}
int packedWidth(const TCellGraphic* G) { return static_cast<int>(static_cast<unsigned>(G->CellIndex()) & 0xFFFFu); }
int packedHeight(const TCellGraphic* G) { return static_cast<int>(static_cast<unsigned>(G->CellIndex()) >> 16); }
int roundInt(double X) { return static_cast<int>(Round(X)); }
IGridCellObject* cellObjectOf(const TCellGraphic* G) { return dynamic_cast<IGridCellObject*>(G->CellBitmap()); }

}  // namespace

int TVidIvezadOrirGraphics::TotalXOffset() {
    const TVidIvezadOrir& g = grid();
    return g.XYOffsetTopLeftOnly() ? g.XYOffset().X : 2 * g.XYOffset().X;
}

int TVidIvezadOrirGraphics::TotalYOffset() {
    const TVidIvezadOrir& g = grid();
    return g.XYOffsetTopLeftOnly() ? g.XYOffset().Y : 2 * g.XYOffset().Y;
}

int TVidIvezadOrirGraphics::ScaledCheckSize() {
    return roundInt(grid().ControlLook()->CheckSize() * grid().FState->DPIScale);
}

TPoint TVidIvezadOrirGraphics::imagesSize(const TCellGraphic* G) {
    const TCustomImageList* Images = grid().GridImages();
    const TIntList* List = G->IntList();
    if (!Images) return Point(0, 0);
    const int n = List ? List->Count() : 0;
    if (G->CellBoolean()) return Point(n * Images->Width(), Images->Height());
    return Point(Images->Width(), n * Images->Height());
}

TPoint TVidIvezadOrirGraphics::radioSize(TCanvas* Canvas, const TCellGraphic* G, bool Box, double Scale) {
    const TStrings* Captions = G->Strings();
    const int n = Captions ? Captions->Count() : 0;
    const int LineHeight = Canvas->TextHeight(QStringLiteral("gh"));
    if (G->CellBoolean()) {
        int W = 0;
        for (int i = 0; i < n; ++i) W += Canvas->TextWidth(Captions->Strings(i)) + 12;
        return Point(W, LineHeight);
    }
    int Widest = 0;
    for (int i = 0; i < n; ++i) Widest = std::max(Widest, Canvas->TextWidth(Captions->Strings(i)));
    const int H = Box ? LineHeight * n : std::max(16, roundInt((LineHeight + 3) * n / Scale));
    return Point(std::max(12, Widest + 12), H);
}

TPoint TVidIvezadOrirGraphics::GetCellGraphicSize(int ACol, int ARow) { return MeasureCellGraphic(ACol, ARow, 0); }

TPoint TVidIvezadOrirGraphics::MeasureCellGraphic(int ACol, int ARow, int ExtraHeight) {
    return CalcCellGraphicSize(grid().Canvas(), ACol, ARow, ExtraHeight, 1.0);
}

TPoint TVidIvezadOrirGraphics::CalcCellGraphicSize(TCanvas* Canvas, int ACol, int ARow, int ExtraHeight, double Scale) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return Point(0, 0);
    const bool HasText = !g.GetCellEx(ACol, ARow).isEmpty();
    const bool Beside = besideText(G), Over = overText(G);
    const int DisplCol = g.RealToDisplCol(ACol);
    const TPoint Cell = g.CellSize(DisplCol, ARow);
    const int BoxW = Cell.X - TotalXOffset() - 1;
    const int BoxH = Cell.Y - TotalYOffset() - ExtraHeight - 1;
    const TCustomImageList* Images = g.GridImages();
    TPoint R(0, 0);
    bool FullCellStep = true;
    switch (G->CellType()) {
        case ctIcon:
            if (const TIcon* Icon = G->CellIcon()) R = Point(Beside || !HasText ? Icon->Width() : 0, Icon->Height());
            break;
        case ctBitmap:
            if (const TBitmap* Bmp = G->Bitmap())
                R = Point(Beside || !HasText ? Bmp->Width() : 0, Over || !HasText ? Bmp->Height() : 0);
            break;
        case ctImageList:
        case ctDataImage:
            if (Images) R = Point(Beside || !HasText ? Images->Width() : 0, Over || !HasText ? Images->Height() : 0);
            break;
        case ctImages:
            R = imagesSize(G);
            break;
        case ctPicture:
        case ctFilePicture:
            R = G->GetPictureSize(BoxW, BoxH, nullptr, HasText);
            break;
        case ctDataPicture:
            if (TPictureContainer* Container = g.PictureContainer())
                if (TGraphic* Picture = Container->FindPicture(g.GetCellEx(ACol, ARow)))
                    R = G->GetPictureSize(BoxW, BoxH, Picture, HasText);
            break;
        case ctButton:
        case ctBitButton:
            R = Point(packedWidth(G), packedHeight(G));
            if (HasText) {
                if (G->CellHAlign() == haCenter) R.X = 0;
                if (G->CellHAlign() == haFull) R.X = roundInt((Canvas->TextWidth(G->CellText()) + 4) / Scale);
                if (!Over && !Beside) R.Y = 0;
                if (Over) R.X = 0;
            } else if (G->CellHAlign() == haFull) {
                bool Fixed = false;
                g.IsFixedCell(ACol, ARow, Fixed);
                Canvas->Font()->Assign(Fixed ? g.FixedFont() : g.Font());
                R.X = roundInt((Canvas->TextWidth(G->CellText()) + 8) / Scale);
                if (!G->CellText().isEmpty()) FullCellStep = false;
            }
            break;
        case ctInterface:
            if (IGridCellObject* Object = cellObjectOf(G)) R = Point(Object->GetWidth(), Object->GetHeight());
            if (R.X == 0 || R.Y == 0) R = Cell;
            break;
        case ctProgressPie:
            R = Point(20, 20);
            break;
        case ctRadioButton:
            R = Point(g.ControlLook()->RadioSize(), g.ControlLook()->RadioSize());
            break;
        case ctRadio:
            R = radioSize(Canvas, G, false, Scale);
            break;
        case ctRating:
            R = Point(G->CellAngle() * 18, 16);
            FullCellStep = false;
            break;
        case ctShape:
            R = Point(g.DefaultRowHeight() - 4, g.DefaultRowHeight() - 4);
            break;
        default:
            if (isCheckBoxKind(G->CellType())) R = Point(ScaledCheckSize(), ScaledCheckSize());
            break;
    }
    if (FullCellStep) {
        const TRect CR = g.CellRect(DisplCol, ARow);
        if (G->CellVAlign() == vaFull) R.Y = CR.Bottom - CR.Top;
        if (G->CellHAlign() == haFull) R.X = CR.Right - CR.Left;
    }
    return R;
}

TPoint TVidIvezadOrirGraphics::CalcCellGraphicBoxSize(int ACol, int ARow, int BoxWidth, int BoxHeight, double) {
    TVidIvezadOrir& g = grid();
    const TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return Point(0, 0);
    const bool HasText = !g.GetCellEx(ACol, ARow).isEmpty();
    const TCustomImageList* Images = g.GridImages();
    switch (G->CellType()) {
        case ctBitmap:
            if (const TBitmap* Bmp = G->Bitmap()) return Point(Bmp->Width(), Bmp->Height());
            return Point(0, 0);
        case ctIcon:
            if (const TIcon* Icon = G->CellIcon()) return Point(Icon->Width(), Icon->Height());
            return Point(0, 0);
        case ctImageList:
            if (!Images) return Point(0, 0);
            return Point(besideText(G) || !HasText ? Images->Width() : 0, Images->Height());
        case ctDataImage:
            return Images ? Point(Images->Width(), Images->Height()) : Point(0, 0);
        case ctImages:
            return imagesSize(G);
        case ctPicture:
        case ctFilePicture:
            return G->GetPictureSize(BoxWidth, BoxHeight, nullptr, HasText);
        case ctDataPicture:
            if (TPictureContainer* Container = g.PictureContainer())
                if (TGraphic* Picture = Container->FindPicture(g.GetCellEx(ACol, ARow)))
                    return G->GetPictureSize(BoxWidth, BoxHeight, Picture, HasText);
            return Point(0, 0);
        case ctButton:
        case ctBitButton:
            return Point(packedWidth(G), packedHeight(G));
        case ctInterface: {
            const TRect CR = g.CellRect(g.RealToDisplCol(ACol), ARow);
            IGridCellObject* Object = cellObjectOf(G);
            const int W = Object ? Object->GetWidth() : 0;
            const int H = Object ? Object->GetHeight() : 0;
            return Point(W ? W : CR.Right - CR.Left, H ? H : CR.Bottom - CR.Top);
        }
        case ctRadioButton:
            return Point(g.ControlLook()->RadioSize(), g.ControlLook()->RadioSize());
        case ctNode:
        case ctProgressPie:
            return Point(20, 20);
        case ctRadio:
            return radioSize(g.Canvas(), G, true, 1.0);
        case ctProgress:
        case ctXPProgress:
            return Point(g.ColWidths(ACol), g.RowHeights(ARow));
        case ctShape: {
            const int S = g.RowHeights(ARow) - 2 * g.XYOffset().Y;
            return Point(S, S);
        }
        default:
            return isCheckBoxKind(G->CellType()) ? Point(ScaledCheckSize(), ScaledCheckSize()) : Point(0, 0);
    }
}
