#pragma once
// clsMFSC: takes the key presses and wheel turns of chosen windows away from them and hands
// them to the main window's logic through slots its owner assigns.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "support/GSubclass.h"

namespace forms {
class Wnd;
}

class clsMFSC : public ISubclass {
public:
    clsMFSC() = default;
    // The program never detaches its hooks; an object that ends takes them off its windows so no
    // window keeps calling into it.
    ~clsMFSC() override;
    clsMFSC(const clsMFSC&) = delete;
    clsMFSC& operator=(const clsMFSC&) = delete;

    // WM_KEYDOWN, then WM_KEYUP of hwnd go to MainKeyDown and MainKeyUp. GSubclass errors pass on.
    void AttachKeyHook(HWND hwnd);
    void DetachKeyHook(HWND hwnd);
    // WM_MOUSEWHEEL of the form goes to MouseWheel.
    void AttachWheelHook(forms::Wnd& PassedForm);
    void DetachWheelHook();

    // Slots the owner assigns; each receives the virtual-key code.
    std::function<void(int32_t KeyCode)> MainKeyDown;
    std::function<void(int32_t KeyCode)> MainKeyUp;
    // Key-state flags, wheel delta (positive away from the user, 120 a notch), cursor position in
    // screen pixels (x as the unsigned low word of the message, y signed).
    std::function<void(int32_t& MouseKeys, int32_t& Rotation, int32_t& Xpos, int32_t& Ypos)> MouseWheel;

    // Every hooked message is consumed: the window's own procedure never sees it.
    int32_t MsgResponse() override { return kConsume; }
    LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

private:
    GSubclass& Engine();
    void Attach(HWND hwnd, UINT msg);
    void Detach(HWND hwnd, UINT msg);

    std::unique_ptr<GSubclass> engine_;  // made on first use
    forms::Wnd* wheelOwner_ = nullptr;
    HWND wheelHwnd_ = nullptr;
    std::vector<std::pair<HWND, UINT>> attached_;
};
