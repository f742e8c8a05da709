#include "framework/ui/MaskEngine.h"

#include "framework/rtl/FormatSettings.h"

#include <algorithm>

namespace {

struct TPatternChar {
    char16_t Code;
    TMaskCharClass Class;
    bool Required;
};

constexpr TPatternChar kPatternChars[] = {
    {u'0', TMaskCharClass::Digit, true},          {u'9', TMaskCharClass::Digit, false},
    {u'#', TMaskCharClass::DigitOrSign, false},   {u'L', TMaskCharClass::Letter, true},
    {u'l', TMaskCharClass::Letter, false},        {u'A', TMaskCharClass::LetterOrDigit, true},
    {u'a', TMaskCharClass::LetterOrDigit, false}, {u'C', TMaskCharClass::AnyChar, true},
    {u'c', TMaskCharClass::AnyChar, false},
};

const TPatternChar* patternCharOf(Char C) {
    for (const TPatternChar& P : kPatternChars)
        if (C == QChar(P.Code)) return &P;
    return nullptr;
}

// The pattern field and the two option fields, split at the last two ";" (a pattern may hold
// an escaped ";").
void splitFields(const String& Mask, String& Pattern, String& Save, String& Blank, bool& HasSave, bool& HasBlank) {
    Pattern = Mask;
    HasSave = HasBlank = false;
    auto unescapedSemicolon = [](const String& S) {
        for (int I = static_cast<int>(S.size()) - 1; I >= 0; --I)
            if (S[I] == u';' && (I == 0 || S[I - 1] != u'\\')) return I;
        return -1;
    };
    const int Last = unescapedSemicolon(Pattern);
    if (Last < 0) return;
    const String Tail = Pattern.mid(Last + 1);
    Pattern = Pattern.left(Last);
    const int Before = unescapedSemicolon(Pattern);
    if (Before >= 0) {
        Save = Pattern.mid(Before + 1);
        Pattern = Pattern.left(Before);
        Blank = Tail;
        HasSave = HasBlank = true;
    } else {
        Save = Tail;
        HasSave = true;
    }
}

Char blankOf(const TEditMaskInfo& Mask, Char C) { return C == Mask.Blank || C == u' ' ? Char(u' ') : C; }

}  // namespace

bool TEditMaskInfo::IsInput(int Position) const {
    return Position >= 0 && Position < Length() && Slots[size_t(Position)].Class != TMaskCharClass::Literal;
}

TEditMaskInfo ParseEditMask(const String& Mask) {
    TEditMaskInfo Info;
    if (Mask.isEmpty()) return Info;
    String Pattern, Save, Blank;
    bool HasSave = false, HasBlank = false;
    splitFields(Mask, Pattern, Save, Blank, HasSave, HasBlank);
    if (HasSave) Info.SaveLiterals = !(Save.size() == 1 && Save[0] == u'0');
    if (HasBlank && !Blank.isEmpty()) Info.Blank = Blank[0];
    TMaskCase Case = TMaskCase::None;
    for (int I = 0; I < Pattern.size(); ++I) {
        const Char C = Pattern[I];
        if (C == u'!') {
            Info.LeadingBlanks = true;
            continue;
        }
        if (C == u'<' && I + 1 < Pattern.size() && Pattern[I + 1] == u'>') {
            Case = TMaskCase::None;
            ++I;
            continue;
        }
        if (C == u'>' || C == u'<') {
            Case = C == u'>' ? TMaskCase::Upper : TMaskCase::Lower;
            continue;
        }
        TMaskSlot Slot;
        Slot.Case = Case;
        if (C == u'\\' && I + 1 < Pattern.size()) {
            Slot.Literal = Pattern[++I];
        } else if (const TPatternChar* P = patternCharOf(C)) {
            Slot.Class = P->Class;
            Slot.Required = P->Required;
        } else if (C == u':') {
            Slot.Literal = FormatSettings.TimeSeparator;
        } else if (C == u'/') {
            Slot.Literal = FormatSettings.DateSeparator;
        } else {
            Slot.Literal = C;
        }
        Info.Slots.push_back(Slot);
    }
    return Info;
}

bool MaskAcceptsChar(const TMaskSlot& Slot, Char Ch, Char& Stored) {
    bool Ok = false;
    switch (Slot.Class) {
        case TMaskCharClass::Literal:
            Ok = Ch == Slot.Literal;
            break;
        case TMaskCharClass::Digit:
            Ok = Ch >= u'0' && Ch <= u'9';
            break;
        case TMaskCharClass::DigitOrSign:
            Ok = (Ch >= u'0' && Ch <= u'9') || Ch == u'+' || Ch == u'-';
            break;
        case TMaskCharClass::Letter:
            Ok = Ch.isLetter();
            break;
        case TMaskCharClass::LetterOrDigit:
            Ok = Ch.isLetterOrNumber();
            break;
        case TMaskCharClass::AnyChar:
            Ok = Ch.unicode() >= 0x20;
            break;
    }
    if (!Ok) return false;
    Stored = Slot.Case == TMaskCase::Upper ? Ch.toUpper() : Slot.Case == TMaskCase::Lower ? Ch.toLower() : Ch;
    return true;
}

String FormatMaskText(const TEditMaskInfo& Mask, const String& Value) {
    if (Mask.Empty()) return Value;
    const int N = Mask.Length();
    String Result(N, Mask.Blank);
    // Walk the mask and the value side by side, from the end with "!": a value character equal
    // to the literal in turn stands for it, any other fills the next input position.
    const bool Backward = Mask.LeadingBlanks;
    int J = Backward ? static_cast<int>(Value.size()) - 1 : 0;
    auto valueLeft = [&] { return Backward ? J >= 0 : J < Value.size(); };
    auto step = [&] { J += Backward ? -1 : 1; };
    for (int K = 0; K < N; ++K) {
        const int I = Backward ? N - 1 - K : K;
        const TMaskSlot& Slot = Mask.Slots[size_t(I)];
        if (Slot.Class == TMaskCharClass::Literal) {
            Result[I] = Slot.Literal;
            if (valueLeft() && Value[J] == Slot.Literal) step();
            continue;
        }
        if (!valueLeft()) continue;
        Char Stored;
        const Char C = blankOf(Mask, Value[J]);
        if (C != u' ' && MaskAcceptsChar(Slot, C, Stored)) Result[I] = Stored;
        step();
    }
    return Result;
}

String MaskedTextOf(const TEditMaskInfo& Mask, const String& EditText) {
    if (Mask.Empty()) return EditText;
    String Result;
    for (int I = 0; I < Mask.Length(); ++I) {
        const Char C = I < EditText.size() ? EditText[I] : Mask.Blank;
        if (!Mask.IsInput(I)) {
            if (Mask.SaveLiterals) Result += C;
        } else {
            Result += blankOf(Mask, C);
        }
    }
    if (Mask.SaveLiterals) {
        // With "!" the blanks of each run of input positions lead: "7 " reads as " 7".
        if (Mask.LeadingBlanks)
            for (int I = 0; I < Mask.Length();) {
                if (!Mask.IsInput(I)) {
                    ++I;
                    continue;
                }
                int End = I;
                while (End < Mask.Length() && Mask.IsInput(End)) ++End;
                String Chars = Result.mid(I, End - I);
                Chars.remove(u' ');
                Result.replace(I, End - I, String(End - I - Chars.size(), u' ') + Chars);
                I = End;
            }
        return Result;
    }
    if (Mask.LeadingBlanks) {
        int Start = 0;
        while (Start < Result.size() && Result[Start] == u' ') ++Start;
        return Result.mid(Start);
    }
    int End = static_cast<int>(Result.size());
    while (End > 0 && Result[End - 1] == u' ') --End;
    return Result.left(End);
}

bool ValidateMaskText(const TEditMaskInfo& Mask, const String& EditText, int& ErrorPos) {
    ErrorPos = -1;
    for (int I = 0; I < Mask.Length(); ++I) {
        if (!Mask.IsInput(I)) continue;
        const TMaskSlot& Slot = Mask.Slots[size_t(I)];
        const Char C = I < EditText.size() ? blankOf(Mask, EditText[I]) : Char(u' ');
        Char Stored;
        const bool Empty = C == u' ';
        if ((Empty && Slot.Required) || (!Empty && !MaskAcceptsChar(Slot, C, Stored))) {
            ErrorPos = I;
            return false;
        }
    }
    return true;
}

int NextInputPosition(const TEditMaskInfo& Mask, int Position) {
    for (int I = std::max(0, Position); I < Mask.Length(); ++I)
        if (Mask.IsInput(I)) return I;
    return -1;
}

int PreviousInputPosition(const TEditMaskInfo& Mask, int Position) {
    for (int I = std::min(Position, Mask.Length()) - 1; I >= 0; --I)
        if (Mask.IsInput(I)) return I;
    return -1;
}
