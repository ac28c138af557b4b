#pragma once
// fStart: the start bar. Down opens and closes the main window hanging below it (held, it drags
// the pair); bClose sends the program to the tray, or ends it when there is no tray icon.
#include <windows.h>

#include <optional>

#include "app/WindowEffects.h"
#include "controls/ucButton3.h"
#include "forms/Form.h"
#include "forms/Timer.h"

class fStartForm : public forms::Form {
public:
    fStartForm();

    bool visibl = false;  // the main window was open when the bar went to the tray
    bool moving = false;  // the bar was dragged with Down held: the click that ends it is no click

    ucButton3 Down{*this};
    ucButton3 bClose{*this};
    forms::Timer Timer1{*this, 25, false};  // a press on Down held this long becomes a drag

    void Down_MouseDown();
    void Down_MouseMove();
    void Down_MouseUp();
    void Down_Click();
    void bClose_Click();
    void Timer1_Timer();
    // A drag puts the pair where the user wants it: closing then leaves the bar there.
    void ForgetPlaceWhenClosed() { placeWhenClosed_.reset(); }
    // Where the bar stands as the main window opens with it (at a click on Down, and at start-up);
    // a move made only to keep both on the screen is remembered, to be undone at closing.
    Func::BarPlace OpeningPlace();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_MouseDown(forms::MouseArgs& a) override;
    void Form_MouseMove(forms::MouseArgs& a) override;
    void Form_MouseUp(forms::MouseArgs& a) override;

private:
    void StartDrag();
    // The main window 243 px left of and 36 px below the bar's corner, its size kept.
    void PlaceMainWindow();
    void MoveBarPx(POINT cornerPx);
    void Place(const Func::BarPlace& place);
    // The bar's corner in pixels and its dock now.
    Func::BarPlace Here();
    // The notice that the program goes on in the tray.
    void ShowHideNotice();

    bool dragOn_ = false;  // every mouse move now moves the pair
    POINT cursorPos_{};     // the last cursor position read, screen pixels
    // Where the bar goes back when the main window closes, when opening moved it only to fit the
    // main window on the screen.
    std::optional<Func::BarPlace> placeWhenClosed_;
};
