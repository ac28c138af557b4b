#include <windows.h>

#include <shlobj.h>

#include <cstring>

#include <gtest/gtest.h>

#include "TestLog.h"
#include "app/Paste.h"
#include "app/mGlobal.h"
#include "app/mdlQuillmate.h"
#include "windows/Windows.h"

namespace {
// Puts raw formats on the clipboard the way another program would.
void PutRaw(UINT format, const void* bytes, size_t size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), bytes, size);
    GlobalUnlock(h);
    ASSERT_TRUE(OpenClipboard(fClipboard().hWnd()));
    EmptyClipboard();
    SetClipboardData(format, h);
    CloseClipboard();
}
void PutText(const std::wstring& w) { PutRaw(CF_UNICODETEXT, w.c_str(), (w.size() + 1) * sizeof(wchar_t)); }
}  // namespace

TEST(Clipboard, TextRoundTripsExactlyAndIsRemembered) {
    const ClipText text = u"Привет — 😀\r\nzweite Zeile\t";
    mGlobal::LastClipText.clear();
    ASSERT_TRUE(mdlQuillmate::SetClipboardText(text));
    EXPECT_EQ(mGlobal::LastClipText, text);
    EXPECT_FALSE(mGlobal::SettingClipboard);
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), text);
}

TEST(Clipboard, ReadStopsAtTheFirstNulAndNeverPastTheBlock) {
    const wchar_t withNul[] = L"abc\0def";
    PutRaw(CF_UNICODETEXT, withNul, sizeof withNul);
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"abc");
    // A block whose owner forgot the terminator.
    const wchar_t unterminated[] = {L'x', L'y', L'z'};
    PutRaw(CF_UNICODETEXT, unterminated, sizeof unterminated);
    // The system may cut the last character to make room for a terminator; nothing past the
    // block's three characters may appear.
    const ClipText got = mdlQuillmate::GetClipboardText();
    EXPECT_LE(got.size(), 3u);
    EXPECT_EQ(ClipText(u"xyz").substr(0, got.size()), got);
}

TEST(Clipboard, AFileDropListGivesNoTextEvenWithTextBesideIt) {
    const std::wstring files = L"C:\\a.txt";
    std::string drop(sizeof(DROPFILES) + (files.size() + 2) * sizeof(wchar_t), '\0');
    auto* df = reinterpret_cast<DROPFILES*>(drop.data());
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    std::memcpy(drop.data() + sizeof(DROPFILES), files.c_str(), files.size() * sizeof(wchar_t));
    HGLOBAL hd = GlobalAlloc(GMEM_MOVEABLE, drop.size());
    std::memcpy(GlobalLock(hd), drop.data(), drop.size());
    GlobalUnlock(hd);
    const std::wstring text = L"C:\\a.txt";
    HGLOBAL ht = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
    std::memcpy(GlobalLock(ht), text.c_str(), (text.size() + 1) * 2);
    GlobalUnlock(ht);
    ASSERT_TRUE(OpenClipboard(fClipboard().hWnd()));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, hd);
    SetClipboardData(CF_UNICODETEXT, ht);
    CloseClipboard();
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"");
}

TEST(Clipboard, AnOversizedTextIsLoggedAndSkipped) {
    TestLog log;
    std::wstring huge(mdlQuillmate::kMaxClipChars + 1, L'x');
    PutText(huge);
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"");
    EXPECT_NE(log.Text().find(">>> Clipboard text is too large to keep: 16777218 characters."), std::string::npos);
    PutText(L"small again");
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"small again");
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
    ClipText last;
    mGlobal::History.AddClip(u"a clip", u"", u"", false, last);
    mGlobal::LastForegroundWnd = nullptr;
    Func::PasteToLastWindow(u"new text");  // nothing was in front yet
    EXPECT_EQ(mdlQuillmate::GetClipboardText(), u"untouched");
    mGlobal::History.Delete_All();
}
