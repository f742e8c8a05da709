#include "framework/rtl/DebugOutput.h"

#include <mutex>
#include <utility>

namespace {

std::mutex SinkLock;

std::function<void(const String&)>& sink() {
    static std::function<void(const String&)> Sink;
    return Sink;
}

}  // namespace

void OutputDebugString(const String& Line) {
    std::lock_guard Lock(SinkLock);
    if (sink()) sink()(Line);
}

std::function<void(const String&)> SetDebugOutputSink(std::function<void(const String&)> Sink) {
    std::lock_guard Lock(SinkLock);
    return std::exchange(sink(), std::move(Sink));
}
