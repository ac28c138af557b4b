#pragma once
// TilePieces: how a tile of W x H pixels covers a rectangle, as the list of copies to make.
#include <cstdint>
#include <vector>

struct TilePiece {
    int32_t x, y, width, height;  // where the piece goes
    int32_t srcX, srcY;           // where in the tile it comes from
};

// The pieces that tile the rectangle (x, y, width, height) with a tile of tileW x tileH whose
// phase is shifted by (offsetX, offsetY): tile pixel ((offsetX + x) mod W, (offsetY + y) mod H)
// lands on the rectangle's top left; pieces at the right and bottom are cut to the rectangle.
// A negative phase counts from the tile's far side, so every piece stays inside the tile.
std::vector<TilePiece> TilePieces(int32_t x, int32_t y, int32_t width, int32_t height, int32_t tileW,
                                  int32_t tileH, int32_t offsetX = 0, int32_t offsetY = 0);
