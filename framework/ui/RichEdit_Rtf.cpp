// Rich text in and out of the rich edit's document.
#include "framework/ui/RichEdit_Rtf.h"

#include "framework/rtl/Encoding.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/RichEdit.h"

#include <QTextBlock>
#include <QTextCursor>

#include <vector>

namespace {

// ---- Writing

struct TTables {
    std::vector<String> Fonts;
    std::vector<QColor> Colors;
    int font(const String& Name) {
        for (size_t i = 0; i < Fonts.size(); ++i)
            if (Fonts[i] == Name) return static_cast<int>(i);
        Fonts.push_back(Name);
        return static_cast<int>(Fonts.size()) - 1;
    }
    // 0 is the automatic colour; a colour's number is its place after it.
    int color(const QColor& C) {
        for (size_t i = 0; i < Colors.size(); ++i)
            if (Colors[i] == C) return static_cast<int>(i) + 1;
        Colors.push_back(C);
        return static_cast<int>(Colors.size());
    }
};

String familyOf(const QTextCharFormat& F, const TFont& Base) {
    const QStringList Families = F.fontFamilies().toStringList();
    return Families.isEmpty() ? Base.Name() : Families.first();
}

int halfPoints(const QTextCharFormat& F, const TFont& Base) {
    const double Pt = F.fontPointSize();
    return Pt > 0 ? qRound(Pt * 2) : Base.Size() * 2;
}

String escaped(const String& Text) {
    String Out;
    for (QChar C : Text) {
        const char16_t U = C.unicode();
        if (U == u'\\' || U == u'{' || U == u'}') {
            Out += u'\\';
            Out += C;
        } else if (U == u'\t') {
            Out += QStringLiteral("\\tab ");
        } else if (U == QChar::LineSeparator) {
            Out += QStringLiteral("\\line ");
        } else if (U >= 0x80) {
            Out += QStringLiteral("\\u%1?").arg(static_cast<short>(U));
        } else if (U >= 0x20) {
            Out += C;
        }
    }
    return Out;
}

}  // namespace

String WriteRichText(const QTextDocument& Doc, const TFont& Base) {
    TTables Tables;
    Tables.font(Base.Name());
    String Body;
    bool FirstBlock = true;
    for (QTextBlock B = Doc.begin(); B.isValid(); B = B.next()) {
        if (!FirstBlock) Body += QStringLiteral("\\par\n");
        FirstBlock = false;
        const Qt::Alignment A = B.blockFormat().alignment();
        Body += QStringLiteral("\\pard");
        if (A & Qt::AlignHCenter)
            Body += QStringLiteral("\\qc");
        else if (A & Qt::AlignRight)
            Body += QStringLiteral("\\qr");
        else if (A & Qt::AlignJustify)
            Body += QStringLiteral("\\qj");
        for (auto It = B.begin(); !It.atEnd(); ++It) {
            const QTextFragment Frag = It.fragment();
            if (!Frag.isValid()) continue;
            const QTextCharFormat F = Frag.charFormat();
            Body += QStringLiteral("\\plain\\f%1\\fs%2").arg(Tables.font(familyOf(F, Base))).arg(halfPoints(F, Base));
            if (F.fontWeight() >= QFont::Bold) Body += QStringLiteral("\\b");
            if (F.fontItalic()) Body += QStringLiteral("\\i");
            if (F.fontUnderline()) Body += QStringLiteral("\\ul");
            if (F.fontStrikeOut()) Body += QStringLiteral("\\strike");
            if (F.hasProperty(QTextFormat::ForegroundBrush))
                Body += QStringLiteral("\\cf%1").arg(Tables.color(F.foreground().color()));
            Body += u' ';
            Body += escaped(Frag.text());
        }
    }
    String Out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl");
    for (size_t i = 0; i < Tables.Fonts.size(); ++i)
        Out += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(escaped(Tables.Fonts[i]));
    Out += u'}';
    if (!Tables.Colors.empty()) {
        Out += QStringLiteral("{\\colortbl ;");
        for (const QColor& C : Tables.Colors)
            Out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(C.red()).arg(C.green()).arg(C.blue());
        Out += u'}';
    }
    Out += u'\n';
    Out += Body;
    Out += QStringLiteral("\n}\n");
    return Out;
}

// ---------------------------------------------------------------------------------------------
// Reading

namespace {

enum class TDestination { Text, FontTable, ColorTable, Skip };

struct TGroupState {
    TDestination Dest = TDestination::Text;
    int Font = 0;
    int HalfPoints = 0;  // 0: the base size
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    int Color = 0;
    int UnicodeSkip = 1;
};

class TRtfReader {
public:
    TRtfReader(const String& Text, QTextDocument& Doc, const TFont& Base)
        : S(Text), FDoc(Doc), FBase(Base), FCursor(&Doc) {}

    bool Run() {
        if (!S.startsWith(QLatin1String("{\\rtf"))) return false;
        FDoc.clear();
        FCursor = QTextCursor(&FDoc);
        std::vector<TGroupState> Stack;
        TGroupState G;
        int Pending = 0;  // characters still to skip after a \u
        while (I < S.size()) {
            const QChar C = S[I];
            if (C == u'{') {
                Stack.push_back(G);
                ++I;
                if (S.mid(I, 2) == QLatin1String("\\*")) G.Dest = TDestination::Skip;
                continue;
            }
            if (C == u'}') {
                closeTableEntry(G);
                if (Stack.empty()) break;
                G = Stack.back();
                Stack.pop_back();
                ++I;
                continue;
            }
            if (C == u'\\') {
                control(G, Pending);
                continue;
            }
            ++I;
            if (C == u'\r' || C == u'\n') continue;
            if (Pending > 0) {
                --Pending;
                continue;
            }
            text(G, C);
        }
        applyAlignment();
        return true;
    }

private:
    const String& S;
    QTextDocument& FDoc;
    const TFont& FBase;
    QTextCursor FCursor;
    int I = 0;
    std::vector<String> Fonts;
    std::vector<QColor> Colors;  // in table order; an entry without values is the automatic colour
    String TableText;
    int TableFont = 0;
    int Red = 0, Green = 0, Blue = 0;
    bool ColorSet = false;
    Qt::Alignment Align = Qt::AlignLeft;

    void control(TGroupState& G, int& Pending) {
        ++I;  // the backslash
        if (I >= S.size()) return;
        const QChar C = S[I];
        if (C == u'\\' || C == u'{' || C == u'}') {
            ++I;
            putChar(G, C, Pending);
            return;
        }
        if (C == u'\'') {
            bool Ok = false;
            const int Code = S.mid(I + 1, 2).toInt(&Ok, 16);
            I += 3;
            if (!Ok) return;
            const char Byte = static_cast<char>(Code);
            const String Decoded = TEncoding::ANSI()->GetString(TBytes{static_cast<unsigned char>(Byte)});
            if (!Decoded.isEmpty()) putChar(G, Decoded[0], Pending);
            return;
        }
        if (!C.isLetter()) {
            ++I;  // a control symbol the subset ignores (\~, \-, ...)
            return;
        }
        const int Start = I;
        while (I < S.size() && S[I].isLetter()) ++I;
        const String Word = S.mid(Start, I - Start);
        bool HasParam = false;
        int Param = 0;
        const int NumStart = I;
        if (I < S.size() && (S[I] == u'-' || S[I].isDigit())) {
            ++I;
            while (I < S.size() && S[I].isDigit()) ++I;
            Param = S.mid(NumStart, I - NumStart).toInt(&HasParam);
        }
        if (I < S.size() && S[I] == u' ') ++I;  // the delimiter belongs to the word
        word(G, Word, HasParam, Param, Pending);
    }

    void word(TGroupState& G, const String& W, bool HasParam, int Param, int& Pending) {
        if (W == QLatin1String("fonttbl")) {
            G.Dest = TDestination::FontTable;
        } else if (W == QLatin1String("colortbl")) {
            G.Dest = TDestination::ColorTable;
        } else if (W == QLatin1String("stylesheet") || W == QLatin1String("info") || W == QLatin1String("pict") ||
                   W == QLatin1String("header") || W == QLatin1String("footer")) {
            G.Dest = TDestination::Skip;
        } else if (W == QLatin1String("f")) {
            if (G.Dest == TDestination::FontTable)
                TableFont = Param;
            else
                G.Font = Param;
        } else if (W == QLatin1String("fs")) {
            G.HalfPoints = Param;
        } else if (W == QLatin1String("b")) {
            G.Bold = !HasParam || Param != 0;
        } else if (W == QLatin1String("i")) {
            G.Italic = !HasParam || Param != 0;
        } else if (W == QLatin1String("ul")) {
            G.Underline = !HasParam || Param != 0;
        } else if (W == QLatin1String("ulnone")) {
            G.Underline = false;
        } else if (W == QLatin1String("strike")) {
            G.Strike = !HasParam || Param != 0;
        } else if (W == QLatin1String("cf")) {
            G.Color = Param;
        } else if (W == QLatin1String("plain")) {
            const TDestination D = G.Dest;
            const int Skip = G.UnicodeSkip;
            G = TGroupState{};
            G.Dest = D;
            G.UnicodeSkip = Skip;
        } else if (W == QLatin1String("red")) {
            Red = Param;
            ColorSet = true;
        } else if (W == QLatin1String("green")) {
            Green = Param;
            ColorSet = true;
        } else if (W == QLatin1String("blue")) {
            Blue = Param;
            ColorSet = true;
        } else if (W == QLatin1String("par")) {
            if (G.Dest == TDestination::Text) {
                applyAlignment();
                FCursor.insertBlock();
            }
        } else if (W == QLatin1String("pard")) {
            Align = Qt::AlignLeft;
        } else if (W == QLatin1String("ql")) {
            Align = Qt::AlignLeft;
        } else if (W == QLatin1String("qc")) {
            Align = Qt::AlignHCenter;
        } else if (W == QLatin1String("qr")) {
            Align = Qt::AlignRight;
        } else if (W == QLatin1String("qj")) {
            Align = Qt::AlignJustify;
        } else if (W == QLatin1String("tab")) {
            putChar(G, u'\t', Pending);
        } else if (W == QLatin1String("line")) {
            putChar(G, QChar::LineSeparator, Pending);
        } else if (W == QLatin1String("uc")) {
            G.UnicodeSkip = std::max(0, Param);
        } else if (W == QLatin1String("u")) {
            putChar(G, QChar(static_cast<char16_t>(static_cast<unsigned short>(Param))), Pending);
            Pending = G.UnicodeSkip;
        }
    }

    // A character written by a control word: not skipped after \u.
    void putChar(TGroupState& G, QChar C, int& Pending) {
        Pending = 0;
        text(G, C);
    }

    void text(TGroupState& G, QChar C) {
        switch (G.Dest) {
            case TDestination::Skip:
                return;
            case TDestination::FontTable:
                if (C == u';') {
                    if (TableFont >= static_cast<int>(Fonts.size())) Fonts.resize(static_cast<size_t>(TableFont) + 1);
                    Fonts[static_cast<size_t>(TableFont)] = TableText.trimmed();
                    TableText.clear();
                } else {
                    TableText += C;
                }
                return;
            case TDestination::ColorTable:
                if (C == u';') {
                    Colors.push_back(ColorSet ? QColor(Red, Green, Blue) : QColor());
                    Red = Green = Blue = 0;
                    ColorSet = false;
                }
                return;
            case TDestination::Text:
                break;
        }
        QTextCharFormat F;
        const String Name =
            G.Font >= 0 && G.Font < static_cast<int>(Fonts.size()) && !Fonts[static_cast<size_t>(G.Font)].isEmpty()
                ? Fonts[static_cast<size_t>(G.Font)]
                : FBase.Name();
        F.setFontFamilies({Name});
        F.setFontPointSize(G.HalfPoints > 0 ? G.HalfPoints / 2.0 : FBase.Size());
        F.setFontWeight(G.Bold ? QFont::Bold : QFont::Normal);
        F.setFontItalic(G.Italic);
        F.setFontUnderline(G.Underline);
        F.setFontStrikeOut(G.Strike);
        if (G.Color > 0 && G.Color < static_cast<int>(Colors.size()) && Colors[static_cast<size_t>(G.Color)].isValid())
            F.setForeground(Colors[static_cast<size_t>(G.Color)]);
        FCursor.insertText(String(C), F);
    }

    void closeTableEntry(TGroupState& G) {
        // A font entry may end with its group instead of a ";".
        if (G.Dest == TDestination::FontTable && !TableText.trimmed().isEmpty()) text(G, u';');
    }

    void applyAlignment() {
        QTextBlockFormat F = FCursor.blockFormat();
        F.setAlignment(Align);
        FCursor.setBlockFormat(F);
    }
};

}  // namespace

bool ReadRichText(const String& Text, QTextDocument& Doc, const TFont& Base) {
    TRtfReader Reader(Text, Doc, Base);
    return Reader.Run();
}

String PlainTextToRichText(const String& Text) {
    QTextDocument Doc;
    String Plain = Text;
    Plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    Doc.setPlainText(Plain);
    TFont Base;
    return WriteRichText(Doc, Base);
}
