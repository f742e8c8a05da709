#include "framework/rtl/Registry.h"
#include "framework/rtl/AtomicFile.h"

#include "framework/rtl/RegistryStore.h"
#include "framework/rtl/StringList.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <stdexcept>

namespace {

const char* const kChildFolder = "QVD_REGISTRY_CHILD_FOLDER";
const char* const kChildTask = "QVD_REGISTRY_CHILD_TASK";
const int kChildWrites = 100;

String joined(TStrings& List) {
    String Out;
    for (int I = 0; I < List.Count(); ++I) Out += (I ? QStringLiteral("|") : String()) + List.Strings(I);
    return Out;
}

QByteArray fileBytes(const String& FileName) {
    QFile F(FileName);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
}

// Every test gets a registry of its own.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { SetRegistryFolder(Folder.Path()); }
    void TearDown() override {
        SetBeforeReplaceHook({});
        SetRegistryFolder(String());
    }

    // Runs this test program again as a second process doing Task on the same registry.
    void runChild(const char* Task, QProcess& Child) {
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QString::fromLatin1(kChildFolder), Folder.Path());
        Env.insert(QString::fromLatin1(kChildTask), QString::fromLatin1(Task));
        Child.setProcessEnvironment(Env);
        Child.setProcessChannelMode(QProcess::MergedChannels);
        Child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=RegistryChildProcess.DISABLED_Task")});
        ASSERT_TRUE(Child.waitForStarted(30000));
    }
    void finishChild(QProcess& Child) {
        if (Child.state() != QProcess::NotRunning) {
            ASSERT_TRUE(Child.waitForFinished(120000));
        }
        EXPECT_EQ(Child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(Child.exitCode(), 0) << Child.readAll().toStdString();
    }

    TempFolder Folder;
};

// ---- keys and paths ----

struct OpenCase {
    const char* Name;
    const char* First;  // opened before, "" for none
    const char* Key;
    bool Opens;
    const char* Path;  // CurrentPath afterwards
};

const OpenCase kOpenCases[] = {
    {"FromTheRoot", "", "Software\\Quillory", true, "Software\\Quillory"},
    {"LeadingAndTrailingBackslash", "", "\\Software\\Quillory\\", true, "Software\\Quillory"},
    {"RelativeToTheOpenKey", "Software", "Quillory\\A", true, "Software\\Quillory\\A"},
    {"AbsoluteWhileAKeyIsOpen", "Software\\Quillory", "\\Software", true, "Software"},
    {"IgnoresCaseKeepsTheCallersSpelling", "", "SOFTWARE\\quillory\\a", true, "SOFTWARE\\quillory\\a"},
    {"DoubledBackslashesCollapse", "", "Software\\\\Quillory", true, "Software\\Quillory"},
    {"MissingKeyFailsAndKeepsTheOpenKey", "Software", "Missing", false, "Software"},
    {"RelativeMissingBelowTheOpenKey", "Software\\Quillory", "Software", false, "Software\\Quillory"},
};

class RegistryOpenKey : public RegistryTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(RegistryOpenKey, ResolvesThePath) {
    const OpenCase& C = GetParam();
    TRegistry Setup;
    ASSERT_TRUE(Setup.OpenKey(QStringLiteral("Software\\Quillory\\A\\B"), true));

    TRegistry Reg;
    if (*C.First) {
        ASSERT_TRUE(Reg.OpenKey(QString::fromLatin1(C.First), false));
    }
    EXPECT_EQ(Reg.OpenKey(QString::fromLatin1(C.Key), false), C.Opens);
    EXPECT_EQ(Reg.CurrentPath(), QString::fromLatin1(C.Path));
    EXPECT_EQ(Reg.CurrentKey() != nullptr, C.Opens || *C.First);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistryOpenKey, ::testing::ValuesIn(kOpenCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheCaseFirstWritten) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory"), true));
    Reg.WriteString(QStringLiteral("Volume"), QStringLiteral("1"));
    Reg.WriteString(QStringLiteral("VOLUME"), QStringLiteral("2"));
    ASSERT_TRUE(Reg.CreateKey(QStringLiteral("Sub")));
    ASSERT_TRUE(Reg.CreateKey(QStringLiteral("SUB\\Deeper")));
    Reg.WriteString(QStringLiteral("Another"), QString());

    TStringList Names;
    Reg.GetValueNames(&Names);
    EXPECT_EQ(joined(Names), QStringLiteral("Volume|Another"));
    EXPECT_EQ(Reg.ReadString(QStringLiteral("volume")), QStringLiteral("2"));
    Reg.GetKeyNames(&Names);
    EXPECT_EQ(joined(Names), QStringLiteral("Sub"));
    EXPECT_TRUE(Reg.HasSubKeys());
    EXPECT_TRUE(Reg.KeyExists(QStringLiteral("sub\\DEEPER")));
    EXPECT_TRUE(Reg.KeyExists(QStringLiteral("\\software\\quillory\\Sub")));
}

TEST_F(RegistryTest, MissingKeysAndValuesGiveDefaultsOrTheDocumentedErrors) {
    TRegistry Reg;
    EXPECT_FALSE(Reg.OpenKey(QStringLiteral("Software\\Nowhere"), false));
    EXPECT_FALSE(Reg.KeyExists(QStringLiteral("Software\\Nowhere")));
    EXPECT_FALSE(Reg.OpenKeyReadOnly(QStringLiteral("Software\\Nowhere")));
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory"), true));
    Reg.WriteString(QStringLiteral("Name"), QStringLiteral("text"));

    EXPECT_EQ(Reg.ReadString(QStringLiteral("Missing")), QString());
    EXPECT_FALSE(Reg.ValueExists(QStringLiteral("Missing")));
    EXPECT_EQ(Reg.GetDataSize(QStringLiteral("Missing")), -1);
    EXPECT_EQ(Reg.GetDataType(QStringLiteral("Missing")), rdUnknown);
    char Buffer[4];
    EXPECT_EQ(Reg.ReadBinaryData(QStringLiteral("Missing"), Buffer, 4), 0);

    struct Case {
        std::function<void()> Read;
        const char* Message;
    };
    const Case Cases[] = {
        {[&] { Reg.ReadInteger(QStringLiteral("Missing")); }, "Failed to get data for 'Missing'"},
        {[&] { Reg.ReadBool(QStringLiteral("Missing")); }, "Failed to get data for 'Missing'"},
        {[&] { Reg.ReadFloat(QStringLiteral("Missing")); }, "Failed to get data for 'Missing'"},
        {[&] { Reg.ReadInteger(QStringLiteral("Name")); }, "Invalid data type for 'Name'"},
        {[&] { Reg.ReadFloat(QStringLiteral("Name")); }, "Invalid data type for 'Name'"},
        {[&] { Reg.ReadBinaryData(QStringLiteral("Name"), Buffer, 4); }, "Invalid data type for 'Name'"},
    };
    for (const Case& C : Cases) {
        try {
            C.Read();
            ADD_FAILURE() << "no exception for: " << C.Message;
        } catch (const ERegistryException& E) {
            EXPECT_EQ(E.Message(), QString::fromLatin1(C.Message));
        }
    }
    Reg.WriteInteger(QStringLiteral("Count"), 3);
    EXPECT_THROW(Reg.ReadString(QStringLiteral("Count")), ERegistryException);
}

TEST_F(RegistryTest, TypedValuesRoundTripThroughTheFile) {
    // Quotes, escapes, a line break, a character outside the BMP and a lone surrogate.
    const String kText = QStringLiteral("quote \" back\\slash\nnew line \u00e9 \U0001F600 ") + QChar(0xD800);
    {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Types"), true));
        Reg.WriteString(QStringLiteral("Text"), kText);
        Reg.WriteExpandString(QStringLiteral("Path"), QStringLiteral("%HOME%/videos"));
        Reg.WriteInteger(QStringLiteral("Negative"), -2);
        Reg.WriteBool(QStringLiteral("Flag"), true);
        Reg.WriteFloat(QStringLiteral("Ratio"), 0.1);
        const Byte Blob[] = {0x00, 0xFF, 0x10};
        Reg.WriteBinaryData(QStringLiteral("Blob"), Blob, 3);
        Reg.WriteString(QString(), QStringLiteral("unnamed"));
    }
    // A second store on the same file parses what the first one wrote.
    std::string Text;
    ASSERT_TRUE(regstore::ReadWholeFile(RegistryFileName(HKEY_CURRENT_USER), Text));
    EXPECT_NE(Text.find("[Software\\Quillory\\Types]\n\"Text\"=sz:\"quote \\\" back\\\\slash\\nnew line"),
              std::string::npos)
        << Text;
    const regstore::RegKey Root = regstore::ParseRegistry(Text, QStringLiteral("copy"));
    const regstore::RegKey* Types = Root.Find(regstore::SplitKeyPath(QStringLiteral("Software\\Quillory\\Types")));
    ASSERT_NE(Types, nullptr);
    EXPECT_EQ(regstore::SerializeRegistry(Root), Text);

    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKeyReadOnly(QStringLiteral("Software\\Quillory\\Types")));
    EXPECT_EQ(Reg.ReadString(QStringLiteral("Text")), kText);
    EXPECT_EQ(Reg.ReadString(QStringLiteral("Path")), QStringLiteral("%HOME%/videos"));
    EXPECT_EQ(Reg.ReadInteger(QStringLiteral("Negative")), -2);
    EXPECT_TRUE(Reg.ReadBool(QStringLiteral("Flag")));
    EXPECT_EQ(Reg.ReadFloat(QStringLiteral("Ratio")), 0.1);
    EXPECT_EQ(Reg.ReadString(QString()), QStringLiteral("unnamed"));
    Byte Back[8] = {};
    EXPECT_EQ(Reg.ReadBinaryData(QStringLiteral("Blob"), Back, 8), 3);
    EXPECT_EQ(Back[1], 0xFF);
    EXPECT_THROW(Reg.ReadBinaryData(QStringLiteral("Blob"), Back, 2), ERegistryException);

    const struct {
        const char* Name;
        TRegDataType Type;
        int Size;
    } Infos[] = {{"Text", rdString, int(2 * (kText.size() + 1))},
                 {"Path", rdExpandString, 2 * (13 + 1)},
                 {"Negative", rdInteger, 4},
                 {"Blob", rdBinary, 3},
                 {"Ratio", rdBinary, 8}};
    for (const auto& Info : Infos) {
        TRegDataInfo Data;
        ASSERT_TRUE(Reg.GetDataInfo(QString::fromLatin1(Info.Name), Data)) << Info.Name;
        EXPECT_EQ(Data.RegData, Info.Type) << Info.Name;
        EXPECT_EQ(Data.DataSize, Info.Size) << Info.Name;
    }
}

TEST_F(RegistryTest, DeletedValuesAndKeysAreGone) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Doomed\\Child\\Grandchild"), true));
    Reg.WriteString(QStringLiteral("Deep"), QStringLiteral("x"));
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("\\Software\\Quillory"), false));
    Reg.WriteString(QStringLiteral("Keep"), QStringLiteral("k"));
    Reg.WriteString(QStringLiteral("Drop"), QStringLiteral("d"));

    EXPECT_TRUE(Reg.DeleteValue(QStringLiteral("DROP")));
    EXPECT_FALSE(Reg.DeleteValue(QStringLiteral("Drop")));
    EXPECT_TRUE(Reg.DeleteKey(QStringLiteral("Doomed")));
    EXPECT_FALSE(Reg.DeleteKey(QStringLiteral("Doomed")));

    TRegistry Fresh;
    EXPECT_FALSE(Fresh.KeyExists(QStringLiteral("Software\\Quillory\\Doomed\\Child")));
    ASSERT_TRUE(Fresh.OpenKey(QStringLiteral("Software\\Quillory"), false));
    EXPECT_FALSE(Fresh.ValueExists(QStringLiteral("Drop")));
    EXPECT_EQ(Fresh.ReadString(QStringLiteral("Keep")), QStringLiteral("k"));
    EXPECT_FALSE(Fresh.HasSubKeys());
    std::string Text;
    ASSERT_TRUE(regstore::ReadWholeFile(RegistryFileName(HKEY_CURRENT_USER), Text));
    EXPECT_EQ(Text.find("Doomed"), std::string::npos);
    EXPECT_EQ(Text.find("Drop"), std::string::npos);
}

TEST_F(RegistryTest, AReadOnlyKeyRefusesEveryWrite) {
    {
        TRegistry Setup;
        ASSERT_TRUE(Setup.OpenKey(QStringLiteral("Software\\Quillory"), true));
        Setup.WriteString(QStringLiteral("Name"), QStringLiteral("kept"));
    }
    const QByteArray Before = fileBytes(RegistryFileName(HKEY_CURRENT_USER));
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKeyReadOnly(QStringLiteral("Software\\Quillory")));
    try {
        Reg.WriteString(QStringLiteral("Name"), QStringLiteral("changed"));
        ADD_FAILURE() << "a read-only key took a write";
    } catch (const ERegistryException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Failed to set data for 'Name'"));
    }
    EXPECT_THROW(Reg.WriteInteger(QStringLiteral("Count"), 1), ERegistryException);
    EXPECT_FALSE(Reg.DeleteValue(QStringLiteral("Name")));
    EXPECT_FALSE(Reg.DeleteKey(QStringLiteral("Anything")));
    EXPECT_THROW(Reg.CreateKey(QStringLiteral("Sub")), ERegistryException);
    EXPECT_EQ(fileBytes(RegistryFileName(HKEY_CURRENT_USER)), Before);

    TRegistry ReadAccess(KEY_READ);
    EXPECT_FALSE(ReadAccess.OpenKey(QStringLiteral("Software\\NewKey"), true));
    ASSERT_TRUE(ReadAccess.OpenKey(QStringLiteral("Software\\Quillory"), true));
    EXPECT_THROW(ReadAccess.WriteString(QStringLiteral("Name"), QStringLiteral("x")), ERegistryException);
    TRegistry Closed;
    EXPECT_THROW(Closed.WriteString(QStringLiteral("Name"), QStringLiteral("x")), ERegistryException);
}

TEST_F(RegistryTest, RootKeysAreSeparateStores) {
    TRegistry User;
    ASSERT_TRUE(User.OpenKey(QStringLiteral("Software\\Quillory"), true));
    User.WriteString(QStringLiteral("Where"), QStringLiteral("user"));
    TRegistry Machine;
    Machine.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(Machine.KeyExists(QStringLiteral("Software\\Quillory")));
    EXPECT_NE(RegistryFileName(HKEY_LOCAL_MACHINE), RegistryFileName(HKEY_CURRENT_USER));
    EXPECT_EQ(RegistryFileName(HKEY_CURRENT_USER), Folder.File(QStringLiteral("registry")));
    Machine.SetRootKey(reinterpret_cast<HKEY>(std::uintptr_t(42)));
    EXPECT_THROW(Machine.OpenKey(QStringLiteral("Software"), false), ERegistryException);
}

// ---- the file ----

TEST_F(RegistryTest, AWriteCutOffBeforeItsRenameLeavesThePreviousFileWhole) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory"), true));
    Reg.WriteString(QStringLiteral("Name"), QStringLiteral("first"));
    const String FileName = RegistryFileName(HKEY_CURRENT_USER);
    const QByteArray Before = fileBytes(FileName);

    QByteArray Cut;
    SetBeforeReplaceHook([&](const String& TempName) {
        Cut = fileBytes(TempName);
        throw std::runtime_error("power cut");
    });
    EXPECT_THROW(Reg.WriteString(QStringLiteral("Name"), QStringLiteral("second")), std::runtime_error);
    SetBeforeReplaceHook({});

    EXPECT_TRUE(Cut.contains("\"Name\"=sz:\"second\"")) << Cut.toStdString();  // the new file was complete
    EXPECT_EQ(fileBytes(FileName), Before);
    EXPECT_EQ(QDir(Folder.Path()).entryList(QDir::Files),
              QStringList({QStringLiteral("registry"), QStringLiteral("registry.lock")}));
    TRegistry Fresh;
    ASSERT_TRUE(Fresh.OpenKey(QStringLiteral("Software\\Quillory"), false));
    EXPECT_EQ(Fresh.ReadString(QStringLiteral("Name")), QStringLiteral("first"));
}

TEST_F(RegistryTest, ADamagedFileIsReportedAndNeverOverwritten) {
    const String FileName = RegistryFileName(HKEY_CURRENT_USER);
    const QByteArray Damaged("[Software]\n\"Name\"=sz:\"unterminated\n");
    {
        QFile F(FileName);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Damaged);
    }
    TRegistry Reg;
    try {
        Reg.OpenKey(QStringLiteral("Software"), false);
        ADD_FAILURE() << "a damaged file was read";
    } catch (const ERegistryException& E) {
        EXPECT_TRUE(E.Message().contains(FileName)) << E.what();
        EXPECT_TRUE(E.Message().contains(QStringLiteral("line 2"))) << E.what();
    }
    EXPECT_THROW(Reg.OpenKey(QStringLiteral("Software"), true), ERegistryException);
    EXPECT_EQ(fileBytes(FileName), Damaged);
}

// ---- other programs ----

// The second process of the tests below: this program, run again with the task in its environment.
TEST(RegistryChildProcess, DISABLED_Task) {
    const char* Folder = std::getenv(kChildFolder);
    const char* Task = std::getenv(kChildTask);
    ASSERT_TRUE(Folder && Task);
    SetRegistryFolder(QString::fromLocal8Bit(Folder));
    TRegistry Reg;
    const std::string Name = Task;
    if (Name == "read-and-reply") {
        ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Shared"), false));
        EXPECT_EQ(Reg.ReadString(QStringLiteral("Greeting")), QStringLiteral("hello from the parent"));
        EXPECT_EQ(Reg.ReadInteger(QStringLiteral("Count")), 42);
        EXPECT_TRUE(Reg.ReadBool(QStringLiteral("Enabled")));
        EXPECT_FALSE(Reg.ValueExists(QStringLiteral("Gone")));
        Reg.WriteString(QStringLiteral("Reply"), QStringLiteral("hello from the child"));
    } else if (Name == "write-many") {
        ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Race"), true));
        for (int I = 0; I < kChildWrites; ++I) Reg.WriteInteger(QStringLiteral("Child%1").arg(I), I);
    } else if (Name == "touch-watched") {
        ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Watched\\Deep"), true));
        Reg.WriteString(QStringLiteral("FromChild"), QStringLiteral("yes"));
    } else {
        FAIL() << "unknown task " << Name;
    }
    SetRegistryFolder(String());
}

TEST_F(RegistryTest, AnotherProcessReadsWhatWasWrittenAndItsWritesAreSeen) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Shared"), true));
    Reg.WriteString(QStringLiteral("Greeting"), QStringLiteral("hello from the parent"));
    Reg.WriteInteger(QStringLiteral("Count"), 42);
    Reg.WriteBool(QStringLiteral("Enabled"), true);
    Reg.WriteString(QStringLiteral("Gone"), QStringLiteral("soon"));
    ASSERT_TRUE(Reg.DeleteValue(QStringLiteral("Gone")));
    EXPECT_EQ(Reg.ReadString(QStringLiteral("Reply")), QString());  // this process has the file cached now

    QProcess Child;
    runChild("read-and-reply", Child);
    finishChild(Child);

    EXPECT_EQ(Reg.ReadString(QStringLiteral("Reply")), QStringLiteral("hello from the child"));
    EXPECT_EQ(Reg.ReadInteger(QStringLiteral("Count")), 42);
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
    QProcess Child;
    runChild("write-many", Child);
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Race"), true));
    // Keep writing while the child writes, so the two really overlap.
    int Written = 0;
    while (Written < kChildWrites || Child.state() != QProcess::NotRunning) {
        Reg.WriteInteger(QStringLiteral("Parent%1").arg(Written), Written);
        ++Written;
        Child.waitForFinished(0);
    }
    finishChild(Child);

    TStringList Names;
    Reg.GetValueNames(&Names);
    EXPECT_EQ(Names.Count(), Written + kChildWrites);
    for (int I = 0; I < Written; ++I) EXPECT_EQ(Reg.ReadInteger(QStringLiteral("Parent%1").arg(I)), I);
    for (int I = 0; I < kChildWrites; ++I) EXPECT_EQ(Reg.ReadInteger(QStringLiteral("Child%1").arg(I)), I);
}

// ---- change notification ----

// Counts calls from the watcher thread and lets the test wait for them.
class ChangeCounter {
public:
    std::function<void()> Handler() {
        return [this] {
            std::lock_guard<std::mutex> Lock(FMutex);
            ++FCount;
            FChanged.notify_all();
        };
    }
    // Waits (up to a generous limit) until at least N calls arrived; returns the count.
    int WaitFor(int N) {
        std::unique_lock<std::mutex> Lock(FMutex);
        FChanged.wait_for(Lock, std::chrono::seconds(20), [&] { return FCount >= N; });
        return FCount;
    }
    int Count() {
        std::lock_guard<std::mutex> Lock(FMutex);
        return FCount;
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    int FCount = 0;
};

// Handlers of one change run in the order the watches were registered, so once the sentinel
// (registered last, watching everything) has been told of a write, every other watch that was going
// to fire for it has fired.
TEST_F(RegistryTest, AWatchFiresForChangesUnderItsKeyOnly) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.CreateKey(QStringLiteral("Software\\Quillory\\Watched\\Deep")));
    ASSERT_TRUE(Reg.CreateKey(QStringLiteral("Software\\Quillory\\Other")));
    ChangeCounter Tree, Shallow, Other, Sentinel;
    const int TreeId =
        RegNotifyChange(HKEY_CURRENT_USER, QStringLiteral("Software\\Quillory\\Watched"), true, Tree.Handler());
    const int ShallowId =
        RegNotifyChange(HKEY_CURRENT_USER, QStringLiteral("\\software\\quillory\\watched"), false, Shallow.Handler());
    const int OtherId =
        RegNotifyChange(HKEY_CURRENT_USER, QStringLiteral("Software\\Quillory\\Other"), true, Other.Handler());
    const int SentinelId = RegNotifyChange(HKEY_CURRENT_USER, QString(), true, Sentinel.Handler());

    struct Step {
        const char* What;
        std::function<void()> Change;
        int Tree, Shallow, Other;  // counts afterwards
    };
    const Step Steps[] = {
        {"a value two levels down is not the key's own change",
         [&] {
             ASSERT_TRUE(Reg.OpenKey(QStringLiteral("\\Software\\Quillory\\Watched\\Deep"), false));
             Reg.WriteString(QStringLiteral("V"), QStringLiteral("1"));
         },
         1, 0, 0},
        {"a value of the key itself",
         [&] {
             ASSERT_TRUE(Reg.OpenKey(QStringLiteral("\\Software\\Quillory\\Watched"), false));
             Reg.WriteInteger(QStringLiteral("Top"), 1);
         },
         2, 1, 0},
        {"another key",
         [&] {
             ASSERT_TRUE(Reg.OpenKey(QStringLiteral("\\Software\\Quillory\\Other"), false));
             Reg.WriteInteger(QStringLiteral("Top"), 1);
         },
         2, 1, 1},
        {"a sibling whose name starts the same",
         [&] { ASSERT_TRUE(Reg.CreateKey(QStringLiteral("\\Software\\Quillory\\WatchedToo"))); }, 2, 1, 1},
        {"deleting a subkey changes the key's own subkeys",
         [&] { ASSERT_TRUE(Reg.DeleteKey(QStringLiteral("\\Software\\Quillory\\Watched\\Deep"))); }, 3, 2, 1},
        {"a cancelled watch stays quiet",
         [&] {
             RegCancelNotify(TreeId);
             ASSERT_TRUE(Reg.OpenKey(QStringLiteral("\\Software\\Quillory\\Watched"), false));
             Reg.WriteInteger(QStringLiteral("Top"), 2);
         },
         3, 3, 1},
    };
    for (const Step& S : Steps) {
        const int Before = Sentinel.Count();
        S.Change();
        ASSERT_EQ(Sentinel.WaitFor(Before + 1), Before + 1) << S.What;
        EXPECT_EQ(Tree.Count(), S.Tree) << S.What;
        EXPECT_EQ(Shallow.Count(), S.Shallow) << S.What;
        EXPECT_EQ(Other.Count(), S.Other) << S.What;
    }
    for (int Id : {ShallowId, OtherId, SentinelId}) RegCancelNotify(Id);
}

TEST_F(RegistryTest, AWatchSeesAnotherProcessWrite) {
    TRegistry Reg;
    ASSERT_TRUE(Reg.CreateKey(QStringLiteral("Software\\Quillory\\Watched")));
    ChangeCounter Tree;
    const int Id =
        RegNotifyChange(HKEY_CURRENT_USER, QStringLiteral("Software\\Quillory\\Watched"), true, Tree.Handler());
    QProcess Child;
    runChild("touch-watched", Child);
    finishChild(Child);
    // The child creates the subkey and then writes the value: one call or two.
    EXPECT_GE(Tree.WaitFor(1), 1);
    RegCancelNotify(Id);
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\Watched\\Deep"), false));
    EXPECT_EQ(Reg.ReadString(QStringLiteral("FromChild")), QStringLiteral("yes"));
}

TEST_F(RegistryTest, AHandlerMayCancelItsOwnWatch) {
    std::mutex M;
    std::condition_variable Done;
    int Calls = 0;
    int Id = 0;
    {
        std::lock_guard<std::mutex> Lock(M);
        Id = RegNotifyChange(HKEY_CURRENT_USER, QStringLiteral("Software"), true, [&] {
            std::lock_guard<std::mutex> Lock(M);
            ++Calls;
            RegCancelNotify(Id);
            Done.notify_all();
        });
    }
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\A"), true));
    std::unique_lock<std::mutex> Lock(M);
    EXPECT_TRUE(Done.wait_for(Lock, std::chrono::seconds(20), [&] { return Calls > 0; }));
    Reg.WriteString(QStringLiteral("After"), QStringLiteral("cancelled"));
    EXPECT_EQ(Calls, 1);
    Lock.unlock();
    RegCancelNotify(Id);  // a second cancel is harmless
}

// ---- the registry as an INI file ----

TEST_F(RegistryTest, RegIniFileSeesSectionsAsSubkeys) {
    TRegIniFile Ini(QStringLiteral("Software\\Quillory\\IniView"));
    Ini.WriteString(QStringLiteral("Window"), QStringLiteral("Caption"), QStringLiteral("Main"));
    Ini.WriteInteger(QStringLiteral("Window"), QStringLiteral("Left"), 120);
    Ini.WriteBool(QStringLiteral("Window"), QStringLiteral("Maximized"), true);
    Ini.WriteString(QStringLiteral("Paths"), QStringLiteral("Target"), QStringLiteral("/videos"));
    Ini.WriteString(QString(), QStringLiteral("Version"), QStringLiteral("3"));

    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(QStringLiteral("Software\\Quillory\\IniView\\Window"), false));
    EXPECT_EQ(Reg.GetDataType(QStringLiteral("Left")), rdInteger);
    EXPECT_EQ(Reg.GetDataType(QStringLiteral("Caption")), rdString);
    Reg.WriteString(QStringLiteral("Width"), QStringLiteral(" 640 "));
    Reg.WriteString(QStringLiteral("Bad"), QStringLiteral("wide"));
    Reg.WriteString(QStringLiteral("Shown"), QStringLiteral("false"));

    const String W = QStringLiteral("window");
    EXPECT_EQ(Ini.ReadInteger(W, QStringLiteral("Left"), 0), 120);
    EXPECT_EQ(Ini.ReadInteger(W, QStringLiteral("Width"), 0), 640);
    EXPECT_EQ(Ini.ReadInteger(W, QStringLiteral("Bad"), 7), 7);
    EXPECT_EQ(Ini.ReadInteger(W, QStringLiteral("Missing"), 7), 7);
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("NoSection"), QStringLiteral("Left"), 7), 7);
    EXPECT_EQ(Ini.ReadString(W, QStringLiteral("Left"), QString()), QStringLiteral("120"));
    EXPECT_EQ(Ini.ReadString(W, QStringLiteral("Missing"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    EXPECT_TRUE(Ini.ReadBool(W, QStringLiteral("Maximized"), false));
    EXPECT_FALSE(Ini.ReadBool(W, QStringLiteral("Shown"), true));
    EXPECT_EQ(Ini.ReadString(QString(), QStringLiteral("Version"), QString()), QStringLiteral("3"));

    TStringList List;
    Ini.ReadSections(&List);
    EXPECT_EQ(joined(List), QStringLiteral("Window|Paths"));
    Ini.ReadSection(W, &List);
    EXPECT_EQ(joined(List), QStringLiteral("Caption|Left|Maximized|Width|Bad|Shown"));
    Ini.ReadSectionValues(QStringLiteral("Paths"), &List);
    EXPECT_EQ(joined(List), QStringLiteral("Target=/videos"));

    Ini.DeleteKey(W, QStringLiteral("Caption"));
    EXPECT_FALSE(Ini.ValueExists(W, QStringLiteral("Caption")));
    EXPECT_TRUE(Ini.SectionExists(QStringLiteral("Paths")));
    Ini.EraseSection(QStringLiteral("Paths"));
    EXPECT_FALSE(Ini.SectionExists(QStringLiteral("Paths")));
    EXPECT_TRUE(Ini.SectionExists(QString()));
    Ini.ReadSection(QStringLiteral("Paths"), &List);
    EXPECT_EQ(List.Count(), 0);
}

TEST_F(RegistryTest, RegistryIniFileServesCodeWrittenForIniFiles) {
    std::unique_ptr<TCustomIniFile> Ini =
        std::make_unique<TRegistryIniFile>(QStringLiteral("Software\\Quillory\\Settings"));
    Ini->WriteBool(QStringLiteral("Options"), QStringLiteral("Sound"), true);
    Ini->WriteInteger(QStringLiteral("Options"), QStringLiteral("Volume"), 80);
    EXPECT_TRUE(Ini->ReadBool(QStringLiteral("Options"), QStringLiteral("Sound"), false));
    EXPECT_EQ(Ini->ReadInteger(QStringLiteral("Options"), QStringLiteral("Volume"), 0), 80);
    EXPECT_TRUE(Ini->ValueExists(QStringLiteral("Options"), QStringLiteral("volume")));
    EXPECT_EQ(Ini->FileName(), QStringLiteral("Software\\Quillory\\Settings"));

    std::unique_ptr<TCustomIniFile> ReadOnly =
        std::make_unique<TRegistryIniFile>(QStringLiteral("Software\\Quillory\\Settings"), KEY_READ);
    EXPECT_EQ(ReadOnly->ReadInteger(QStringLiteral("Options"), QStringLiteral("Volume"), 0), 80);
    EXPECT_THROW(ReadOnly->WriteInteger(QStringLiteral("Options"), QStringLiteral("Volume"), 1), ERegistryException);
}

}  // namespace
