#include "components/graphics/AdvUtilExchange.h"

#include "components/graphics/AdvUtilText.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

namespace {

const String kCRLF = QStringLiteral("\r\n");
constexpr Char CR = u'\r';
constexpr Char LF = u'\n';
constexpr Char VT = u'\x0B';

const String kDocType = QStringLiteral(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)");
const String kHtmlHead = QStringLiteral(
    R"(<html><head><META http-equiv=Content-Type content="text/html; charset=iso-8859-1"></head><body><!--StartFragment-->)");
const String kHtmlTail = QStringLiteral("<!--EndFragment--></body></html>");

// Offsets of the clipboard format: the header is 97 characters, then the doctype and the head.
constexpr int kStartHTML = 97;
constexpr int kStartFragment = 274;
constexpr int kEndHTMLExtra = 306;

bool isUrlChar(Char C) {
    const char16_t U = C.unicode();
    if ((U >= u'0' && U <= u'9') || (U >= u'A' && U <= u'Z') || (U >= u'a' && U <= u'z')) return true;
    switch (U) {
        case u'!':
        case u'%':
        case u'&':
        case u'(':
        case u')':
        case u'-':
        case u'.':
        case u'/':
        case u':':
        case u'=':
        case u'?':
        case u'@':
        case u'\\':
        case u'_':
        case u'{':
        case u'}':
            return true;
        default:
            return false;
    }
}

}  // namespace

void QuoteCsvField(String& S) {
    S.replace(kCRLF, String(VT));
    S = u'"' + S + u'"';
}

void VTToCRLF(String& S) {
    if (S.contains(VT)) S.replace(VT, kCRLF);
}

void RemoveCRFromCRLF(String& S) { S.replace(kCRLF, String(LF)); }

void LineBreaksToTilde(String& S) {
    S.remove(LF);
    S.replace(CR, u'~');
}

void TildeToLineBreaks(String& S) {
    S.replace(u'~', kCRLF);
    if (S == u"^") S.clear();
}

String EscapeLineBreaks(const String& S) {
    String R = S;
    R.remove(LF);
    return R.replace(CR, QStringLiteral("\\n"));
}

String UnescapeLineBreaks(const String& S) {
    String R = S;
    return R.replace(QStringLiteral("\\n"), String(CR));
}

String LineBreaksToHtml(const String& S) {
    if (!S.contains(CR)) return S;
    String R = S;
    return R.replace(CR, QStringLiteral("<br>"));
}

String EncodeLineBreaks(const String& S) {
    if (!S.contains(CR)) return S;
    String R = S;
    for (Char& C : R) {
        if (C == CR)
            C = u'\x09';
        else if (C == LF)
            C = u'\x08';
        else if (C == u'\0')
            C = u'\x01';
    }
    return R;
}

String DecodeLineBreaks(const String& S, bool MultiLine) {
    if (!S.contains(u'\x08')) return S;
    String R = S;
    for (Char& C : R) {
        if (C == u'\x09')
            C = CR;
        else if (C == u'\x08')
            C = LF;
        else if (C == u'\x01')
            C = u'\0';
    }
    return MultiLine ? R : ExtractFirstLine(R, false);
}

void ConvertToOem(String&) {}
void ConvertFromOem(String&) {}

String EncodeWideText(const String& WS) {
    String R = QStringLiteral("|\\");
    R.reserve(2 + 2 * WS.size());
    for (Char C : WS) {
        R += Char(static_cast<char16_t>(C.unicode() >> 8));
        R += Char(static_cast<char16_t>(C.unicode() & 0xFF));
    }
    return R;
}

String DecodeWideText(const String& S) {
    if (!S.startsWith(u"|\\")) return S;
    String R;
    R.reserve((S.size() - 2) / 2);
    for (qsizetype I = 2; I + 1 < S.size(); I += 2)
        R += Char(static_cast<char16_t>(((S[I].unicode() & 0xFF) << 8) | (S[I + 1].unicode() & 0xFF)));
    return R;
}

String ColorToHtmlHex(TColor Color) {
    return IntToHex(GetRValue(Color), 2) + IntToHex(GetGValue(Color), 2) + IntToHex(GetBValue(Color), 2);
}

void BuildClipboardHtml(String& S) {
    const int L = static_cast<int>(S.size());
    auto line = [](const char* Key, int Value) { return Format(QStringLiteral("%s%.8d"), {Key, Value}) + kCRLF; };
    const String Header = QStringLiteral("Version:1.0") + kCRLF + line("StartHTML:", kStartHTML) +
                          line("EndHTML:", L + kEndHTMLExtra) + line("StartFragment:", kStartFragment) +
                          line("EndFragment:", L + kStartFragment);
    S = Header + kDocType + kHtmlHead + S + kHtmlTail;
}

bool LinkifyText(const String& Text, const String& Prefix, String& Dest) {
    if (Pos(Prefix, AnsiUpperCase(Text)) == 0) return false;
    String T = Text;
    T.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
    const int F = Pos(Prefix, AnsiUpperCase(T));
    if (F == 0) return false;  // a prefix holding "<" or ">" is gone once they are escaped
    int End = F;
    while (End <= T.size() && isUrlChar(T[End - 1])) ++End;
    const String Url = T.mid(F - 1, End - F);
    Insert(QStringLiteral("<a href=\"") + Url + QStringLiteral("\">"), T, F);
    Insert(QStringLiteral("</a>"), T, F + 2 * static_cast<int>(Url.size()) + 11);
    Dest = T;
    return true;
}
