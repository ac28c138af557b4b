#pragma once
// cTextBoxBackground: shows a tiled bitmap behind the text of a real multi-line EDIT control. It
// subclasses the edit and its parent, lets the edit paint, then repaints it from an off-screen
// buffer of tiles over the edit's own drawing of its text (WM_PRINT). Optionally blocks pasting.
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
    cTextBoxBackground(const cTextBoxBackground&) = delete;
    cTextBoxBackground& operator=(const cTextBoxBackground&) = delete;

    // The picture becomes the tile (a copy: the picture keeps its bitmap).
    void SetBackdrop(const forms::Picture& pic);
    int32_t TileOffsetX() const { return tileOffsetX_; }
    void SetTileOffsetX(int32_t px) { tileOffsetX_ = px; }
    int32_t TileOffsetY() const { return tileOffsetY_; }
    void SetTileOffsetY(int32_t px) { tileOffsetY_ = px; }
    // Tiles the backdrop over that rectangle of hdcTo, tile pixel ((TileOffsetX + x) mod W,
    // (TileOffsetY + y) mod H) at its top left. Nothing while there is no backdrop.
    void TileArea(HDC hdcTo, int32_t x, int32_t y, int32_t Width, int32_t Height);
    // Detaches, then takes over the edit hWndA and its parent.
    void Attach(HWND hWndA, bool DisablePaste = false);
    // Gives the edit and its parent their procedures back; nothing when detached.
    void Detach();

    int32_t MsgResponse() override;
    LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class ScrollState { Idle, Scrolled, Redrawn };

    GSubclass& Engine();
    void Redraw();
    // A redraw started from the parent's colour request, guarded against the request its own
    // WM_PRINT makes.
    void GuardedRedraw();
    LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorEdit(HWND hwnd, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<GSubclass> engine_;
    HWND edit_ = nullptr;
    HWND parent_ = nullptr;
    bool redrawing_ = false;
    ScrollState scroll_ = ScrollState::Idle;
    int32_t tileOffsetX_ = 0, tileOffsetY_ = 0;
    cMemDC buffer_, tile_;
};
