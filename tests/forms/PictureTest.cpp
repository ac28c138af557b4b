#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "forms/Picture.h"
#include "tests/forms/GdiProbe.h"

namespace {

std::filesystem::path TempFile(const char* name) { return std::filesystem::temp_directory_path() / name; }

// A 24-bit BMP, 3 x 2: bottom row red, green, blue; top row white, black, white.
void WriteBmp(const std::filesystem::path& p) {
    const int w = 3, h = 2, stride = 12;  // 9 bytes of pixels padded to 12
    std::vector<unsigned char> px(static_cast<size_t>(stride * h), 0);
    auto put = [&](int x, int row, unsigned char r, unsigned char g, unsigned char b) {
        unsigned char* q = &px[static_cast<size_t>(row * stride + x * 3)];
        q[0] = b, q[1] = g, q[2] = r;
    };
    put(0, 0, 255, 0, 0), put(1, 0, 0, 255, 0), put(2, 0, 0, 0, 255);
    put(0, 1, 255, 255, 255), put(1, 1, 0, 0, 0), put(2, 1, 255, 255, 255);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(px.size());
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(reinterpret_cast<const char*>(px.data()), static_cast<std::streamsize>(px.size()));
}

}  // namespace

TEST(Picture, ABmpFileLoadsWithItsSizeAndColours) {
    auto p = TempFile("qm-picture-test.bmp");
    WriteBmp(p);
    forms::Picture pic = forms::Picture::Load(p.wstring());
    ASSERT_FALSE(pic.IsEmpty());
    EXPECT_EQ(pic.WidthPx(), 3);
    EXPECT_EQ(pic.HeightPx(), 2);
    HDC screen = GetDC(nullptr);
    {
        forms::MemDC dc(screen, 3, 2);
        pic.Draw(dc.Get(), 0, 0, 3, 2);
        EXPECT_EQ(GetPixel(dc.Get(), 0, 1), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc.Get(), 2, 1), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc.Get(), 1, 0), RGB(0, 0, 0));
    }
    ReleaseDC(nullptr, screen);
    // The ANSI form of the path finds the same file.
    EXPECT_EQ(forms::Picture::Load(p.string()).WidthPx(), 3);
    std::filesystem::remove(p);
}

TEST(Picture, MissingOrBrokenFilesGiveAnEmptyPicture) {
    EXPECT_TRUE(forms::Picture::Load(std::wstring(L"Z:\\no\\such\\file.bmp")).IsEmpty());
    auto p = TempFile("qm-broken.bmp");
    {
        std::ofstream out(p, std::ios::binary);
        out << "BM this is not a bitmap at all";
    }
    forms::Picture broken = forms::Picture::Load(p.wstring());
    EXPECT_TRUE(broken.IsEmpty());
    EXPECT_EQ(broken.WidthPx(), 0);
    HDC screen = GetDC(nullptr);
    broken.Draw(screen, 0, 0, 10, 10);  // drawing nothing is harmless
    ReleaseDC(nullptr, screen);
    std::filesystem::remove(p);
}

TEST(Picture, CopiesShareOneBitmapThatEndsWithTheLastCopy) {
    HBITMAP handle = nullptr;
    {
        forms::Picture a = SolidPicture(4, 4, RGB(1, 2, 3));
        handle = a.Handle();
        forms::Picture b = a;
        EXPECT_TRUE(a == b);
        EXPECT_FALSE(a == SolidPicture(4, 4, RGB(1, 2, 3)));
        a = forms::Picture();
        EXPECT_NE(GetObjectType(handle), 0u);  // b still shows it
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}
