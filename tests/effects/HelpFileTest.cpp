#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "forms/MsgBox.h"

// A missing file, or a folder of that name, is told with an information box; nothing is opened.
TEST(HelpFile, MissingFileOrAFolderOfThatNameTellsTheUser) {
    std::vector<std::string> shown;
    forms::SetMsgBoxHandler([&](const std::string& text, UINT style, const std::string& title) {
        shown.push_back(text + "|" + title + "|" + std::to_string(style));
        return IDOK;
    });
    auto dir = std::filesystem::temp_directory_path() / "qm-help-test" / "HELP.chm";
    std::filesystem::create_directories(dir);
    for (std::string file : {std::string("Z:\\no\\such\\folder\\HELP.chm"), dir.string()}) {
        mGlobal::HelpFile = file;
        Func::OpenHelpFile();
    }
    const std::string box = "Help not found!|Quillmate Help|" + std::to_string(MB_ICONINFORMATION);
    EXPECT_EQ(shown, (std::vector<std::string>{box, box}));
    std::filesystem::remove_all(dir.parent_path());
    forms::SetMsgBoxHandler(nullptr);
}

namespace {
HICON IconOf(HWND w, WPARAM which) { return reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, which, 0)); }
int WidthOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bm.bmWidth;
}
}  // namespace

TEST(FormIcons, SmallAndLargeIconsAreSetAndTheOnesTheyReplaceAreFreed) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    Func::SetFormIcons(w);
    const HICON small1 = IconOf(w, ICON_SMALL), big1 = IconOf(w, ICON_BIG);
    EXPECT_EQ(WidthOf(small1), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(WidthOf(big1), GetSystemMetrics(SM_CXICON));
    Func::SetFormIcons(w);
    EXPECT_NE(IconOf(w, ICON_SMALL), small1);
    EXPECT_EQ(WidthOf(small1), 0);  // freed
    EXPECT_EQ(WidthOf(big1), 0);
    DestroyWindow(w);
}
