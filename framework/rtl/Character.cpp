#include "framework/rtl/Character.h"

#include "framework/rtl/Exceptions.h"

namespace {

TUnicodeCategory fromQt(QChar::Category C) {
    switch (C) {
        case QChar::Mark_NonSpacing:
            return ucNonSpacingMark;
        case QChar::Mark_SpacingCombining:
            return ucCombiningMark;
        case QChar::Mark_Enclosing:
            return ucEnclosingMark;
        case QChar::Number_DecimalDigit:
            return ucDecimalNumber;
        case QChar::Number_Letter:
            return ucLetterNumber;
        case QChar::Number_Other:
            return ucOtherNumber;
        case QChar::Separator_Space:
            return ucSpaceSeparator;
        case QChar::Separator_Line:
            return ucLineSeparator;
        case QChar::Separator_Paragraph:
            return ucParagraphSeparator;
        case QChar::Other_Control:
            return ucControl;
        case QChar::Other_Format:
            return ucFormat;
        case QChar::Other_Surrogate:
            return ucSurrogate;
        case QChar::Other_PrivateUse:
            return ucPrivateUse;
        case QChar::Other_NotAssigned:
            return ucUnassigned;
        case QChar::Letter_Uppercase:
            return ucUppercaseLetter;
        case QChar::Letter_Lowercase:
            return ucLowercaseLetter;
        case QChar::Letter_Titlecase:
            return ucTitlecaseLetter;
        case QChar::Letter_Modifier:
            return ucModifierLetter;
        case QChar::Letter_Other:
            return ucOtherLetter;
        case QChar::Punctuation_Connector:
            return ucConnectPunctuation;
        case QChar::Punctuation_Dash:
            return ucDashPunctuation;
        case QChar::Punctuation_Open:
            return ucOpenPunctuation;
        case QChar::Punctuation_Close:
            return ucClosePunctuation;
        case QChar::Punctuation_InitialQuote:
            return ucInitialPunctuation;
        case QChar::Punctuation_FinalQuote:
            return ucFinalPunctuation;
        case QChar::Punctuation_Other:
            return ucOtherPunctuation;
        case QChar::Symbol_Math:
            return ucMathSymbol;
        case QChar::Symbol_Currency:
            return ucCurrencySymbol;
        case QChar::Symbol_Modifier:
            return ucModifierSymbol;
        case QChar::Symbol_Other:
            return ucOtherSymbol;
    }
    return ucUnassigned;
}

bool inCategories(Char C, std::initializer_list<TUnicodeCategory> Set) {
    const TUnicodeCategory Cat = GetUnicodeCategory(C);
    for (TUnicodeCategory M : Set)
        if (M == Cat) return true;
    return false;
}

String foldDigits(const String& S) {
    String R = S;
    for (QChar& C : R) {
        const int V = C.digitValue();
        if (V >= 0 && C.category() == QChar::Number_DecimalDigit) C = QChar(u'0' + V);
    }
    return R;
}

}  // namespace

TUnicodeCategory GetUnicodeCategory(Char C) { return fromQt(C.category()); }

TUnicodeCategory GetUnicodeCategory(const String& S, int Index) {
    if (Index < 1 || Index > S.size())
        throw EArgumentOutOfRangeException(QStringLiteral("Character index %1 out of range").arg(Index));
    const QChar C = S[Index - 1];
    if (C.isHighSurrogate() && Index < S.size() && S[Index].isLowSurrogate())
        return fromQt(QChar::category(QChar::surrogateToUcs4(C, S[Index])));
    return GetUnicodeCategory(C);
}

bool IsLetter(Char C) { return C.isLetter(); }
bool IsDigit(Char C) { return C.category() == QChar::Number_DecimalDigit; }
bool IsNumber(Char C) { return inCategories(C, {ucDecimalNumber, ucLetterNumber, ucOtherNumber}); }
bool IsLetterOrDigit(Char C) { return IsLetter(C) || IsDigit(C); }
bool IsUpper(Char C) { return C.category() == QChar::Letter_Uppercase; }
bool IsLower(Char C) { return C.category() == QChar::Letter_Lowercase; }
bool IsPunctuation(Char C) { return C.isPunct(); }
bool IsSymbol(Char C) { return C.isSymbol(); }
bool IsSeparator(Char C) { return inCategories(C, {ucSpaceSeparator, ucLineSeparator, ucParagraphSeparator}); }
bool IsControl(Char C) { return C.category() == QChar::Other_Control; }
bool IsWhiteSpace(Char C) {
    const char16_t U = C.unicode();
    return IsSeparator(C) || (U >= 0x09 && U <= 0x0D) || U == 0x85;
}

Char ToUpper(Char C) {
    const char32_t U = QChar::toUpper(char32_t(C.unicode()));
    return QChar::requiresSurrogates(U) ? C : QChar(static_cast<char16_t>(U));
}

Char ToLower(Char C) {
    const char32_t U = QChar::toLower(char32_t(C.unicode()));
    return QChar::requiresSurrogates(U) ? C : QChar(static_cast<char16_t>(U));
}

String FoldString(const String& S, DWORD MapFlags) {
    constexpr DWORD Known = MAP_FOLDCZONE | MAP_PRECOMPOSED | MAP_COMPOSITE | MAP_FOLDDIGITS;
    if (MapFlags == 0 || (MapFlags & ~Known) != 0)
        throw EArgumentException(QStringLiteral("Invalid flags for FoldString: $%1").arg(MapFlags, 0, 16));
    if ((MapFlags & MAP_COMPOSITE) && (MapFlags & MAP_PRECOMPOSED))
        throw EArgumentException(QStringLiteral("FoldString cannot both compose and decompose"));
    String R = (MapFlags & MAP_FOLDDIGITS) ? foldDigits(S) : S;
    const bool Compat = MapFlags & MAP_FOLDCZONE;
    if (MapFlags & MAP_COMPOSITE)
        R = R.normalized(Compat ? QString::NormalizationForm_KD : QString::NormalizationForm_D);
    else if (MapFlags & MAP_PRECOMPOSED)
        R = R.normalized(Compat ? QString::NormalizationForm_KC : QString::NormalizationForm_C);
    else if (Compat)
        R = R.normalized(QString::NormalizationForm_KC);
    return R;
}
