#pragma once
// ChildHost: a child window that holds controls of its own (the base of Frame and PictureBox).
#include "forms/ChildControl.h"
#include "forms/ControlHost.h"

namespace forms {

class ChildHost : public ControlHost, public ChildControl {
public:
    HWND Handle() const override { return hWnd(); }
    using ControlHost::Refresh;

protected:
    ChildHost(ControlHost& parent, const wchar_t* className, DWORD extraStyle = 0);
    void CreateIn(HWND parent, const RECT& px, bool visible) override;

private:
    const wchar_t* className_;
    DWORD extraStyle_;
};

}  // namespace forms
