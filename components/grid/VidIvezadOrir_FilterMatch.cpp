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

// Whether no step before the evaluator would change S: not empty (an image column reads its
// index), no blank or control character at either end, no "</" and no "|\\". One scan.
bool testedAsIs(const String& S) {
    const auto* P = reinterpret_cast<const char16_t*>(S.constData());
    const qsizetype N = S.size();
    if (N == 0 || P[0] <= 0x20 || P[N - 1] <= 0x20) return false;
    for (qsizetype I = 0; I < N - 1; ++I)
        if ((P[I] == u'<' && P[I + 1] == u'/') || (P[I] == u'|' && P[I + 1] == u'\\')) return false;
    return true;
}

// The common item: a condition expression on the text itself, nothing removed from it.
bool evaluatesTextAsIs(const TFilterData* F) {
    return F->Method() == fmExpression && !F->RemoveAccented() && F->Prefix().isEmpty() && F->Suffix().isEmpty() &&
           !F->Condition().isEmpty();
}

}  // namespace

void TVidIvezadOrir::GetCellValueText(int ACol, int ARow, String& Value) { Value = GetCellEx(ACol, ARow); }

const String& TVidIvezadOrir::filterValue(const TFilterData* F, int ARow, String& Buffer, String& StartSeparator) {
    const int C = F->Column();
    switch (F->Data()) {
        case fcVirtual: {
            // Mostly a plain cell: its stored text is read in place, not copied.
            if (const String* Plain = plainDisplText(C, ARow);
                Plain && !Plain->isEmpty() && !containsPair(*Plain, u'<', u'/'))
                return *Plain;
            Buffer = GetCellEx(C, ARow);
            if (containsPair(Buffer, u'<', u'/')) Buffer = AsgHTMLE::StripMarkupTags(Buffer);
            if (!Buffer.isEmpty()) return Buffer;
            TSortStyle Style = ssAutomatic;
            String Prefix, Suffix;
            GetCellFormat(C, Style, Prefix, Suffix);
            if (Style != ssImages) return Buffer;
            int Index = -1;
            Buffer = GetImageIdx(C, ARow, Index) ? IntToStr(Index) : QStringLiteral("-1");
            return Buffer;
        }
        case fcNormal:
            return GetGridCell(C, ARow);
        case fcStripHTML:
            Buffer = GetStrippedCell(C, ARow);
            return Buffer;
        case fcCalculated:
            GetCellValueText(C, ARow, Buffer);
            return Buffer;
        case fcRow:
            break;
    }
    // The shown columns by their real index: a hidden column's text stays out of the row.
    const bool Ignoring = IgnoreColumns()->Count() > 0;
    StartSeparator = Ignoring ? QStringLiteral(",") : QStringLiteral("\n");
    for (int D = 0; D < ColCount(); ++D) {
        const int Real = DisplToRealCol(D);
        if (Ignoring) {
            if (IsIgnoredColumn(Real)) continue;
            Buffer += StartSeparator;
            Buffer += GetGridCell(Real, ARow);
        } else {
            Buffer += GetGridCell(Real, ARow);
            Buffer += StartSeparator;
        }
    }
    return Buffer;
}

// Value is the item's text (it may be Buffer itself); a step that changes it works in Buffer.
static bool itemMatches(const TFilterData* F, const String& Value, String& Buffer, const String& StartSeparator,
                        bool NarrowDownFromStart) {
    const String* S = &Value;
    const auto Own = [&]() -> String& {
        if (S != &Buffer) {
            Buffer = *S;
            S = &Buffer;
        }
        return Buffer;
    };
    // Mostly there is nothing to trim: the text is kept rather than copied.
    if (!S->isEmpty() && (S->front().unicode() <= 0x20 || S->back().unicode() <= 0x20)) Own() = Trim(*S);
    String Unaccented;
    if (F->RemoveAccented()) {
        Own() = RemoveDiacritics(*S);
        Unaccented = RemoveDiacritics(F->Condition());
    }
    const String& C = F->RemoveAccented() ? Unaccented : F->Condition();
    if (containsPair(*S, u'|', u'\\')) Own() = DecodeWideText(*S);

    if (F->Data() == fcRow) {
        const String US = UpperCase(*S), UC = UpperCase(C);
        if (!NarrowDownFromStart) return Pos(UC, US) > 0;
        return Pos(UC, US) == 1 || Pos(StartSeparator + UC, US) > 0;
    }
    if (!F->Prefix().isEmpty() && S->startsWith(F->Prefix())) Own().remove(0, F->Prefix().size());
    if (!F->Suffix().isEmpty() && S->endsWith(F->Suffix())) Own().chop(F->Suffix().size());
    if (C.isEmpty()) return true;
    if (F->Method() == fmExpression) return MatchFilterCondition(C, *S, F->CaseSensitive());
    return C == kTwoQuotes ? S->isEmpty() : *S == C;
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
            // Mostly the item tests a plain cell's stored text as it is: straight to the
            // evaluator, with the same answer the steps below give.
            const String* Plain = nullptr;
            if (evaluatesTextAsIs(F)) {
                if (F->Data() == fcVirtual)
                    Plain = plainDisplText(F->Column(), ARow);
                else if (F->Data() == fcNormal)
                    Plain = &GetGridCell(F->Column(), ARow);
                if (Plain && !testedAsIs(*Plain)) Plain = nullptr;
            }
            if (Plain) {
                Match = MatchFilterCondition(F->Condition(), *Plain, F->CaseSensitive());
            } else {
                String Buffer, StartSeparator;
                const String& Value = filterValue(F, ARow, Buffer, StartSeparator);
                Match = itemMatches(F, Value, Buffer, StartSeparator, NarrowDownFromStart());
            }
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
