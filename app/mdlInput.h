#pragma once
// mdlInput: the settings file and the clip files.
namespace mdlInput {

void LoadAll();
void SaveAll();
void LoadSettings();
void SaveSettings();
void LoadClips();
void SaveClips();
void DeleteClipFiles();
void CreateClipsFolder();

}  // namespace mdlInput
