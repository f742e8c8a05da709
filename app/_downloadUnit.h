// The download thread: downloads an entry's media address into a temporary file in the entry's
// save folder, shows the progress in the entry's row, has the file converted when the entry's
// format asks for it, and names the finished files after the entry's title.
//
// Threads: the thread never touches the entry or a control itself. It copies what it needs when
// it begins and hands every write (entry fields, row texts, button states) to the window thread,
// where it finds its entry again by key and writes nothing when the entry is gone. Message boxes
// are shown through MessageBox, which blocks only this thread.
//
// Outcomes: done (status 4, "100%", `filename` = the title with the produced extension); stopped
// (status 1, "0%", no file left behind); a failed transfer (an "Error" box with the failure's
// text, no file left behind, status 1, "0%"); a failed conversion (an "Error" box, status 4,
// `filename` = the downloaded ".flv"). A name already taken is never overwritten: the new file
// gets "_" and three random letters before its extension.
#pragma once

#include "app/Converter.h"
#include "app/Entries.h"
#include "framework/net/IdHTTP.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/WinTypes.h"

#include <mutex>

class TChildProcess;

// The request headers of the media download.
inline constexpr const char16_t* DownloadUserAgent = u"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";

// Random names drawn before a create or rename gives up on a folder where every name is taken.
inline constexpr int MaxNameDraws = 100;

// Name (a file name in Folder) when no file of that name exists; otherwise Name with "_" and
// RandomString("123") inserted before its extension, drawn again until the name is free.
String FreeFileName(const String& Folder, const String& Name);

class TDownloadThread : public TThread {
public:
    // Created suspended, for the entry with that key. Registers itself as a live worker.
    explicit TDownloadThread(TEntryKey Key);
    ~TDownloadThread() override;

    TEntryKey Key() const { return FKey; }

    Int64 total_size = 0;  // length announced for the current transfer
    Int64 total = 0;       // bytes received so far, as last reported

    // The converter's outcome.
    enum TConversion { cnDone, cnFailed, cnStopped };

protected:
    void Execute() override;
    // Ends a running transfer or converter at once (Stop, closing the program).
    void TerminatedSet() override;

    void DownloadWorkBegin(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCountMax);
    void DownloadWork(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCount);
    // Runs the converter and shows its progress; Failure gets the reason of a failed run.
    TConversion RunConverter(const TConverterCommand& Command, String& Failure);

private:
    // What the thread copied from its entry when it began.
    struct TJob {
        String url;
        String saveto;
        String filename;
        int format = 0;
        HWND Owner = nullptr;
    };
    enum TEnd { enDone, enReady };

    bool beginOnEntry(TJob& Job);
    bool transfer(const TJob& Job, TStream* File, String& Failure);
    String finishFiles(const TJob& Job, const String& TempPath, const String& Converter);
    String renameToFreeName(const String& Folder, const String& Source, const String& Name);
    void endOnEntry(TEnd End, const String& filename);
    void showProgress(int Percent);
    void showError(const TJob& Job, const String& Text);

    const TEntryKey FKey;
    int FLastPercent = -1;

    // The running client and converter, for TerminatedSet on another thread.
    std::mutex FLock;
    TIdHTTP* FClient = nullptr;
    TChildProcess* FConverter = nullptr;
};
