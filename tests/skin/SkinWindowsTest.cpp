// A skin switch as the options dialog makes it: every window takes the new skin's look, sizes and
// captions.
#include <gtest/gtest.h>

#include <functional>

#include "SkinTestSupport.h"
#include "app/mGlobal.h"
#include "forms/MemDC.h"
#include "forms/MsgBox.h"
#include "skin/SkinEnvironment.h"
#include "skin/mdlSkin.h"
#include "app/SkinWiring.h"
#include "options/fOptions.h"
#include "windows/Windows.h"

using namespace rartest;

namespace {

// A pixel of a window's own drawing (background and windowless controls), in client pixels.
COLORREF Sample(forms::Form& f, POINT px) {
    RECT r{};
    GetClientRect(f.hWnd(), &r);
    HDC screen = GetDC(nullptr);
    COLORREF c;
    {
        forms::MemDC dc(screen, r.right, r.bottom);
        f.PaintTo(dc.Get());
        c = GetPixel(dc.Get(), px.x, px.y);
    }
    ReleaseDC(nullptr, screen);
    return c;
}

struct Probe {
    const char* name;
    std::function<forms::Form&()> window;
    POINT px;  // a point of the window's header or body, inside its outline
};

const Probe kProbes[] = {
    {"fMain", [] -> forms::Form& { return fMain(); }, {160, 4}},
    {"fPopUp", [] -> forms::Form& { return fPopUp(); }, {100, 12}},
    {"fStart", [] -> forms::Form& { return fStart(); }, {43, 4}},
    {"fTray", [] -> forms::Form& { return fTray(); }, {120, 12}},
    {"fInsert", [] -> forms::Form& { return fInsert(); }, {300, 10}},
    {"fOptions", [] -> forms::Form& { return fOptions(); }, {300, 10}},
};

}  // namespace

TEST(SkinWindows, SwitchingTheSkinRedressesEveryWindow) {
    skintest::InstallUnpackLibrary();
    TempDir tmp;
    fs::create_directories(tmp.Path() / "Skins");
    for (const char* name : {"Default", "Graphite"})
        WriteBytes(tmp.Path() / "Skins" / (std::string(name) + ".skn"),
                   ReadBytes(std::string(QM_SKIN_PACKAGES) + "/" + name + ".skn"));
    mdlSkin::SetProgramFolder(tmp.Path().string());
    SkinWiring::Install();
    int boxes = 0;
    forms::SetMsgBoxHandler([&](const std::string&, UINT, const std::string&) { return ++boxes, IDCANCEL; });
    auto load = [](const char* skin) {
        mGlobal::SkinName = skin;
        mdlSkin::UnpackSkin();
        mdlSkin::ApplySkin();
        mdlSkin::DeleteSkinFolder();
    };

    load("Default");
    std::vector<COLORREF> before;
    for (const Probe& p : kProbes) {
        before.push_back(Sample(p.window(), p.px));
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

    load("Graphite");
    for (size_t i = 0; i < std::size(kProbes); ++i)
        EXPECT_NE(Sample(kProbes[i].window(), kProbes[i].px), before[i]) << kProbes[i].name;
    EXPECT_EQ(boxes, 0);
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
    forms::SetMsgBoxHandler({});
    mdlSkin::SetProgramFolder("");
}
