#pragma once
// ChildControl: a control that is a real child window of its host (frame, picture box, list,
// text box), placed in the host's scale; its window is made together with the host's.
#include <windows.h>

#include "forms/Placement.h"

namespace forms {

class ControlHost;

class ChildControl : public Placement {
public:
    explicit ChildControl(ControlHost& host);
    virtual ~ChildControl();
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    void Move(double left, double top, double width, double height) override;
    RECT RectPx() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    // The child window, or null while the host has none.
    virtual HWND Handle() const = 0;
    ControlHost* Parent() const { return host_; }

protected:
    // Makes the child window inside `parent` at `px`; called once the host's window exists.
    virtual void CreateIn(HWND parent, const RECT& px, bool visible) = 0;
    // The host's window is being destroyed, and the child with it.
    virtual void HostDestroyed() {}
    // A derived constructor calls this last, so that a host already shown gets the child at once.
    void CreateIfHostReady();

private:
    friend class ControlHost;
    void OnHostCreated();
    void Detach() { host_ = nullptr; }

    ControlHost* host_;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace forms
