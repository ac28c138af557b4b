#pragma once
// The screen's top edge as the start bar knows it: a bar whose top lies inside the band docks
// there, 6 px above the screen. The snapping and the settings' clamp read the same band, so a
// bar saved where it was docked starts there again.
#include <cstdint>

namespace TopDock {

constexpr int32_t kDockPx = -6;

constexpr bool InBand(int32_t topPx) { return -16 < topPx && topPx < 4; }

}  // namespace TopDock
