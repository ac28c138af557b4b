#include "skin/mdlSkin.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/mGlobal.h"
#include "app/mdlLog.h"
#include "forms/MsgBox.h"
#include "skin/SkinEnvironment.h"
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
    std::string from = ProgramFolder() + "\\Skin";
    from.push_back('\0');  // the list ends with two NULs; c_str() adds the second
    SHFILEOPSTRUCTA op{};
    op.hwnd = OwnerWindow();
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;  // no recycle bin: FOF_ALLOWUNDO is not set
    SHFileOperationA(&op);
}

}  // namespace mdlSkin
