#include "support/TilePieces.h"

#include <algorithm>

namespace {
int32_t Phase(int64_t v, int32_t size) {
    const int64_t r = v % size;
    return static_cast<int32_t>(r < 0 ? r + size : r);
}
}  // namespace

std::vector<TilePiece> TilePieces(int32_t x, int32_t y, int32_t width, int32_t height, int32_t tileW,
                                  int32_t tileH, int32_t offsetX, int32_t offsetY) {
    std::vector<TilePiece> pieces;
    if (width <= 0 || height <= 0 || tileW <= 0 || tileH <= 0) return pieces;
    const int32_t sx = Phase(int64_t(offsetX) + x, tileW);
    const int32_t sy = Phase(int64_t(offsetY) + y, tileH);
    const int64_t bottom = int64_t(y) + height, right = int64_t(x) + width;
    for (int64_t top = y, srcY = sy; top < bottom; top += tileH - srcY, srcY = 0) {
        const int32_t h = static_cast<int32_t>(std::min<int64_t>(tileH - srcY, bottom - top));
        for (int64_t left = x, srcX = sx; left < right; left += tileW - srcX, srcX = 0) {
            const int32_t w = static_cast<int32_t>(std::min<int64_t>(tileW - srcX, right - left));
            pieces.push_back({static_cast<int32_t>(left), static_cast<int32_t>(top), w, h,
                              static_cast<int32_t>(srcX), static_cast<int32_t>(srcY)});
        }
    }
    return pieces;
}
