#pragma once
// mdlSkin: unpacking the chosen skin package, putting it on every window, cleaning up.
#include <string>

namespace mdlSkin {

void UnpackSkin();
// Loads the unpacked skin: the size table, the captions, then every bitmap. A broken skin offers
// the default one instead; a broken default skin ends the program. `inUse` names the skin the
// windows wear while another is being put on (empty at start-up): ending the program over a broken
// skin leaves it as the setting.
void ApplySkin(const std::string& inUse = {});
void DeleteSkinFolder();

// The two table steps of ApplySkin, each with its own failure handling.
void LoadSkinSizes();
void LoadSkinLanguage();

}  // namespace mdlSkin
