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

TEST(GSubclass, ClientsRunInAttachmentOrderAndDetachingTheFirstRenumbersTheSecond) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kRunBefore, 11), b("B", w.journal, ISubclass::kConsume, 22);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    engine.AttachMessage(b, w.h, kMsg);
    // The first client's answer runs the window's procedure before; the last client's result wins.
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 22);
    EXPECT_EQ(w.journal, (Journal{"A?", "prev 1", "A", "B"}));

    engine.DetachMessage(a, w.h, kMsg);
    EXPECT_EQ(w.Prop(w.Clients(kMsg, 1)), reinterpret_cast<intptr_t>(static_cast<ISubclass*>(&b)));
    EXPECT_EQ(w.Prop(w.Clients(kMsg, 2)), 0);
    w.journal.clear();
    // B now decides alone: consumed, the window's procedure never sees the message.
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 22);
    EXPECT_EQ(w.journal, (Journal{"B?", "B", "B?"}));
}

TEST(GSubclass, TheResponseDecidesWhenTheOldProcedureRunsAndWhoseResultCounts) {
    struct Case {
        int32_t response;
        LRESULT result;
        Journal journal;
    };
    const Case cases[] = {
        {ISubclass::kRunAfter, 7001, {"A?", "A", "A?", "prev 1"}},
        {ISubclass::kRunBefore, 5, {"A?", "prev 1", "A"}},
        {ISubclass::kRunBefore | ISubclass::kRunAfter, 5, {"A?", "prev 1", "A"}},
        {ISubclass::kConsume, 5, {"A?", "A", "A?"}},
    };
    for (const Case& c : cases) {
        TargetWindow w;
        Client a("A", w.journal, c.response, 5);
        GSubclass engine;
        engine.AttachMessage(a, w.h, kMsg);
        EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), c.result) << c.response;
        EXPECT_EQ(w.journal, c.journal) << c.response;
    }
}

// Messages without clients pass unchanged; detaching what is not attached does nothing; the last
// detachment puts the procedure back and leaves no property of the engine.
TEST(GSubclass, TheLastDetachmentRestoresTheProcedureAndLeavesNoProperty) {
    TargetWindow w;
    Journal j;
    Client a("A", j, ISubclass::kConsume), b("B", j, ISubclass::kConsume), stranger("S", j, 0);
    GSubclass engine;
    engine.DetachMessage(a, w.h, kMsg);  // nothing attached at all
    engine.AttachMessage(a, w.h, kMsg);
    engine.AttachMessage(b, w.h, WM_APP + 2);
    EXPECT_EQ(SendMessageW(w.h, WM_APP + 9, 0, 0), 7009);
    EXPECT_EQ(engine.CallOldWindowProc(w.h, WM_APP + 3, 0, 0), 7003);
    engine.DetachMessage(stranger, w.h, kMsg);
    engine.DetachMessage(a, w.h, WM_APP + 5);
    EXPECT_EQ(w.Prop("C" + w.Id()), 2);
    engine.DetachMessage(a, w.h, kMsg);
    EXPECT_NE(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    engine.DetachMessage(b, w.h, WM_APP + 2);
    EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    EXPECT_TRUE(w.EngineProperties().empty());
    EXPECT_EQ(engine.CallOldWindowProc(w.h, kMsg, 0, 0), 0);
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 7001);
    EXPECT_TRUE(j.empty());
    EXPECT_EQ(w.journal, (Journal{"prev 9", "prev 3", "prev 1"}));
    HWND gone = w.h;
    DestroyWindow(gone);
    engine.DetachMessage(a, gone, kMsg);
}
