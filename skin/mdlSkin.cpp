// First cut: windows keep their built-in look; skin packages replace these bodies.
#include "skin/mdlSkin.h"

namespace mdlSkin {

void UnpackSkin() {}
void ApplySkin() {}
void DeleteSkinFolder() {}

}  // namespace mdlSkin
