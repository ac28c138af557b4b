#pragma once
// fTray: the tray menu. It opens at the cursor on a right press on the tray icon, whose messages
// its picture box pctTray receives, and closes when neither it nor the quick-insert window is in
// front.
#include <cstdint>

#include "controls/ucButton3.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"

class fTrayForm : public forms::Form {
public:
    fTrayForm();
    ~fTrayForm() override;
    HWND pctTrayHandle() const { return pctTray.Handle(); }
    HICON TrayIcon() const { return icon_; }

    // The icon reports each mouse action as a mouse move whose x (in twips) is the message number.
    forms::PictureBox pctTray{*this};
    ucButton3 Insert{*this};
    ucButton3 Options{*this};
    ucButton3 bHide{*this};
    ucButton3 bShow{*this};  // lies over bHide; one of the two shows
    ucButton3 bExit{*this};
    forms::Timer Timer1{*this, 25, true};

    void pctTray_MouseMove(int32_t button, int32_t shift, double xTw, double yTw);
    void Insert_Click();
    void Options_Click();
    void bHide_Click();
    void bShow_Click();
    void bExit_Click();
    void Timer1_Timer();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;

private:
    void OpenOrClose();
    // Show stands where Hide stands; one of the two is offered, after whether the bar is shown.
    void SetShowHide(bool barShown);
    void SetInsertEnabled(bool enabled);
    // The windows reached from the menu that become windows of their own later.
    void ShowOptions();
    void AskExit();

    HICON icon_ = nullptr;
};
