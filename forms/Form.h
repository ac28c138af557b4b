#pragma once
// Form: a top-level window whose geometry is held in twips; created and loaded on first use.
// Its controls are placed in its ScaleMode (twips unless it works in pixels).
#include <cstdint>
#include <string>

#include "forms/ControlHost.h"
#include "forms/Picture.h"

namespace forms {

class Form : public ControlHost {
public:
    // Creates the window and runs Form_Load once; every member that needs the window calls it.
    void Load();
    bool IsLoaded() const { return IsCreated(); }
    // Runs Form_Unload and destroys the window; the next access loads it again.
    void Unload();

    double Left();
    double Top();
    double Width();
    double Height();
    void SetLeft(double tw);
    void SetTop(double tw);
    void SetWidth(double tw);
    void SetHeight(double tw);
    void Move(double leftTw, double topTw, double widthTw, double heightTw);

    bool Visible();
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // 0 puts the window in front of the others, 1 behind them.
    void ZOrder(int position = 0);

    std::wstring Caption();
    void SetCaption(const std::wstring& text);

    // The skin's background: drawn at the top-left corner over BackColor, under everything else.
    const forms::Picture& Picture() const { return picture_; }
    void SetPicture(forms::Picture p);

protected:
    // How the window is created; a form overrides it to set its caption, style and size.
    virtual WndCreate CreateOptions();
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    // Drawn into the back buffer over the background colour, under the windowless controls.
    virtual void Form_Paint(HDC dc) { (void)dc; }
    // Mouse events of the form's own surface (where no windowless control is hit), in its scale.
    virtual void Form_MouseDown(MouseArgs& a) { (void)a; }
    virtual void Form_MouseMove(MouseArgs& a) { (void)a; }
    virtual void Form_MouseUp(MouseArgs& a) { (void)a; }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    // Keys that reach the form's own window; KeyAscii 0 swallows the character.
    virtual void Form_KeyDown(int32_t& KeyCode, int32_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_KeyUp(int32_t& KeyCode, int32_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_KeyPress(int32_t& KeyAscii) { (void)KeyAscii; }

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSurfaceMouse(MouseEvent e, MouseArgs& args) override;
    void OnPaint(HDC backBuffer) override;
    void PaintBackground(HDC backBuffer, const RECT& clientPx) override;

private:
    RECT WindowRectPx();
    bool loading_ = false;
    forms::Picture picture_;
};

}  // namespace forms
