// The HTTP client: GET into a text or a stream over http and https, with redirects, cookies,
// request headers and work callbacks carrying 64-bit counts.
//
// Conventions:
// - Only http and https addresses are fetched, also as redirect targets; anything else raises
//   EIdUnsupportedScheme before a byte is sent.
// - Certificates are always verified against the system's trust store, host names included.
//   Tests add their own authority with SetExtraCertificateAuthority (one handler) or
//   TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority (every client).
// - OnWorkBegin fires once the final (non-redirect) 2xx response's headers are in, with the
//   announced length (0 when none is announced); OnWork fires after each block of the body is
//   stored, with the bytes so far; OnWorkEnd after the last one. They run on the calling thread.
// - Disconnect() may be called from those callbacks or from any other thread; the transfer then
//   ends within a fraction of a second. When the response announced its length the request
//   ends normally with what was received (so a probe can read the length and skip the body);
//   otherwise it raises EIdConnClosedGracefully.
// - A 4xx or 5xx response raises EIdHTTPProtocolException with the code and the status text.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Streams.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

enum TWorkMode { wmRead, wmWrite };

using TWorkBeginEvent = std::function<void(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCountMax)>;
using TWorkEvent = std::function<void(TObject* ASender, TWorkMode AWorkMode, Int64 AWorkCount)>;
using TWorkEndEvent = std::function<void(TObject* ASender, TWorkMode AWorkMode)>;

// Every failure of the client; the message says what went wrong and with which address.
QVD_DECLARE_EXCEPTION(EIdException, Exception);
// No connection, a name that does not resolve, a connection reset or a body cut off midway.
QVD_DECLARE_EXCEPTION(EIdSocketError, EIdException);
// The connection was closed (by Disconnect) before a response of unknown length had ended.
QVD_DECLARE_EXCEPTION(EIdConnClosedGracefully, EIdException);
// No data for ReadTimeout milliseconds, or no connection within ConnectTimeout.
QVD_DECLARE_EXCEPTION(EIdReadTimeout, EIdException);
// TLS handshake failures, certificates the trust store does not know, host name mismatches.
QVD_DECLARE_EXCEPTION(EIdTLSError, EIdException);
// An address (or a redirect target) that is not http or https, or that cannot be parsed.
QVD_DECLARE_EXCEPTION(EIdUnsupportedScheme, EIdException);
// More redirects than RedirectMaximum.
QVD_DECLARE_EXCEPTION(EIdTooManyRedirects, EIdException);
// A body larger than MaxBodySize (announced or received).
QVD_DECLARE_EXCEPTION(EIdBodyTooLarge, EIdException);
// Writing the received body to the target stream failed.
QVD_DECLARE_EXCEPTION(EIdStreamWriteError, EIdException);

// A 4xx or 5xx answer. Message() is "HTTP/1.1 404 Not Found"-like: the code and the status text.
class EIdHTTPProtocolException : public EIdException {
public:
    EIdHTTPProtocolException(const String& Msg, int AErrorCode, const String& AErrorMessage)
        : EIdException(Msg), FErrorCode(AErrorCode), FErrorMessage(AErrorMessage) {}
    int ErrorCode() const { return FErrorCode; }
    // The response body, decoded, at most 64 KiB of it.
    const String& ErrorMessage() const { return FErrorMessage; }

private:
    int FErrorCode;
    String FErrorMessage;
};

// TLS settings. Method and Mode are kept for the callers' settings; the client always offers the
// highest protocol both sides support (TLS 1.2 at least) and verifies the peer.
enum TIdSSLVersion { sslvSSLv2, sslvSSLv23, sslvSSLv3, sslvTLSv1, sslvTLSv1_1, sslvTLSv1_2 };
enum TIdSSLMode { sslmUnassigned, sslmClient, sslmServer, sslmBoth };

class TIdSSLOptions {
public:
    TIdSSLVersion Method() const { return FMethod; }
    void SetMethod(TIdSSLVersion Value) { FMethod = Value; }
    TIdSSLMode Mode() const { return FMode; }
    void SetMode(TIdSSLMode Value) { FMode = Value; }

private:
    TIdSSLVersion FMethod = sslvSSLv23;
    TIdSSLMode FMode = sslmUnassigned;
};

class TIdSSLIOHandlerSocketOpenSSL : public TComponent {
public:
    explicit TIdSSLIOHandlerSocketOpenSSL(TComponent* AOwner = nullptr);
    ~TIdSSLIOHandlerSocketOpenSSL() override;

    TIdSSLOptions* SSLOptions() { return &FSSLOptions; }

    // A PEM file of one more authority to trust besides the system's store (empty: none).
    // Raises EIdTLSError when the file cannot be read or holds no certificate.
    const String& ExtraCertificateAuthority() const { return FExtraCertificateAuthority; }
    void SetExtraCertificateAuthority(const String& PemFile);

    // The same for every client and handler of the process (tests point the program's own
    // requests at their server this way). Empty clears it.
    static void SetGlobalExtraCertificateAuthority(const String& PemFile);
    static String GlobalExtraCertificateAuthority();

private:
    TIdSSLOptions FSSLOptions;
    String FExtraCertificateAuthority;
};

// Cookies shared by the requests of the clients that use it (a client without one still keeps
// cookies within each request, across its redirects). Safe to share between threads.
class TIdCookieManager : public TComponent {
public:
    explicit TIdCookieManager(TComponent* AOwner = nullptr);
    ~TIdCookieManager() override;

    int CookieCount() const;
    // The value of the cookie with that name (for any host), or empty.
    String CookieValue(const String& Name) const;
    void Clear();

private:
    friend class TIdHTTP;
    struct TState;
    std::unique_ptr<TState> FState;
};

// Proxy settings: stored for the callers, applied to no request.
class TIdProxyConnectionInfo {
public:
    bool BasicAuthentication() const { return FBasicAuthentication; }
    void SetBasicAuthentication(bool Value) { FBasicAuthentication = Value; }
    const String& ProxyServer() const { return FProxyServer; }
    void SetProxyServer(const String& Value) { FProxyServer = Value; }
    int ProxyPort() const { return FProxyPort; }
    void SetProxyPort(int Value) { FProxyPort = Value; }
    const String& ProxyUsername() const { return FProxyUsername; }
    void SetProxyUsername(const String& Value) { FProxyUsername = Value; }
    const String& ProxyPassword() const { return FProxyPassword; }
    void SetProxyPassword(const String& Value) { FProxyPassword = Value; }

private:
    bool FBasicAuthentication = false;
    String FProxyServer;
    int FProxyPort = 0;
    String FProxyUsername;
    String FProxyPassword;
};

// Request headers sent with every GET; an empty value sends no header.
class TIdHTTPRequest {
public:
    const String& UserAgent() const { return FUserAgent; }
    void SetUserAgent(const String& Value) { FUserAgent = Value; }
    const String& Accept() const { return FAccept; }
    void SetAccept(const String& Value) { FAccept = Value; }
    const String& AcceptLanguage() const { return FAcceptLanguage; }
    void SetAcceptLanguage(const String& Value) { FAcceptLanguage = Value; }
    const String& AcceptEncoding() const { return FAcceptEncoding; }
    void SetAcceptEncoding(const String& Value) { FAcceptEncoding = Value; }
    const String& Referer() const { return FReferer; }
    void SetReferer(const String& Value) { FReferer = Value; }
    // Further "Name: value" lines.
    void AddCustomHeader(const String& Name, const String& Value);
    void ClearCustomHeaders() { FCustomHeaders.clear(); }
    const std::vector<std::pair<String, String>>& CustomHeaders() const { return FCustomHeaders; }

private:
    String FUserAgent = QStringLiteral("Mozilla/3.0 (compatible; HTTP client)");
    String FAccept = QStringLiteral("text/html, */*");
    String FAcceptLanguage;
    String FAcceptEncoding;
    String FReferer;
    std::vector<std::pair<String, String>> FCustomHeaders;
};

// The last final response (after redirects).
class TIdHTTPResponse {
public:
    int ResponseCode() const { return FResponseCode; }
    const String& ResponseText() const { return FResponseText; }  // "HTTP/1.1 200 OK"
    Int64 ContentLength() const { return FContentLength; }        // -1 when none was announced
    const String& ContentType() const { return FContentType; }    // without parameters
    const String& CharSet() const { return FCharSet; }            // empty when none was named
    const String& Location() const { return FLocation; }
    // The value of the last header with that name (any case), or empty.
    String RawHeader(const String& Name) const;

private:
    friend class TIdHTTP;
    int FResponseCode = 0;
    String FResponseText;
    Int64 FContentLength = -1;
    String FContentType;
    String FCharSet;
    String FLocation;
    std::vector<std::pair<String, String>> FHeaders;
};

class TIdHTTP : public TComponent {
public:
    explicit TIdHTTP(TComponent* AOwner = nullptr);
    ~TIdHTTP() override;

    // The TLS handler; a client without one uses default TLS settings for https addresses.
    // Not owned.
    TIdSSLIOHandlerSocketOpenSSL* IOHandler() const { return FIOHandler; }
    void SetIOHandler(TIdSSLIOHandlerSocketOpenSSL* Value) { FIOHandler = Value; }
    TIdCookieManager* CookieManager() const { return FCookieManager; }
    void SetCookieManager(TIdCookieManager* Value) { FCookieManager = Value; }
    bool AllowCookies() const { return FAllowCookies; }  // default true: cookies kept within a request
    void SetAllowCookies(bool Value) { FAllowCookies = Value; }
    bool HandleRedirects() const { return FHandleRedirects; }  // default false: a 3xx is returned as is
    void SetHandleRedirects(bool Value) { FHandleRedirects = Value; }
    int RedirectMaximum() const { return FRedirectMaximum; }  // default 15
    void SetRedirectMaximum(int Value) { FRedirectMaximum = Value; }
    int ConnectTimeout() const { return FConnectTimeout; }  // ms, 0: the library's default (300 s)
    void SetConnectTimeout(int Value) { FConnectTimeout = Value; }
    int ReadTimeout() const { return FReadTimeout; }  // ms without a byte, 0: none
    void SetReadTimeout(int Value) { FReadTimeout = Value; }
    Int64 MaxBodySize() const { return FMaxBodySize; }  // bytes, 0: no limit
    void SetMaxBodySize(Int64 Value) { FMaxBodySize = Value; }

    TIdHTTPRequest* Request() { return &FRequest; }
    TIdHTTPResponse* Response() { return &FResponse; }
    TIdProxyConnectionInfo* ProxyParams() { return &FProxyParams; }
    int ResponseCode() const { return FResponse.ResponseCode(); }
    const String& ResponseText() const { return FResponse.ResponseText(); }
    // The address of the last response, after redirects.
    const String& URL() const { return FURL; }

    TWorkBeginEvent OnWorkBegin;
    TWorkEvent OnWork;
    TWorkEndEvent OnWorkEnd;
    // Asked at least every 100 ms during a transfer, on the calling thread, stalls included;
    // true ends the transfer as Disconnect does (a worker passes its Terminated here).
    std::function<bool()> OnCheckTerminated;

    // The body decoded with the response's character set (UTF-8 when none is named and the bytes
    // are valid UTF-8, else Latin-1; Latin-1 for a set the client does not know).
    String Get(const String& AURL);
    // The body written to AResponseContent from its position.
    void Get(const String& AURL, TStream* AResponseContent);

    // Ends the transfer in progress; callable from the callbacks and from any thread. Called
    // while no transfer runs, it ends the next Get at once (a stop that races with the start).
    // Each Get spends it when it returns.
    void Disconnect();
    // Whether a transfer is running now (any thread may ask).
    bool Connected() const { return FConnected.load(); }

    // Connect to ToHost:ToPort whenever a request names Host:Port (the name is still used for
    // the certificate and the Host header). Per client, and process-wide for tests.
    void AddHostMapping(const String& Host, int Port, const String& ToHost, int ToPort);
    static void AddGlobalHostMapping(const String& Host, int Port, const String& ToHost, int ToPort);
    static void ClearGlobalHostMappings();

private:
    struct TTransfer;
    friend struct TTransfer;
    TIdSSLIOHandlerSocketOpenSSL* FIOHandler = nullptr;
    TIdCookieManager* FCookieManager = nullptr;
    bool FAllowCookies = true;
    bool FHandleRedirects = false;
    int FRedirectMaximum = 15;
    int FConnectTimeout = 0;
    int FReadTimeout = 0;
    Int64 FMaxBodySize = 0;
    TIdHTTPRequest FRequest;
    TIdHTTPResponse FResponse;
    TIdProxyConnectionInfo FProxyParams;
    String FURL;
    std::vector<String> FHostMappings;
    std::atomic<bool> FConnected{false};
    std::atomic<bool> FDisconnectRequested{false};
    std::mutex FWakeLock;
    void* FWakeHandle = nullptr;  // the running transfer's multi handle, under FWakeLock

    void doGet(const String& AURL, TStream* Target, TBytes* Buffer);
};

// Decodes a body with a named character set by the rule Get uses.
String IdDecodeBody(const TBytes& Body, const String& CharSet);
