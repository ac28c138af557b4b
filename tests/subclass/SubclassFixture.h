#pragma once
// A real window with a recording procedure, and clients that write into one journal.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/GSubclass.h"
#include "support/SupportError.h"

using Journal = std::vector<std::string>;

// The window's own procedure: records what reaches it and answers WM_APP + n with 7000 + n.
struct TargetWindow {
    TargetWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QmSubclassTarget";
        RegisterClassW(&wc);
        h = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            wc.hInstance, nullptr);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        original = GetWindowLongPtrW(h, GWLP_WNDPROC);
    }
    ~TargetWindow() {
        if (IsWindow(h)) DestroyWindow(h);
    }
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

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

    // The names of the properties the engine left on the window.
    std::vector<std::string> EngineProperties() const {
        std::vector<std::string> names;
        EnumPropsExA(h, &CollectName, reinterpret_cast<LPARAM>(&names));
        // The platform keeps properties of its own on windows; only the engine's count here.
        std::vector<std::string> ours;
        for (auto& n : names)
            if (n.rfind(Id(), 0) == 0 || n.rfind("C" + Id(), 0) == 0) ours.push_back(n);
        return ours;
    }
    static BOOL CALLBACK CollectName(HWND, LPSTR name, HANDLE, ULONG_PTR data) {
        if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0)
            reinterpret_cast<std::vector<std::string>*>(data)->push_back(name);
        return TRUE;
    }
    intptr_t Prop(const std::string& name) const {
        return reinterpret_cast<intptr_t>(GetPropA(h, name.c_str()));
    }
    std::string Id() const { return std::to_string(reinterpret_cast<intptr_t>(h)); }

    HWND h = nullptr;
    LONG_PTR original = 0;
    LONG_PTR procAtDestroy = 0;
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

inline int32_t ErrorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const SupportError& e) {
        return e.Number();
    }
    return 0;
}
