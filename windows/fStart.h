#pragma once
// fStart: the start bar the main window hangs under.
#include "forms/Form.h"

class fStartForm : public forms::Form {
public:
    bool visibl = false;  // the main window was open when the bar went to the tray
    bool moving = false;  // the press that started a drag is no click

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;
};
