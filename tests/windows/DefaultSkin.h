#pragma once
// The skins the build generates, put on the windows for tests and screenshots the way the program
// loads a skin (sizes, captions, every bitmap).
#include <string>

#include "forms/Picture.h"

// A picture of the generated Default skin; `relative` is as in the skin ("\Start\Down.bmp").
forms::Picture DefaultSkinPicture(const std::string& relative);
// Loads the generated skin named by the environment variable QM_SKIN ("Default" when unset).
void ApplyBuiltSkin();
void ApplyDefaultSkinToStartTrayInsert();
