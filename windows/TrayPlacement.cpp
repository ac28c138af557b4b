#include "windows/TrayPlacement.h"

#include <cmath>

namespace TrayPlacement {

CornerTw MenuCorner(double cx, double cy, double screenW, double screenH) {
    return {screenW > cx + kMenuWidthTw ? cx : cx - kMenuWidthTw,
            screenH > cy + kMenuHeightTw ? cy : cy - kMenuHeightTw};
}

CornerTw InsertCorner(double menuLeft, double menuTop, double insertHeight, double screenW, double screenH) {
    return {menuLeft + 2650 + 7150 <= screenW ? menuLeft + 2650 : menuLeft - 7170,
            menuTop + insertHeight <= screenH ? menuTop : menuTop + 2240 - insertHeight};
}

int32_t CallbackMessage(double xTw, int32_t twipsX) {
    if (twipsX <= 0) return 0;
    return static_cast<int32_t>(std::nearbyint(xTw / twipsX));
}

}  // namespace TrayPlacement
