#pragma once
// mdlPrevInst: finds a running Quillmate, by its executable, its data folder and its hidden window,
// and brings it forward.
#include <windows.h>

#include <optional>
#include <string>

namespace mdlPrevInst {

// Brings every top-level Quillmate window (the program's window class) titled exactly titlePart
// to the front; true when there was at least one.
bool ActivatePrevInstance(const std::string& titlePart);
BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam);

// What the platform's test of a previous instance found.
struct InstanceCheck {
    bool Running = false;
    std::string Note;  // a line for the log of the instance that goes on; empty when all went well
};
// Running when another process already runs this executable, or on this data folder, however and
// from wherever either was started and however the folder's path is written. Asked before anything
// touches the folder but its creation, which its identity needs (and only once this executable is
// known to run alone); the first process keeps both answers' mutexes for its whole life, so two
// starts in the same moment cannot both go on, as they could by the window search alone (the first
// has no window yet).
InstanceCheck PreviousInstanceRunning(const std::string& dataFolder);
// The mutex named after what the file or folder at `path` is (its volume and file index, whatever
// path leads to it), in the family `kind`; nothing when it cannot be opened.
std::optional<std::string> IdentityMutexName(const std::string& kind, const std::string& path);
// The mutex named after the data folder's path, whatever its case or trailing separator: for a
// folder that cannot be opened.
std::string InstanceMutexName(const std::string& dataFolder);

}  // namespace mdlPrevInst
