#include "framework/rtl/FormatSettings.h"

#include <QLocale>

namespace {

constexpr const char16_t* kEnglishMonths[12] = {u"January",   u"February", u"March",    u"April",
                                                u"May",       u"June",     u"July",     u"August",
                                                u"September", u"October",  u"November", u"December"};
constexpr const char16_t* kEnglishDays[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                             u"Thursday", u"Friday", u"Saturday"};

bool isSpace(QChar C) { return C.isSpace() || C == QChar(0x00A0) || C == QChar(0x202F); }

// The first character that separates the fields of a Qt pattern (quoted text skipped).
QChar separatorOf(const QString& Pattern, QChar Fallback) {
    bool Quoted = false;
    for (QChar C : Pattern) {
        if (C == u'\'')
            Quoted = !Quoted;
        else if (!Quoted && !C.isLetter())
            return isSpace(C) ? QChar(u' ') : C;
    }
    return Fallback;
}

// Translates a Qt date or time pattern into FormatDateTime's codes. Each occurrence of Sep
// becomes Placeholder ("/" or ":"), which FormatDateTime turns back into the separator.
QString translatePicture(const QString& Pattern, QChar Sep, QChar Placeholder) {
    QString Out;
    auto literal = [&Out](QChar C) {
        if (C == u'\'')
            Out += QStringLiteral("\"'\"");
        else if (C.isLetter() || C == u'/' || C == u':' || C == u'"')
            Out += u'\'' + QString(C) + u'\'';
        else
            Out += C;
    };
    const qsizetype N = Pattern.size();
    for (qsizetype I = 0; I < N;) {
        const QChar C = Pattern[I];
        if (C == u'\'') {
            qsizetype J = I + 1;
            if (J < N && Pattern[J] == u'\'') {
                literal(C);
                I = J + 1;
                continue;
            }
            for (; J < N; ++J) {
                if (Pattern[J] != u'\'')
                    literal(Pattern[J]);
                else if (J + 1 < N && Pattern[J + 1] == u'\'')
                    literal(Pattern[J++]);
                else
                    break;
            }
            I = J + 1;
            continue;
        }
        if (!(C.isLetter() && C.unicode() < 128)) {
            if (C == Sep)
                Out += Placeholder;
            else
                literal(isSpace(C) ? QChar(u' ') : C);
            ++I;
            continue;
        }
        qsizetype Run = 1;
        while (I + Run < N && Pattern[I + Run] == C) ++Run;
        const int Len = static_cast<int>(Run);
        switch (C.unicode()) {
            case u'd':
                Out += QString(std::min(Len, 4), u'd');
                break;
            case u'M':
            case u'L':
                Out += QString(std::min(Len, 4), u'm');
                break;
            case u'y':
                Out += Len <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
                break;
            case u'h':
            case u'H':
                Out += QString(std::min(Len, 2), u'h');
                break;
            case u'm':
                Out += QString(std::min(Len, 2), u'n');
                break;
            case u's':
                Out += QString(std::min(Len, 2), u's');
                break;
            case u'z':
                Out += Len >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
                break;
            case u'a':
            case u'A':
                Out += QStringLiteral("ampm");
                while (I + Run < N && (Pattern[I + Run] == u'p' || Pattern[I + Run] == u'P')) ++Run;
                break;
            case u't':
                break;  // time zone: the platform's pictures have none
            default:
                for (int K = 0; K < Len; ++K) literal(C);
        }
        I += Run;
    }
    return Out.trimmed();
}

// Which layout of the table a Qt currency text follows; Fallback when none matches.
Byte layoutOf(const QString& Text, const QString& Symbol, const QString& Number, const char16_t* const* Layouts,
              int Count, Byte Fallback) {
    QString Shape = Text;
    for (QChar& C : Shape) {
        if (isSpace(C))
            C = u' ';
        else if (C == QChar(0x2212))
            C = u'-';  // some locales write a true minus sign
    }
    if (!Symbol.isEmpty()) Shape.replace(Symbol, QStringLiteral("$"));
    Shape.replace(Number, QStringLiteral("1"));
    for (int I = 0; I < Count; ++I)
        if (Shape == QString::fromUtf16(Layouts[I])) return static_cast<Byte>(I);
    return Fallback;
}

TFormatSettings fromLocale(const QLocale& L) {
    TFormatSettings F;
    const QString Dec = L.decimalPoint();
    const QString Group = L.groupSeparator();
    F.DecimalSeparator = Dec.isEmpty() ? QChar(u'.') : Dec[0];
    F.ThousandSeparator = Group.isEmpty() ? QChar(u',') : (isSpace(Group[0]) ? QChar(0x00A0) : Group[0]);
    F.ListSeparator = F.DecimalSeparator == u',' ? QChar(u';') : QChar(u',');

    const QString ShortDate = L.dateFormat(QLocale::ShortFormat);
    const QString LongDate = L.dateFormat(QLocale::LongFormat);
    const QString ShortTime = L.timeFormat(QLocale::ShortFormat);
    const QString LongTime = L.timeFormat(QLocale::LongFormat);
    F.DateSeparator = separatorOf(ShortDate, u'/');
    F.TimeSeparator = separatorOf(ShortTime, u':');
    F.ShortDateFormat = translatePicture(ShortDate, F.DateSeparator, u'/');
    F.LongDateFormat = translatePicture(LongDate, QChar(), u'/');
    F.ShortTimeFormat = translatePicture(ShortTime, F.TimeSeparator, u':');
    F.LongTimeFormat = translatePicture(LongTime, F.TimeSeparator, u':');
    F.TimeAMString = L.amText();
    F.TimePMString = L.pmText();

    for (int M = 1; M <= 12; ++M) {
        F.ShortMonthNames[M] = L.monthName(M, QLocale::ShortFormat);
        F.LongMonthNames[M] = L.monthName(M, QLocale::LongFormat);
    }
    // Qt counts days from Monday = 1, the platform from Sunday = 1.
    for (int D = 1; D <= 7; ++D) {
        const int QtDay = D == 1 ? 7 : D - 1;
        F.ShortDayNames[D] = L.dayName(QtDay, QLocale::ShortFormat);
        F.LongDayNames[D] = L.dayName(QtDay, QLocale::LongFormat);
    }

    F.CurrencyString = L.currencySymbol(QLocale::CurrencySymbol);
    const QString One = L.toString(1.0, 'f', 2);
    F.CurrencyDecimals = 2;
    F.CurrencyFormat = layoutOf(L.toCurrencyString(1.0), F.CurrencyString, One, kCurrencyLayouts, 4, 0);
    F.NegCurrFormat = layoutOf(L.toCurrencyString(-1.0), F.CurrencyString, One, kNegCurrencyLayouts, 16, 1);
    return F;
}

}  // namespace

TFormatSettings TFormatSettings::Default() {
    TFormatSettings F;
    F.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    F.LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    F.ShortTimeFormat = QStringLiteral("hh:nn");
    F.LongTimeFormat = QStringLiteral("hh:nn:ss");
    F.TimeAMString = QStringLiteral("AM");
    F.TimePMString = QStringLiteral("PM");
    F.CurrencyString = QStringLiteral("$");
    F.CurrencyFormat = 0;
    F.NegCurrFormat = 1;
    for (int M = 1; M <= 12; ++M) {
        F.LongMonthNames[M] = QString::fromUtf16(kEnglishMonths[M - 1]);
        F.ShortMonthNames[M] = F.LongMonthNames[M].left(3);
    }
    for (int D = 1; D <= 7; ++D) {
        F.LongDayNames[D] = QString::fromUtf16(kEnglishDays[D - 1]);
        F.ShortDayNames[D] = F.LongDayNames[D].left(3);
    }
    return F;
}

TFormatSettings TFormatSettings::Create() { return fromLocale(QLocale::system()); }

TFormatSettings TFormatSettings::Create(const String& LocaleName) { return fromLocale(QLocale(LocaleName)); }

TFormatSettings FormatSettings = TFormatSettings::Create();

FormatSettingsScope::FormatSettingsScope() : FSaved(FormatSettings) {}

FormatSettingsScope::FormatSettingsScope(const TFormatSettings& Settings) : FSaved(FormatSettings) {
    FormatSettings = Settings;
}

FormatSettingsScope::~FormatSettingsScope() { FormatSettings = FSaved; }
