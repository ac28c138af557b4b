#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/WaitAnswering.h"
#include "tests/forms/TestForm.h"

// Unload runs Form_Unload once and the next access loads again. A class of the same name registered by
// other code would route the window elsewhere; the form refuses it instead of running its load on a
// window it does not own.
TEST(Wnd, UnloadAndReloadRunTheirEventsAndAClassNameTakenByAnotherProcedureIsRefused) {
    TestForm f;
    f.SetWidth(3000);
    EXPECT_EQ(f.loads, 1);
    EXPECT_DOUBLE_EQ(f.Width(), 3000);
    f.Unload();
    f.Unload();
    EXPECT_EQ(f.unloads, 1);
    EXPECT_FALSE(f.IsLoaded());
    f.Caption();
    EXPECT_EQ(f.loads, 2);

    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QmForeignClass";
    ASSERT_TRUE(RegisterClassW(&wc));
    TestForm foreign;
    foreign.className = wc.lpszClassName;
    foreign.Load();
    EXPECT_FALSE(foreign.IsLoaded());
    EXPECT_EQ(foreign.loads, 0);
}

// Work off the window thread: a message sent from another thread meanwhile is answered (else the
// send below would never return), a posted one waits for the message loop, and the work's
// exception reaches the caller.
TEST(WaitAnswering, AnswersSentMessagesOnlyAndPassesTheWorksExceptionOn) {
    struct Counting : TestForm {
        int sent = 0, posted = 0;
        LRESULT OnMessage(UINT msg, WPARAM w, LPARAM l) override {
            if (msg == WM_APP) return ++posted;
            if (msg == WM_APP + 1) return ++sent;
            return TestForm::OnMessage(msg, w, l);
        }
    } f;
    f.Load();
    PostMessageW(f.hWnd(), WM_APP, 0, 0);
    forms::WaitAnswering([&] { SendMessageW(f.hWnd(), WM_APP + 1, 0, 0); });
    forms::SleepAnswering(20);
    EXPECT_EQ(f.sent, 1);
    EXPECT_EQ(f.posted, 0);
    EXPECT_THROW(forms::WaitAnswering([] { throw std::runtime_error("unreadable"); }), std::runtime_error);
}
