#include <gtest/gtest.h>

#include "tests/forms/TestForm.h"

namespace {
class ForeignClassForm : public forms::Form {
public:
    bool loaded = false;

protected:
    forms::WndCreate CreateOptions() override {
        auto o = Form::CreateOptions();
        o.className = L"QmForeignClass";
        return o;
    }
    void Form_Load() override { loaded = true; }
};
}  // namespace

// A class of the same name registered by other code would route the window elsewhere; the form
// refuses it instead of running its load on a window it does not own.
TEST(Wnd, AClassNameTakenByAnotherProcedureIsRefused) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QmForeignClass";
    ASSERT_TRUE(RegisterClassW(&wc));
    ForeignClassForm f;
    f.Load();
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_FALSE(f.loaded);
}

TEST(Wnd, UnloadRunsFormUnloadAndTheNextAccessLoadsAgain) {
    struct Counting : TestForm {
        int loads = 0, unloads = 0;
        void Form_Load() override { ++loads; }
        void Form_Unload() override { ++unloads; }
    } f;
    f.SetWidth(3000);
    EXPECT_EQ(f.loads, 1);
    EXPECT_DOUBLE_EQ(f.Width(), 3000);
    f.Unload();
    f.Unload();
    EXPECT_EQ(f.unloads, 1);
    EXPECT_FALSE(f.IsLoaded());
    f.Caption();
    EXPECT_EQ(f.loads, 2);
}
