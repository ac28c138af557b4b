#include "tests/subclass/SubclassFixture.h"

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

TEST(GSubclassEdges, AReleasedEngineLeavesItsWindowsWorking) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kRunAfter, 3);
    {
        GSubclass engine;
        engine.AttachMessage(a, w.h, kMsg);
    }
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 7001);
    EXPECT_EQ(w.journal, (Journal{"A?", "A", "A?", "prev 1"}));
    // The bookkeeping is the window's: any engine can take the client off again.
    GSubclass other;
    other.DetachMessage(a, w.h, kMsg);
    EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    EXPECT_TRUE(w.EngineProperties().empty());
}

TEST(GSubclassEdges, AClientMayDestroyTheWindowInTheMiddleOfADispatch) {
    TargetWindow w;
    Client a("A", w.journal, ISubclass::kRunAfter, 4), b("B", w.journal, ISubclass::kRunAfter, 9);
    a.onCall = [](HWND h, UINT, WPARAM, LPARAM) { DestroyWindow(h); };
    {
        GSubclass engine;
        engine.AttachMessage(a, w.h, kMsg);
        engine.AttachMessage(b, w.h, kMsg);
    }
    EXPECT_EQ(SendMessageW(w.h, kMsg, 0, 0), 4);
    EXPECT_FALSE(IsWindow(w.h));
    EXPECT_EQ(w.procAtDestroy, w.original);
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

// A window destroyed with no client for WM_DESTROY gets its procedure back before that procedure
// sees WM_DESTROY; detaching afterwards never leaves a negative count.
TEST(GSubclassEdges, DestroyRestoresTheProcedureAndALaterDetachLeavesNoNegativeCount) {
    TargetWindow w;
    Journal j;
    GSubclass engine;
    Client a("A", j, ISubclass::kConsume);
    engine.AttachMessage(a, w.h, kMsg);
    // WM_DESTROY without a client has already put the procedure back and dropped the attachment
    // count; the per-message entries are still there when the window's own handler detaches.
    w.onDestroy = [&] {
        engine.DetachMessage(a, w.h, kMsg);
        EXPECT_EQ(w.Prop("C" + w.Id()), 0);
        EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), w.original);
    };
    DestroyWindow(w.h);
    EXPECT_EQ(w.procAtDestroy, w.original);  // recorded as WM_DESTROY arrived, before the detach
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
