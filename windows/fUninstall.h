#pragma once
// fUninstall: the survey shown instead of the program by "/uninstall": four reasons, a comment,
// OK sending the answer with one HTTP GET and ending the program, close ending it unsent.
#include <memory>
#include <string>

#include "controls/OptionBox.h"
#include "controls/ucButton3.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/Picture.h"
#include "forms/TextBox.h"
#include "support/GSubclass.h"
#include "support/cTextBoxBackground.h"

class fUninstallForm : public forms::Form {
public:
    fUninstallForm();
    ~fUninstallForm() override;

    OptionBox OptionBox1{*this};
    OptionBox OptionBox2{*this};
    OptionBox OptionBox3{*this};
    OptionBox OptionBox4{*this};
    forms::Label Label2{*this};
    forms::Label Label3{*this};
    forms::Label Label4{*this};
    forms::Label Label5{*this};
    forms::TextBox Text1{*this, true};
    ucButton3 bOK{*this};
    ucButton3 bClose{*this};
    forms::Label Label1{*this};
    // Picture holders: the OK strip, the close strip, the option boxes' strip, the comment's tile.
    forms::Picture Picture1, Picture2, Picture3, Picture4;

    void OptionBox1_Click();
    void OptionBox2_Click();
    void OptionBox3_Click();
    void OptionBox4_Click();
    void Text1_Change();
    void Text1_KeyPress(int32_t& KeyAscii);
    void Label2_Click();
    void Label_MouseMove(OptionBox& box);
    void Label1_MouseDown();
    void bOK_Click();
    void bClose_Click();

    // The address OK sends, for the reason and comment now chosen.
    std::string AnswerUrl();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class KeyFilter;
    // HTTP GET of Url; the reply body, or nothing when any step fails.
    std::string ReadUrl(const std::string& Url);
    // Ends the program: the survey is all that runs in this mode.
    void End();
    void ReasonWantsComment();

    std::unique_ptr<cTextBoxBackground> TextBack;
    std::unique_ptr<KeyFilter> keys_;
};
