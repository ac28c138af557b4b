#pragma once
// The Default skin's pictures put on the start bar, the tray menu and the quick-insert window,
// read from the skin folder the build generates: for tests and screenshots, as long as the
// program itself does not load skins onto these windows.
#include <string>

#include "forms/Picture.h"

// A picture of the generated Default skin; `relative` is as in the skin ("\Start\Down.bmp").
forms::Picture DefaultSkinPicture(const std::string& relative);
void ApplyDefaultSkinToStartTrayInsert();
