#pragma once
// SkinEnvironment: what the skin package code takes from its surroundings, replaceable in tests:
// the program folder, the owner window of the folder deletion, how the program ends, and the
// windows a skin dresses.
#include <windows.h>

#include <functional>
#include <string>

namespace mdlSkin {

class SkinTargets;

// The folder of the executable, without a trailing separator, unless one was set.
std::string ProgramFolder();
void SetProgramFolder(std::string folder);  // empty: back to the executable's folder

// The owner of the shell's delete operation: the hidden clipboard window once it exists.
void SetOwnerWindow(std::function<HWND()> owner);
HWND OwnerWindow();

// Ends the program at once; a test replaces it to observe the end.
void SetEndProgram(std::function<void()> end);
void EndProgram();

// The windows and controls a skin load dresses; until set, a table without entries.
void SetSkinTargets(std::function<SkinTargets&()> targets);
SkinTargets& Targets();

}  // namespace mdlSkin
