// The memory device context and the tiled backdrop behind a real multi-line EDIT control.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "forms/SelectGuard.h"
#include "support/cTextBoxBackground.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

namespace {

constexpr int kTileW = 4, kTileH = 5;  // 5 rows: no line height keeps a scrolled tile in phase
// Each pixel of the tile has a colour of its own.
COLORREF TilePixel(int x, int y) { return RGB(10 + 40 * x, 20 + 40 * y, 99); }
int Mod(int a, int m) { return ((a % m) + m) % m; }

forms::Picture Tile(int w = kTileW, int h = kTileH) {
    HDC screen = GetDC(nullptr);
    forms::GdiObj<HBITMAP> bmp(CreateCompatibleBitmap(screen, w, h));
    {
        forms::MemDC dc(screen);
        forms::SelectGuard sel(dc.Get(), bmp.Get());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetPixel(dc.Get(), x, y, TilePixel(x % kTileW, y % kTileH));
    }
    ReleaseDC(nullptr, screen);
    return forms::Picture::FromBitmap(std::move(bmp));
}

// The tile offsets, then the area to tile: x, y, width, height.
const std::tuple<int, int, int, int, int, int> kTiles[] = {
    {0, 0, 0, 0, 11, 8},   // whole tiles, then cut ones at the right and the bottom
    {1, 2, 0, 0, 11, 8},   // a phase: tile pixel (1, 2) at the top left
    {0, 0, 3, 2, 5, 4},    // an area away from the origin takes its phase from its place
    {5, 7, 1, 1, 2, 2},    // offsets beyond the tile size wrap
    {0, 0, 0, 0, 2, 2},    // a tile larger than the area: one piece, cut
    {0, 0, 0, 0, 11, 0},   // no height: nothing
    {-1, -5, 0, 0, 6, 5},  // negative phases wrap the same way
};

TEST(cTextBoxBackground, TileAreaPutsEachTilePixelInPhase) {
    cTextBoxBackground back;
    back.SetBackdrop(Tile());
    const COLORREF blank = RGB(1, 2, 3);
    HDC screen = GetDC(nullptr);
    for (const auto& [offX, offY, ax, ay, w, h] : kTiles) {
        forms::MemDC dc(screen, 12, 9);
        forms::GdiObj<HBRUSH> fill(CreateSolidBrush(blank));
        RECT all{0, 0, 12, 9};
        FillRect(dc.Get(), &all, fill.Get());
        back.SetTileOffsetX(offX);
        back.SetTileOffsetY(offY);
        back.TileArea(dc.Get(), ax, ay, w, h);
        std::string wrong;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= ax && x < ax + w && y >= ay && y < ay + h;
                const COLORREF want = inside ? TilePixel(Mod(offX + x, kTileW), Mod(offY + y, kTileH)) : blank;
                if (GetPixel(dc.Get(), x, y) != want) wrong += std::to_string(x) + "," + std::to_string(y) + " ";
            }
        EXPECT_EQ(wrong, "") << "offset " << offX << "," << offY << " area " << ax << "," << ay << " " << w << "x" << h;
    }
    ReleaseDC(nullptr, screen);
}

TEST(cMemDC, MakesItsBitmapWhenFirstAskedAndNeverShrinksIt) {
    cMemDC m;
    EXPECT_EQ(m.hDC(), nullptr);  // no size yet
    auto bitmap = [&] {
        BITMAP b{};
        GetObjectW(GetCurrentObject(m.hDC(), OBJ_BITMAP), sizeof b, &b);
        return std::tuple(b.bmWidth, b.bmHeight, b.bmBitsPixel == 1);
    };
    for (int side : {100, 50}) {
        m.SetWidth(side);
        m.SetHeight(side);
        EXPECT_EQ(bitmap(), std::tuple(100, 100, false));
    }
    EXPECT_EQ(m.Width() * 1000 + m.Height(), 50050);
    m.SetMono(true);
    EXPECT_EQ(std::get<2>(bitmap()), true);
    // A picture lent with InjectBitmap comes back whole.
    forms::Picture pic = Tile();
    m.InjectBitmap(pic.Handle());
    EXPECT_EQ(m.Width() * 1000 + m.Height(), kTileW * 1000 + kTileH);
    EXPECT_EQ(m.ExtractBitmap(), pic.Handle());
    EXPECT_EQ(GetObjectType(pic.Handle()), static_cast<DWORD>(OBJ_BITMAP));
}

// A form with a multi-line EDIT of 30 lines and the backdrop behind it.
struct EditOnForm {
    PixelForm form{300, 200};
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 10,
                                10, 200, 120, form.hWnd(), nullptr, nullptr, nullptr);
    cTextBoxBackground back;
    explicit EditOnForm(bool disablePaste = false) {
        form.Show();
        std::wstring text;
        for (int i = 0; i < 30; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
        SetWindowTextW(edit, text.c_str());
        back.SetBackdrop(Tile(8, 10));
        back.Attach(edit, disablePaste);
        Repaint();
    }
    // Paints what is invalid, after invalidating everything unless told otherwise.
    void Repaint(bool all = true) {
        RedrawWindow(edit, nullptr, nullptr, (all ? RDW_INVALIDATE | RDW_ERASE : 0) | RDW_UPDATENOW);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    }
    // The edit's client pixels as shown, row by row.
    std::vector<COLORREF> Shown() {
        RECT r{};
        GetClientRect(edit, &r);
        HDC dc = GetDC(edit);
        std::vector<COLORREF> px;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) px.push_back(GetPixel(dc, x, y));
        ReleaseDC(edit, dc);
        return px;
    }
};

TEST(cTextBoxBackground, ShowsTheTilesBehindTheTextAlsoAfterScrollingWithoutLeaking) {
    EditOnForm e;
    const std::vector<COLORREF> first = e.Shown();
    RECT r{};
    GetClientRect(e.edit, &r);
    int offPhase = 0, ink = 0;  // the right part has no text: tiles in phase with the client area
    for (int i = 0; i < static_cast<int>(first.size()); ++i) {
        const int x = i % r.right, y = i / r.right;
        offPhase += x >= 120 && first[i] != TilePixel(x % kTileW, y % kTileH);
        ink += x < 60 && first[i] == RGB(0, 0, 0);
    }
    EXPECT_EQ(offPhase, 0);
    EXPECT_GT(ink, 100);
    // The scroll's own repaint leaves what a full repaint of the scrolled edit shows.
    SendMessageW(e.edit, WM_VSCROLL, SB_PAGEDOWN, 0);
    e.Repaint(false);
    const std::vector<COLORREF> scrolled = e.Shown();
    EXPECT_GT(SendMessageW(e.edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_NE(scrolled, first);
    e.Repaint();
    EXPECT_TRUE(scrolled == e.Shown());
    // Thousands of repaints and scrolls leave the GDI count flat.
    const int before = LiveGdiObjects();
    for (int i = 0; i < 2000; ++i) {
        if (i % 100 == 0) SendMessageW(e.edit, WM_VSCROLL, i % 200 ? SB_LINEUP : SB_LINEDOWN, 0);
        e.Repaint();
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(cTextBoxBackground, BlocksPastingOnlyWhenAskedAndLetsGoOfBothWindowsWithTheEdit) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 16);
    memcpy(GlobalLock(g), L"PASTED", 14);
    GlobalUnlock(g);
    SetClipboardData(CF_UNICODETEXT, g);
    CloseClipboard();
    for (bool block : {true, false}) {
        EditOnForm e(block);
        SetWindowTextW(e.edit, L"x");
        SendMessageW(e.edit, WM_PASTE, 0, 0);
        wchar_t got[32]{};
        GetWindowTextW(e.edit, got, 32);
        EXPECT_EQ(std::wstring(got).find(L"PASTED") != std::wstring::npos, !block) << "blocked " << block;
        // Destroying the edit gives the form its own procedure back; later detaching has nothing to do.
        DestroyWindow(e.edit);
        EXPECT_EQ(GetWindowLongPtrW(e.form.hWnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&forms::Wnd::WindowProc));
        e.back.Detach();
        SendMessageW(e.form.hWnd(), WM_COMMAND, MAKEWPARAM(0, EN_VSCROLL), 0);
    }
}

}  // namespace
