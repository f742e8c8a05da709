// A local HTTPS server for tests, on a free loopback port. It makes its own certificate
// authority and a server certificate for "localhost", 127.0.0.1 and the Quillory host names
// at run time, so nothing secret lives in the tree. Handlers are registered on Server() before
// Start(); they run on the server's threads.
//
//     THttpsTestServer Srv;
//     Srv.Server().Get("/page", [](const httplib::Request&, httplib::Response& Res) {
//         Res.set_content("<title>x</title>", "text/html; charset=utf-8");
//     });
//     Srv.Start();
//     THttpsTestServer::TGlobalInstall Install(Srv);  // the program's own clients reach it
//     ... fetch Srv.Url("/page") or "https://www.quillory.com/page" ...
#pragma once

#include "framework/net/IdHTTP.h"
#include "framework/rtl/Types.h"

// The system's compiled library was built with these; the header must agree with it.
#ifndef CPPHTTPLIB_OPENSSL_SUPPORT
#define CPPHTTPLIB_OPENSSL_SUPPORT
#endif
#ifndef CPPHTTPLIB_ZLIB_SUPPORT
#define CPPHTTPLIB_ZLIB_SUPPORT
#endif
#ifndef CPPHTTPLIB_BROTLI_SUPPORT
#define CPPHTTPLIB_BROTLI_SUPPORT
#endif
#include <httplib.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class THttpsTestServer {
public:
    // Names the certificate covers besides "localhost" and 127.0.0.1.
    static const std::vector<std::string>& QuilloryHostNames();  // quillory.com, www.quillory.com

    // Makes the authority and the certificate (for localhost, 127.0.0.1, the Quillory names and
    // ExtraHostNames) and binds 127.0.0.1 on a free port; Start() begins serving.
    explicit THttpsTestServer(const std::vector<std::string>& ExtraHostNames = {});
    ~THttpsTestServer();
    THttpsTestServer(const THttpsTestServer&) = delete;
    THttpsTestServer& operator=(const THttpsTestServer&) = delete;

    httplib::Server& Server();
    void Start();
    // Stops serving and waits for the server's thread; handlers blocked in a stall should watch
    // Stopping() so that this returns promptly.
    void Stop();
    bool Stopping() const;

    int Port() const { return FPort; }
    // "https://<Host>:<port><Path>".
    String Url(const String& Path, const String& Host = QStringLiteral("localhost")) const;
    // The PEM file of the test authority (inside a folder removed with the server).
    String CaFile() const;
    // The PEM file of another authority that signed nothing this server sends: for the "unknown
    // certificate" cases, trust this one instead.
    String UnrelatedCaFile() const;

    // Every request seen, in order (method, path with query, headers).
    struct TSeenRequest {
        std::string Method;
        std::string Target;
        httplib::Headers Headers;
        std::string Header(const std::string& Name) const;  // empty when absent
    };
    std::vector<TSeenRequest> Requests() const;
    void ClearRequests();

    // While it lives, every client of the process trusts the test authority and reaches
    // "localhost", the Quillory names and ExtraHostNames on ports 443, 80 and Port() at this
    // server. Undone by its destructor.
    // (Inline, so that the support library needs no HTTP client of its own.)
    class TGlobalInstall {
    public:
        explicit TGlobalInstall(const THttpsTestServer& Server) {
            TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(Server.CaFile());
            for (const std::string& Name : Server.HostNames())
                for (int Port : {443, Server.Port()})
                    TIdHTTP::AddGlobalHostMapping(QString::fromStdString(Name), Port, QStringLiteral("127.0.0.1"),
                                                  Server.Port());
        }
        ~TGlobalInstall() {
            TIdHTTP::ClearGlobalHostMappings();
            TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(String());
        }
        TGlobalInstall(const TGlobalInstall&) = delete;
        TGlobalInstall& operator=(const TGlobalInstall&) = delete;
    };
    // Every name the certificate covers ("localhost", the Quillory names, the extra names).
    std::vector<std::string> HostNames() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    int FPort = 0;
};
