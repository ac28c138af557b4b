#include <gtest/gtest.h>

#include <filesystem>

#include "app/WindowEffects.h"
#include "app/mGlobal.h"
#include "forms/MsgBox.h"

namespace {
struct Shown {
    std::string text, title;
    UINT style = 0;
    int count = 0;
};
}  // namespace

TEST(HelpFile, MissingFileOrAFolderOfThatNameTellsTheUser) {
    Shown shown;
    forms::SetMsgBoxHandler([&](const std::string& text, UINT style, const std::string& title) {
        shown = {text, title, style, shown.count + 1};
        return IDOK;
    });
    mGlobal::HelpFile = "Z:\\no\\such\\folder\\HELP.chm";
    Func::OpenHelpFile();
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.text, "Help not found!");
    EXPECT_EQ(shown.title, "Quillmate Help");
    EXPECT_EQ(shown.style, static_cast<UINT>(MB_ICONINFORMATION));

    auto dir = std::filesystem::temp_directory_path() / "qm-help-test" / "HELP.chm";
    std::filesystem::create_directories(dir);
    mGlobal::HelpFile = dir.string();
    Func::OpenHelpFile();
    EXPECT_EQ(shown.count, 2);
    std::filesystem::remove_all(dir.parent_path());
    forms::SetMsgBoxHandler(nullptr);
}

TEST(FormIcons, SmallAndLargeIconsAreSetAndTheOnesTheyReplaceAreFreed) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    Func::SetFormIcons(w);
    auto small1 = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
    auto big1 = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(small1, nullptr);
    ASSERT_NE(big1, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small1, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);

    Func::SetFormIcons(w);
    auto small2 = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
    EXPECT_NE(small2, small1);
    ICONINFO gone{};
    EXPECT_FALSE(GetIconInfo(small1, &gone));
    DestroyWindow(w);
}
