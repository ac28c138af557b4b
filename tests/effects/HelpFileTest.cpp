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
