#pragma once
// fTips: one usage tip at a time from "Tips.txt" beside the program, with next and previous
// (both wrap around), help, About and close. Closing rewinds to the first tip.
#include <string>
#include <vector>

#include "controls/ucButton3.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"

class fTipsForm : public forms::Form {
public:
    fTipsForm();

    forms::Label TipCapt{*this};
    ucButton3 NextTip{*this};
    ucButton3 PrevTip{*this};
    ucButton3 About{*this};
    ucButton3 bHelp{*this};
    ucButton3 Closed{*this};
    forms::Label lblMove{*this};
    // The strip along the bottom row of buttons: element 0 gets the skin's tile, LoadBackG the rest.
    forms::ControlArray<forms::Image> Back{*this};

    void bHelp_Click();
    // Shows or hides the tiles of Back (not the window: that is Form's Visible and the fades).
    void SetVisible(bool b);
    // Lays the row of Back tiles out from element 0; skin loading calls it after giving it its picture.
    void LoadBackG();

    void NextTip_Click();
    void PrevTip_Click();
    void Closed_Click();
    void About_Click();
    void lblMove_MouseDown();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;

private:
    void LoadTips();
    void AddBack(int i);
    void ShowTip();

    std::vector<std::wstring> Tips;  // Tips[0] is tip 1
    int16_t CurrentTip = 1;
};
