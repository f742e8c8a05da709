#include "app/Entries.h"

#include <algorithm>
#include <chrono>
#include <mutex>

std::vector<TItem> entries;
std::atomic<bool> grab_done{false};
TThread* grab_thread = nullptr;

namespace {

std::atomic<TEntryKey> NextKey{1};

std::mutex& grabLock() {
    static std::mutex Lock;
    return Lock;
}

struct Workers {
    std::mutex Lock;
    std::vector<TThread*> Live;
};

Workers& workers() {
    static Workers W;
    return W;
}

}  // namespace

int AppendEntry(int server, const String& link) {
    TItem Item;
    Item.enabled = 1;
    Item.id = int(entries.size());
    Item.thread_id = 0;
    Item.link = link;
    Item.server = server;
    Item.key = NextKey.fetch_add(1);
    entries.push_back(std::move(Item));
    return int(entries.size()) - 1;
}

void RemoveEntryAt(int Index) {
    if (Index < 0 || Index >= int(entries.size())) return;
    entries.erase(entries.begin() + Index);
    for (int k = Index; k < int(entries.size()); ++k) entries[k].id = k;
}

int EntryIndexOfKey(TEntryKey Key) {
    for (int i = 0; i < int(entries.size()); ++i)
        if (entries[i].key == Key) return i;
    return -1;
}

TItem* EntryOfKey(TEntryKey Key) {
    const int i = EntryIndexOfKey(Key);
    return i < 0 ? nullptr : &entries[i];
}

int RowIndexOfThread(TThreadID ThreadId) {
    for (int i = 0; i < int(entries.size()); ++i)
        if (entries[i].thread_id == ThreadId) return i;
    return int(entries.size());
}

bool LinkInEntries(const String& Link, int Count) {
    Count = std::min(Count, int(entries.size()));
    for (int i = 0; i < Count; ++i)
        if (entries[i].link == Link) return true;
    return false;
}

void SetGrabThread(TThread* Thread) {
    std::lock_guard<std::mutex> Guard(grabLock());
    grab_thread = Thread;
}

void ForgetGrabThread(TThread* Thread) {
    std::lock_guard<std::mutex> Guard(grabLock());
    if (grab_thread == Thread) grab_thread = nullptr;
}

void TerminateGrabThread() {
    // Under the lock, so that a reader that has already let go of grab_thread is never touched.
    std::lock_guard<std::mutex> Guard(grabLock());
    if (grab_thread) grab_thread->Terminate();
}

void RegisterWorker(TThread* Thread) {
    std::lock_guard<std::mutex> Guard(workers().Lock);
    auto& Live = workers().Live;
    if (std::find(Live.begin(), Live.end(), Thread) == Live.end()) Live.push_back(Thread);
}

void UnregisterWorker(TThread* Thread) {
    std::lock_guard<std::mutex> Guard(workers().Lock);
    auto& Live = workers().Live;
    Live.erase(std::remove(Live.begin(), Live.end(), Thread), Live.end());
}

int LiveWorkerCount() {
    std::lock_guard<std::mutex> Guard(workers().Lock);
    return int(workers().Live.size());
}

bool StopAllWorkers(int TimeoutMs) {
    {
        std::lock_guard<std::mutex> Guard(workers().Lock);
        for (TThread* Thread : workers().Live) Thread->Terminate();
    }
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (LiveWorkerCount() > 0) {
        if (std::chrono::steady_clock::now() >= Deadline) return false;
        // Workers hand their last writes to this thread; run them, or they would wait for ever.
        if (IsWindowThread())
            CheckSynchronize(20);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

namespace {

// Installed and read on the window thread only.
TEntryWindow* gEntryWindow = nullptr;

}  // namespace

void InstallEntryWindow(TEntryWindow* Window) { gEntryWindow = Window; }

void RemoveEntryWindow(TEntryWindow* Window) {
    if (gEntryWindow == Window) gEntryWindow = nullptr;
}

void SetEntryRowText(int Row, int Column, const String& Text) {
    if (gEntryWindow) gEntryWindow->SetRowText(Row, Column, Text);
}

void EnableEntryButtons() {
    if (gEntryWindow) gEntryWindow->RefreshButtons();
}

HWND EntryOwnerHandle() { return gEntryWindow ? gEntryWindow->OwnerHandle() : nullptr; }
