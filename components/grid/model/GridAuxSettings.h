// The settings objects the grid creates, copies and frees besides those of the navigation,
// mouse, search, band, sync, column-size, HTML and print settings: background, sorting, in-cell
// control look, floating footer, grouping, drag and drop, balloons, modified rows, drag scrolling,
// progress look, filter drop-down and filter edit, automatic number colours, hover buttons, the
// focus frame, tree nodes, the filter conditions and the hidden-row store's items. Each holds the
// values the grid reads now; the painting, input, data and printing code that acts on them adds
// the rest. Every Assign copies from its own class only and fires nothing. No window.
#pragma once

#include "components/grid/model/GridTypes.h"
#include "framework/rtl/Collection.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Graphics.h"

#include <memory>

// The in-cell controls' drawing style; the control style set of the window layer has the same
// name, so this one lives in the unit's namespace.
namespace zirodad {
enum TControlStyle { csClassic, csFlat, csWinXP, csCorvex, csTessel, csGlyph, csTheme };
}  // namespace zirodad

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

class TBackGround : public TPersistent {
public:
    explicit TBackGround(TComponent* AOwner) {}
    int Top() const { return FTop; }
    void SetTop(int Value) { FTop = Value; }
    int Left() const { return FLeft; }
    void SetLeft(int Value) { FLeft = Value; }
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value) { FDisplay = Value; }
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells Value) { FCells = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    void Assign(TPersistent* Source) override;

private:
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBackGroundCells FCells = bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
};

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TComponent* AOwner) {}
    // -1: no sort column.
    int Column() const { return FColumn; }
    void SetColumn(int Value) { FColumn = Value; }
    bool Show() const { return FShow; }
    void SetShow(bool Value) { FShow = Value; }
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    bool AutoSortForGrouping() const { return FAutoSortForGrouping; }
    void SetAutoSortForGrouping(bool Value) { FAutoSortForGrouping = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    void Assign(TPersistent* Source) override;

private:
    int FColumn = -1;
    bool FShow = false;
    int FRow = 0;
    bool FAutoSortForGrouping = true;
    TColor FHeaderColor = clNone;
};

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TComponent* AOwner) {}
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int Value) { FCheckSize = Value; }
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value) { FRadioSize = Value; }
    bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
    void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
    bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
    void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
    zirodad::TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(zirodad::TControlStyle Value) { FControlStyle = Value; }
    // Combo and edit buttons, or spin buttons, drawn in every cell whose editor has them.
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value) { FDropDownAlwaysVisible = Value; }
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value) { FSpinButtonsAlwaysVisible = Value; }
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { FCommentColor = Value; }
    // Fixed-cell gradients by state: a write stores and repaints the grid (OnChange).
    TColor FixedGradientFrom() const { return FGradients.From; }
    void SetFixedGradientFrom(TColor Value) { setGradient(FGradients.From, Value); }
    TColor FixedGradientTo() const { return FGradients.To; }
    void SetFixedGradientTo(TColor Value) { setGradient(FGradients.To, Value); }
    TColor FixedGradientMirrorFrom() const { return FGradients.MirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value) { setGradient(FGradients.MirrorFrom, Value); }
    TColor FixedGradientMirrorTo() const { return FGradients.MirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value) { setGradient(FGradients.MirrorTo, Value); }
    TColor FixedGradientHoverFrom() const { return FGradients.HoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value) { setGradient(FGradients.HoverFrom, Value); }
    TColor FixedGradientHoverTo() const { return FGradients.HoverTo; }
    void SetFixedGradientHoverTo(TColor Value) { setGradient(FGradients.HoverTo, Value); }
    TColor FixedGradientHoverMirrorFrom() const { return FGradients.HoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value) { setGradient(FGradients.HoverMirrorFrom, Value); }
    TColor FixedGradientHoverMirrorTo() const { return FGradients.HoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value) { setGradient(FGradients.HoverMirrorTo, Value); }
    TColor FixedGradientDownFrom() const { return FGradients.DownFrom; }
    void SetFixedGradientDownFrom(TColor Value) { setGradient(FGradients.DownFrom, Value); }
    TColor FixedGradientDownTo() const { return FGradients.DownTo; }
    void SetFixedGradientDownTo(TColor Value) { setGradient(FGradients.DownTo, Value); }
    TColor FixedGradientDownMirrorFrom() const { return FGradients.DownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value) { setGradient(FGradients.DownMirrorFrom, Value); }
    TColor FixedGradientDownMirrorTo() const { return FGradients.DownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value) { setGradient(FGradients.DownMirrorTo, Value); }
    TNotifyEvent OnChange;
    void Assign(TPersistent* Source) override;

private:
    struct TFixedGradients {
        TColor From = clNone, To = clNone, MirrorFrom = clNone, MirrorTo = clNone;
        TColor HoverFrom = clGray, HoverTo = clWhite, HoverMirrorFrom = clNone, HoverMirrorTo = clNone;
        TColor DownFrom = clGray, DownTo = clSilver, DownMirrorFrom = clNone, DownMirrorTo = clNone;
    };
    TFixedGradients FGradients;
    int FCheckSize = 15;
    int FRadioSize = 10;
    bool FCheckAlwaysActive = false;
    bool FRadioAlwaysActive = false;
    zirodad::TControlStyle FControlStyle = zirodad::csTheme;
    TColor FCommentColor = clRed;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    void setGradient(TColor& Field, TColor Value);
};

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TComponent* AOwner) {}
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value) { FFooterStyle = Value; }
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    TCalcFooterEvent OnCalcFooter;

private:
    bool FVisible = false;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FEnableCalculation = true;
    bool FCalculateHiddenRows = true;
    int FHeight = 22;
};

// The look of group header and summary rows.
class TGrouping : public TPersistent {
public:
    explicit TGrouping(TComponent* AOwner) {}
    // A summary row after each group.
    bool Summary() const { return FSummary; }
    void SetSummary(bool Value) { FSummary = Value; }
    // Colours of header and summary rows; clNone: not applied.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    TColor HeaderTextColor() const { return FHeaderTextColor; }
    void SetHeaderTextColor(TColor Value) { FHeaderTextColor = Value; }
    TColor SummaryColor() const { return FSummaryColor; }
    void SetSummaryColor(TColor Value) { FSummaryColor = Value; }
    TColor SummaryColorTo() const { return FSummaryColorTo; }
    void SetSummaryColorTo(TColor Value) { FSummaryColorTo = Value; }
    TColor SummaryTextColor() const { return FSummaryTextColor; }
    void SetSummaryTextColor(TColor Value) { FSummaryTextColor = Value; }
    // A line under group header rows, and one on summary rows.
    bool HeaderUnderline() const { return FHeaderUnderline; }
    void SetHeaderUnderline(bool Value) { FHeaderUnderline = Value; }
    TColor HeaderLineColor() const { return FHeaderLineColor; }
    void SetHeaderLineColor(TColor Value) { FHeaderLineColor = Value; }
    int HeaderLineWidth() const { return FHeaderLineWidth; }
    void SetHeaderLineWidth(int Value) { FHeaderLineWidth = Value; }
    bool SummaryLine() const { return FSummaryLine; }
    void SetSummaryLine(bool Value) { FSummaryLine = Value; }
    TColor SummaryLineColor() const { return FSummaryLineColor; }
    void SetSummaryLineColor(TColor Value) { FSummaryLineColor = Value; }
    int SummaryLineWidth() const { return FSummaryLineWidth; }
    void SetSummaryLineWidth(int Value) { FSummaryLineWidth = Value; }
    // Group header and summary rows merged across the columns.
    bool MergeHeader() const { return FMergeHeader; }
    void SetMergeHeader(bool Value) { FMergeHeader = Value; }
    bool MergeSummary() const { return FMergeSummary; }
    void SetMergeSummary(bool Value) { FMergeSummary = Value; }
    // A node's check box checks its children, and the children's boxes set the node's.
    bool AutoCheckGroup() const { return FAutoCheckGroup; }
    void SetAutoCheckGroup(bool Value) { FAutoCheckGroup = Value; }
    // Column 1 of a node row shows its count of plain rows: " (n)", or through
    // GroupCountFormat (one integer argument) when that is set.
    bool ShowGroupCount() const { return FShowGroupCount; }
    void SetShowGroupCount(bool Value) { FShowGroupCount = Value; }
    const String& GroupCountFormat() const { return FGroupCountFormat; }
    void SetGroupCountFormat(const String& Value) { FGroupCountFormat = Value; }
    void Assign(TPersistent* Source) override;

private:
    bool FSummary = false;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderTextColor = clNone;
    TColor FSummaryColor = clNone;
    TColor FSummaryColorTo = clNone;
    TColor FSummaryTextColor = clNone;
    bool FHeaderUnderline = false;
    TColor FHeaderLineColor = clBlue;
    int FHeaderLineWidth = 2;
    bool FSummaryLine = false;
    TColor FSummaryLineColor = clBlue;
    int FSummaryLineWidth = 2;
    bool FMergeHeader = false;
    bool FMergeSummary = false;
    bool FAutoCheckGroup = false;
    bool FShowGroupCount = false;
    String FGroupCountFormat;
};

class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TComponent* AOwner) {}
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value) { FOleDropTarget = Value; }
    bool OleDropSource() const { return FOleDropSource; }
    void SetOleDropSource(bool Value) { FOleDropSource = Value; }
    bool OleAcceptFiles() const { return FOleAcceptFiles; }
    void SetOleAcceptFiles(bool Value) { FOleAcceptFiles = Value; }
    bool OleAcceptText() const { return FOleAcceptText; }
    void SetOleAcceptText(bool Value) { FOleAcceptText = Value; }
    bool OleAcceptURLs() const { return FOleAcceptURLs; }
    void SetOleAcceptURLs(bool Value) { FOleAcceptURLs = Value; }
    void Assign(TPersistent* Source) override;

private:
    bool FOleDropTarget = false;
    bool FOleDropSource = false;
    bool FOleAcceptFiles = true;
    bool FOleAcceptText = true;
    bool FOleAcceptURLs = true;
};

class TBalloonSettings : public TPersistent {
public:
    bool Enable() const { return FEnable; }
    // A change fires OnEnableChange.
    void SetEnable(bool Value);
    bool ShowCell() const { return FShowCell; }
    void SetShowCell(bool Value) { FShowCell = Value; }
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value) { FTextColor = Value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
    TNotifyEvent OnEnableChange;
    void Assign(TPersistent* Source) override;

private:
    bool FEnable = false;
    bool FShowCell = true;
    TColor FTextColor = clNone;
    TColor FBackgroundColor = clNone;
};

class TShowModified : public TPersistent {
public:
    // When on, edited rows are marked modified.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // A write fires OnChange.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TNotifyEvent OnChange;
    void Assign(TPersistent* Source) override;

private:
    bool FEnabled = false;
    TColor FColor = clYellow;
};

// Milliseconds before the first step and between the next ones.
class TDragScrollDelays : public TPersistent {
public:
    int InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(int Value) { FInitialDelay = Value; }
    int RepeatDelay() const { return FRepeatDelay; }
    void SetRepeatDelay(int Value) { FRepeatDelay = Value; }
    void Assign(TPersistent* Source) override;

private:
    int FInitialDelay = 1000;
    int FRepeatDelay = 250;
};

// Pixels from each edge in which a drag scrolls the grid.
class TDragScrollMargins : public TPersistent {
public:
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int Value) { FTopMargin = Value; }
    int BottomMargin() const { return FBottomMargin; }
    void SetBottomMargin(int Value) { FBottomMargin = Value; }
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value) { FLeftMargin = Value; }
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int Value) { FRightMargin = Value; }
    void Assign(TPersistent* Source) override;

private:
    int FTopMargin = 50;
    int FBottomMargin = 50;
    int FLeftMargin = 50;
    int FRightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
public:
    bool Active() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }
    void Assign(TPersistent* Source) override;

private:
    bool FActive = false;
    std::unique_ptr<TDragScrollDelays> FDelays = std::make_unique<TDragScrollDelays>();
    std::unique_ptr<TDragScrollMargins> FMargins = std::make_unique<TDragScrollMargins>();
};

class TGridProgressAppearance : public TPersistent {
public:
    TNotifyEvent OnChange;
    void Assign(TPersistent* Source) override;
};

class TFilterDropDown : public TPersistent {
public:
    explicit TFilterDropDown(TComponent* AOwner) {}
    const String& TextChecked() const { return FTextChecked; }
    void SetTextChecked(const String& Value) { FTextChecked = Value; }
    const String& TextUnChecked() const { return FTextUnChecked; }
    void SetTextUnChecked(const String& Value) { FTextUnChecked = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value) { FSorted = Value; }
    TNotifyEvent OnChange;
    void Assign(TPersistent* Source) override;

private:
    String FTextChecked;
    String FTextUnChecked;
    bool FCaseSensitive = false;
    bool FSorted = false;
};

class TFilterEdit : public TPersistent {
public:
    explicit TFilterEdit(TComponent* AOwner);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    TFilterDropDownColumns Columns() const { return FColumns; }
    void SetColumns(TFilterDropDownColumns Value) { FColumns = Value; }
    // The names of the filter types, in the order of the filter-type menu.
    TStrings* TypeNames() const { return FTypeNames.get(); }
    void Assign(TPersistent* Source) override;

private:
    bool FEnabled = false;
    int FRow = 0;
    TFilterDropDownColumns FColumns = fdNormal;
    std::unique_ptr<TStringList> FTypeNames;
};

class TColorSetting : public TPersistent {
public:
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value);
    TColor BkgColor() const { return FBkgColor; }
    void SetBkgColor(TColor Value);
    TNotifyEvent OnChange;
    void Assign(TPersistent* Source) override;

private:
    TColor FTextColor = clNone;
    TColor FBkgColor = clNone;
    void changed();
};

class TAutoColor : public TPersistent {
public:
    TAutoColor();
    ~TAutoColor() override;
    TColorSetting* NegativeNumber() const { return FNegativeNumber.get(); }
    void SetNegativeNumber(TColorSetting* Value) { FNegativeNumber->Assign(Value); }
    TColorSetting* PositiveNumber() const { return FPositiveNumber.get(); }
    void SetPositiveNumber(TColorSetting* Value) { FPositiveNumber->Assign(Value); }
    // Any of the four colours set.
    bool HasSettings() const;
    TNotifyEvent OnChange;
    void Assign(TPersistent* Source) override;

private:
    std::unique_ptr<TColorSetting> FNegativeNumber;
    std::unique_ptr<TColorSetting> FPositiveNumber;
};

class THoverButtons : public TPersistent {
public:
    explicit THoverButtons(TComponent* AOwner) : FOwner(AOwner) {}
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    int Column() const { return FColumn; }
    void SetColumn(int Value) { FColumn = Value; }
    bool MoveActiveRow() const { return FMoveActiveRow; }
    void SetMoveActiveRow(bool Value) { FMoveActiveRow = Value; }
    void Assign(TPersistent* Source) override;

protected:
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TComponent* FOwner;
    bool FEnabled = false;
    int FColumn = 0;
    bool FMoveActiveRow = true;
};

// The glowing frame around the edited cell.
class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TComponent* AOwner) {}
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    void Assign(TPersistent* Source) override;

private:
    bool FEnabled = false;
};

// The grid that owns a TCellNode: whether it has nodes (the node column is locked then) and the
// repaint after a change of the look.
class ICellNodeOwner : public IInterface {
public:
    virtual bool CellNodeOwnerHasNodes() = 0;
    virtual void CellNodeChanged() = 0;

protected:
    ~ICellNodeOwner() = default;
};

// The look and behaviour of all tree nodes of a grid.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TComponent* AOwner);
    ~TCellNode() override;
    TColor Color() const { return FColor; }  // the glyph's fill, default clSilver
    void SetColor(TColor Value) { FColor = Value; }
    // The glyph style; repaints.
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value);
    TColor NodeColor() const { return FNodeColor; }  // the glyph's frame, default clBlack
    void SetNodeColor(TColor Value) { FNodeColor = Value; }
    // Glyphs of cnGlyph nodes, copied in.
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(TBitmap* Value);
    // Expanding a node contracts every other expanded node.
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool Value) { FExpandOne = Value; }
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(TBitmap* Value);
    // Tree lines, over the full row height with ShowTreeFull; repaint.
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value);
    // Pixels per node level; repaints.
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value);
    TColor TreeColor() const { return FTreeColor; }  // default clGray; repaints
    void SetTreeColor(TColor Value);
    // The column of the glyphs and levels; raises "Cannot change node column when grid has
    // nodes" for another value while the grid has nodes.
    int NodeColumn() const { return FNodeColumn; }
    void SetNodeColumn(int Value);
    // Every field but the owner, without repainting or the node-column check.
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clSilver;
    TNodeType FNodeType = cnXP;
    TColor FNodeColor = clBlack;
    std::unique_ptr<TBitmap> FExpandGlyph;
    bool FExpandOne = false;
    std::unique_ptr<TBitmap> FContractGlyph;
    TComponent* FOwner = nullptr;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = clGray;
    int FNodeColumn = 0;

    ICellNodeOwner* owner() const;
    void changed();
};

// One filter condition on a real column.
class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Column() const { return FColumn; }
    void SetColumn(int Value) { FColumn = Value; }
    const String& Condition() const { return FCondition; }
    void SetCondition(const String& Value) { FCondition = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    const String& Suffix() const { return FSuffix; }
    void SetSuffix(const String& Value) { FSuffix = Value; }
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& Value) { FPrefix = Value; }
    const String& FriendlyName() const { return FFriendlyName; }
    void SetFriendlyName(const String& Value) { FFriendlyName = Value; }
    TFilterOperation Operation() const { return FOperation; }
    void SetOperation(TFilterOperation Value) { FOperation = Value; }
    TFilterCells Data() const { return FData; }
    void SetData(TFilterCells Value) { FData = Value; }
    TFilterMethod Method() const { return FMethod; }
    void SetMethod(TFilterMethod Value) { FMethod = Value; }
    TFilterType FilterType() const { return FFilterType; }
    void SetFilterType(TFilterType Value) { FFilterType = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool RemoveAccented() const { return FRemoveAccented; }
    void SetRemoveAccented(bool Value) { FRemoveAccented = Value; }
    // Copies neither Method, FilterType, Enabled nor FriendlyName.
    void Assign(TPersistent* Source) override;

private:
    int FColumn = 0;
    String FCondition;
    bool FCaseSensitive = true;
    String FSuffix;
    String FPrefix;
    String FFriendlyName;
    TFilterOperation FOperation = foSHORT;
    TFilterCells FData = fcVirtual;
    TFilterMethod FMethod = fmExpression;
    TFilterType FFilterType = ftStartsWith;
    bool FEnabled = true;
    bool FRemoveAccented = false;
};

class TFilter : public TCollection {
public:
    explicit TFilter(TComponent* AGrid);
    TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    // Whether the column has a filter condition.
    bool HasFilter(int ACol) const;

protected:
    TPersistent* GetOwner() const override { return FGrid; }

private:
    TComponent* FGrid;
};

// A hidden row in the hidden-row store: its index before it was hidden, height, node level and texts.
class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* ACollection);
    ~TGridItem() override;
    int Idx() const { return FIdx; }
    void SetIdx(int Value) { FIdx = Value; }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Level() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    // The row's cell texts; objects in it are not freed.
    TStringList* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }

private:
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = 0;
    std::unique_ptr<TStringList> FItems;
};
