#pragma once
// fHide: the notice that the program goes on running in the tray. OK acknowledges (remembering
// the tick box in FastHide), the close button just closes.
#include "controls/CheckBox.h"
#include "controls/ucButton3.h"
#include "forms/Form.h"
#include "forms/Label.h"

class fHideForm : public forms::Form {
public:
    fHideForm();

    ucButton3 bOK{*this};
    ucButton3 bClose{*this};
    CheckBox CheckBox1{*this};
    forms::Label Label2{*this};
    forms::Label Label3{*this};
    forms::Label Label1{*this};

    void bOK_Click();
    void bClose_Click();
    void Label2_Click();
    void Label2_MouseDown();
    void Label2_MouseMove();
    void Label2_MouseUp();
    void Label1_MouseDown();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;
    void Form_MouseMove(forms::MouseArgs& a) override;
};
