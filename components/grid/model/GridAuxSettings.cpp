#include "components/grid/model/GridAuxSettings.h"

#include "components/grid/model/GridEvents.h"

void TBackGround::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TBackGround*>(Source);
    if (!S) return;
    FTop = S->FTop;
    FLeft = S->FLeft;
    FDisplay = S->FDisplay;
    FCells = S->FCells;
    FColor = S->FColor;
    FColorTo = S->FColorTo;
}

void TSortSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TSortSettings*>(Source);
    if (!S) return;
    FColumn = S->FColumn;
    FShow = S->FShow;
    FRow = S->FRow;
    FAutoSortForGrouping = S->FAutoSortForGrouping;
    FHeaderColor = S->FHeaderColor;
}

void TControlLook::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TControlLook*>(Source);
    if (!S) return;
    FCheckSize = S->FCheckSize;
    FRadioSize = S->FRadioSize;
    FCheckAlwaysActive = S->FCheckAlwaysActive;
    FRadioAlwaysActive = S->FRadioAlwaysActive;
    FControlStyle = S->FControlStyle;
    FCommentColor = S->FCommentColor;
    FDropDownAlwaysVisible = S->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = S->FSpinButtonsAlwaysVisible;
    FGradients = S->FGradients;
}

void TControlLook::setGradient(TColor& Field, TColor Value) {
    Field = Value;
    if (OnChange) OnChange(this);
}

void TGrouping::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TGrouping*>(Source);
    if (!S) return;
    FSummary = S->FSummary;
    FHeaderColor = S->FHeaderColor;
    FHeaderColorTo = S->FHeaderColorTo;
    FHeaderTextColor = S->FHeaderTextColor;
    FSummaryColor = S->FSummaryColor;
    FSummaryColorTo = S->FSummaryColorTo;
    FSummaryTextColor = S->FSummaryTextColor;
    FHeaderUnderline = S->FHeaderUnderline;
    FHeaderLineColor = S->FHeaderLineColor;
    FHeaderLineWidth = S->FHeaderLineWidth;
    FSummaryLine = S->FSummaryLine;
    FSummaryLineColor = S->FSummaryLineColor;
    FSummaryLineWidth = S->FSummaryLineWidth;
    FMergeHeader = S->FMergeHeader;
    FMergeSummary = S->FMergeSummary;
    FAutoCheckGroup = S->FAutoCheckGroup;
    FShowGroupCount = S->FShowGroupCount;
    FGroupCountFormat = S->FGroupCountFormat;
}

void TDragDropSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDragDropSettings*>(Source);
    if (!S) return;
    FOleDropTarget = S->FOleDropTarget;
    FOleDropSource = S->FOleDropSource;
    FOleAcceptFiles = S->FOleAcceptFiles;
    FOleAcceptText = S->FOleAcceptText;
    FOleAcceptURLs = S->FOleAcceptURLs;
}

void TBalloonSettings::SetEnable(bool Value) {
    if (Value == FEnable) return;
    FEnable = Value;
    FireNotify(OnEnableChange, this);
}

void TBalloonSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TBalloonSettings*>(Source);
    if (!S) return;
    FEnable = S->FEnable;
    FShowCell = S->FShowCell;
    FTextColor = S->FTextColor;
    FBackgroundColor = S->FBackgroundColor;
}

void TShowModified::SetColor(TColor Value) {
    FColor = Value;
    FireNotify(OnChange, this);
}

void TShowModified::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TShowModified*>(Source);
    if (!S) return;
    FEnabled = S->FEnabled;
    FColor = S->FColor;
}

void TDragScrollDelays::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDragScrollDelays*>(Source);
    if (!S) return;
    FInitialDelay = S->FInitialDelay;
    FRepeatDelay = S->FRepeatDelay;
}

void TDragScrollMargins::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDragScrollMargins*>(Source);
    if (!S) return;
    FTopMargin = S->FTopMargin;
    FBottomMargin = S->FBottomMargin;
    FLeftMargin = S->FLeftMargin;
    FRightMargin = S->FRightMargin;
}

void TDragScrollOptions::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TDragScrollOptions*>(Source);
    if (!S) return;
    FMargins->Assign(S->FMargins.get());
    FDelays->Assign(S->FDelays.get());
    FActive = S->FActive;
}

void TGridProgressAppearance::Assign(TPersistent* Source) {
    if (dynamic_cast<TGridProgressAppearance*>(Source)) FireNotify(OnChange, this);
}

void TFilterDropDown::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TFilterDropDown*>(Source);
    if (!S) return;
    FTextChecked = S->FTextChecked;
    FTextUnChecked = S->FTextUnChecked;
    FCaseSensitive = S->FCaseSensitive;
    FSorted = S->FSorted;
}

TFilterEdit::TFilterEdit(TComponent* AOwner) : FTypeNames(std::make_unique<TStringList>()) {
    for (const char* Name : {"Starts with", "Ends with", "Contains", "Not contains", "Equal", "Not equal",
                             "Larger than", "Smaller than", "Clear"})
        FTypeNames->Add(QString::fromLatin1(Name));
}

void TFilterEdit::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TFilterEdit*>(Source);
    if (!S) return;
    FEnabled = S->FEnabled;
    FRow = S->FRow;
    FColumns = S->FColumns;
    FTypeNames->Assign(S->FTypeNames.get());
}

void TColorSetting::changed() { FireNotify(OnChange, this); }

void TColorSetting::SetTextColor(TColor Value) {
    if (Value == FTextColor) return;
    FTextColor = Value;
    changed();
}

void TColorSetting::SetBkgColor(TColor Value) {
    if (Value == FBkgColor) return;
    FBkgColor = Value;
    changed();
}

void TColorSetting::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TColorSetting*>(Source);
    if (!S) return;
    FTextColor = S->FTextColor;
    FBkgColor = S->FBkgColor;
}

TAutoColor::TAutoColor()
    : FNegativeNumber(std::make_unique<TColorSetting>()), FPositiveNumber(std::make_unique<TColorSetting>()) {
    FNegativeNumber->OnChange = [this](TObject*) { FireNotify(OnChange, this); };
    FPositiveNumber->OnChange = [this](TObject*) { FireNotify(OnChange, this); };
}

TAutoColor::~TAutoColor() = default;

bool TAutoColor::HasSettings() const {
    return FNegativeNumber->TextColor() != clNone || FNegativeNumber->BkgColor() != clNone ||
           FPositiveNumber->TextColor() != clNone || FPositiveNumber->BkgColor() != clNone;
}

void TAutoColor::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TAutoColor*>(Source);
    if (!S) return;
    FNegativeNumber->Assign(S->FNegativeNumber.get());
    FPositiveNumber->Assign(S->FPositiveNumber.get());
}

void THoverButtons::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<THoverButtons*>(Source);
    if (!S) return;
    FEnabled = S->FEnabled;
    FColumn = S->FColumn;
    FMoveActiveRow = S->FMoveActiveRow;
}

void TFocusHelper::Assign(TPersistent* Source) {
    if (auto* S = dynamic_cast<TFocusHelper*>(Source)) FEnabled = S->FEnabled;
}

TCellNode::TCellNode(TComponent* AOwner)
    : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()), FOwner(AOwner) {}

TCellNode::~TCellNode() = default;

ICellNodeOwner* TCellNode::owner() const {
    ICellNodeOwner* Grid = nullptr;
    return Supports<ICellNodeOwner>(FOwner, &Grid) ? Grid : nullptr;
}

void TCellNode::changed() {
    if (ICellNodeOwner* Grid = owner()) Grid->CellNodeChanged();
}

void TCellNode::SetNodeType(TNodeType Value) {
    if (Value == FNodeType) return;
    FNodeType = Value;
    changed();
}

void TCellNode::SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); }
void TCellNode::SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); }

void TCellNode::SetShowTree(bool Value) {
    if (Value == FShowTree) return;
    FShowTree = Value;
    changed();
}

void TCellNode::SetShowTreeFull(bool Value) {
    if (Value == FShowTreeFull) return;
    FShowTreeFull = Value;
    changed();
}

void TCellNode::SetNodeIndent(int Value) {
    if (Value == FNodeIndent) return;
    FNodeIndent = Value;
    changed();
}

void TCellNode::SetTreeColor(TColor Value) {
    if (Value == FTreeColor) return;
    FTreeColor = Value;
    changed();
}

void TCellNode::SetNodeColumn(int Value) {
    if (Value == FNodeColumn) return;
    ICellNodeOwner* Grid = owner();
    if (Grid && Grid->CellNodeOwnerHasNodes())
        throw Exception(QStringLiteral("Cannot change node column when grid has nodes"));
    FNodeColumn = Value;
}

void TCellNode::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TCellNode*>(Source);
    if (!S) return;
    FColor = S->FColor;
    FNodeType = S->FNodeType;
    FNodeColor = S->FNodeColor;
    FExpandGlyph->Assign(S->FExpandGlyph.get());
    FExpandOne = S->FExpandOne;
    FContractGlyph->Assign(S->FContractGlyph.get());
    FShowTree = S->FShowTree;
    FShowTreeFull = S->FShowTreeFull;
    FNodeIndent = S->FNodeIndent;
    FTreeColor = S->FTreeColor;
    FNodeColumn = S->FNodeColumn;
}

void TFilterData::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TFilterData*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FColumn = S->FColumn;
    FCondition = S->FCondition;
    FCaseSensitive = S->FCaseSensitive;
    FData = S->FData;
    FPrefix = S->FPrefix;
    FSuffix = S->FSuffix;
    FOperation = S->FOperation;
    FRemoveAccented = S->FRemoveAccented;
}

TFilter::TFilter(TComponent* AGrid) : TCollection(CollectionItemClass<TFilterData>()), FGrid(AGrid) {}

bool TFilter::HasFilter(int ACol) const {
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->Column() == ACol) return true;
    return false;
}

TGridItem::TGridItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FItems(std::make_unique<TStringList>()) {}

TGridItem::~TGridItem() = default;
