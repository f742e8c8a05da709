// Shown cell graphics: pictures, images, container pictures and indicators.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/FilePicture.h"
#include "framework/ui/Picture.h"

TVidIvezadOrir& TVidIvezadOrirPictures::grid() { return static_cast<TVidIvezadOrir&>(*this); }

TCellGraphic* TVidIvezadOrirPictures::ownGraphic(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) return nullptr;
    return dynamic_cast<TCellGraphic*>(grid().GetGraphicObjectEx(ACol, ARow));
}

TCellGraphic* TVidIvezadOrirPictures::baseGraphic(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint B = grid().BaseCell(ACol, ARow);
    return grid().GetCellGraphic(B.X, B.Y);
}

TCellGraphic* TVidIvezadOrirPictures::addOfKind(int ACol, int ARow, TCellType Kind, TCellHAlign hal, TCellVAlign val) {
    TCellGraphic* G = grid().CreateCellGraphic(ACol, ARow);
    G->SetCellType(Kind);
    G->SetCellHAlign(hal);
    G->SetCellVAlign(val);
    return G;
}

// ---------------------------------------------------------------------------------------------
// Bitmaps, icons and pictures

void TVidIvezadOrirPictures::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                                       TCellVAlign val) {
    grid().CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TVidIvezadOrirPictures::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val) {
    return createOwned<TBitmap>(grid(), ACol, ARow,
                                [&](TCellGraphic* G, TBitmap* Bmp) { G->SetBitmap(Bmp, Transparent, hal, val); });
}

TBitmap* TVidIvezadOrirPictures::GetBitmap(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctBitmap ? G->Bitmap() : nullptr;
}

void TVidIvezadOrirPictures::RemoveBitmap(int ACol, int ARow) { grid().RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

void TVidIvezadOrirPictures::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent,
                                        TStretchMode StretchMode, int padding, TCellHAlign hal, TCellVAlign val) {
    grid().CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, padding, hal, val);
}

TPicture* TVidIvezadOrirPictures::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int padding, TCellHAlign hal, TCellVAlign val) {
    return createOwned<TPicture>(grid(), ACol, ARow, [&](TCellGraphic* G, TPicture* Picture) {
        G->SetPicture(Picture, Transparent, StretchMode, padding, hal, val);
    });
}

TPicture* TVidIvezadOrirPictures::GetPicture(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctPicture ? G->Picture() : nullptr;
}

void TVidIvezadOrirPictures::RemovePicture(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctPicture);
}

void TVidIvezadOrirPictures::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                            TStretchMode StretchMode, int padding, TCellHAlign hal, TCellVAlign val) {
    grid().CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, padding, hal, val);
}

TFilePicture* TVidIvezadOrirPictures::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                        int padding, TCellHAlign hal, TCellVAlign val) {
    return createOwned<TFilePicture>(grid(), ACol, ARow, [&](TCellGraphic* G, TFilePicture* Picture) {
        G->SetFilePicture(Picture, Transparent, StretchMode, padding, hal, val);
    });
}

TFilePicture* TVidIvezadOrirPictures::GetFilePicture(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctFilePicture ? G->FilePicture() : nullptr;
}

void TVidIvezadOrirPictures::RemoveFilePicture(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
}

void TVidIvezadOrirPictures::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
    grid().CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TVidIvezadOrirPictures::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val) {
    return createOwned<TIcon>(grid(), ACol, ARow, [&](TCellGraphic* G, TIcon* Icon) { G->SetIcon(Icon, hal, val); });
}

void TVidIvezadOrirPictures::RemoveIcon(int ACol, int ARow) { grid().RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

// ---------------------------------------------------------------------------------------------
// Image list and container pictures

void TVidIvezadOrirPictures::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
    if (!grid().GridImages()) return;
    grid().CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
    grid().RepaintCell(ACol, ARow);
}

bool TVidIvezadOrirPictures::GetImageIdx(int ACol, int ARow, int& idx) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    if (!grid().GridImages() || !G || G->CellType() != ctImageList) return false;
    idx = G->CellIndex();
    return true;
}

void TVidIvezadOrirPictures::SetImageIdx(int ACol, int ARow, int Idx) {
    TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    if (grid().GridImages() && G && G->CellType() == ctImageList) G->SetCellIndex(Idx);
}

void TVidIvezadOrirPictures::RemoveImageIdx(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctImageList);
}

void TVidIvezadOrirPictures::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
    TVidIvezadOrir& g = grid();
    if (!g.GridImages()) return;
    g.CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (g.GetCellEx(ACol, ARow).isEmpty()) g.SetInts(ACol, ARow, Aidx);
}

void TVidIvezadOrirPictures::RemoveDataImage(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
    grid().SetCellEx(ACol, ARow, String());
}

bool TVidIvezadOrirPictures::HasDataImage(int ACol, int ARow) {
    return grid().HasCellTypeIn(ACol, ARow, {ctDataImage});
}

void TVidIvezadOrirPictures::AddDataPicture(int ACol, int ARow, const String& AName, TCellHAlign hal, TCellVAlign val) {
    TVidIvezadOrir& g = grid();
    if (!g.PictureContainer()) return;
    g.CreateCellGraphic(ACol, ARow)->SetDataPicture(hal, val);
    if (g.GetCellEx(ACol, ARow).isEmpty()) g.SetCellEx(ACol, ARow, AName);
}

void TVidIvezadOrirPictures::RemoveDataPicture(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctDataPicture);
    grid().SetCellEx(ACol, ARow, String());
}

bool TVidIvezadOrirPictures::HasDataPicture(int ACol, int ARow) {
    return grid().HasCellTypeIn(ACol, ARow, {ctDataPicture});
}

void TVidIvezadOrirPictures::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val) {
    TVidIvezadOrir& g = grid();
    if (!g.GridImages()) return;
    TVidIvezadOrir* Grid = &g;
    g.CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [Grid](TObject*, int c, int r) {
        Grid->RepaintCell(c, r);
    });
}

void TVidIvezadOrirPictures::RemoveMultiImage(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctImages);
}

// ---------------------------------------------------------------------------------------------
// Indicators

void TVidIvezadOrirPictures::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctProgress, haLeft, vaTop);
    G->SetCellBitmapColor(FGColor);
    G->SetCellIconColor(BKColor);
    G->SetCellErrFrom(0);
    G->SetCellErrLen(100);
    G->SetCellBoolean(false);
    G->SetCellText(String());
}

void TVidIvezadOrirPictures::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                           TColor BKTextColor) {
    AddProgress(ACol, ARow, FGColor, BKColor);
    TCellGraphic* G = ownGraphic(ACol, ARow);
    G->SetCellIndex(static_cast<int>(FGTextColor));
    G->SetCellAngle(static_cast<int>(BKTextColor));
    G->SetCellBoolean(true);
}

void TVidIvezadOrirPictures::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                                  TColor BKColor, TColor BKTextColor, const String& Fmt, int Min,
                                                  int Max) {
    AddProgressEx(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor);
    TCellGraphic* G = ownGraphic(ACol, ARow);
    G->SetCellErrFrom(Min);
    G->SetCellErrLen(Max);
    G->SetCellText(Fmt);
}

void TVidIvezadOrirPictures::RemoveProgress(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctProgress);
}

void TVidIvezadOrirPictures::AddAdvProgress(int ACol, int ARow, int Min, int Max) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctXPProgress, haLeft, vaTop);
    G->SetCellErrFrom(Min);
    G->SetCellErrLen(Max);
}

void TVidIvezadOrirPictures::RemoveAdvProgress(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctXPProgress);
}

void TVidIvezadOrirPictures::AddProgressPie(int ACol, int ARow, TColor Color, int Value) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctProgressPie, haBeforeText, vaTop);
    G->SetCellBitmapColor(Color);
    G->SetCellAngle(Value);
}

void TVidIvezadOrirPictures::SetProgressPie(int ACol, int ARow, int Value) {
    TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctProgressPie) return;
    G->SetCellAngle(Value);
    grid().RepaintCell(ACol, ARow);
}

void TVidIvezadOrirPictures::RemoveProgressPie(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctProgressPie);
}

void TVidIvezadOrirPictures::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                               bool ShowValue) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctRangeIndicator, haLeft, vaTop);
    G->SetCellIndex(Range);
    G->SetCellBitmapColor(NegColor);
    G->SetCellIconColor(PosColor);
    G->SetCellBoolean(ShowValue);
}

void TVidIvezadOrirPictures::RemoveRangeIndicator(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

void TVidIvezadOrirPictures::AddShape(int ACol, int ARow, int Shape, TColor FillColor, TColor LineColor,
                                      TCellHAlign hal, TCellVAlign val) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctShape, hal, val);
    G->SetCellAngle(Shape);
    G->SetCellIndex(static_cast<int>(FillColor));
    G->SetCellBitmapColor(LineColor);
}

void TVidIvezadOrirPictures::SetShapeColor(int ACol, int ARow, TColor FillColor) {
    TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    if (G && G->CellType() == ctShape) G->SetCellIndex(static_cast<int>(FillColor));
}

TColor TVidIvezadOrirPictures::GetShapeColor(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctShape ? static_cast<TColor>(G->CellIndex()) : clNone;
}

void TVidIvezadOrirPictures::RemoveShape(int ACol, int ARow) { grid().RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TVidIvezadOrirPictures::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctRating, haFull, vaTop);
    G->SetCellAngle(Scale);
    G->SetCellIndex(static_cast<int>(FillColor));
    G->SetCellBitmapColor(EmptyColor);
}

void TVidIvezadOrirPictures::RemoveRating(int ACol, int ARow) { grid().RemoveCellGraphicOfType(ACol, ARow, ctRating); }

bool TVidIvezadOrirPictures::RatingChange(int ACol, int ARow, double& NewRate) {
    bool Allow = true;
    if (OnRatingChange) FireEvent(OnRatingChange, &grid(), ACol, ARow, NewRate, Allow);
    return Allow;
}

void TVidIvezadOrirPictures::AddScrollBar(int ACol, int ARow, bool AutoRange) {
    TCellGraphic* G = addOfKind(ACol, ARow, ctScrollbar, haLeft, vaTop);
    G->SetCellAngle(0);
    G->SetCellErrFrom(100);
    G->SetCellIndex(0);
    G->SetCellBoolean(AutoRange);
    if (AutoRange) grid().CellChanged(ACol, ARow);
}

void TVidIvezadOrirPictures::SetScrollPosition(int ACol, int ARow, int Pos) {
    TCellGraphic* G = baseGraphic(ACol, ARow);
    if (!G || G->CellType() != ctScrollbar) return;
    G->SetCellIndex(Pos);
    grid().RepaintCell(ACol, ARow);
}

int TVidIvezadOrirPictures::GetScrollPosition(int ACol, int ARow) {
    const TCellGraphic* G = baseGraphic(ACol, ARow);
    return G && G->CellType() == ctScrollbar ? G->CellIndex() : -1;
}

void TVidIvezadOrirPictures::SetScrollProp(int ACol, int ARow, TScrollProp Prop) {
    TCellGraphic* G = baseGraphic(ACol, ARow);
    if (!G || G->CellType() != ctScrollbar) return;
    G->SetCellAngle(Prop.PageSize);
    G->SetCellErrFrom(Prop.Range);
}

TScrollProp TVidIvezadOrirPictures::GetScrollProp(int ACol, int ARow) {
    const TCellGraphic* G = baseGraphic(ACol, ARow);
    if (!G || G->CellType() != ctScrollbar) return TScrollProp{};
    return TScrollProp{G->CellAngle(), G->CellErrFrom()};
}

bool TVidIvezadOrirPictures::HasAutoRangeScrollBar(int ACol, int ARow) {
    const TCellGraphic* G = baseGraphic(ACol, ARow);
    return G && G->CellType() == ctScrollbar && G->CellBoolean();
}

void TVidIvezadOrirPictures::RemoveScrollBar(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctScrollbar);
}

// ---------------------------------------------------------------------------------------------
// Caller objects

void TVidIvezadOrirPictures::AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject) {
    grid().CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TInterfacedPersistent* TVidIvezadOrirPictures::GetInterfacedCell(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctInterface ? dynamic_cast<TInterfacedPersistent*>(G->CellBitmap()) : nullptr;
}

void TVidIvezadOrirPictures::RemoveInterfacedCell(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctInterface);
}
