#include "support/cMemDC.h"

#include "support/SupportError.h"

cMemDC::~cMemDC() { Release(); }

void cMemDC::SetWidth(int32_t v) {
    if (v > width_) dirty_ = true;
    width_ = v;
}

void cMemDC::SetHeight(int32_t v) {
    if (v > height_) dirty_ = true;
    height_ = v;
}

void cMemDC::SetMono(bool v) {
    if (v != mono_) dirty_ = true;
    mono_ = v;
}

HDC cMemDC::hDC() {
    if (dirty_) {
        Make();
        dirty_ = false;
    }
    return dc_;
}

HBITMAP cMemDC::ExtractBitmap() {
    if (dc_ && original_) SelectObject(dc_, original_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    original_ = nullptr;
    HBITMAP b = bitmap_;
    bitmap_ = nullptr;
    dirty_ = true;
    return b;
}

void cMemDC::InjectBitmap(HBITMAP hBmp) {
    Release();
    BITMAP info{};
    GetObjectA(hBmp, sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    Make(hBmp);
    dirty_ = false;
}

void cMemDC::Make(HBITMAP adopt) {
    HDC display = nullptr;
    if (!mono_) display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!dc_ && (mono_ || display)) dc_ = CreateCompatibleDC(display);
    if (dc_ && original_) SelectObject(dc_, original_);
    original_ = nullptr;
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    if (dc_) {
        bitmap_ = adopt           ? adopt
                  : mono_         ? CreateCompatibleBitmap(dc_, width_, height_)
                  : display       ? CreateCompatibleBitmap(display, width_, height_)
                                  : nullptr;
    }
    if (bitmap_) original_ = SelectObject(dc_, bitmap_);
    if (display) DeleteDC(display);
    if (!dc_ || !bitmap_) {
        if (adopt) bitmap_ = nullptr;  // a bitmap that was only lent is not ours to delete
        Release();
        throw SupportError(7, ExecutableName() + ".WindowProc", "Out of memory");
    }
}

void cMemDC::Release() {
    if (dc_ && original_) SelectObject(dc_, original_);
    original_ = nullptr;
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
}
