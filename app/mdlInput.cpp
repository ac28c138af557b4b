// First cut: nothing is kept between runs yet; the settings and clip files replace these bodies.
#include "app/mdlInput.h"

#include "app/mGlobal.h"
#include "app/mdlLog.h"

namespace mdlInput {

void LoadAll() {
    LoadSettings();
    LoadClips();
}
void SaveAll() {
    SaveSettings();
    SaveClips();
    mdlLog::WriteLog("Information was saved", mGlobal::Exiting);
}
void LoadSettings() {}
void SaveSettings() {}
void LoadClips() {}
void SaveClips() {}
void DeleteClipFiles() {}
void CreateClipsFolder() {}

}  // namespace mdlInput
