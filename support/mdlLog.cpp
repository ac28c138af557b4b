#include "support/mdlLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>

#ifdef _WIN32
#include <windows.h>

#include "support/LinkSafeFiles.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mdlLog {
namespace {
// The log's state is made at start-up, not on first use: the clip store's thread logs too, and a
// first use there while the process ends would register its destruction under the lock that the
// ending holds while it waits for that thread.
std::string logPath;

// The log stays open between lines: opening it for each line cost more than the rest of a
// start-up with a long history. Every line still goes to the system unbuffered before WriteLog
// returns, so a killed process loses none (as with opening and closing, a line is not forced
// onto the disk one by one: the system's crash is not what the log guards against), other
// programs may read and write it meanwhile, and a log that has gone is created again (a removal
// that would only take effect when the handle closes is refused: the lines written meanwhile
// would go with the file). A link in the log's place is removed as itself, never written
// through, and the log's first lines tell of it.
class LogHandle {
public:
    ~LogHandle() { Close(); }
    bool Append(const std::string& path, const std::string& bytes) {
        // Asking costs more than the line itself, so a long history's start would pay for it
        // thousands of times a second: asked at most every fifth of a second.
        const auto now = std::chrono::steady_clock::now();
        if (IsOpen() && now - checked_ > std::chrono::milliseconds(200)) {
            checked_ = now;
            if (Gone()) Close();
        }
        if (!IsOpen()) Open(path);
        if (!IsOpen()) return false;
        if (!notes_.empty() && Write(notes_)) notes_.clear();
        return Write(bytes);
    }
    void Close();
#ifdef _WIN32
    void Remove(const std::string& path) {
        LinkSafeFiles([this](std::string line) { Note(line); }).Remove(path);
    }
#else
    void Remove(const std::string& path) { ::unlink(path.c_str()); }
#endif

private:
    std::chrono::steady_clock::time_point checked_{};
    std::string notes_;  // lines about links met, for the log's first write
    void Note(const std::string& line) { notes_ += line + "\r\n"; }
#ifdef _WIN32
    OpenedFile file_;
    bool IsOpen() const { return file_.Ok(); }
    void Open(const std::string& path) {
        // No delete sharing: a delete would only be pending while the handle is open, and every
        // line written meanwhile would vanish with the file. Another program's delete is refused.
        file_ = LinkSafeFiles([this](std::string line) { Note(line); })
                    .OpenToAppend(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    }
    bool Gone() const {
        // Removed by a means that takes the name away at once: the file has no name left.
        struct StandardInformation {
            LARGE_INTEGER AllocationSize, EndOfFile;
            ULONG NumberOfLinks;
            BOOLEAN DeletePending, Directory;
        } info{};
        struct StatusBlock {
            LONG_PTR Status;
            ULONG_PTR Information;
        } io{};
        using QueryFn = LONG(WINAPI*)(HANDLE, StatusBlock*, void*, ULONG, int);
        static const auto query = reinterpret_cast<QueryFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
        constexpr int kFileStandardInformation = 5;
        if (!query || query(file_.Get(), &io, &info, sizeof info, kFileStandardInformation) < 0) return false;
        return info.NumberOfLinks == 0 || info.DeletePending;
    }
    bool Write(const std::string& bytes) {
        DWORD done = 0;
        return WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
               done == bytes.size();
    }
#else
    int fd_ = -1;
    bool IsOpen() const { return fd_ >= 0; }
    void Open(const std::string& path) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0666);
        if (fd_ >= 0 || errno != ELOOP || ::unlink(path.c_str()) != 0) return;
        Note(">>> A link stood in place of " + path + ": the link was removed");
        fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0666);
    }
    bool Gone() const {
        struct stat st {};
        return ::fstat(fd_, &st) != 0 || st.st_nlink == 0;
    }
    bool Write(const std::string& bytes) { return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()); }
#endif
};

void LogHandle::Close() {
#ifdef _WIN32
    file_.Close();
#else
    if (IsOpen()) ::close(fd_);
    fd_ = -1;
#endif
}

LogHandle logHandle;

// The clip store's thread logs too: one line at a time, whole.
std::mutex logMutex;

// Lines of an open batch not written yet; guarded by the log's mutex.
struct Pending {
    int depth = 0;
    std::string bytes;
};
Pending batched;

// The time stamp of the last second a line was written in; guarded by the log's mutex.
std::time_t stampTime = -1;
std::string stamp;  // "hh:mm:ss || "

void FlushLocked() {
    std::string& bytes = batched.bytes;
    if (!bytes.empty() && !logPath.empty()) logHandle.Append(logPath, bytes);
    bytes.clear();
}
}  // namespace

Batch::Batch() {
    std::lock_guard lock(logMutex);
    ++batched.depth;
}

Batch::~Batch() {
    std::lock_guard lock(logMutex);
    if (--batched.depth == 0) FlushLocked();
}

void SetLogFile(const std::string& path) {
    std::lock_guard lock(logMutex);
    FlushLocked();
    logHandle.Close();
    logPath = path;
}
const std::string& LogFile() { return logPath; }

void DeleteLog() {
    std::lock_guard lock(logMutex);
    batched.bytes.clear();  // lines of the log being deleted
    logHandle.Close();
    if (!logPath.empty()) logHandle.Remove(logPath);
}

std::string FormatLogLine(const std::string& text, bool plain, int hour, int minute, int second) {
    if (plain) return text;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d", hour % 100, minute % 100, second % 100);
    return std::string(stamp) + " || " + text;
}

void WriteLog(const std::string& text, bool plain) {
    std::lock_guard lock(logMutex);
    if (logPath.empty()) return;
    // The stamp is worked out once a second: a long history logs thousands of lines in one. The
    // clock is read through the system clock, not std::time: the C library's time() asks for the
    // time zone on every call, which costs more than the rest of a line.
    if (!plain) {
        const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
        if (now != stampTime) {
            stampTime = now;
            std::tm local{};
#ifdef _WIN32
            localtime_s(&local, &now);
#else
            localtime_r(&now, &local);
#endif
            stamp = FormatLogLine("", false, local.tm_hour, local.tm_min, local.tm_sec);
        }
    }
    std::string line;
    line.reserve((plain ? 0 : stamp.size()) + text.size() + 2);
    if (!plain) line += stamp;
    line += text;
    line += "\r\n";
    Pending& batch = batched;
    if (batch.depth == 0) {
        logHandle.Append(logPath, line);
        return;
    }
    batch.bytes += line;
    if (batch.bytes.size() >= Batch::kBatchBytes) FlushLocked();
}

}  // namespace mdlLog
