#pragma once
// GdiObj: owns one GDI object (brush, pen, font, bitmap, region) and deletes it; move-only.
#include <windows.h>

#include <utility>

namespace forms {

template <class T>
class GdiObj {
public:
    GdiObj() = default;
    explicit GdiObj(T handle) : h_(handle) {}
    ~GdiObj() { Reset(); }
    GdiObj(const GdiObj&) = delete;
    GdiObj& operator=(const GdiObj&) = delete;
    GdiObj(GdiObj&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObj& operator=(GdiObj&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }

    T Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Gives the object up to a new owner (a window region belongs to its window once set).
    T Release() { return std::exchange(h_, nullptr); }
    void Reset(T handle = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = handle;
    }

private:
    T h_ = nullptr;
};

}  // namespace forms
