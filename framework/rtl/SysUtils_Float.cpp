// Floating-point numbers to text and back: FloatToStr, FloatToStrF, FormatFloat, StrToFloat.
#include "framework/rtl/SysUtils.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <locale.h>  // strtold_l: reads numbers the same under any process locale

namespace {

// A value as 0.Digits x 10^Exponent, rounded; Digits has no trailing zeros and is empty for zero.
struct TDecimal {
    bool Negative = false;
    int Exponent = 0;
    std::string Digits;
    bool IsZero() const { return Digits.empty(); }
};

// Keeps Keep digits, rounding half away from zero on the decimal expansion.
void roundDecimal(TDecimal& R, int Keep) {
    if (Keep < 0) Keep = -1;
    if (Keep < static_cast<int>(R.Digits.size())) {
        const bool Up = Keep >= 0 && R.Digits[Keep] >= '5';
        R.Digits.resize(std::max(Keep, 0));
        if (Up) {
            int I = Keep - 1;
            while (I >= 0 && R.Digits[I] == '9') R.Digits[I--] = '0';
            if (I < 0) {
                R.Digits.insert(R.Digits.begin(), '1');
                ++R.Exponent;
            } else {
                ++R.Digits[I];
            }
        }
    }
    while (!R.Digits.empty() && R.Digits.back() == '0') R.Digits.pop_back();
    if (R.Digits.empty()) R.Exponent = 0;
}

// The value's 18 significant digits, rounded to Precision significant digits and to Decimals
// digits after the point, whichever keeps fewer.
TDecimal toDecimal(Extended V, int Precision, int Decimals) {
    TDecimal R;
    R.Negative = std::signbit(V);
    V = std::fabs(V);
    if (V == 0) return R;
    char Buf[64];
    const auto Res = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::scientific, 17);
    const std::string Text(Buf, Res.ptr);  // d.ddddddddddddddddde+XX
    const auto E = Text.find('e');
    R.Digits = Text.substr(0, 1) + Text.substr(2, E - 2);
    R.Exponent = std::atoi(Text.c_str() + E + 1) + 1;
    roundDecimal(R, std::min(Precision, R.Exponent + Decimals));
    return R;
}

String latin(const std::string& S) { return String::fromLatin1(S.data(), static_cast<qsizetype>(S.size())); }

// Digits before the point ("" when the value is below 1).
std::string intDigits(const TDecimal& R) {
    if (R.Exponent <= 0) return {};
    std::string S = R.Digits.substr(0, R.Exponent);
    S.resize(R.Exponent, '0');
    return S;
}

// Count digits after the point, zero-filled.
std::string fracDigits(const TDecimal& R, int Count) {
    std::string S;
    for (int I = 0; I < Count; ++I) {
        const int At = R.Exponent + I;
        S += At >= 0 && At < static_cast<int>(R.Digits.size()) ? R.Digits[At] : '0';
    }
    return S;
}

String groupThousands(const std::string& Digits, Char Sep) {
    String S;
    const int N = static_cast<int>(Digits.size());
    for (int I = 0; I < N; ++I) {
        S += QChar(Digits[I]);
        if (I < N - 1 && (N - 1 - I) % 3 == 0) S += Sep;
    }
    return S;
}

String exponentText(int E, bool AlwaysSign, int MinDigits) {
    String S = E < 0 ? QStringLiteral("-") : (AlwaysSign ? QStringLiteral("+") : String());
    return S + String::number(std::abs(E)).rightJustified(MinDigits, u'0');
}

String withSign(const TDecimal& R, const String& Body) { return R.Negative && !R.IsZero() ? u'-' + Body : Body; }

String generalText(Extended V, int Precision, int ExpDigits, const TFormatSettings& FS) {
    const TDecimal R = toDecimal(V, Precision, 9999);
    if (R.IsZero()) return QStringLiteral("0");
    String Body;
    if (R.Exponent > Precision || R.Exponent < -3) {
        Body = QChar(R.Digits[0]);
        if (R.Digits.size() > 1) Body += FS.DecimalSeparator + latin(R.Digits.substr(1));
        Body += u'E' + exponentText(R.Exponent - 1, false, ExpDigits);
    } else {
        const std::string Int = intDigits(R);
        const int FracCount = static_cast<int>(R.Digits.size()) - R.Exponent;
        Body = Int.empty() ? QStringLiteral("0") : latin(Int);
        if (FracCount > 0) Body += FS.DecimalSeparator + latin(fracDigits(R, FracCount));
    }
    return withSign(R, Body);
}

String exponentFormText(Extended V, int Precision, int ExpDigits, const TFormatSettings& FS) {
    const TDecimal R = toDecimal(V, Precision, 9999);
    std::string D = R.Digits;
    D.resize(Precision, '0');
    String Body = QChar(D[0]);
    if (Precision > 1) Body += FS.DecimalSeparator + latin(D.substr(1));
    Body += u'E' + exponentText(R.IsZero() ? 0 : R.Exponent - 1, true, ExpDigits);
    return withSign(R, Body);
}

String fixedText(Extended V, int Precision, int Decimals, bool Thousands, const TFormatSettings& FS) {
    const TDecimal R = toDecimal(V, Precision, Decimals);
    if (R.Exponent > Precision) return exponentFormText(V, Precision, 0, FS);
    const std::string Int = intDigits(R);
    String Body =
        Int.empty() ? QStringLiteral("0") : (Thousands ? groupThousands(Int, FS.ThousandSeparator) : latin(Int));
    if (Decimals > 0) Body += FS.DecimalSeparator + latin(fracDigits(R, Decimals));
    return withSign(R, Body);
}

String currencyText(Extended V, int Precision, int Decimals, const TFormatSettings& FS) {
    const TDecimal R = toDecimal(V, Precision, Decimals);
    const String Number = fixedText(std::fabs(V), Precision, Decimals, true, FS);
    const char16_t* Layout = R.Negative && !R.IsZero() ? kNegCurrencyLayouts[std::min<int>(FS.NegCurrFormat, 15)]
                                                       : kCurrencyLayouts[std::min<int>(FS.CurrencyFormat, 3)];
    String S;
    for (const char16_t* P = Layout; *P; ++P) {
        if (*P == u'$')
            S += FS.CurrencyString;
        else if (*P == u'1')
            S += Number;
        else
            S += QChar(*P);
    }
    return S;
}

bool nonFiniteText(Extended V, String& Text) {
    if (std::isnan(V))
        Text = QStringLiteral("NAN");
    else if (std::isinf(V))
        Text = V < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    else
        return false;
    return true;
}

}  // namespace

String FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& FS) {
    String NonFinite;
    if (nonFiniteText(Value, NonFinite)) return NonFinite;
    Precision = std::clamp(Precision, 1, 18);
    switch (Format) {
        case ffGeneral:
            return generalText(Value, Precision, std::clamp(Digits, 0, 4), FS);
        case ffExponent:
            return exponentFormText(Value, Precision, std::clamp(Digits, 0, 4), FS);
        case ffFixed:
            return fixedText(Value, Precision, std::clamp(Digits, 0, 18), false, FS);
        case ffNumber:
            return fixedText(Value, Precision, std::clamp(Digits, 0, 18), true, FS);
        case ffCurrency:
            return currencyText(Value, Precision, std::clamp(Digits, 0, 18), FS);
    }
    return generalText(Value, Precision, 0, FS);
}

String FloatToStr(Extended Value, const TFormatSettings& FS) { return FloatToStrF(Value, ffGeneral, 15, 0, FS); }

namespace {

// What one section of a FormatFloat picture asks for.
struct TPicture {
    int IntPlaces = 0;   // "0" and "#" before the point
    int FirstZero = -1;  // index among those of the first "0": digits from there on always show
    int FracPlaces = 0;  // "0" and "#" after the point
    int FracZeros = 0;   // fraction places up to the last "0"
    bool Thousands = false;
    bool Scientific = false;
    int ExpDigits = 0;
};

bool isQuote(QChar C) { return C == u'"' || C == u'\''; }

bool isExponentAt(const String& S, qsizetype I) {
    return (S[I] == u'E' || S[I] == u'e') && I + 1 < S.size() && (S[I + 1] == u'+' || S[I + 1] == u'-');
}

std::vector<String> splitSections(const String& Format) {
    std::vector<String> Sections(1);
    QChar Quote;
    for (QChar C : Format) {
        if (!Quote.isNull()) {
            if (C == Quote) Quote = QChar();
        } else if (isQuote(C)) {
            Quote = C;
        } else if (C == u';') {
            Sections.emplace_back();
            continue;
        }
        Sections.back() += C;
    }
    return Sections;
}

TPicture analysePicture(const String& S) {
    TPicture P;
    bool AfterPoint = false;
    for (qsizetype I = 0; I < S.size(); ++I) {
        const QChar C = S[I];
        if (isQuote(C)) {
            const qsizetype End = S.indexOf(C, I + 1);
            I = End < 0 ? S.size() : End;
        } else if (C == u'0' || C == u'#') {
            if (AfterPoint) {
                ++P.FracPlaces;
                if (C == u'0') P.FracZeros = P.FracPlaces;
            } else {
                if (C == u'0' && P.FirstZero < 0) P.FirstZero = P.IntPlaces;
                ++P.IntPlaces;
            }
        } else if (C == u'.') {
            AfterPoint = true;
        } else if (C == u',') {
            P.Thousands = true;
        } else if (isExponentAt(S, I)) {
            P.Scientific = true;
            I += 2;
            while (I < S.size() && S[I] == u'0') ++P.ExpDigits, ++I;
            P.ExpDigits = std::min(P.ExpDigits, 4);
            break;  // placeholders after the exponent belong to it
        }
    }
    return P;
}

TDecimal roundForPicture(Extended V, const TPicture& P) {
    if (P.Scientific) return toDecimal(V, std::max(P.IntPlaces + P.FracPlaces, 1), 9999);
    return toDecimal(V, 18, P.FracPlaces);
}

// Walks the picture, putting digits at the placeholders and copying everything else.
String renderPicture(const String& S, const TPicture& P, const TDecimal& R, const TFormatSettings& FS) {
    std::string Int, Frac;
    int Exponent = 0;
    if (P.Scientific) {
        if (!R.IsZero()) {
            std::string D = R.Digits;
            D.resize(P.IntPlaces + P.FracPlaces, '0');
            Int = D.substr(0, P.IntPlaces);
            Frac = D.substr(P.IntPlaces);
            Exponent = R.Exponent - P.IntPlaces;
            Int.erase(0, std::min(Int.find_first_not_of('0'), Int.size()));
        } else {
            Frac.assign(P.FracPlaces, '0');
        }
    } else {
        Int = intDigits(R);
        Frac = fracDigits(R, P.FracPlaces);
    }
    while (static_cast<int>(Frac.size()) > P.FracZeros && Frac.back() == '0') Frac.pop_back();
    const int MinInt = P.FirstZero < 0 ? 0 : P.IntPlaces - P.FirstZero;
    if (static_cast<int>(Int.size()) < MinInt) Int.insert(0, MinInt - Int.size(), '0');

    const int IntLen = static_cast<int>(Int.size());
    String Out;
    auto emitInt = [&](int J) {
        Out += QChar(Int[J]);
        if (P.Thousands && J < IntLen - 1 && (IntLen - 1 - J) % 3 == 0) Out += FS.ThousandSeparator;
    };
    int IntLeft = P.IntPlaces;  // integer placeholders not yet reached
    int FracAt = 0;
    bool AfterPoint = false;
    for (qsizetype I = 0; I < S.size(); ++I) {
        const QChar C = S[I];
        if (isQuote(C)) {
            const qsizetype End = S.indexOf(C, I + 1);
            Out += S.mid(I + 1, (End < 0 ? S.size() : End) - I - 1);
            I = End < 0 ? S.size() : End;
        } else if ((C == u'0' || C == u'#') && !AfterPoint) {
            // The first placeholder takes every digit the picture has no room for.
            if (IntLeft == P.IntPlaces)
                for (int J = 0; J < IntLen - P.IntPlaces; ++J) emitInt(J);
            const int J = IntLen - IntLeft--;
            if (J >= 0) emitInt(J);
        } else if (C == u'0' || C == u'#') {
            if (FracAt < static_cast<int>(Frac.size())) Out += QChar(Frac[FracAt]);
            ++FracAt;
        } else if (C == u'.' && !AfterPoint) {
            AfterPoint = true;
            if (P.IntPlaces == 0)
                for (int J = 0; J < IntLen; ++J) emitInt(J);
            if (!Frac.empty()) Out += FS.DecimalSeparator;
        } else if (C == u',') {
            // Only switches grouping on.
        } else if (P.Scientific && isExponentAt(S, I)) {
            Out += C;
            Out += exponentText(Exponent, S[I + 1] == u'+', std::max(P.ExpDigits, 1));
            I += 2;
            while (I < S.size() && S[I] == u'0') ++I;
            --I;
            AfterPoint = true;
        } else {
            Out += C;
        }
    }
    return Out;
}

// Parses the platform's float syntax into a locale-independent C string for strtold.
bool parseFloat(const String& S, Extended& Out, Char DecimalSeparator) {
    qsizetype I = 0, N = S.size();
    while (I < N && S[I].unicode() <= 0x20) ++I;
    while (N > I && S[N - 1].unicode() <= 0x20) --N;
    std::string A;
    if (I < N && (S[I] == u'-' || S[I] == u'+')) {
        if (S[I] == u'-') A += '-';
        ++I;
    }
    const String Word = S.mid(I, N - I).toUpper();
    if (Word == QLatin1String("INF") || Word == QLatin1String("INFINITY")) {
        Out = A.empty() ? HUGE_VALL : -HUGE_VALL;
        return true;
    }
    if (Word == QLatin1String("NAN") && A.empty()) {
        Out = std::nanl("");
        return true;
    }
    auto digits = [&] {
        int Count = 0;
        for (; I < N && S[I] >= u'0' && S[I] <= u'9'; ++I, ++Count) A += char(S[I].unicode());
        return Count;
    };
    int Count = digits();
    if (I < N && S[I] == DecimalSeparator) {
        ++I;
        A += '.';
        Count += digits();
    }
    if (Count == 0) return false;
    if (I < N && (S[I] == u'e' || S[I] == u'E')) {
        A += 'e';
        if (++I < N && (S[I] == u'-' || S[I] == u'+')) A += char(S[I++].unicode());
        if (digits() == 0) return false;
    }
    if (I != N) return false;
    static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const Extended V = strtold_l(A.c_str(), nullptr, CLocale);
    if (std::isinf(V)) return false;  // overflow; underflow reads as zero
    Out = V;
    return true;
}

}  // namespace

String FormatFloat(const String& Format, Extended Value, const TFormatSettings& FS) {
    String NonFinite;
    if (nonFiniteText(Value, NonFinite)) return NonFinite;
    const std::vector<String> Sections = splitSections(Format);
    auto usable = [&](std::size_t I) { return I < Sections.size() && !Sections[I].isEmpty(); };
    if (!usable(0) && !usable(1) && !usable(2)) return FloatToStr(Value, FS);

    std::size_t Chosen = 0;
    if (Value < 0 && usable(1))
        Chosen = 1;
    else if (Value == 0 && usable(2))
        Chosen = 2;
    if (!usable(Chosen)) return FloatToStr(Value, FS);
    TPicture P = analysePicture(Sections[Chosen]);
    TDecimal R = roundForPicture(Value, P);
    // A value that rounds to nothing is shown by the zero section.
    if (R.IsZero() && Chosen != 2 && usable(2)) {
        Chosen = 2;
        P = analysePicture(Sections[2]);
        R = roundForPicture(Value, P);
    }
    const String Body = renderPicture(Sections[Chosen], P, R, FS);
    // The negative section writes its own sign.
    return Chosen == 0 && R.Negative && !R.IsZero() ? u'-' + Body : Body;
}

bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& FS) {
    return parseFloat(S, Value, FS.DecimalSeparator);
}

bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS) {
    Extended V;
    if (!parseFloat(S, V, FS.DecimalSeparator)) return false;
    if (std::isfinite(V) && std::fabs(V) > std::numeric_limits<double>::max()) return false;
    Value = static_cast<double>(V);
    return true;
}

Extended StrToFloat(const String& S, const TFormatSettings& FS) {
    Extended V;
    if (!parseFloat(S, V, FS.DecimalSeparator))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(S));
    return V;
}

Extended StrToFloatDef(const String& S, Extended Default, const TFormatSettings& FS) {
    TryStrToFloat(S, Default, FS);
    return Default;
}
