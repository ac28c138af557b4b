#include <windows.h>

#include <gtest/gtest.h>

#include "TestLog.h"
#include "app/mGlobal.h"
#include "app/mdlQuillmate.h"
#include "forms/DoEvents.h"
#include "windows/Windows.h"

namespace {
// A plain viewer window that counts what reaches it.
struct CountingViewer {
    static inline int draws = 0;
    static inline int changes = 0;
    HWND hwnd = nullptr;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_DRAWCLIPBOARD) return ++draws, 0;
        if (m == WM_CHANGECBCHAIN) return ++changes, 0;
        return DefWindowProcW(h, m, w, l);
    }
    CountingViewer() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QmCountingViewer";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~CountingViewer() { DestroyWindow(hwnd); }
};

void PutText(const wchar_t* text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(h), text, bytes);
    GlobalUnlock(h);
    OpenClipboard(fTray().hWnd());
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, h);
    CloseClipboard();
}
}  // namespace

// One walk through the life of the chain, as the program lives it: join, capture, pass on, leave.
TEST(Chain, CapturesPassesOnAndLeavesCleanly) {
    TestLog log;
    mGlobal::History.Delete_All();
    mGlobal::LastClipText.clear();
    CountingViewer viewer;
    HWND before = SetClipboardViewer(viewer.hwnd);  // the viewer joins first, so it comes after us
    HWND hidden = fClipboard().hWnd();
    const LONG_PTR ownProc = GetWindowLongPtrW(hidden, GWLP_WNDPROC);

    PutText(L"already there");
    forms::DoEvents();
    mdlQuillmate::JoinClipboardChain(hidden);
    EXPECT_EQ(mdlQuillmate::NextChainWnd(), viewer.hwnd);
    EXPECT_EQ(GetClipboardViewer(), hidden);
    forms::DoEvents();
    EXPECT_EQ(mGlobal::History.ClipCount(), 0) << "the text present when joining became a clip";

    CountingViewer::draws = 0;
    PutText(L"copied elsewhere");
    SendMessageW(hidden, WM_DRAWCLIPBOARD, 0, 0);
    ASSERT_EQ(mGlobal::History.ClipCount(), 1);
    EXPECT_EQ(mGlobal::History.Clip(0).Text, u"copied elsewhere");
    forms::DoEvents();
    EXPECT_GE(CountingViewer::draws, 1) << "the viewer after us was not told";

    // Our own write is never a clip, whether the notice comes during the write or after it.
    ASSERT_TRUE(mdlQuillmate::SetClipboardText(u"written by us"));
    SendMessageW(hidden, WM_DRAWCLIPBOARD, 0, 0);
    forms::DoEvents();
    EXPECT_EQ(mGlobal::History.ClipCount(), 1);

    // A single blank is ignored; two blanks are a clip.
    PutText(L" ");
    SendMessageW(hidden, WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(mGlobal::History.ClipCount(), 1);
    PutText(L"  ");
    SendMessageW(hidden, WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(mGlobal::History.ClipCount(), 2);

    // Someone else leaving is passed on; the window after us leaving is taken in.
    CountingViewer::changes = 0;
    SendMessageW(hidden, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(HWND(0x1234)), 0);
    forms::DoEvents();
    EXPECT_EQ(CountingViewer::changes, 1);
    EXPECT_EQ(mdlQuillmate::NextChainWnd(), viewer.hwnd);
    SendMessageW(hidden, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(viewer.hwnd), reinterpret_cast<LPARAM>(before));
    EXPECT_EQ(mdlQuillmate::NextChainWnd(), before);
    forms::DoEvents();
    EXPECT_EQ(CountingViewer::changes, 1) << "the leaving window's own notice was passed on";

    // Other messages still reach the window's own procedure while it is in the chain.
    EXPECT_EQ(SendMessageW(hidden, WM_GETTEXTLENGTH, 0, 0), 9);

    mdlQuillmate::RestoreWndProc(hidden);
    EXPECT_EQ(mdlQuillmate::ChainWnd(), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(hidden, GWLP_WNDPROC), ownProc);
    EXPECT_NE(GetClipboardViewer(), hidden);
    EXPECT_NE(log.Text().find("Clip0 added."), std::string::npos);
    mGlobal::History.Delete_All();
}
