#include "skin/mdlSkin.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/mGlobal.h"
#include "app/mdlLog.h"
#include "forms/MsgBox.h"
#include "skin/SkinEnvironment.h"
#include "skin/clsInstall.h"
#include "skin/SkinFolder.h"

namespace mdlSkin {
namespace {

constexpr const char* kTitle = "Quillmate";

// Only a normal file right in the Skins folder counts: hidden and system files, folders, and skin
// names that reach another folder or a device ("..\\x", "CON") are absent. A missing package is
// logged with the fall-back to Default that follows it.
bool PackageExists(const std::string& path) {
    const std::string skins = ProgramFolder() + "\\Skins\\";
    const bool inSkins = path.size() > skins.size() + 4 && path.starts_with(skins) && path.ends_with(".skn");
    const std::string name = inSkins ? path.substr(skins.size(), path.size() - skins.size() - 4) : std::string();
    const DWORD attr = PlainSkinName(name) ? GetFileAttributesA(path.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attr != INVALID_FILE_ATTRIBUTES && !(attr & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)))
        return true;
    const bool isDefault = _stricmp(name.c_str(), "Default") == 0;
    mdlLog::WriteLog(">>> Skin package " + path + " was not found" + (isDefault ? "." : "; using the skin Default."));
    return false;
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

void UnpackSkin() {
    for (;;) {
        const std::string folder = ProgramFolder();
        const std::string package = folder + "\\Skins\\" + mGlobal::SkinName + ".skn";
        if (!PackageExists(package)) {
            if (Upper(mGlobal::SkinName) != "DEFAULT") {
                forms::MsgBox("Skin " + mGlobal::SkinName + " was not found!", MB_OK, kTitle);
                mGlobal::SkinName = "Default";
                continue;
            }
            forms::MsgBox("Can't run Quillmate.\r\nCause: Can't find default Skin.", MB_OK | MB_ICONHAND, kTitle);
            EndProgram();
            return;
        }
        mdlLog::WriteLog("Unpacking skin " + mGlobal::SkinName);
        // The outcome is not examined: missing files show when the skin is loaded.
        clsInstall installer;
        installer.Go_Instaling(package, folder + "\\Skin");
        return;
    }
}

void ApplySkin() {}

void DeleteSkinFolder() {
    // Not the shell's delete: it reaches through a link into the folder the link names, and gives
    // up on paths longer than MAX_PATH, leaving a deep package's folders behind.
    RemoveTree(ProgramFolder() + "\\Skin");
}

}  // namespace mdlSkin
