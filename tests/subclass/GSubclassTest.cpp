#include <memory>

#include "tests/subclass/SubclassFixture.h"

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
// result is the previous procedure's when it runs after, the last client's otherwise.
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
        GSubclass engine;
        for (size_t i = 0; i < c.responses.size(); ++i) {
            clients.push_back(std::make_unique<Client>(std::string(1, char('A' + i)), w.journal, c.responses[i], i + 1));
            engine.AttachMessage(*clients.back(), w.h, kMsg);
        }
        EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), c.result) << c.journal.size();
        EXPECT_EQ(w.journal, c.journal);
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
