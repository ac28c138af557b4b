#include "app/mdlLog.h"

#include <cstdio>
#include <ctime>

namespace mdlLog {
namespace {
std::string& LogPath() {
    static std::string path;
    return path;
}
}  // namespace

void SetLogFile(const std::string& path) { LogPath() = path; }
const std::string& LogFile() { return LogPath(); }

void DeleteLog() {
    if (!LogPath().empty()) std::remove(LogPath().c_str());
}

std::string FormatLogLine(const std::string& text, bool plain, int hour, int minute, int second) {
    if (plain) return text;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d", hour % 100, minute % 100, second % 100);
    return std::string(stamp) + " || " + text;
}

void WriteLog(const std::string& text, bool plain) {
    if (LogPath().empty()) return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    // Each line opens and closes the file, so the log is complete even if the process is killed.
    std::FILE* f = std::fopen(LogPath().c_str(), "ab");
    if (!f) return;
    std::string line = FormatLogLine(text, plain, local.tm_hour, local.tm_min, local.tm_sec);
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}

}  // namespace mdlLog
