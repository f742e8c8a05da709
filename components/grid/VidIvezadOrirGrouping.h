// Grouping of TVidIvezadOrir: rows with equal values in a column gathered under inserted header
// rows that are tree nodes, the column taken out, an optional summary row after each group, a
// second level of sub-groups, aggregates written into the summary (or header) rows, and the
// fixed footer row's calculations with the column aggregates they share. TVidIvezadOrir inherits
// this class; its operations act on the grid they are part of.
//
// Layout after Group, per group: the header (a node whose span counts it and its data rows),
// the data rows, with Grouping.Summary a summary row. Sub-group headers are nodes one level down,
// their node graphic holding the sub-group column as its variant value (-1 for a top-level one).
#pragma once

#include "framework/rtl/Component.h"

#include <vector>

class TVidIvezadOrir;

using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;

class TVidIvezadOrirGrouping {
public:
    virtual ~TVidIvezadOrirGrouping() = default;

    TGroupCalcEvent OnGroupCalc;
    // The footer cell's custom calculation (ARow is the footer row, plus the hidden rows when
    // they are counted); FloatingFooter.OnCalcFooter is asked when this one is not assigned.
    std::function<void(TObject* Sender, int ACol, int ARow, String& Value)> OnCalcFooter;

    // The real column grouped on, -1 when not grouped. Writing -1 ungroups, a column above 0
    // groups on it, 0 does nothing.
    int GroupColumn() const { return FGroupColumn; }
    void SetGroupColumn(int Value);
    // Grouping a grouped grid ungroups it first; a fixed column or column 0, or a grid without
    // normal rows, does nothing. Pending events run once per scanned row, without user input.
    virtual void Group(int Colindex);
    // Sub-groups first, then the groups: every data row gets its group's value back in the
    // re-inserted column with its width, caption and footer text.
    virtual void UnGroup();
    // On a grouped grid: sub-groups on real column Colindex, headers shown in Colindex + 1.
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    // True while Group or UnGroup works.
    bool IsGrouping() const { return FIsGrouping; }

    // Per expanded top-level group: method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count,
    // 6 OnGroupCalc, 7 distinct values, 8 standard deviation of column ACol over its data rows,
    // into its summary row (or its header row without one). Contracted groups are skipped.
    void GroupCalc(int ACol, int Method);
    // The same, also setting the floating footer's calculation of the column where it has one.
    void GroupSum(int Colindex);
    void GroupAvg(int Colindex);
    void GroupMin(int Colindex);
    void GroupMax(int Colindex);
    void GroupCount(int ColIndex);
    void GroupCustomCalc(int Colindex);
    void GroupDistinct(int ColIndex);
    void GroupStdDev(int ColIndex);
    // Merges (splits) header rows with MergeHeader and summary rows with MergeSummary.
    void MergeGroupRows();
    void SplitGroupRows();

    // The fixed footer row's calculation of column ACol, or of all columns for -1.
    virtual void CalcFooter(int ACol);
    virtual void RecalcFooter();

    // Column aggregates over FromRow .. ToRow (-1: the normal rows): display rows, or real rows
    // with the hidden ones when ToRow lies beyond the shown rows. Node and summary rows of a
    // grouped grid and cells that hold no number are left out; Min, Max and StdDev raise
    // "Cell does not contain a float value" where their rules read such a cell.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    // Different displayed texts, compared without regard to case.
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    double DoGroupCalc(int ACol, int FromRow, int ToRow);
    // Splits every merged area that covers a cell of the row.
    void SplitRowCells(int RowIndex);
    // Sorts the normal rows by SortSettings; answered neutrally until the grid's sorting is built
    // (grouping then takes the rows in the order they have).
    virtual void QSort() {}

protected:
    virtual void CalcFloatingFooter(int ACol);
    int FGroupColumn = -1;

private:
    // What grouping on a column took away from it, so that ungrouping can give it back.
    struct TGroupedColumn {
        int Column = -1;
        int Width = 0;
        String Caption;
        String Footer;
    };

    String FGroupCaption;
    String FGroupFooter;
    int FGroupWidth = 0;
    bool FIsGrouping = false;
    // The footer's data rows are real rows while hidden rows are counted.
    bool FFooterRealRows = false;
    // The sub-group columns in the order they were made, kept apart from the top level's.
    std::vector<TGroupedColumn> FSubGroups;

    TVidIvezadOrir& grid();
    TGroupedColumn saveColumn(int Colindex, bool Displayed);
    void scanGroups(int Colindex, int& Row, int& Header);
    void insertSummaryRow(int Row, bool Converted);
    void colourRow(int Row, TColor Color, TColor ColorTo, TColor TextColor, bool Converted);
    void resetRowColours(int Row, TColor Color, TColor ColorTo);
    void mergeAndColourCell(int ACol, int Row, TColor Color, TColor ColorTo, TColor TextColor, bool Converted);
    void mergeAfterGrouping(int BottomRows);
    void removeGroupRow(int Row, bool Merged, TColor Color, TColor ColorTo);
    void setNodeColumn(int Row, int Colindex);
    int nodeColumnOf(int Row);
    void setFooterCalc(int ACol, int Type);
    // Column aggregates: the rows counted, by the aggregate's rules.
    struct TAggregateRange {
        int From = 0, To = -1;
        bool Real = false;
    };
    TAggregateRange aggregateRange(int FromRow, int ToRow);
    bool countsRow(const TAggregateRange& R, int ACol, int Row);
    bool tryFloat(const TAggregateRange& R, int ACol, int Row, double& Value);
    double readFloatOrRaise(const TAggregateRange& R, int ACol, int Row);
};
