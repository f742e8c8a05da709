// The lookup popup of TAdvEdit, the inline completion and history of TAdvLUEdit, and what both
// keep in an INI file.
#include "components/controls/AdvEdit.h"
#include "components/controls/AdvLUEdit.h"
#include "framework/rtl/Files.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/PlatformFacts.h"
#include "tests/controls/EditFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class AdvEditLookup : public EditFixture {
protected:
    TAdvEdit* lookupEdit(std::initializer_list<const char*> Items, int NumChars = 2) {
        auto* E = newEdit();
        E->Lookup()->SetEnabled(true);
        E->Lookup()->SetNumChars(NumChars);
        for (const char* I : Items) E->Lookup()->DisplayList()->Add(QString::fromUtf8(I));
        return E;
    }
    static QStringList shown(TAdvEdit* E) {
        QStringList Rows;
        if (!E->LookupVisible()) return Rows;
        TStrings* Items = E->LookupListBox()->Items();
        for (int I = 0; I < Items->Count(); ++I) Rows << Items->Strings(I);
        return Rows;
    }
};

TEST_F(AdvEditLookup, TheListShowsTheMatchesOfWhatWasTyped) {
    struct Case {
        const char* Typed;
        bool CaseSensitive;
        bool FullText;
        QStringList Rows;
    };
    const Case Cases[] = {
        {"a", false, false, {}},          {"ap", false, false, {"Apple", "apricot"}},
        {"ap", true, false, {"apricot"}}, {"an", false, false, {}},
        {"an", false, true, {"Banana"}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Typed);
        auto* E = lookupEdit({"Banana", "apricot", "Apple"});
        E->Lookup()->SetCaseSensitive(C.CaseSensitive);
        E->SetFullTextSearch(C.FullText);
        type(E, QString::fromUtf8(C.Typed));
        EXPECT_EQ(shown(E), C.Rows);
        E->Free();
    }
}

TEST_F(AdvEditLookup, AcceptingWritesTheValueOrAddsAnEntry) {
    auto* E = lookupEdit({"Apple", "Banana"});
    E->Lookup()->ValueList()->Add(QStringLiteral("3"));
    E->Lookup()->ValueList()->Add(QStringLiteral("7"));
    E->Lookup()->SetShowValue(true);
    E->Lookup()->SetValueSeparator(vsSquareBracket);
    type(E, QStringLiteral("ba"));
    EXPECT_EQ(shown(E), QStringList{"Banana [7]"});
    E->Perform(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(E->Text(), QStringLiteral("7"));
    EXPECT_FALSE(E->LookupVisible());

    auto* M = lookupEdit({"cat", "bird", "bee"}, 1);
    M->Lookup()->SetMulti(true);
    M->SetText(QStringLiteral("a;"));
    caret(M, 2, 2);
    type(M, QStringLiteral("b"));
    ASSERT_EQ(shown(M), (QStringList{"bee", "bird"})) << "only the entry after the last separator is matched";
    M->Perform(WM_KEYDOWN, VK_DOWN, 0);
    M->AcceptLookup();
    EXPECT_EQ(M->Text(), QStringLiteral("a;bird;"));
    EXPECT_EQ(M->SelStart(), 7);
}

TEST_F(AdvEditLookup, SixMatchesShowFourRowsAndAScrollBar) {
    auto* E = lookupEdit({"aa1", "aa2", "aa3", "aa4", "aa5", "aa6"});
    E->Lookup()->SetDisplayCount(6);
    type(E, QStringLiteral("aa"));
    const TRect Whole = E->LookupList()->BoundsRect();
    E->Lookup()->SetDisplayCount(4);
    E->UpdateLookup();
    const TRect Four = E->LookupList()->BoundsRect();
    EXPECT_EQ(Four.Height() - 4, (Whole.Height() - 4) / 6 * 4);
    EXPECT_EQ(Four.Width(), Whole.Width() + GetSystemMetrics(SM_CXHSCROLL));
    const TPoint EditOnScreen = Form->ClientToScreen(Point(E->Left(), E->Top()));
    EXPECT_EQ(Four.Top, EditOnScreen.Y + E->Height() - 4);
}

// --- The lookup edit

class AdvLUEditTest : public EditFixture {
protected:
    // Each character as a keyboard sends it: key down, the character, key up.
    static void keyboard(TAdvLUEdit* E, const String& Text) {
        for (QChar C : Text) {
            const Word VK = C == u'\b' ? VK_BACK : static_cast<Word>(C.toUpper().unicode());
            E->Perform(WM_KEYDOWN, VK, 0);
            E->Perform(WM_CHAR, C.unicode(), 0);
            E->Perform(WM_KEYUP, VK, 0);
        }
    }
    TAdvLUEdit* cities() {
        auto* E = newEdit<TAdvLUEdit>();
        E->LookupItems()->Add(QStringLiteral("Berlin"));
        E->LookupItems()->Add(QStringLiteral("Bern"));
        return E;
    }
};

TEST_F(AdvLUEditTest, TypingCompletesFromTheItems) {
    struct Case {
        const char* Typed;
        bool MatchCase;
        const char* Text;
        int SelStart, SelLength;
    };
    const Case Cases[] = {
        {"Ber", false, "Berlin", 3, 3}, {"Bern", false, "Bern", 4, 0}, {"Ber\b", false, "Ber", 3, 0},
        {"ber", false, "berlin", 3, 3}, {"ber", true, "ber", 3, 0},    {"X", false, "X", 1, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Typed);
        auto* E = cities();
        E->SetMatchCase(C.MatchCase);
        keyboard(E, QString::fromUtf8(C.Typed));
        EXPECT_EQ(E->Text(), QString::fromUtf8(C.Text));
        EXPECT_EQ(E->SelStart(), C.SelStart);
        EXPECT_EQ(E->SelLength(), C.SelLength);
        E->Free();
    }
    auto* E = cities();
    E->SetText(QStringLiteral("berlin"));
    E->Perform(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(E->Text(), QStringLiteral("Berlin")) << "Return takes the item as it is stored";
}

TEST_F(AdvLUEditTest, LeavingAddsTheTextOnceAndSharesItWithSiblings) {
    auto* E = newEdit<TAdvLUEdit>();
    auto* Sibling = newEdit<TAdvLUEdit>();
    auto* Other = newEdit<TAdvLUEdit>();
    for (TAdvLUEdit* X : {E, Sibling, Other}) {
        X->SetAutoHistory(true);
        X->SetAutoSynchronize(true);
    }
    Other->LookupPersist()->SetSection(QStringLiteral("Elsewhere"));
    int Added = 0;
    E->OnAddToHistory = [&](TObject*, const String&) { ++Added; };
    E->SetText(QStringLiteral("Paris"));
    E->Perform(CM_EXIT, 0, 0);
    E->Perform(CM_EXIT, 0, 0);
    EXPECT_EQ(E->LookupItems()->Count(), 1);
    EXPECT_EQ(Added, 1);
    EXPECT_EQ(Sibling->LookupItems()->Text(), E->LookupItems()->Text());
    EXPECT_EQ(Other->LookupItems()->Count(), 0) << "another section keeps its own list";

    bool Asked = false;
    E->Accept = [&](TObject*, const String&, int, bool& Accept) {
        Asked = true;
        Accept = false;
    };
    E->SetText(QStringLiteral("Rome"));
    E->Perform(CM_EXIT, 0, 0);
    EXPECT_TRUE(Asked);
    EXPECT_EQ(E->LookupItems()->Count(), 1) << "a refused text is not added";
}

TEST_F(AdvLUEditTest, WithAnEmptyListNamesFromTheFileSystemComplete) {
    QTemporaryDir Dir;
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("Windows")));
    auto* E = newEdit<TAdvLUEdit>();
    E->SetFileLookup(true);
    const String Typed = Dir.path() + QStringLiteral("/Wi");
    E->SetText(Typed);
    caret(E, static_cast<int>(Typed.size()), static_cast<int>(Typed.size()));
    keyboard(E, QStringLiteral("n"));
    EXPECT_EQ(E->Text(), Dir.path() + QStringLiteral("/Windows"));
    EXPECT_EQ(E->SelStart(), Typed.size() + 1);
    EXPECT_EQ(E->SelLength(), 4) << "the added characters are selected";
}

// --- Stores

class EditStores : public EditFixture {
protected:
    // The edits save when their windows go, while the folder is still there.
    void TearDown() override { Form.release()->Free(); }
    QTemporaryDir Dir;
    String path(const char* Name) const { return Dir.filePath(QString::fromUtf8(Name)); }
    static QByteArray bytes(const String& File) {
        QFile F(File);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
};

TEST_F(EditStores, TheValueAndTheHistoryAreWrittenAsTheIniSection) {
    auto* E = newEdit();
    E->SetName(QStringLiteral("Amount"));
    E->Persistence()->SetEnable(true);
    E->Persistence()->SetKey(path("values.ini"));
    E->Persistence()->SetSection(QStringLiteral("Form1"));
    E->SetPrefix(QStringLiteral("$"));
    E->SetText(QStringLiteral("12.50"));
    E->Lookup()->SetEnabled(true);
    E->Lookup()->SetHistory(true);
    E->Lookup()->AddPair(QStringLiteral("first"), QStringLiteral("1"));
    E->Lookup()->AddPair(QStringLiteral("second"), QStringLiteral("2"));
    E->SavePersist();
    EXPECT_EQ(bytes(path("values.ini")),
              QByteArray("[Form1]\nAmount=$12.50\nLOOKUPCOUNT=2\nLOOKUPDISPL1=first\nLOOKUPVAL1=1\n"
                         "LOOKUPDISPL2=second\nLOOKUPVAL2=2\n"));

    auto* Back = newEdit();
    Back->Lookup()->SetEnabled(true);
    Back->Lookup()->SetHistory(true);
    Back->Persistence()->Assign(E->Persistence());
    E->Free();
    Back->SetName(QStringLiteral("Amount"));
    Back->LoadPersist();
    EXPECT_EQ(window(Back), QStringLiteral("$12.50"));
    EXPECT_EQ(Back->Lookup()->DisplayList()->Text(), QStringLiteral("first\nsecond\n"));
    EXPECT_EQ(Back->Lookup()->ValueList()->Text(), QStringLiteral("1\n2\n"));
}

TEST_F(EditStores, LoadedHistoryStaysAlignedAndHasNoDoubles) {
    QFile F(path("history.ini"));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(
        "[S]\nLOOKUPCOUNT=3\nLOOKUPDISPL1=one\nLOOKUPVAL1=\nLOOKUPDISPL2=two\nLOOKUPVAL2=2\n"
        "LOOKUPDISPL3=one\nLOOKUPVAL3=9\n");
    F.close();
    auto* E = newEdit();
    E->SetName(QStringLiteral("E"));
    E->Lookup()->SetEnabled(true);
    E->Lookup()->SetHistory(true);
    E->Persistence()->SetEnable(true);
    E->Persistence()->SetKey(path("history.ini"));
    E->Persistence()->SetSection(QStringLiteral("S"));
    E->LoadPersist();
    EXPECT_EQ(E->Lookup()->DisplayList()->Text(), QStringLiteral("one\ntwo\n"));
    EXPECT_EQ(E->Lookup()->ValueList()->Text(), QStringLiteral("\n2\n")) << "an empty value keeps its place";
}

TEST_F(EditStores, AnEmptySectionIsTheNameBothWays) {
    auto* E = newEdit();
    E->SetName(QStringLiteral("Price"));
    E->Persistence()->SetEnable(true);
    E->Persistence()->SetKey(path("round.ini"));
    E->SetText(QStringLiteral("42"));
    E->Free();  // destroying the window saves
    EXPECT_EQ(bytes(path("round.ini")), QByteArray("[Price]\nPrice=42\n"));

    auto* Back = newEdit();
    Back->SetName(QStringLiteral("Price"));
    Back->Persistence()->SetEnable(true);
    Back->Persistence()->SetKey(path("round.ini"));
    Back->LoadPersist();
    EXPECT_EQ(Back->Text(), QStringLiteral("42"));
}

TEST_F(EditStores, TheLookupEditKeepsTheNewestEntriesAndEndsTheList) {
    auto* E = newEdit<TAdvLUEdit>();
    E->LookupPersist()->SetEnable(true);
    E->LookupPersist()->SetKey(path("history.ini"));
    E->LookupPersist()->SetMaxCount(true);
    E->LookupPersist()->SetCount(3);
    for (const char* Item : {"a", "b", "c", "d", "e"}) E->LookupItems()->Add(QString::fromUtf8(Item));
    E->Free();  // the window's end saves once
    EXPECT_EQ(bytes(path("history.ini")), QByteArray("[Values]\nItem1=c\nItem2=d\nItem3=e\nItem4=\n"));

    auto* Back = newEdit<TAdvLUEdit>();
    Back->LookupPersist()->SetEnable(true);
    Back->LookupPersist()->SetKey(path("history.ini"));
    Back->LoadPersist();
    EXPECT_EQ(Back->LookupItems()->Text(), QStringLiteral("c\nd\ne\n"));
}

TEST_F(EditStores, AStoreThatFailsSurfacesUnlessTheEditIsGoing) {
    auto* E = newEdit();
    E->SetName(QStringLiteral("Lost"));
    E->Persistence()->SetEnable(true);
    E->Persistence()->SetKey(path("missing/folder/x.ini"));
    EXPECT_THROW(E->SavePersist(), EIniFileException);
    EXPECT_NO_THROW(E->Free());
    auto* Other = new TForm(nullptr);
    auto* F = new TAdvEdit(Other);
    F->SetParent(Other);
    F->SetName(QStringLiteral("Lost"));
    F->Persistence()->SetEnable(true);
    F->Persistence()->SetKey(path("missing/folder/x.ini"));
    F->HandleNeeded();
    EXPECT_NO_THROW(Other->Free()) << "nor when its form goes";
}

}  // namespace
