#include "components/graphics/MiniHTML_Markup.h"

#include "framework/rtl/StrUtils.h"

#include <array>
#include <climits>

namespace {

constexpr TColor sysColor(unsigned Index) { return static_cast<TColor>(0xFF000000u + Index); }

// Left: RGB colours ($BBGGRR); right: system colours.
constexpr std::array<TMarkupColorName, 40> kColorNames = {{
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", sysColor(0x01)},
    {"clactivecaption", sysColor(0x02)},
    {"clinactivecaption", sysColor(0x03)},
    {"clmenu", sysColor(0x04)},
    {"clwindow", sysColor(0x05)},
    {"clwindowframe", sysColor(0x06)},
    {"clmenutext", sysColor(0x07)},
    {"clwindowtext", sysColor(0x08)},
    {"clcaptiontext", sysColor(0x09)},
    {"clactiveborder", sysColor(0x0A)},
    {"clinactiveborder", sysColor(0x0B)},
    {"clappworkspace", sysColor(0x0C)},
    {"clhighlight", sysColor(0x0D)},
    {"clhighlighttext", sysColor(0x0E)},
    {"clbtnface", sysColor(0x0F)},
    {"clbtnshadow", sysColor(0x10)},
    {"clgraytext", sysColor(0x11)},
    {"clbtntext", sysColor(0x12)},
    {"clinactivecaptiontext", sysColor(0x13)},
    {"clbtnhighlight", sysColor(0x14)},
    {"cl3ddkshadow", sysColor(0x15)},
    {"cl3dlight", sysColor(0x16)},
    {"clinfotext", sysColor(0x17)},
    {"clinfobk", sysColor(0x18)},
}};

struct TextEntity {
    const char* Name;  // lower case, with "&" and ";"
    char16_t Replacement;
};

// Whole-text stage, in the order the passes try them; "&amp;" gives two ampersands.
constexpr std::array<TextEntity, 9> kTextEntities = {{
    {"&amp;", u'&'},
    {"&quot;", u'"'},
    {"&sect;", u'\u00A7'},
    {"&permil;", u'\u2030'},
    {"&reg;", u'\u00AE'},
    {"&copy;", u'\u00A9'},
    {"&para;", u'\u00B6'},
    {"&trade;", u'\u2122'},
    {"&euro;", u'\u20AC'},
}};

constexpr std::array<TextEntity, 3> kRunEntities = {{
    {"&nbsp;", u' '},
    {"&lt;", u'<'},
    {"&gt;", u'>'},
}};

char16_t upperAscii(Char C) {
    const char16_t U = C.unicode();
    return (U >= u'a' && U <= u'z') ? static_cast<char16_t>(U - 32) : U;
}

char16_t lowerAscii(Char C) {
    const char16_t U = C.unicode();
    return (U >= u'A' && U <= u'Z') ? static_cast<char16_t>(U + 32) : U;
}

// Name (lower-case ASCII) at S[From] (0-based), ignoring ASCII letter case.
bool matchesAt(const String& S, qsizetype From, const char* Name) {
    for (qsizetype K = 0; Name[K] != '\0'; ++K) {
        if (From + K >= S.size() || lowerAscii(S[From + K]) != static_cast<char16_t>(Name[K])) return false;
    }
    return true;
}

bool matchesExactlyAt(const String& S, qsizetype From, const char* Name) {
    for (qsizetype K = 0; Name[K] != '\0'; ++K) {
        if (From + K >= S.size() || S[From + K].unicode() != static_cast<char16_t>(Name[K])) return false;
    }
    return true;
}

qsizetype nameLength(const char* Name) {
    qsizetype N = 0;
    while (Name[N] != '\0') ++N;
    return N;
}

struct ValScan {
    Int64 Value = 0;  // magnitude, capped
    bool Negative = false;
    int Digits = 0;
    bool Overflow = false;
    bool Hex = false;
    qsizetype End = 0;  // 0-based index of the first character not taken
};

ValScan scanVal(const String& Text) {
    ValScan R;
    const qsizetype N = Text.size();
    qsizetype I = 0;
    while (I < N && (Text[I] == u' ' || Text[I] == u'\t')) ++I;
    if (I < N && (Text[I] == u'+' || Text[I] == u'-')) {
        R.Negative = Text[I] == u'-';
        ++I;
    }
    bool& Hex = R.Hex;
    if (I < N && (Text[I] == u'$' || Text[I] == u'x' || Text[I] == u'X')) {
        Hex = true;
        ++I;
    } else if (I + 1 < N && Text[I] == u'0' && (Text[I + 1] == u'x' || Text[I + 1] == u'X')) {
        Hex = true;
        I += 2;
    }
    // Hexadecimal keeps 32 bits; decimal stops growing past the Integer range.
    const Int64 Cap = Hex ? Int64(0xFFFFFFFF) : Int64(INT_MAX) + 1;
    for (; I < N; ++I) {
        const char16_t C = upperAscii(Text[I]);
        int D;
        if (C >= u'0' && C <= u'9')
            D = C - u'0';
        else if (Hex && C >= u'A' && C <= u'F')
            D = C - u'A' + 10;
        else
            break;
        ++R.Digits;
        const Int64 Next = R.Value * (Hex ? 16 : 10) + D;
        if (Next > Cap) {
            R.Overflow = true;
            R.Value = Cap;
        } else {
            R.Value = Next;
        }
    }
    R.End = I;
    return R;
}

int valueOf(const ValScan& R) {
    if (R.Hex) {
        const auto Bits = static_cast<std::uint32_t>(R.Value);
        return static_cast<int>(R.Negative ? 0u - Bits : Bits);
    }
    const Int64 V = R.Negative ? -R.Value : R.Value;
    return static_cast<int>(V > INT_MAX ? INT_MAX : V);
}

// Characters before the attribute part, counted from "<".
int attributeOffset(TMarkupTagKind Kind) {
    switch (Kind) {
        case TMarkupTagKind::HorzRule:
            return 4;
        case TMarkupTagKind::Body:
        case TMarkupTagKind::Font:
        case TMarkupTagKind::Span:
            return 6;
        default:
            return 3;
    }
}

TMarkupTagKind openingKind(const String& Rest, char16_t C, char16_t Next) {
    using K = TMarkupTagKind;
    switch (C) {
        case u'A':
            return K::Anchor;
        case u'B':
            if (Next == u'>') return K::Bold;
            if (Next == u'R') return K::LineBreak;
            if (Next == u'L') return K::Blink;
            if (Next == u'O') return K::Body;
            return K::Unknown;
        case u'C':
            return K::Control;
        case u'E':
            return K::Error;
        case u'F':
            return K::Font;
        case u'H':
            if (Next == u'I') return K::Highlight;
            if (Next == u'R') return K::HorzRule;
            return K::Unknown;
        case u'I':
            if (Next == u'>') return K::Italic;
            if (Next == u'N') return K::Indent;
            if (Next == u'M') return K::Image;
            return K::Unknown;
        case u'L':
            return K::ListItem;
        case u'O':
            if (Next == u'L') return K::OrderedList;
            if (Next == u'F') return K::Offset;
            return K::Unknown;
        case u'P':
            return K::Paragraph;
        case u'R':
            return K::Rotate;
        case u'S':
            if (Next == u'>' || Next == u'T') return K::Strike;
            if (Next == u'H') return K::Shadow;
            if (Next == u'P') return K::Span;
            if (matchesAt(Rest, 0, "<sub>")) return K::Subscript;
            if (matchesAt(Rest, 0, "<sup>")) return K::Superscript;
            return K::Unknown;
        case u'U':
            return Next == u'>' ? K::Underline : K::UnorderedList;
        case u'Z':
            return K::Hidden;
        default:
            return K::Unknown;
    }
}

TMarkupTagKind closingKind(char16_t C, char16_t Next) {
    using K = TMarkupTagKind;
    switch (C) {
        case u'A':
            return K::Anchor;
        case u'B':
            return Next == u'>' ? K::Bold : K::Blink;
        case u'E':
            return K::Error;
        case u'F':
            return K::Font;
        case u'H':
            return K::Highlight;
        case u'I':
            return K::Italic;
        case u'L':
            return K::ListItem;
        case u'O':
            return Next == u'>' ? K::Offset : K::OrderedList;
        case u'P':
            return K::Paragraph;
        case u'R':
            return K::Rotate;
        case u'S':
            if (Next == u'U') return K::Subscript;
            if (Next == u'P') return K::Span;
            if (Next == u'H') return K::Shadow;
            return K::Strike;
        case u'U':
            return Next == u'>' ? K::Underline : K::UnorderedList;
        case u'Z':
            return K::Hidden;
        default:
            return K::Unknown;
    }
}

// The value between the first double quote at or after From (1-based) and the next one.
String quotedFrom(const String& Source, int From) {
    const int Open = PosEx(QStringLiteral("\""), Source, From);
    if (Open == 0) return {};
    const int Close = PosEx(QStringLiteral("\""), Source, Open + 1);
    if (Close == 0) return {};
    return Copy(Source, Open + 1, Close - Open - 1);
}

}  // namespace

// ---- Reader routines ----

std::span<const TMarkupColorName> MarkupColorNames() { return kColorNames; }

TColor ParseColorName(const String& Name) {
    for (const TMarkupColorName& Row : kColorNames)
        if (Name == QLatin1String(Row.Name)) return Row.Color;
    return 0;
}

TColor ParseHexColor(const String& Text) {
    const Int64 Red = HexByteValue(Copy(Text, 2, 2));
    const Int64 Green = HexByteValue(Copy(Text, 4, 2));
    const Int64 Blue = HexByteValue(Copy(Text, 6, 2));
    // Stray characters give odd digit values; wrap rather than overflow.
    return static_cast<TColor>(static_cast<std::uint32_t>(Red + Green * 256 + Blue * 65536));
}

int HexByteValue(const String& Text) {
    if (Text.size() < 2) return 0;
    auto Digit = [](Char C) { return C.unicode() >= u'A' ? int(C.unicode()) - 55 : int(C.unicode()) - 48; };
    return 16 * Digit(Text[0]) + Digit(Text[1]);
}

int ValInteger(const String& Text) { return valueOf(scanVal(Text)); }

bool TryValInteger(const String& Text, int& Value) {
    const ValScan R = scanVal(Text);
    if (R.Digits == 0 || R.End != Text.size() || R.Overflow) return false;
    if (!R.Hex && !R.Negative && R.Value > INT_MAX) return false;
    Value = valueOf(R);
    return true;
}

int PosIgnoreCase(const String& SubStr, const String& S) { return Pos(UpperCase(SubStr), UpperCase(S)); }

int PosOut(const String& SubStr, const String& S, int& Position) {
    Position = Pos(SubStr, S);
    return Position;
}

bool ReplaceFirstIgnoreCase(const String& Find, const String& ReplaceWith, String& S) {
    const int P = PosIgnoreCase(Find, S);
    if (P == 0) return false;
    S = S.left(P - 1) + ReplaceWith + S.mid(P - 1 + Find.size());
    return true;
}

String UnwrapHashTags(const String& S) {
    String R = S;
    // Each round removes at least the "<", so it ends.
    for (int P = Pos(QStringLiteral("<#"), R); P > 0; P = Pos(QStringLiteral("<#"), R)) {
        Delete(R, P, 1);
        const int Close = PosEx(QStringLiteral(">"), R, P + 1);
        if (Close > 0) Delete(R, Close, 1);
    }
    return R;
}

String LineBreaksToBR(const String& S, bool Flag) {
    String R;
    R.reserve(S.size());
    for (const Char C : S) {
        if (C == u'\n') continue;
        if (C == u'\r') {
            if (Flag) R += QStringLiteral("<BR>");
            continue;
        }
        R += C;
    }
    return R;
}

// ---- Entities ----

String ReplaceTextEntities(const String& Text) {
    if (!Text.contains(u'&')) return Text;
    // The entities never overlap and a replacement only uncovers new ones after the "&" that
    // "&amp;" leaves, so one left-to-right walk reaches the same end as repeated passes.
    String S = Text;
    String R;
    R.reserve(S.size());
    qsizetype I = 0;
    while (I < S.size()) {
        if (S[I] == u'&') {
            bool Replaced = false;
            for (const TextEntity& E : kTextEntities) {
                if (!matchesAt(S, I, E.Name)) continue;
                const qsizetype Len = nameLength(E.Name);
                R += Char(E.Replacement);
                if (E.Replacement == u'&') {
                    // The second ampersand takes the place of the ";" and is read again.
                    I += Len - 1;
                    S[I] = u'&';
                } else {
                    I += Len;
                }
                Replaced = true;
                break;
            }
            if (Replaced) continue;
        }
        R += S[I];
        ++I;
    }
    return R;
}

String ReplaceRunEntities(const String& Run) {
    // Every run is read through here; most hold no entity at all.
    if (!Run.contains(QLatin1Char('&'))) return Run;
    String S = Run;
    for (const TextEntity& E : kRunEntities) {
        if (!S.contains(QLatin1String(E.Name))) continue;
        // Occurrences in any case are replaced from the left, up to the last lower-case one.
        const qsizetype Len = nameLength(E.Name);
        qsizetype LastExact = -1;
        for (qsizetype I = 0; I < S.size(); ++I)
            if (matchesExactlyAt(S, I, E.Name)) LastExact = I;
        String R;
        R.reserve(S.size());
        qsizetype I = 0;
        while (I < S.size()) {
            if (I <= LastExact && matchesAt(S, I, E.Name)) {
                R += Char(E.Replacement);
                I += Len;
            } else {
                R += S[I++];
            }
        }
        S = R;
    }
    return S;
}

bool MarkupDisablesPrefix(const String& Text) { return Text.contains(QStringLiteral(" & ")); }

// ---- Tags ----

TMarkupTag ScanMarkupTag(const String& Rest) {
    TMarkupTag Tag;
    Tag.EndPos = Pos(QStringLiteral(">"), Rest);
    Tag.Text = Tag.EndPos > 0 ? Rest.left(Tag.EndPos) : Rest;
    const qsizetype N = Rest.size();
    if (N <= 2) {
        Tag.Kind = TMarkupTagKind::Dropped;
        Tag.EndPos = 0;
        Tag.Text = Rest;
        return Tag;
    }
    Tag.Closing = Rest[1] == u'/' && N > 3;
    const qsizetype At = Tag.Closing ? 2 : 1;
    const char16_t C = upperAscii(Rest[At]);
    const char16_t Next = At + 1 < N ? upperAscii(Rest[At + 1]) : u'\0';
    Tag.Kind = Tag.Closing ? closingKind(C, Next) : openingKind(Rest, C, Next);
    return Tag;
}

// ---- Attributes ----

String MarkupAttributeText(const TMarkupTag& Tag) {
    const int From = attributeOffset(Tag.Kind);
    const int Stop = Tag.HasEnd() ? Tag.EndPos : static_cast<int>(Tag.Text.size()) + 1;
    return Copy(Tag.Text, From, Stop - From);
}

bool HasMarkupAttribute(const String& AttrText, const String& Name) { return Pos(Name, UpperCase(AttrText)) > 0; }

String MarkupAttribute(const String& AttrText, const String& Name, bool KeepCase) {
    const String Upper = UpperCase(AttrText);
    const int At = Pos(Name, Upper);
    if (At == 0) return {};
    return quotedFrom(KeepCase ? AttrText : Upper, At + static_cast<int>(Name.size()));
}

String MarkupLetterAttribute(const String& AttrText, Char Letter) {
    const char16_t L = upperAscii(Letter);
    for (qsizetype I = 0; I < AttrText.size(); ++I)
        if (upperAscii(AttrText[I]) == L) return quotedFrom(AttrText, static_cast<int>(I) + 2);
    return {};
}

bool ParseMarkupColor(const String& Value, TColor& Color) {
    if (Value.isEmpty()) return false;
    Color = Value[0] == u'#' ? ParseHexColor(UpperCase(Value)) : ParseColorName(LowerCase(Value));
    return true;
}

int FontSizeStep(int BaseSize, int N) {
    switch (N) {
        case 1:
            return BaseSize + 1;
        case 2:
            return BaseSize + 2;
        case 3:
            return BaseSize + 4;
        case 4:
            return BaseSize + 6;
        case 5:
            return BaseSize + 8;
        default:
            return N;
    }
}

int AbsoluteFontSizeStep(int N) { return N >= 1 && N <= 5 ? 6 + 2 * N : N; }

bool ReadFontStyleSize(const String& StyleValue, int& Size) {
    const int At = Pos(QStringLiteral("FONT-SIZE:"), StyleValue);
    if (At == 0) return false;
    const int Pt = PosEx(QStringLiteral("PT"), StyleValue, At + 10);
    if (Pt == 0) return false;
    Size = ValInteger(Trim(Copy(StyleValue, 11, Pt - 11)));
    return true;
}

bool ReadSpanBackground(const String& StyleValue, TColor& Color) {
    if (Pos(QStringLiteral("BACKGROUND-COLOR:"), StyleValue) == 0) return false;
    String Rest = StyleValue;
    Delete(Rest, 1, 17);
    if (!Rest.startsWith(u'#')) return false;
    Color = ParseHexColor(UpperCase(Rest));
    return true;
}

int ParseParagraphAlign(const String& Value, int Current) {
    int Align = Current;
    if (Value.contains(QStringLiteral("RIGHT"))) Align = 1;
    if (Value.contains(QStringLiteral("LEFT"))) Align = 0;
    if (Value.contains(QStringLiteral("CENTER"))) Align = 2;
    return Align;
}

// ---- Image sources ----

TImageSource ParseImageSource(const String& Src) {
    TImageSource R;
    if (matchesAt(Src, 0, "idx:")) {
        R.Kind = TImageSourceKind::ImageList;
        R.Index = ValInteger(Src.mid(4));
    } else if (matchesAt(Src, 0, "ssys:") || matchesAt(Src, 0, "lsys:")) {
        R.Kind = upperAscii(Src[0]) == u'S' ? TImageSourceKind::SmallShell : TImageSourceKind::LargeShell;
        R.Value = Src.mid(5);
    } else if (Src.contains(QStringLiteral("://"))) {
        R.Kind = TImageSourceKind::Url;
        R.Value = Src;
    } else if (!Src.isEmpty() && !Src.contains(u':')) {
        R.Kind = TImageSourceKind::Container;
        R.Value = Src;
    }
    return R;
}
