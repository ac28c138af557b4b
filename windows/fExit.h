#pragma once
// fExit: the exit confirmation. OK ends the program, Cancel closes the dialog; the tick box
// (or its label) turns the question off for good (FastExit).
#include "controls/CheckBox.h"
#include "controls/ucButton3.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/Timer.h"

class fExitForm : public forms::Form {
public:
    fExitForm();

    // The tray menu's Exit: ends the program at once with FastExit, else shows the question.
    void Raise();

    ucButton3 OK{*this};
    ucButton3 bCancel{*this};
    CheckBox CheckBox1{*this};
    forms::Label Label1{*this};
    forms::Label lblMove{*this};
    forms::Timer Timer1{*this, 25, false};

    void OK_Click();
    void bCancel_Click();
    void Label1_Click();
    void Label1_MouseDown();
    void Label1_MouseMove();
    void Label1_MouseUp();
    void lblMove_MouseDown();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;
    void Form_MouseMove(forms::MouseArgs& a) override;
};
