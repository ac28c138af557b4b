#pragma once
// cMemDC: a memory device context owning one bitmap of a given size, made only when first asked
// for and never shrunk; it can also adopt a bitmap for a while and hand it back.
#include <windows.h>

#include <cstdint>

#include "forms/GdiObj.h"

class cMemDC {
public:
    cMemDC() = default;
    ~cMemDC();
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // A larger size makes the bitmap again at the next hDC; a smaller one keeps it.
    void SetWidth(int32_t px);
    void SetHeight(int32_t px);
    // The device context, with its bitmap made first when needed; null while no size was set.
    // Throws SupportError 7 (out of memory) when the context or the bitmap cannot be made.
    HDC hDC();
    bool Mono() const { return mono_; }
    void SetMono(bool mono);
    // Hands the bitmap to the caller, who owns it from now on; the context goes with it.
    HBITMAP ExtractBitmap();
    // Takes hBmp as the bitmap, at its own size, until it is extracted again.
    void InjectBitmap(HBITMAP hBmp);

private:
    void Make(HBITMAP adopt = nullptr);
    void Release();

    HDC dc_ = nullptr;
    forms::GdiObj<HBITMAP> bitmap_;
    HGDIOBJ previous_ = nullptr;  // what the context held before the own bitmap
    int32_t width_ = 0, height_ = 0;
    bool mono_ = false;
    bool dirty_ = false;
};
