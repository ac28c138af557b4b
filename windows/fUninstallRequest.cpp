// The survey's one request, bounded: a proxy or server that never answers, answers a byte at a
// time, or never stops sending must not keep the uninstaller waiting or fill its memory.
#include <windows.h>
#include <psapi.h>
#include <wininet.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "windows/fUninstall.h"

namespace {
constexpr const char* kAgent = "Quillmate/";  // ten characters
constexpr DWORD kStepMs = 5000;               // connecting, sending, each wait for data
constexpr auto kHeadersWithin = std::chrono::seconds(6);
constexpr auto kWholeRequest = std::chrono::seconds(12);
constexpr size_t kMostReply = 64 * 1024;
// The system reads the headers itself, with no bound on their length; the survey stops waiting
// once the process has grown by this much meanwhile.
constexpr size_t kMostGrowth = 32 * 1024 * 1024;
constexpr auto kLook = std::chrono::milliseconds(100);

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    return GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc) ? pmc.PagefileUsage : 0;
}

// One request, run on a thread of its own. The system's time-outs bound neither a reply that keeps
// coming slowly nor headers that never end; closing a handle, which should cancel a call blocked on
// it, does not always make that call return; and closing a request whose reply is not all read may
// read the rest first, which a reply in endless chunks never ends. So the survey's own thread never
// closes a handle: the request's thread closes its handles once it is done, a thread of their own
// closes them when the survey stops waiting, and the survey waits for neither beyond its bound,
// then goes on to end the program, which ends whatever is still running.
class Request : public std::enable_shared_from_this<Request> {
public:
    explicit Request(std::string url) : url_(std::move(url)) {}

    void Run() {
        HINTERNET net = InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        if (Keep(net)) {
            for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                 INTERNET_OPTION_RECEIVE_TIMEOUT}) {
                DWORD ms = kStepMs;
                InternetSetOptionA(net, option, &ms, sizeof ms);
            }
            HINTERNET url = InternetOpenUrlA(net, url_.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
            Mark(headers_);
            if (Keep(url)) Read(url);
        }
        CloseHandles(TakeHandles());
        Mark(done_);
    }
    // Waits for the headers, then for the whole reply and its closing, each within its bound of
    // time and all within a bound of memory. Returns the reply read so far.
    std::string Finish() {
        std::unique_lock lock(m_);
        const auto start = std::chrono::steady_clock::now();
        const size_t before = PrivateBytes();
        while (!done_ && std::chrono::steady_clock::now() < start + (headers_ ? kWholeRequest : kHeadersWithin) &&
               PrivateBytes() < before + kMostGrowth)
            wake_.wait_for(lock, kLook, [this] { return done_; });
        if (!done_) {
            stopped_ = true;
            // Closing cancels a call still blocked on the handles, or should; it runs apart so
            // that a close which blocks too holds up nobody.
            std::thread([self = shared_from_this(), handles = TakeHandlesLocked()] { CloseHandles(handles); }).detach();
        }
        return reply_;
    }

private:
    using Handles = std::array<HINTERNET, 2>;  // the URL first: it is closed before the session

    // Only the end of the reply matters; it is read, up to a bound, so the server sees it taken.
    void Read(HINTERNET url) {
        char buffer[2048];
        DWORD read = 0;
        while (InternetReadFile(url, buffer, sizeof buffer, &read) && read > 0) {
            std::lock_guard lock(m_);
            reply_.append(buffer, read);
            if (stopped_ || reply_.size() >= kMostReply) return;
        }
    }
    // Keeps a handle for closing; false once the survey stopped waiting (the request's thread then
    // closes it with the rest on its way out).
    bool Keep(HINTERNET h) {
        std::lock_guard lock(m_);
        if (h) (net_ ? url_handle_ : net_) = h;
        return h != nullptr && !stopped_;
    }
    void Mark(bool& flag) {
        {
            std::lock_guard lock(m_);
            flag = true;
        }
        wake_.notify_all();
    }
    Handles TakeHandles() {
        std::lock_guard lock(m_);
        return TakeHandlesLocked();
    }
    Handles TakeHandlesLocked() { return {std::exchange(url_handle_, nullptr), std::exchange(net_, nullptr)}; }
    static void CloseHandles(const Handles& handles) {
        for (HINTERNET h : handles)
            if (h) InternetCloseHandle(h);
    }

    const std::string url_;
    std::mutex m_;
    std::condition_variable wake_;
    bool headers_ = false, done_ = false, stopped_ = false;
    HINTERNET net_ = nullptr, url_handle_ = nullptr;
    std::string reply_;
};
}  // namespace

std::string fUninstallForm::ReadUrl(const std::string& Url) {
    // Shared with the request's thread, which may outlive this call until the program ends.
    auto request = std::make_shared<Request>(Url);
    std::thread([request] { request->Run(); }).detach();
    return request->Finish();
}
