#pragma once
// Start-up and shut-down of the program.
namespace Func {

// Runs once; returns with the windows shown (or at once for a second instance).
// False when the program must end right away.
bool Main();
void ShowStartWindows();
void ParseCommand();
// The one orderly exit; never returns.
[[noreturn]] void ExitProgram();
void CheckRequiredFiles();
void DeleteSystemDllCopies();

}  // namespace Func
