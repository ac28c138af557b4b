#pragma once
// SkinToggle: what the skinned radio button and check box share: a small box showing one cell of
// a vertical strip (off, off hover, on, on hover, off pressed, on pressed) that follows the mouse,
// the keyboard and the labels that act as the box. Works in twips.
#include <cstdint>
#include <functional>

#include "forms/Image.h"
#include "forms/Picture.h"
#include "forms/UserControl.h"

class SkinToggle : public forms::UserControl {
public:
    // Hover look for the value, unless pressed.
    void Moved();
    // Plain look for the value, unless pressed.
    void Deselect();
    // Pressed look for the value; pressed flag on.
    void Down();
    // Pressed flag off; the look stays.
    void Up();
    void SetSkin(forms::Picture SkinPicture);
    forms::Picture GetSkin() const { return img.Picture(); }
    bool Value() const { return value_; }

    // The forced size, as given to Move, is ignored.
    void Move(double left, double top, double width, double height) override;
    // Whether a point of the control (twips) counts as the box; all bounds inclusive.
    bool HitTest(double xTw, double yTw) const;

    // Raised when the user changes the box (and on every CheckBox.Value set).
    std::function<void()> Click;

protected:
    SkinToggle(forms::ControlHost& parent, int cellPx, int sideTw);

    // The user's left click or key: select (radio) or invert (check box).
    virtual void Activate() = 0;
    // Twips added to the hit-test width.
    virtual double ExtraHitWidthTw() const { return 0; }
    // Whether a move outside leaves the look alone while the box has the focus.
    virtual bool KeepsLookWhileFocused() const { return false; }

    // Looks for the value now held.
    void ShowPlain() { ShowCell(value_ ? 2 : 0); }
    void ShowHover() { ShowCell(value_ ? 3 : 1); }
    void ShowPressed() { ShowCell(value_ ? 5 : 4); }
    // The look of the Value setter: hover while the box holds the mouse, else plain.
    void ShowForCapture();
    void StoreValue(bool v) { value_ = v; }
    bool Focused() const { return focused_; }

    void OnSurfaceMouse(MouseEvent e, forms::MouseArgs& a) override;
    void UserControl_MouseDown(forms::MouseArgs& a) override;
    void UserControl_MouseMove(forms::MouseArgs& a) override;
    void UserControl_MouseUp(forms::MouseArgs& a) override;
    void UserControl_KeyDown(int32_t& KeyCode, int32_t& Shift) override;
    void UserControl_KeyUp(int32_t& KeyCode, int32_t& Shift) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;

private:
    void ShowCell(int cell);

    forms::Image img;
    const int cellPx_;
    const int sideTw_;
    int cell_ = 0;
    bool value_ = false;
    bool pressed_ = false;
    bool focused_ = false;
};
