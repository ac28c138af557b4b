#pragma once
// MemDC: a memory device context, optionally with a bitmap of its own to draw into (a back
// buffer); deletes both and restores the original selection.
#include <windows.h>

#include "forms/GdiObj.h"

namespace forms {

class MemDC {
public:
    // A context compatible with `like` and nothing selected into it yet.
    explicit MemDC(HDC like);
    // A back buffer: a context with a compatible bitmap of widthPx x heightPx selected.
    MemDC(HDC like, int widthPx, int heightPx);
    ~MemDC();
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
    GdiObj<HBITMAP> bitmap_;
    HGDIOBJ original_ = nullptr;
};

}  // namespace forms
