#pragma once
// The options dialog's entries in a skin's target table: its pictures, scroll bar, captions and
// sizes, by the names the skin tables use ("fOptions.bOK").
#include <functional>

#include "skin/SkinTargets.h"

class fOptionsForm;

// The dialog is reached through `dialog` only when a skin is applied, so that it is made (and
// loads the settings) at the first skin load, not when the table is filled.
void AddOptionsSkinTargets(mdlSkin::SkinTargetTable& table, std::function<fOptionsForm&()> dialog);
