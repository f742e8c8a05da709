// Cell rectangles: formats, highlighting and marking, the checker pass, fills and a column's
// distinct values.
#include "components/graphics/AsgHTMLE_Utils.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "framework/rtl/StrUtils.h"

namespace {

constexpr int mrOkResult = 1;

}  // namespace

int TVidIvezadOrirTyped::firstRow(bool DoFixed) { return DoFixed ? 0 : grid().FixedRows(); }
int TVidIvezadOrirTyped::lastRow(bool DoFixed) {
    return DoFixed ? grid().RowCount() - 1 : grid().RowCount() - grid().FixedFooters() - 1;
}
int TVidIvezadOrirTyped::firstCol(bool DoFixed) { return DoFixed ? 0 : grid().FixedCols(); }
int TVidIvezadOrirTyped::lastCol(bool DoFixed) {
    return DoFixed ? grid().ColCount() - 1 : grid().ColCount() - grid().FixedRightCols() - 1;
}

template <class F>
void TVidIvezadOrirTyped::forEachRectCell(const TGridRect& R, F Visit) {
    if (R.Right < R.Left || R.Bottom < R.Top) return;
    for (int c = R.Left; c <= R.Right; ++c)
        for (int r = R.Top; r <= R.Bottom; ++r) Visit(c, r);
}

void TVidIvezadOrirTyped::SetFontStyle(const TGridRect& GridRect, TFontStyle AStyle, bool DoSet) {
    forEachRectCell(GridRect, [&](int c, int r) {
        TFontStyles S = grid().GetFontStyles(c, r);
        if (DoSet)
            S.Include(AStyle);
        else
            S.Exclude(AStyle);
        grid().SetFontStyles(c, r, S);
    });
}

bool TVidIvezadOrirTyped::IsFontStyle(const TGridRect& GridRect, TFontStyle AStyle) {
    bool All = true;
    forEachRectCell(GridRect, [&](int c, int r) { All = All && grid().GetFontStyles(c, r).Contains(AStyle); });
    return All;
}

void TVidIvezadOrirTyped::SetCellColor(const TGridRect& GridRect, TColor AColor) {
    forEachRectCell(GridRect, [&](int c, int r) { grid().SetColors(c, r, AColor); });
}

void TVidIvezadOrirTyped::SetCellTextColor(const TGridRect& GridRect, TColor AColor) {
    forEachRectCell(GridRect, [&](int c, int r) { grid().SetFontColors(c, r, AColor); });
}

void TVidIvezadOrirTyped::SetCellFontName(const TGridRect& GridRect, const String& AFontName) {
    forEachRectCell(GridRect, [&](int c, int r) { grid().SetFontNames(c, r, AFontName); });
}

void TVidIvezadOrirTyped::SetCellFontSize(const TGridRect& GridRect, int AFontSize) {
    forEachRectCell(GridRect, [&](int c, int r) { grid().SetFontSizes(c, r, AFontSize); });
}

void TVidIvezadOrirTyped::SetAlignment(const TGridRect& GridRect, TAlignment AAlignment) {
    forEachRectCell(GridRect, [&](int c, int r) { grid().SetAlignments(c, r, AAlignment); });
}

bool TVidIvezadOrirTyped::IsAlignment(const TGridRect& GridRect, TAlignment AAlignment) {
    bool All = true;
    forEachRectCell(GridRect, [&](int c, int r) { All = All && grid().GetAlignments(c, r) == AAlignment; });
    return All;
}

// ---------------------------------------------------------------------------------------------
// Highlighting and marking

String TVidIvezadOrirTyped::HilightText(bool DoCase, const String& S, const String& Text) {
    return AsgHTMLE::HighlightMarkupText(S, Text, QStringLiteral("hi"), DoCase, false);
}
String TVidIvezadOrirTyped::UnHilightText(const String& S) {
    return AsgHTMLE::UnhighlightMarkupText(S, QStringLiteral("hi"));
}
String TVidIvezadOrirTyped::MarkText(bool DoCase, const String& S, const String& Text) {
    return AsgHTMLE::HighlightMarkupText(S, Text, QStringLiteral("e"), DoCase, false);
}
String TVidIvezadOrirTyped::UnMarkText(const String& S) {
    return AsgHTMLE::UnhighlightMarkupText(S, QStringLiteral("e"));
}

String TVidIvezadOrirTyped::rangeText(int c, int r) {
    return grid().OnGetDisplText ? grid().GetCellEx(c, r) : grid().GetGridCell(c, r);
}

void TVidIvezadOrirTyped::highlightInRange(const String& HiText, const String& Tag, bool DoCase, int FromCol,
                                           int FromRow, int ToCol, int ToRow, bool FullText) {
    TVidIvezadOrir& g = grid();
    const String Search = AsgHTMLE::EncodeHtmlEntities(HiText, false);
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!g.IsBaseCell(c, r)) continue;
            const String Old = rangeText(c, r);
            const String New = AsgHTMLE::HighlightMarkupText(Old, Search, Tag, DoCase, FullText);
            if (New != Old) g.SetCellEx(c, r, New);
        }
}

void TVidIvezadOrirTyped::unhighlightInRange(const String& Tag, int FromCol, int FromRow, int ToCol, int ToRow) {
    TVidIvezadOrir& g = grid();
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!g.IsBaseCell(c, r)) continue;
            const String Text = AsgHTMLE::DecodeHtmlEntities(rangeText(c, r), false);
            g.SetCellEx(c, r, AsgHTMLE::UnhighlightMarkupText(Text, Tag));
        }
}

void TVidIvezadOrirTyped::HilightInCell(bool DoCase, int Col, int Row, const String& HiText, bool FullText) {
    highlightInRange(HiText, QStringLiteral("hi"), DoCase, Col, Row, Col, Row, FullText);
}
void TVidIvezadOrirTyped::HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText, bool FullText) {
    highlightInRange(HiText, QStringLiteral("hi"), DoCase, Col, firstRow(DoFixed), Col, lastRow(DoFixed), FullText);
}
void TVidIvezadOrirTyped::HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText, bool FullText) {
    highlightInRange(HiText, QStringLiteral("hi"), DoCase, firstCol(DoFixed), Row, lastCol(DoFixed), Row, FullText);
}
void TVidIvezadOrirTyped::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText) {
    const int Hidden = grid().NumHiddenColumns();
    highlightInRange(HiText, QStringLiteral("hi"), DoCase, firstCol(DoFixed), firstRow(DoFixed),
                     DoFixed ? grid().ColCount() - 1 : lastCol(false) + Hidden, lastRow(DoFixed), FullText);
}
void TVidIvezadOrirTyped::MarkInCell(bool DoCase, int Col, int Row, const String& HiText) {
    highlightInRange(HiText, QStringLiteral("e"), DoCase, Col, Row, Col, Row, false);
}
void TVidIvezadOrirTyped::MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText) {
    highlightInRange(HiText, QStringLiteral("e"), DoCase, Col, firstRow(DoFixed), Col, lastRow(DoFixed), false);
}
void TVidIvezadOrirTyped::MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText) {
    highlightInRange(HiText, QStringLiteral("e"), DoCase, firstCol(DoFixed), Row, lastCol(DoFixed), Row, false);
}
void TVidIvezadOrirTyped::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText) {
    highlightInRange(HiText, QStringLiteral("e"), DoCase, firstCol(DoFixed), firstRow(DoFixed), lastCol(DoFixed),
                     lastRow(DoFixed), false);
}

void TVidIvezadOrirTyped::UnHilightInCell(int Col, int Row) {
    unhighlightInRange(QStringLiteral("hi"), Col, Row, Col, Row);
}
void TVidIvezadOrirTyped::UnHilightInCol(bool DoFixed, int Col) {
    unhighlightInRange(QStringLiteral("hi"), Col, firstRow(DoFixed), Col, lastRow(DoFixed));
}
void TVidIvezadOrirTyped::UnHilightInRow(bool DoFixed, int Row) {
    unhighlightInRange(QStringLiteral("hi"), firstCol(DoFixed), Row, lastCol(DoFixed) + grid().NumHiddenColumns(), Row);
}
void TVidIvezadOrirTyped::UnHilightInGrid(bool DoFixed) {
    unhighlightInRange(QStringLiteral("hi"), firstCol(DoFixed), firstRow(DoFixed),
                       lastCol(DoFixed) + grid().NumHiddenColumns(), lastRow(DoFixed));
}
void TVidIvezadOrirTyped::UnMarkInCell(int Col, int Row) {
    unhighlightInRange(QStringLiteral("e"), Col, Row, Col, Row);
}
void TVidIvezadOrirTyped::UnMarkInCol(bool DoFixed, int Col) {
    unhighlightInRange(QStringLiteral("e"), Col, firstRow(DoFixed), Col, lastRow(DoFixed));
}
void TVidIvezadOrirTyped::UnMarkInRow(bool DoFixed, int Row) {
    unhighlightInRange(QStringLiteral("e"), firstCol(DoFixed), Row, lastCol(DoFixed) + grid().NumHiddenColumns(), Row);
}
void TVidIvezadOrirTyped::UnMarkInGrid(bool DoFixed) {
    unhighlightInRange(QStringLiteral("e"), firstCol(DoFixed), firstRow(DoFixed),
                       lastCol(DoFixed) + grid().NumHiddenColumns(), lastRow(DoFixed));
}

// ---------------------------------------------------------------------------------------------
// The checker pass

bool TVidIvezadOrirTyped::CheckCell(int Col, int Row) {
    TVidIvezadOrir& g = grid();
    TVidIvezadOrirCheck* Checker = g.CellChecker();
    if (!Checker) return true;
    const String Old = UnMarkText(g.GetCellEx(Col, Row));
    if (Checker->GotoCell()) g.MoveColRow(g.RealToDisplCol(Col), Row, true, true);
    String s = Old;
    if (Checker->UseCorrect()) s = Checker->Correct(Col, Row, Old);
    // The marks go on the corrected text, so the correction reaches the cell.
    if (Checker->UseMarkError()) s = Checker->MarkError(Col, Row, s);
    g.SetCellEx(Col, Row, s);
    return s == Old;
}

bool TVidIvezadOrirTyped::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
    TVidIvezadOrir& g = grid();
    TVidIvezadOrirCheck* Checker = g.CellChecker();
    if (!Checker) return true;
    Checker->StartCheck();
    const int OldRow = g.Row(), OldCol = g.Col();
    bool Result = true;
    bool Stop = false;
    for (int r = FromRow; r <= ToRow && !Stop; ++r)
        for (int c = FromCol; c <= ToCol; ++c) {
            Result = CheckCell(c, r) && Result;
            if (Checker->LastResult() != mrOkResult) {
                Stop = true;
                break;
            }
        }
    Checker->StopCheck();
    if (Checker->GotoCell()) {
        g.SetRow(OldRow);
        g.SetCol(OldCol);
    }
    return Result;
}

bool TVidIvezadOrirTyped::CheckCol(bool DoFixed, int Col) {
    return CheckCells(Col, firstRow(DoFixed), Col, lastRow(DoFixed));
}
bool TVidIvezadOrirTyped::CheckRow(bool DoFixed, int Row) {
    return CheckCells(firstCol(DoFixed), Row, lastCol(DoFixed), Row);
}
bool TVidIvezadOrirTyped::CheckGrid(bool DoFixed) {
    return CheckCells(firstCol(DoFixed), firstRow(DoFixed), lastCol(DoFixed), lastRow(DoFixed));
}

// ---------------------------------------------------------------------------------------------
// Fills and distinct values

template <class F>
void TVidIvezadOrirTyped::forEachFillCell(bool DoFixed, F Fill) {
    for (int r = firstRow(DoFixed); r <= lastRow(DoFixed); ++r)
        for (int c = firstCol(DoFixed); c <= lastCol(DoFixed); ++c) Fill(c, r);
    RecalcFooter();
}

void TVidIvezadOrirTyped::TextFill(bool DoFixed, const String& Txt) {
    forEachFillCell(DoFixed, [&](int c, int r) { grid().SetCellEx(c, r, Txt); });
}

void TVidIvezadOrirTyped::FormatFill(bool DoFixed, const String& Fmt) {
    forEachFillCell(DoFixed, [&](int c, int r) { grid().SetCellEx(c, r, Format(Fmt, {c, r})); });
}

void TVidIvezadOrirTyped::RandomFill(bool DoFixed, int Rnd) {
    forEachFillCell(DoFixed, [&](int c, int r) { SetInts(c, r, Random(Rnd)); });
}

void TVidIvezadOrirTyped::LinearFill(bool DoFixed) {
    forEachFillCell(DoFixed, [&](int c, int r) { grid().SetCellEx(c, r, IntToStr(c) + u':' + IntToStr(r)); });
}

TStrings* TVidIvezadOrirTyped::DistinctValues(int ACol, bool CaseSensitive) {
    TVidIvezadOrir& g = grid();
    auto* Result = new TStringList;
    Result->SetSorted(true);
    Result->SetDuplicates(dupIgnore);
    TStringList Keys;
    const auto add = [&](const String& Value) {
        const String Key = CaseSensitive ? Value : AnsiUpperCase(Value);
        if (Keys.IndexOf(Key) >= 0) return;
        Keys.Add(Key);
        Result->Add(Value);
    };
    for (int r = g.FixedRows(); r <= g.RowCount() - g.FixedFooters() - 1; ++r) add(g.SaveCell(ACol, r));
    for (int j = 0; j < g.TotalRowCount(); ++j)
        if (g.IsHiddenRow(j)) add(Trim(g.GetCellsEx(ACol, j)));
    return Result;
}
