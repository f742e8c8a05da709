#include "app/_preview_QuilloryUnit.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/ui/Dialogs.h"

namespace {

const String kTitleOpen = QStringLiteral("<title");
const String kTitleClose = QStringLiteral("</title>");
const String kViewsKey = QStringLiteral("\"i18n_reaction_count\":\"");
const String kFavoritedKey = QStringLiteral("\"i18n_comment_count\":\"");
const String kUrlKey = QStringLiteral("playable_url\":\"");
const String kUrlHQKey = QStringLiteral("playable_url_quality_hd\":\"");
const String kQuote = QStringLiteral("\"");

// The trimmed text from Start up to the next double quote; empty without a closing quote.
String valueUpToQuote(const String& Page, int Start) {
    const int End = PosEx(kQuote, Page, Start);
    return End > 0 ? Trim(Copy(Page, Start, End - Start)) : String();
}

String mediaAddress(const String& Value) {
    return StringReplace(EntryText.DecodeNameQuillory(Value), QStringLiteral("u0025"), QStringLiteral("%"),
                         {rfReplaceAll, rfIgnoreCase});
}

String messageOf(const std::exception& E) {
    if (const auto* Known = dynamic_cast<const Exception*>(&E)) return Known->Message();
    return String::fromLocal8Bit(E.what());
}

}  // namespace

TQuilloryPage ScanQuilloryPage(const String& Page) {
    TQuilloryPage Result;

    if (const int Open = Pos(kTitleOpen, Page); Open > 0) {
        const int Gt = PosEx(QStringLiteral(">"), Page, Open + 6);
        const int Close = Gt > 0 ? PosEx(kTitleClose, Page, Gt + 1) : 0;
        if (Close > 0) Result.title = EntryText.DecodeName(Trim(Copy(Page, Gt + 1, Close - (Gt + 1))));
    }
    if (const int p = Pos(kViewsKey, Page); p > 0) Result.views = valueUpToQuote(Page, p + int(kViewsKey.length()));
    if (const int p = Pos(kFavoritedKey, Page); p > 0)
        Result.favorited = valueUpToQuote(Page, p + int(kFavoritedKey.length()));
    if (const int p = Pos(kUrlKey, Page); p > 0)
        Result.url = mediaAddress(valueUpToQuote(Page, p + int(kUrlKey.length())));
    // The high-quality key counts only past the page's first characters.
    if (const int p = Pos(kUrlHQKey, Page); p + 26 > 50)
        Result.url_hq = mediaAddress(valueUpToQuote(Page, p + int(kUrlHQKey.length())));
    return Result;
}

String QuilloryPageAddress(const String& link) {
    const String Address = Trim(link);
    if (!Address.contains(QStringLiteral("http://"))) return Address;
    return StringReplace(Address, QStringLiteral("http://"), QStringLiteral("https://"), {rfReplaceAll});
}

TQuilloryGrabThread::TQuilloryGrabThread(TEntryKey Key) : TThread(true), FKey(Key) { RegisterWorker(this); }

TQuilloryGrabThread::~TQuilloryGrabThread() {
    BeforeDestruction();
    UnregisterWorker(this);
}

void TQuilloryGrabThread::TerminatedSet() {
    std::lock_guard<std::mutex> Guard(FLock);
    if (IdHTTP) IdHTTP->Disconnect();
}

void TQuilloryGrabThread::Execute() {
    try {
        String link;
        bool Found = false;
        Synchronize([&] {
            TItem* Item = EntryOfKey(FKey);
            if (!Item) return;
            Found = true;
            Item->title.clear();
            Item->Length.clear();
            Item->views.clear();
            Item->favorited.clear();
            link = Item->link;
        });
        probe_size = 0;
        if (Found) {
            // A failure ends the reading like a stop, but its box is still shown.
            bool Failed = false;
            TQuilloryPage Scan;
            {
                String Page;
                if (!readPage(QuilloryPageAddress(link), Page)) Failed = true;
                if (!Failed && !Terminated()) Scan = ScanQuilloryPage(Page);
            }
            Synchronize([&] {
                if (TItem* Item = EntryOfKey(FKey)) {
                    Item->title = Scan.title;
                    Item->views = Scan.views;
                    Item->favorited = Scan.favorited;
                    Item->url = Scan.url;
                    Item->url_hq = Scan.url_hq;
                }
            });
            if (Scan.url.isEmpty()) {
                showError(QStringLiteral("Error getting flv URL\r\nError6"));
                Failed = true;
            }
            if (!Failed && !Terminated()) {
                const bool Probed = probe(Scan.url, String::fromUtf16(ProbeUserAgent));
                const Int64 size = probe_size;
                Synchronize([&] {
                    if (TItem* Item = EntryOfKey(FKey)) Item->size = size;
                });
                if (Probed && !Terminated() && !Scan.url_hq.isEmpty()) {
                    probe(Scan.url_hq, String::fromUtf16(ProbeUserAgentHQ));
                    const Int64 size_hq = probe_size;
                    Synchronize([&] {
                        if (TItem* Item = EntryOfKey(FKey)) Item->size_hq = size_hq;
                    });
                }
            }
        }
    } catch (const std::exception& E) {
        // Add must never wait for ever: the handshake below runs whatever happened.
        showError(messageOf(E));
    }
    finish();
    // The destructor lets go of the worker: OnTerminate still has to run on the window thread.
}

bool TQuilloryGrabThread::readPage(const String& Address, String& Page) {
    TIdSSLIOHandlerSocketOpenSSL SSL;
    SSL.SSLOptions()->SetMode(sslmClient);
    SSL.SSLOptions()->SetMethod(sslvSSLv23);
    TIdHTTP Client;
    Client.SetIOHandler(&SSL);
    Client.SetHandleRedirects(true);
    Client.SetAllowCookies(true);
    Client.SetMaxBodySize(MaxPageSize);
    Client.Request()->SetAcceptLanguage(String::fromUtf16(PageAcceptLanguage));
    Client.Request()->SetAccept(String::fromUtf16(PageAccept));
    Client.Request()->SetUserAgent(String::fromUtf16(PageUserAgent));
    Client.OnWork = [this](TObject* Sender, TWorkMode Mode, Int64 Count) { GrabWork(Sender, Mode, Count); };
    try {
        runRequest(Client, [&] { Page = Client.Get(Address); });
        return true;
    } catch (const std::exception&) {
        // A failed page yields no media address; that box follows.
        return false;
    }
}

bool TQuilloryGrabThread::probe(const String& Address, const String& UserAgent) {
    TIdSSLIOHandlerSocketOpenSSL SSL;
    TIdHTTP Client;
    Client.SetIOHandler(&SSL);
    // No size limit: the page limit would refuse large media before their length is read.
    Client.SetHandleRedirects(true);
    Client.Request()->SetUserAgent(UserAgent);
    Client.OnWorkBegin = [this](TObject* Sender, TWorkMode Mode, Int64 Max) { ProbeWorkBegin(Sender, Mode, Max); };
    try {
        runRequest(Client, [&] { Client.Get(Address); });
        return true;
    } catch (const std::exception& E) {
        showError(messageOf(E) + QStringLiteral("\r\nError3"));
        return false;
    }
}

void TQuilloryGrabThread::runRequest(TIdHTTP& Client, const std::function<void()>& Request) {
    {
        std::lock_guard<std::mutex> Guard(FLock);
        IdHTTP = &Client;
    }
    try {
        // A stop that came before IdHTTP was set is seen here; one after it closes the request.
        if (!Terminated()) Request();
    } catch (...) {
        std::lock_guard<std::mutex> Guard(FLock);
        IdHTTP = nullptr;
        throw;
    }
    std::lock_guard<std::mutex> Guard(FLock);
    IdHTTP = nullptr;
}

void TQuilloryGrabThread::GrabWork(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCount) {}

void TQuilloryGrabThread::ProbeWorkBegin(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCountMax) {
    probe_size = AWorkCountMax;
    // Only the length is wanted: closing now ends the request without its body.
    if (auto* Client = dynamic_cast<TIdHTTP*>(ASender)) {
        Client->Disconnect();
        return;
    }
    std::lock_guard<std::mutex> Guard(FLock);
    if (IdHTTP) IdHTTP->Disconnect();
}

void TQuilloryGrabThread::showError(const String& Text) {
    // After a stop from outside (the wait window, closing the program) nobody waits for the answer.
    if (Terminated()) return;
    MessageBox(nullptr, Text, QStringLiteral("Error"), MB_OK);
}

void TQuilloryGrabThread::finish() {
    Synchronize([this] {
        // A reader that is no longer the current one must not release a later Add's wait.
        const bool Current = grab_thread == this;
        ForgetGrabThread(this);
        if (Current) grab_done = true;
    });
}
