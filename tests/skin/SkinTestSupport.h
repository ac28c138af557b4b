#pragma once
// Helpers for the wrapper and skin package tests.
#include <string>

namespace skintest {

// Puts Skin.dll where the wrapper looks for it: the system folder, as "QMUnpackDLL.dll".
// Several test processes may race here; an identical copy already in place is fine.
void InstallUnpackLibrary();

}  // namespace skintest
