#pragma once
// SystemControl: a child control of one of the platform's own classes (EDIT, LISTBOX), owned
// and destroyed with this object.
#include <string>

#include "forms/ChildControl.h"

namespace forms {

class SystemControl : public ChildControl {
public:
    ~SystemControl() override;
    HWND Handle() const override { return hwnd_; }

protected:
    SystemControl(ControlHost& host, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    void CreateIn(HWND parent, const RECT& px, bool visible) override;
    void HostDestroyed() override { hwnd_ = nullptr; }
    // Runs once the window exists, to give it the state kept while it had none.
    virtual void Created() {}

private:
    const wchar_t* className_;
    DWORD style_;
    DWORD exStyle_;
    HWND hwnd_ = nullptr;
};

}  // namespace forms
