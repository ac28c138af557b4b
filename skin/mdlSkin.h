#pragma once
// mdlSkin: unpacking, applying and cleaning up the chosen skin package.
namespace mdlSkin {

void UnpackSkin();
void ApplySkin();
void DeleteSkinFolder();

}  // namespace mdlSkin
