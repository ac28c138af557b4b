#pragma once
// The quick-insert window's geometry for a clip count, in twips: five rows of 1050 at most, the
// background tiles and the scroll bar's range. Free of windows so it can be checked alone.
#include <cstdint>

namespace InsertLayout {

constexpr int32_t kRowTw = 1050;
constexpr int32_t kRows = 5;
constexpr int32_t kMidTopTw = 2000;   // top of the first middle tile
constexpr int32_t kMidPitchTw = 915;  // height of a middle tile

struct Layout {
    int32_t listHeightTw = 0;    // every clip's row, seen or not
    int32_t frameHeightTw = 0;   // the rows shown: five at most
    int32_t windowHeightTw = 0;  // the rows and 800 twips of frame around them
    int32_t visibleRows = 0;
    bool scrollEnabled = false;
    int16_t maxValue = 0;
};

// Done in 32 bits: more than 31 clips would overflow a 16-bit product.
Layout ForClips(int32_t clipCount);
// The top tile shrinks with a short window (7/12 of its height) and stops growing at 2010.
double ToppHeightTw(int32_t windowHeightTw);
// The highest middle tile index a window of that height needs (at least 1): tiles run down from
// 2000 + 915 k until one starts below the bottom tile's top.
int32_t LastMidTile(int32_t windowHeightTw, int32_t lowHeightTw);
// The clip shown in the first row for a scroll position; Top / Size scaled to the clips beyond
// the first five, rounded half to even, and kept where five clips still follow it.
int32_t FirstClip(int32_t top, int32_t size, int32_t clipCount);

}  // namespace InsertLayout
