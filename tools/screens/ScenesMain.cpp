// Scenes of the main window: empty, with a few clips, with a long history and one clip selected,
// and with its delete menu open, each hanging under the start bar as the program places them.
#include <windows.h>

#include <memory>
#include <string>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tools/screens/BuiltSkin.h"
#include "tools/screens/SceneList.h"
#include "windows/Windows.h"

namespace {

const char16_t* const kTexts[] = {
    u"Meeting moved to Thursday 10:30, room 4B",
    u"https://example.org/reports/2026/q4-summary.pdf",
    u"Dear Anna,\r\nthank you for the quick reply. The invoice is attached.",
    u"git rebase -i HEAD~3",
    u"+1 555 0142",
    u"SELECT id, name FROM customers WHERE city = 'Riga';",
    u"Tracking number: 1Z 999 AA1 01 2345 6784",
    u"Milk, eggs, bread, coffee beans",
    u"Привет! Как дела?",
    u"#include <windows.h>",
    u"The quick brown fox jumps over the lazy dog.",
    u"42",
};

void Layered(forms::Form& f) {
    f.Show();
    Func::SetWindowAlpha(f.hWnd(), mGlobal::TransparentColor, 255);
}

// The main window keeps its built-in look; the start bar above it wears the Default skin.
std::shared_ptr<void> ShowMain(int clips, int selected, bool menu) {
    ApplyBuiltSkin();
    for (int i = clips - 1; i >= 0; --i) fMain().AddClip(kTexts[i]);
    if (selected >= 0) fMain().imgClipBack_Click(selected);
    fMain().RefreshViewedClips();
    fStart().Move(300 * 15, 40 * 15, fStart().Width(), 36 * 15);
    fMain().Move(fStart().Left() - 243 * 15, fStart().Top() + 36 * 15, fMain().Width(), fMain().Height());
    Layered(fStart());
    Layered(fMain());
    if (menu) {
        fMain().Delete_Click();
    }
    return nullptr;
}

}  // namespace

void AddScenesMain(SceneList& list) {
    list.Add("main-empty", "the main window with no clips", [] { return ShowMain(0, -1, false); });
    list.Add("main-3", "the main window with three clips", [] { return ShowMain(3, -1, false); });
    list.Add("main-12-selected", "twelve clips, the second selected", [] { return ShowMain(12, 1, false); });
    list.Add("main-popup", "the delete menu open under its button, its lower item lit", [] {
        auto keep = ShowMain(3, 0, true);
        for (int i = 0; i < 2; ++i) SendMessageW(fPopUp().hWnd(), WM_KEYDOWN, VK_DOWN, 0);
        return keep;
    });
}
