#pragma once
// A real window with a recording procedure, and clients that write into one journal.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/GSubclass.h"
#include "support/SupportError.h"

using Journal = std::vector<std::string>;
constexpr UINT kMsg = WM_APP + 1;

// The window's own procedure: records what reaches it and answers WM_APP + n with 7000 + n.
struct TargetWindow {
    TargetWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.lpszClassName = L"QmSubclassTarget";
        RegisterClassW(&wc);
        h = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        original = GetWindowLongPtrW(h, GWLP_WNDPROC);
    }
    ~TargetWindow() {
        if (IsWindow(h)) DestroyWindow(h);
    }

    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (self && m >= WM_APP) {
            self->journal.push_back("prev " + std::to_string(m - WM_APP));
            return 7000 + (m - WM_APP);
        }
        if (self && m == WM_DESTROY) {
            self->journal.push_back("prev destroy");
            self->procAtDestroy = GetWindowLongPtrW(h, GWLP_WNDPROC);
            if (self->onDestroy) self->onDestroy();
        }
        return DefWindowProcW(h, m, w, l);
    }

    // The engine's properties left on the window (the platform keeps some of its own).
    std::vector<std::string> EngineProperties() const {
        std::vector<std::string> names;
        EnumPropsExA(h, &CollectName, reinterpret_cast<LPARAM>(&names));
        std::erase_if(names, [&](const std::string& n) { return n.rfind(Id(), 0) && n.rfind("C" + Id(), 0); });
        return names;
    }
    static BOOL CALLBACK CollectName(HWND, LPSTR name, HANDLE, ULONG_PTR data) {
        if (HIWORD(reinterpret_cast<ULONG_PTR>(name))) reinterpret_cast<Journal*>(data)->push_back(name);
        return TRUE;
    }
    intptr_t Prop(const std::string& name) const { return reinterpret_cast<intptr_t>(GetPropA(h, name.c_str())); }
    std::string Id() const { return std::to_string(reinterpret_cast<intptr_t>(h)); }
    // The client count of a message, or client i of it.
    std::string Clients(UINT m, int i = 0) const {
        return Id() + "#" + std::to_string(m) + (i ? "#" + std::to_string(i) : "C");
    }

    HWND h = nullptr;
    LONG_PTR original = 0, procAtDestroy = 0;
    std::function<void()> onDestroy;
    Journal journal;
};

// A client that answers a fixed response and result, and notes every call in a journal.
struct Client : ISubclass {
    Client(std::string name, Journal& journal, int32_t response, LRESULT result = 0)
        : name(std::move(name)), journal(journal), response(response), result(result) {}

    int32_t MsgResponse() override {
        journal.push_back(name + "?");
        if (engine) currentSeen.push_back(engine->CurrentMessage());
        return response;
    }
    LRESULT WindowProc(HWND h, UINT m, WPARAM w, LPARAM l) override {
        journal.push_back(name);
        if (engine) currentSeen.push_back(engine->CurrentMessage());
        if (onCall) onCall(h, m, w, l);
        return result;
    }

    std::string name;
    Journal& journal;
    int32_t response;
    LRESULT result;
    GSubclass* engine = nullptr;
    std::vector<UINT> currentSeen;
    std::function<void(HWND, UINT, WPARAM, LPARAM)> onCall;
};
