#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tests/forms/TestForm.h"
#include "windows/Windows.h"

namespace {
struct InsertWindow : ::testing::Test {
    fInsertForm& w = fInsert();
    void SetUp() override { Func::SetFadeWait([](uint32_t) {}); }  // the fades run at once
    // Clip i reads "clip i" (clip 0 is the newest); the window then shows them.
    void SetClips(int count) {
        mGlobal::History.Delete_All();
        for (int i = count - 1; i >= 0; --i) fMain().AddClip(u"clip " + std::u16string(1, char16_t(u'a' + i)));
        w.Refresh_Clips();
    }
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        for (int i = 0; i < 5; ++i)
            if (w.txt[i].Visible()) rows.push_back(w.txt[i].Caption());
        return rows;
    }
};
}  // namespace

// Twelve clips: the bar's down button twice shows the last five; after deleting down to six the
// list keeps five real clips instead of rows with texts of clips that are gone.
TEST_F(InsertWindow, ScrollsToTheOldestClipsAndNeverShowsStaleRows) {
    SetClips(12);
    EXPECT_EQ(w.Height(), 403 * 15.0);  // 6050 twips
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"clip a", L"clip b", L"clip c", L"clip d", L"clip e"}));
    const HWND bar = w.Scroll1.hWnd();
    RECT r;
    GetClientRect(bar, &r);
    ClickAt(bar, 12, r.bottom - 5);
    ClickAt(bar, 12, r.bottom - 5);
    EXPECT_EQ(w.FirstClip(), 7);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"clip h", L"clip i", L"clip j", L"clip k", L"clip l"}));
    SetClips(6);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"clip b", L"clip c", L"clip d", L"clip e", L"clip f"}));
}

// The pointer moving from row 2 to row 3 moves the highlight with it.
TEST_F(InsertWindow, HoverHighlightsTheRowUnderThePointer) {
    SetClips(5);
    w.SelPict = forms::Picture::FromBitmap(forms::GdiObj<HBITMAP>(CreateBitmap(4, 4, 1, 32, nullptr)));
    w.NotSelPict = forms::Picture::FromBitmap(forms::GdiObj<HBITMAP>(CreateBitmap(4, 4, 1, 32, nullptr)));
    w.Refresh_Clips();
    for (int row : {2, 3}) {
        SendMessageW(w.Frame.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, row * 70 + 30));
        for (int i = 0; i < 5; ++i) EXPECT_EQ(w.BackPict[i].Picture() == w.SelPict, i == row) << "row " << i;
    }
}

// A clip that arrives while the window is open shows in the rows at once: a click on a row pastes
// the text that row shows.
TEST_F(InsertWindow, AClipArrivingWhileOpenShowsInTheRowsAClickPastes) {
    SetClips(5);
    w.SetVisible(true);
    fMain().AddClip(u"new");
    mGlobal::LastForegroundWnd = GetDesktopWindow();
    ClickAt(w.Frame.Handle(), 30, 70 + 30);
    EXPECT_EQ(Rows()[1], L"clip a");
    EXPECT_EQ(mGlobal::LastClipText, u"clip a");
    w.SetVisible(false);
}
