#pragma once
// mdlPrevInst: finds a running Quillmate by its hidden window and brings it forward.
#include <windows.h>

#include <string>

namespace mdlPrevInst {

// Brings every top-level Quillmate window (the program's window class) titled exactly titlePart
// to the front; true when there was at least one.
bool ActivatePrevInstance(const std::string& titlePart);
BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam);

// The platform's own test: another process of this same executable is running. The first
// process keeps the answer's mutex for its whole life.
bool PreviousInstanceRunning();

}  // namespace mdlPrevInst
