#include "skin/mdlSkin.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/mGlobal.h"
#include "app/mdlLog.h"
#include "forms/MsgBox.h"
#include "skin/SkinEnvironment.h"
#include "skin/SkinFolder.h"
#include "support/PlainFiles.h"
#include "skin/clsInstall.h"

namespace mdlSkin {
namespace {

constexpr const char* kTitle = "Quillmate";

// Only normal files count: hidden and system files, folders and names with wildcards are absent.
bool PackageExists(const std::string& path) {
    if (path.find_first_of("*?") != std::string::npos) return false;
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return false;
    return !(attr & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// Whatever is at "Skin" before unpacking was not unpacked by this run: a folder left by a killed
// run, files someone put there, or a link to another folder. Returns false when the skin cannot be
// unpacked there without writing through a link.
bool ClearStaleSkinFolder(const std::string& skin) {
    if (IsLink(skin)) {
        mdlLog::WriteLog(">>> The skin folder " + skin + " is a link to another folder; only the link is removed.");
        RemoveTree(skin);
        if (!IsLink(skin)) return true;
        mdlLog::WriteLog(">>> Can't remove the link " + skin + "; no skin is unpacked through it.");
        return false;
    }
    if (const size_t stale = RemoveTree(skin))
        mdlLog::WriteLog(">>> The skin folder " + skin + " held " + std::to_string(stale) +
                         " files Quillmate did not unpack; they were deleted.");
    return true;
}

// The installer's own messages say nothing to anyone: a package that did not unpack is logged.
void LogFailedUnpack(const std::string& package, std::string result, const std::string& skin) {
    if (result.empty() && FolderExists(skin)) return;
    for (char& c : result)
        if (c == '\r' || c == '\n') c = ' ';
    mdlLog::WriteLog(">>> Skin package " + package + " could not be unpacked." + result);
}

}  // namespace

void UnpackSkin() {
    for (;;) {
        const std::string folder = ProgramFolder();
        const std::string package = folder + "\\Skins\\" + mGlobal::SkinName + ".skn";
        // A name that reaches outside the Skins folder or names a device counts as missing.
        if (!PlainSkinName(mGlobal::SkinName) || !PackageExists(package)) {
            if (Upper(mGlobal::SkinName) != "DEFAULT") {
                mdlLog::WriteLog(">>> Skin " + mGlobal::SkinName + " was not found! Using the skin Default.");
                forms::MsgBox("Skin " + mGlobal::SkinName + " was not found!", MB_OK, kTitle);
                mGlobal::SkinName = "Default";
                continue;
            }
            mdlLog::WriteLog(">>> Can't find the default skin " + package + ".");
            forms::MsgBox("Can't run Quillmate.\r\nCause: Can't find default Skin.", MB_OK | MB_ICONHAND, kTitle);
            EndProgram();
            return;
        }
        mdlLog::WriteLog("Unpacking skin " + mGlobal::SkinName);
        const std::string skin = folder + "\\Skin";
        if (!ClearStaleSkinFolder(skin)) return;
        // Missing files show when the skin is loaded; the log says why.
        clsInstall installer;
        installer.Go_Instaling(package, skin);
        LogFailedUnpack(package, installer.Result, skin);
        return;
    }
}

void ApplySkin() {}

// Not the shell's delete: it reaches through a link into the folder the link names, and gives up
// on paths longer than MAX_PATH, leaving a deep package's folders behind.
void DeleteSkinFolder() { RemoveTree(ProgramFolder() + "\\Skin"); }

}  // namespace mdlSkin
