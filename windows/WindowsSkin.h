#pragma once
// WindowsSkin: the entries of the program's windows in a skin's target table: where each name of
// the skin's tables lands. A window is created on its first use by a skin load.
#include "skin/SkinTargets.h"

void AddWindowsSkinTargets(mdlSkin::SkinTargetTable& table);
