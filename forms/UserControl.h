#pragma once
// UserControl: a child window for controls that take the focus and keys (the skinned button,
// scroll bar, radio button, check box); it paints and hit-tests windowless controls of its own.
#include <cstdint>
#include <functional>

#include "forms/ChildHost.h"

namespace forms {

class UserControl : public ChildHost {
public:
    explicit UserControl(ControlHost& parent);

    void SetFocus();
    bool HasFocus() const;

    // Events the owner may also hear.
    std::function<void()> GotFocus, LostFocus;
    std::function<void(int32_t& KeyCode, int32_t& Shift)> KeyDown, KeyUp;
    std::function<void(int32_t& KeyAscii)> KeyPress;

protected:
    // What the control does itself; each default raises the owner's slot.
    virtual void UserControl_GotFocus();
    virtual void UserControl_LostFocus();
    virtual void UserControl_KeyDown(int32_t& KeyCode, int32_t& Shift);
    virtual void UserControl_KeyUp(int32_t& KeyCode, int32_t& Shift);
    virtual void UserControl_KeyPress(int32_t& KeyAscii);
    // Mouse events of the control's own surface, in its scale.
    virtual void UserControl_MouseDown(MouseArgs& a) { (void)a; }
    virtual void UserControl_MouseMove(MouseArgs& a) { (void)a; }
    virtual void UserControl_MouseUp(MouseArgs& a) { (void)a; }
    virtual void UserControl_Click() {}
    // A control that is pressed with the left button takes the focus, as the platform's own
    // controls do; a control calls this from its press handling when it wants that.
    void TakeFocusOnPress(const MouseArgs& a);

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSurfaceMouse(MouseEvent e, MouseArgs& args) override;
};

}  // namespace forms
