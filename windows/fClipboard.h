#pragma once
// fClipboard: the hidden window "Quillmate": clipboard viewer, paste-target watcher, and the
// window a second start of the program activates.
#include "forms/Form.h"

class fClipboardForm : public forms::Form {
public:
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT kActivated = WM_APP + 1;
    void Timer1_Timer();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Activate() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
