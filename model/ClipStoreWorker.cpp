#include "model/ClipStoreWorker.h"

#include <new>
#include <utility>

ClipStoreWorker::ClipStoreWorker(ClipStore& store, LogLines log, std::chrono::milliseconds idle)
    : store_(store), log_(std::move(log)), idle_(idle) {}

void ClipStoreWorker::Start() {
    if (thread_.joinable()) return;
    // The load's trouble: the store is the caller's until the thread starts.
    const ClipStore::LoadTrouble trouble = store_.Trouble();
    std::lock_guard lock(m_);
    if (trouble != ClipStore::LoadTrouble::None && !noticed_) {
        noticed_ = true;
        notice_.kind = Notice::FilesLeftAlone;
    }
    stop_ = false;
    settled_ = false;  // a load may have left a committed change to finish
    thread_ = std::thread([this] { Run(); });
}

void ClipStoreWorker::Post(std::vector<ClipTextRef> oldestFirst) {
    std::lock_guard lock(m_);
    next_ = std::move(oldestFirst);
    hasNext_ = true;
    cv_.notify_all();
}

void ClipStoreWorker::Finish() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(m_);
        stop_ = true;
        cv_.notify_all();
    }
    thread_.join();
}

void ClipStoreWorker::WaitSettled() {
    std::unique_lock lock(m_);
    cv_.wait(lock, [&] { return !next_ && settled_; });
}

void ClipStoreWorker::NoteTrouble() {
    if (store_.Behind() && !noticed_) {
        noticed_ = true;  // once a run: the log has every later failure
        std::lock_guard lock(m_);
        notice_ = {Notice::Behind, store_.FailureReason()};
    }
}

ClipStoreWorker::NoticeText ClipStoreWorker::TakeNotice() {
    std::lock_guard lock(m_);
    return std::exchange(notice_, NoticeText{});
}

// Memory that runs out on this thread must not end the process: the files stay as they were, and
// the next save or settling tries again.
template <typename F>
void ClipStoreWorker::Guarded(std::vector<std::string>& problems, F&& work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        problems.push_back(">>> Not enough memory to save the clip files; the next save tries again");
    }
}

void ClipStoreWorker::Run() {
    std::unique_lock lock(m_);
    for (;;) {
        std::vector<std::string> problems;
        if (next_) {
            std::vector<ClipTextRef> history = std::move(*next_);
            next_.reset();
            hasNext_ = false;
            settled_ = false;
            lock.unlock();
            Guarded(problems, [&] { store_.Save(history, problems, [this] { return hasNext_.load(); }); });
            NoteTrouble();
        } else if (!settled_) {
            // Settle only after a quiet spell (or at the end): a burst of captures is written
            // first, and every file write lies well before the listing the cache is checked by.
            if (!stop_ && cv_.wait_for(lock, idle_, [&] { return next_.has_value() || stop_; })) continue;
            lock.unlock();
            Guarded(problems, [&] { store_.Settle(problems); });
            NoteTrouble();
            lock.lock();
            settled_ = true;  // a failure is tried again after the next save
            cv_.notify_all();
            lock.unlock();
        } else if (stop_) {
            return;
        } else {
            cv_.wait(lock, [&] { return next_.has_value() || stop_; });
            continue;
        }
        if (!problems.empty() && log_) log_(problems);
        lock.lock();
    }
}
