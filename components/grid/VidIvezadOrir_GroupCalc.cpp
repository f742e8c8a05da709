// TVidIvezadOrir group aggregates: the per-group calculations, the fixed footer row's
// calculations and the column aggregates both use.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/CellProperties.h"
#include "components/grid/model/GridAuxSettings.h"
#include "framework/rtl/StringList.h"

#include <cmath>

// ---------------------------------------------------------------------------------------------
// Per group

void TVidIvezadOrirGrouping::GroupCalc(int ACol, int Method) {
    TVidIvezadOrir& g = grid();
    const bool Summary = g.Grouping()->Summary();
    int Row = g.FixedRows();
    while (Row < g.RowCount()) {
        if (!g.IsNode(Row) || g.GetNodeState(Row)) {
            ++Row;
            continue;
        }
        const int Span = g.GetNodeSpan(Row);
        const int Next = Row + std::max(Span, 1);
        const int From = Row + 1, To = Next - 1;
        // The row after the span is written only when it is a summary row: it may be data.
        const int Result = Summary && g.IsSummary(Next) ? Next : Row;
        switch (Method) {
            case 1:
                g.SetFloats(ACol, Result, ColumnSum(ACol, From, To));
                break;
            case 2:
                g.SetFloats(ACol, Result, ColumnAvg(ACol, From, To));
                break;
            case 3:
                g.SetFloats(ACol, Result, ColumnMin(ACol, From, To));
                break;
            case 4:
                g.SetFloats(ACol, Result, ColumnMax(ACol, From, To));
                break;
            case 5:
                g.SetInts(ACol, Result, Span - 1);
                break;
            case 6:
                g.SetFloats(ACol, Result, DoGroupCalc(ACol, From, To));
                break;
            case 7:
                g.SetFloats(ACol, Result, ColumnDistinct(ACol, From, To));
                break;
            case 8:
                g.SetFloats(ACol, Result, ColumnStdDev(ACol, From, To));
                break;
            default:
                break;
        }
        Row = Next;
    }
}

void TVidIvezadOrirGrouping::setFooterCalc(int ACol, int Type) {
    TVidIvezadOrir& g = grid();
    if (!g.FloatingFooter()->Visible()) return;
    g.GetCellProperties(ACol, g.RowCount() - 1)->SetCalcType(static_cast<TColumnCalcType>(Type));
    CalcFooter(ACol);
}

void TVidIvezadOrirGrouping::GroupSum(int Colindex) {
    GroupCalc(Colindex, 1);
    setFooterCalc(Colindex, acSUM);
}

void TVidIvezadOrirGrouping::GroupAvg(int Colindex) {
    GroupCalc(Colindex, 2);
    setFooterCalc(Colindex, acAVG);
}

void TVidIvezadOrirGrouping::GroupMin(int Colindex) {
    GroupCalc(Colindex, 3);
    setFooterCalc(Colindex, acMIN);
}

void TVidIvezadOrirGrouping::GroupMax(int Colindex) {
    GroupCalc(Colindex, 4);
    setFooterCalc(Colindex, acMAX);
}

void TVidIvezadOrirGrouping::GroupCount(int ColIndex) {
    GroupCalc(ColIndex, 5);
    setFooterCalc(ColIndex, acCOUNT);
}

void TVidIvezadOrirGrouping::GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
void TVidIvezadOrirGrouping::GroupDistinct(int ColIndex) { GroupCalc(ColIndex, 7); }
void TVidIvezadOrirGrouping::GroupStdDev(int ColIndex) { GroupCalc(ColIndex, 8); }

double TVidIvezadOrirGrouping::DoGroupCalc(int ACol, int FromRow, int ToRow) {
    double Res = 0;
    if (OnGroupCalc) FireEvent(OnGroupCalc, &grid(), ACol, FromRow, ToRow, Res);
    return Res;
}

// ---------------------------------------------------------------------------------------------
// The fixed footer row

void TVidIvezadOrirGrouping::CalcFooter(int ACol) { CalcFloatingFooter(ACol); }

void TVidIvezadOrirGrouping::RecalcFooter() { CalcFooter(-1); }

void TVidIvezadOrirGrouping::CalcFloatingFooter(int ACol) {
    TVidIvezadOrir& g = grid();
    TFloatingFooter* F = g.FloatingFooter();
    if (!F->Visible() || F->FooterStyle() != fsFixedLastRow || !F->EnableCalculation()) return;
    const int Last = g.RowCount() - 1;
    const int Hidden = F->CalculateHiddenRows() ? g.NumHiddenRows() : 0;
    const int From = g.FixedRows(), To = g.RowCount() - 2 + Hidden;
    const int First = ACol == -1 ? 0 : ACol, End = ACol == -1 ? g.TotalColCount() - 1 : ACol;
    // The range ends below the shown rows only by the hidden ones: read it as real rows, else the
    // aggregates would take it as display rows and count the footer row itself.
    const TFlagScope RealRows(FFooterRealRows);
    FFooterRealRows = Hidden > 0;
    for (int c = First; c <= End; ++c) {
        if (!g.HasCellProperties(c, Last)) continue;
        switch (static_cast<TColumnCalcType>(g.GetCellProperties(c, Last)->CalcType() & 0x7F)) {
            case acSUM:
                g.SetFloats(c, Last, ColumnSum(c, From, To));
                break;
            case acAVG:
                g.SetFloats(c, Last, ColumnAvg(c, From, To));
                break;
            case acMIN:
                g.SetFloats(c, Last, ColumnMin(c, From, To));
                break;
            case acMAX:
                g.SetFloats(c, Last, ColumnMax(c, From, To));
                break;
            case acDISTINCT:
                g.SetFloats(c, Last, ColumnDistinct(c, From, To));
                break;
            case acSTDDEV:
                g.SetFloats(c, Last, ColumnStdDev(c, From, To));
                break;
            case acCOUNT:
                g.SetInts(c, Last, g.RowCount() - g.FixedRows() - 1 + Hidden);
                break;
            case acCUSTOM: {
                String Value;
                if (OnCalcFooter)
                    FireEvent(OnCalcFooter, &g, c, Last + Hidden, Value);
                else if (F->OnCalcFooter)
                    FireEvent(F->OnCalcFooter, &g, c, Last + Hidden, Value);
                g.SetCellEx(c, Last, Value);
                break;
            }
            default:  // acNONE, acSPREAD
                break;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Column aggregates

TVidIvezadOrirGrouping::TAggregateRange TVidIvezadOrirGrouping::aggregateRange(int FromRow, int ToRow) {
    TVidIvezadOrir& g = grid();
    TAggregateRange R;
    if (FromRow == -1 || ToRow == -1) {
        R.From = g.FixedRows();
        R.To = g.RowCount() - g.FixedFooters() - 1;
    } else {
        R.From = FromRow;
        R.To = ToRow;
    }
    R.Real = FFooterRealRows || (g.FloatingFooter()->Visible() ? R.To > g.RowCount() - 1 : R.To > g.RowCount());
    return R;
}

// Node and summary rows of a grouped grid are left out, and the covered cells of merged areas.
bool TVidIvezadOrirGrouping::countsRow(const TAggregateRange& R, int ACol, int Row) {
    TVidIvezadOrir& g = grid();
    if (R.Real && g.IsHiddenRow(Row)) return true;
    const int D = R.Real ? g.DisplRowIndex(Row) : Row;
    if (FGroupColumn != -1 && (g.IsNode(D) || g.IsSummary(D))) return false;
    if (!g.HasCellProperties(ACol, D)) return true;
    return g.GetCellProperties(ACol, D)->GetBaseCell(ACol, D) == Point(ACol, D);
}

double TVidIvezadOrirGrouping::readFloatOrRaise(const TAggregateRange& R, int ACol, int Row) {
    TVidIvezadOrir& g = grid();
    return R.Real ? g.GetAllFloats(ACol, Row) : g.GetFloats(ACol, Row);
}

bool TVidIvezadOrirGrouping::tryFloat(const TAggregateRange& R, int ACol, int Row, double& Value) {
    if (!countsRow(R, ACol, Row)) return false;
    try {
        Value = readFloatOrRaise(R, ACol, Row);
    } catch (const EZirOdadError&) {
        return false;  // no number: left out
    }
    return true;
}

double TVidIvezadOrirGrouping::ColumnSum(int ACol, int FromRow, int ToRow) {
    const TAggregateRange R = aggregateRange(FromRow, ToRow);
    double Sum = 0, V = 0;
    for (int r = R.From; r <= R.To; ++r)
        if (tryFloat(R, ACol, r, V)) Sum += V;
    return Sum;
}

double TVidIvezadOrirGrouping::ColumnAvg(int ACol, int FromRow, int ToRow) {
    const TAggregateRange R = aggregateRange(FromRow, ToRow);
    if (R.To < R.From) return 0;
    return ColumnSum(ACol, FromRow, ToRow) / (R.To - R.From + 1);
}

double TVidIvezadOrirGrouping::ColumnMin(int ACol, int FromRow, int ToRow) {
    const TAggregateRange R = aggregateRange(FromRow, ToRow);
    double Min = readFloatOrRaise(R, ACol, R.From), V = 0;
    for (int r = R.From; r <= R.To; ++r)
        if (tryFloat(R, ACol, r, V) && V < Min) Min = V;
    return Min;
}

double TVidIvezadOrirGrouping::ColumnMax(int ACol, int FromRow, int ToRow) {
    const TAggregateRange R = aggregateRange(FromRow, ToRow);
    double Max = readFloatOrRaise(R, ACol, R.From), V = 0;
    for (int r = R.From; r <= R.To; ++r)
        if (tryFloat(R, ACol, r, V) && V > Max) Max = V;
    return Max;
}

double TVidIvezadOrirGrouping::ColumnStdDev(int ACol, int FromRow, int ToRow) {
    const TAggregateRange R = aggregateRange(FromRow, ToRow);
    if (R.To < R.From) return 0;
    const double Avg = ColumnAvg(ACol, FromRow, ToRow);
    double Sum = 0;
    for (int r = R.From; r <= R.To; ++r) {
        const double X = readFloatOrRaise(R, ACol, r);
        Sum += (X - Avg) * (X - Avg);
    }
    return std::sqrt(Sum / (R.To - R.From + 1));
}

double TVidIvezadOrirGrouping::ColumnDistinct(int ACol, int FromRow, int ToRow) {
    TVidIvezadOrir& g = grid();
    const TAggregateRange R = aggregateRange(FromRow, ToRow);
    TStringList Values;
    Values.SetSorted(true);
    Values.SetDuplicates(dupIgnore);
    for (int r = R.From; r <= R.To; ++r) Values.Add(R.Real ? g.GetCellsEx(ACol, r) : g.GetCellEx(ACol, r));
    return Values.Count();
}
