#pragma once
// The options dialog's entries in a skin's target table: its pictures, scroll bar, captions and
// sizes, by the names the skin tables use ("fOptions.bOK").
#include "skin/SkinTargets.h"

class fOptionsForm;

void AddOptionsSkinTargets(mdlSkin::SkinTargetTable& table, fOptionsForm& dialog);
