#include "framework/rtl/StringList.h"

#include "framework/rtl/Streams.h"

#include <QStringDecoder>
#include <algorithm>
#include <numeric>

namespace {

// Keeps BeginUpdate/EndUpdate paired when an operation raises half way.
class UpdateScope {
public:
    explicit UpdateScope(TStrings* S) : FStrings(S) { FStrings->BeginUpdate(); }
    ~UpdateScope() { FStrings->EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    TStrings* FStrings;
};

String quoted(const String& S, Char Quote) {
    String Result = Quote;
    for (Char C : S) {
        Result += C;
        if (C == Quote) Result += C;
    }
    return Result + Quote;
}

bool isBlank(Char C) { return C.unicode() >= 1 && C.unicode() <= 0x20; }

String joinDelimited(const TStrings& L, Char Delimiter, Char Quote, bool Strict) {
    if (L.Count() == 1 && L.Strings(0).isEmpty()) return String(2, Quote);
    String Result;
    for (int I = 0; I < L.Count(); ++I) {
        const String S = L.Strings(I);
        const bool NeedsQuotes = std::any_of(S.begin(), S.end(), [&](Char C) {
            return C == Quote || C == Delimiter || C.unicode() == 0 || (!Strict && isBlank(C));
        });
        if (I > 0) Result += Delimiter;
        Result += NeedsQuotes ? quoted(S, Quote) : S;
    }
    return Result;
}

// Reads a quoted item starting at the quote at P: doubled quotes stand for one, a single one
// ends the item (or the end of the text does).
String extractQuoted(const String& V, qsizetype& P, Char Quote) {
    String Result;
    ++P;
    while (P < V.size()) {
        if (V[P] == Quote) {
            if (P + 1 < V.size() && V[P + 1] == Quote) {
                Result += Quote;
                P += 2;
                continue;
            }
            ++P;
            break;
        }
        Result += V[P++];
    }
    return Result;
}

void splitDelimited(TStrings& L, const String& V, Char Delimiter, Char Quote, bool Strict) {
    UpdateScope Update(&L);
    L.Clear();
    qsizetype P = 0;
    const auto skipBlanks = [&] {
        if (!Strict)
            while (P < V.size() && isBlank(V[P])) ++P;
    };
    skipBlanks();
    while (P < V.size()) {
        String S;
        if (V[P] == Quote) {
            S = extractQuoted(V, P, Quote);
        } else {
            const qsizetype Start = P;
            while (P < V.size() && V[P] != Delimiter && (Strict || V[P].unicode() > 0x20)) ++P;
            S = V.mid(Start, P - Start);
        }
        L.Add(S);
        skipBlanks();
        if (P < V.size() && V[P] == Delimiter) {
            // A delimiter at the very end stands for a last empty item.
            if (P + 1 == V.size()) L.Add(String());
            ++P;
            skipBlanks();
        }
    }
}

String decodeText(const QByteArray& Bytes) {
    if (Bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(Bytes.mid(3));
    if (Bytes.startsWith("\xFF\xFE")) {
        QStringDecoder Decoder(QStringDecoder::Utf16LE);
        return Decoder.decode(Bytes.mid(2));
    }
    if (Bytes.startsWith("\xFE\xFF")) {
        QStringDecoder Decoder(QStringDecoder::Utf16BE);
        return Decoder.decode(Bytes.mid(2));
    }
    // Stateless, so a sequence cut off at the end counts as an error too.
    QStringDecoder Decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    String Result = Decoder.decode(Bytes);
    return Decoder.hasError() ? QString::fromLatin1(Bytes) : Result;
}

}  // namespace

// --- TStrings --------------------------------------------------------------------------------

void TStrings::Error(const char* Pattern, int Value) const {
    throw EStringListError(QString::fromLatin1(Pattern).arg(Value));
}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return S1.compare(S2, Qt::CaseInsensitive); }

void TStrings::Put(int Index, const String& S) {
    TObject* Obj = GetObject(Index);
    UpdateScope Update(this);
    Delete(Index);
    InsertObject(Index, S, Obj);
}

String TStrings::Names(int Index) const {
    const String S = Get(Index);
    const auto P = S.indexOf(FNameValueSeparator);
    return P >= 0 ? S.left(P) : String();
}

String TStrings::Values(const String& Name) const {
    const int I = IndexOfName(Name);
    return I >= 0 ? ValueFromIndex(I) : String();
}

void TStrings::SetValues(const String& Name, const String& Value) {
    const int I = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (I >= 0) Delete(I);
    } else if (I >= 0) {
        Put(I, Name + FNameValueSeparator + Value);
    } else {
        Add(Name + FNameValueSeparator + Value);
    }
}

String TStrings::ValueFromIndex(int Index) const {
    const String S = Get(Index);
    const auto P = S.indexOf(FNameValueSeparator);
    return P >= 0 ? S.mid(P + 1) : String();
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
    if (Value.isEmpty())
        Delete(Index);
    else
        Put(Index, Names(Index) + FNameValueSeparator + Value);
}

String TStrings::Text() const {
    String Result;
    for (int I = 0; I < Count(); ++I) {
        Result += Get(I);
        if (FTrailingLineBreak || I + 1 < Count()) Result += FLineBreak;
    }
    return Result;
}

void TStrings::SetText(const String& Value) {
    UpdateScope Update(this);
    Clear();
    qsizetype Start = 0;
    const qsizetype N = Value.size();
    while (Start < N) {
        qsizetype End = Start;
        while (End < N && Value[End] != u'\n' && Value[End] != u'\r') ++End;
        Add(Value.mid(Start, End - Start));
        if (End < N && Value[End] == u'\r' && End + 1 < N && Value[End + 1] == u'\n') ++End;
        Start = End + 1;
    }
}

String TStrings::DelimitedText() const { return joinDelimited(*this, FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(const String& Value) {
    splitDelimited(*this, Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStrings::CommaText() const { return joinDelimited(*this, u',', u'"', false); }

void TStrings::SetCommaText(const String& Value) { splitDelimited(*this, Value, u',', u'"', false); }

int TStrings::Add(const String& S) {
    const int Index = Count();
    Insert(Index, S);
    return Index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
    const int Index = Add(S);
    PutObject(Index, AObject);
    return Index;
}

void TStrings::AddStrings(TStrings* Strings) {
    UpdateScope Update(this);
    for (int I = 0; I < Strings->Count(); ++I) AddObject(Strings->Get(I), Strings->GetObject(I));
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
    UpdateScope Update(this);
    const String S1 = Get(Index1);
    TObject* O1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, S1);
    PutObject(Index2, O1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    UpdateScope Update(this);
    const String S = Get(CurIndex);
    TObject* Obj = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, S, Obj);
}

int TStrings::IndexOf(const String& S) const {
    for (int I = 0; I < Count(); ++I)
        if (CompareStrings(Get(I), S) == 0) return I;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const {
    for (int I = 0; I < Count(); ++I) {
        const String S = Get(I);
        const auto P = S.indexOf(FNameValueSeparator);
        if (P >= 0 && CompareStrings(S.left(P), Name) == 0) return I;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
    for (int I = 0; I < Count(); ++I)
        if (GetObject(I) == AObject) return I;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const {
    if (!Strings || Strings->Count() != Count()) return false;
    for (int I = 0; I < Count(); ++I)
        if (Get(I) != Strings->Get(I)) return false;
    return true;
}

void TStrings::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TStrings*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this) return;
    UpdateScope Update(this);
    Clear();
    FNameValueSeparator = Other->FNameValueSeparator;
    FDelimiter = Other->FDelimiter;
    FQuoteChar = Other->FQuoteChar;
    FStrictDelimiter = Other->FStrictDelimiter;
    FLineBreak = Other->FLineBreak;
    FTrailingLineBreak = Other->FTrailingLineBreak;
    AddStrings(Other);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream* Stream) {
    const TBytes Bytes = Stream->ReadToEnd();
    SetText(decodeText(QByteArray(reinterpret_cast<const char*>(Bytes.data()), static_cast<qsizetype>(Bytes.size()))));
}

void TStrings::SaveToStream(TStream* Stream) const { Stream->WriteString(Text()); }

void TStrings::LoadFromFile(const String& FileName) {
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&Stream);
}

void TStrings::SaveToFile(const String& FileName) const {
    const QByteArray Bytes = Text().toUtf8();
    SaveFileAtomically(FileName, Bytes.constData(), Bytes.size());
}

// --- TStringList -----------------------------------------------------------------------------

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (TStringItem& Item : FList) FreeAndNil(Item.FObject);
}

void TStringList::checkIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%1)", Index);
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
    const int Folded = S1.compare(S2, Qt::CaseInsensitive);
    if (!FCaseSensitive || Folded != 0) return Folded;
    // Case decides only between words otherwise equal, lower case first, as the platform's
    // word sort orders them ("a" < "A" < "b").
    for (qsizetype I = 0; I < std::min(S1.size(), S2.size()); ++I) {
        if (S1[I] == S2[I]) continue;
        if (S1[I].isLower() != S2[I].isLower()) return S1[I].isLower() ? -1 : 1;
        return S1[I].unicode() < S2[I].unicode() ? -1 : 1;
    }
    return 0;
}

void TStringList::Changing() {
    if (UpdateCount() == 0) {
        if (OnChanging) OnChanging(this);
    } else if (!FChangingSent) {
        FChangingSent = true;
        if (OnChanging) OnChanging(this);
    }
}

void TStringList::Changed() {
    if (UpdateCount() == 0) {
        if (OnChange) OnChange(this);
    } else {
        FChangedInUpdate = true;
    }
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating) {
        FChangingSent = false;
        FChangedInUpdate = false;
    } else if (FChangedInUpdate) {
        FChangedInUpdate = false;
        if (OnChange) OnChange(this);
    }
}

String TStringList::Get(int Index) const {
    checkIndex(Index);
    return FList[static_cast<size_t>(Index)].FString;
}

TObject* TStringList::GetObject(int Index) const {
    checkIndex(Index);
    return FList[static_cast<size_t>(Index)].FObject;
}

bool TStringList::Find(const String& S, int& Index) const {
    if (!FSorted) {
        Index = IndexOf(S);
        const bool Found = Index >= 0;
        if (!Found) Index = Count();
        return Found;
    }
    bool Found = false;
    int L = 0, H = Count() - 1;
    while (L <= H) {
        const int I = (L + H) / 2;
        const int C = CompareStrings(FList[static_cast<size_t>(I)].FString, S);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                // The first of equal strings, unless duplicates are kept: then after the last.
                if (FDuplicates != dupAccept) L = I;
            }
        }
    }
    Index = L;
    return Found;
}

int TStringList::IndexOf(const String& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int Index = 0;
    return Find(S, Index) ? Index : -1;
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
    int Index = Count();
    if (FSorted && Find(S, Index)) {
        if (FDuplicates == dupIgnore) return Index;
        if (FDuplicates == dupError) throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    }
    insertItem(Index, S, AObject);
    return Index;
}

void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
    if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    if (Index < 0 || Index > Count()) Error("List index out of bounds (%1)", Index);
    insertItem(Index, S, AObject);
}

void TStringList::insertItem(int Index, const String& S, TObject* AObject) {
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Put(int Index, const String& S) {
    if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    checkIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FString = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
    checkIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

void TStringList::Delete(int Index) {
    checkIndex(Index);
    Changing();
    TObject* Obj = FList[static_cast<size_t>(Index)].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects) FreeAndNil(Obj);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem> Old;
    Old.swap(FList);
    if (FOwnsObjects)
        for (TStringItem& Item : Old) FreeAndNil(Item.FObject);
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    checkIndex(Index1);
    checkIndex(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    checkIndex(CurIndex);
    checkIndex(NewIndex);
    Changing();
    TStringItem Item = std::move(FList[static_cast<size_t>(CurIndex)]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(Item));
    Changed();
}

void TStringList::sortWith(const std::function<bool(const TStringItem&, const TStringItem&)>& Less) {
    if (Count() < 2) return;
    Changing();
    std::stable_sort(FList.begin(), FList.end(), Less);
    Changed();
}

void TStringList::Sort() {
    sortWith([this](const TStringItem& A, const TStringItem& B) { return CompareStrings(A.FString, B.FString) < 0; });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (FSorted || Count() < 2) return;
    // Compare reads the list by index, so order a permutation and leave the list alone meanwhile.
    std::vector<int> Order(FList.size());
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(this, A, B) < 0; });
    std::vector<TStringItem> Sorted;
    Sorted.reserve(FList.size());
    for (int I : Order) Sorted.push_back(FList[static_cast<size_t>(I)]);
    Changing();
    FList.swap(Sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (FCaseSensitive == Value) return;
    FCaseSensitive = Value;
    if (FSorted) Sort();
}
