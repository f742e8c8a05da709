#include "app/Startup.h"

#include <cstdio>

int main(int argc, char** argv) {
    String Reason;
    if (!DisplayAvailable(Reason)) {
        std::fprintf(stderr, "quillory-video-downloader: %s\n", Reason.toLocal8Bit().constData());
        return 1;
    }
    return RunQuilloryVideoDownloader(argc, argv);
}
