// The client's helpers: TLS handler, cookie manager, request and response records, process-wide
// settings and body decoding.
#include <curl/curl.h>

#include <QFile>
#include <QStringDecoder>
#include <map>

#include "framework/net/IdHTTPInternal.h"

namespace idhttp_internal {

namespace {

struct TGlobals {
    std::mutex Lock;
    std::vector<std::string> HostMappings;
    String ExtraCertificateAuthority;
    std::map<std::vector<String>, std::string> Bundles;  // cached per list of extra files
};

TGlobals& globals() {
    static TGlobals G;
    return G;
}

std::string readPemFile(const String& PemFile) {
    QFile F(PemFile);
    if (!F.open(QIODevice::ReadOnly))
        throw EIdTLSError(
            QStringLiteral("Cannot read the certificate authority file %1: %2").arg(PemFile, F.errorString()));
    const QByteArray Data = F.readAll();
    if (!Data.contains("-----BEGIN CERTIFICATE-----"))
        throw EIdTLSError(QStringLiteral("The file %1 holds no PEM certificate").arg(PemFile));
    return Data.toStdString();
}

// The library's own default trust store file.
std::string systemBundle() {
    std::string Path;
    if (CURL* Easy = curl_easy_init()) {
        char* Info = nullptr;
        if (curl_easy_getinfo(Easy, CURLINFO_CAINFO, &Info) == CURLE_OK && Info) Path = Info;
        curl_easy_cleanup(Easy);
    }
    if (Path.empty()) Path = "/etc/ssl/certs/ca-certificates.crt";
    QFile F(QString::fromStdString(Path));
    if (!F.open(QIODevice::ReadOnly)) return {};
    return F.readAll().toStdString();
}

}  // namespace

void EnsureCurlInitialised() {
    static std::once_flag Once;
    std::call_once(Once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::vector<std::string> GlobalHostMappings() {
    std::lock_guard<std::mutex> Guard(globals().Lock);
    return globals().HostMappings;
}

std::string CertificateBundle(const std::vector<String>& ExtraPemFiles) {
    if (ExtraPemFiles.empty()) return {};
    TGlobals& G = globals();
    {
        std::lock_guard<std::mutex> Guard(G.Lock);
        auto It = G.Bundles.find(ExtraPemFiles);
        if (It != G.Bundles.end()) return It->second;
    }
    std::string Bundle = systemBundle();
    for (const String& File : ExtraPemFiles) Bundle += "\n" + readPemFile(File);
    std::lock_guard<std::mutex> Guard(G.Lock);
    G.Bundles[ExtraPemFiles] = Bundle;
    return Bundle;
}

}  // namespace idhttp_internal

using namespace idhttp_internal;

// --- TLS handler

TIdSSLIOHandlerSocketOpenSSL::TIdSSLIOHandlerSocketOpenSSL(TComponent* AOwner) : TComponent(AOwner) {}

TIdSSLIOHandlerSocketOpenSSL::~TIdSSLIOHandlerSocketOpenSSL() = default;

void TIdSSLIOHandlerSocketOpenSSL::SetExtraCertificateAuthority(const String& PemFile) {
    if (!PemFile.isEmpty()) CertificateBundle({PemFile});  // checks the file now, not at the first request
    FExtraCertificateAuthority = PemFile;
}

void TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(const String& PemFile) {
    if (!PemFile.isEmpty()) CertificateBundle({PemFile});
    TGlobals& G = globals();
    std::lock_guard<std::mutex> Guard(G.Lock);
    G.ExtraCertificateAuthority = PemFile;
    // The file's content may change between tests under the same name.
    G.Bundles.clear();
}

String TIdSSLIOHandlerSocketOpenSSL::GlobalExtraCertificateAuthority() {
    std::lock_guard<std::mutex> Guard(globals().Lock);
    return globals().ExtraCertificateAuthority;
}

// --- Cookies

TIdCookieManager::TIdCookieManager(TComponent* AOwner) : TComponent(AOwner), FState(std::make_unique<TState>()) {}

TIdCookieManager::~TIdCookieManager() = default;

int TIdCookieManager::CookieCount() const {
    std::lock_guard<std::mutex> Guard(FState->Lock);
    return static_cast<int>(FState->Lines.size());
}

String TIdCookieManager::CookieValue(const String& Name) const {
    std::lock_guard<std::mutex> Guard(FState->Lock);
    // domain, subdomains, path, secure, expiry, name, value: tab-separated.
    for (const std::string& Line : FState->Lines) {
        const QStringList Fields = QString::fromStdString(Line).split(QLatin1Char('\t'));
        if (Fields.size() >= 7 && Fields[5] == Name) return Fields[6];
    }
    return {};
}

void TIdCookieManager::Clear() {
    std::lock_guard<std::mutex> Guard(FState->Lock);
    FState->Lines.clear();
}

// --- Request and response

void TIdHTTPRequest::AddCustomHeader(const String& Name, const String& Value) {
    FCustomHeaders.emplace_back(Name, Value);
}

String TIdHTTPResponse::RawHeader(const String& Name) const {
    for (auto It = FHeaders.rbegin(); It != FHeaders.rend(); ++It)
        if (It->first.compare(Name, Qt::CaseInsensitive) == 0) return It->second;
    return {};
}

// --- Host mappings

void TIdHTTP::AddHostMapping(const String& Host, int Port, const String& ToHost, int ToPort) {
    FHostMappings.push_back(QStringLiteral("%1:%2:%3:%4").arg(Host).arg(Port).arg(ToHost).arg(ToPort));
}

void TIdHTTP::AddGlobalHostMapping(const String& Host, int Port, const String& ToHost, int ToPort) {
    std::lock_guard<std::mutex> Guard(globals().Lock);
    globals().HostMappings.push_back(
        QStringLiteral("%1:%2:%3:%4").arg(Host).arg(Port).arg(ToHost).arg(ToPort).toStdString());
}

void TIdHTTP::ClearGlobalHostMappings() {
    std::lock_guard<std::mutex> Guard(globals().Lock);
    globals().HostMappings.clear();
}

// --- Decoding

String IdDecodeBody(const TBytes& Body, const String& CharSet) {
    const QByteArrayView Bytes(reinterpret_cast<const char*>(Body.data()), static_cast<qsizetype>(Body.size()));
    if (CharSet.isEmpty()) {
        QStringDecoder Utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        String Text = Utf8.decode(Bytes);
        if (!Utf8.hasError()) return Text;
        return QString::fromLatin1(Bytes);
    }
    QStringDecoder Decoder(CharSet.trimmed().toUtf8().constData());
    if (!Decoder.isValid()) return QString::fromLatin1(Bytes);
    return Decoder.decode(Bytes);
}
