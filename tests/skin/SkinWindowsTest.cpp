// A skin switch as the options dialog makes it: every window takes the new skin's look, sizes and
// captions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>

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
    {"fStart", []() -> forms::Form& { return fStart(); }, {43, 8}},
    {"fTray", []() -> forms::Form& { return fTray(); }, {120, 12}},
    {"fInsert", []() -> forms::Form& { return fInsert(); }, {300, 10}},
    {"fOptions", []() -> forms::Form& { return fOptions(); }, {300, 10}},
    {"fExit", []() -> forms::Form& { return fExit(); }, {200, 8}},
    {"fHide", []() -> forms::Form& { return fHide(); }, {200, 8}},
    {"fTips", []() -> forms::Form& { return fTips(); }, {200, 8}},
    {"fAbout", []() -> forms::Form& { return fAbout(); }, {150, 20}},
};

using SkinWindows = skintest::SkinFolder;

int Lightness(COLORREF c) { return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3; }

// The darkest pixel of a control's own drawing: its outline, where it stands on a light panel.
template <class Host>
int Darkest(Host& host) {
    Snapshot s(host);
    int darkest = 255;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) darkest = std::min(darkest, Lightness(s.At(x, y)));
    return darkest;
}

// The mean lightness inside a box (its outline left out).
template <class Host>
int Inside(Host& host) {
    Snapshot s(host);
    int sum = 0;
    for (int y = 3; y < 10; ++y)
        for (int x = 3; x < 10; ++x) sum += Lightness(s.At(x, y));
    return sum / 49;
}

// Whether a clear box under the pointer looks nearer to clear than to ticked (or selected).
template <class Box>
bool HoverReadsClear(Box& box) {
    box.SetValue(false);
    box.Deselect();
    const int clear = Inside(box);
    box.Moved();
    const int hover = Inside(box);
    box.SetValue(true);
    box.Deselect();
    const int ticked = Inside(box);
    return std::abs(hover - clear) < std::abs(hover - ticked);
}

// The values of a key's last line in a "Sizes.dat" text, as our skins write them.
std::vector<int> SizesOf(const std::string& text, const std::string& key) {
    std::vector<int> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(key + "[")) continue;
        values.clear();
        std::istringstream in(line.substr(key.size() + 1, line.find(']') - key.size() - 1));
        for (std::string v; std::getline(in, v, ',');) values.push_back(std::stoi(v));
    }
    return values;
}

}  // namespace

TEST_F(SkinWindows, SwitchingTheSkinRedressesEveryWindow) {
    for (const char* name : {"Default", "Graphite"})
        AddPackage(name, ReadBytes(std::string(QM_SKIN_PACKAGES) + "/" + name + ".skn"));
    const std::string sizes = PackageFiles("Default").at("Sizes.dat");
    auto size = [&](const std::string& key, size_t i) {
        const std::vector<int> v = SizesOf(sizes, key);
        return i < v.size() ? v[i] : -1;
    };
    SkinWiring::Install();
    answer = IDCANCEL;
    Load("Default");
    std::vector<COLORREF> before;
    for (const Probe& p : kProbes) {
        before.push_back(Snapshot(p.window()).At(p.px.x, p.px.y));
        EXPECT_NE(before.back(), RGB(255, 0, 255)) << p.name << ": the skin drew nothing there";
    }
    // The size table placed the windows and their buttons (the start bar in pixels, the tray in twips).
    const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
    EXPECT_EQ(fStart().Width(), size("Start_Form", 0) * tx);
    EXPECT_EQ(fStart().bClose.Left(), size("Start_Close", 0));
    EXPECT_EQ(fTray().bExit.Top(), size("Tray_Exit", 1) * ty);
    EXPECT_EQ(fTray().bExit.CC(), size("Tray_Exit", 3));
    EXPECT_EQ(fMain().Width(), size("Main_Form", 0) * tx);
    EXPECT_EQ(fPopUp().he, size("PopUp_Form", 1) - 1);
    // The caption table gave each its line of the package's own Language.dat.
    std::vector<std::wstring> captions;
    {
        std::istringstream in(PackageFiles("Default").at("Language.dat"));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            captions.emplace_back(line.begin(), line.end());  // (the lines checked are ASCII)
        }
    }
    ASSERT_GE(captions.size(), 17u);
    EXPECT_EQ(fMain().lblEmpty.Caption(), captions[0]);
    EXPECT_EQ(fOptions().Label3[1].Caption(), captions[6]);
    EXPECT_EQ(fOptions().Caption(), captions[15]);
    EXPECT_EQ(fExit().Label1.Left(), size("Exit_Check", 0) + 16);  // beside its check box
    EXPECT_EQ(fHide().Caption(), captions[16]);
    // The hide notice's text keeps 6 px clear of the light panel (8, 36)-(292, 130) it stands on.
    {
        Snapshot hide(fHide());
        int crowded = 0;
        for (int y = 37; y < 108; ++y)
            for (int x = 9; x < 291; ++x)
                crowded += (y < 43 || x < 15 || x > 284) && Lightness(hide.At(x, y)) < 150;
        EXPECT_EQ(crowded, 0);
    }
    // Radio buttons on, off or in between show their circle against the light page.
    for (OptionBox* radio : {&fOptions().OptionBox1, &fOptions().OptionBox2, &fOptions().OptionBox3})
        EXPECT_LT(Darkest(*radio), 140);

    Load("Graphite");
    for (size_t i = 0; i < std::size(kProbes); ++i)
        EXPECT_NE(Snapshot(kProbes[i].window()).At(kProbes[i].px.x, kProbes[i].px.y), before[i]) << kProbes[i].name;
    // A dark skin's Save and Delete menu is dark like the window it drops from.
    EXPECT_LT(Lightness(Snapshot(fPopUp()).At(100, 12)), 128);
    // Its boxes under the pointer do not look ticked while they are clear.
    for (CheckBox* box : {&fOptions().CheckBox1, &fOptions().CheckBox2, &fOptions().CheckBox3})
        EXPECT_TRUE(HoverReadsClear(*box));
    EXPECT_TRUE(HoverReadsClear(fOptions().OptionBox1));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
}

// OK applies what the dialog shows, so the dialog opened again has nothing left to apply.
TEST_F(SkinWindows, OkWithAnotherSkinLeavesNothingToApply) {
    for (const char* name : {"Default", "Graphite"})
        AddPackage(name, ReadBytes(std::string(QM_SKIN_PACKAGES) + "/" + name + ".skn"));
    SkinWiring::Install();
    answer = IDCANCEL;
    Load("Default");
    fOptionsForm& options = fOptions();
    options.FillSkinList();
    int graphite = 0;
    while (graphite <= options.text.UBound() && options.text[graphite].Caption() != L"Graphite") ++graphite;
    ASSERT_LE(graphite, options.text.UBound());
    options.Row_Click(graphite);
    ASSERT_TRUE(options.bApply.Enabled());
    options.bOK_Click();
    EXPECT_EQ(mGlobal::SkinName, "Graphite");
    EXPECT_FALSE(options.bApply.Enabled());
    EXPECT_TRUE(boxes.empty());
}
