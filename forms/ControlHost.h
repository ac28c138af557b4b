#pragma once
// ControlHost: a window that holds controls: it paints its windowless controls from a back
// buffer, routes the mouse to the topmost one hit (the pressed one keeps the mouse until the
// last button is released; while the program itself holds the capture for the host, the host's
// own handlers get every mouse event), creates its child controls with its window, and runs its
// timers.
#include <windows.h>

#include <functional>
#include <vector>

#include "forms/MouseArgs.h"
#include "forms/Scale.h"
#include "forms/Wnd.h"

namespace forms {

class Control;
class ChildControl;
class Timer;

class ControlHost : public Wnd {
public:
    ControlHost() = default;
    ~ControlHost() override;

    forms::ScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(forms::ScaleMode m) { scaleMode_ = m; }
    // The client area in the host's scale.
    double ScaleWidth() const;
    double ScaleHeight() const;

    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF c);

    // The windowless controls from the back to the front.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The child-window controls, in the order they were made.
    const std::vector<ChildControl*>& Children() const { return children_; }
    // The topmost visible, enabled windowless control at a client point (pixels), or null.
    Control* ControlAt(POINT px) const;
    // The control that was pressed and keeps the mouse until release, or null.
    Control* PressedControl() const { return pressed_; }

    void Refresh();
    void InvalidatePx(const RECT& px);
    // The tooltip window showing the ToolTipText of the control under the pointer; made when a
    // control with a tooltip is first pointed at.
    HWND ToolTipWindow() const { return tip_; }
    // Draws the whole client area into dc: background, Paint, then the windowless controls from
    // the back to the front, each clipped to its rectangle. WM_PAINT does this into a back buffer.
    void PaintTo(HDC dc);

    // Events of the host's own surface (where no windowless control is hit).
    std::function<void(MouseArgs&)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Click, DblClick;
    std::function<void(HDC)> Paint;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    enum class MouseEvent { Down, Move, Up, Click, DblClick };
    // The host's own mouse events; the default raises the slots above.
    virtual void OnSurfaceMouse(MouseEvent e, MouseArgs& args);
    // Draws what lies under the windowless controls: the default raises Paint.
    virtual void OnPaint(HDC backBuffer);
    // Draws the background before OnPaint; a picture box draws its picture here.
    virtual void PaintBackground(HDC backBuffer, const RECT& clientPx);

private:
    friend class Control;
    friend class ChildControl;
    friend class Timer;
    void Add(Control& c) { controls_.push_back(&c); }
    void Remove(Control& c);
    void BringToFront(Control& c, bool front);
    void Add(ChildControl& c);
    void Remove(ChildControl& c);
    void Add(Timer& t) { timers_.push_back(&t); }
    void Remove(Timer& t);

    void PaintAll();
    void OnButton(MouseEvent e, int32_t button, WPARAM wParam, LPARAM lParam);
    void OnCreated();
    void OnDestroying();
    void UpdateToolTip(const MSG& m, POINT px);
    // The program (not a press) holds the mouse capture for this window.
    bool HeldByProgram() const;
    Control* UnpressedTarget(POINT px) const;
    void Raise(Control* target, MouseEvent e, int32_t button, WPARAM wParam, POINT px);
    static int32_t ShiftState(WPARAM wParam);
    static int32_t ButtonState(WPARAM wParam);

    forms::ScaleMode scaleMode_ = forms::ScaleMode::Twips;
    COLORREF backColor_ = GetSysColor(COLOR_BTNFACE);
    std::vector<Control*> controls_;
    std::vector<ChildControl*> children_;
    std::vector<Timer*> timers_;

    // The mouse press in progress: who received it, which buttons are down, whether a click may
    // follow, and whether the capture was taken for it.
    bool pressActive_ = false;
    Control* pressed_ = nullptr;
    int32_t pressedButtons_ = 0;
    bool clickAllowed_ = false;
    bool autoCaptured_ = false;

    HWND tip_ = nullptr;  // owned by the host's window and destroyed with it
    const Control* tipControl_ = nullptr;
};

}  // namespace forms
