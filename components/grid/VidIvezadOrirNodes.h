// Tree nodes of TVidIvezadOrir: a node row carries a ctNode graphic in the node column
// (CellNode.NodeColumn) and covers a span of rows, its own row included; contracting it moves the
// rows of its span into the hidden-row store, expanding brings them back at their real places.
// Nesting is the node level kept in the node column's cell properties. TVidIvezadOrir inherits
// this class; its operations act on the grid they are part of.
//
// Rows are displayed rows unless the comment says real (counting hidden rows). Queries on a row
// without a node answer -1, 0 or false and change nothing.
#pragma once

#include "framework/rtl/Types.h"

class TVidIvezadOrir;
class TCellGraphic;

class TVidIvezadOrirNodes {
public:
    virtual ~TVidIvezadOrirNodes() = default;

    // ---- Making and removing nodes.
    // ARow real; a Span below 1 does nothing. Raises the node level of the span's rows.
    void AddNode(int ARow, int Span);
    // ARow real: expands the node first, then lowers the levels of its span.
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    // ARow real: marks the row as a summary row of a group.
    void MarkSummaryRow(int ARow);

    // ---- Reading and setting a node.
    // The contracted flag.
    bool GetNodeState(int ARow);
    // Contracts (true) or expands the node at ARow when its state differs.
    void SetNodeState(int ARow, bool Value);
    // The node column's level of a node row, -1 for other rows.
    int GetNodeLevel(int ARow);
    // The rows a node covers, its own row included; -1 for other rows.
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    // The nested node rows inside a node's span, kept by the callers that build trees.
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    // For the tree lines: 0 a node row, 2 when the next row goes on at this level or deeper,
    // 1 otherwise (the last row before the fixed footers too).
    int GetNodeSpanType(int ARow);
    // The node row ARow belongs to: the nearest lower-level node above whose span reaches it; a
    // top-level node row is its own parent; -1 for a row outside every node or without nodes.
    int GetParentRow(int ARow);

    // ---- Expanding and contracting.
    // ARow real. With CellNode.ExpandOne the other expanded nodes are contracted first, the
    // ancestors of ARow excepted (contracting them would hide the node being expanded).
    void ExpandNode(int ARow);
    // ARow real; nothing unless the node is contracted.
    void ExpandNodeRows(int ARow);
    // ARow real; nothing unless the node is expanded. A contracted node inside the span is
    // expanded and hidden with its children, so expanding this node later shows them all.
    void ContractNode(int ARow);
    // Every hidden row comes back (rows hidden by filtering too) and every node is expanded.
    void ExpandAll();
    // Every top-level node is contracted; nothing when no node is expanded. A node whose span
    // is below 1 reaches up to the next node row.
    void ContractAll();

    // ---- Mouse.
    // Whether x position X hits the node glyph of ARow (always with PreciseNodeClick off).
    bool IsOnNodeGlyph(int ARow, int X);

    // ---- Rows in trees.
    // ARow real: inserts a row into the span of the node at ARow (InsertAt 0 puts it under the
    // node row and moves the node row's content into it) or of ARow's parent, at
    // display row ARow + InsertAt; the spans and sub-node counts of the node and of its ancestors
    // grow by one.
    void InsertChildRow(int ARow, int InsertAt);
    // ARow real: removes a row from its node, shrinking the spans up the ancestors.
    void RemoveChildRow(int ARow);
    // ARow real: a row outside any node; hidden rows below it keep their real places.
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);

    // The text column 1 of a node row shows with Grouping.ShowGroupCount: its own text with the
    // count of plain rows of its span appended.
    void AppendGroupCount(int ACol, int ARow, String& Value);

private:
    TVidIvezadOrir& grid();
    TCellGraphic* nodeAt(int ARow);
    int nodeColumnLevel(int ARow);
    void changeLevels(int FromRow, int ToRow, int Delta);
    int nextNodeRow(int ARow);
    int spanEnd(int ARow, const TCellGraphic* Node);
    void setMergeCollaps(int ARow, bool Value);
    void restoreAllHiddenRows();
    void relayoutSearchFooter();
    void growAncestors(int Parent, int Level);
    void shiftHiddenRows(int After, int Delta);
};
