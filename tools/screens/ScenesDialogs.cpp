// Scenes of the small dialogs: the exit question, the hide notice, a tip, the About box and the
// uninstall survey with a reason and a comment.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Version.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tools/screens/BuiltSkin.h"
#include "tools/screens/SceneList.h"
#include "windows/Windows.h"

namespace {

void ShowAt(forms::Form& f, int xPx, int yPx) {
    f.SetLeft(xPx * double(mGlobal::TwipsX));
    f.SetTop(yPx * double(mGlobal::TwipsY));
    Func::FadeForm(f, mGlobal::PaiseSpeed, false);
}

std::shared_ptr<void> ShowExit() {
    ApplyBuiltSkin();
    ShowAt(fExit(), 40, 40);
    fExit().Label1_Click();  // ticked, the pointer elsewhere
    return nullptr;
}

std::shared_ptr<void> ShowHide() {
    ApplyBuiltSkin();
    ShowAt(fHide(), 40, 40);
    return nullptr;
}

std::shared_ptr<void> ShowTips() {
    ApplyBuiltSkin();
    fTips().SetVisible(true);
    ShowAt(fTips(), 40, 40);
    fTips().NextTip_Click();
    return nullptr;
}

std::shared_ptr<void> ShowAbout() {
    ApplyBuiltSkin();
    ShowAt(fAbout(), 40, 40);
    // The build's own version, as the running program shows it.
    if (fAbout().lVersion.Caption() != L"version " QM_VERSION_TEXT) {
        std::fprintf(stderr, "the About box does not show version %s\n", QM_VERSION_TEXT);
        std::exit(1);
    }
    return nullptr;
}

std::shared_ptr<void> ShowSurvey() {
    auto& s = fUninstall();
    s.SetLeft(40 * 15.0);
    s.SetTop(40 * 15.0);
    s.Show();
    s.OptionBox3.Checked();
    s.Text1.SetText(L"Too slow & big for my old laptop");
    s.Text1_Change();
    return nullptr;
}

}  // namespace

void AddScenesDialogs(SceneList& list) {
    list.Add("exit", "the exit question, its box ticked", ShowExit);
    list.Add("hide", "the notice that Quillmate keeps running in the tray", ShowHide);
    list.Add("tips", "the tips window on tip 2, its strip along the bottom row", ShowTips);
    list.Add("about", "the About box with the version", ShowAbout);
    list.Add("uninstall", "the uninstall survey: reason 3 and a comment, OK enabled", ShowSurvey);
}
