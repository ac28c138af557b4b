#include "app/mdlQuillmate.h"

#include <cstring>
#include <string>
#include <utility>

#include "app/mGlobal.h"
#include "app/mdlInput.h"
#include "app/TextConv.h"
#include "app/mdlLog.h"
#include "forms/DoEvents.h"
#include "windows/Windows.h"

namespace mdlQuillmate {
namespace {
WNDPROC OldWndProc = nullptr;
HWND ChainWndHandle = nullptr;
HWND NextChainWndHandle = nullptr;
ClipText ChainText;

// Owns a global memory block until the clipboard takes it.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T bytes) : h_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (h_) GlobalFree(h_);
    }
    HGLOBAL get() const { return h_; }
    HGLOBAL release() { return std::exchange(h_, nullptr); }

private:
    HGLOBAL h_;
};

bool PassOnTo(HWND next) { return next && next != ChainWndHandle && IsWindow(next); }

void OnDrawClipboard() {
    ChainText.clear();
    if (!mGlobal::SettingClipboard) ChainText = GetClipboardText();
    if (ChainText != mGlobal::LastClipText && !ChainText.empty() && ChainText != u" ") {
        fMain().AddClip(ChainText, u"", u"");
        fMain().RefreshViewedClips();
        mdlInput::SaveClips();
    }
}
}  // namespace

HWND NextChainWnd() { return NextChainWndHandle; }
HWND ChainWnd() { return ChainWndHandle; }

void JoinClipboardChain(HWND hWnd) {
    NextChainWndHandle = SetClipboardViewer(hWnd);
    ChainWndHandle = hWnd;
    // Installed after joining, so the text already on the clipboard at start-up is no clip.
    OldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWndProc)));
}

void RestoreWndProc(HWND hWnd) {
    if (!ChainWndHandle) return;
    ChangeClipboardChain(ChainWndHandle, NextChainWndHandle);
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWndProc));
    ChainWndHandle = nullptr;
}

LRESULT CALLBACK ChainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_DRAWCLIPBOARD:
            OnDrawClipboard();
            if (PassOnTo(NextChainWndHandle)) PostMessageW(NextChainWndHandle, uMsg, wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == NextChainWndHandle)
                NextChainWndHandle = reinterpret_cast<HWND>(lParam);
            else if (PassOnTo(NextChainWndHandle))
                PostMessageW(NextChainWndHandle, uMsg, wParam, lParam);
            return 0;
    }
    return CallWindowProcW(OldWndProc, hWnd, uMsg, wParam, lParam);
}

ClipText GetClipboardText() {
    if (!OpenClipboard(fClipboard().hWnd())) {
        mdlLog::WriteLog(">>> Can't open clipboard!");
        return {};
    }
    ClipText result;
    if (!IsClipboardFormatAvailable(CF_HDROP)) {
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            const size_t maxChars = GlobalSize(h) / sizeof(wchar_t);
            if (maxChars > kMaxClipChars) {
                // Keeping a text this large would make every save and paint crawl; say so and skip it.
                mdlLog::WriteLog(">>> Clipboard text is too large to keep: " + std::to_string(maxChars) +
                                 " characters.");
            } else if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
                // Never read past the block, even when its owner forgot the terminating NUL.
                size_t n = 0;
                while (n < maxChars && p[n]) ++n;
                result = FromWide(p, n);
                GlobalUnlock(h);
            } else {
                mdlLog::WriteLog(">>> Can't fixed memory block!");
            }
        }
    }
    CloseClipboard();
    return result;
}

bool SetClipboardText(const ClipText& text) {
    bool result = false;
    mGlobal::SettingClipboard = true;
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    GlobalBlock block(bytes);
    if (void* p = block.get() ? GlobalLock(block.get()) : nullptr) {
        std::memcpy(p, text.c_str(), bytes);  // c_str() ends with the NUL
    }
    forms::DoEvents();
    // The hidden window owns the clipboard: opened with no owner, EmptyClipboard would leave the
    // clipboard without one and SetClipboardData may then fail on Windows.
    if (!OpenClipboard(fClipboard().hWnd())) {
        mdlLog::WriteLog(">>> Can't open clipboard. Copy faild!!!");
        if (block.get()) GlobalUnlock(block.get());
        mGlobal::SettingClipboard = false;
        return false;
    }
    SetLastError(NO_ERROR);
    if (block.get() && !GlobalUnlock(block.get()) && GetLastError() == NO_ERROR) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, block.get())) {
            block.release();  // the clipboard owns it now
            result = true;
        }
    }
    if (!CloseClipboard()) mdlLog::WriteLog(">>> Can't close clipboard.");
    mGlobal::LastClipText = text;
    mGlobal::SettingClipboard = false;
    return result;
}

}  // namespace mdlQuillmate
