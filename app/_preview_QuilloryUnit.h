// The page reader of the Quillory site: fetches a video page, takes the title, the counters and
// the media addresses out of its text and measures the media sizes.
//
// Threads: the reader writes only its own entry (found by key on the window thread, nothing when
// it is gone). As its last steps it lets go of grab_thread and, when it was still the current
// reader, raises grab_done. Message boxes go through MessageBox, which blocks only the reader.
#pragma once

#include "app/Entries.h"
#include "framework/net/IdHTTP.h"
#include "framework/rtl/Threads.h"

#include <mutex>

// Request headers of the page and of the two size probes.
inline constexpr const char16_t* PageUserAgent =
    u"Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:94.0) Gecko/20100101 Firefox/94.0";
inline constexpr const char16_t* PageAccept =
    u"text/html,application/xhtml+xml,application/xml;q=0.9,image/avif,image/webp,*/*;q=0.8";
inline constexpr const char16_t* PageAcceptLanguage = u"en-US,en;q=0.5";
inline constexpr const char16_t* ProbeUserAgent =
    u"Mozilla/5.0 (Windows NT 6.1; WOW64; rv:19.0) Gecko/20100101 Firefox/19.0";
inline constexpr const char16_t* ProbeUserAgentHQ = u"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";

// A larger page is refused as a failed page request. Size probes have no limit: they read the
// announced length and stop.
inline constexpr Int64 MaxPageSize = Int64(64) * 1024 * 1024;

// What a page yields; empty texts for keys that are absent.
struct TQuilloryPage {
    String title;
    String views;
    String favorited;
    String url;
    String url_hq;
};

// Scans page text for the title, the reaction and comment counts and the two media addresses,
// with their escapes undone.
TQuilloryPage ScanQuilloryPage(const String& Page);
// The address fetched for a page link: trimmed, every "http://" made "https://".
String QuilloryPageAddress(const String& link);

class TQuilloryGrabThread : public TThread {
public:
    // Created suspended, for the entry with that key. Registers itself as a live worker.
    explicit TQuilloryGrabThread(TEntryKey Key);
    ~TQuilloryGrabThread() override;

    TEntryKey Key() const { return FKey; }

    // The length announced to the current probe.
    Int64 probe_size = 0;

protected:
    void Execute() override;
    // Ends the request in progress at once (the wait window's Stop, closing the program).
    void TerminatedSet() override;

    void GrabWork(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCount);
    void ProbeWorkBegin(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCountMax);

private:
    bool readPage(const String& Address, String& Page);
    // Fetches Address only until its length is announced; false (after its box) on a failure.
    bool probe(const String& Address, const String& UserAgent);
    void runRequest(TIdHTTP& Client, const std::function<void()>& Request);
    void showError(const String& Text);
    void finish();

    const TEntryKey FKey;
    std::mutex FLock;
    TIdHTTP* IdHTTP = nullptr;  // the client of the current request, under FLock
};
