#pragma once
// fPopUp: the two-item menu under the main window's Delete and Save buttons; one window serves
// both menus and closes itself when another window comes to the front.
#include <cstdint>

#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Timer.h"

class fPopUpForm : public forms::Form {
public:
    fPopUpForm();

    int32_t PrevContr = 0;  // 1 the delete menu, 2 the save menu, 0 closed
    int16_t he = 40;        // pitch of the frames in the skin strip, pixels

    forms::Image iBack{*this};  // the strip of three frames: none, upper or lower item lit
    forms::Timer Timer1{*this, 25, true};

    // The lit item: 0 none, 1 the lower (all clips), 2 the upper (selected clips).
    int32_t HotItem() const { return Hot; }

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_KeyDown(int32_t& KeyCode, int32_t& Shift) override;
    void Form_MouseMove(forms::MouseArgs& a) override;
    void Form_MouseUp(forms::MouseArgs& a) override;

private:
    void iBack_MouseDown(forms::MouseArgs& a);
    void iBack_MouseMove(forms::MouseArgs& a);
    void Timer1_Timer();
    bool IsInside(double xTw, double yTw);
    // Lights the item at (x, y), twips from the window's corner; outside, none, and the mouse goes.
    void LightAt(double xTw, double yTw);
    void Light(int32_t hot);
    void Choose();

    int32_t Hot = 0;
};
