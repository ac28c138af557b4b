#include "forms/MemDC.h"

namespace forms {

MemDC::MemDC(HDC like) : dc_(CreateCompatibleDC(like)) {}

MemDC::MemDC(HDC like, int widthPx, int heightPx) : MemDC(like) {
    if (!dc_) return;
    bitmap_.Reset(CreateCompatibleBitmap(like, widthPx > 0 ? widthPx : 1, heightPx > 0 ? heightPx : 1));
    if (bitmap_) original_ = SelectObject(dc_, bitmap_.Get());
}

MemDC::~MemDC() {
    if (original_) SelectObject(dc_, original_);  // a bitmap still selected cannot be deleted
    if (dc_) DeleteDC(dc_);
    bitmap_.Reset();
}

}  // namespace forms
