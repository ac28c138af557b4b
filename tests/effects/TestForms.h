#pragma once
// Small real forms for the effect tests.
#include "forms/Form.h"

class SizedForm : public forms::Form {
public:
    SizedForm(int x, int y, int w, int h) : x_(x), y_(y), w_(w), h_(h) {}

protected:
    forms::WndCreate CreateOptions() override {
        auto o = Form::CreateOptions();
        o.xPx = x_;
        o.yPx = y_;
        o.widthPx = w_;
        o.heightPx = h_;
        return o;
    }

private:
    int x_, y_, w_, h_;
};

inline BYTE AlphaOf(HWND h) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(h, &key, &alpha, &flags);
    return alpha;
}
