#pragma once
// Start-up and shut-down of the program.
#include <string>

namespace Func {

// Runs once; returns with the windows shown (or at once for a second instance).
// False when the program must end right away.
bool Main();
void ShowStartWindows();
void ParseCommand();
// The one orderly exit; never returns.
[[noreturn]] void ExitProgram();
void CheckRequiredFiles();
// The running executable's version: major, minor and revision of its version information joined
// by "." ("0.0.0" without one).
std::string ReadAppVersion();
void DeleteSystemDllCopies();

}  // namespace Func
