#include "support/GSubclass.h"

#include <string>

#include "support/SupportError.h"

// The engine's own state: the current-message cell. A window routed through the engine holds a
// reference to it (through the "E" property), so it outlives the engine object when needed.
struct GSubclass::Core : std::enable_shared_from_this<GSubclass::Core> {
    UINT currentMessage = 0;
    int routedWindows = 0;
    std::shared_ptr<Core> keepAlive;  // set while at least one window routes through this core
};

namespace {

using Core = GSubclass::Core;

std::string Num(intptr_t v) { return std::to_string(static_cast<int32_t>(v)); }
std::string Handle(HWND h) { return Num(reinterpret_cast<intptr_t>(h)); }

// Property names: the handle alone holds the previous procedure, "C" and the handle the number of
// attachments, handle#msgC the clients of one message, handle#msg#i client i. "E" names ours.
std::string PrevName(HWND h) { return Handle(h); }
std::string AttachCountName(HWND h) { return "C" + Handle(h); }
std::string ClientCountName(HWND h, UINT m) { return Handle(h) + "#" + Num(m) + "C"; }
std::string ClientName(HWND h, UINT m, int32_t i) { return Handle(h) + "#" + Num(m) + "#" + Num(i); }
std::string EngineName(HWND h) { return Handle(h) + "E"; }

intptr_t Read(HWND h, const std::string& name) {
    return reinterpret_cast<intptr_t>(GetPropA(h, name.c_str()));
}

// A stored 0 removes the property, so that nothing of the engine stays on the window.
bool Store(HWND h, const std::string& name, intptr_t value) {
    BOOL ok = SetPropA(h, name.c_str(), reinterpret_cast<HANDLE>(value));
    if (value == 0) RemovePropA(h, name.c_str());
    return ok != FALSE;
}

int32_t ReadCount(HWND h, const std::string& name) { return static_cast<int32_t>(Read(h, name)); }
ISubclass* ReadClient(HWND h, UINT m, int32_t i) {
    return reinterpret_cast<ISubclass*>(Read(h, ClientName(h, m, i)));
}

// Unicode windows are subclassed with the wide functions so text messages pass unconverted.
LONG_PTR SetProc(HWND h, LONG_PTR proc) {
    return IsWindowUnicode(h) ? SetWindowLongPtrW(h, GWLP_WNDPROC, proc)
                              : SetWindowLongPtrA(h, GWLP_WNDPROC, proc);
}
LRESULT CallPrev(WNDPROC prev, HWND h, UINT m, WPARAM w, LPARAM l) {
    return IsWindowUnicode(h) ? CallWindowProcW(prev, h, m, w, l) : CallWindowProcA(prev, h, m, w, l);
}

void Route(HWND h, Core& core) {
    Store(h, EngineName(h), reinterpret_cast<intptr_t>(&core));
    if (core.routedWindows++ == 0) core.keepAlive = core.shared_from_this();
}

void Unroute(HWND h) {
    auto* core = reinterpret_cast<Core*>(Read(h, EngineName(h)));
    Store(h, EngineName(h), 0);
    if (core && --core->routedWindows == 0) {
        std::shared_ptr<Core> last = std::move(core->keepAlive);  // may end the core here
    }
}

// Puts the previous procedure back and drops the window-wide properties.
void Unsubclass(HWND h, intptr_t prev) {
    if (prev) SetProc(h, prev);
    Store(h, PrevName(h), 0);
    Store(h, AttachCountName(h), 0);
    Unroute(h);
}

LRESULT CALLBACK Dispatch(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    const intptr_t prevValue = Read(h, PrevName(h));
    if (!prevValue) return 0;
    const auto prev = reinterpret_cast<WNDPROC>(prevValue);
    // Held for the whole dispatch: a client may destroy the window and with it the last route.
    std::shared_ptr<Core> core;
    if (auto* raw = reinterpret_cast<Core*>(Read(h, EngineName(h)))) core = raw->shared_from_this();

    const int32_t count = ReadCount(h, ClientCountName(h, msg));
    if (count <= 0) {
        if (msg == WM_DESTROY || msg == WM_NCDESTROY) Unsubclass(h, prevValue);
        return CallPrev(prev, h, msg, wParam, lParam);
    }

    LRESULT result = 0;
    bool prevRan = false;
    ISubclass* client = ReadClient(h, msg, 1);
    if (client) {
        if (core) core->currentMessage = msg;
        if (client->MsgResponse() & ISubclass::kRunBefore) {
            result = CallPrev(prev, h, msg, wParam, lParam);
            prevRan = true;
        }
        result = client->WindowProc(h, msg, wParam, lParam);
    }
    for (int32_t i = 2; i <= count; ++i) {
        client = ReadClient(h, msg, i);
        if (!client) continue;
        if (core) core->currentMessage = msg;
        result = client->WindowProc(h, msg, wParam, lParam);
    }
    if (!prevRan && client && (client->MsgResponse() & ISubclass::kRunAfter))
        result = CallPrev(prev, h, msg, wParam, lParam);

    // A client that kept WM_DESTROY to itself and never detached: the window ends subclassed.
    if (msg == WM_NCDESTROY && Read(h, PrevName(h))) Unsubclass(h, Read(h, PrevName(h)));
    return result;
}

[[noreturn]] void Raise(int32_t n) {
    switch (n) {
        case 13081: throw SupportError::Object(n, "Can't subclass window");
        case 13082: throw SupportError::Object(n, "Message already handled by another class");
        case 13083: throw SupportError::Object(n, "Invalid window");
        case 13084: throw SupportError::Object(n, "Can't modify external window");
        default: throw SupportError::InvalidCall();
    }
}

}  // namespace

GSubclass::GSubclass() : core_(std::make_shared<Core>()) {}

GSubclass::~GSubclass() = default;

bool GSubclass::IsWindowLocal(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid == GetCurrentProcessId();
}

UINT GSubclass::CurrentMessage() const { return core_->currentMessage; }

LRESULT GSubclass::CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    intptr_t prev = Read(hwnd, PrevName(hwnd));
    if (!prev) return 0;
    return CallPrev(reinterpret_cast<WNDPROC>(prev), hwnd, iMsg, wParam, lParam);
}

void GSubclass::AttachMessage(ISubclass& iwp, HWND hwnd, UINT iMsg) {
    if (!IsWindow(hwnd)) Raise(13083);
    if (!IsWindowLocal(hwnd)) Raise(13084);

    const std::string countName = ClientCountName(hwnd, iMsg);
    const int32_t c = ReadCount(hwnd, countName);
    for (int32_t i = 1; i <= c; ++i)
        if (ReadClient(hwnd, iMsg, i) == &iwp) Raise(13082);

    if (!Store(hwnd, countName, c + 1)) Raise(5);
    const int32_t count = ReadCount(hwnd, countName);
    const std::string clientName = ClientName(hwnd, iMsg, count);
    auto undoClient = [&] {
        Store(hwnd, clientName, 0);
        Store(hwnd, countName, ReadCount(hwnd, countName) - 1);
    };
    if (!Store(hwnd, clientName, reinterpret_cast<intptr_t>(&iwp))) {
        Store(hwnd, countName, count - 1);
        Raise(5);
    }

    if (ReadCount(hwnd, AttachCountName(hwnd)) == 0) {
        LONG_PTR prev = SetProc(hwnd, reinterpret_cast<LONG_PTR>(&Dispatch));
        if (prev == 0) {
            undoClient();
            Raise(13081);
        }
        if (!Store(hwnd, PrevName(hwnd), prev)) {
            SetProc(hwnd, prev);
            undoClient();
            Raise(5);
        }
        Route(hwnd, *core_);
    }

    if (!Store(hwnd, AttachCountName(hwnd), ReadCount(hwnd, AttachCountName(hwnd)) + 1)) {
        undoClient();
        if (ReadCount(hwnd, AttachCountName(hwnd)) == 0) {
            if (intptr_t prev = Read(hwnd, PrevName(hwnd))) Unsubclass(hwnd, prev);
        }
        Raise(5);
    }
}

void GSubclass::DetachMessage(ISubclass& iwp, HWND hwnd, UINT iMsg) {
    if (!IsWindow(hwnd) || !IsWindowLocal(hwnd)) return;
    const std::string countName = ClientCountName(hwnd, iMsg);
    const int32_t c = ReadCount(hwnd, countName);
    if (c < 1) return;

    int32_t i = 1;
    while (i <= c && ReadClient(hwnd, iMsg, i) != &iwp) ++i;
    if (i > c) return;

    for (int32_t j = i; j < c; ++j)
        Store(hwnd, ClientName(hwnd, iMsg, j), Read(hwnd, ClientName(hwnd, iMsg, j + 1)));
    Store(hwnd, ClientName(hwnd, iMsg, c), 0);
    Store(hwnd, countName, c - 1);

    // A count already at 0 (the window was unsubclassed at WM_DESTROY) must not go negative, or a
    // later attachment would never install the procedure.
    const int32_t n = ReadCount(hwnd, AttachCountName(hwnd));
    if (n <= 1) {
        Unsubclass(hwnd, Read(hwnd, PrevName(hwnd)));  // also removes the attachment count
        return;
    }
    Store(hwnd, AttachCountName(hwnd), n - 1);
}
