#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Wnd.h"
#include "support/SupportError.h"
#include "support/clsMFSC.h"

namespace {

// A window whose own procedure notes the key, character and wheel messages that reach it.
class Recorder : public forms::Wnd {
public:
    Recorder() {
        forms::WndCreate o;
        o.className = L"QmHookRecorder";
        Create(o);
    }
    std::vector<UINT> seen;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_MOUSEWHEEL)
            seen.push_back(msg);
        return DefaultProc(msg, wParam, lParam);
    }
};

// A hook whose key and wheel slots note their calls.
struct WiredHook : clsMFSC {
    WiredHook() {
        MainKeyDown = [this](int32_t k) { calls.push_back("down " + std::to_string(k)); };
        MainKeyUp = [this](int32_t k) { calls.push_back("up " + std::to_string(k)); };
        MouseWheel = [this](int32_t& keys, int32_t& rot, int32_t& x, int32_t& y) {
            calls.push_back("wheel " + std::to_string(keys) + " " + std::to_string(rot) + " " +
                            std::to_string(x) + " " + std::to_string(y));
        };
    }
    std::vector<std::string> calls;
};

}  // namespace

// Keys go to the main logic once, and the character the loop makes from them still reaches the
// button; a second key hook on the same button fails at WM_KEYDOWN and attaches nothing more. A
// wheel notch calls MouseWheel once and its window never sees it, nor its keys hooked; detaching
// and ending the hook give the windows their messages back.
TEST(clsMFSC, KeysAndTheWheelGoToTheMainLogicUntilTheHookIsDetachedOrEnds) {
    Recorder button, main;
    const LONG_PTR original = GetWindowLongPtrW(button.hWnd(), GWLP_WNDPROC);
    {
        WiredHook hook;
        hook.AttachKeyHook(button.hWnd());
        try {
            hook.AttachKeyHook(button.hWnd());
            ADD_FAILURE() << "attached twice";
        } catch (const SupportError& e) {
            EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040000u | 13082));
        }
        const std::string attachments = "C" + std::to_string(reinterpret_cast<intptr_t>(button.hWnd()));
        EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(button.hWnd(), attachments.c_str())), 2);
        hook.AttachWheelHook(main);
        // Posted like real input, so the loop's TranslateMessage makes the character from the key.
        PostMessageW(button.hWnd(), WM_KEYDOWN, 'A', 0x001E0001);
        PostMessageW(button.hWnd(), WM_KEYUP, 'A', 0xC01E0001);
        PostMessageW(button.hWnd(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&m)) TranslateMessage(&m);
        SendMessageW(main.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)),
                     MAKELPARAM(65000, static_cast<WORD>(-5)));
        SendMessageW(main.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(300, 200));
        SendMessageW(main.hWnd(), WM_KEYDOWN, 'B', 0);
        hook.DetachKeyHook(button.hWnd());
        EXPECT_EQ(GetWindowLongPtrW(button.hWnd(), GWLP_WNDPROC), original);
        SendMessageW(button.hWnd(), WM_KEYDOWN, 'C', 0);
        EXPECT_EQ(hook.calls, (std::vector<std::string>{"down 65", "up 65", "down 13", "wheel 8 -120 65000 -5",
                                                        "wheel 0 120 300 200"}));
    }
    SendMessageW(main.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(button.seen, (std::vector<UINT>{WM_CHAR, WM_CHAR, WM_KEYDOWN}));
    EXPECT_EQ(main.seen, (std::vector<UINT>{WM_KEYDOWN, WM_MOUSEWHEEL}));
}
