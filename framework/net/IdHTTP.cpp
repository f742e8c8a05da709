// The client's GET on libcurl. Each request runs one easy handle inside its own multi handle, so
// that the wait for data can be woken by Disconnect from another thread and a stall never holds
// the caller longer than one poll interval.
#include "framework/net/IdHTTP.h"

#include <curl/curl.h>

#include <QUrl>
#include <chrono>
#include <exception>

#include "framework/net/IdHTTPInternal.h"

using namespace idhttp_internal;

namespace {

constexpr int kPollInterval = 100;       // ms between checks of Disconnect and OnCheckTerminated
constexpr size_t kErrorBodyMax = 65536;  // bytes of an error response kept for its message
constexpr long kReceiveBuffer = 131072;  // large blocks keep a fast download cheap

bool isHttpScheme(const QUrl& Url) {
    const QString Scheme = Url.scheme().toLower();
    return Scheme == QLatin1String("http") || Scheme == QLatin1String("https");
}

// curl wants an encoded address; one typed with blanks or non-ASCII letters is encoded first.
std::string encodedAddress(const String& Address) {
    for (QChar C : Address)
        if (C.unicode() <= 0x20 || C.unicode() >= 0x7F)
            return QUrl(Address, QUrl::TolerantMode).toEncoded().toStdString();
    return Address.toStdString();
}

struct TCurlList {
    curl_slist* List = nullptr;
    ~TCurlList() { curl_slist_free_all(List); }
    void Add(const std::string& Line) {
        if (curl_slist* Next = curl_slist_append(List, Line.c_str())) List = Next;
    }
};

String requestFailure(const String& Address, const String& Detail) {
    return QStringLiteral("Request to %1 failed: %2").arg(Address, Detail);
}

}  // namespace

// The state of one running GET, reached from libcurl's callbacks.
struct TIdHTTP::TTransfer {
    TIdHTTP* Owner = nullptr;
    CURL* Easy = nullptr;
    TStream* Target = nullptr;
    TBytes* Buffer = nullptr;
    String Address;

    // The response being read (a redirect's or the final one).
    int Code = 0;
    String StatusLine;
    std::vector<std::pair<String, String>> Headers;
    bool Final = false;
    bool IsError = false;
    bool WorkBegun = false;
    Int64 Announced = -1;
    Int64 Received = 0;
    std::string ErrorBody;

    // Why the transfer was cut short by us.
    bool Disconnected = false;
    bool BodyTooLarge = false;
    bool WriteFailed = false;
    String RefusedRedirect;
    std::exception_ptr HandlerFailure;
    std::chrono::steady_clock::time_point LastActivity = std::chrono::steady_clock::now();

    bool disconnectRequested() {
        if (Owner->FDisconnectRequested.load()) Disconnected = true;
        return Disconnected;
    }

    void beginResponse(const std::string& Line) {
        Code = 0;
        Headers.clear();
        StatusLine = QString::fromLatin1(Line).trimmed();
        const QStringList Parts = StatusLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (Parts.size() >= 2) Code = Parts[1].toInt();
    }

    void addHeader(const std::string& Line) {
        const String Text = QString::fromLatin1(Line).trimmed();
        const int Colon = static_cast<int>(Text.indexOf(QLatin1Char(':')));
        if (Colon <= 0) return;
        Headers.emplace_back(Text.left(Colon).trimmed(), Text.mid(Colon + 1).trimmed());
    }

    String header(const char* Name) const {
        for (auto It = Headers.rbegin(); It != Headers.rend(); ++It)
            if (It->first.compare(QLatin1String(Name), Qt::CaseInsensitive) == 0) return It->second;
        return {};
    }

    // False ends the transfer.
    bool endHeaders() {
        if (Code >= 100 && Code < 200) return true;  // an interim answer; the real one follows
        const String Location = header("Location");
        const bool Redirect = (Code == 301 || Code == 302 || Code == 303 || Code == 307 || Code == 308);
        if (Redirect && !Location.isEmpty() && Owner->FHandleRedirects) {
            char* Current = nullptr;
            curl_easy_getinfo(Easy, CURLINFO_EFFECTIVE_URL, &Current);
            const QUrl Next = QUrl(QString::fromUtf8(Current ? Current : "")).resolved(QUrl(Location));
            if (!isHttpScheme(Next)) {
                RefusedRedirect = Location;
                return false;
            }
            return true;
        }
        Final = true;
        storeResponse(Location);
        if (Code >= 400) {
            IsError = true;
            return true;
        }
        const Int64 Max = Owner->FMaxBodySize;
        if (Max > 0 && Announced > Max) {
            BodyTooLarge = true;
            return false;
        }
        WorkBegun = true;
        if (Owner->OnWorkBegin) {
            try {
                Owner->OnWorkBegin(Owner, wmRead, Announced >= 0 ? Announced : 0);
            } catch (...) {
                HandlerFailure = std::current_exception();
                return false;
            }
        }
        return !disconnectRequested();
    }

    void storeResponse(const String& Location) {
        TIdHTTPResponse& R = Owner->FResponse;
        R.FResponseCode = Code;
        R.FResponseText = StatusLine;
        R.FHeaders = Headers;
        R.FLocation = Location;
        bool Ok = false;
        const Int64 Length = header("Content-Length").toLongLong(&Ok);
        Announced = Ok && Length >= 0 ? Length : -1;
        R.FContentLength = Announced;
        const String ContentType = header("Content-Type");
        R.FContentType = ContentType.section(QLatin1Char(';'), 0, 0).trimmed();
        R.FCharSet.clear();
        for (const String& Param : ContentType.split(QLatin1Char(';')).mid(1)) {
            const String Item = Param.trimmed();
            if (Item.startsWith(QLatin1String("charset="), Qt::CaseInsensitive)) {
                String Value = Item.mid(8).trimmed();
                if (Value.size() >= 2 && Value.startsWith(QLatin1Char('"')) && Value.endsWith(QLatin1Char('"')))
                    Value = Value.mid(1, Value.size() - 2);
                R.FCharSet = Value;
            }
        }
    }

    // Returns the bytes taken; anything less ends the transfer.
    size_t body(const char* Data, size_t Size) {
        LastActivity = std::chrono::steady_clock::now();
        if (disconnectRequested()) return 0;
        if (!Final) return Size;  // the body of a redirect
        if (IsError) {
            ErrorBody.append(Data, std::min(Size, kErrorBodyMax - std::min(kErrorBodyMax, ErrorBody.size())));
            return Size;
        }
        const Int64 Max = Owner->FMaxBodySize;
        if (Max > 0 && Received + static_cast<Int64>(Size) > Max) {
            BodyTooLarge = true;
            return 0;
        }
        if (Target) {
            try {
                if (Target->Write(Data, static_cast<Int64>(Size)) != static_cast<Int64>(Size)) {
                    WriteFailed = true;
                    return 0;
                }
            } catch (...) {
                WriteFailed = true;
                return 0;
            }
        } else {
            Buffer->insert(Buffer->end(), reinterpret_cast<const Byte*>(Data),
                           reinterpret_cast<const Byte*>(Data) + Size);
        }
        Received += static_cast<Int64>(Size);
        if (Owner->OnWork) {
            try {
                Owner->OnWork(Owner, wmRead, Received);
            } catch (...) {
                HandlerFailure = std::current_exception();
                return 0;
            }
        }
        return disconnectRequested() ? 0 : Size;
    }

    static size_t onHeader(char* Data, size_t Size, size_t Count, void* User) {
        auto* T = static_cast<TTransfer*>(User);
        const size_t Bytes = Size * Count;
        T->LastActivity = std::chrono::steady_clock::now();
        if (T->disconnectRequested()) return 0;
        const std::string Line(Data, Bytes);
        if (Line.rfind("HTTP/", 0) == 0) {
            T->beginResponse(Line);
            T->Final = false;
        } else if (Line == "\r\n" || Line == "\n") {
            if (!T->endHeaders()) return 0;
        } else {
            T->addHeader(Line);
        }
        return Bytes;
    }

    static size_t onBody(char* Data, size_t Size, size_t Count, void* User) {
        return static_cast<TTransfer*>(User)->body(Data, Size * Count);
    }
};

TIdHTTP::TIdHTTP(TComponent* AOwner) : TComponent(AOwner) {}

TIdHTTP::~TIdHTTP() = default;

void TIdHTTP::Disconnect() {
    FDisconnectRequested = true;
    std::lock_guard<std::mutex> Guard(FWakeLock);
    if (FWakeHandle) curl_multi_wakeup(static_cast<CURLM*>(FWakeHandle));
}

String TIdHTTP::Get(const String& AURL) {
    TBytes Body;
    doGet(AURL, nullptr, &Body);
    return IdDecodeBody(Body, FResponse.CharSet());
}

void TIdHTTP::Get(const String& AURL, TStream* AResponseContent) {
    if (!AResponseContent) throw EIdException(QStringLiteral("No stream to receive %1").arg(AURL));
    doGet(AURL, AResponseContent, nullptr);
}

void TIdHTTP::doGet(const String& AURL, TStream* Target, TBytes* Buffer) {
    EnsureCurlInitialised();
    FResponse = TIdHTTPResponse();
    FURL = AURL;
    // A Disconnect that came before this request ends it (a stop racing with its start); any
    // Disconnect is spent when the request returns.
    struct TResetDisconnect {
        std::atomic<bool>& Flag;
        ~TResetDisconnect() { Flag = false; }
    } ResetDisconnect{FDisconnectRequested};

    const QUrl Parsed(AURL.trimmed(), QUrl::TolerantMode);
    if (AURL.trimmed().isEmpty() || !Parsed.isValid() || !isHttpScheme(Parsed) || Parsed.host().isEmpty())
        throw EIdUnsupportedScheme(QStringLiteral("Only http and https addresses can be fetched: \"%1\"").arg(AURL));

    std::vector<String> ExtraAuthorities;
    if (FIOHandler && !FIOHandler->ExtraCertificateAuthority().isEmpty())
        ExtraAuthorities.push_back(FIOHandler->ExtraCertificateAuthority());
    const String GlobalAuthority = TIdSSLIOHandlerSocketOpenSSL::GlobalExtraCertificateAuthority();
    if (!GlobalAuthority.isEmpty()) ExtraAuthorities.push_back(GlobalAuthority);
    const std::string Bundle = CertificateBundle(ExtraAuthorities);

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> Easy(curl_easy_init(), curl_easy_cleanup);
    std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> Multi(curl_multi_init(), curl_multi_cleanup);
    if (!Easy || !Multi) throw EIdException(requestFailure(AURL, QStringLiteral("the HTTP library could not start")));

    TTransfer T;
    T.Owner = this;
    T.Easy = Easy.get();
    T.Target = Target;
    T.Buffer = Buffer;
    T.Address = AURL;

    const std::string Address = encodedAddress(AURL.trimmed());
    char ErrorText[CURL_ERROR_SIZE] = {};
    CURL* E = Easy.get();
    curl_easy_setopt(E, CURLOPT_URL, Address.c_str());
    curl_easy_setopt(E, CURLOPT_ERRORBUFFER, ErrorText);
    curl_easy_setopt(E, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(E, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(E, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(E, CURLOPT_FOLLOWLOCATION, FHandleRedirects ? 1L : 0L);
    curl_easy_setopt(E, CURLOPT_MAXREDIRS, static_cast<long>(FRedirectMaximum));
    curl_easy_setopt(E, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(E, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(E, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(E, CURLOPT_BUFFERSIZE, kReceiveBuffer);
    if (!Bundle.empty()) {
        curl_blob Blob{const_cast<char*>(Bundle.data()), Bundle.size(), CURL_BLOB_COPY};
        curl_easy_setopt(E, CURLOPT_CAINFO_BLOB, &Blob);
    }
    if (FConnectTimeout > 0) curl_easy_setopt(E, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(FConnectTimeout));
    curl_easy_setopt(E, CURLOPT_HEADERFUNCTION, &TTransfer::onHeader);
    curl_easy_setopt(E, CURLOPT_HEADERDATA, &T);
    curl_easy_setopt(E, CURLOPT_WRITEFUNCTION, &TTransfer::onBody);
    curl_easy_setopt(E, CURLOPT_WRITEDATA, &T);

    const std::string UserAgent = FRequest.UserAgent().toStdString();
    if (!UserAgent.empty()) curl_easy_setopt(E, CURLOPT_USERAGENT, UserAgent.c_str());
    const std::string Encoding = FRequest.AcceptEncoding().toStdString();
    if (!Encoding.empty()) curl_easy_setopt(E, CURLOPT_ACCEPT_ENCODING, Encoding.c_str());
    TCurlList Headers;
    // "Name:" with nothing after it keeps the library from sending its own value.
    Headers.Add("Accept: " + FRequest.Accept().toStdString());
    if (FRequest.Accept().isEmpty()) Headers.Add("Accept:");
    if (!FRequest.AcceptLanguage().isEmpty())
        Headers.Add("Accept-Language: " + FRequest.AcceptLanguage().toStdString());
    if (!FRequest.Referer().isEmpty()) Headers.Add("Referer: " + FRequest.Referer().toStdString());
    for (const auto& [Name, Value] : FRequest.CustomHeaders())
        Headers.Add((Name + QStringLiteral(": ") + Value).toStdString());
    curl_easy_setopt(E, CURLOPT_HTTPHEADER, Headers.List);

    TCurlList Mappings;
    for (const std::string& Line : GlobalHostMappings()) Mappings.Add(Line);
    for (const String& Line : FHostMappings) Mappings.Add(Line.toStdString());
    if (Mappings.List) curl_easy_setopt(E, CURLOPT_CONNECT_TO, Mappings.List);

    if (FAllowCookies || FCookieManager) {
        curl_easy_setopt(E, CURLOPT_COOKIEFILE, "");
        if (FCookieManager) {
            std::lock_guard<std::mutex> Guard(FCookieManager->FState->Lock);
            for (const std::string& Line : FCookieManager->FState->Lines)
                curl_easy_setopt(E, CURLOPT_COOKIELIST, Line.c_str());
        }
    }

    CURLcode Result = CURLE_OK;
    bool Done = false;
    bool TimedOut = false;
    curl_multi_add_handle(Multi.get(), E);
    {
        std::lock_guard<std::mutex> Guard(FWakeLock);
        FWakeHandle = Multi.get();
    }
    FConnected = true;
    for (;;) {
        if (T.disconnectRequested()) break;
        int Running = 0;
        if (curl_multi_perform(Multi.get(), &Running) != CURLM_OK) break;
        int Queued = 0;
        while (CURLMsg* Msg = curl_multi_info_read(Multi.get(), &Queued)) {
            if (Msg->msg == CURLMSG_DONE) {
                Result = Msg->data.result;
                Done = true;
            }
        }
        if (Done || Running == 0) break;
        if (T.disconnectRequested()) break;
        if (OnCheckTerminated) {
            bool Stop = false;
            try {
                Stop = OnCheckTerminated();
            } catch (...) {
                T.HandlerFailure = std::current_exception();
                break;
            }
            if (Stop) {
                T.Disconnected = true;
                break;
            }
        }
        if (FReadTimeout > 0 &&
            std::chrono::steady_clock::now() - T.LastActivity > std::chrono::milliseconds(FReadTimeout)) {
            TimedOut = true;
            break;
        }
        curl_multi_poll(Multi.get(), nullptr, 0, kPollInterval, nullptr);
    }
    {
        std::lock_guard<std::mutex> Guard(FWakeLock);
        FWakeHandle = nullptr;
    }
    FConnected = false;
    char* Effective = nullptr;
    if (curl_easy_getinfo(E, CURLINFO_EFFECTIVE_URL, &Effective) == CURLE_OK && Effective)
        FURL = QString::fromUtf8(Effective);
    if (FCookieManager) {
        curl_slist* Cookies = nullptr;
        if (curl_easy_getinfo(E, CURLINFO_COOKIELIST, &Cookies) == CURLE_OK) {
            std::vector<std::string> Lines;
            for (curl_slist* It = Cookies; It; It = It->next) Lines.emplace_back(It->data);
            curl_slist_free_all(Cookies);
            std::lock_guard<std::mutex> Guard(FCookieManager->FState->Lock);
            FCookieManager->FState->Lines = std::move(Lines);
        }
    }
    curl_multi_remove_handle(Multi.get(), E);

    if (T.HandlerFailure) std::rethrow_exception(T.HandlerFailure);
    if (!T.RefusedRedirect.isEmpty())
        throw EIdUnsupportedScheme(requestFailure(
            AURL,
            QStringLiteral("redirected to \"%1\", which is not an http or https address").arg(T.RefusedRedirect)));
    if (T.BodyTooLarge)
        throw EIdBodyTooLarge(
            requestFailure(AURL, QStringLiteral("the response is larger than %1 bytes").arg(FMaxBodySize)));
    if (T.WriteFailed)
        throw EIdStreamWriteError(requestFailure(AURL, QStringLiteral("the received data could not be stored")));

    const bool Complete = Done && Result == CURLE_OK;
    if (!Complete && T.Disconnected) {
        // Closing the connection ends a response of known length early but cleanly.
        if (T.WorkBegun && T.Announced >= 0) {
            if (OnWorkEnd) OnWorkEnd(this, wmRead);
            return;
        }
        throw EIdConnClosedGracefully(requestFailure(AURL, QStringLiteral("the connection was closed")));
    }
    if (TimedOut)
        throw EIdReadTimeout(requestFailure(AURL, QStringLiteral("no data arrived for %1 ms").arg(FReadTimeout)));
    if (!Complete) {
        const String Detail = QString::fromUtf8(ErrorText[0] ? ErrorText : curl_easy_strerror(Result));
        switch (Result) {
            case CURLE_UNSUPPORTED_PROTOCOL:
            case CURLE_URL_MALFORMAT:
                throw EIdUnsupportedScheme(requestFailure(AURL, Detail));
            case CURLE_PEER_FAILED_VERIFICATION:
            case CURLE_SSL_CONNECT_ERROR:
            case CURLE_SSL_CERTPROBLEM:
            case CURLE_SSL_CIPHER:
            case CURLE_SSL_CACERT_BADFILE:
            case CURLE_SSL_ISSUER_ERROR:
            case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
            case CURLE_SSL_INVALIDCERTSTATUS:
                throw EIdTLSError(requestFailure(AURL, Detail));
            case CURLE_TOO_MANY_REDIRECTS:
                throw EIdTooManyRedirects(requestFailure(AURL, Detail));
            case CURLE_OPERATION_TIMEDOUT:
                throw EIdReadTimeout(requestFailure(AURL, Detail));
            default:
                throw EIdSocketError(requestFailure(AURL, Detail));
        }
    }
    if (T.IsError) {
        const TBytes Body(T.ErrorBody.begin(), T.ErrorBody.end());
        throw EIdHTTPProtocolException(T.StatusLine, T.Code, IdDecodeBody(Body, FResponse.CharSet()));
    }
    if (T.WorkBegun && OnWorkEnd) OnWorkEnd(this, wmRead);
}
