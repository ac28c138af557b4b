#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "support/PlainFiles.h"
#include "tests/forms/TestForm.h"
#include "windows/Windows.h"

namespace {
void Click(HWND h, const RECT& px) { ClickAt(h, (px.left + px.right) / 2, (px.top + px.bottom) / 2); }
// A windowless label is clicked on its window; a button or box on its own.
void Click(forms::Form& f, const forms::Control& c) { Click(f.hWnd(), c.RectPx()); }
void Click(const forms::UserControl& c) { Click(c.hWnd(), {0, 0, 4, 4}); }
void Type(HWND edit, const std::wstring& keys) {
    for (wchar_t k : keys) SendMessageW(edit, WM_CHAR, k, 0);
}

struct Dialogs : ::testing::Test {
    void SetUp() override { Func::SetFadeWait([](uint32_t) {}); }  // the fades run at once
};
}  // namespace

// The label acts as the box; OK of the notice remembers it, closing the notice and Cancel of the
// exit question forget it. (OK of the exit question ends the program: journey_bar_tray.sh.)
TEST_F(Dialogs, TickBoxTurnsTheDialogOffOnlyThroughOk) {
    auto& hide = fHide();
    auto& exit = fExit();
    struct Case {
        const char* what;
        forms::Form& form;
        CheckBox& box;
        const forms::Control& label;
        const forms::UserControl& button;
        bool& setting;
        bool settingAfter, boxAfter;
    };
    const Case cases[] = {
        {"notice, OK", hide, hide.CheckBox1, hide.Label2, hide.bOK, mGlobal::FastHide, true, true},
        {"notice, close", hide, hide.CheckBox1, hide.Label2, hide.bClose, mGlobal::FastHide, false, false},
        {"exit, Cancel", exit, exit.CheckBox1, exit.Label1, exit.bCancel, mGlobal::FastExit, false, false},
    };
    for (const Case& c : cases) {
        c.setting = false;
        Func::FadeForm(c.form, mGlobal::PaiseSpeed, false);
        c.box.SetValue(false);
        Click(c.form, c.label);
        EXPECT_TRUE(c.box.Value()) << c.what;
        Click(c.button);
        EXPECT_EQ(c.setting, c.settingAfter) << c.what;
        EXPECT_EQ(c.box.Value(), c.boxAfter) << c.what;
        EXPECT_FALSE(c.form.Visible()) << c.what;
    }
}

// Three tips beside the program: next and previous wrap around, closing rewinds to tip 1, and
// Escape in the About box closes it and the tips window.
TEST_F(Dialogs, TipsWrapAroundAndEscapeInAboutClosesBoth) {
    std::ofstream(ExecutableFolder() + "\\Tips.txt", std::ios::binary)
        << "// comment\r\n\r\n   First tip  \r\n \r\n  // trimmed comment\r\nSecond tip\r\nThird tip\r\n";
    mGlobal::AppVersion = "1.2.3";
    auto& tips = fTips();
    auto shown = [&] { return tips.TipCapt.Caption(); };
    EXPECT_EQ(shown(), L"Tip 1:\r\n\r\nFirst tip");
    Click(tips.PrevTip);
    EXPECT_EQ(shown(), L"Tip 3:\r\n\r\nThird tip");
    Click(tips.NextTip);
    EXPECT_EQ(shown(), L"Tip 1:\r\n\r\nFirst tip");
    Click(tips.NextTip);
    Func::FadeForm(tips, mGlobal::PaiseSpeed, false);
    Click(tips.Closed);
    EXPECT_FALSE(tips.Visible());
    EXPECT_EQ(shown(), L"Tip 1:\r\n\r\nFirst tip");

    Func::FadeForm(tips, mGlobal::PaiseSpeed, false);
    Click(tips.About);
    EXPECT_TRUE(fAbout().Visible());
    EXPECT_EQ(fAbout().lVersion.Caption(), L"version 1.2.3");
    Func::FadeForm(tips, mGlobal::PaiseSpeed, false);  // reopened from the main window meanwhile
    SendMessageW(fAbout().hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(fAbout().hWnd(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(fAbout().Visible());
    EXPECT_FALSE(tips.Visible());
}

// OK waits for a reason, and for reasons 3 and 4 for a comment too; Enter adds nothing. (The
// request it sends is checked on its own and end to end.)
TEST_F(Dialogs, SurveyOkNeedsAReasonAndForThreeAndFourAComment) {
    auto& s = fUninstall();
    const HWND edit = s.Text1.Handle();
    EXPECT_FALSE(s.bOK.Enabled());
    Click(s.OptionBox3);
    EXPECT_FALSE(s.bOK.Enabled());
    Type(edit, L"x");
    EXPECT_TRUE(s.bOK.Enabled());
    Type(edit, L"\b");
    EXPECT_FALSE(s.bOK.Enabled());
    Click(s.OptionBox1);
    Type(edit, L"y\b");
    EXPECT_TRUE(s.bOK.Enabled());
    Click(s.OptionBox2);
    Type(edit, L"a & b\r");
    EXPECT_EQ(s.Text1.Text(), L"a & b");
}
