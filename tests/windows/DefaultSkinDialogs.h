#pragma once
// The Default skin's pictures put on the exit and hide dialogs, the tips window and the About box
// (their design sizes are the skin's), for tests and screenshots while the program itself does
// not load skins onto them.
#include "tests/windows/DefaultSkin.h"

inline void ApplyDefaultSkinToDialogs() { ApplyBuiltSkin(); }
