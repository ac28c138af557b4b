#pragma once
// A real form for the framework tests, with its own mouse and key handlers recording events, its
// loads and unloads counted and its painting a slot.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/Form.h"

class TestForm : public forms::Form {
public:
    explicit TestForm(int widthPx = 200, int heightPx = 100, int xPx = 40, int yPx = 40)
        : r_{xPx, yPx, widthPx, heightPx} {}
    std::vector<std::string> events;
    int loads = 0, unloads = 0;
    const wchar_t* className = L"QmTestForm";
    std::function<void(HDC)> paint;  // over the background, under the controls

    void Note(const std::string& what, const forms::MouseArgs& a) {
        events.push_back(what + " b" + std::to_string(a.Button) + " s" + std::to_string(a.Shift) + " " +
                         std::to_string(static_cast<int>(a.X)) + "," + std::to_string(static_cast<int>(a.Y)));
    }

protected:
    forms::WndCreate CreateOptions() override {
        auto o = Form::CreateOptions();
        o.className = className;
        o.xPx = r_.left, o.yPx = r_.top, o.widthPx = r_.right, o.heightPx = r_.bottom;
        return o;
    }
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
    void Form_Paint(HDC dc) override {
        if (paint) paint(dc);
    }
    void Form_MouseDown(forms::MouseArgs& a) override { Note("form down", a); }
    void Form_MouseMove(forms::MouseArgs& a) override { Note("form move", a); }
    void Form_MouseUp(forms::MouseArgs& a) override { Note("form up", a); }
    void Form_Click() override { events.push_back("form click"); }
    void Form_DblClick() override { events.push_back("form dblclick"); }
    void Form_KeyDown(int32_t& code, int32_t& shift) override {
        events.push_back("keydown " + std::to_string(code) + " " + std::to_string(shift));
    }
    void Form_KeyPress(int32_t& ascii) override { events.push_back("keypress " + std::to_string(ascii)); }

private:
    RECT r_;  // left, top, width, height in pixels
};

// A loaded test form that places its controls in pixels.
struct PixelForm : TestForm {
    explicit PixelForm(int widthPx = 200, int heightPx = 100) : TestForm(widthPx, heightPx) {
        SetScaleMode(forms::ScaleMode::Pixels);
        Load();
    }
};

// Mouse messages as the system sends them, at client pixels of the window.
inline void Mouse(HWND h, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageW(h, msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}
inline void ClickAt(HWND h, int x, int y) {
    Mouse(h, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(h, WM_LBUTTONUP, x, y);
}
