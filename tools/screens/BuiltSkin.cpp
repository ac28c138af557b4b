#include "tools/screens/BuiltSkin.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "model/mGlobal.h"
#include "skin/SkinEnvironment.h"
#include "skin/mdlSkin.h"
#include "app/SkinWiring.h"

namespace fs = std::filesystem;

void ApplyBuiltSkin() {
    const char* env = std::getenv("QM_SKIN");
    const std::string name = env && *env ? env : "Default";
    // A copy stands in for the unpacked package, so nothing can delete the build's own folder.
    const fs::path home = fs::temp_directory_path() / ("qm-skin-" + std::to_string(GetCurrentProcessId()));
    std::error_code ec;
    fs::remove_all(home, ec);
    fs::create_directories(home);
    fs::copy(fs::path(QM_SKIN_FOLDERS) / name, home / "Skin", fs::copy_options::recursive);
    mdlSkin::SetProgramFolder(home.string());
    SkinWiring::Install();
    mGlobal::SkinName = name;
    mdlSkin::ApplySkin();
    mdlSkin::SetProgramFolder("");
    fs::remove_all(home, ec);
}
