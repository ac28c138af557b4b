// Scenes of the options dialog: both pages and the open skin list.
#include <windows.h>

#include <memory>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tools/screens/SceneList.h"
#include "windows/Windows.h"

namespace {

// The dialog, dressed by the tool in the skin of this run, shown where the photograph expects it.
fOptionsForm& ShownDialog() {
    fOptionsForm& f = fOptions();
    Func::SetWindowAlpha(f.hWnd(), mGlobal::TransparentColor, 255);
    SetWindowPos(f.hWnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    f.Show();
    return f;
}

std::shared_ptr<void> Page(int page) {
    fOptionsForm& f = ShownDialog();
    if (page == 2) f.bSettings_Click();
    return nullptr;  // the dialog lives as long as the program
}

std::shared_ptr<void> SkinList() {
    fOptionsForm& f = ShownDialog();
    f.bChoose_Click();
    return nullptr;
}

}  // namespace

void AddScenesOptions(SceneList& list) {
    list.Add("options-page1", "the options dialog: skin, transparency and speed", [] { return Page(1); });
    list.Add("options-page2", "the options dialog: settings page", [] { return Page(2); });
    list.Add("options-skinlist", "the options dialog with its skin list open", SkinList);
}
