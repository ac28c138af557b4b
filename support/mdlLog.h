#pragma once
// mdlLog: the program's text log "Log.txt", one line per event, plain or time-stamped.
#include <string>

namespace mdlLog {

// Until a path is set nothing is logged.
void SetLogFile(const std::string& path);
const std::string& LogFile();
void DeleteLog();
// Appends Text and CR LF; unless plain, "hh:mm:ss || " goes first (local time).
void WriteLog(const std::string& text, bool plain = false);

// While one lives, lines gather in memory and reach the file in large writes, all of them, in
// order, by the time the last one ends; outside one, every line reaches the file before WriteLog
// returns. For runs of thousands of lines (a long history's load logs two per clip): a crash
// meanwhile loses the lines not yet written, at most kBatchBytes of them.
class Batch {
public:
    static constexpr size_t kBatchBytes = 64 * 1024;
    Batch();
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
};

// The line WriteLog writes, without its line end.
std::string FormatLogLine(const std::string& text, bool plain, int hour, int minute, int second);

}  // namespace mdlLog
