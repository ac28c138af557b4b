#include "app/SkinWiring.h"

#include "options/fOptionsSkin.h"
#include "skin/SkinEnvironment.h"
#include "skin/SkinTargets.h"
#include "windows/Windows.h"
#include "windows/WindowsSkin.h"

namespace SkinWiring {

void Install() {
    // Filled at the first skin load, not here: the options dialog loads the settings into its
    // controls when it is created, so it must not be created before the settings are read.
    mdlSkin::SetSkinTargets([]() -> mdlSkin::SkinTargets& {
        static mdlSkin::SkinTargetTable table;
        static bool filled = false;
        if (!filled) {
            filled = true;
            AddWindowsSkinTargets(table);
            AddOptionsSkinTargets(table, []() -> fOptionsForm& { return fOptions(); });
        }
        return table;
    });
}

}  // namespace SkinWiring
