#include "framework/rtl/StringList.h"

#include "framework/rtl/Files.h"
#include "framework/rtl/Streams.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QStringList>
#include <csignal>
#include <memory>

namespace {

QStringList linesOf(const TStrings& L) {
    QStringList Result;
    for (int I = 0; I < L.Count(); ++I) Result << L.Strings(I);
    return Result;
}

std::unique_ptr<TStringList> listOf(std::initializer_list<const char*> Items) {
    auto L = std::make_unique<TStringList>();
    for (const char* S : Items) L->Add(QString::fromUtf8(S));
    return L;
}

TEST(StringList, IndexOfAndValuesIgnoreCaseUnlessCaseSensitive) {
    struct Case {
        bool Sorted, CaseSensitive;
        const char* Query;
        int Expected;
    };
    const Case Cases[] = {
        {false, false, "BETA", 1}, {false, true, "BETA", -1}, {false, true, "Beta", 1},     {true, false, "ALPHA", 0},
        {true, true, "ALPHA", -1}, {true, true, "Alpha", 0},  {false, false, "gamma=", -1},
    };
    for (const Case& K : Cases) {
        auto L = listOf({"Alpha", "Beta", "Gamma=3"});
        L->SetCaseSensitive(K.CaseSensitive);
        L->SetSorted(K.Sorted);
        EXPECT_EQ(L->IndexOf(QString::fromLatin1(K.Query)), K.Expected)
            << K.Query << " sorted=" << K.Sorted << " cs=" << K.CaseSensitive;
        EXPECT_EQ(L->Values(QStringLiteral("GAMMA")), K.CaseSensitive ? QString() : QStringLiteral("3"));
    }
}

TEST(StringList, SortedListHonoursDuplicates) {
    struct Case {
        TDuplicates Duplicates;
        bool Sorted;
        int ExpectedCount;
        bool Raises;
    };
    const Case Cases[] = {
        {dupIgnore, true, 3, false},  // dropped without a word
        {dupAccept, true, 4, false},
        {dupError, true, 3, true},
        {dupError, false, 4, false},  // only sorted lists look for duplicates
    };
    for (const Case& K : Cases) {
        TStringList L;
        L.SetDuplicates(K.Duplicates);
        L.SetSorted(K.Sorted);
        L.Add(QStringLiteral("pear"));
        L.Add(QStringLiteral("apple"));
        L.Add(QStringLiteral("fig"));
        if (K.Raises) {
            try {
                L.Add(QStringLiteral("APPLE"));
                ADD_FAILURE() << "dupError did not raise";
            } catch (const EStringListError& E) {
                EXPECT_EQ(E.Message(), QStringLiteral("String list does not allow duplicates"));
            }
        } else {
            const int Index = L.Add(QStringLiteral("APPLE"));
            if (K.Duplicates == dupIgnore) {
                EXPECT_EQ(Index, 0) << "the index of the string already there";
            }
        }
        EXPECT_EQ(L.Count(), K.ExpectedCount) << K.Duplicates;
        if (K.Sorted) {
            EXPECT_EQ(L.Strings(0).toLower(), QStringLiteral("apple"));
        }
    }
}

TEST(StringList, SortedListRefusesPositionalEditsAndFindsByBinarySearch) {
    auto L = listOf({"delta", "bravo", "alpha"});
    L->SetSorted(true);
    EXPECT_EQ(linesOf(*L), (QStringList{"alpha", "bravo", "delta"}));
    EXPECT_EQ(L->Add(QStringLiteral("charlie")), 2);
    for (auto Call : {+[](TStringList& S) { S.Insert(0, QStringLiteral("x")); },
                      +[](TStringList& S) { S.Put(0, QStringLiteral("x")); }, +[](TStringList& S) { S.Move(0, 1); }}) {
        try {
            Call(*L);
            ADD_FAILURE() << "edit on a sorted list did not raise";
        } catch (const EStringListError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Operation not allowed on sorted list"));
        }
    }
    int Index = -1;
    EXPECT_TRUE(L->Find(QStringLiteral("CHARLIE"), Index));
    EXPECT_EQ(Index, 2);
    EXPECT_FALSE(L->Find(QStringLiteral("beta"), Index));
    EXPECT_EQ(Index, 1) << "where it would go";
    try {
        L->Strings(4);
        ADD_FAILURE();
    } catch (const EStringListError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("List index out of bounds (4)"));
    }
}

TEST(StringList, CaseSensitiveSortPutsLowerCaseFirst) {
    auto L = listOf({"b", "B", "A", "a", "ab"});
    L->SetCaseSensitive(true);
    L->Sort();
    EXPECT_EQ(linesOf(*L), (QStringList{"a", "A", "ab", "b", "B"}));
    L->CustomSort([](TStringList* S, int I, int J) { return S->Strings(J).compare(S->Strings(I)); });
    EXPECT_EQ(linesOf(*L), (QStringList{"b", "ab", "a", "B", "A"}));
}

// Counts the change events a list fires.
struct ChangeSpy {
    int Changing = 0, Changed = 0;
    explicit ChangeSpy(TStringList& L) {
        L.OnChanging = [this](TObject*) { ++Changing; };
        L.OnChange = [this](TObject*) { ++Changed; };
    }
};

TEST(StringList, ChangeEventsFireOncePerOutermostUpdate) {
    TStringList L;
    ChangeSpy Spy(L);
    L.Add(QStringLiteral("a"));
    L.Add(QStringLiteral("b"));
    L.Delete(0);
    EXPECT_EQ(Spy.Changing, 3);
    EXPECT_EQ(Spy.Changed, 3);

    L.BeginUpdate();
    L.BeginUpdate();
    L.Add(QStringLiteral("c"));
    L.SetText(QStringLiteral("x\ny\nz"));
    L.EndUpdate();
    EXPECT_EQ(Spy.Changed, 3) << "not before the outermost EndUpdate";
    EXPECT_EQ(Spy.Changing, 4) << "once, before the first change";
    L.EndUpdate();
    EXPECT_EQ(Spy.Changed, 4);

    L.BeginUpdate();
    L.IndexOf(QStringLiteral("x"));
    L.EndUpdate();
    EXPECT_EQ(Spy.Changing, 4) << "nothing changed";
    EXPECT_EQ(Spy.Changed, 4);

    L.Clear();
    L.Clear();  // already empty: no event
    EXPECT_EQ(Spy.Changed, 5);
}

TEST(StringList, TextRoundTrips) {
    struct Case {
        const char* In;
        QStringList Lines;
        const char* Out;
    };
    const Case Cases[] = {
        {"", {}, ""},
        {"one", {"one"}, "one\n"},
        {"one\r\ntwo\rthree\nfour\n", {"one", "two", "three", "four"}, "one\ntwo\nthree\nfour\n"},
        {"a\n\nb\r\n\r\n", {"a", "", "b", ""}, "a\n\nb\n\n"},
        {"\n", {""}, "\n"},
        {"\r\r\n", {"", ""}, "\n\n"},
    };
    for (const Case& K : Cases) {
        TStringList L;
        L.SetText(QString::fromLatin1(K.In));
        EXPECT_EQ(linesOf(L), K.Lines) << K.In;
        EXPECT_EQ(L.Text(), QString::fromLatin1(K.Out)) << K.In;
        TStringList Back;
        Back.SetText(L.Text());
        EXPECT_TRUE(Back.Equals(&L)) << K.In;
    }
    TStringList L;
    L.SetText(QStringLiteral("a\nb"));
    L.SetLineBreak(QStringLiteral("\r\n"));
    L.SetTrailingLineBreak(false);
    EXPECT_EQ(L.Text(), QStringLiteral("a\r\nb"));
}

TEST(StringList, DelimitedTextQuotesAndSplits) {
    struct Case {
        const char* Text;
        bool Strict;
        QStringList Items;
        const char* Back;
    };
    const Case Cases[] = {
        {"a,b,c", false, {"a", "b", "c"}, "a,b,c"},
        {"a b, c", false, {"a", "b", "c"}, "a,b,c"},  // blanks split too
        {"a b, c", true, {"a b", " c"}, "a b, c"},
        {"\"x, y\",\"say \"\"hi\"\"\"", false, {"x, y", "say \"hi\""}, "\"x, y\",\"say \"\"hi\"\"\""},
        {"a,,b,", false, {"a", "", "b", ""}, "a,,b,"},
        {"\"\"", false, {""}, "\"\""},
        {"", false, {}, ""},
        {"\"open", false, {"open"}, "open"},
    };
    for (const Case& K : Cases) {
        TStringList L;
        L.SetStrictDelimiter(K.Strict);
        L.SetDelimitedText(QString::fromLatin1(K.Text));
        EXPECT_EQ(linesOf(L), K.Items) << K.Text;
        EXPECT_EQ(L.DelimitedText(), QString::fromLatin1(K.Back)) << K.Text;
    }
    TStringList L;
    L.SetDelimiter(u';');
    L.SetStrictDelimiter(true);
    L.SetDelimitedText(QStringLiteral("one two;three"));
    EXPECT_EQ(linesOf(L), (QStringList{"one two", "three"}));
    EXPECT_EQ(L.CommaText(), QStringLiteral("\"one two\",three")) << "CommaText ignores the list's delimiter";
    L.SetCommaText(QStringLiteral("p q"));
    EXPECT_EQ(L.Count(), 2);
}

TEST(StringList, NameValuePairs) {
    auto L = listOf({"Host=example.org", "Port=8080", "plain", "Empty="});
    EXPECT_EQ(L->Names(0), QStringLiteral("Host"));
    EXPECT_EQ(L->Names(2), QString());
    EXPECT_EQ(L->ValueFromIndex(1), QStringLiteral("8080"));
    EXPECT_EQ(L->ValueFromIndex(2), QString());
    EXPECT_EQ(L->IndexOfName(QStringLiteral("empty")), 3);
    L->SetValues(QStringLiteral("port"), QStringLiteral("443"));
    EXPECT_EQ(L->Strings(1), QStringLiteral("port=443"));
    L->SetValues(QStringLiteral("User"), QStringLiteral("me"));
    EXPECT_EQ(L->Strings(4), QStringLiteral("User=me"));
    L->SetValues(QStringLiteral("HOST"), QString());  // an empty value deletes the line
    EXPECT_EQ(L->IndexOfName(QStringLiteral("Host")), -1);
    EXPECT_EQ(L->Count(), 4);
    L->SetNameValueSeparator(u':');
    L->Add(QStringLiteral("Key:Value=1"));
    EXPECT_EQ(L->Values(QStringLiteral("key")), QStringLiteral("Value=1"));
}

// Counts live instances, to see which objects a list frees.
class Counted : public TObject {
public:
    explicit Counted(int& Alive) : FAlive(Alive) { ++FAlive; }
    ~Counted() override { --FAlive; }

private:
    int& FAlive;
};

TEST(StringList, ObjectsTravelWithTheirStringsAndOwnedOnesAreFreed) {
    int Alive = 0;
    {
        TStringList L(true);
        auto* First = new Counted(Alive);
        L.AddObject(QStringLiteral("b"), First);
        L.AddObject(QStringLiteral("a"), new Counted(Alive));
        L.AddObject(QStringLiteral("c"), new Counted(Alive));
        L.Sort();
        EXPECT_EQ(L.Objects(1), First);
        EXPECT_EQ(L.IndexOfObject(First), 1);
        L.Move(1, 2);
        EXPECT_EQ(L.Objects(2), First);
        L.Delete(0);
        EXPECT_EQ(Alive, 2);

        TStringList Copy;
        Copy.Assign(&L);
        EXPECT_EQ(Copy.Objects(1), First) << "Assign copies the object pointers";
        L.Clear();
        EXPECT_EQ(Alive, 0);
        L.AddObject(QStringLiteral("x"), new Counted(Alive));
    }
    EXPECT_EQ(Alive, 0) << "the owning list frees what it holds";
}

TEST(StringList, AssignAcceptsAnyStringsAndRefusesOtherClasses) {
    auto Source = listOf({"one", "two"});
    Source->SetDelimiter(u'|');
    TStringList Dest;
    Dest.Add(QStringLiteral("old"));
    Dest.Assign(Source.get());
    EXPECT_TRUE(Dest.Equals(Source.get()));
    EXPECT_EQ(Dest.DelimitedText(), QStringLiteral("one|two"));

    TPersistent Foreign;
    try {
        Dest.Assign(&Foreign);
        ADD_FAILURE() << "Assign from a foreign class did not raise";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a TPersistent to a TStringList"));
    }
    EXPECT_EQ(Dest.Count(), 2) << "a refused Assign loses nothing";
}

TEST(StringList, LoadHonoursByteOrderMarks) {
    TempFolder Dir;
    struct Case {
        const char* Name;
        QByteArray Bytes;
        QStringList Lines;
    };
    const Case Cases[] = {
        {"plain UTF-8", QByteArray("gr\xC3\xBC\xC3\x9F\r\nzwei"), {QStringLiteral("grüß"), "zwei"}},
        {"UTF-8 BOM", QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\n"), {QStringLiteral("été")}},
        {"UTF-16LE BOM",
         QByteArray("\xFF\xFE"
                    "a\0\n\0\xE9\0",
                    8),
         {"a", QStringLiteral("é")}},
        {"UTF-16BE BOM", QByteArray("\xFE\xFF\0a\0\n\0\xE9", 8), {"a", QStringLiteral("é")}},
        {"Latin-1 bytes", QByteArray("caf\xE9"), {QStringLiteral("café")}},
    };
    for (const Case& K : Cases) {
        const String Path = Dir.File(QStringLiteral("in.txt"));
        {
            TFileStream F(Path, fmCreate);
            F.WriteBuffer(K.Bytes.constData(), K.Bytes.size());
        }
        TStringList L;
        L.LoadFromFile(Path);
        EXPECT_EQ(linesOf(L), K.Lines) << K.Name;
    }
}

TEST(StringList, SaveWritesUtf8AndLoadReadsItBack) {
    TempFolder Dir;
    const String Path = Dir.File(QStringLiteral("list.txt"));
    auto L = listOf({"ä", "b"});
    L->SaveToFile(Path);
    TMemoryStream M;
    M.LoadFromFile(Path);
    EXPECT_EQ(M.Size(), 5) << "UTF-8 without a byte-order mark";
    TStringList Back;
    Back.LoadFromFile(Path);
    EXPECT_TRUE(Back.Equals(L.get()));

    try {
        Back.LoadFromFile(Dir.File(QStringLiteral("missing.txt")));
        ADD_FAILURE();
    } catch (const EFOpenError& E) {
        EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Cannot open file \"") + Dir.File("missing.txt") + "\". "))
            << E.what();
    }
    EXPECT_EQ(Back.Count(), 2) << "a failed load keeps the list";
    EXPECT_THROW(L->SaveToFile(Dir.File(QStringLiteral("no/such/folder.txt"))), EFCreateError);
}

// Lowers the file-size limit, so that writing a big file fails part way even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t Bytes) {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limit = FOld;
        Limit.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};

TEST(StringList, FailedSaveLeavesThePreviousFile) {
    TempFolder Dir;
    const String Path = Dir.File(QStringLiteral("keep.txt"));
    auto Old = listOf({"previous", "content"});
    Old->SaveToFile(Path);

    TStringList Big;
    for (int I = 0; I < 2000; ++I) Big.Add(QStringLiteral("a line long enough to pass the limit quickly"));
    {
        FileSizeLimit Limit(4096);
        EXPECT_THROW(Big.SaveToFile(Path), EFCreateError);
    }
    TStringList Back;
    Back.LoadFromFile(Path);
    EXPECT_TRUE(Back.Equals(Old.get()));
    TSearchRec R;
    int Files = 0;
    for (int Found = FindFirst(Dir.File("*"), faAnyFile, R); Found == 0; Found = FindNext(R))
        if (!(R.Attr & faDirectory)) ++Files;
    FindClose(R);
    EXPECT_EQ(Files, 1) << "no temporary file is left behind";
}

}  // namespace
