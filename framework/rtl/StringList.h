// TStrings, the abstract list of strings each carrying an object, and TStringList, its
// concrete, optionally sorted form.
#pragma once

#include "framework/rtl/Component.h"

#include <functional>
#include <vector>

class TStream;
class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    int Count() const { return GetCount(); }
    String Strings(int Index) const { return Get(Index); }
    virtual void Put(int Index, const String& S);
    TObject* Objects(int Index) const { return GetObject(Index); }
    virtual void PutObject(int Index, TObject* AObject) {}

    // "Name=Value" lines; Values and IndexOfName compare names as IndexOf does.
    String Names(int Index) const;
    String Values(const String& Name) const;
    // An empty value deletes the line.
    void SetValues(const String& Name, const String& Value);
    String ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);
    Char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }

    // Every line followed by LineBreak (the last one too, while TrailingLineBreak is set).
    // Reading splits at "\r\n", "\n" and "\r".
    String Text() const;
    virtual void SetText(const String& Value);
    const String& LineBreak() const { return FLineBreak; }
    void SetLineBreak(const String& Value) { FLineBreak = Value; }
    bool TrailingLineBreak() const { return FTrailingLineBreak; }
    void SetTrailingLineBreak(bool Value) { FTrailingLineBreak = Value; }

    // Items joined by Delimiter; an item holding a blank (unless StrictDelimiter), the
    // delimiter or the quote character is quoted. Reading splits at blanks as well unless
    // StrictDelimiter is set.
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    Char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(Char Value) { FQuoteChar = Value; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    // DelimitedText with ',' and '"', blanks splitting.
    String CommaText() const;
    void SetCommaText(const String& Value);

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    void AddStrings(TStrings* Strings);
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, const String& S) = 0;
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int IndexOf(const String& S) const;
    int IndexOfName(const String& Name) const;
    int IndexOfObject(TObject* AObject) const;
    // Same count and the same strings, case sensitive; objects are not compared.
    bool Equals(TStrings* Strings) const;
    // Copies strings, objects and the text settings of any TStrings; other classes raise.
    void Assign(TPersistent* Source) override;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // UTF-8 unless the data starts with a UTF-8 or UTF-16 byte-order mark; bytes that are not
    // valid UTF-8 are read as Latin-1 rather than lost.
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream) const;
    void LoadFromFile(const String& FileName);
    // Writes a temporary file and renames it over FileName, so a failed save keeps the old file.
    void SaveToFile(const String& FileName) const;

protected:
    virtual String Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int Index) const { return nullptr; }
    // Called with true by the outermost BeginUpdate and with false by the outermost EndUpdate.
    virtual void SetUpdateState(bool Updating) {}
    // Names and IndexOf compare through this; TStrings ignores case.
    virtual int CompareStrings(const String& S1, const String& S2) const;
    [[noreturn]] void Error(const char* Pattern, int Value) const;

private:
    Char FNameValueSeparator = u'=';
    Char FDelimiter = u',';
    Char FQuoteChar = u'"';
    bool FStrictDelimiter = false;
    String FLineBreak = QStringLiteral("\n");
    bool FTrailingLineBreak = true;
    int FUpdateCount = 0;
};

// Negative when the item at Index1 sorts first.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;

    // Setting it sorts the list; while set, Add keeps the order and Insert, Put and Move raise.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // Checked on sorted lists only: dupIgnore drops the new string silently, dupError raises.
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    // Off by default: IndexOf, Find, Sort and Values ignore case.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // Frees the objects of deleted lines and of the list itself.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    // Outside an update both fire on every change; inside one, OnChanging fires before the first
    // change and OnChange once at the outermost EndUpdate, and neither when nothing changed.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* AObject) override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const String& S) const override;
    // Binary search of a sorted list: true when S is there; Index is its place or where it would go.
    bool Find(const String& S, int& Index) const;
    virtual void Sort();
    // Sorts an unsorted list with Compare; a sorted list keeps its order.
    virtual void CustomSort(const TStringListSortCompare& Compare);

protected:
    String Get(int Index) const override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    TObject* GetObject(int Index) const override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const String& S1, const String& S2) const override;
    virtual void Changing();
    virtual void Changed();

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    bool FChangingSent = false;
    bool FChangedInUpdate = false;

    void checkIndex(int Index) const;
    void insertItem(int Index, const String& S, TObject* AObject);
    void sortWith(const std::function<bool(const TStringItem&, const TStringItem&)>& Less);
};
