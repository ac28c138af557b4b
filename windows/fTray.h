#pragma once
// fTray: the tray menu window; its picture box pctTray receives the tray icon's messages.
#include "forms/Form.h"
#include "forms/PictureBox.h"

class fTrayForm : public forms::Form {
public:
    fTrayForm();
    ~fTrayForm() override;
    HWND pctTrayHandle() const { return pctTray.Handle(); }
    HICON TrayIcon() const { return icon_; }

    // The icon reports each mouse action as a mouse move whose x (in twips) is the message number.
    forms::PictureBox pctTray{*this};
    void pctTray_MouseMove(int32_t button, int32_t shift, double xTw, double yTw);

protected:
    void Form_Load() override;

private:
    HICON icon_ = nullptr;
};
