#include "components/dropdowns/AdvDropDownText.h"

#include "components/controls/AdvEdit.h"

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/StrUtils.h"

namespace {

bool isDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool isHexLetter(Char C) { return (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f'); }

}  // namespace

int ClassifyNumber(const String& S) {
    if (S.isEmpty()) return 2;
    const Char DS = FormatSettings.DecimalSeparator;
    const Char TS = FormatSettings.ThousandSeparator;
    bool IntValid = true, FloatValid = true, HexValid = true;
    int Minus = 0, Decimals = 0, LastTS = 0;
    for (int I = 1; I <= S.size(); ++I) {
        const Char C = S[I - 1];
        if (C != u'-' && !isDigit(C)) IntValid = false;
        // The locale's separators count as well as "," and ".", so a formatted value (a
        // no-break space grouping thousands) still reads as a number.
        if (C != u',' && C != u'-' && C != u'.' && C != DS && C != TS && !isDigit(C)) FloatValid = false;
        if (C == TS) {
            if (LastTS == 0 ? I < 2 : I - LastTS < 3) FloatValid = false;
            LastTS = I;
        }
        if (C != u'-' && !isDigit(C) && !isHexLetter(C)) HexValid = false;
        if (C == u'-') ++Minus;
        if (C == DS) ++Decimals;
    }
    int Result = 2;
    if (HexValid && !IntValid) Result = 5;
    if (IntValid)
        Result = 0;
    else if (FloatValid)
        Result = 1;
    if (Minus > 1 || Decimals > 1) Result = 2;
    return Result;
}

String RemoveThousandSeparators(const String& S) {
    String Result = S;
    Result.remove(FormatSettings.ThousandSeparator);
    return Result;
}

int HexToInt(const String& S) { return HexTextToInt(S); }

bool IsRangeSeparator(Char C) { return C == u',' || C == u'-' || C == u';'; }

String ApplyMatchCase(const String& Text, bool MatchCase) { return MatchCase ? Text : AnsiUpperCase(Text); }
