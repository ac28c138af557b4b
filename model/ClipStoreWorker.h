#pragma once
// ClipStoreWorker: saves the clip history on a thread of its own, so that no capture or deletion
// waits for the disk. The window thread posts the history as it stands; a posted history
// replaces one still waiting (only the latest matters), and a save under way hands over to it
// between two file writes. Once nothing has been posted for a while the store settles. The texts
// are the history's own buffers: posting copies pointers, not texts.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/ClipStore.h"

class ClipStoreWorker {
public:
    using LogLines = std::function<void(const std::vector<std::string>&)>;
    // `log` is called on the worker's thread.
    ClipStoreWorker(ClipStore& store, LogLines log, std::chrono::milliseconds idle = std::chrono::milliseconds(300));
    ~ClipStoreWorker() { Finish(); }
    ClipStoreWorker(const ClipStoreWorker&) = delete;
    ClipStoreWorker& operator=(const ClipStoreWorker&) = delete;

    // The store is the worker's from here until Finish returns; it settles once idle.
    void Start();
    // The history, oldest first, as the clip files should hold it.
    void Post(std::vector<ClipTextRef> oldestFirst);
    // Saves what was posted, settles the store and ends the thread. Start may follow.
    void Finish();
    // Waits until everything posted is saved and the store has settled.
    void WaitSettled();
    // What the user is to hear of, not only the log: once a run, the first time the load or a
    // save could not keep the folder as the history has it. A failed save carries the platform's
    // reason for it, empty when unknown.
    enum class Notice { None, Behind, FilesLeftAlone };
    struct NoticeText {
        Notice kind = Notice::None;
        std::string reason;
    };
    NoticeText TakeNotice();

private:
    void Run();
    void NoteTrouble();
    template <typename F>
    static void Guarded(std::vector<std::string>& problems, F&& work);

    ClipStore& store_;
    LogLines log_;
    std::chrono::milliseconds idle_;
    std::mutex m_;
    std::condition_variable cv_;
    std::optional<std::vector<ClipTextRef>> next_;
    std::atomic<bool> hasNext_{false};
    bool stop_ = false;
    bool settled_ = true;
    bool noticed_ = false;  // the worker's thread only, and Start before the thread runs
    NoticeText notice_;     // under m_
    std::thread thread_;
};
