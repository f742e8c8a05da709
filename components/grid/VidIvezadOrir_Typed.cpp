// Typed cell access: numbers, dates and times in cell texts, cell images, control values,
// print widths and headers.
#include "components/graphics/AdvUtilExchange.h"
#include "components/graphics/AdvUtilText.h"
#include "components/graphics/AsgHTMLE.h"
#include "components/graphics/AsgHTMLE_Utils.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/StrUtils.h"

#include <cstdint>

namespace {

[[noreturn]] void noInteger() { throw EZirOdadError(QStringLiteral("Cell does not contain integer value")); }
[[noreturn]] void noFloat() { throw EZirOdadError(QStringLiteral("Cell does not contain a float value")); }

const TFormatSettings& pointSettings() {
    static const TFormatSettings Settings = TFormatSettings::Default();
    return Settings;
}

// A number text in the locale's separators read as an integer: thousands dropped, the decimal
// separator as a point, a fraction rounded halves to even.
int readInteger(String s) {
    s = Trim(s);
    if (s.isEmpty() || s == QLatin1String("-")) return 0;
    const TFormatSettings& FS = FormatSettings;
    if (s.contains(FS.DecimalSeparator) || s.contains(FS.ThousandSeparator)) {
        s.remove(FS.ThousandSeparator);
        s.replace(FS.DecimalSeparator, u'.');
        Extended Value = 0;
        if (!TryStrToFloat(s, Value, pointSettings()) || Value != Value || Value > 2147483647.5 ||
            Value < -2147483648.5)
            noInteger();
        return static_cast<int>(Round(Value));
    }
    int Value = 0;
    if (!TryStrToInt(s, Value)) noInteger();
    return Value;
}

// A text that starts as a number does (a digit, a sign or the decimal separator) and ends
// in a digit.
bool plainNumberShape(const String& Text, const TFormatSettings& FS) {
    const String T = Text.trimmed();
    if (T.isEmpty() || !(T.back() >= u'0' && T.back() <= u'9')) return false;
    const Char C = T.front();
    return (C >= u'0' && C <= u'9') || C == u'-' || C == u'+' || C == FS.DecimalSeparator;
}

double readFloat(const String& Text) {
    // Most cells hold a plain number in the locale's form: read it as it is.
    Extended Value = 0;
    if (plainNumberShape(Text, FormatSettings) && TryStrToFloat(Text, Value)) return static_cast<double>(Value);
    const String s = ExtractNumberText(Text);
    if (s == QLatin1String("-")) return 0;
    // Extraction drops every character of a text without a number ("abc"): only a blank cell
    // reads 0, any other such text is no number.
    if (s.isEmpty()) {
        if (Trim(Text).isEmpty()) return 0;
        noFloat();
    }
    if (!TryStrToFloat(s, Value, pointSettings())) noFloat();
    return static_cast<double>(Value);
}

}  // namespace

TVidIvezadOrir& TVidIvezadOrirTyped::grid() { return static_cast<TVidIvezadOrir&>(*this); }

void TVidIvezadOrirTyped::SetInts(int ACol, int ARow, int Value) {
    TVidIvezadOrir& g = grid();
    g.SetCellEx(ACol, ARow, IntToStr(Value));
    if (g.NumHiddenColumns() > 0) g.RepaintCell(g.RealToDisplCol(ACol), ARow);
}

int TVidIvezadOrirTyped::GetInts(int ACol, int ARow) { return readInteger(grid().GetStrippedCell(ACol, ARow)); }

void TVidIvezadOrirTyped::SetAllInts(int ACol, int ARow, int Value) { grid().SetCellsEx(ACol, ARow, IntToStr(Value)); }

int TVidIvezadOrirTyped::GetAllInts(int ACol, int ARow) {
    const String s = Trim(grid().GetCellsEx(ACol, ARow));
    if (s.isEmpty() || s == QLatin1String("-")) return 0;
    int Value = 0;
    if (!TryStrToInt(s, Value)) noInteger();
    return Value;
}

void TVidIvezadOrirTyped::SetFloats(int ACol, int ARow, double Value) {
    grid().SetCellEx(ACol, ARow, Format(grid().FloatFormat(), {Value}));
}

double TVidIvezadOrirTyped::GetFloats(int ACol, int ARow) {
    const String Text = grid().GetCellEx(ACol, ARow);
    return readFloat(Text.contains(u'<') ? AsgHTMLE::StripMarkupTags(Text) : Text);
}

void TVidIvezadOrirTyped::SetAllFloats(int ACol, int ARow, double Value) {
    grid().SetCellsEx(ACol, ARow, Format(grid().FloatFormat(), {Value}));
}

double TVidIvezadOrirTyped::GetAllFloats(int ACol, int ARow) { return readFloat(grid().GetCellsEx(ACol, ARow)); }

void TVidIvezadOrirTyped::SetDates(int ACol, int ARow, TDateTime Value) {
    if (Value <= 0 && !grid().ShowNullDates()) {
        grid().SetCellEx(ACol, ARow, String());
        return;
    }
    grid().SetCellEx(ACol, ARow, FormatDateTime(FormatSettings.ShortDateFormat, Value));
}

TDateTime TVidIvezadOrirTyped::GetDates(int ACol, int ARow) { return StrToDate(grid().GetCellEx(ACol, ARow)); }

void TVidIvezadOrirTyped::SetTimes(int ACol, int ARow, TDateTime Value) {
    grid().SetCellEx(ACol, ARow, FormatDateTime(FormatSettings.LongTimeFormat, Value));
}

TDateTime TVidIvezadOrirTyped::GetTimes(int ACol, int ARow) { return StrToTime(grid().GetCellEx(ACol, ARow)); }

void TVidIvezadOrirTyped::GetFloatFormat(int ACol, int ARow, String& Fmt) {
    Fmt = grid().FloatFormat();
    if (!OnGetFloatFormat) return;
    bool IsFloat = false;
    String Custom;
    FireEvent(OnGetFloatFormat, &grid(), ACol, ARow, IsFloat, Custom);
    if (IsFloat) Fmt = Custom;
}

void TVidIvezadOrirTyped::GetFilterCheckTrue(int, String& Value) { Value = grid().CheckTrue(); }
void TVidIvezadOrirTyped::GetFilterCheckFalse(int, String& Value) { Value = grid().CheckFalse(); }
TCustomImageList* TVidIvezadOrirTyped::GetCellImageList(int, int) { return grid().GridImages(); }

TIntList* TVidIvezadOrirTyped::GetCellImages(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctImages ? G->IntList() : nullptr;
}

int TVidIvezadOrirTyped::GetCellImageIdx(int ACol, int ARow) {
    const TCellGraphic* G = grid().GetCellGraphic(ACol, ARow);
    if (!G) return -1;
    const void* Held = nullptr;
    switch (G->CellType()) {
        case ctImageList:
            return G->CellIndex();
        case ctBitmap:
            Held = G->CellBitmap();
            break;
        case ctIcon:
            Held = G->CellIcon();
            break;
        default:
            return -1;
    }
    if (!Held) return 0;
    // A positive number of the object's own: an address cut to 31 bits could read as 0 or -1.
    const auto Address = reinterpret_cast<std::uintptr_t>(Held);
    const auto Folded = static_cast<std::uint32_t>((Address >> 4) ^ (Address >> 35)) & 0x7FFFFFFFu;
    return Folded ? static_cast<int>(Folded) : 1;
}

String TVidIvezadOrirTyped::GetCtrlVal(int ACol, int ARow, const String& ID) {
    String Value;
    AsgHTMLE::GetControlValue(grid().GetCellEx(ACol, ARow), ID, Value);
    return Value;
}

void TVidIvezadOrirTyped::SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value) {
    String Text = grid().GetCellEx(ACol, ARow);
    if (AsgHTMLE::SetControlValue(Text, ID, Value)) grid().SetCellEx(ACol, ARow, Text);
}

int TVidIvezadOrirTyped::GetPrintColWidth(int ACol) {
    if (ACol < 0 || ACol >= grid().TotalColCount())
        throw EZirOdadError(QStringLiteral("Columns is not in valid range"));
    return ACol < static_cast<int>(MaxWidths.size()) ? MaxWidths[ACol] : 0;
}

int TVidIvezadOrirTyped::GetPrintColOffset(int ACol) {
    if (ACol < 0 || ACol >= grid().TotalColCount())
        throw EZirOdadError(QStringLiteral("Columns is not in valid range"));
    return ACol < static_cast<int>(Indents.size()) ? Indents[ACol] : 0;
}

void TVidIvezadOrirTyped::SetLookupItems(TStrings* Value) {
    if (Value) grid().LookupItems()->Assign(Value);
}

void TVidIvezadOrirTyped::SetColumnHeaders(TStrings* Value) {
    grid().ColumnHeaders()->Assign(Value);
    if (grid().FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TVidIvezadOrirTyped::ClearColumnHeaders() {
    for (int c = 0; c < grid().ColCount(); ++c) grid().SetCellEx(c, 0, String());
}

void TVidIvezadOrirTyped::ShowColumnHeaders() {
    TVidIvezadOrir& g = grid();
    if (g.FixedRows() <= 0) return;
    const TStrings* Headers = g.ColumnHeaders();
    const int n = std::min(Headers->Count(), g.TotalColCount());
    for (int i = 0; i < n; ++i) g.SetCellEx(i, 0, UnescapeLineBreaks(Headers->Strings(i)));
}

void TVidIvezadOrirTyped::SetRowHeaders(TStrings* Value) {
    TVidIvezadOrir& g = grid();
    g.RowHeaders()->Assign(Value);
    if (g.ComponentState().Contains(csDesigning) || g.FixedCols() > 0) ClearRowHeaders();
    ShowRowHeaders();
}

void TVidIvezadOrirTyped::ClearRowHeaders() {
    for (int r = 0; r < grid().RowCount(); ++r) grid().SetCellEx(0, r, String());
}

void TVidIvezadOrirTyped::ShowRowHeaders() {
    TVidIvezadOrir& g = grid();
    if (g.FixedCols() <= 0) return;
    const TStrings* Headers = g.RowHeaders();
    const int n = std::min(Headers->Count(), g.RowCount());
    for (int i = 0; i < n; ++i) g.SetCellEx(0, i, UnescapeLineBreaks(Headers->Strings(i)));
}

void TVidIvezadOrirTyped::SetFixedFont(TFont* Value) {
    grid().FixedFont()->Assign(Value);
    grid().Invalidate();
}
