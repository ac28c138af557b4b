#pragma once
// Form: a top-level window whose geometry is held in twips; created and loaded on first use.
#include <string>

#include "forms/Wnd.h"

namespace forms {

class Form : public Wnd {
public:
    // Creates the window and runs Form_Load once; every member that needs the window calls it.
    void Load();
    bool IsLoaded() const { return IsCreated(); }
    // Destroys the window; the next access loads it again.
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

    std::wstring Caption();
    void SetCaption(const std::wstring& text);

protected:
    // How the window is created; a form overrides it to set its caption, style and size.
    virtual WndCreate CreateOptions();
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    RECT WindowRectPx();
    bool loading_ = false;
};

}  // namespace forms
