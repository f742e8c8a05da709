// Four small settings objects the grid publishes and owns: TSizeWhileTyping (cells grow while
// typing), TColumnSize (stretching, synchronised widths and saved column sizes), THTMLSettings
// (the HTML export) and TPrintSettings (printing). They hold values; the grid's sizing, export
// and printing code acts on them. Plain data, no window.
#pragma once

#include "components/grid/model/GridLists.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Printers.h"

#include <memory>

// The panel's saved position has locations of the same names: the grid's live in the unit's
// namespace (grid sources add "using namespace zirodad;").
namespace zirodad {
enum TColumnSizeLocation { clRegistry, clIniFile };
}  // namespace zirodad

enum TAutoSizeRows { arAll, arNormal, arFixed };
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// ---------------------------------------------------------------------------------------------

// No Assign of its own: assigning one to another raises the platform's assign error.
class TSizeWhileTyping : public TPersistent {
public:
    bool Height() const { return FHeight; }
    void SetHeight(bool Value) { FHeight = Value; }
    bool Width() const { return FWidth; }
    void SetWidth(bool Value) { FWidth = Value; }

private:
    bool FHeight = false;
    bool FWidth = false;
};

// ---------------------------------------------------------------------------------------------

// The grid that owns a TColumnSize stretches its columns when Stretch or StretchAll change.
class IColumnSizeOwner : public IInterface {
public:
    // AllColumns: share the free width among every normal column; else stretch StretchColumn.
    virtual void ColumnSizeStretchChanged(bool AllColumns) = 0;

protected:
    ~IColumnSizeOwner() = default;
};

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TComponent* AOwner) : Owner(AOwner) {}

    // Widths are saved when the grid is freed and loaded when its window is made and after
    // loading; both need Key and Section and are skipped at design time.
    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    // The registry key path (clRegistry) or the INI file name (clIniFile).
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    // Each width is the integer value "Col" + column number in this section.
    const String& Section() const { return FSection; }
    void SetSection(const String& Value) { FSection = Value; }
    // Stores the value and stretches StretchColumn again.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    // -1: the last column.
    int StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(int Value) { FStretchColumn = Value; }
    // On a change: switching it on sets StretchColumn to -1; then all columns stretch again.
    bool StretchAll() const { return FStretchAll; }
    void SetStretchAll(bool Value);
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
    zirodad::TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(zirodad::TColumnSizeLocation Value) { FLocation = Value; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows Value) { FRows = Value; }

    // Copies everything but StretchAll from another TColumnSize, without the setters; any other
    // source is ignored.
    void Assign(TPersistent* Source) override;

private:
    TComponent* Owner;
    bool FSave = false;
    String FKey;
    String FSection;
    bool FStretch = false;
    int FStretchColumn = -1;
    bool FStretchAll = false;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    zirodad::TColumnSizeLocation FLocation = zirodad::clRegistry;
    TAutoSizeRows FRows = arAll;

    void stretchChanged(bool AllColumns);
};

// ---------------------------------------------------------------------------------------------

class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;

    bool AutoPreview() const { return FAutoPreview; }
    void SetAutoPreview(bool Value) { FAutoPreview = Value; }
    bool ConvertSpecialChars() const { return FConvertSpecialChars; }
    void SetConvertSpecialChars(bool Value) { FConvertSpecialChars = Value; }
    bool NonBreakingText() const { return FNonBreakingText; }
    void SetNonBreakingText(bool Value) { FNonBreakingText = Value; }
    bool SaveColor() const { return FSaveColor; }
    void SetSaveColor(bool Value) { FSaveColor = Value; }
    bool SaveFonts() const { return FSaveFonts; }
    void SetSaveFonts(bool Value) { FSaveFonts = Value; }
    const String& FooterFile() const { return FFooterFile; }
    void SetFooterFile(const String& Value) { FFooterFile = Value; }
    const String& HeaderFile() const { return FHeaderFile; }
    void SetHeaderFile(const String& Value) { FHeaderFile = Value; }
    int BorderSize() const { return FBorderSize; }
    void SetBorderSize(int Value) { FBorderSize = Value; }
    int CellSpacing() const { return FCellSpacing; }
    void SetCellSpacing(int Value) { FCellSpacing = Value; }
    int CellPadding() const { return FCellPadding; }
    void SetCellPadding(int Value) { FCellPadding = Value; }
    const String& TableStyle() const { return FTableStyle; }
    void SetTableStyle(const String& Value) { FTableStyle = Value; }
    const String& PrefixTag() const { return FPrefixTag; }
    void SetPrefixTag(const String& Value) { FPrefixTag = Value; }
    const String& SuffixTag() const { return FSuffixTag; }
    void SetSuffixTag(const String& Value) { FSuffixTag = Value; }
    const String& Summary() const { return FSummary; }
    void SetSummary(const String& Value) { FSummary = Value; }
    const String& HeaderText() const { return FHeaderText; }
    void SetHeaderText(const String& Value) { FHeaderText = Value; }
    const String& FooterText() const { return FFooterText; }
    void SetFooterText(const String& Value) { FFooterText = Value; }
    // The table width in percent.
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    TIntList* ColWidths() const { return FColWidths.get(); }
    bool XHTML() const { return FXHTML; }
    void SetXHTML(bool Value) { FXHTML = Value; }
    bool ExportImages() const { return FExportImages; }
    void SetExportImages(bool Value) { FExportImages = Value; }
    const String& ImageBaseName() const { return FImageBaseName; }
    void SetImageBaseName(const String& Value) { FImageBaseName = Value; }
    const String& ImageFolder() const { return FImageFolder; }
    void SetImageFolder(const String& Value) { FImageFolder = Value; }

    // Copies everything but ExportImages and the column widths from another THTMLSettings; any
    // other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    bool FAutoPreview = false;
    bool FConvertSpecialChars = false;
    bool FNonBreakingText = false;
    bool FSaveColor = true;
    bool FSaveFonts = true;
    String FFooterFile;
    String FHeaderFile;
    int FBorderSize = 1;
    int FCellSpacing = 0;
    int FCellPadding = 0;
    String FTableStyle;
    String FPrefixTag;
    String FSuffixTag;
    String FSummary;
    String FHeaderText;
    String FFooterText;
    int FWidth = 100;
    std::unique_ptr<TIntList> FColWidths;
    bool FXHTML = false;
    bool FExportImages = true;
    String FImageBaseName = QStringLiteral("img");
    String FImageFolder = QStringLiteral("images");
};

// ---------------------------------------------------------------------------------------------

class TPrintSettings : public TPersistent {
public:
    // The grid is passed but not kept.
    explicit TPrintSettings(TComponent* AOwner);
    ~TPrintSettings() override;

    TPrintPosition Time() const { return FTime; }
    void SetTime(TPrintPosition Value) { FTime = Value; }
    TPrintPosition Date() const { return FDate; }
    void SetDate(TPrintPosition Value) { FDate = Value; }
    TPrintPosition PageNr() const { return FPageNr; }
    void SetPageNr(TPrintPosition Value) { FPageNr = Value; }
    const String& PageNumSep() const { return FPageNumSep; }
    void SetPageNumSep(const String& Value) { FPageNumSep = Value; }
    const String& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const String& Value) { FDateFormat = Value; }
    TPrintPosition Title() const { return FTitle; }
    void SetTitle(TPrintPosition Value) { FTitle = Value; }
    // The fonts and the title lines are copied in.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }
    TPrintBorders Borders() const { return FBorders; }
    void SetBorders(TPrintBorders Value) { FBorders = Value; }
    TPenStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TPenStyle Value) { FBorderStyle = Value; }
    const String& TitleText() const { return FTitleText; }
    void SetTitleText(const String& Value) { FTitleText = Value; }
    TStrings* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }
    bool Centered() const { return FCentered; }
    void SetCentered(bool Value) { FCentered = Value; }
    bool RepeatFixedRows() const { return FRepeatFixedRows; }
    void SetRepeatFixedRows(bool Value) { FRepeatFixedRows = Value; }
    bool RepeatFixedCols() const { return FRepeatFixedCols; }
    void SetRepeatFixedCols(bool Value) { FRepeatFixedCols = Value; }
    int FooterSize() const { return FFooterSize; }
    void SetFooterSize(int Value) { FFooterSize = Value; }
    int HeaderSize() const { return FHeaderSize; }
    void SetHeaderSize(int Value) { FHeaderSize = Value; }
    int LeftSize() const { return FLeftSize; }
    void SetLeftSize(int Value) { FLeftSize = Value; }
    int RightSize() const { return FRightSize; }
    void SetRightSize(int Value) { FRightSize = Value; }
    int ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(int Value) { FColumnSpacing = Value; }
    int RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(int Value) { FRowSpacing = Value; }
    int TitleSpacing() const { return FTitleSpacing; }
    void SetTitleSpacing(int Value) { FTitleSpacing = Value; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }
    const String& PagePrefix() const { return FPagePrefix; }
    void SetPagePrefix(const String& Value) { FPagePrefix = Value; }
    const String& PageSuffix() const { return FPageSuffix; }
    void SetPageSuffix(const String& Value) { FPageSuffix = Value; }
    int FixedHeight() const { return FFixedHeight; }
    void SetFixedHeight(int Value) { FFixedHeight = Value; }
    bool UseFixedHeight() const { return FUseFixedHeight; }
    void SetUseFixedHeight(bool Value) { FUseFixedHeight = Value; }
    int FixedWidth() const { return FFixedWidth; }
    void SetFixedWidth(int Value) { FFixedWidth = Value; }
    bool UseFixedWidth() const { return FUseFixedWidth; }
    void SetUseFixedWidth(bool Value) { FUseFixedWidth = Value; }
    TFitToPage FitToPage() const { return FFitToPage; }
    void SetFitToPage(TFitToPage Value) { FFitToPage = Value; }
    bool NoAutoSize() const { return FNoAutoSize; }
    void SetNoAutoSize(bool Value) { FNoAutoSize = Value; }
    bool PrintGraphics() const { return FPrintGraphics; }
    void SetPrintGraphics(bool Value) { FPrintGraphics = Value; }
    const String& JobName() const { return FJobName; }
    void SetJobName(const String& Value) { FJobName = Value; }
    bool NoAutoSizeRow() const { return FNoAutoSizeRow; }
    void SetNoAutoSizeRow(bool Value) { FNoAutoSizeRow = Value; }
    int PageNumberOffset() const { return FPageNumberOffset; }
    void SetPageNumberOffset(int Value) { FPageNumberOffset = Value; }
    int MaxPagesOffset() const { return FMaxPagesOffset; }
    void SetMaxPagesOffset(int Value) { FMaxPagesOffset = Value; }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
    bool UseDisplayFont() const { return FUseDisplayFont; }
    void SetUseDisplayFont(bool Value) { FUseDisplayFont = Value; }
    bool UseDefaultOrientation() const { return FUseDefaultOrientation; }
    void SetUseDefaultOrientation(bool Value) { FUseDefaultOrientation = Value; }
    bool FixedCellsAlways() const { return FFixedCellsAlways; }
    void SetFixedCellsAlways(bool Value) { FFixedCellsAlways = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    bool PrintComments() const { return FPrintComments; }
    void SetPrintComments(bool Value) { FPrintComments = Value; }

    // Copies every field but FixedCellsAlways (fonts and title lines by value); a source that
    // is not a TPrintSettings (or none) raises EInvalidCast and changes nothing.
    void Assign(TPersistent* Source) override;

private:
    TPrintPosition FTime = ppNone;
    TPrintPosition FDate = ppNone;
    TPrintPosition FPageNr = ppNone;
    String FPageNumSep = QStringLiteral("/");
    String FDateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintPosition FTitle = ppNone;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
    TPrintBorders FBorders = pbSingle;
    TPenStyle FBorderStyle = psSolid;
    String FTitleText;
    std::unique_ptr<TStringList> FTitleLines;
    bool FCentered = true;
    bool FRepeatFixedRows = false;
    bool FRepeatFixedCols = false;
    int FFooterSize = 0;
    int FHeaderSize = 0;
    int FLeftSize = 0;
    int FRightSize = 0;
    int FColumnSpacing = 0;
    int FRowSpacing = 0;
    int FTitleSpacing = 0;
    TPrinterOrientation FOrientation = poPortrait;
    String FPagePrefix;
    String FPageSuffix;
    int FFixedHeight = 0;
    bool FUseFixedHeight = false;
    int FFixedWidth = 0;
    bool FUseFixedWidth = false;
    TFitToPage FFitToPage = fpNever;
    bool FNoAutoSize = false;
    bool FPrintGraphics = false;
    String FJobName;
    bool FNoAutoSizeRow = false;
    int FPageNumberOffset = 0;
    int FMaxPagesOffset = 0;
    std::unique_ptr<TFont> FFixedFont;
    bool FUseDisplayFont = true;
    bool FUseDefaultOrientation = false;
    bool FFixedCellsAlways = false;
    TColor FBorderColor = clBlack;
    bool FPrintComments = true;
};
