#include "tests/support/HttpsTestServer.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <strings.h>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <stdexcept>

namespace {

using TKey = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using TCert = std::unique_ptr<X509, decltype(&X509_free)>;

void check(bool Ok, const char* What) {
    if (!Ok) throw std::runtime_error(std::string("Test certificate: ") + What + " failed");
}

TKey makeKey() {
    TKey Key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    check(Key != nullptr, "key generation");
    return Key;
}

void addExtension(X509* Cert, X509* Issuer, int Nid, const std::string& Value) {
    X509V3_CTX Ctx;
    X509V3_set_ctx_nodb(&Ctx);
    X509V3_set_ctx(&Ctx, Issuer, Cert, nullptr, nullptr, 0);
    X509_EXTENSION* Ext = X509V3_EXT_conf_nid(nullptr, &Ctx, Nid, Value.c_str());
    check(Ext != nullptr, "certificate extension");
    X509_add_ext(Cert, Ext, -1);
    X509_EXTENSION_free(Ext);
}

// A certificate for Key named CommonName, signed by IssuerKey (itself when IssuerCert is null).
TCert makeCertificate(EVP_PKEY* Key, const std::string& CommonName, X509* IssuerCert, EVP_PKEY* IssuerKey, long Serial,
                      const std::vector<std::string>& DnsNames) {
    TCert Cert(X509_new(), X509_free);
    check(Cert != nullptr, "certificate");
    X509_set_version(Cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(Cert.get()), Serial);
    X509_gmtime_adj(X509_getm_notBefore(Cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(Cert.get()), 7L * 24 * 3600);
    X509_set_pubkey(Cert.get(), Key);
    X509_NAME* Name = X509_get_subject_name(Cert.get());
    X509_NAME_add_entry_by_txt(Name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(CommonName.c_str()), -1,
                               -1, 0);
    X509* Issuer = IssuerCert ? IssuerCert : Cert.get();
    X509_set_issuer_name(Cert.get(), X509_get_subject_name(Issuer));
    addExtension(Cert.get(), Issuer, NID_subject_key_identifier, "hash");
    if (!IssuerCert) {
        addExtension(Cert.get(), Issuer, NID_basic_constraints, "critical,CA:TRUE");
        addExtension(Cert.get(), Issuer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        addExtension(Cert.get(), Issuer, NID_authority_key_identifier, "keyid:always");
        addExtension(Cert.get(), Issuer, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(Cert.get(), Issuer, NID_key_usage, "critical,digitalSignature,keyEncipherment");
        addExtension(Cert.get(), Issuer, NID_ext_key_usage, "serverAuth");
        std::string Alt = "IP:127.0.0.1";
        for (const std::string& Dns : DnsNames) Alt += ",DNS:" + Dns;
        addExtension(Cert.get(), Issuer, NID_subject_alt_name, Alt);
    }
    check(X509_sign(Cert.get(), IssuerKey, EVP_sha256()) > 0, "signing");
    return Cert;
}

void writePem(X509* Cert, const String& Path) {
    FILE* F = std::fopen(Path.toLocal8Bit().constData(), "wb");
    check(F != nullptr, "writing the authority file");
    PEM_write_X509(F, Cert);
    std::fclose(F);
}

}  // namespace

struct THttpsTestServer::TImpl {
    TKey CaKey{nullptr, EVP_PKEY_free};
    TCert CaCert{nullptr, X509_free};
    TKey ServerKey{nullptr, EVP_PKEY_free};
    TCert ServerCert{nullptr, X509_free};
    std::unique_ptr<httplib::SSLServer> Server;
    std::thread Thread;
    std::atomic<bool> Stopping{false};
    std::vector<std::string> Names;
    String Folder;
    mutable std::mutex Lock;
    std::vector<TSeenRequest> Seen;
};

const std::vector<std::string>& THttpsTestServer::QuilloryHostNames() {
    static const std::vector<std::string> Names = {"quillory.com", "www.quillory.com"};
    return Names;
}

THttpsTestServer::THttpsTestServer(const std::vector<std::string>& ExtraHostNames) : FImpl(std::make_unique<TImpl>()) {
    TImpl& I = *FImpl;
    I.Names = {"localhost"};
    for (const std::string& N : QuilloryHostNames()) I.Names.push_back(N);
    for (const std::string& N : ExtraHostNames) I.Names.push_back(N);

    I.CaKey = makeKey();
    I.CaCert = makeCertificate(I.CaKey.get(), "Loopback Test Authority", nullptr, I.CaKey.get(), 1, {});
    I.ServerKey = makeKey();
    I.ServerCert = makeCertificate(I.ServerKey.get(), "localhost", I.CaCert.get(), I.CaKey.get(), 2, I.Names);
    TKey OtherKey = makeKey();
    TCert OtherCa = makeCertificate(OtherKey.get(), "Unrelated Test Authority", nullptr, OtherKey.get(), 3, {});

    QTemporaryDir Dir(QDir::tempPath() + QStringLiteral("/qvd-https-XXXXXX"));
    Dir.setAutoRemove(false);
    I.Folder = Dir.path();
    writePem(I.CaCert.get(), CaFile());
    writePem(OtherCa.get(), UnrelatedCaFile());

    I.Server = std::make_unique<httplib::SSLServer>(I.ServerCert.get(), I.ServerKey.get());
    check(I.Server->is_valid(), "the TLS server context");
    // The 5 s default gave up on a client still busy with the handshake on a loaded machine (a
    // sanitized build sharing its cores); its late Finished then met a closed socket and a reset.
    I.Server->set_read_timeout(60);
    I.Server->set_write_timeout(60);
    I.Server->set_pre_routing_handler([this](const httplib::Request& Req, httplib::Response&) {
        TSeenRequest R{Req.method, Req.target, Req.headers};
        std::lock_guard<std::mutex> Guard(FImpl->Lock);
        FImpl->Seen.push_back(std::move(R));
        return httplib::Server::HandlerResponse::Unhandled;
    });
    FPort = I.Server->bind_to_any_port("127.0.0.1");
    check(FPort > 0, "binding a loopback port");
}

THttpsTestServer::~THttpsTestServer() {
    Stop();
    if (!FImpl->Folder.isEmpty()) QDir(FImpl->Folder).removeRecursively();
}

httplib::Server& THttpsTestServer::Server() { return *FImpl->Server; }

void THttpsTestServer::Start() {
    TImpl& I = *FImpl;
    if (I.Thread.joinable()) return;
    I.Thread = std::thread([&I] { I.Server->listen_after_bind(); });
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!I.Server->is_running() && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    check(I.Server->is_running(), "starting the server");
}

void THttpsTestServer::Stop() {
    TImpl& I = *FImpl;
    I.Stopping = true;
    if (!I.Thread.joinable()) return;
    // stop() before the listening loop runs would be lost; Start waited for it to run.
    I.Server->stop();
    I.Thread.join();
}

bool THttpsTestServer::Stopping() const { return FImpl->Stopping.load(); }

String THttpsTestServer::Url(const String& Path, const String& Host) const {
    return QStringLiteral("https://%1:%2%3").arg(Host).arg(FPort).arg(Path);
}

String THttpsTestServer::CaFile() const { return FImpl->Folder + QStringLiteral("/test-ca.pem"); }

String THttpsTestServer::UnrelatedCaFile() const { return FImpl->Folder + QStringLiteral("/unrelated-ca.pem"); }

std::vector<std::string> THttpsTestServer::HostNames() const { return FImpl->Names; }

std::string THttpsTestServer::TSeenRequest::Header(const std::string& Name) const {
    for (const auto& [Key, Value] : Headers)
        if (strcasecmp(Key.c_str(), Name.c_str()) == 0) return Value;
    return {};
}

std::vector<THttpsTestServer::TSeenRequest> THttpsTestServer::Requests() const {
    std::lock_guard<std::mutex> Guard(FImpl->Lock);
    return FImpl->Seen;
}

void THttpsTestServer::ClearRequests() {
    std::lock_guard<std::mutex> Guard(FImpl->Lock);
    FImpl->Seen.clear();
}
