#include "tests/windows/DefaultSkinDialogs.h"

#include "tests/windows/DefaultSkin.h"

void ApplyDefaultSkinToDialogs() { ApplyBuiltSkin(); }
