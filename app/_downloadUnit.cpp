#include "app/_downloadUnit.h"

#include "framework/os/Processes.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Dialogs.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {

constexpr int ProgressColumn = 2;

String joinPath(const String& Folder, const String& Name) {
    return NormalizePathDelimiters(Folder + PathDelimStr + Name);
}

String percentText(Int64 Percent) { return IntToStr(Percent) + QStringLiteral("%"); }

String messageOf(const std::exception& E) {
    if (const auto* Known = dynamic_cast<const Exception*>(&E)) return Known->Message();
    return String::fromLocal8Bit(E.what());
}

// A file this thread created itself, closed with the stream.
class TNewFileStream : public THandleStream {
public:
    explicit TNewFileStream(int AHandle) : THandleStream(AHandle) {}
    ~TNewFileStream() override { ::close(FHandle); }
};

// Creates a file of a fresh random name in Folder, never one that exists: a name taken (by an
// earlier file or by a download started at the same moment) is drawn again.
std::unique_ptr<TStream> createTemporaryFile(const String& Folder, String& Name) {
    for (int Draw = 0; Draw < MaxNameDraws; ++Draw) {
        Name = EntryText.RandomString(QStringLiteral("22222222")) + QStringLiteral(".flv");
        const String Path = joinPath(Folder, Name);
        const int Fd = ::open(Path.toUtf8().constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd >= 0) return std::make_unique<TNewFileStream>(Fd);
        if (errno != EEXIST)
            throw EFCreateError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(Path, String::fromLocal8Bit(std::strerror(errno))));
    }
    throw EFCreateError(QStringLiteral("Cannot create a temporary file in \"%1\": every name drawn is taken.")
                            .arg(NormalizePathDelimiters(Folder)));
}

// Why nothing can be saved into Folder; empty when it can be tried. An empty folder would join
// the names into the filesystem root.
String saveFolderFault(const String& Folder) {
    if (Folder.isEmpty()) return QStringLiteral("No save folder is set. Nothing was downloaded.");
    if (!DirectoryExists(Folder))
        return QStringLiteral("The save folder \"%1\" does not exist. Nothing was downloaded.")
            .arg(NormalizePathDelimiters(Folder));
    return String();
}

void deleteIfExists(const String& Path) {
    if (!Path.isEmpty() && FileExists(Path)) DeleteFile(Path);
}

}  // namespace

String FreeFileName(const String& Folder, const String& Name) {
    auto taken = [&](const String& Candidate) {
        const String Path = joinPath(Folder, Candidate);
        return FileExists(Path) || DirectoryExists(Path);
    };
    if (!taken(Name)) return Name;
    const String Extension = ExtractFileExt(Name);
    const String Base = Name.left(Name.length() - Extension.length());
    String Candidate;
    for (int Draw = 0; Draw < MaxNameDraws; ++Draw) {
        Candidate = Base + QStringLiteral("_") + EntryText.RandomString(QStringLiteral("123")) + Extension;
        if (!taken(Candidate)) break;
    }
    return Candidate;
}

TDownloadThread::TDownloadThread(TEntryKey Key) : TThread(true), FKey(Key) { RegisterWorker(this); }

TDownloadThread::~TDownloadThread() {
    BeforeDestruction();
    UnregisterWorker(this);
}

void TDownloadThread::TerminatedSet() {
    std::lock_guard<std::mutex> Guard(FLock);
    if (FClient) FClient->Disconnect();
    if (FConverter) FConverter->Kill();
}

void TDownloadThread::Execute() {
    total_size = 0;
    total = 0;
    TJob Job;
    String TempPath;
    try {
        if (beginOnEntry(Job)) {
            String TempName;
            String Failure = saveFolderFault(Job.saveto);
            std::unique_ptr<TStream> File;
            try {
                if (Failure.isEmpty()) File = createTemporaryFile(Job.saveto, TempName);
            } catch (const Exception& E) {
                Failure = E.Message();
            }
            if (File) {
                TempPath = joinPath(Job.saveto, TempName);
                Synchronize([this, &TempName] {
                    if (TItem* Item = EntryOfKey(FKey); Item && Item->thread == this) Item->filenamet = TempName;
                });
                transfer(Job, File.get(), Failure);
                File.reset();
            }
            if (Terminated() || !Failure.isEmpty()) {
                // A partial file is of no use: Start begins again under a new name.
                deleteIfExists(TempPath);
                endOnEntry(enReady, String());
                if (!Terminated()) showError(Job, Failure);
            } else {
                showProgress(0);
                finishFiles(Job, TempPath, ConverterPath());
            }
        }
    } catch (const std::exception& E) {
        // Nothing may leave the entry downloading for ever.
        deleteIfExists(TempPath);
        deleteIfExists(TempPath + QStringLiteral("_"));
        endOnEntry(enReady, String());
        showError(Job, messageOf(E));
    }
    // The destructor lets go of the worker: OnTerminate still has to run on the window thread.
}

bool TDownloadThread::beginOnEntry(TJob& Job) {
    bool Found = false;
    Synchronize([&] {
        TItem* Item = EntryOfKey(FKey);
        if (!Item || Item->thread != this) return;
        Found = true;
        Item->thread_id = ThreadID();
        Item->status = esDownloading;
        Job.url = Item->url;
        Job.saveto = Item->saveto;
        Job.filename = Item->filename;
        Job.format = Item->format;
        Job.Owner = EntryOwnerHandle();
    });
    return Found;
}

bool TDownloadThread::transfer(const TJob& Job, TStream* File, String& Failure) {
    if (Job.url.isEmpty()) {
        Failure = QStringLiteral("No media address was found for this video.");
        return false;
    }
    TIdSSLIOHandlerSocketOpenSSL SSL;
    TIdHTTP Client;
    Client.SetHandleRedirects(true);
    Client.SetAllowCookies(true);
    Client.Request()->SetUserAgent(String::fromUtf16(DownloadUserAgent));
    Client.OnWorkBegin = [this](TObject* Sender, TWorkMode Mode, Int64 Max) { DownloadWorkBegin(Sender, Mode, Max); };
    Client.OnWork = [this](TObject* Sender, TWorkMode Mode, Int64 Count) { DownloadWork(Sender, Mode, Count); };
    if (Job.url.contains(QStringLiteral("https:"))) {
        SSL.SSLOptions()->SetMethod(sslvSSLv23);
        SSL.SSLOptions()->SetMode(sslmClient);
        Client.SetIOHandler(&SSL);
    }
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FClient = &Client;
    }
    try {
        // A stop that came before FClient was set is seen here; one after it closes the transfer.
        if (!Terminated()) Client.Get(Job.url, File);
    } catch (const std::exception& E) {
        Failure = messageOf(E);
    }
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FClient = nullptr;
    }
    return Failure.isEmpty();
}

void TDownloadThread::DownloadWorkBegin(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCountMax) {
    total_size = AWorkCountMax;
}

void TDownloadThread::DownloadWork(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCount) {
    total = AWorkCount;
    if (Terminated()) {
        std::lock_guard<std::mutex> Guard(FLock);
        if (FClient) FClient->Disconnect();
        return;
    }
    if (total_size <= 500) return;
    showProgress(int(Round(Extended(AWorkCount) / Extended(total_size) * 100)));
}

String TDownloadThread::finishFiles(const TJob& Job, const String& TempPath, const String& Converter) {
    const String Folder = Job.saveto;
    const String FlvName = Job.filename + QStringLiteral(".flv");
    const TFormatConversion& Conversion = FormatConversionOf(Job.format);

    if (!FileExists(Converter)) {
        const String Produced = renameToFreeName(Folder, TempPath, FlvName);
        endOnEntry(enDone, Produced);
        if (Job.format != 0) showError(Job, QStringLiteral("vidmorf.exe was not found. Conversion aborted."));
        return Produced;
    }
    if (Conversion.Line == cvNone) {
        const String Produced = renameToFreeName(Folder, TempPath, FlvName);
        endOnEntry(enDone, Produced);
        return Produced;
    }

    const String Output = TempPath + QStringLiteral("_");
    String Failure;
    TConversion Result = RunConverter(ConverterCommand(Conversion.Line, Converter, TempPath), Failure);
    if (Result == cnDone && !FileExists(Output)) {
        Result = cnFailed;
        Failure = QStringLiteral("vidmorf.exe wrote no output file. Conversion aborted.");
    }
    if (Result == cnStopped || Terminated()) {
        // A restart begins with a new download, so neither file is kept.
        deleteIfExists(Output);
        deleteIfExists(TempPath);
        endOnEntry(enReady, String());
        return String();
    }
    if (Result == cnFailed) {
        deleteIfExists(Output);
        const String Produced = renameToFreeName(Folder, TempPath, FlvName);
        endOnEntry(enDone, Produced);
        showError(Job, Failure);
        return Produced;
    }
    const String Produced = renameToFreeName(Folder, Output, Job.filename + String::fromUtf16(Conversion.Extension));
    renameToFreeName(Folder, TempPath, FlvName);
    endOnEntry(enDone, Produced);
    return Produced;
}

String TDownloadThread::renameToFreeName(const String& Folder, const String& Source, const String& Name) {
    // RenameFile refuses a taken target; another download may take a free name first, so draw again.
    for (int Attempt = 0; Attempt < 3; ++Attempt) {
        const String Target = FreeFileName(Folder, Name);
        if (RenameFile(Source, joinPath(Folder, Target))) return Target;
        if (!FileExists(Source)) break;
    }
    // The file stays complete under its temporary name.
    return ExtractFileName(Source);
}

void TDownloadThread::endOnEntry(TEnd End, const String& filename) {
    // A late progress text must not overwrite the final one.
    RemoveQueuedEvents(this);
    Synchronize([&] {
        TItem* Item = EntryOfKey(FKey);
        if (!Item || Item->thread != this) return;
        Item->thread = nullptr;
        const int Row = EntryIndexOfKey(FKey);
        if (End == enDone) {
            Item->status = esDone;
            Item->filename = filename;
            SetEntryRowText(Row, ProgressColumn, QStringLiteral("100%"));
        } else {
            Item->status = esReady;
            SetEntryRowText(Row, ProgressColumn, QStringLiteral("0%"));
        }
        EnableEntryButtons();
    });
}

void TDownloadThread::showProgress(int Percent) {
    if (Percent == FLastPercent) return;
    FLastPercent = Percent;
    const TEntryKey Key = FKey;
    const String Text = percentText(Percent);
    Queue([Key, Text] {
        const int Row = EntryIndexOfKey(Key);
        if (Row >= 0) SetEntryRowText(Row, ProgressColumn, Text);
    });
}

void TDownloadThread::showError(const TJob& Job, const String& Text) {
    // Closing the program stops the thread: nobody is left to read the box then.
    if (Terminated()) return;
    MessageBox(Job.Owner, Text, QStringLiteral("Error"), MB_OK);
}
