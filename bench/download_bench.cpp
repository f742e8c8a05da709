// Download throughput: a file served by a local HTTPS server, fetched through TDownloadThread and,
// in the same run, by libcurl writing straight to disk. Prints both throughputs, their ratio and
// the growth of resident memory while TDownloadThread runs.
//
//     bench_download_bench [--size-mib=1024]
//
// Goal: ratio 0.95 or more, memory growth under 16 MiB.
#include "app/Entries.h"
#include "app/_downloadUnit.h"
#include "framework/net/IdHTTP.h"
#include "tests/support/HttpsTestServer.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

long residentKiB() {
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmRSS:", 0) == 0) return std::atol(Line.c_str() + 6);
    return 0;
}

size_t writeToFile(char* Data, size_t Size, size_t Count, void* File) {
    return std::fwrite(Data, Size, Count, static_cast<std::FILE*>(File)) * Size;
}

double seconds(std::chrono::steady_clock::duration D) { return std::chrono::duration<double>(D).count(); }

}  // namespace

int main(int argc, char** argv) {
    long SizeMiB = 1024;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--size-mib=", 11) == 0) SizeMiB = std::atol(argv[i] + 11);
    if (SizeMiB <= 0) {
        std::fprintf(stderr, "usage: %s [--size-mib=N] (N > 0)\n", argv[0]);
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication App(argc, argv);
    const size_t Size = size_t(SizeMiB) * 1024 * 1024;

    static std::string Block(1024 * 1024, 'v');
    THttpsTestServer Server;
    Server.Server().Get("/big.flv", [Size](const httplib::Request&, httplib::Response& Res) {
        Res.set_content_provider(Size, "video/x-flv", [](size_t Offset, size_t Length, httplib::DataSink& Sink) {
            const size_t Part = std::min(Length, Block.size() - Offset % Block.size());
            return Sink.write(Block.data(), Part);
        });
    });
    Server.Start();
    THttpsTestServer::TGlobalInstall Install(Server);
    const String Url = Server.Url(QStringLiteral("/big.flv"));

    QTemporaryDir Folder;
    if (!Folder.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }

    // Through the download thread, as Start runs it.
    const int Index = AppendEntry(67, Url);
    entries[Index].url = Url;
    entries[Index].saveto = Folder.path();
    entries[Index].filename = QStringLiteral("big");
    entries[Index].status = esReady;
    auto* Thread = new TDownloadThread(entries[Index].key);
    entries[Index].thread = Thread;
    Thread->SetFreeOnTerminate(true);
    const long RssBefore = residentKiB();
    long RssPeak = RssBefore;
    const auto ThreadStart = std::chrono::steady_clock::now();
    Thread->Start();
    while (entries[Index].thread != nullptr || LiveWorkerCount() > 0) {
        CheckSynchronize(10);
        RssPeak = std::max(RssPeak, residentKiB());
    }
    const double ThreadSeconds = seconds(std::chrono::steady_clock::now() - ThreadStart);
    const QFileInfo Downloaded(Folder.filePath(QStringLiteral("big.flv")));
    if (entries[Index].status != esDone || Downloaded.size() != qint64(Size)) {
        std::fprintf(stderr, "the download thread did not finish the file (status %d, %lld bytes)\n",
                     entries[Index].status, static_cast<long long>(Downloaded.size()));
        return 1;
    }
    QFile::remove(Downloaded.filePath());

    // libcurl straight to disk.
    const std::string Target = Folder.filePath(QStringLiteral("curl.flv")).toStdString();
    std::FILE* Out = std::fopen(Target.c_str(), "wb");
    CURL* Curl = curl_easy_init();
    const std::string UrlText = Url.toStdString();
    const std::string CaFile = Server.CaFile().toStdString();
    curl_easy_setopt(Curl, CURLOPT_URL, UrlText.c_str());
    curl_easy_setopt(Curl, CURLOPT_CAINFO, CaFile.c_str());
    curl_easy_setopt(Curl, CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(Curl, CURLOPT_WRITEDATA, Out);
    const auto CurlStart = std::chrono::steady_clock::now();
    const CURLcode Code = curl_easy_perform(Curl);
    std::fclose(Out);
    const double CurlSeconds = seconds(std::chrono::steady_clock::now() - CurlStart);
    curl_easy_cleanup(Curl);
    if (Code != CURLE_OK) {
        std::fprintf(stderr, "libcurl: %s\n", curl_easy_strerror(Code));
        return 1;
    }

    const double MiB = double(Size) / (1024 * 1024);
    std::printf("size                 %ld MiB\n", SizeMiB);
    std::printf("TDownloadThread      %.1f MiB/s\n", MiB / ThreadSeconds);
    std::printf("libcurl to disk      %.1f MiB/s\n", MiB / CurlSeconds);
    std::printf("ratio                %.3f (goal >= 0.95)\n", CurlSeconds / ThreadSeconds);
    std::printf("resident growth      %.1f MiB (goal < 16)\n", double(RssPeak - RssBefore) / 1024);
    Server.Stop();
    return 0;
}
