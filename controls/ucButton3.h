#pragma once
// ucButton3: the skinned push button: one 24 px frame of a vertical strip (normal, focused, hover,
// pressed, disabled), a rounded outline of which only the top 24 px show, hover by mouse capture.
#include <cstdint>
#include <functional>

#include "forms/Image.h"
#include "forms/Picture.h"
#include "forms/UserControl.h"

class ucButton3 : public forms::UserControl {
public:
    // The frames of the strip, from the top; each is FramePx high.
    enum Frame : int { Normal = 0, Focused = 1, Hover = 2, Pressed = 3, Disabled = 4 };
    static constexpr int FramePx = 24;

    explicit ucButton3(forms::ControlHost& parent);
    ~ucButton3() override;

    // The value behind Enabled; writing it directly changes no frame.
    bool m_Enabled = true;
    // Focused flag off; an enabled button goes back to the normal frame.
    void Deselect();
    // The strip of five frames.
    void LoadSkin(forms::Picture NewPicture);
    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool v);
    HWND hwnd() const { return hWnd(); }
    // Size of the corner ellipse in pixels.
    uint8_t CC() const { return cc_; }
    void SetCC(uint8_t v);

    // Whether a point of the control (pixels) lies in its visible outline.
    bool HitTest(double xPx, double yPx) const;
    // The frame on show, for the owner's and the tests' eyes.
    Frame ShownFrame() const { return frame_; }

    // Events besides Click, MouseDown, MouseMove, MouseUp (ControlHost) and the key events
    // (UserControl). MouseHover is never raised.
    std::function<void()> MouseHover, MouseOut;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSurfaceMouse(MouseEvent e, forms::MouseArgs& a) override;
    void UserControl_MouseDown(forms::MouseArgs& a) override;
    void UserControl_MouseMove(forms::MouseArgs& a) override;
    void UserControl_MouseUp(forms::MouseArgs& a) override;
    void UserControl_KeyDown(int32_t& KeyCode, int32_t& Shift) override;
    void UserControl_KeyUp(int32_t& KeyCode, int32_t& Shift) override;
    void UserControl_KeyPress(int32_t& KeyAscii) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;

private:
    void Layout();
    void Show(Frame f);
    // The frame a button at rest shows: focused or normal.
    Frame RestFrame() const { return focused_ ? Focused : Normal; }
    void PassFocusOn();
    void OnCaptureChanged(HWND newOwner);
    // The pointer left the button without a move that showed it (WM_MOUSELEAVE).
    void MouseLeft();

    forms::Image img;
    uint8_t cc_ = 8;
    int outlineWidthPx_ = -1, outlineCc_ = -1;  // what the window's region was made for
    Frame frame_ = Normal;
    bool pressed_ = false;
    bool focused_ = false;
    bool keyPressed_ = false;
};
