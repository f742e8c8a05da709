#include "components/grid/model/GridLists.h"

#include "framework/rtl/SysUtils.h"

int IntListSerial = 0;

namespace {

void* toItem(int Value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)); }
int fromItem(void* Item) { return static_cast<int>(reinterpret_cast<std::intptr_t>(Item)); }

constexpr std::uint32_t kDescendingBit = 0x80000000u;
constexpr std::uint32_t kColumnBits = 0x7FFFFFFFu;

// Reads an integer from the start of S as far as it goes: leading blanks, a sign, "$" or "0x"
// for hexadecimal; the value read before the first character that does not belong counts.
int leadingInteger(const String& S) {
    int I = 0;
    const int N = S.length();
    while (I < N && S[I] == u' ') ++I;
    bool Negative = false;
    if (I < N && (S[I] == u'-' || S[I] == u'+')) Negative = S[I++] == u'-';
    int Base = 10;
    if (I < N && S[I] == u'$') {
        Base = 16;
        ++I;
    } else if (I + 1 < N && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
        Base = 16;
        I += 2;
    }
    std::int64_t Value = 0;
    for (; I < N; ++I) {
        const char16_t Ch = S[I].unicode();
        int Digit = -1;
        if (Ch >= u'0' && Ch <= u'9')
            Digit = Ch - u'0';
        else if (Base == 16 && Ch >= u'a' && Ch <= u'f')
            Digit = Ch - u'a' + 10;
        else if (Base == 16 && Ch >= u'A' && Ch <= u'F')
            Digit = Ch - u'A' + 10;
        if (Digit < 0) break;
        Value = Value * Base + Digit;
        if (Value > 0xFFFFFFFFll) break;  // beyond 32 bits the reading stops
    }
    const auto Truncated = static_cast<std::int32_t>(static_cast<std::uint32_t>(Value));
    return Negative ? -Truncated : Truncated;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIntList

TIntList::TIntList(int Col, int Row) : FCol(Col), FRow(Row), FTag(IntListSerial++) {}

void TIntList::changed() {
    if (OnChange) {
        const TImageChangeEvent Handler = OnChange;
        Handler(this, FCol, FRow);
    }
}

int TIntList::GetInteger(int Index) const { return fromItem(TList::Items(Index)); }

void TIntList::SetInteger(int Index, int Value) {
    TList::SetItems(Index, toItem(Value));
    changed();
}

void TIntList::Add(int Value) {
    TList::Add(toItem(Value));
    changed();
}

void TIntList::Delete(int Index) {
    TList::Delete(Index);
    changed();
}

void TIntList::Insert(int Index, int Value) { TList::Insert(Index, toItem(Value)); }

int TIntList::searchMiddle(int Value, bool& Found) const {
    Found = false;
    int Low = 0;
    int High = Count() - 1;
    int Middle = 0;
    while (Low <= High) {
        Middle = Low + (High - Low) / 2;
        const int Item = GetInteger(Middle);
        if (Value < Item)
            High = Middle - 1;
        else if (Item < Value)
            Low = Middle + 1;
        else {
            Found = true;
            break;
        }
    }
    return Middle;
}

int TIntList::SortedPosOf(int Value) const {
    if (Count() == 0) return 0;
    bool Found = false;
    const int Middle = searchMiddle(Value, Found);
    return GetInteger(Middle) < Value ? Middle + 1 : Middle;
}

int TIntList::SortedIndexOf(int Value) const {
    if (Count() == 0) return -1;
    if (Count() == 1 && GetInteger(0) == Value) return 0;
    bool Found = false;
    const int Middle = searchMiddle(Value, Found);
    return Found ? Middle : -1;
}

void TIntList::Insert(int Value) {
    if (Count() == 0) {
        Add(Value);
        return;
    }
    Insert(SortedPosOf(Value), Value);
}

bool TIntList::HasValue(int Value) const {
    for (int I = 0; I < Count(); ++I)
        if (GetInteger(I) == Value) return true;
    return false;
}

void TIntList::DeleteValue(int Value) {
    for (int I = 0; I < Count(); ++I) {
        if (GetInteger(I) == Value) {
            Delete(I);
            return;
        }
    }
}

String TIntList::StrValue() const {
    String Result;
    for (int I = 0; I < Count(); ++I) {
        if (I > 0) Result += u',';
        Result += String::number(GetInteger(I));
    }
    return Result;
}

void TIntList::SetStrValue(const String& Value) {
    Clear();
    TStringList Items;
    Items.SetCommaText(Value);
    for (int I = 0; I < Items.Count(); ++I) Add(StrToInt(Items.Strings(I)));
}

// ---------------------------------------------------------------------------------------------
// TSortIndexList

int TSortIndexList::GetSortColumns(int Index) const {
    return static_cast<int>(static_cast<std::uint32_t>(GetInteger(Index)) & kColumnBits);
}

bool TSortIndexList::GetSortDirections(int Index) const {
    return (static_cast<std::uint32_t>(GetInteger(Index)) & kDescendingBit) == 0;
}

void TSortIndexList::SetSortColumns(int Index, int Value) {
    const std::uint32_t Key = static_cast<std::uint32_t>(GetInteger(Index));
    SetInteger(Index, static_cast<int>((Key & kDescendingBit) | (static_cast<std::uint32_t>(Value) & kColumnBits)));
}

void TSortIndexList::SetSortDirections(int Index, bool Value) {
    const std::uint32_t Key = static_cast<std::uint32_t>(GetInteger(Index));
    SetInteger(Index, static_cast<int>(Value ? Key & ~kDescendingBit : Key | kDescendingBit));
}

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending) {
    std::uint32_t Key = static_cast<std::uint32_t>(ColumnIndex) & kColumnBits;
    if (!Ascending) Key |= kDescendingBit;
    Add(static_cast<int>(Key));
}

int TSortIndexList::FindIndex(int ColumnIndex) const {
    for (int I = 0; I < Count(); ++I)
        if (GetSortColumns(I) == ColumnIndex) return I;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex) {
    const int I = FindIndex(ColumnIndex);
    if (I >= 0) SetInteger(I, static_cast<int>(static_cast<std::uint32_t>(GetInteger(I)) ^ kDescendingBit));
}

String TSortIndexList::SaveToString() const {
    String Result;
    for (int I = 0; I < Count(); ++I) {
        if (I > 0) Result += u';';
        Result += GetSortDirections(I) ? u'u' : u'd';
        Result += String::number(static_cast<std::uint32_t>(GetInteger(I)) & 0xFFFFu);
    }
    return Result;
}

void TSortIndexList::LoadFromString(const String& S) {
    Clear();
    String Rest = S;
    while (!Rest.isEmpty()) {
        const int Sep = Rest.indexOf(u';');
        const String Piece = Sep < 0 ? Rest : Rest.left(Sep);
        Rest = Sep < 0 ? String() : Rest.mid(Sep + 1);
        if (Piece.length() < 2) continue;
        AddIndex(leadingInteger(Piece.mid(1)), Piece[0] == u'u');
    }
}

// ---------------------------------------------------------------------------------------------
// TFileStringList

void TFileStringList::Reset() {
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(String& S) {
    if (Eof()) Error("List index out of bounds (%d)", fp);
    S = Strings(fp);
    ++fp;
}

void TFileStringList::WriteLn(const String& S) {
    Add(cache + S);
    cache.clear();
}
