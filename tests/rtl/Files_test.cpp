#include "framework/rtl/Files.h"

#include "framework/rtl/Streams.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QStringList>
#include <cstring>
#include <functional>

namespace {

void writeFile(const String& Path, const char* Text) {
    TFileStream F(Path, fmCreate);
    F.WriteBuffer(Text, static_cast<Int64>(std::strlen(Text)));
}

String readFile(const String& Path) {
    TFileStream F(Path, fmOpenRead);
    return F.ReadString(F.Size());
}

TEST(Paths, SplittingAndBuilding) {
    using Fn = std::function<String(const String&)>;
    struct Case {
        const char* Name;
        Fn Call;
        const char* In;
        const char* Out;
    };
    const Fn Path = ExtractFilePath, Dir = ExtractFileDir, Name = ExtractFileName, Ext = ExtractFileExt;
    const Fn Include = IncludeTrailingPathDelimiter, Exclude = ExcludeTrailingPathDelimiter;
    const Fn ToMp3 = [](const String& S) { return ChangeFileExt(S, QStringLiteral(".mp3")); };
    const Case Cases[] = {
        {"path", Path, "/home/u/video.mp4", "/home/u/"},
        {"path of a bare name", Path, "video.mp4", ""},
        {"path, backslash join", Path, "/home/u\\video.mp4", "/home/u/"},
        {"dir", Dir, "/home/u/video.mp4", "/home/u"},
        {"dir of a root file", Dir, "/video.mp4", "/"},
        {"dir, doubled delimiter", Dir, "/home//u//video.mp4", "/home/u"},
        {"name", Name, "/home/u/video.mp4", "video.mp4"},
        {"name, backslash join", Name, "/tmp\\clip.webm", "clip.webm"},
        {"ext", Ext, "/a.b/file.tar.gz", ".gz"},
        {"ext, dot only in the folder", Ext, "/a.b/file", ""},
        {"ext of a dot file", Ext, "/home/.bashrc", ".bashrc"},
        {"change ext", ToMp3, "/a/clip.webm", "/a/clip.mp3"},
        {"change ext, none before", ToMp3, "/a.d/clip", "/a.d/clip.mp3"},
        {"include", Include, "/tmp", "/tmp/"},
        {"include, already there", Include, "/tmp/", "/tmp/"},
        {"include, backslash", Include, "/tmp\\", "/tmp/"},
        {"include, empty", Include, "", "/"},
        {"exclude", Exclude, "/tmp//", "/tmp"},
        {"exclude, none", Exclude, "/tmp", "/tmp"},
    };
    for (const Case& K : Cases)
        EXPECT_EQ(K.Call(QString::fromLatin1(K.In)), QString::fromLatin1(K.Out)) << K.Name << ": " << K.In;
    EXPECT_EQ(PathDelimStr, String(PathDelim));
    EXPECT_TRUE(IsPathDelimiter(QStringLiteral("a\\"), 2));
    EXPECT_FALSE(IsPathDelimiter(QStringLiteral("a/"), 3));
}

TEST(Paths, ExpandFileNameResolvesAgainstTheCurrentFolder) {
    const String Cwd = GetCurrentDir();
    struct Case {
        String In, Out;
    };
    const Case Cases[] = {
        {"/a/./b/../c.txt", "/a/c.txt"},
        {"/a/b/", "/a/b/"},
        {"/../..", "/"},
        {"x/y.txt", Cwd + "/x/y.txt"},
        {"..\\z", ExtractFileDir(Cwd) == "/" ? String("/z") : ExtractFileDir(Cwd) + "/z"},
        {"", ""},
    };
    for (const Case& K : Cases) EXPECT_EQ(ExpandFileName(K.In), K.Out) << K.In.toStdString();
}

TEST(Files, RenameRefusesAnExistingTargetAndKeepsBothFiles) {
    TempFolder Dir;
    const String A = Dir.File("a.txt"), B = Dir.File("b.txt"), C = Dir.File("c.txt");
    writeFile(A, "from a");
    writeFile(B, "from b");
    EXPECT_FALSE(RenameFile(A, B));
    EXPECT_EQ(readFile(A), QStringLiteral("from a"));
    EXPECT_EQ(readFile(B), QStringLiteral("from b"));

    EXPECT_TRUE(RenameFile(A, Dir.Path() + "\\c.txt")) << "a backslash join names the same file";
    EXPECT_FALSE(FileExists(A));
    EXPECT_EQ(readFile(C), QStringLiteral("from a"));
    EXPECT_FALSE(RenameFile(A, Dir.File("d.txt"))) << "no source";
    EXPECT_FALSE(RenameFile(C, Dir.Path())) << "a folder is an existing target too";
    EXPECT_TRUE(FileExists(C));
}

TEST(Files, RenameAcrossFileSystemsMovesWithoutReplacing) {
    TempFolder Dir;
    const String Other = QStringLiteral("/dev/shm");
    if (!DirectoryExists(Other) || !CreateDir(Other + "/qvd-rename-probe")) GTEST_SKIP() << "no second file system";
    RemoveDir(Other + "/qvd-rename-probe");
    const String Source = Other + QStringLiteral("/qvd-rename-%1.txt").arg(::getpid());
    writeFile(Source, "moved");
    writeFile(Dir.File("taken.txt"), "stays");
    EXPECT_FALSE(RenameFile(Source, Dir.File("taken.txt")));
    EXPECT_EQ(readFile(Dir.File("taken.txt")), QStringLiteral("stays"));
    EXPECT_TRUE(RenameFile(Source, Dir.File("free.txt")));
    EXPECT_FALSE(FileExists(Source));
    EXPECT_EQ(readFile(Dir.File("free.txt")), QStringLiteral("moved"));
    DeleteFile(Source);
}

TEST(Files, FilesAndFolders) {
    TempFolder Dir;
    const String Deep = Dir.File("x/y/z");
    EXPECT_TRUE(ForceDirectories(Deep + "/"));
    EXPECT_TRUE(DirectoryExists(Deep));
    EXPECT_FALSE(FileExists(Deep)) << "a folder is not a file";
    EXPECT_TRUE(ForceDirectories(Deep)) << "already there";
    EXPECT_THROW(ForceDirectories(String()), EInOutError);

    const String F = Deep + "//f.txt";
    writeFile(F, "x");
    EXPECT_TRUE(FileExists(F));
    EXPECT_FALSE(DirectoryExists(F));
    EXPECT_FALSE(ForceDirectories(F + "/below")) << "a file is in the way";
    EXPECT_FALSE(RemoveDir(Deep)) << "not empty";
    EXPECT_FALSE(DeleteFile(Deep)) << "DeleteFile leaves folders alone";
    EXPECT_TRUE(DeleteFile(F));
    EXPECT_FALSE(DeleteFile(F));
    EXPECT_TRUE(RemoveDir(Deep));
    EXPECT_FALSE(DirectoryExists(Deep));
    EXPECT_TRUE(CreateDir(Deep));
    EXPECT_FALSE(CreateDir(Deep));
    EXPECT_FALSE(FileExists(String()));
}

TEST(Files, ResolvePathIgnoringCaseMatchesNameByName) {
    TempFolder Dir;
    ASSERT_TRUE(ForceDirectories(Dir.File("Pics/Small")));
    writeFile(Dir.File("Pics/Small/Logo.PNG"), "a");
    writeFile(Dir.File("Pics/Small/logo.png"), "b");  // an exact name wins over others
    writeFile(Dir.File("Pics/Small/Other.png"), "c");
    const String Upper = Dir.Path().toUpper();
    const struct {
        String Asked, Found;
    } Cases[] = {
        {Upper + "/PICS/SMALL/OTHER.PNG", Dir.File("Pics/Small/Other.png")},
        {Upper + "/pics/small/logo.png", Dir.File("Pics/Small/logo.png")},
        {Upper + "/PICS/SMALL/LOGO.PNG", Dir.File("Pics/Small/Logo.PNG")},  // first in name order
        {Upper + "\\PICS\\SMALL", Dir.File("Pics/Small")},
        {Upper + "/PICS/NONE.PNG", Upper + "/PICS/NONE.PNG"},  // nothing matches: as asked
        {Dir.File("Pics"), Dir.File("Pics")},
        {String(), String()},
    };
    for (const auto& C : Cases) EXPECT_EQ(ResolvePathIgnoringCase(C.Asked), C.Found) << C.Asked.toStdString();
    EXPECT_EQ(readFile(ResolvePathIgnoringCase(Upper + "/PICS/SMALL/OTHER.PNG")), String("c"));
}

TEST(Files, FindFirstFiltersByMaskAndAttributes) {
    TempFolder Dir;
    writeFile(Dir.File("b.TXT"), "12345");
    writeFile(Dir.File("a.txt"), "1");
    writeFile(Dir.File("c.log"), "");
    writeFile(Dir.File(".hidden"), "");
    CreateDir(Dir.File("sub.txt"));
    const auto find = [&](const char* Mask, int Attr) {
        QStringList Names;
        TSearchRec R;
        for (int Found = FindFirst(Dir.Path() + "\\" + Mask, Attr, R); Found == 0; Found = FindNext(R))
            Names << R.Name + ((R.Attr & faDirectory) ? "/" : "");
        FindClose(R);
        return Names;
    };
    struct Case {
        const char* Mask;
        int Attr;
        QStringList Names;
    };
    const Case Cases[] = {
        {"*.txt", 0, {"a.txt", "b.TXT"}},
        {"*.TXT", faDirectory, {"a.txt", "b.TXT", "sub.txt/"}},
        {"?.*", 0, {"a.txt", "b.TXT", "c.log"}},
        {"*", faAnyFile, {"./", "../", ".hidden", "a.txt", "b.TXT", "c.log", "sub.txt/"}},
        {"*.*", faHidden, {".hidden", "a.txt", "b.TXT", "c.log"}},
        {"*.none", faAnyFile, {}},
    };
    for (const Case& K : Cases) EXPECT_EQ(find(K.Mask, K.Attr), K.Names) << K.Mask << " attr " << K.Attr;

    TSearchRec R;
    ASSERT_EQ(FindFirst(Dir.File("b.*"), faAnyFile, R), 0);
    EXPECT_EQ(R.Size, 5);
    EXPECT_GT(R.Time, 0);
    EXPECT_GT(R.TimeStamp, 40000.0) << "a date after 2009";
    EXPECT_NE(FindNext(R), 0);
    FindClose(R);
    EXPECT_NE(FindFirst(Dir.File("missing/*"), faAnyFile, R), 0);
}

TEST(Files, CommandLineAndProgramFolder) {
    const String Exe = ParamStr(0);
    EXPECT_TRUE(Exe.startsWith(PathDelim));
    EXPECT_TRUE(FileExists(Exe));
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(Exe));
    EXPECT_TRUE(ProgramFolder().endsWith(PathDelim));
    EXPECT_GE(ParamCount(), 0);
    EXPECT_EQ(ParamStr(ParamCount() + 1), String());
    EXPECT_EQ(ParamStr(-1), String());
}

}  // namespace
