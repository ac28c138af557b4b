// Scenes of the tray: the tray menu open at the icon, and the quick-insert window beside it.
#include <windows.h>

#include <memory>
#include <string>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tools/screens/BuiltSkin.h"
#include "tools/screens/SceneList.h"
#include "windows/Windows.h"

namespace {

const char16_t* const kClips[] = {
    u"Meeting moved to Thursday 10:30, room 4B.",
    u"https://example.org/reports/2026/q4-summary.pdf",
    u"Kind regards,\r\nAnna Lindqvist\r\nProject office",
    u"SELECT name, total FROM orders WHERE total > 100 ORDER BY total DESC;",
    u"+46 8 555 012 34",
    u"Please find the corrected invoice attached.",
    u"git log --oneline --graph --all",
    u"Delivery address: Storgatan 12, 114 51 Stockholm",
    u"Ticket QM-1142: the export keeps the line breaks now.",
    u"Thanks, that works for me!",
    u"10 000 kr",
    u"Lunch at 12?",
};

void AddClips(int count) {
    for (int i = count - 1; i >= 0; --i) fMain().AddClip(kClips[i], u"", u"");
}

// The menu as a right press at (x, y) opens it; the bar is shown, so it offers Hide.
void OpenMenuAt(int x, int y) {
    ApplyBuiltSkin();
    fStart().Move(720 * 15.0, 10 * 15.0, fStart().Width(), fStart().Height());
    Func::FadeForm(fStart(), mGlobal::PaiseSpeed, false);
    SetCursorPos(x, y);
    fTray().pctTray_MouseMove(0, 0, WM_RBUTTONDOWN * double(mGlobal::TwipsX), 0);
}

std::shared_ptr<void> ShowTray() {
    AddClips(3);
    OpenMenuAt(40, 40);
    return nullptr;
}

std::shared_ptr<void> ShowTrayEmpty() {
    OpenMenuAt(40, 40);
    return nullptr;
}

std::shared_ptr<void> ShowInsert() {
    AddClips(12);
    OpenMenuAt(40, 40);
    fTray().Insert_Click();
    // The pointer rests on the second row, which shows the hover look.
    auto& insert = fInsert();
    const RECT row = insert.BackPict[1].RectPx();
    POINT p{row.left + 40, row.top + 20};
    ClientToScreen(insert.Frame.Handle(), &p);
    SetCursorPos(p.x, p.y);
    insert.BackPict_MouseMove(1);
    return nullptr;
}

}  // namespace

void AddScenesTray(SceneList& list) {
    list.Add("tray", "the tray menu opened at the icon, with clips: Insert, Options, Hide, Exit", ShowTray);
    list.Add("tray-empty", "the tray menu with no clips: Insert disabled", ShowTrayEmpty);
    list.Add("insert", "the quick-insert window beside the tray menu, twelve clips, the second hovered", ShowInsert);
}
