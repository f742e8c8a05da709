// A Quillory page and its media on loopback HTTPS, for running the program end to end without
// the network. It makes its own certificate authority; the launcher trusts it and maps the
// Quillory host names onto this server.
//
//   quillory-page-server STATE_DIR [HOLD_MS]
//
// Writes STATE_DIR/ca.pem and then STATE_DIR/port (the last file written: wait for it), serves
//   /video/video.php   a page titled "Loopback clip" whose media is /media/clip.flv, held back
//                      HOLD_MS milliseconds (default 0) so that the wait window shows meanwhile
//   /media/clip.flv    256 KiB of data
// and runs until it gets SIGTERM or SIGINT.
#include "tests/support/HttpsTestServer.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

volatile std::sig_atomic_t gStop = 0;

void onSignal(int) { gStop = 1; }

bool copyFile(const std::string& From, const std::string& To) {
    std::ifstream In(From, std::ios::binary);
    std::ofstream Out(To, std::ios::binary | std::ios::trunc);
    Out << In.rdbuf();
    return In && Out.good();
}

bool writeText(const std::string& Path, const std::string& Text) {
    // Written under another name first, so a reader never sees half of it.
    const std::string Temporary = Path + ".part";
    {
        std::ofstream Out(Temporary, std::ios::trunc);
        Out << Text << '\n';
        if (!Out.good()) return false;
    }
    return std::rename(Temporary.c_str(), Path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s STATE_DIR [HOLD_MS]\n", argv[0]);
        return 2;
    }
    const std::string State = argv[1];
    const int HoldMs = argc == 3 ? std::atoi(argv[2]) : 0;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);

    THttpsTestServer Server;
    const std::string Media(256 * 1024, 'q');
    Server.Server().Get("/video/video.php", [&Server, HoldMs](const httplib::Request&, httplib::Response& Res) {
        for (int Waited = 0; Waited < HoldMs && !Server.Stopping(); Waited += 50)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Res.set_content(
            "<html><head><title>Loopback clip</title></head><body><script>{\"playable_url\":\"https:\\/\\/"
            "www.quillory.com\\/media\\/clip.flv\"}</script></body></html>",
            "text/html; charset=utf-8");
    });
    Server.Server().Get("/media/clip.flv", [&Media](const httplib::Request&, httplib::Response& Res) {
        Res.set_content(Media, "video/x-flv");
    });
    Server.Start();

    if (!copyFile(Server.CaFile().toStdString(), State + "/ca.pem") ||
        !writeText(State + "/port", std::to_string(Server.Port()))) {
        std::fprintf(stderr, "quillory-page-server: cannot write into %s\n", State.c_str());
        return 1;
    }
    while (!gStop) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Server.Stop();
    return 0;
}
