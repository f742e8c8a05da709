// Starts the program against the loopback page server: trusts the server's certificate authority
// and maps the Quillory host names onto it through the HTTP client's own settings, stores the
// settings given, then runs the program's own start-up. The program itself knows nothing of it.
//
//   quillory-launcher STATE_DIR [NAME=VALUE ...]
//
// STATE_DIR is the page server's (ca.pem, port). Each NAME=VALUE is stored as text under the
// program's settings key before the windows are made. SIGTERM closes the main window as a user
// would, so the close handlers run.
#include "app/Startup.h"
#include "app/_mainUnit.h"
#include "framework/net/IdHTTP.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Forms.h"

#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

int gSignalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char Byte = 1;
    [[maybe_unused]] const ssize_t Written = write(gSignalPipe[1], &Byte, 1);
}

// Waits for SIGTERM on its own thread and hands the close to the window thread.
void closeOnTerminate() {
    if (pipe(gSignalPipe) != 0) return;
    std::signal(SIGTERM, onTerminate);
    std::thread([] {
        char Byte = 0;
        if (read(gSignalPipe[0], &Byte, 1) != 1) return;
        TThread::Queue(nullptr, [] {
            if (_mainForm) _mainForm->Close();
        });
    }).detach();
}

int fail(const std::string& Text) {
    std::fprintf(stderr, "quillory-launcher: %s\n", Text.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return fail("usage: quillory-launcher STATE_DIR [NAME=VALUE ...]");
    const std::string State = argv[1];
    int Port = 0;
    std::ifstream(State + "/port") >> Port;
    if (Port <= 0) return fail("no port in " + State + "/port");

    TIdSSLIOHandlerSocketOpenSSL::SetGlobalExtraCertificateAuthority(QString::fromStdString(State + "/ca.pem"));
    for (const char* Host : {"quillory.com", "www.quillory.com"})
        TIdHTTP::AddGlobalHostMapping(QString::fromLatin1(Host), 443, QStringLiteral("127.0.0.1"), Port);

    TRegistry Reg;
    for (int i = 2; i < argc; ++i) {
        const String Setting = QString::fromLocal8Bit(argv[i]);
        const qsizetype Equals = Setting.indexOf(u'=');
        if (Equals <= 0) return fail(std::string("not NAME=VALUE: ") + argv[i]);
        if (!Reg.OpenKey(SettingsKey, true)) return fail("cannot open the settings key");
        Reg.WriteString(Setting.left(Equals), Setting.mid(Equals + 1));
        Reg.CloseKey();
    }

    String Reason;
    if (!DisplayAvailable(Reason)) return fail(Reason.toStdString());
    closeOnTerminate();
    // The program's own start-up and message loop, as its main() runs them.
    int Argc = 1;
    return RunQuilloryVideoDownloader(Argc, argv);
}
