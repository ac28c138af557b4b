#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "forms/Picture.h"
#include "tests/forms/GdiProbe.h"

namespace {

// A 24-bit BMP, 3 x 2: bottom row red, green, blue; top row white, black, white (rows padded to 12).
void WriteBmp(const std::filesystem::path& p) {
    const unsigned char px[24] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,
                                  255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0};
    BITMAPFILEHEADER fh{0x4D42, sizeof fh + sizeof(BITMAPINFOHEADER) + sizeof px, 0, 0,
                        sizeof fh + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER ih{sizeof ih, 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(reinterpret_cast<const char*>(px), sizeof px);
}

}  // namespace

TEST(Picture, ABmpFileLoadsWithItsSizeAndColours) {
    const auto p = std::filesystem::temp_directory_path() / "qm-picture-test.bmp";
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
        // A broken file gives an empty picture, and drawing nothing is harmless.
        std::ofstream(p, std::ios::binary) << "BM this is not a bitmap at all";
        forms::Picture broken = forms::Picture::Load(p.wstring());
        EXPECT_TRUE(broken.IsEmpty());
        EXPECT_EQ(broken.WidthPx(), 0);
        broken.Draw(dc.Get(), 0, 0, 3, 2);
        EXPECT_EQ(GetPixel(dc.Get(), 0, 1), RGB(255, 0, 0));
    }
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
