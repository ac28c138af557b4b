#include "tests/subclass/SubclassFixture.h"

namespace {
constexpr UINT kMsg = WM_APP + 1;
}

TEST(GSubclass, AttachingTheSameClientTwiceFailsAndKeepsOneAttachment) {
    TargetWindow w;
    Journal j;
    Client a("A", j, ISubclass::kConsume);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    try {
        engine.AttachMessage(a, w.h, kMsg);
        FAIL() << "second attachment accepted";
    } catch (const SupportError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040000u | 13082));
        EXPECT_EQ(e.Description(), "Message already handled by another class");
        EXPECT_EQ(e.Source(), "test_subclass.WindowProc");
    }
    EXPECT_EQ(w.Prop("C" + w.Id()), 1);
    EXPECT_EQ(w.Prop(w.Id() + "#" + std::to_string(kMsg) + "C"), 1);
    SendMessageW(w.h, kMsg, 0, 0);
    EXPECT_EQ(j, (Journal{"A?", "A", "A?"}));
}

TEST(GSubclass, ClientsRunInAttachmentOrderAndDetachingTheFirstRenumbersTheSecond) {
    TargetWindow w;
    Journal j;
    Client a("A", w.journal, ISubclass::kRunBefore, 11), b("B", w.journal, ISubclass::kConsume, 22);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    engine.AttachMessage(b, w.h, kMsg);
    // The first client's answer runs the window's procedure before; the last client's result wins.
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 22);
    EXPECT_EQ(w.journal, (Journal{"A?", "prev 1", "A", "B"}));

    engine.DetachMessage(a, w.h, kMsg);
    const std::string one = w.Id() + "#" + std::to_string(kMsg) + "#1";
    EXPECT_EQ(w.Prop(one), reinterpret_cast<intptr_t>(static_cast<ISubclass*>(&b)));
    EXPECT_EQ(w.Prop(w.Id() + "#" + std::to_string(kMsg) + "#2"), 0);
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

TEST(GSubclass, AMessageWithoutClientsReachesTheWindowUnchanged) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kConsume, 5);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    EXPECT_EQ(SendMessageW(w.h, WM_APP + 9, 0, 0), 7009);
    EXPECT_EQ(w.journal, (Journal{"prev 9"}));
    EXPECT_EQ(engine.CallOldWindowProc(w.h, WM_APP + 3, 0, 0), 7003);
}

TEST(GSubclass, TheLastDetachmentRestoresTheProcedureAndLeavesNoProperty) {
    TargetWindow w;
    Journal j;
    Client a("A", j, ISubclass::kConsume), b("B", j, ISubclass::kConsume);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    engine.AttachMessage(b, w.h, WM_APP + 2);
    EXPECT_NE(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    EXPECT_EQ(w.Prop("C" + w.Id()), 2);
    engine.DetachMessage(a, w.h, kMsg);
    EXPECT_NE(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    engine.DetachMessage(b, w.h, WM_APP + 2);
    EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    EXPECT_TRUE(w.EngineProperties().empty());
    EXPECT_EQ(engine.CallOldWindowProc(w.h, kMsg, 0, 0), 0);
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 7001);
    EXPECT_TRUE(j.empty());
}

TEST(GSubclass, DetachingWhatIsNotAttachedDoesNothing) {
    TargetWindow w;
    Journal j;
    Client a("A", j, ISubclass::kConsume), stranger("S", j, ISubclass::kConsume);
    GSubclass engine;
    engine.DetachMessage(a, w.h, kMsg);  // nothing attached at all
    engine.AttachMessage(a, w.h, kMsg);
    engine.DetachMessage(stranger, w.h, kMsg);
    engine.DetachMessage(a, w.h, WM_APP + 5);
    EXPECT_EQ(w.Prop("C" + w.Id()), 1);
    HWND gone = w.h;
    DestroyWindow(gone);
    engine.DetachMessage(a, gone, kMsg);
}

TEST(GSubclass, DestroyedWindowGetsItsProcedureBackDuringWmDestroy) {
    TargetWindow w;
    Journal j;
    Client a("A", j, ISubclass::kConsume);
    GSubclass engine;
    engine.AttachMessage(a, w.h, kMsg);
    DestroyWindow(w.h);
    EXPECT_EQ(w.procAtDestroy, w.original);
    EXPECT_NE(std::find(w.journal.begin(), w.journal.end(), "prev destroy"), w.journal.end());
}

TEST(GSubclass, ForeignWindowsAndNonWindowsAreRefused) {
    Journal j;
    Client a("A", j, ISubclass::kConsume);
    GSubclass engine;
    HWND desktop = GetDesktopWindow();
    ASSERT_FALSE(GSubclass::IsWindowLocal(desktop));
    EXPECT_EQ(ErrorNumberOf([&] { engine.AttachMessage(a, desktop, kMsg); }),
              static_cast<int32_t>(0x80040000u | 13084));
    EXPECT_EQ(ErrorNumberOf([&] { engine.AttachMessage(a, reinterpret_cast<HWND>(0x7ff0), kMsg); }),
              static_cast<int32_t>(0x80040000u | 13083));
    EXPECT_TRUE(j.empty());
}
