// TVidIvezadOrir: whether one row passes the filter items. The loop that hides rejected rows
// calls it once per row, so it reads cells directly and builds nothing per item it can skip.
#include "components/graphics/AdvUtilExchange.h"
#include "components/graphics/AdvUtilFilter.h"
#include "components/graphics/AdvUtilText.h"
#include "components/graphics/AsgHTMLE_Utils.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "framework/rtl/StrUtils.h"

namespace {

const String kTwoQuotes = QStringLiteral("\"\"");

// Whether S holds First directly followed by Second ("</" of markup, "|\\" of wide text): a plain
// scan, as the filter asks it of every cell it tests.
bool containsPair(const String& S, char16_t First, char16_t Second) {
    const QChar* P = S.constData();
    for (qsizetype I = 0, N = S.size() - 1; I < N; ++I)
        if (P[I].unicode() == First && P[I + 1].unicode() == Second) return true;
    return false;
}

}  // namespace

void TVidIvezadOrir::GetCellValueText(int ACol, int ARow, String& Value) { Value = GetCellEx(ACol, ARow); }

// The text an item tests, before trimming. For fcRow also the separator that starts a cell.
static String filterValue(TVidIvezadOrir& G, const TFilterData* F, int ARow, String& StartSeparator) {
    const int C = F->Column();
    switch (F->Data()) {
        case fcVirtual: {
            String S = G.GetCellEx(C, ARow);
            if (containsPair(S, u'<', u'/')) S = AsgHTMLE::StripMarkupTags(S);
            if (!S.isEmpty()) return S;
            TSortStyle Style = ssAutomatic;
            String Prefix, Suffix;
            G.GetCellFormat(C, Style, Prefix, Suffix);
            if (Style != ssImages) return S;
            int Index = -1;
            return G.GetImageIdx(C, ARow, Index) ? IntToStr(Index) : QStringLiteral("-1");
        }
        case fcNormal:
            return G.GetGridCell(C, ARow);
        case fcStripHTML:
            return G.GetStrippedCell(C, ARow);
        case fcCalculated: {
            String S;
            G.GetCellValueText(C, ARow, S);
            return S;
        }
        case fcRow:
            break;
    }
    // The shown columns by their real index: a hidden column's text stays out of the row.
    String S;
    const bool Ignoring = G.IgnoreColumns()->Count() > 0;
    StartSeparator = Ignoring ? QStringLiteral(",") : QStringLiteral("\n");
    for (int D = 0; D < G.ColCount(); ++D) {
        const int Real = G.DisplToRealCol(D);
        if (Ignoring) {
            if (G.IsIgnoredColumn(Real)) continue;
            S += StartSeparator;
            S += G.GetGridCell(Real, ARow);
        } else {
            S += G.GetGridCell(Real, ARow);
            S += StartSeparator;
        }
    }
    return S;
}

static bool itemMatches(TVidIvezadOrir& G, const TFilterData* F, int ARow, bool NarrowDownFromStart) {
    String StartSeparator;
    String S = filterValue(G, F, ARow, StartSeparator);
    // Mostly there is nothing to trim: the text is kept rather than copied.
    if (!S.isEmpty() && (S.at(0).unicode() <= 0x20 || S.at(S.size() - 1).unicode() <= 0x20)) S = Trim(S);
    String Unaccented;
    if (F->RemoveAccented()) {
        S = RemoveDiacritics(S);
        Unaccented = RemoveDiacritics(F->Condition());
    }
    const String& C = F->RemoveAccented() ? Unaccented : F->Condition();
    if (containsPair(S, u'|', u'\\')) S = DecodeWideText(S);

    if (F->Data() == fcRow) {
        const String US = UpperCase(S), UC = UpperCase(C);
        if (!NarrowDownFromStart) return Pos(UC, US) > 0;
        return Pos(UC, US) == 1 || Pos(StartSeparator + UC, US) > 0;
    }
    if (!F->Prefix().isEmpty() && S.startsWith(F->Prefix())) S.remove(0, F->Prefix().size());
    if (!F->Suffix().isEmpty() && S.endsWith(F->Suffix())) S.chop(F->Suffix().size());
    if (C.isEmpty()) return true;
    if (F->Method() == fmExpression) return MatchFilterCondition(C, S, F->CaseSensitive());
    return C == kTwoQuotes ? S.isEmpty() : S == C;
}

bool TVidIvezadOrir::MatchFilter(int ARow) {
    bool Result = true;
    for (int I = 0; I < FFilter->Count(); ++I) {
        const TFilterData* F = FFilter->Items(I);
        if (!F->Enabled()) continue;
        bool Match = false;
        // An item that cannot be evaluated (a failing condition or display-text hook) does not
        // match; the items after it still count.
        try {
            Match = itemMatches(*this, F, ARow, NarrowDownFromStart());
        } catch (const Exception&) {
            Match = false;
        }
        if (F->Operation() == foSHORT) {
            Result = Match;
            if (!Match) break;
        } else if (F->Operation() == foNONE) {
            Result = Match;
        } else if (F->Operation() == foAND) {
            Result = Result && Match;
        } else if (F->Operation() == foXOR) {
            Result = Result != Match;
        } else {
            Result = Result || Match;
        }
    }
    if (OnCustomFilter) {
        const TCustomFilterEvent Handler = OnCustomFilter;
        Handler(this, ARow, Result);
    }
    return Result;
}
