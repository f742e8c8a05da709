#include "components/graphics/AsgHTMLE_Utils.h"

#include "components/graphics/MiniHTML_Utils.h"
#include "framework/rtl/StrUtils.h"

#include <array>
#include <vector>

namespace AsgHTMLE {
namespace {

struct Entity {
    const char* Name;
    char16_t Character;
};

// Decoded before the letters, in this order.
constexpr std::array<Entity, 4> kMarkupEntities = {{
    {"&lt;", u'<'},
    {"&gt;", u'>'},
    {"&amp;", u'&'},
    {"&quot;", u'"'},
}};

constexpr std::array<Entity, 51> kLetterEntities = {{
    {"&eacute;", u'\u00E9'}, {"&egrave;", u'\u00E8'}, {"&euml;", u'\u00EB'},   {"&ecirc;", u'\u00EA'},
    {"&oacute;", u'\u00F3'}, {"&ograve;", u'\u00F2'}, {"&ouml;", u'\u00F6'},   {"&ocirc;", u'\u00F4'},
    {"&iacute;", u'\u00ED'}, {"&igrave;", u'\u00EC'}, {"&iuml;", u'\u00EF'},   {"&icirc;", u'\u00EE'},
    {"&uacute;", u'\u00FA'}, {"&ugrave;", u'\u00F9'}, {"&uuml;", u'\u00FC'},   {"&ucirc;", u'\u00FB'},
    {"&aacute;", u'\u00E1'}, {"&agrave;", u'\u00E0'}, {"&auml;", u'\u00E4'},   {"&acirc;", u'\u00E2'},
    {"&Eacute;", u'\u00C9'}, {"&Egrave;", u'\u00C8'}, {"&Euml;", u'\u00CB'},   {"&Ecirc;", u'\u00CA'},
    {"&Oacute;", u'\u00D3'}, {"&Ograve;", u'\u00D2'}, {"&Ouml;", u'\u00D6'},   {"&Ocirc;", u'\u00D4'},
    {"&Iacute;", u'\u00CD'}, {"&Igrave;", u'\u00CC'}, {"&Iuml;", u'\u00CF'},   {"&Icirc;", u'\u00CE'},
    {"&Uacute;", u'\u00DA'}, {"&Ugrave;", u'\u00D9'}, {"&Uuml;", u'\u00DC'},   {"&Ucirc;", u'\u00DB'},
    {"&Aacute;", u'\u00C1'}, {"&Agrave;", u'\u00C0'}, {"&Auml;", u'\u00C4'},   {"&Acirc;", u'\u00C2'},
    {"&ccedil;", u'\u00E7'}, {"&Ccedil;", u'\u00C7'}, {"&oslash;", u'\u00F8'}, {"&Oslash;", u'\u00D8'},
    {"&aring;", u'\u00E5'},  {"&Aring;", u'\u00C5'},  {"&copy;", u'\u00A9'},   {"&reg;", u'\u00AE'},
    {"&euro;", u'\u20AC'},   {"&laquo;", u'\u00AB'},  {"&raquo;", u'\u00BB'},
}};

char16_t foldAscii(char16_t C) { return (C >= u'A' && C <= u'Z') ? static_cast<char16_t>(C + 32) : C; }

qsizetype nameLength(const char* Name) {
    qsizetype N = 0;
    while (Name[N] != '\0') ++N;
    return N;
}

bool matchesAt(const String& S, qsizetype From, const char* Name, bool IgnoreCase) {
    for (qsizetype K = 0; Name[K] != '\0'; ++K) {
        if (From + K >= S.size()) return false;
        char16_t A = S[From + K].unicode();
        char16_t B = static_cast<char16_t>(Name[K]);
        if (IgnoreCase) {
            A = foldAscii(A);
            B = foldAscii(B);
        }
        if (A != B) return false;
    }
    return true;
}

// One visible character of decoded text: the character and the source characters it came from.
struct Unit {
    Char Character;
    qsizetype Start;
    qsizetype Length;
};

std::vector<const Entity*> activeEntities(bool Markup, bool Letters) {
    std::vector<const Entity*> List;
    if (Markup)
        for (const Entity& E : kMarkupEntities) List.push_back(&E);
    if (Letters)
        for (const Entity& E : kLetterEntities) List.push_back(&E);
    return List;
}

// Entities are read once, left to right; what a replacement produces is never read again.
std::vector<Unit> decodeUnits(const String& Text, bool Letters, bool Markup = true) {
    const std::vector<const Entity*> List = activeEntities(Markup, Letters);
    std::vector<qsizetype> LastExact(List.size(), -1);
    if (Text.contains(u'&'))
        for (std::size_t K = 0; K < List.size(); ++K) LastExact[K] = Text.lastIndexOf(QLatin1String(List[K]->Name));
    std::vector<Unit> Units;
    Units.reserve(Text.size());
    qsizetype I = 0;
    while (I < Text.size()) {
        const Entity* Found = nullptr;
        if (Text[I] == u'&') {
            for (const Entity* E : List)
                if (matchesAt(Text, I, E->Name, false)) {
                    Found = E;
                    break;
                }
            // Another spelling counts only while the exact one still follows.
            for (std::size_t K = 0; !Found && K < List.size(); ++K)
                if (LastExact[K] >= I && matchesAt(Text, I, List[K]->Name, true)) Found = List[K];
        }
        if (Found) {
            const qsizetype Len = nameLength(Found->Name);
            Units.push_back({Char(Found->Character), I, Len});
            I += Len;
        } else {
            Units.push_back({Text[I], I, 1});
            ++I;
        }
    }
    return Units;
}

String decodeText(const String& Text, bool Letters, bool Markup) {
    if (!Text.contains(u'&')) return Text;
    String R;
    R.reserve(Text.size());
    for (const Unit& U : decodeUnits(Text, Letters, Markup)) R += U.Character;
    return R;
}

String removeMarks(const String& Text, const String& UpperTag) { return ::UnhighlightMarkupText(Text, UpperTag); }

// Copies markup, writing Close + Open after every closing FONT tag so the mark goes on.
void copyMarked(const String& S, qsizetype From, qsizetype To, const String& Open, const String& Close, String& R) {
    qsizetype I = From;
    while (I < To) {
        if (S[I] == u'<') {
            const qsizetype End = S.indexOf(u'>', I + 1);
            if (End >= 0 && End < To) {
                R += QStringView(S).mid(I, End + 1 - I);
                if (matchesAt(S, I, "</font", true)) R += Close + Open;
                I = End + 1;
                continue;
            }
        }
        R += S[I++];
    }
}

String highlightPlain(const String& S, const String& Find, bool CaseSensitive, bool WholeText, const String& Open,
                      const String& Close) {
    const String Visible = CaseSensitive ? S : AnsiUpperCase(S);
    if (WholeText) return Find == Visible ? Open + EncodeHtmlEntities(S, true) + Close : S;
    String R;
    qsizetype From = 0;
    bool Any = false;
    for (qsizetype P = Visible.indexOf(Find, From); P >= 0; P = Visible.indexOf(Find, From)) {
        R += EncodeHtmlEntities(S.mid(From, P - From), false) + Open +
             EncodeHtmlEntities(S.mid(P, Find.size()), false) + Close;
        From = P + Find.size();
        Any = true;
    }
    if (!Any) return S;
    return R + EncodeHtmlEntities(S.mid(From), false);
}

String highlightMarkup(const String& S, const String& Find, bool CaseSensitive, bool WholeText, const String& Open,
                       const String& Close) {
    // The visible characters: tags ("<" through the first ">") count as none, an entity as one.
    std::vector<qsizetype> Map;
    String TagFree;
    const qsizetype LastClose = S.lastIndexOf(u'>');
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'<' && LastClose > I) {
            I = S.indexOf(u'>', I + 1);
            continue;
        }
        Map.push_back(I);
        TagFree += S[I];
    }
    const std::vector<Unit> Units = decodeUnits(TagFree, true);
    String Visible;
    Visible.reserve(static_cast<qsizetype>(Units.size()));
    for (const Unit& U : Units) Visible += U.Character;
    if (!CaseSensitive) Visible = AnsiUpperCase(Visible);
    if (WholeText) return Find == Visible ? Open + S + Close : S;

    String R;
    qsizetype Copied = 0;
    qsizetype From = 0;
    for (qsizetype Q = Visible.indexOf(Find, From); Q >= 0; Q = Visible.indexOf(Find, From)) {
        const Unit& First = Units[Q];
        const Unit& Last = Units[Q + Find.size() - 1];
        const qsizetype Start = Map[First.Start];
        const qsizetype End = Map[Last.Start + Last.Length - 1] + 1;
        R += QStringView(S).mid(Copied, Start - Copied);
        R += Open;
        copyMarked(S, Start, End, Open, Close, R);
        R += Close;
        Copied = End;
        From = Q + Find.size();
    }
    R += QStringView(S).mid(Copied);
    return R;
}

}  // namespace

String StripMarkupTags(const String& Text) { return minihtml_detail::stripTags(Text, false); }

String RemoveAllTags(const String& Text) { return ::RemoveAllTags(Text); }

String HighlightMarkupText(const String& Text, const String& Search, const String& Tag, bool CaseSensitive,
                           bool WholeText) {
    const String Upper = UpperCase(Tag);
    const String Open = QStringLiteral("<") + Upper + QStringLiteral(">");
    const String Close = QStringLiteral("</") + Upper + QStringLiteral(">");
    const String S = removeMarks(Text, Upper);
    if (Search.isEmpty()) return S;
    const String Find = CaseSensitive ? Search : AnsiUpperCase(Search);
    if (!S.contains(QStringLiteral("</"))) return highlightPlain(S, Find, CaseSensitive, WholeText, Open, Close);
    return highlightMarkup(S, Find, CaseSensitive, WholeText, Open, Close);
}

String UnhighlightMarkupText(const String& Text, const String& Tag) {
    const String R = removeMarks(Text, UpperCase(Tag));
    // A plain text that highlighting had encoded goes back to plain text; letters too, since a
    // whole-text mark encodes them.
    if (Text.contains(QStringLiteral("</")) && !R.contains(QStringLiteral("</"))) return DecodeHtmlEntities(R, true);
    return R;
}

String DecodeHtmlEntities(const String& Text, bool Letters) { return decodeText(Text, Letters, true); }

String ReplaceLetterEntities(const String& Text) { return decodeText(Text, true, false); }

String EncodeHtmlEntities(const String& Text, bool Letters) {
    String R;
    R.reserve(Text.size());
    for (const Char C : Text) {
        switch (C.unicode()) {
            case u'&':
                R += QStringLiteral("&amp;");
                continue;
            case u'"':
                R += QStringLiteral("&quot;");
                continue;
            case u'<':
                R += QStringLiteral("&lt;");
                continue;
            case u'>':
                R += QStringLiteral("&gt;");
                continue;
            default:
                break;
        }
        const Entity* Found = nullptr;
        if (Letters)
            for (const Entity& E : kLetterEntities)
                if (E.Character == C.unicode()) {
                    Found = &E;
                    break;
                }
        if (Found)
            R += QLatin1String(Found->Name);
        else
            R += C;
    }
    return R;
}

String SpacesToNbsp(const String& Text) {
    String R = Text;
    return R.replace(u' ', QStringLiteral("&nbsp;"));
}

}  // namespace AsgHTMLE
