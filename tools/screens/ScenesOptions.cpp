// Scenes of the options dialog: both pages and the open skin list.
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "app/SkinWiring.h"
#include "app/Startup.h"
#include "app/WindowEffects.h"
#include "app/mGlobal.h"
#include "skin/mdlSkin.h"
#include "tools/screens/SceneList.h"
#include "windows/Windows.h"

namespace {

// The dialog dressed as at start-up: the skin of the screenshot run (QM_SKIN, else Default)
// unpacked, applied and cleaned up.
fOptionsForm& DressedDialog() {
    mGlobal::TransparentColor = RGB(255, 0, 255);
    const char* skin = std::getenv("QM_SKIN");
    mGlobal::SkinName = skin && *skin ? skin : "Default";
    Func::CheckRequiredFiles();
    SkinWiring::Install();
    mdlSkin::UnpackSkin();
    mdlSkin::ApplySkin();
    mdlSkin::DeleteSkinFolder();
    fOptionsForm& f = fOptions();
    Func::SetWindowAlpha(f.hWnd(), mGlobal::TransparentColor, 255);
    SetWindowPos(f.hWnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    f.Show();
    return f;
}

std::shared_ptr<void> Page(int page) {
    fOptionsForm& f = DressedDialog();
    if (page == 2) f.bSettings_Click();
    return nullptr;  // the dialog lives as long as the program
}

std::shared_ptr<void> SkinList() {
    fOptionsForm& f = DressedDialog();
    f.bChoose_Click();
    return nullptr;
}

}  // namespace

void AddScenesOptions(SceneList& list) {
    list.Add("options-page1", "the options dialog: skin, transparency and speed", [] { return Page(1); });
    list.Add("options-page2", "the options dialog: settings page", [] { return Page(2); });
    list.Add("options-skinlist", "the options dialog with its skin list open", SkinList);
}
