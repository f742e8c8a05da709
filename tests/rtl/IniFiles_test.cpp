#include "framework/rtl/IniFiles.h"
#include "framework/rtl/AtomicFile.h"

#include "framework/rtl/RegistryStore.h"
#include "framework/rtl/StringList.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <cstdlib>
#include <stdexcept>

namespace {

String joined(TStrings& List) {
    String Out;
    for (int I = 0; I < List.Count(); ++I) Out += (I ? QStringLiteral("|") : String()) + List.Strings(I);
    return Out;
}

QByteArray fileBytes(const String& FileName) {
    QFile F(FileName);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
}

void writeBytes(const String& FileName, const QByteArray& Data) {
    QFile F(FileName);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
    F.write(Data);
}

class IniFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetBeforeReplaceHook({}); }
    String file() const { return Folder.File(QStringLiteral("settings.ini")); }

    TempFolder Folder;
};

TEST_F(IniFileTest, SectionsAndKeysKeepTheOrderTheyWereWrittenIn) {
    TIniFile Ini(file());
    Ini.WriteString(QStringLiteral("Zeta"), QStringLiteral("b"), QStringLiteral("2"));
    Ini.WriteString(QStringLiteral("Zeta"), QStringLiteral("a"), QStringLiteral("1"));
    Ini.WriteString(QStringLiteral("Alpha"), QStringLiteral("c"), QStringLiteral("3"));
    Ini.WriteString(QStringLiteral("ZETA"), QStringLiteral("c"), QStringLiteral("4"));
    Ini.WriteString(QStringLiteral("Zeta"), QStringLiteral("B"), QStringLiteral("5"));

    EXPECT_EQ(fileBytes(file()), QByteArray("[Zeta]\nb=5\na=1\nc=4\n\n[Alpha]\nc=3\n"));
    TStringList List;
    Ini.ReadSections(&List);
    EXPECT_EQ(joined(List), QStringLiteral("Zeta|Alpha"));
    Ini.ReadSection(QStringLiteral("zeta"), &List);
    EXPECT_EQ(joined(List), QStringLiteral("b|a|c"));
    Ini.ReadSectionValues(QStringLiteral("Zeta"), &List);
    EXPECT_EQ(joined(List), QStringLiteral("b=5|a=1|c=4"));
}

TEST_F(IniFileTest, CommentsAndBlankLinesOfAnExistingFileSurvive) {
    writeBytes(file(),
               "; downloader settings\n"
               "\n"
               "[Paths]\n"
               "; where files go\n"
               "Target = /tmp/x\n"
               "\n"
               "# the network\n"
               "[Network]\n"
               "Proxy=none\n"
               "stray line\n");
    TIniFile Ini(file());
    EXPECT_EQ(Ini.ReadString(QStringLiteral("Paths"), QStringLiteral("target"), QString()), QStringLiteral("/tmp/x"));
    Ini.WriteString(QStringLiteral("Paths"), QStringLiteral("Target"), QStringLiteral("/home/y"));
    Ini.WriteString(QStringLiteral("Paths"), QStringLiteral("Temp"), QStringLiteral("/tmp"));
    Ini.WriteString(QStringLiteral("Network"), QStringLiteral("Timeout"), QStringLiteral("30"));
    Ini.WriteString(QStringLiteral("New"), QStringLiteral("Key"), QStringLiteral("v"));
    EXPECT_EQ(fileBytes(file()), QByteArray("; downloader settings\n"
                                            "\n"
                                            "[Paths]\n"
                                            "; where files go\n"
                                            "Target=/home/y\n"
                                            "Temp=/tmp\n"
                                            "\n"
                                            "# the network\n"
                                            "[Network]\n"
                                            "Proxy=none\n"
                                            "Timeout=30\n"
                                            "stray line\n"
                                            "\n"
                                            "[New]\n"
                                            "Key=v\n"));
}

TEST_F(IniFileTest, WindowsLineEndsAndAByteOrderMarkAreKept) {
    writeBytes(file(), "\xEF\xBB\xBF[S]\r\nName=\xC3\xA9t\xC3\xA9\r\n");
    TIniFile Ini(file());
    EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("Name"), QString()), QStringLiteral("\u00e9t\u00e9"));
    Ini.WriteString(QStringLiteral("S"), QStringLiteral("Other"), QStringLiteral("x"));
    EXPECT_EQ(fileBytes(file()), QByteArray("\xEF\xBB\xBF[S]\r\nName=\xC3\xA9t\xC3\xA9\r\nOther=x\r\n"));
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    TIniFile Ini(file());
    EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("S"), QStringLiteral("K"), 7), 7);
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("S"), QStringLiteral("K"), true));
    EXPECT_FALSE(Ini.SectionExists(QStringLiteral("S")));
    TStringList List;
    List.Add(QStringLiteral("left over"));
    Ini.ReadSection(QStringLiteral("S"), &List);
    EXPECT_EQ(List.Count(), 0);
    EXPECT_FALSE(QFile::exists(file()));  // reading never creates the file

    Ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("Other"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("T"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(IniFileTest, NumbersAndBooleansReadTheWayIniFilesStoreThem) {
    const struct {
        const char* Text;
        int Integer;  // 99 = the default
        int Boolean;  // -1 = the default
    } Cases[] = {
        {"42", 42, 1},   {" 7 ", 7, 1},     {"-3", -3, 1},           {"0", 0, 0},     {"1", 1, 1},
        {"$1F", 31, 1},  {"0x1f", 31, 1},   {"$FFFFFFFF", -1, 1},    {"true", 99, 1}, {"FALSE", 99, 0},
        {"yes", 99, -1}, {"12abc", 99, -1}, {"99999999999", 99, -1}, {"", 99, -1},    {"$", 99, -1},
    };
    writeBytes(file(), "[S]\n");
    TIniFile Ini(file());
    for (const auto& C : Cases) {
        Ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QString::fromLatin1(C.Text));
        EXPECT_EQ(Ini.ReadInteger(QStringLiteral("S"), QStringLiteral("K"), 99), C.Integer) << C.Text;
        const bool Expected = C.Boolean < 0 ? true : C.Boolean == 1;
        EXPECT_EQ(Ini.ReadBool(QStringLiteral("S"), QStringLiteral("K"), true), Expected) << C.Text;
        if (C.Boolean < 0) {
            EXPECT_FALSE(Ini.ReadBool(QStringLiteral("S"), QStringLiteral("K"), false)) << C.Text;
        }
    }
    Ini.WriteBool(QStringLiteral("S"), QStringLiteral("On"), true);
    Ini.WriteBool(QStringLiteral("S"), QStringLiteral("Off"), false);
    Ini.WriteInteger(QStringLiteral("S"), QStringLiteral("Int"), -12);
    EXPECT_TRUE(fileBytes(file()).endsWith("On=1\nOff=0\nInt=-12\n")) << fileBytes(file()).toStdString();
}

TEST_F(IniFileTest, ValuesComeBackExactly) {
    const String Values[] = {QStringLiteral("  padded  "),
                             QStringLiteral("\"quoted\""),
                             QStringLiteral("'single'"),
                             QStringLiteral("a=b;c"),
                             QString(),
                             QStringLiteral("\u00fcml\u00e4ut \U0001F600")};
    {
        TIniFile Ini(file());
        for (std::size_t I = 0; I < std::size(Values); ++I)
            Ini.WriteString(QStringLiteral("S"), QStringLiteral("K%1").arg(I), Values[I]);
    }
    TIniFile Ini(file());
    for (std::size_t I = 0; I < std::size(Values); ++I)
        EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("K%1").arg(I), QStringLiteral("?")), Values[I]);
}

TEST_F(IniFileTest, DeletedKeysAndErasedSectionsAreGone) {
    writeBytes(file(), "[A]\nx=1\ny=2\n[B]\nz=3\n[a]\nw=4\n");
    TIniFile Ini(file());
    Ini.DeleteKey(QStringLiteral("A"), QStringLiteral("X"));
    EXPECT_FALSE(Ini.ValueExists(QStringLiteral("A"), QStringLiteral("x")));
    EXPECT_TRUE(Ini.ValueExists(QStringLiteral("A"), QStringLiteral("y")));
    Ini.EraseSection(QStringLiteral("a"));
    EXPECT_FALSE(Ini.SectionExists(QStringLiteral("A")));
    EXPECT_EQ(fileBytes(file()), QByteArray("[B]\nz=3\n"));
    Ini.DeleteKey(QStringLiteral("Nowhere"), QStringLiteral("z"));  // nothing to do, no error
    EXPECT_EQ(fileBytes(file()), QByteArray("[B]\nz=3\n"));
}

TEST_F(IniFileTest, BadNamesAndValuesAreRefusedAndChangeNothing) {
    writeBytes(file(), "[S]\nK=v\n");
    TIniFile Ini(file());
    const struct {
        const char* Section;
        const char* Ident;
        const char* Value;
    } Cases[] = {
        {"S", "K", "two\nlines"}, {"S", "K=", "v"}, {"S", "", "v"},   {"", "K", "v"},
        {"S]", "K", "v"},         {"S", "[K", "v"}, {"S", ";K", "v"}, {"S", "K\r", "v"},
    };
    for (const auto& C : Cases) {
        EXPECT_THROW(
            Ini.WriteString(QString::fromLatin1(C.Section), QString::fromLatin1(C.Ident), QString::fromLatin1(C.Value)),
            EIniFileException)
            << C.Section << "/" << C.Ident;
    }
    EXPECT_EQ(fileBytes(file()), QByteArray("[S]\nK=v\n"));
    EXPECT_THROW(TIniFile Unnamed{String()}, EIniFileException);
}

TEST_F(IniFileTest, AnUnwritableFileRaisesAReadableErrorAndKeepsNothing) {
    writeBytes(Folder.File(QStringLiteral("blocker")), "a file, not a folder");
    const String FileName = Folder.File(QStringLiteral("blocker/settings.ini"));
    TIniFile Ini(FileName);
    try {
        Ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
        ADD_FAILURE() << "the write claimed success";
    } catch (const EIniFileException& E) {
        EXPECT_TRUE(E.Message().contains(FileName)) << E.what();
        EXPECT_TRUE(E.Message().contains(QStringLiteral("Not a directory"))) << E.what();
    }
    EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("dflt")), QStringLiteral("dflt"));
}

TEST_F(IniFileTest, AWriteCutOffBeforeItsRenameLeavesThePreviousFileWhole) {
    TIniFile Ini(file());
    Ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("first"));
    SetBeforeReplaceHook([](const String&) { throw std::runtime_error("power cut"); });
    EXPECT_THROW(Ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("second")),
                 std::runtime_error);
    SetBeforeReplaceHook({});
    EXPECT_EQ(fileBytes(file()), QByteArray("[S]\nK=first\n"));
    EXPECT_EQ(QDir(Folder.Path()).entryList(QDir::Files), QStringList({QStringLiteral("settings.ini")}));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QString()), QStringLiteral("first"));
}

TEST_F(IniFileTest, ReadsSeeAnotherWritersChanges) {
    TIniFile First(file());
    TIniFile Second(file());
    First.WriteString(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("1"));
    EXPECT_EQ(Second.ReadString(QStringLiteral("S"), QStringLiteral("A"), QString()), QStringLiteral("1"));
    Second.WriteString(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("2"));
    First.WriteString(QStringLiteral("S"), QStringLiteral("C"), QStringLiteral("3"));  // keeps Second's B
    EXPECT_EQ(fileBytes(file()), QByteArray("[S]\nA=1\nB=2\nC=3\n"));
}

TEST_F(IniFileTest, ABareNameLandsInTheUsersConfigurationFolder) {
    const char* ConfigHome = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(ConfigHome, nullptr);
    const String Expected = QString::fromLocal8Bit(ConfigHome) + QStringLiteral("/quillory/qvd-bare-test.ini");
    TIniFile Ini(QStringLiteral("qvd-bare-test.ini"));
    EXPECT_EQ(Ini.FileName(), Expected);
    EXPECT_EQ(UserConfigFolder(), QString::fromLocal8Bit(ConfigHome) + QStringLiteral("/quillory"));
    Ini.WriteBool(QStringLiteral("S"), QStringLiteral("K"), true);
    EXPECT_EQ(fileBytes(Expected), QByteArray("[S]\nK=1\n"));
    QFile::remove(Expected);
}

TEST_F(IniFileTest, MemIniFileSavesOnlyOnUpdateFile) {
    writeBytes(file(), "; kept\n[S]\nK=old\n");
    TMemIniFile Ini(file());
    Ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("new"));
    Ini.WriteString(QStringLiteral("T"), QStringLiteral("X"), QStringLiteral("1"));
    EXPECT_EQ(fileBytes(file()), QByteArray("; kept\n[S]\nK=old\n"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QString()), QStringLiteral("new"));
    Ini.UpdateFile();
    EXPECT_EQ(fileBytes(file()), QByteArray("; kept\n[S]\nK=new\n\n[T]\nX=1\n"));
    Ini.Clear();
    EXPECT_FALSE(Ini.SectionExists(QStringLiteral("S")));
}

}  // namespace
