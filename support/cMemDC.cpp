#include "support/cMemDC.h"

#include "support/SupportError.h"

cMemDC::~cMemDC() { Release(); }

void cMemDC::SetWidth(int32_t px) {
    if (px > width_) dirty_ = true;
    width_ = px;
}

void cMemDC::SetHeight(int32_t px) {
    if (px > height_) dirty_ = true;
    height_ = px;
}

void cMemDC::SetMono(bool mono) {
    if (mono != mono_) dirty_ = true;
    mono_ = mono;
}

HDC cMemDC::hDC() {
    if (dirty_) {
        Make();
        dirty_ = false;
    }
    return dc_;
}

void cMemDC::Make(HBITMAP adopt) {
    HDC display = nullptr;
    if (!mono_) {
        display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        if (display && !dc_) dc_ = CreateCompatibleDC(display);
    } else if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
    }
    if (dc_ && previous_) SelectObject(dc_, previous_);
    previous_ = nullptr;
    bitmap_.Reset();
    if ((display || mono_) && dc_) {
        HBITMAP made = adopt ? adopt : CreateCompatibleBitmap(mono_ ? dc_ : display, width_, height_);
        bitmap_.Reset(made);
        if (made) previous_ = SelectObject(dc_, made);
    }
    if (display) DeleteDC(display);
    if (!previous_) {
        if (adopt) (void)bitmap_.Release();  // a bitmap that could not be adopted stays its owner's
        Release();
        throw SupportError::Object(7, "Out of memory");
    }
}

void cMemDC::Release() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    previous_ = nullptr;
    bitmap_.Reset();
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
}

HBITMAP cMemDC::ExtractBitmap() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    previous_ = nullptr;
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    dirty_ = true;
    return bitmap_.Release();
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
