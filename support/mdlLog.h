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

// The line WriteLog writes, without its line end.
std::string FormatLogLine(const std::string& text, bool plain, int hour, int minute, int second);

}  // namespace mdlLog
