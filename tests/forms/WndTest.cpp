#include <gtest/gtest.h>

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
