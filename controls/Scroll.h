#pragma once
// Scroll: the skinned vertical scroll bar, 25 px wide, drawn from eight skin pictures (two buttons,
// a tiled background and a thumb of caps, grip and filler tiles), each stateful piece in four
// looks: normal, hover, pressed, disabled. A press on a button or the track steps the position
// by one; the thumb can be dragged. The owner hears `Change` and turns Top / Size into its first row.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "forms/Picture.h"
#include "forms/UserControl.h"

namespace controls {

// The bar's saved properties, read when it is created.
struct ScrollProps {
    bool Enabled = true;
    int16_t CCBut = 10;  // corner ellipse of the bar and its buttons, px
    int16_t CCPan = 8;   // corner ellipse of the thumb, px
};

class Scroll : public forms::UserControl {
public:
    explicit Scroll(forms::ControlHost& parent, ScrollProps props = {});

    // The pictures of the up button, down button, background tile, thumb top cap, thumb bottom cap,
    // grip, upper and lower filler tiles. The layout stays; the current looks show at once.
    void LoadPicture(const forms::Picture& pTop, const forms::Picture& pLow, const forms::Picture& pBG,
                     const forms::Picture& pMidUp, const forms::Picture& pMidDown, const forms::Picture& pMid,
                     const forms::Picture& pMidTop, const forms::Picture& pMidLow);
    // Recomputes the track, the thumb and the clips from the bar's height and range.
    void Refresh();

    int16_t Value() const { return value_; }
    int16_t Max_Value() const { return max_; }
    int16_t Min_Value() const { return min_; }
    // Stores the position; the thumb stays where it is until the next step.
    void SetValue(int16_t v);
    void SetMax_Value(int16_t v);
    void SetMin_Value(int16_t v);

    // The bar's own enabled state: a disabled bar shows the disabled looks and still raises
    // Pressed, so its window stays enabled.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    int16_t CCBut() const { return ccBut_; }
    void SetCCBut(int16_t v);
    int16_t CCPan() const { return ccPan_; }
    void SetCCPan(int16_t v);

    HWND hwnd() const { return hWnd(); }

    // The thumb's offset in px from its topmost place; set moves the thumb without an event.
    int16_t ScrollTop() const { return scrollTop_; }
    void SetScrollTop(int16_t v);
    // The largest ScrollTop: track height - thumb height + 4.
    int16_t ScrollHeight() const;

    // Top is the bar's ScrollTop itself; Size is the thumb's travel (track - thumb).
    std::function<void(int16_t& Top, int16_t& Size)> Change;
    // First thing on every mouse press, also on a disabled bar.
    std::function<void()> Pressed;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC backBuffer) override;

private:
    enum Part { UpButton, Thumb, DownButton };
    enum State : int32_t { Normal = 0, Hover = 1, Down = 2, Disabled = 3 };

    void MouseDown(bool left, POINT px);
    void MouseMove(POINT px);
    void MouseUp(POINT px);
    void CaptureLost();
    // The pointer left the bar without a move that showed it (WM_MOUSELEAVE).
    void MouseLeft();
    void StepUp();
    void StepDown();
    void RaiseChange();
    void DrawStates();
    bool InControl(POINT px) const;
    bool AnyFlag() const { return upHeld_ || downHeld_ || dragging_; }
    int Travel() const { return trackPx_ - thumbPx_; }
    bool ThumbShown() const;  // the track has room for the smallest thumb
    void ValueToScrollTop();
    void ScrollTopToValue();
    int HeightPx() const;
    RECT PartRect(Part p) const;
    void PaintThumb(HDC dc) const;

    int16_t value_ = 0, max_ = 0, min_ = 0;
    int16_t scrollTop_ = 0;
    int trackPx_ = 0, thumbPx_ = 17;
    bool enabled_ = true;
    int16_t ccBut_ = 10, ccPan_ = 8;
    bool upHeld_ = false, downHeld_ = false, dragging_ = false;
    std::array<int32_t, 3> state_{}, drawn_{};
    int dragOffset_ = 0;
    int16_t lastDrag_ = 0;

    forms::Picture pTop_, pLow_, pBG_, pMidUp_, pMidDown_, pMid_, pMidTop_, pMidLow_;
};

}  // namespace controls
