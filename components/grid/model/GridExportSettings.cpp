#include "components/grid/model/GridExportSettings.h"

// ---------------------------------------------------------------------------------------------
// TColumnSize

void TColumnSize::stretchChanged(bool AllColumns) {
    IColumnSizeOwner* Grid = nullptr;
    if (Supports<IColumnSizeOwner>(Owner, &Grid)) Grid->ColumnSizeStretchChanged(AllColumns);
}

void TColumnSize::SetStretch(bool Value) {
    FStretch = Value;
    stretchChanged(false);
}

void TColumnSize::SetStretchAll(bool Value) {
    if (Value == FStretchAll) return;
    if (Value) FStretchColumn = -1;
    FStretchAll = Value;
    stretchChanged(true);
}

void TColumnSize::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TColumnSize*>(Source);
    if (!S) return;
    FRows = S->FRows;
    FSave = S->FSave;
    FKey = S->FKey;
    FSection = S->FSection;
    FStretch = S->FStretch;
    FStretchColumn = S->FStretchColumn;
    FSynchWithGrid = S->FSynchWithGrid;
    FSynchNormalCellsOnly = S->FSynchNormalCellsOnly;
    FLocation = S->FLocation;
}

// ---------------------------------------------------------------------------------------------
// THTMLSettings

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(-1, -1)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<THTMLSettings*>(Source);
    if (!S) return;
    FAutoPreview = S->FAutoPreview;
    FConvertSpecialChars = S->FConvertSpecialChars;
    FNonBreakingText = S->FNonBreakingText;
    FSaveColor = S->FSaveColor;
    FSaveFonts = S->FSaveFonts;
    FFooterFile = S->FFooterFile;
    FHeaderFile = S->FHeaderFile;
    FBorderSize = S->FBorderSize;
    FCellSpacing = S->FCellSpacing;
    FCellPadding = S->FCellPadding;
    FTableStyle = S->FTableStyle;
    FPrefixTag = S->FPrefixTag;
    FSuffixTag = S->FSuffixTag;
    FSummary = S->FSummary;
    FHeaderText = S->FHeaderText;
    FFooterText = S->FFooterText;
    FWidth = S->FWidth;
    FXHTML = S->FXHTML;
    FImageBaseName = S->FImageBaseName;
    FImageFolder = S->FImageFolder;
}

// ---------------------------------------------------------------------------------------------
// TPrintSettings

TPrintSettings::TPrintSettings(TComponent* AOwner)
    : FFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>()),
      FFixedFont(std::make_unique<TFont>()) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TPrintSettings*>(Source);
    // A missing source is refused as clearly as a wrong one, rather than read through.
    if (!S) throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    FTime = S->FTime;
    FDate = S->FDate;
    FPageNr = S->FPageNr;
    FPageNumSep = S->FPageNumSep;
    FDateFormat = S->FDateFormat;
    FTitle = S->FTitle;
    FFont->Assign(S->FFont.get());
    FHeaderFont->Assign(S->FHeaderFont.get());
    FFooterFont->Assign(S->FFooterFont.get());
    FBorders = S->FBorders;
    FBorderStyle = S->FBorderStyle;
    FTitleText = S->FTitleText;
    FTitleLines->Assign(S->FTitleLines.get());
    FCentered = S->FCentered;
    FRepeatFixedRows = S->FRepeatFixedRows;
    FRepeatFixedCols = S->FRepeatFixedCols;
    FFooterSize = S->FFooterSize;
    FHeaderSize = S->FHeaderSize;
    FLeftSize = S->FLeftSize;
    FRightSize = S->FRightSize;
    FColumnSpacing = S->FColumnSpacing;
    FRowSpacing = S->FRowSpacing;
    FTitleSpacing = S->FTitleSpacing;
    FOrientation = S->FOrientation;
    FPagePrefix = S->FPagePrefix;
    FPageSuffix = S->FPageSuffix;
    FFixedHeight = S->FFixedHeight;
    FUseFixedHeight = S->FUseFixedHeight;
    FFixedWidth = S->FFixedWidth;
    FUseFixedWidth = S->FUseFixedWidth;
    FFitToPage = S->FFitToPage;
    FNoAutoSize = S->FNoAutoSize;
    FPrintGraphics = S->FPrintGraphics;
    FJobName = S->FJobName;
    FNoAutoSizeRow = S->FNoAutoSizeRow;
    FPageNumberOffset = S->FPageNumberOffset;
    FMaxPagesOffset = S->FMaxPagesOffset;
    FFixedFont->Assign(S->FFixedFont.get());
    FUseDisplayFont = S->FUseDisplayFont;
    FUseDefaultOrientation = S->FUseDefaultOrientation;
    FBorderColor = S->FBorderColor;
    FPrintComments = S->FPrintComments;
}
