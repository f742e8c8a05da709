// Graphics that sit on a cell's text or on another graphic: rotated text, expand glyphs,
// balloons, comments and error markers.
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/rtl/StringList.h"

namespace {

bool takesBalloon(TCellType T) { return T == ctIcon || T == ctCheckBox || T == ctDataCheckBox || T == ctRadioButton; }
// Kinds keeping a range or a count where a marker would go.
bool holdsMarker(TCellType T) { return T != ctProgress && T != ctXPProgress && T != ctScrollbar && T != ctNode; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Rotated text

void TVidIvezadOrirPictures::AddRotated(int ACol, int ARow, short AAngle, const String& s) {
    grid().CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    grid().SetCellEx(ACol, ARow, s);
}

void TVidIvezadOrirPictures::SetRotated(int ACol, int ARow, short AAngle) {
    TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G) {
        grid().CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
        return;
    }
    // A node's fields carry its subtree; the old kind's objects would be lost in another kind.
    if (G->CellType() == ctNode) return;
    G->FreeOwned();
    G->SetAngle(AAngle);
}

bool TVidIvezadOrirPictures::IsRotated(int ACol, int ARow, int& aAngle) {
    if (grid().GetCellType(ACol, ARow) != ctRotated) return false;
    aAngle = grid().GetCellGraphic(ACol, ARow)->CellAngle();
    return true;
}

void TVidIvezadOrirPictures::RemoveRotated(int ACol, int ARow) {
    grid().RemoveCellGraphicOfType(ACol, ARow, ctRotated);
}

// ---------------------------------------------------------------------------------------------
// Expand glyphs

void TVidIvezadOrirPictures::AddExpand(int ACol, int ARow, int ExpandedHeight) {
    TCellGraphic* G = grid().CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctExpand);
    G->SetCellAngle(ExpandedHeight);
    G->SetCellVar(Variant(false));
    G->SetCellIndex(grid().RowHeights(ARow));
}

bool TVidIvezadOrirPictures::ToggleExpand(int ACol, int ARow) {
    TCellGraphic* G = baseGraphic(ACol, ARow);
    if (!G) return false;
    const bool Expanded = !G->CellVar().AsBoolean();
    G->SetCellVar(Variant(Expanded));
    return Expanded;
}

bool TVidIvezadOrirPictures::GetExpandState(int ACol, int ARow) {
    const TCellGraphic* G = baseGraphic(ACol, ARow);
    return G && G->CellVar().AsBoolean();
}

int TVidIvezadOrirPictures::GetExpandHeight(int ACol, int ARow, bool Expanded) {
    const TCellGraphic* G = baseGraphic(ACol, ARow);
    if (!G) return grid().DefaultRowHeight();
    return Expanded ? G->CellAngle() : G->CellIndex();
}

TRect TVidIvezadOrirPictures::GetExpandRect(int ACol, int ARow) {
    if (!grid().HasExpand(ACol, ARow)) return Rect(0, 0, 0, 0);
    const TRect R = grid().CellRect(grid().RealToDisplCol(ACol), ARow);
    return Rect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13);
}

void TVidIvezadOrirPictures::RemoveExpand(int ACol, int ARow) { grid().RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

// ---------------------------------------------------------------------------------------------
// Balloons

void TVidIvezadOrirPictures::AddBalloon(int ACol, int ARow, const String& Title, const String& Text,
                                        TBalloonIcon Icon) {
    TCellGraphic* G = ownGraphic(ACol, ARow);
    if (G && G->CellType() != ctBalloon && !takesBalloon(G->CellType())) return;
    auto* Strings = new TStringList;
    Strings->Add(Title);
    Strings->Add(Text);
    if (!G) {
        G = grid().CreateCellGraphic(ACol, ARow);
        G->SetCellType(ctBalloon);
        G->SetCellAngle(0);
    } else if (G->CellType() == ctBalloon) {
        // A balloon of its own takes the new texts.
        if (G->CellBitmap()) G->CellBitmap()->Free();
    } else {
        if (G->CellBalloon() && G->CellBitmap()) G->CellBitmap()->Free();
        G->SetCellBalloon(true);
        // A radio button keeps its group in the angle field; the flag alone marks its balloon.
        if (G->CellType() != ctRadioButton) G->SetCellAngle(1);
    }
    G->SetCellIndex(Icon);
    G->SetCellBitmap(Strings);
}

void TVidIvezadOrirPictures::RemoveBalloon(int ACol, int ARow) {
    TCellGraphic* G = ownGraphic(ACol, ARow);
    if (G && takesBalloon(G->CellType()) && G->CellBalloon()) {
        if (G->CellType() != ctRadioButton) G->SetCellAngle(0);
        G->SetCellBalloon(false);
        if (G->CellBitmap()) G->CellBitmap()->Free();
        G->SetCellBitmap(nullptr);
        return;
    }
    grid().RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TVidIvezadOrirPictures::IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon) {
    const TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G || !(G->CellType() == ctBalloon || (takesBalloon(G->CellType()) && G->CellBalloon()))) return false;
    if (const TStrings* Strings = G->Strings(); Strings && Strings->Count() >= 2) {
        Title = Strings->Strings(0);
        Text = Strings->Strings(1);
        Icon = static_cast<TBalloonIcon>(G->CellIndex());
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Comments

void TVidIvezadOrirPictures::AddColorComment(int ACol, int ARow, const String& Comment, TColor Color) {
    TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G) G = grid().CreateCellGraphic(ACol, ARow);
    G->SetCellComment(Comment);
    G->SetCommentColor(Color);
}

void TVidIvezadOrirPictures::AddComment(int ACol, int ARow, const String& Comment) {
    AddColorComment(ACol, ARow, Comment, grid().ControlLook()->CommentColor());
}

void TVidIvezadOrirPictures::SetComment(int ACol, int ARow, const String& Value) {
    if (TCellGraphic* G = ownGraphic(ACol, ARow))
        G->SetCellComment(Value);
    else
        AddComment(ACol, ARow, Value);
}

bool TVidIvezadOrirPictures::IsComment(int ACol, int ARow, String& Comment) {
    const TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G || G->CellComment().isEmpty()) return false;
    Comment = G->CellComment();
    return true;
}

String TVidIvezadOrirPictures::GetComment(int ACol, int ARow) {
    String Comment;
    IsComment(ACol, ARow, Comment);
    return Comment;
}

void TVidIvezadOrirPictures::RemoveComment(int ACol, int ARow) {
    if (TCellGraphic* G = ownGraphic(ACol, ARow)) G->SetCellComment(String());
}

void TVidIvezadOrirPictures::RemoveAllComments() {
    for (int c = 0; c < grid().ColCount(); ++c)
        for (int r = 0; r < grid().RowCount(); ++r) RemoveComment(c, r);
    grid().Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Error markers

void TVidIvezadOrirPictures::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
    TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G) {
        G = grid().CreateCellGraphic(ACol, ARow);
        G->SetCellType(ctEmpty);
    }
    if (!holdsMarker(G->CellType())) return;
    G->SetCellErrFrom(ErrPos);
    G->SetCellErrLen(ErrLen);
    grid().RepaintCell(ACol, ARow);
}

void TVidIvezadOrirPictures::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) {
    ErrPos = 0;
    ErrLen = 0;
    const TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G || !holdsMarker(G->CellType())) return;
    ErrPos = G->CellErrFrom();
    ErrLen = G->CellErrLen();
}

void TVidIvezadOrirPictures::RemoveMarker(int ACol, int ARow) {
    TCellGraphic* G = ownGraphic(ACol, ARow);
    if (!G) return;
    if (G->CellType() == ctEmpty) {
        grid().FreeCellGraphic(ACol, ARow);
        return;
    }
    if (!holdsMarker(G->CellType())) return;
    G->SetCellErrFrom(0);
    G->SetCellErrLen(0);
}

void TVidIvezadOrirPictures::RemoveAllMarkers() {
    for (int c = 0; c < grid().ColCount(); ++c)
        for (int r = 0; r < grid().RowCount(); ++r) RemoveMarker(c, r);
}
