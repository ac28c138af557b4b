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

    /// Get/set how you will respond to a message.  Raised whenever a message is encountered.  Call the CurrentMessage property to determine what message you are currently responding to.
    virtual int32_t MsgResponse() = 0;
    /// Get/set how you will respond to a message.  Raised whenever a message is encountered.  Call the CurrentMessage property to determine what message you are currently responding to.
    // The engine never calls the setter; it is kept so a client can be told how to respond.
    virtual void SetMsgResponse(int32_t response) { (void)response; }
    /// Raised whenever a message you have subclassed is sent.
    // The result may become the window procedure's result.
    virtual LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
        (void)hwnd, (void)iMsg, (void)wParam, (void)lParam;
        return 0;
    }

protected:
    ISubclass() = default;
    ISubclass(const ISubclass&) = default;
    ISubclass& operator=(const ISubclass&) = default;
};
