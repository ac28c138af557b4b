#pragma once
// mdlInput: the settings file and the clip files.
#include <string>

namespace mdlInput {

// The folder of the settings and the clips, ending with a backslash.
std::string DataFolder();

void LoadAll();
void SaveAll();
void LoadSettings();
void SaveSettings();
void LoadClips();
void SaveClips();
void DeleteClipFiles();
void CreateClipsFolder();
// On the window thread: tells the user, once a run, that the clip files could not follow the history.
void ShowClipFilesNotice();

}  // namespace mdlInput
