#include "app/SkinWiring.h"

#include "options/fOptionsSkin.h"
#include "skin/SkinEnvironment.h"
#include "skin/SkinTargets.h"
#include "windows/Windows.h"
#include "windows/WindowsSkin.h"

namespace SkinWiring {

void Install() {
    static mdlSkin::SkinTargetTable table;
    static bool filled = false;
    if (!filled) {
        filled = true;
        // Each window's entries, in the order the skin tables name the windows.
        AddWindowsSkinTargets(table);
        AddOptionsSkinTargets(table, []() -> fOptionsForm& { return fOptions(); });
    }
    mdlSkin::SetSkinTargets([]() -> mdlSkin::SkinTargets& { return table; });
}

}  // namespace SkinWiring
