#pragma once
// cTextBoxBackground: makes a multi-line edit on a skinned window look transparent by tiling a
// picture behind its text; optionally refuses pastes. Subclasses the edit and its parent.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "forms/Picture.h"
#include "support/GSubclass.h"
#include "support/ISubclass.h"
#include "support/cMemDC.h"

class cTextBoxBackground : public ISubclass {
public:
    cTextBoxBackground() = default;
    ~cTextBoxBackground() override;

    // The picture becomes the tile (a copy: the picture stays the caller's).
    void SetBackdrop(const forms::Picture& pic);
    int32_t TileOffsetX() const { return offsetX_; }
    void SetTileOffsetX(int32_t v) { offsetX_ = v; }
    int32_t TileOffsetY() const { return offsetY_; }
    void SetTileOffsetY(int32_t v) { offsetY_ = v; }
    // Tiles the backdrop over a rectangle of hdcTo.
    void TileArea(HDC hdcTo, int32_t x, int32_t y, int32_t Width, int32_t Height);
    // Detaches first; the edit's own destruction detaches everything again.
    void Attach(HWND hWndA, bool DisablePaste = false);
    void Detach();

    int32_t MsgResponse() override;
    LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

private:
    GSubclass& Engine();
    void Redraw();
    void GuardedRedraw();

    std::unique_ptr<GSubclass> engine_;
    HWND edit_ = nullptr;
    HWND parent_ = nullptr;
    bool guard_ = false;
    int scrollState_ = 0;  // 0 idle, 1 the edit scrolled, 2 the colour request after it redrew
    int32_t offsetX_ = 0;
    int32_t offsetY_ = 0;
    cMemDC buffer_;
    cMemDC tile_;
};
