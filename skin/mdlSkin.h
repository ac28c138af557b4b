#pragma once
// mdlSkin: unpacking the chosen skin package, putting it on every window, cleaning up.
namespace mdlSkin {

void UnpackSkin();
// Loads the unpacked skin: the size table, the captions, then every bitmap. A broken skin offers
// the default one instead; a broken default skin ends the program.
void ApplySkin();
void DeleteSkinFolder();

// The two table steps of ApplySkin, each with its own failure handling.
void LoadSkinSizes();
void LoadSkinLanguage();

}  // namespace mdlSkin
