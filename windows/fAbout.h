#pragma once
// fAbout: the About box with the program's version; Escape closes it and the tips window.
#include "forms/Form.h"
#include "forms/Label.h"

class fAboutForm : public forms::Form {
public:
    fAboutForm();

    forms::Label lVersion{*this};

    void lVersion_MouseDown();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;
    void Form_MouseDown(forms::MouseArgs& a) override;
    void Form_KeyUp(int32_t& KeyCode, int32_t& Shift) override;
};
