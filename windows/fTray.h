#pragma once
// fTray: the tray menu window; its picture box pctTray receives the tray icon's messages.
#include "forms/Form.h"

class fTrayForm : public forms::Form {
public:
    ~fTrayForm() override;
    HWND pctTray() const { return pctTray_; }
    HICON TrayIcon() const { return icon_; }
    // The icon reports each mouse action as a mouse move whose x (in twips) is the message number.
    void pctTray_MouseMove(int button, int shift, double xTw, double yTw);

protected:
    void Form_Load() override;

private:
    static LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND pctTray_ = nullptr;
    HICON icon_ = nullptr;
};
