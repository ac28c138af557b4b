#pragma once
// cMemDC: an off-screen buffer: a memory device context owning one bitmap, made only when it is
// first asked for and again only when it must grow.
#include <windows.h>

#include <cstdint>

class cMemDC {
public:
    cMemDC() = default;
    ~cMemDC();
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // A larger size makes the bitmap again at the next hDC; it never shrinks.
    void SetWidth(int32_t v);
    void SetHeight(int32_t v);
    // The device context, with its bitmap made first when needed; null while no size was set.
    // Throws SupportError 7 (out of memory) when the platform cannot make it.
    HDC hDC();
    bool Mono() const { return mono_; }
    void SetMono(bool v);
    // Hands the bitmap to the caller, who owns it from now on.
    HBITMAP ExtractBitmap();
    // Adopts hBmp (its size becomes this buffer's) until ExtractBitmap or the end.
    void InjectBitmap(HBITMAP hBmp);

private:
    void Make(HBITMAP adopt = nullptr);
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool mono_ = false;
    bool dirty_ = false;
};
