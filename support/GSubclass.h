#pragma once
// GSubclass: routes chosen messages of windows of this process to ISubclass clients, keeping
// all its bookkeeping in properties of the subclassed windows themselves.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "support/ISubclass.h"

class GSubclass {
public:
    GSubclass();
    // Windows still routed through this engine keep working: its state lives on until the
    // last of them is unsubclassed.
    ~GSubclass();
    GSubclass(const GSubclass&) = delete;
    GSubclass& operator=(const GSubclass&) = delete;

    /// Start subclassing for a particular message.
    // Message iMsg of window hwnd goes to iwp from now on. Throws SupportError 13083 (not a
    // window), 13084 (another process's window), 13082 (iwp already attached to it), 13081 (the
    // procedure could not be replaced) or 5 (a property could not be stored).
    void AttachMessage(ISubclass& iwp, HWND hwnd, UINT iMsg);
    /// Stop subclassing for a particular message.
    // Does nothing when iwp is not attached or the window is gone.
    void DetachMessage(ISubclass& iwp, HWND hwnd, UINT iMsg);
    static bool IsWindowLocal(HWND hwnd);
    /// Returns the message currently being worked on.  Only valid in the MsgResponse and WindowProc items of your implemented interface.
    UINT CurrentMessage() const;
    /// Calls the window procedure for this handle which was installed before you added the subclass.
    // 0 when there is none.
    LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    bool InIDE() const { return false; }

    struct Core;

private:
    std::shared_ptr<Core> core_;
};
