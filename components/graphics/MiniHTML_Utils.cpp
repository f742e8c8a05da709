#include "components/graphics/MiniHTML_Utils.h"

#include "framework/rtl/StrUtils.h"

namespace {

// Deletes the first occurrence (ASCII case ignored) of Pattern until none is left; a deletion
// may join two pieces into a new occurrence, which goes too.
String removeRepeatedly(const String& Text, const String& Pattern) {
    String R = Text;
    const String Upper = UpperCase(Pattern);
    if (Upper.isEmpty()) return R;
    for (int P = Pos(Upper, UpperCase(R)); P > 0; P = Pos(Upper, UpperCase(R))) Delete(R, P, Upper.size());
    return R;
}

// Every occurrence, ASCII case ignored, replaced; the replacement is not searched again.
String replaceAllIgnoreCase(const String& Text, const String& Pattern, const String& With) {
    return StringReplace(Text, Pattern, With, {rfReplaceAll, rfIgnoreCase});
}

String withoutHiddenSections(const String& Text, const String& Open, const String& Close) {
    String R = Text;
    for (int P = Pos(Open, R); P > 0; P = Pos(Open, R)) {
        const int End = PosEx(Close, R, P + Open.size());
        if (End == 0) break;
        Delete(R, P, End + Close.size() - P);
    }
    return R;
}

// Position (1-based) of the N-th visible character, after the tags before it; Length + 1 when
// there are fewer.
int visibleCharPos(const String& Text, int N) {
    int Count = 0;
    bool InTag = false;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (!InTag && Text[I] == u'<') InTag = true;
        if (!InTag && ++Count == N) return static_cast<int>(I) + 1;
        if (InTag && Text[I] == u'>') InTag = false;
    }
    return static_cast<int>(Text.size()) + 1;
}

}  // namespace

namespace minihtml_detail {

String stripTags(const String& Text, bool RemoveHidden) {
    // "<BR>" cannot be rebuilt by its own replacement, so one replace-all leaves none.
    String S = replaceAllIgnoreCase(Text, QStringLiteral("<BR>"), QStringLiteral("\r\n"));
    S = replaceAllIgnoreCase(S, QStringLiteral("<HR>"), QStringLiteral("\r\n"));
    if (RemoveHidden) {
        S = withoutHiddenSections(S, QStringLiteral("<z>"), QStringLiteral("</z>"));
        S = withoutHiddenSections(S, QStringLiteral("<Z>"), QStringLiteral("</Z>"));
    }
    String R;
    R.reserve(S.size());
    qsizetype I = 0;
    while (I < S.size()) {
        if (S[I] == u'<') {
            const qsizetype Close = S.indexOf(u'>', I + 1);
            if (Close < 0) {
                R += S.mid(I);
                break;
            }
            I = Close + 1;
            continue;
        }
        R += S[I++];
    }
    return R;
}

}  // namespace minihtml_detail

String StripMarkupTags(const String& Text) { return minihtml_detail::stripTags(Text, true); }

String RemoveAllTags(const String& Text) {
    String R;
    qsizetype From = 0;
    for (;;) {
        const qsizetype Open = Text.indexOf(u'<', From);
        if (Open < 0) break;
        const qsizetype Close = Text.indexOf(u'>', From);
        if (Close < Open) break;
        R += QStringView(Text).mid(From, Open - From);
        From = Close + 1;
    }
    R += QStringView(Text).mid(From);
    return R;
}

int VisibleToStringPos(const String& Text, int N) {
    int Count = 1;
    bool InTag = false;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (Count == N) return static_cast<int>(I) + 1;
        if (!InTag && Text[I] == u'<') InTag = true;
        if (!InTag)
            ++Count;
        else if (Text[I] == u'>')
            InTag = false;
    }
    return Count == N ? static_cast<int>(Text.size()) + 1 : 0;
}

int FindTextFrom(const String& Search, const String& S, int From, bool CaseSensitive, int& Position) {
    const int Skip = From < 0 ? 0 : From;
    const String Rest = S.mid(Skip);
    const int P = CaseSensitive ? Pos(Search, Rest) : Pos(AnsiUpperCase(Search), AnsiUpperCase(Rest));
    Position = P > 0 ? P + Skip : 0;
    return Position;
}

String HighlightMarkupText(const String& Text, const String& Search, const String& Tag, bool CaseSensitive) {
    String R = Text;
    const String Plain = RemoveAllTags(Text);
    const int Len = static_cast<int>(Search.size());
    const String Open = QStringLiteral("<") + Tag + QStringLiteral(">");
    const String Close = QStringLiteral("</") + Tag + QStringLiteral(">");
    int From = 0;
    int P = 0;
    while (FindTextFrom(Search, Plain, From, CaseSensitive, P) > 0) {
        const int End = VisibleToStringPos(R, P + Len);
        if (End == 0) break;  // only when the text has a ">" outside its tags
        Insert(Close, R, End);
        // The opening tag goes after the tags before the occurrence's first character, so that
        // neighbouring occurrences get pairs side by side rather than nested ones.
        Insert(Open, R, visibleCharPos(R, P));
        From = P + Len - 1;
    }
    return R;
}

String UnhighlightMarkupText(const String& Text, const String& Tag) {
    const String Upper = UpperCase(Tag);
    String R = removeRepeatedly(Text, QStringLiteral("<") + Upper + QStringLiteral(">"));
    return removeRepeatedly(R, QStringLiteral("</") + Upper + QStringLiteral(">"));
}
