// A skin switch as the options dialog makes it: every window takes the new skin's look, sizes and
// captions.
#include <gtest/gtest.h>

#include <functional>

#include "SkinTestSupport.h"
#include "app/SkinWiring.h"
#include "options/fOptions.h"
#include "tests/forms/GdiProbe.h"
#include "windows/Windows.h"

using namespace rartest;

namespace {

struct Probe {
    const char* name;
    std::function<forms::Form&()> window;
    POINT px;  // of the window's header or body, inside its outline, in the window's own drawing
};

const Probe kProbes[] = {
    {"fMain", []() -> forms::Form& { return fMain(); }, {160, 4}},
    {"fPopUp", []() -> forms::Form& { return fPopUp(); }, {100, 12}},
    {"fStart", []() -> forms::Form& { return fStart(); }, {43, 4}},
    {"fTray", []() -> forms::Form& { return fTray(); }, {120, 12}},
    {"fInsert", []() -> forms::Form& { return fInsert(); }, {300, 10}},
    {"fOptions", []() -> forms::Form& { return fOptions(); }, {300, 10}},
    {"fExit", []() -> forms::Form& { return fExit(); }, {200, 8}},
    {"fHide", []() -> forms::Form& { return fHide(); }, {200, 8}},
    {"fTips", []() -> forms::Form& { return fTips(); }, {200, 8}},
    {"fAbout", []() -> forms::Form& { return fAbout(); }, {150, 20}},
};

using SkinWindows = skintest::SkinFolder;

}  // namespace

TEST_F(SkinWindows, SwitchingTheSkinRedressesEveryWindow) {
    for (const char* name : {"Default", "Graphite"})
        AddPackage(name, ReadBytes(std::string(QM_SKIN_PACKAGES) + "/" + name + ".skn"));
    SkinWiring::Install();
    answer = IDCANCEL;
    Load("Default");
    std::vector<COLORREF> before;
    for (const Probe& p : kProbes) {
        before.push_back(Snapshot(p.window()).At(p.px.x, p.px.y));
        EXPECT_NE(before.back(), RGB(255, 0, 255)) << p.name << ": the skin drew nothing there";
    }
    // The size table placed the windows and their buttons (the start bar in pixels, the tray in twips).
    EXPECT_EQ(fStart().Width(), 86 * 15);
    EXPECT_EQ(fStart().bClose.Left(), 55);
    EXPECT_EQ(fTray().bExit.Top(), 108 * 15);
    EXPECT_EQ(fTray().bExit.CC(), 8);
    EXPECT_EQ(fMain().Width(), 329 * 15);
    EXPECT_EQ(fPopUp().he, 46);
    EXPECT_EQ(fMain().lblEmpty.Caption(), L"Clipboard is empty");
    EXPECT_EQ(fOptions().Label3[1].Caption(), L"Run on Windows startup ");
    EXPECT_EQ(fOptions().Caption(), L"Quillmate Options");
    EXPECT_EQ(fExit().Label1.Left(), 32);  // beside its check box
    EXPECT_EQ(fHide().Caption(), L"Hide");

    Load("Graphite");
    for (size_t i = 0; i < std::size(kProbes); ++i)
        EXPECT_NE(Snapshot(kProbes[i].window()).At(kProbes[i].px.x, kProbes[i].px.y), before[i]) << kProbes[i].name;
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
}
