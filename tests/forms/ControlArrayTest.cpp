#include <gtest/gtest.h>

#include <tuple>

#include "forms/ControlArray.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "tests/forms/TestForm.h"

TEST(ControlArray, LoadedElementsTakeElementZerosDesignButStartHidden) {
    TestForm f;
    f.Load();
    forms::ControlArray<forms::Label> txt(f);
    txt[0].Move(120, 90, 3975, 945);
    txt[0].SetCaption(L"first");
    txt[0].SetTransparent(true);
    txt[0].UseMnemonic = false;
    auto& t1 = txt.Load(1);
    EXPECT_EQ(std::tuple(t1.Index, t1.Visible(), t1.Width(), t1.Caption(), t1.Transparent(), t1.UseMnemonic),
              std::tuple(1, false, 3975.0, std::wstring(L"first"), true, false));
    EXPECT_EQ(&txt.Load(1), &t1);  // loading again returns the element there is

    forms::ControlArray<forms::Image> mid(f);
    mid[0].SetStretch(true);
    auto& m3 = mid.Load(3);
    EXPECT_TRUE(m3.Stretch());
    EXPECT_EQ(std::tuple(mid.Count(), mid.UBound(), mid.Exists(2)), std::tuple(2, 3, false));
    EXPECT_THROW(mid[2], std::out_of_range);
    // New elements go to the front of the form's windowless controls.
    EXPECT_EQ(f.Controls().back(), &m3);
}

TEST(ControlArray, EventsArriveWithTheElementsIndexAndUnloadedOnesLeaveTheForm) {
    PixelForm f;
    forms::ControlArray<forms::Image> rows(f);
    rows[0].Move(0, 0, 100, 20);
    for (int i = 1; i <= 2; ++i) {
        auto& r = rows.Load(i);
        r.SetTop(20.0 * i);
        r.SetVisible(true);
    }
    std::vector<int> clicked, dbl;
    rows.Click = [&](int i) { clicked.push_back(i); };
    rows.DblClick = [&](int i) { dbl.push_back(i); };
    ClickAt(f.hWnd(), 5, 45);
    ClickAt(f.hWnd(), 5, 5);
    Mouse(f.hWnd(), WM_LBUTTONDBLCLK, 5, 25, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 5, 25);
    EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
    EXPECT_EQ(dbl, (std::vector<int>{1}));

    const size_t before = f.Controls().size();
    rows.Unload(2);
    rows.Unload(0);  // element 0 stays
    EXPECT_EQ(f.Controls().size(), before - 1);
    EXPECT_TRUE(rows.Exists(0));
    // An element unloaded by its own press neither clicks nor crashes: the release is the form's.
    rows.MouseDown = [&](int i, forms::MouseArgs&) { rows.Unload(i); };
    ClickAt(f.hWnd(), 5, 45);
    ClickAt(f.hWnd(), 5, 25);
    EXPECT_FALSE(rows.Exists(1));
    EXPECT_EQ(clicked.size(), 2u);
    EXPECT_EQ(f.events, (std::vector<std::string>{"form down b1 s0 5,45", "form up b1 s0 5,45", "form click",
                                                  "form up b1 s0 5,25"}));
}
