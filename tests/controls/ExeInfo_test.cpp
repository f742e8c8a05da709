#include "components/controls/ExeInfo.h"

#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Resources.h"
#include "framework/ui/PlatformFacts.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QFileInfo>

#include <cstdlib>
#include <memory>

namespace {

const String kRunTime = QStringLiteral("Updated at run-time");

// ---- Building a version resource the way the platform lays it out ----

struct TBlockModel {
    String Key;
    TBytes Value;
    bool Text = false;
    std::vector<TBlockModel> Children;
};

void putWord(TBytes& B, unsigned V) {
    B.push_back(Byte(V & 0xFF));
    B.push_back(Byte((V >> 8) & 0xFF));
}

void putDWord(TBytes& B, DWORD V) {
    putWord(B, V & 0xFFFF);
    putWord(B, V >> 16);
}

void pad(TBytes& B) {
    while (B.size() % 4) B.push_back(0);
}

TBytes buildBlock(const TBlockModel& S) {
    TBytes B(6, 0);
    for (QChar C : S.Key) putWord(B, C.unicode());
    putWord(B, 0);
    pad(B);
    B.insert(B.end(), S.Value.begin(), S.Value.end());
    for (const TBlockModel& Child : S.Children) {
        pad(B);
        const TBytes C = buildBlock(Child);
        B.insert(B.end(), C.begin(), C.end());
    }
    const size_t ValueLength = S.Text ? S.Value.size() / 2 : S.Value.size();
    B[0] = Byte(B.size() & 0xFF);
    B[1] = Byte(B.size() >> 8);
    B[2] = Byte(ValueLength & 0xFF);
    B[3] = Byte(ValueLength >> 8);
    B[4] = S.Text ? 1 : 0;
    return B;
}

TBlockModel text(const String& Key, const String& Value) {
    TBlockModel S{Key, {}, true, {}};
    for (QChar C : Value) putWord(S.Value, C.unicode());
    putWord(S.Value, 0);
    return S;
}

TBytes fixedInfo(const VS_FIXEDFILEINFO& F) {
    TBytes B;
    for (DWORD V : {F.dwSignature, F.dwStrucVersion, F.dwFileVersionMS, F.dwFileVersionLS, F.dwProductVersionMS,
                    F.dwProductVersionLS, F.dwFileFlagsMask, F.dwFileFlags, F.dwFileOS, F.dwFileType, F.dwFileSubtype,
                    F.dwFileDateMS, F.dwFileDateLS})
        putDWord(B, V);
    return B;
}

TBytes translations(std::initializer_list<std::pair<unsigned, unsigned>> Pairs) {
    TBytes B;
    for (auto [Language, CodePage] : Pairs) {
        putWord(B, Language);
        putWord(B, CodePage);
    }
    return B;
}

TBytes versionResource(const VS_FIXEDFILEINFO& Fixed, const TBytes& Translation,
                       const std::vector<TBlockModel>& Tables) {
    TBlockModel Root{QStringLiteral("VS_VERSION_INFO"), fixedInfo(Fixed), false, {}};
    Root.Children.push_back({QStringLiteral("StringFileInfo"), {}, true, Tables});
    Root.Children.push_back(
        {QStringLiteral("VarFileInfo"), {}, true, {{QStringLiteral("Translation"), Translation, false, {}}}});
    return buildBlock(Root);
}

// The running program's version resource for the length of a test.
class TVersionResourceGuard {
public:
    explicit TVersionResourceGuard(const TBytes& Data) {
        RegisterResource(RT_VERSION, VS_VERSION_INFO, Data.data(), Data.size());
    }
    ~TVersionResourceGuard() { UnregisterResource(RT_VERSION, VS_VERSION_INFO); }
};

const std::vector<TBlockModel> kAllTexts = {{
    QStringLiteral("040904B0"),
    {},
    true,
    {text(QStringLiteral("CompanyName"), QStringLiteral("Maker Ltd")),
     text(QStringLiteral("FileDescription"), QStringLiteral("Video fetcher")),
     text(QStringLiteral("FileVersion"), QStringLiteral("2.7.1.40")),
     text(QStringLiteral("InternalName"), QStringLiteral("fetcher")),
     text(QStringLiteral("LegalCopyright"), QStringLiteral("(c) Maker")),
     text(QStringLiteral("LegalTradeMarks"), QStringLiteral("TM")),
     text(QStringLiteral("OriginalFileName"), QStringLiteral("fetcher.exe")),
     text(QStringLiteral("ProductName"), QStringLiteral("Fetcher")),
     text(QStringLiteral("ProductVersion"), QStringLiteral("2.7")),
     text(QStringLiteral("Comments"), QStringLiteral("Ünïcode text"))},
}};

struct TTextsRead {
    String CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, LegalTradeMark, OriginalFileName,
        ProductName, ProductVersion, Comments;
};

TTextsRead textsOf(const TExeInfo& E) {
    return {E.CompanyName(),    E.FileDescription(),  E.FileVersion(), E.InternalName(),   E.LegalCopyright(),
            E.LegalTradeMark(), E.OriginalFileName(), E.ProductName(), E.ProductVersion(), E.Comments()};
}

void expectAllTexts(const TExeInfo& E, const String& Value) {
    const TTextsRead T = textsOf(E);
    for (const String& S : {T.CompanyName, T.FileDescription, T.FileVersion, T.InternalName, T.LegalCopyright,
                            T.LegalTradeMark, T.OriginalFileName, T.ProductName, T.ProductVersion, T.Comments})
        EXPECT_EQ(S, Value);
}

TDateTime programModified() {
    const QDateTime M = QFileInfo(ParamStr(0)).lastModified();
    return EncodeDate(Word(M.date().year()), Word(M.date().month()), Word(M.date().day())) +
           EncodeTime(Word(M.time().hour()), Word(M.time().minute()), Word(M.time().second()), 0);
}

}  // namespace

// ---- Creation and the version resource ----

TEST(ExeInfo, WithoutVersionResourceKeepsRunTimeTextsAndOwnVersion) {
    TExeInfo E(nullptr);
    expectAllTexts(E, kRunTime);
    EXPECT_EQ(E.FileFlags(), 0);
    EXPECT_EQ(E.FileOS(), 0);
    EXPECT_EQ(E.FileType(), 0);
    EXPECT_EQ(E.FileCreation(), 0.0);
    EXPECT_EQ(E.Version(), QStringLiteral("1.3.3.0"));
    E.SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(E.Version(), QStringLiteral("1.3.3.0"));
    // "Updated at run-time" is no number.
    EXPECT_THROW(E.MajorVersion(), EConvertError);
}

TEST(ExeInfo, CreateReadsEveryFieldOfTheProgramsResource) {
    VS_FIXEDFILEINFO F;
    F.dwFileFlagsMask = 0x0B;
    F.dwFileFlags = 0x3F;  // only the masked flags count
    F.dwFileOS = 0x00040004;
    F.dwFileType = 1;
    F.dwFileDateMS = 0x01BF53EB;  // 1 Jan 2000 00:00
    F.dwFileDateLS = 0x256D4000;
    TVersionResourceGuard Guard(versionResource(F, translations({{0x0409, 0x04B0}}), kAllTexts));

    TExeInfo E(nullptr);
    const TTextsRead T = textsOf(E);
    EXPECT_EQ(T.CompanyName, QStringLiteral("Maker Ltd"));
    EXPECT_EQ(T.FileDescription, QStringLiteral("Video fetcher"));
    EXPECT_EQ(T.FileVersion, QStringLiteral("2.7.1.40"));
    EXPECT_EQ(T.InternalName, QStringLiteral("fetcher"));
    EXPECT_EQ(T.LegalCopyright, QStringLiteral("(c) Maker"));
    EXPECT_EQ(T.LegalTradeMark, QStringLiteral("TM"));
    EXPECT_EQ(T.OriginalFileName, QStringLiteral("fetcher.exe"));
    EXPECT_EQ(T.ProductName, QStringLiteral("Fetcher"));
    EXPECT_EQ(T.ProductVersion, QStringLiteral("2.7"));
    EXPECT_EQ(T.Comments, QStringLiteral("Ünïcode text"));
    EXPECT_EQ(E.FileFlags(), 0x0B);
    EXPECT_EQ(E.FileOS(), 0x00040004);
    EXPECT_EQ(E.FileType(), 1);
    EXPECT_DOUBLE_EQ(E.FileCreation(), EncodeDate(2000, 1, 1));
    EXPECT_EQ(E.MajorVersion(), 2);
    EXPECT_EQ(E.MinorVersion(), 7);
    EXPECT_EQ(E.ReleaseNumber(), 1);
    EXPECT_EQ(E.BuildNumber(), 40);
    EXPECT_EQ(E.FileVersionInt(), 2070140);
}

TEST(ExeInfo, FirstTranslationNamesTheTableAndMissingTextsReadEmpty) {
    const std::vector<TBlockModel> Tables = {
        {QStringLiteral("0C0A04E4"), {}, true, {text(QStringLiteral("ProductName"), QStringLiteral("Primero"))}},
        {QStringLiteral("040904B0"), {}, true, {text(QStringLiteral("ProductName"), QStringLiteral("Second"))}},
    };
    TVersionResourceGuard Guard(
        versionResource(VS_FIXEDFILEINFO{}, translations({{0x0C0A, 0x04E4}, {0x0409, 0x04B0}}), Tables));
    TExeInfo E(nullptr);
    EXPECT_EQ(E.ProductName(), QStringLiteral("Primero"));
    EXPECT_EQ(E.CompanyName(), String());
    EXPECT_EQ(E.Comments(), String());
    EXPECT_EQ(E.FileVersionInt(), -1);
    EXPECT_EQ(E.MajorVersion(), -1);
}

TEST(ExeInfo, ZeroFileDateTakesTheProgramFilesModificationTime) {
    TVersionResourceGuard Guard(versionResource(VS_FIXEDFILEINFO{}, translations({{0x0409, 0x04B0}}), kAllTexts));
    TExeInfo E(nullptr);
    EXPECT_NEAR(E.FileCreation(), programModified(), 1.0 / 86400);
}

TEST(ExeInfo, NoTranslationEmptiesTheTexts) {
    TVersionResourceGuard Guard(versionResource(VS_FIXEDFILEINFO{}, TBytes{}, kAllTexts));
    TExeInfo E(nullptr);
    expectAllTexts(E, String());
}

TEST(ExeInfo, FilesWithoutUsableResourceLeaveTheFieldsAlone) {
    TBytes Damaged = versionResource(VS_FIXEDFILEINFO{}, translations({{0x0409, 0x04B0}}), kAllTexts);
    Damaged[0] = 0xFF;  // the root claims more bytes than there are
    Damaged[1] = 0xFF;
    struct TCase {
        const char* Name;
        TBytes Resource;
        String File;  // empty: the running program
    } Cases[] = {
        {"another file", versionResource(VS_FIXEDFILEINFO{}, translations({{0x0409, 0x04B0}}), kAllTexts),
         QStringLiteral("/nonexistent/other.exe")},
        {"damaged resource", Damaged, String()},
        {"resource too short", TBytes{1, 2, 3}, String()},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TExeInfo E(nullptr);
        E.SetProductName(QStringLiteral("Kept"));
        TVersionResourceGuard Guard(C.Resource);
        E.GetVersionInfoOfApp(C.File.isEmpty() ? ParamStr(0) : C.File);
        EXPECT_EQ(E.ProductName(), QStringLiteral("Kept"));
        EXPECT_EQ(E.CompanyName(), kRunTime);
        EXPECT_EQ(E.FileCreation(), 0.0);
    }
}

TEST(ExeInfo, DesignedComponentReadsNothing) {
    TVersionResourceGuard Guard(versionResource(VS_FIXEDFILEINFO{}, translations({{0x0409, 0x04B0}}), kAllTexts));
    TComponent Form(nullptr);
    Form.SetDesigning(true);
    auto* E = new TExeInfo(&Form);
    expectAllTexts(*E, kRunTime);
}

// ---- Version numbers from FileVersion ----

TEST(ExeInfo, VersionPartsAndVersionInt) {
    constexpr int kRaises = -2;
    struct TCase {
        const char* FileVersion;
        int Major, Minor, Release, Build, AsInt;
    } Cases[] = {
        {"", -1, -1, -1, -1, -1},         {"2.5", 2, 5, -1, -1, 205},
        {"1.3.3.0", 1, 3, 3, 0, 1030300}, {"10.0.19041.1", 10, 0, 19041, 1, 10001901},
        {"4 5.6", 4, 5, 6, -1, kRaises},  // blanks split the parts, but "4 " is no number
        {"123", 123, -1, -1, -1, 12},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.FileVersion);
        TExeInfo E(nullptr);
        E.SetFileVersion(QString::fromUtf8(C.FileVersion));
        EXPECT_EQ(E.MajorVersion(), C.Major);
        EXPECT_EQ(E.MinorVersion(), C.Minor);
        EXPECT_EQ(E.ReleaseNumber(), C.Release);
        EXPECT_EQ(E.BuildNumber(), C.Build);
        if (C.AsInt == kRaises)
            EXPECT_THROW(E.FileVersionInt(), EConvertError);
        else
            EXPECT_EQ(E.FileVersionInt(), C.AsInt);
    }
}

TEST(ExeInfo, VersionsThatAreNoNumberRaiseConversionErrors) {
    TExeInfo E(nullptr);
    E.SetFileVersion(QStringLiteral("1.x.3"));
    EXPECT_EQ(E.MajorVersion(), 1);
    EXPECT_THROW(E.MinorVersion(), EConvertError);
    EXPECT_THROW(E.FileVersionInt(), EConvertError);
    E.SetFileVersion(QStringLiteral("1..2"));  // an empty part is no number either
    EXPECT_THROW(E.MinorVersion(), EConvertError);
    EXPECT_EQ(E.FileVersionInt(), 10002);
    E.SetFileVersion(QStringLiteral("99.99.99.99.99"));  // ten digits do not fit an Integer
    EXPECT_THROW(E.FileVersionInt(), EConvertError);
}

// ---- The operating system's name ----

TEST(ExeInfo, OperatingSystemNames) {
    constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
    constexpr DWORD kNt = 2;
    constexpr Byte kWs = VER_NT_WORKSTATION;
    constexpr Byte kSrv = VER_NT_SERVER;
    struct TCase {
        bool QueryOk;
        DWORD Platform, Major, Minor;
        const char* CSD;
        Byte Product;
        bool TrueOk;
        DWORD TrueMajor, TrueMinor;
        const char* Expected;
    } Cases[] = {
        {false, kNt, 6, 1, "", kWs, false, 0, 0, "Unknown"},
        {true, k9x, 4, 0, "", kWs, false, 0, 0, "Windows 95"},
        {true, k9x, 4, 10, " A", kWs, false, 0, 0, "Windows 98 SE"},
        {true, k9x, 4, 10, "A", kWs, false, 0, 0, "Windows 98"},
        {true, k9x, 4, 10, "", kWs, false, 0, 0, "Windows 98"},
        {true, k9x, 4, 90, "", kWs, false, 0, 0, "Windows ME"},
        {true, k9x, 4, 20, "", kWs, false, 0, 0, "Unknown"},
        {true, kNt, 3, 51, "", kWs, false, 0, 0, "Windows NT"},
        {true, kNt, 4, 0, "", kSrv, false, 0, 0, "Windows NT"},
        {true, kNt, 5, 0, "", kSrv, false, 0, 0, "Windows 2000"},
        {true, kNt, 5, 1, "", kWs, false, 0, 0, "Windows XP"},
        {true, kNt, 5, 2, "", kSrv, false, 0, 0, "Windows 2003"},
        {true, kNt, 5, 3, "", kWs, false, 0, 0, "Unknown"},
        {true, kNt, 6, 0, "", kWs, false, 0, 0, "Windows Vista"},
        {true, kNt, 6, 0, "", kSrv, false, 0, 0, "Windows Server 2008"},
        {true, kNt, 6, 1, "", kWs, false, 0, 0, "Windows 7"},
        {true, kNt, 6, 1, "", kSrv, false, 0, 0, "Windows Server 2008R2"},
        {true, kNt, 6, 2, "", kWs, false, 0, 0, "Windows 8"},
        {true, kNt, 6, 2, "", kSrv, true, 6, 2, "Windows Server 2012"},
        {true, kNt, 6, 2, "", kWs, true, 6, 3, "Windows 8.1"},
        {true, kNt, 6, 2, "", kSrv, true, 6, 3, "Windows Server 2012R2"},
        {true, kNt, 6, 2, "", kWs, true, 10, 0, "Windows 10"},
        {true, kNt, 6, 2, "", kSrv, true, 10, 0, "Windows Server 2016"},
        {true, kNt, 6, 2, "", kWs, true, 6, 4, "Unknown"},
        {true, kNt, 6, 3, "", kWs, false, 0, 0, "Windows 8.1"},
        {true, kNt, 6, 3, "", kSrv, false, 0, 0, "Windows Server 2012R2"},
        {true, kNt, 6, 4, "", kWs, false, 0, 0, "Windows 10"},
        {true, kNt, 6, 4, "", kSrv, false, 0, 0, "Windows Server 2016"},
        {true, kNt, 10, 0, "", kWs, false, 0, 0, "Windows 10"},  // a first query that tells the truth
        {true, kNt, 7, 0, "", kWs, false, 0, 0, "Unknown"},
        {true, 0, 6, 1, "", kWs, false, 0, 0, "Unknown"},
    };
    TExeInfoSystemScope Scope;
    TExeInfo E(nullptr);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Major << "." << C.Minor << " -> " << C.Expected);
        int TrueAsked = 0;
        ExeInfoSystem().QueryVersion = [&](TExeInfoOSVersion& Info) {
            Info.PlatformId = C.Platform;
            Info.MajorVersion = C.Major;
            Info.MinorVersion = C.Minor;
            Info.CSDVersion = QString::fromLatin1(C.CSD);
            Info.ProductType = C.Product;
            return C.QueryOk;
        };
        ExeInfoSystem().QueryTrueVersion = [&](DWORD& Major, DWORD& Minor) {
            ++TrueAsked;
            Major = C.TrueMajor;
            Minor = C.TrueMinor;
            return C.TrueOk;
        };
        E.SetOSName(QStringLiteral("written"));
        EXPECT_EQ(E.OSName(), QString::fromLatin1(C.Expected));
        EXPECT_EQ(TrueAsked, C.QueryOk && C.Platform == kNt && C.Major == 6 && C.Minor == 2 ? 1 : 0);
    }
}

TEST(ExeInfo, DefaultVersionQueriesAnswerFromThePlatformFacts) {
    struct TCase {
        DWORD Major, Minor;
        const char* Expected;
    } Cases[] = {{10, 0, "Windows 10"}, {6, 3, "Windows 8.1"}, {6, 1, "Windows 7"}, {11, 0, "Unknown"}};
    TPlatformFactsScope Facts;
    TExeInfo E(nullptr);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Expected);
        PlatformFacts().MajorVersion = C.Major;
        PlatformFacts().MinorVersion = C.Minor;
        EXPECT_EQ(E.OSName(), QString::fromLatin1(C.Expected));
    }
}

// ---- Computer name and folders ----

TEST(ExeInfo, ComputerNameIsAskedOnEveryReadAndFitsSixteenCharacters) {
    TExeInfoSystemScope Scope;
    String Host = QStringLiteral("box");
    ExeInfoSystem().HostName = [&] { return Host; };
    TExeInfo E(nullptr);
    EXPECT_EQ(E.ComputerName(), QStringLiteral("box"));
    Host = QStringLiteral("a-very-long-host-name.example");
    EXPECT_EQ(E.ComputerName(), QStringLiteral("a-very-long-hos"));
    Host.clear();
    EXPECT_EQ(E.ComputerName(), String());
}

TEST(ExeInfo, FoldersComeWithOneTrailingDelimiterOrEmpty) {
    const String TooLong = QStringLiteral("/") + String(260, u'd');
    struct TCase {
        const char* Name;
        String Answer, Expected;
    } Cases[] = {
        {"plain", QStringLiteral("/usr"), QStringLiteral("/usr/")},
        {"with delimiter", QStringLiteral("/usr/"), QStringLiteral("/usr/")},
        {"failed", String(), String()},
        {"longer than the buffer", TooLong, String()},
    };
    TExeInfoSystemScope Scope;
    TExeInfo E(nullptr);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        ExeInfoSystem().WindowsFolder = [&] { return C.Answer; };
        ExeInfoSystem().SystemFolder = [&] { return C.Answer; };
        E.SetWindowsDir(QStringLiteral("/written"));
        E.SetSystemDir(QStringLiteral("/written"));
        EXPECT_EQ(E.WindowsDir(), C.Expected);
        EXPECT_EQ(E.SystemDir(), C.Expected);
    }
    ExeInfoSystem().TempFolder = [] { return QStringLiteral("/var/tmp"); };
    E.SetTempDir(QStringLiteral("/written"));
    EXPECT_EQ(E.TempDir(), QStringLiteral("/var/tmp/"));
    ExeInfoSystem().TempFolder = [] { return String(); };
    EXPECT_EQ(E.TempDir(), String());
}

TEST(ExeInfo, MyDocumentsDirRaisesWhenTheSystemHasNone) {
    TExeInfoSystemScope Scope;
    TExeInfo E(nullptr);
    ExeInfoSystem().DocumentsFolder = [] { return QStringLiteral("/home/u/Documents"); };
    E.SetMyDocumentsDir(QStringLiteral("/written"));
    EXPECT_EQ(E.MyDocumentsDir(), QStringLiteral("/home/u/Documents"));
    ExeInfoSystem().DocumentsFolder = [] { return String(); };
    try {
        (void)E.MyDocumentsDir();
        FAIL() << "no exception";
    } catch (const Exception& X) {
        EXPECT_EQ(X.Message(), QStringLiteral("Could not find MyDocuments folder location."));
    }
}

TEST(ExeInfo, DefaultTempDirFollowsTmpdir) {
    const char* Saved = std::getenv("TMPDIR");
    const std::string Old = Saved ? Saved : "";
    ::setenv("TMPDIR", "/tmp", 1);
    TExeInfo E(nullptr);
    EXPECT_EQ(E.TempDir(), QStringLiteral("/tmp/"));
    ::setenv("TMPDIR", "/nonexistent-folder", 1);
    EXPECT_EQ(E.TempDir(), QStringLiteral("/tmp/"));  // a missing folder falls back to /tmp
    if (Saved)
        ::setenv("TMPDIR", Old.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}
