// Scenes of the start bar: alone, and with the main window hanging below it.
#include <windows.h>

#include <memory>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tools/screens/BuiltSkin.h"
#include "tools/screens/SceneList.h"
#include "windows/Windows.h"

namespace {

std::shared_ptr<void> ShowBar(bool withMain) {
    ApplyBuiltSkin();
    auto& start = fStart();
    start.Move(420 * 15.0, 40 * 15.0, start.Width(), start.Height());
    fMain().Move(start.Left() - 243 * 15.0, start.Top() + 36 * 15.0, fMain().Width(), fMain().Height());
    for (const char16_t* text : {u"Lunch at 12?", u"+46 8 555 012 34", u"Meeting moved to Thursday 10:30."})
        fMain().AddClip(text, u"", u"");
    fMain().RefreshViewedClips();
    Func::FadeForm(start, mGlobal::PaiseSpeed, false);
    if (withMain) Func::FadeForm(fMain(), mGlobal::PaiseSpeed, false);
    return nullptr;
}

// Dropped past the screen's bottom edge with the list closed, then opened: the bar docks and the
// list opens upward, its foot at the edge.
std::shared_ptr<void> ShowDockedBottom() {
    ShowBar(false);
    POINT corner{420, GetSystemMetrics(SM_CYSCREEN) + 40};
    Func::SnapToScreenEdges(corner, 0, 0, false);
    auto& start = fStart();
    start.Move(corner.x * 15.0, corner.y * 15.0, start.Width(), start.Height());
    start.Down_Click();
    return nullptr;
}

}  // namespace

void AddScenesStart(SceneList& list) {
    list.Add("start", "the start bar with the main window closed", [] { return ShowBar(false); });
    list.Add("start-main", "the start bar with the main window open below it", [] { return ShowBar(true); });
    list.Add("start-docked", "the pair docked at the screen's bottom edge, the list open upward", ShowDockedBottom);
}
