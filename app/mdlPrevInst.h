#pragma once
// mdlPrevInst: finds a running Quillmate, by its data folder and by its hidden window, and brings
// it forward.
#include <windows.h>

#include <string>

namespace mdlPrevInst {

// Brings every top-level Quillmate window (the program's window class) titled exactly titlePart
// to the front; true when there was at least one.
bool ActivatePrevInstance(const std::string& titlePart);
BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam);

// True when another process already runs on this data folder, however and from wherever it was
// started. Asked before anything touches the folder; the first process keeps the answer's mutex
// for its whole life, so two starts in the same moment cannot both go on, as they could by the
// window search alone (the first has no window yet).
bool PreviousInstanceRunning(const std::string& dataFolder);
// The name of that mutex: one per data folder, whatever its spelling's case or trailing separator.
std::string InstanceMutexName(const std::string& dataFolder);

}  // namespace mdlPrevInst
