#pragma once
// ISubclass: a client of GSubclass; it says when the window's own procedure runs and receives
// each message it attached.
#include <windows.h>

#include <cstdint>

class ISubclass {
public:
    // Bit values of MsgResponse: the window's previous procedure runs before the clients, after
    // them, or (neither bit) not at all, the message being consumed.
    static constexpr int32_t kRunAfter = 1;
    static constexpr int32_t kRunBefore = 2;
    static constexpr int32_t kConsume = 0;

    virtual ~ISubclass() = default;

    // How this client responds to the message its engine's CurrentMessage names.
    virtual int32_t MsgResponse() = 0;
    // Never called by the engine; kept so a client can be told how to respond.
    virtual void SetMsgResponse(int32_t response) { (void)response; }
    // Called for each attached message; the result may become the window procedure's result.
    virtual LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
        (void)hwnd, (void)iMsg, (void)wParam, (void)lParam;
        return 0;
    }

protected:
    ISubclass() = default;
    ISubclass(const ISubclass&) = default;
    ISubclass& operator=(const ISubclass&) = default;
};
