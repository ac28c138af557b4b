#pragma once
// The skins the build generates, put on the windows for the screenshots the way the program loads a
// skin (sizes, captions, every bitmap).

// Loads the generated skin named by the environment variable QM_SKIN ("Default" when unset).
void ApplyBuiltSkin();
