#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../app/TestLog.h"
#include "app/Paste.h"
#include "model/mGlobal.h"
#include "app/mdlQuillmate.h"
#include "forms/DoEvents.h"
#include "windows/Windows.h"

namespace {
// Puts formats on the clipboard together, the way another program would.
using Formats = std::vector<std::pair<UINT, std::string>>;
void Put(const Formats& formats) {
    ASSERT_TRUE(OpenClipboard(fClipboard().hWnd()));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        SetClipboardData(format, h);
    }
    CloseClipboard();
}
std::string Bytes(const void* bytes, size_t size) { return std::string(static_cast<const char*>(bytes), size); }
std::string TextBytes(const std::wstring& text) { return Bytes(text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
void Put(const void* bytes, size_t size) { Put({{CF_UNICODETEXT, Bytes(bytes, size)}}); }
void Put(const std::wstring& text) { Put({{CF_UNICODETEXT, TextBytes(text)}}); }
// A file manager's copy: the drop list of one file, with its name as text beside it.
Formats FileDrop(const std::wstring& file) {
    std::string drop(sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t), '\0');
    reinterpret_cast<DROPFILES*>(drop.data())->pFiles = sizeof(DROPFILES);
    reinterpret_cast<DROPFILES*>(drop.data())->fWide = TRUE;
    std::memcpy(drop.data() + sizeof(DROPFILES), file.c_str(), file.size() * sizeof(wchar_t));
    return {{CF_HDROP, drop}, {CF_UNICODETEXT, TextBytes(file)}};
}

// A plain viewer window that counts the chain changes passed on to it.
struct CountingViewer {
    static inline int changes = 0;
    HWND hwnd = nullptr;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_CHANGECBCHAIN) return ++changes, 0;
        return DefWindowProcW(h, m, w, l);
    }
    CountingViewer() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.lpszClassName = L"QmCountingViewer";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    ~CountingViewer() { DestroyWindow(hwnd); }
};
}  // namespace

// What reading takes: text up to its first NUL, nothing beside a file drop list, nothing (and a
// log line) for a text too large to keep, and the program's own write back exactly as written.
TEST(Clipboard, ReadTakesTextUpToItsNulAndSkipsFileDropsAndOversizedTexts) {
    TestLog log;
    const ClipText exact = u"\u041f\u0440\u0438\u0432\u0435\u0442 \u2014 \U0001F600\r\nzweite Zeile\t";
    const std::pair<std::function<void()>, ClipText> cases[] = {
        {[] { Put(std::wstring(L"abc\0def", 7)); }, u"abc"},
        {[] { Put(FileDrop(L"C:\\a.txt")); }, u""},
        {[] { Put(std::wstring(mdlQuillmate::kMaxClipChars + 1, L'x')); }, u""},
        {[] { Put(L"small again"); }, u"small again"},
        {[&] { EXPECT_TRUE(mdlQuillmate::SetClipboardText(exact)); }, exact},
    };
    for (const auto& [put, text] : cases) {
        put();
        EXPECT_EQ(mdlQuillmate::GetClipboardText(), text);
    }
    EXPECT_EQ(mGlobal::LastClipText, exact);
    EXPECT_NE(log.Text().find(">>> Clipboard text is too large to keep: 16777218 characters."), std::string::npos);
    // A block whose owner forgot the terminator: the system may cut the last character to make
    // room for one; nothing past the block's three characters may appear.
    Put(L"xyz", 3 * sizeof(wchar_t));
    const ClipText got = mdlQuillmate::GetClipboardText();
    EXPECT_LE(got.size(), 3u);
    EXPECT_EQ(ClipText(u"xyz").substr(0, got.size()), got);
}

TEST(Clipboard, AFailedOpenIsLoggedAndLeavesTheLastTextAlone) {
    TestLog log;
    mGlobal::LastClipText = u"before";
    // Another window of this thread holds the clipboard open.
    ASSERT_TRUE(OpenClipboard(fMain().hWnd()));
    EXPECT_FALSE(mdlQuillmate::SetClipboardText(u"after"));
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"");
    CloseClipboard();
    EXPECT_EQ(mGlobal::LastClipText, u"before");
    EXPECT_FALSE(mGlobal::SettingClipboard);
    const std::string text = log.Text();
    EXPECT_NE(text.find(" || >>> Can't open clipboard. Copy faild!!!"), std::string::npos);
    EXPECT_NE(text.find(" || >>> Can't open clipboard!"), std::string::npos);
}

TEST(Paste, DoesNothingWithoutATargetOrWithAnEmptyHistory) {
    ASSERT_TRUE(mdlQuillmate::SetClipboardText(u"untouched"));
    mGlobal::History.Delete_All();
    mGlobal::LastForegroundWnd = fMain().hWnd();
    Func::PasteToLastWindow(u"new text");  // empty history
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"untouched");
    ClipTextRef last;
    mGlobal::History.AddClip(u"a clip", u"", u"", false, last);
    mGlobal::LastForegroundWnd = nullptr;
    Func::PasteToLastWindow(u"new text");  // nothing was in front yet
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"untouched");
    mGlobal::History.Delete_All();
}

// One walk through the life of the chain, as the program lives it: join, capture, pass on, leave.
// (That the viewer after us sees every change is shown end to end with a real viewer.)
TEST(Chain, CapturesPassesOnAndLeavesCleanly) {
    TestLog log;
    mGlobal::History.Delete_All();
    mGlobal::LastClipText.clear();
    CountingViewer viewer;
    HWND before = SetClipboardViewer(viewer.hwnd);  // the viewer joins first, so it comes after us
    HWND hidden = fClipboard().hWnd();
    const LONG_PTR ownProc = GetWindowLongPtrW(hidden, GWLP_WNDPROC);

    Put(L"already there");
    forms::DoEvents();
    mdlQuillmate::JoinClipboardChain(hidden);
    forms::DoEvents();
    EXPECT_EQ(mGlobal::History.ClipCount(), 0) << "the text present when joining became a clip";

    // A text the history has no room for stays out of it, with a log line; a smaller one is captured.
    mGlobal::History.SetTextBudget(8);
    for (const wchar_t* t : {L"nine more", L"eight ok"}) {
        Put(t);
        SendMessageW(hidden, WM_DRAWCLIPBOARD, 0, 0);
    }
    mGlobal::History.SetTextBudget(ClipHistory::kTextBudgetChars);
    ASSERT_EQ(mGlobal::History.ClipCount(), 1);
    EXPECT_EQ(mGlobal::History.Clip(0).Text, u"eight ok");
    EXPECT_NE(log.Text().find(">>> Clipboard text not kept, the history holds as much text as it may: 9 characters."),
              std::string::npos);

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
    mGlobal::History.Delete_All();
}
