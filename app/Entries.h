// The download list's entries: one record per added link; entry i is shown in list row i once it is
// accepted. Window-free, so that the list logic can be tested without a window.
//
// Threads: `entries` belongs to the window thread. A worker (page reader, download thread) copies
// what it needs from its entry while it is created, and hands every write back to the window
// thread (TThread::Synchronize or Queue), where it finds its entry again by identity:
//   - the page reader by the entry's `key` (EntryIndexOfKey), given to it when it is created;
//   - the download thread by `thread_id` (RowIndexOfThread), or by `key` as well.
// An entry removed meanwhile is not found (-1 / entries.size()), and the worker then writes nothing.
//
// The workers include this header and not the main window's: they reach the window through
// TEntryWindow below, which the main window installs, and the text routines through EntryText.
//
// Contracts with the workers:
//   - The page reader is made by `new TQuilloryGrabThread(Key)`, the download thread by
//     `new TDownloadThread(Key)`, both suspended; the main window does the rest of the
//     bookkeeping: it sets FreeOnTerminate and the lowest priority, sets OnTerminate (workers must
//     not replace it), registers the thread as a live worker, stores it (grab_thread, or the
//     entry's `thread` and `thread_id`, which is known before the thread's first Synchronize
//     runs) and starts it. The page reader raises grab_done when it ends; OnTerminate raises it
//     too, in case the reader could not.
//   - When a worker ends, its OnTerminate (window thread) forgets it: grab_thread is cleared and
//     the entry's `thread` becomes nullptr (Start is offered again only then).
//   - Every worker calls UnregisterWorker(this) in its destructor (after BeforeDestruction) and
//     not before, so that StopAllWorkers, run before any window is freed, returns only once the
//     workers are gone, their OnTerminate (which waits for the window thread) included.
#pragma once

#include "framework/rtl/Threads.h"
#include "framework/rtl/Types.h"
#include "framework/ui/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <vector>

using TEntryKey = std::uint64_t;

// Element type of `youtube_array`; kept for the record's layout, nothing uses it.
struct Tfmt_stream {
    int itag = 0;
    int q = 0;
    String video;
    String audio;
    int dash = 0;
    DWORD s = 0;
    DWORD sa = 0;
};

// Entry states.
enum : int { esCreated = 0, esReady = 1, esDownloading = 2, esDone = 4 };

struct TItem {
    int enabled = 0;
    int id = 0;               // index in `entries`; renumbered by Remove
    TThreadID thread_id = 0;  // id of the entry's current download thread; 0 until the first Start
    String link;              // the page link, trimmed
    String url;               // media address found by the page reader
    String url_hq;            // high-quality media address: measured, never downloaded
    String url_a;
    String filename;  // the cleaned title; the download thread appends the final extension
    int server = 0;   // site id; 67 is Quillory
    String title;
    String Length;
    String views;
    String favorited;
    std::int64_t size = 0;  // announced media length in bytes; 0 when none was announced
    std::int64_t size_hq = 0;
    std::int64_t size_a = 0;
    int format = 0;             // format box index (0-10) when the entry was accepted
    String saveto;              // save folder when the entry was accepted
    TThread* thread = nullptr;  // the entry's live TDownloadThread; nullptr once it has ended
    int status = esCreated;
    String rtmp_host, rtmp_app, rtmp_file, rtmp_link, rtmp_host_hq, rtmp_app_hq, rtmp_file_hq;
    bool rtmp_mp4_hq = false;
    bool rtmp_mp4 = false;
    String rtmp_player, rtmp_addon;
    bool encrypted = false;
    String swfHash;
    DWORD swfsize = 0;
    std::vector<Tfmt_stream> youtube_array;
    String filenamet;   // name of the temporary download file
    TEntryKey key = 0;  // identity: unique in the process, never reused, kept by Remove
};

// Window thread only.
extern std::vector<TItem> entries;

// Appends an entry for (server, link) with a fresh key and returns its index.
int AppendEntry(int server, const String& link);
// Removes entry Index, moving the later ones down and renumbering their `id`. Out of range: nothing.
void RemoveEntryAt(int Index);
// Index of the entry with that key; -1 when it is gone.
int EntryIndexOfKey(TEntryKey Key);
// The entry with that key; nullptr when it is gone.
TItem* EntryOfKey(TEntryKey Key);
// Index of the first entry whose thread_id is ThreadId; entries.size() when there is none.
int RowIndexOfThread(TThreadID ThreadId);
// Whether Link equals (exactly) the link of one of the first Count entries.
bool LinkInEntries(const String& Link, int Count);

// ---- page reader handshake ----
// Raised by the page reader when it ends and by the wait window's Stop; lowered by Add.
extern std::atomic<bool> grab_done;
// The most recent page reader while it runs; read and changed only through the functions below.
extern TThread* grab_thread;
void SetGrabThread(TThread* Thread);
// Clears grab_thread when it is still Thread (called by the reader before it ends).
void ForgetGrabThread(TThread* Thread);
// Requests termination of the current page reader, if one runs.
void TerminateGrabThread();

// ---- live workers ----
void RegisterWorker(TThread* Thread);
void UnregisterWorker(TThread* Thread);
int LiveWorkerCount();
// Terminates every live worker and waits until all have ended, running their synchronized work
// meanwhile (window thread). Returns whether all ended within TimeoutMs.
bool StopAllWorkers(int TimeoutMs = 30000);

// ---- what the workers need of the window showing the entries ----
// The main window implements it and installs itself for its lifetime. Window thread only.
class TEntryWindow {
public:
    // Sets the text of column Column (0 title, 1 size, 2 progress) of list row Row; ignores a bad row.
    virtual void SetRowText(int Row, int Column, const String& Text) = 0;
    // Enables the action buttons and menu items for the selected row.
    virtual void RefreshButtons() = 0;
    // The window that owns the workers' message boxes.
    virtual HWND OwnerHandle() = 0;

protected:
    ~TEntryWindow() = default;
};
void InstallEntryWindow(TEntryWindow* Window);
// Takes Window out again, if it is still the one installed.
void RemoveEntryWindow(TEntryWindow* Window);
// Each is a no-op (or nullptr) while no window is installed.
void SetEntryRowText(int Row, int Column, const String& Text);
void EnableEntryButtons();
HWND EntryOwnerHandle();

// The text routines the workers share with the main window, which defines them (any thread).
struct TEntryTextRoutines {
    String (*DecodeName)(const String& name);          // a page title's escapes undone
    String (*DecodeNameQuillory)(const String& name);  // a media address's escapes undone
    String (*RandomString)(const String& pattern);     // one random character per pattern digit
    double (*TimeToSec)(const String& tempo);          // "hh:mm:ss" to seconds
};
extern const TEntryTextRoutines EntryText;
