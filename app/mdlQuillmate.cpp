#include "app/mdlQuillmate.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "model/mGlobal.h"
#include "app/mdlInput.h"
#include "model/TextConv.h"
#include "support/mdlLog.h"
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

// Timers of the hidden window that the chain's procedure serves itself.
constexpr UINT_PTR kRetryTimer = 0x5101;  // reads the clipboard again while another program holds it
constexpr UINT_PTR kWatchTimer = 0x5102;  // notices a chain that no longer reaches this window
constexpr UINT kRetryEveryMs = 20;
constexpr DWORD kRetryForMs = 500;
constexpr UINT kWatchEveryMs = 100;
constexpr DWORD kChainSilentMs = 400;
// A viewer that hangs must not hang this one: how long a notification may take to pass on.
constexpr UINT kPassOnTimeoutMs = 250;

DWORD RetryStart = 0;
DWORD SeenSequence = 0;   // the clipboard's sequence number when this window last heard of it
DWORD SilentSince = 0;    // when the number was first seen to move without a notification; 0: not

bool PassOnTo(HWND next) { return next && next != ChainWndHandle && IsWindow(next); }

void PassOn(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (PassOnTo(NextChainWndHandle))
        SendMessageTimeoutW(NextChainWndHandle, msg, wParam, lParam, SMTO_ABORTIFHUNG, kPassOnTimeoutMs, nullptr);
}

// Opens the clipboard and reads its text; false, and nothing logged, when it cannot be opened.
// For a capture, a text the history has no room for is left where it is, with a log line.
bool TryReadClipboard(ClipText& result, bool forCapture = false);

void TakeChainText() {
    SeenSequence = GetClipboardSequenceNumber();
    // From here the history, the last text and the save thread share this one buffer.
    const ClipTextRef text(std::move(ChainText));
    ChainText.clear();
    // Once the exit has begun the history is saved (or deleted) for good; the exit's fades still
    // answer the notifications other programs send, and a clip taken then would be written back
    // behind the exit's own save.
    if (mGlobal::Exiting) return;
    if (text != mGlobal::LastClipText && !text.empty() && text != u" ") {
        try {
            fMain().AddClip(text, u"", u"");
            fMain().RefreshViewedClips();
            mdlInput::SaveClips();
        } catch (const std::bad_alloc&) {
            mdlLog::WriteLog(">>> Not enough memory to keep the clipboard text: " + std::to_string(text.size()) +
                             " characters.");
        }
    }
}

void OnDrawClipboard() {
    ChainText.clear();
    SeenSequence = GetClipboardSequenceNumber();
    SilentSince = 0;
    KillTimer(ChainWndHandle, kRetryTimer);
    if (!mGlobal::SettingClipboard && !TryReadClipboard(ChainText, true)) {
        // Another program still holds the clipboard open: try again shortly, without waiting here.
        RetryStart = GetTickCount();
        SetTimer(ChainWndHandle, kRetryTimer, kRetryEveryMs, nullptr);
        return;
    }
    TakeChainText();
}

void OnRetryTimer() {
    if (TryReadClipboard(ChainText, true)) {
        KillTimer(ChainWndHandle, kRetryTimer);
        TakeChainText();
    } else if (GetTickCount() - RetryStart >= kRetryForMs) {
        KillTimer(ChainWndHandle, kRetryTimer);
        mdlLog::WriteLog(">>> Can't open clipboard!");
    }
}

// A viewer that joined after this window and ended without leaving, or hangs, keeps every later
// notification from arriving. The clipboard's sequence number still moves: when it has moved,
// nobody holds the clipboard open and no notification came for a while, join again and take the
// missed text. The window after this one stays as it was: the silent viewer is left out, so that
// it cannot pass a notification round in a circle should it wake up.
void OnWatchTimer() {
    const DWORD sequence = GetClipboardSequenceNumber();
    if (sequence == SeenSequence || GetOpenClipboardWindow() || mGlobal::SettingClipboard) {
        SilentSince = 0;
        return;
    }
    const DWORD now = GetTickCount();
    if (!SilentSince) SilentSince = now | 1;
    if (now - SilentSince < kChainSilentMs) return;
    mdlLog::WriteLog(">>> Clipboard notifications stopped: the viewer chain was broken. Joined it again.");
    const HWND next = NextChainWndHandle;
    SetClipboardViewer(ChainWndHandle);  // its notification usually takes the missed text at once
    NextChainWndHandle = next;
    if (GetClipboardSequenceNumber() != SeenSequence) OnDrawClipboard();
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
    SeenSequence = GetClipboardSequenceNumber();
    SetTimer(hWnd, kWatchTimer, kWatchEveryMs, nullptr);
}

void RestoreWndProc(HWND hWnd) {
    if (!ChainWndHandle) return;
    KillTimer(hWnd, kWatchTimer);
    KillTimer(hWnd, kRetryTimer);
    // Leaving tells the first viewer when this window is not the first. The system sends that
    // notice without a time limit, so a hung first viewer would hang the exit: send it here.
    const HWND first = GetClipboardViewer();
    if (first == ChainWndHandle || !first)
        ChangeClipboardChain(ChainWndHandle, NextChainWndHandle);
    else if (IsWindow(first))
        SendMessageTimeoutW(first, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(ChainWndHandle),
                            reinterpret_cast<LPARAM>(NextChainWndHandle), SMTO_ABORTIFHUNG, 1000, nullptr);
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWndProc));
    ChainWndHandle = nullptr;
}

LRESULT CALLBACK ChainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_DRAWCLIPBOARD:
            OnDrawClipboard();
            PassOn(uMsg, wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == NextChainWndHandle)
                NextChainWndHandle = reinterpret_cast<HWND>(lParam);
            else
                PassOn(uMsg, wParam, lParam);
            return 0;
        case WM_TIMER:
            if (wParam == kRetryTimer) return OnRetryTimer(), 0;
            if (wParam == kWatchTimer) return OnWatchTimer(), 0;
            break;
    }
    return CallWindowProcW(OldWndProc, hWnd, uMsg, wParam, lParam);
}

namespace {
bool TryReadClipboard(ClipText& result, bool forCapture) {
    result.clear();
    if (!OpenClipboard(fClipboard().hWnd())) return false;
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
                if (forCapture && !mGlobal::History.HasRoomFor(n)) {
                    // The history's texts must leave room in the address space for their files,
                    // the next start and the rest of the program.
                    mdlLog::WriteLog(">>> Clipboard text not kept, the history holds as much text as it may: " +
                                     std::to_string(n) + " characters.");
                } else {
                    try {
                        result = FromWide(p, n);
                    } catch (const std::bad_alloc&) {
                        mdlLog::WriteLog(">>> Not enough memory to keep the clipboard text: " + std::to_string(n) +
                                         " characters.");
                    }
                }
                GlobalUnlock(h);
            } else {
                mdlLog::WriteLog(">>> Can't fixed memory block!");
            }
        }
    }
    CloseClipboard();
    return true;
}
}  // namespace

ClipText GetClipboardText() {
    ClipText result;
    if (!TryReadClipboard(result)) mdlLog::WriteLog(">>> Can't open clipboard!");
    return result;
}

bool SetClipboardText(const ClipTextRef& text) {
    bool result = false;
    mGlobal::SettingClipboard = true;
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    GlobalBlock block(bytes);
    if (void* p = block.get() ? GlobalLock(block.get()) : nullptr) {
        std::memcpy(p, text.Str().c_str(), bytes);  // c_str() ends with the NUL
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
