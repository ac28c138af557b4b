#include <gtest/gtest.h>

#include "forms/ControlArray.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255), kYellow = RGB(255, 255, 0);

TEST(Paint, BackgroundThenPaintThenControlsFromBackToFront) {
    PixelForm f;
    f.SetBackColor(kMagenta);
    f.paint = [](HDC dc) {
        forms::GdiObj<HBRUSH> brush(CreateSolidBrush(kYellow));
        RECT r{0, 90, 200, 100};
        FillRect(dc, &r, brush.Get());
    };
    forms::Image img(f);
    img.SetPicture(SolidPicture(40, 40, kRed));
    img.Move(10, 10, 0, 0);
    img.SetPicture(img.Picture());  // takes the picture's size again
    forms::Label opaque(f), see_through(f);
    opaque.Move(30, 10, 20, 20);
    opaque.SetBackColor(kBlue);
    opaque.SetCaption(L"");
    see_through.Move(12, 12, 10, 10);
    see_through.SetTransparent(true);
    forms::Image hidden(f);
    hidden.SetPicture(SolidPicture(5, 5, kGreen));
    hidden.Move(0, 0, 5, 5);
    hidden.SetVisible(false);
    forms::Image stretched(f), clipped(f);
    stretched.SetStretch(true);
    stretched.SetPicture(SolidPicture(2, 2, kGreen));
    stretched.Move(100, 10, 30, 30);
    clipped.SetPicture(SolidPicture(40, 40, kGreen));
    clipped.Move(150, 10, 10, 10);
    clipped.SetStretch(true);
    clipped.SetStretch(false);
    forms::Label text(f);  // big black letters, cut at the label's bottom edge
    text.Move(0, 55, 100, 30);
    text.SetTransparent(true);
    text.SetForeColor(RGB(0, 0, 0));
    text.SetFont({L"Arial", 20, true});
    text.SetCaption(L"WWWW");

    // Under a transparent label the image; an opaque label over it; a stretched image fills its
    // rectangle; an image never spills past its own; the form's own paint under the controls; a
    // label's text in its colour inside its rectangle only.
    Snapshot s(f);
    EXPECT_EQ(Mismatches(s, {{1, 1, kMagenta}, {15, 15, kRed}, {35, 15, kBlue}, {45, 45, kRed}, {51, 51, kMagenta},
                             {129, 39, kGreen}, {155, 15, kGreen}, {165, 15, kMagenta}, {5, 95, kYellow}}), "");
    int dark = 0;
    for (int y = 55; y < 85; ++y)
        for (int x = 0; x < 100; ++x) dark += s.At(x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 50);
    for (int x = 0; x < 200; ++x) EXPECT_EQ(s.At(x, 87), kMagenta) << x;
    opaque.ZOrder(1);
    EXPECT_EQ(Snapshot(f).At(35, 15), kRed);
}

TEST(Paint, ThousandsOfPaintsLeaveNoGdiObjectBehind) {
    TestForm f(300, 200);
    f.Load();
    f.SetBackColor(kMagenta);
    forms::ControlArray<forms::Image> rows(f);
    rows[0].SetPicture(SolidPicture(60, 20, kRed));
    forms::ControlArray<forms::Label> txt(f);
    txt[0].SetFont({L"Arial", 8.25, false, false, false, 204});
    for (int i = 1; i < 5; ++i) {
        rows.Load(i).SetTop(300.0 * i);
        rows[i].SetVisible(true);
        txt.Load(i).SetTop(300.0 * i);
        txt[i].SetCaption(L"clip " + std::to_wstring(i));
        txt[i].SetVisible(true);
    }
    forms::PictureBox box(f);
    box.Move(3000, 0, 900, 900);
    box.SetPicture(SolidPicture(30, 30, kBlue));

    const auto round = [&](int i) {  // a list row rebuilt, a font changed, both windows painted
        rows.Unload(4);
        rows.Load(4).SetVisible(true);
        txt[1].SetFont({L"Arial", i % 2 ? 9.0 : 8.25, false, false, false, 204});
        SendMessageW(f.hWnd(), WM_PAINT, 0, 0);
        SendMessageW(box.hWnd(), WM_PAINT, 0, 0);
    };
    for (int i = 0; i < 10; ++i) round(i);  // fonts and stock objects the platform makes once
    const int before = LiveGdiObjects();
    for (int i = 0; i < 3000; ++i) round(i);
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_GT(before, 0);
}
