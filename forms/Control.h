#pragma once
// Control: a windowless control (image, label): a rectangle in its container's scale that the
// container paints and hit-tests, in z-order.
#include <windows.h>

#include <functional>
#include <string>

#include "forms/MouseArgs.h"
#include "forms/Placement.h"

namespace forms {

class ControlHost;

class Control : public Placement {
public:
    explicit Control(ControlHost& host);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlHost& Container() const { return *host_; }

    void Move(double left, double top, double width, double height) override;
    RECT RectPx() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // A disabled control gets no mouse events; they go to what lies below it.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    std::wstring ToolTipText;
    // Position within a control array; -1 outside one.
    int Index = -1;

    // 0 brings the control to the front of its container's windowless controls, 1 to the back.
    void ZOrder(int position = 0);
    // Repaints the control's area.
    void Refresh() const;

    // Whether a point of the container's client area (pixels) lies on the control.
    virtual bool HitTest(POINT px) const;
    // Draws the control into the container's back buffer at its pixel rectangle.
    virtual void Paint(HDC dc, const RECT& rectPx) = 0;
    // Takes over element 0's design properties when a control array loads a new element.
    virtual void CopyDesignFrom(const Control& first);

    // Events, assigned by the owner.
    std::function<void(MouseArgs&)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Click, DblClick;

private:
    friend class ControlHost;
    void Detach() { host_ = nullptr; }

    ControlHost* host_;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace forms
