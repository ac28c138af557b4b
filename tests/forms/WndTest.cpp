#include <gtest/gtest.h>

#include "tests/forms/TestForm.h"

namespace {
// Counts its loads and unloads; made under its own class name when one is given.
struct CountingForm : TestForm {
    explicit CountingForm(const wchar_t* cls = nullptr) : cls_(cls) {}
    int loads = 0, unloads = 0;

protected:
    forms::WndCreate CreateOptions() override {
        auto o = TestForm::CreateOptions();
        if (cls_) o.className = cls_;
        return o;
    }
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
    const wchar_t* cls_;
};
}  // namespace

// Unload runs Form_Unload once and the next access loads again. A class of the same name registered by
// other code would route the window elsewhere; the form refuses it instead of running its load on a
// window it does not own.
TEST(Wnd, UnloadAndReloadRunTheirEventsAndAClassNameTakenByAnotherProcedureIsRefused) {
    CountingForm f;
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
    CountingForm foreign(L"QmForeignClass");
    foreign.Load();
    EXPECT_FALSE(foreign.IsLoaded());
    EXPECT_EQ(foreign.loads, 0);
}
