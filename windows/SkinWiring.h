#pragma once
// SkinWiring: where each name of the skin's tables lands in the program's windows.
#include "skin/SkinTargets.h"

// The program's windows as skin targets; a window is created on its first use by a skin load.
mdlSkin::SkinTargets& ProgramSkinTargets();
