#include "windows/InsertLayout.h"

#include <algorithm>
#include <cmath>

namespace InsertLayout {

Layout ForClips(int32_t clipCount) {
    Layout l;
    const int32_t clips = std::max<int32_t>(clipCount, 0);
    l.listHeightTw = clips * kRowTw;
    l.frameHeightTw = std::min(l.listHeightTw, kRows * kRowTw);
    l.windowHeightTw = l.frameHeightTw + 800;
    l.visibleRows = std::min(clips, kRows);
    // Five clips already enable the bar (with nothing to scroll); its range is the clips per page.
    l.scrollEnabled = clips >= kRows;
    l.maxValue = l.scrollEnabled ? static_cast<int16_t>(std::min<int32_t>(l.listHeightTw / l.frameHeightTw, INT16_MAX))
                                 : int16_t{0};
    return l;
}

double ToppHeightTw(int32_t windowHeightTw) {
    return windowHeightTw < 4320 ? windowHeightTw * 7.0 / 12.0 : 2010.0;
}

int32_t LastMidTile(int32_t windowHeightTw, int32_t lowHeightTw) {
    int32_t k = 1;
    while (windowHeightTw - lowHeightTw >= kMidTopTw + kMidPitchTw * k) ++k;
    return k;
}

int32_t FirstClip(int32_t top, int32_t size, int32_t clipCount) {
    const int32_t beyond = clipCount - kRows;
    if (size <= 0 || beyond <= 0) return 0;
    const auto first = static_cast<int32_t>(std::nearbyint(static_cast<double>(top) / size * beyond));
    // The bar lets Top pass Size by a little, and clips may have gone since the last scroll: a row
    // past the end would keep an old caption that a click would paste.
    return std::clamp(first, 0, beyond);
}

}  // namespace InsertLayout
