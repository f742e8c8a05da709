// Shared by the client's units only: process-wide settings and the cookie store's lines.
#pragma once

#include "framework/net/IdHTTP.h"

#include <mutex>
#include <string>
#include <vector>

namespace idhttp_internal {

// libcurl's global initialisation, once per process.
void EnsureCurlInitialised();

// "host:port:tohost:toport" lines applied to every client.
std::vector<std::string> GlobalHostMappings();

// The system's trust store followed by the extra authorities' PEM text; empty when there is no
// extra authority (the library's own default store is then used unchanged). Raises EIdTLSError
// when a file cannot be read.
std::string CertificateBundle(const std::vector<String>& ExtraPemFiles);

// The cookie manager's store, in the library's "Netscape" line format.
struct TCookieStore {
    mutable std::mutex Lock;
    std::vector<std::string> Lines;
};

}  // namespace idhttp_internal

struct TIdCookieManager::TState : idhttp_internal::TCookieStore {};
