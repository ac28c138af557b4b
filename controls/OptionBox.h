#pragma once
// OptionBox: the skinned radio button: 16 px cells, a circular outline, a caption it may draw on
// its parent, and selection that clears every other OptionBox of the same form.
#include <cstdint>
#include <string>

#include "controls/SkinToggle.h"

class OptionBox : public SkinToggle {
public:
    static constexpr int CellPx = 16;
    static constexpr int SideTw = 225;

    explicit OptionBox(forms::ControlHost& parent);

    // Selects this box exactly as a left click does.
    void Checked();
    // Stores the value and shows its look; raises nothing and leaves the other boxes alone.
    void SetValue(bool v);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring text);
    // Writes the caption 18 px right of the box on the parent: into dc when the parent is painting
    // its back buffer, else straight onto the parent window.
    void UserControl_Paint(HDC dc = nullptr);
    // Twips added to the hit-test width, so that a caption beside the box counts as the box.
    int16_t AddWidth() const { return addWidth_; }
    void SetAddWidth(int16_t tw) { addWidth_ = tw; }

protected:
    void Activate() override;
    double ExtraHitWidthTw() const override { return addWidth_; }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC backBuffer) override;

private:
    void SetOutline();

    std::wstring caption_;
    int16_t addWidth_ = 0;
    HWND parentWnd_ = nullptr;
};
