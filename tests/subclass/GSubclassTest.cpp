// The subclassing engine on a real window with a recording procedure, its clients writing into one journal.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
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

TEST(GSubclass, RefusalsCarryTheirNumbersAndTextsAndChangeNothing) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kConsume);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    struct Case {
        HWND hwnd;
        int32_t n;
        const char* text;
    };
    const Case cases[] = {{w.h, 13082, "Message already handled by another class"},
                          {reinterpret_cast<HWND>(0x7ff0), 13083, "Invalid window"},
                          {GetDesktopWindow(), 13084, "Can't modify external window"}};
    for (const Case& c : cases) {
        try {
            engine.AttachMessage(a, c.hwnd, kMsg);
            ADD_FAILURE() << c.n << " not raised";
        } catch (const SupportError& e) {
            EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040000u | c.n));
            EXPECT_EQ(e.Description(), c.text);
            EXPECT_EQ(e.Source(), "test_subclass.WindowProc");
        }
    }
    EXPECT_FALSE(GSubclass::IsWindowLocal(GetDesktopWindow()));
    EXPECT_EQ(w.Prop("C" + w.Id()), 1);
    EXPECT_EQ(w.Prop(w.Clients(kMsg)), 1);
    SendMessageW(w.h, kMsg, 0, 0);
    EXPECT_EQ(w.journal, (Journal{"A?", "A", "A?"}));
}

// The first client's response decides the call before, the last client's the call after; the
// result is the previous procedure's when it runs after, the last client's otherwise. A released
// engine leaves its windows working, and any engine can take the clients off again.
TEST(GSubclass, TheResponsesDecideWhenTheOldProcedureRunsAndWhoseResultCounts) {
    struct Case {
        std::vector<int32_t> responses;  // client i answers its response and result i + 1
        LRESULT result;
        Journal journal;
    };
    constexpr int32_t kAfter = ISubclass::kRunAfter, kBefore = ISubclass::kRunBefore, kNone = ISubclass::kConsume;
    const Case cases[] = {
        {{kAfter}, 7001, {"A?", "A", "A?", "prev 1"}},
        {{kBefore}, 1, {"A?", "prev 1", "A"}},
        {{kBefore | kAfter}, 1, {"A?", "prev 1", "A"}},
        {{kNone}, 1, {"A?", "A", "A?"}},
        {{kBefore, kNone}, 2, {"A?", "prev 1", "A", "B"}},
        {{kNone, kAfter}, 7001, {"A?", "A", "B", "B?", "prev 1"}},
        {{kAfter, kNone}, 2, {"A?", "A", "B", "B?"}},
    };
    for (const Case& c : cases) {
        TargetWindow w;
        std::vector<std::unique_ptr<Client>> clients;
        {
            GSubclass engine;
            for (size_t i = 0; i < c.responses.size(); ++i) {
                const std::string name(1, char('A' + i));
                clients.push_back(std::make_unique<Client>(name, w.journal, c.responses[i], i + 1));
                engine.AttachMessage(*clients.back(), w.h, kMsg);
            }
        }
        EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), c.result) << c.journal.size();
        EXPECT_EQ(w.journal, c.journal);
        GSubclass other;
        for (const auto& client : clients) other.DetachMessage(*client, w.h, kMsg);
        EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
        EXPECT_TRUE(w.EngineProperties().empty());
    }
}

// Messages without clients pass unchanged; detaching what is not attached does nothing; detaching the
// first client renumbers the next, which then decides alone; the last detachment puts the procedure
// back and leaves no property of the engine.
TEST(GSubclass, DetachingRenumbersTheRestAndTheLastOneRestoresTheProcedureAndLeavesNoProperty) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kRunBefore, 11), b("B", w.journal, ISubclass::kConsume, 22),
        c("C", w.journal, ISubclass::kConsume), stranger("S", w.journal, 0);
    GSubclass engine;
    engine.DetachMessage(a, w.h, kMsg);  // nothing attached at all
    engine.AttachMessage(a, w.h, kMsg);
    engine.AttachMessage(b, w.h, kMsg);
    engine.AttachMessage(c, w.h, WM_APP + 2);
    EXPECT_EQ(SendMessageW(w.h, WM_APP + 9, 0, 0), 7009);
    EXPECT_EQ(engine.CallOldWindowProc(w.h, WM_APP + 3, 0, 0), 7003);
    engine.DetachMessage(stranger, w.h, kMsg);
    engine.DetachMessage(a, w.h, WM_APP + 5);
    EXPECT_EQ(w.Prop("C" + w.Id()), 3);
    engine.DetachMessage(a, w.h, kMsg);
    EXPECT_EQ(w.Prop(w.Clients(kMsg)), 1);
    EXPECT_EQ(w.Prop(w.Clients(kMsg, 1)), reinterpret_cast<intptr_t>(static_cast<ISubclass*>(&b)));
    EXPECT_EQ(w.Prop(w.Clients(kMsg, 2)), 0);
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 22);  // consumed: the window's procedure never sees it
    engine.DetachMessage(b, w.h, kMsg);
    EXPECT_NE(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    engine.DetachMessage(c, w.h, WM_APP + 2);
    EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    EXPECT_TRUE(w.EngineProperties().empty());
    EXPECT_EQ(engine.CallOldWindowProc(w.h, kMsg, 0, 0), 0);
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 7001);
    EXPECT_EQ(w.journal, (Journal{"prev 9", "prev 3", "B?", "B", "B?", "prev 1"}));
    HWND gone = w.h;
    DestroyWindow(gone);
    engine.DetachMessage(a, gone, kMsg);
}

TEST(GSubclassEdges, ASecondEngineDispatchesThroughTheFirstOnesProcedure) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kConsume), b("B", w.journal, ISubclass::kConsume);
    GSubclass first, second;
    a.engine = &first;
    b.engine = &second;
    first.AttachMessage(a, w.h, kMsg);
    LONG_PTR installed = GetWindowLongPtrW(w.h, GWLP_WNDPROC);
    second.AttachMessage(b, w.h, kMsg);
    EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), installed);
    SendMessageW(w.h, kMsg, 0, 0);
    EXPECT_EQ(w.journal, (Journal{"A?", "A", "B", "B?"}));
    EXPECT_EQ(first.CurrentMessage(), kMsg);
    EXPECT_EQ(second.CurrentMessage(), 0u);
    EXPECT_EQ(a.currentSeen, (std::vector<UINT>{kMsg, kMsg}));
}

// A window destroyed with no client for WM_DESTROY gets its procedure back before that procedure
// sees WM_DESTROY, even in the middle of a dispatch; detaching afterwards never leaves a negative count.
TEST(GSubclassEdges, AClientMayDestroyTheWindowInTheMiddleOfADispatch) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kRunAfter, 4), b("B", w.journal, ISubclass::kRunAfter, 9);
    a.onCall = [](HWND h, UINT, WPARAM, LPARAM) { DestroyWindow(h); };
    {
        GSubclass engine;
        engine.AttachMessage(a, w.h, kMsg);
        engine.AttachMessage(b, w.h, kMsg);
    }
    // The procedure and the attachment count are gone already; the per-message entries are not.
    w.onDestroy = [&] {
        GSubclass().DetachMessage(a, w.h, kMsg);
        EXPECT_EQ(w.Prop("C" + w.Id()), 0);
        EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    };
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 4);
    EXPECT_FALSE(IsWindow(w.h));
    EXPECT_EQ(w.procAtDestroy, w.original);  // recorded as WM_DESTROY arrived, before the detach
    // B was gone with the window; nobody was asked to run the window's procedure after.
    EXPECT_EQ(w.journal, (Journal{"A?", "A", "prev destroy"}));
}

TEST(GSubclassEdges, AClientOfWmDestroyThatDetachesEverythingEndsTheSubclass) {
    TargetWindow w;
    Journal j;
    GSubclass engine;
    Client keys("K", j, ISubclass::kConsume), closer("D", j, ISubclass::kRunAfter);
    closer.onCall = [&](HWND h, UINT, WPARAM, LPARAM) {
        engine.DetachMessage(keys, h, kMsg);
        engine.DetachMessage(closer, h, WM_DESTROY);
        EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), w.original);
    };
    engine.AttachMessage(keys, w.h, kMsg);
    engine.AttachMessage(closer, w.h, WM_DESTROY);
    DestroyWindow(w.h);
    EXPECT_EQ(j, (Journal{"D?", "D", "D?"}));
    EXPECT_NE(std::find(w.journal.begin(), w.journal.end(), "prev destroy"), w.journal.end());
}

TEST(GSubclassEdges, UnicodeWindowsStayUnicodeAndPassTextUnchanged) {
    TargetWindow w;
    Journal j;
    Client a("A", j, ISubclass::kRunAfter);
    GSubclass engine;
    engine.AttachMessage(a, w.h, WM_SETTEXT);
    EXPECT_TRUE(IsWindowUnicode(w.h));
    const wchar_t* text = L"\u041f\u0440\u0438\u0432\u0435\u0442 \U0001F600";
    wchar_t back[32] = {};
    SetWindowTextW(w.h, text);
    GetWindowTextW(w.h, back, 32);
    EXPECT_STREQ(back, text);
    EXPECT_EQ(j, (Journal{"A?", "A", "A?"}));
}
