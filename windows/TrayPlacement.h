#pragma once
// Where the tray menu and the quick-insert window open, in twips, and what the tray icon's
// callback says. Free of windows so it can be checked alone.
#include <cstdint>

namespace TrayPlacement {

// The menu is placed as if it were this big, whatever the skin makes it.
constexpr double kMenuWidthTw = 2895;
constexpr double kMenuHeightTw = 2010;

struct CornerTw {
    double left = 0;
    double top = 0;
};

// At the cursor, or left of it / above it where the menu would reach the screen's edge.
CornerTw MenuCorner(double cursorXTw, double cursorYTw, double screenWidthTw, double screenHeightTw);
// Beside the menu on the right when the window fits there, else on its left; level with the
// menu's top when it fits below it, else ending 2240 twips below the menu's top.
CornerTw InsertCorner(double menuLeftTw, double menuTopTw, double insertHeightTw, double screenWidthTw,
                      double screenHeightTw);
// The icon reports the mouse message over it as a mouse move whose x (in twips) is its number.
int32_t CallbackMessage(double xTw, int32_t twipsX);

}  // namespace TrayPlacement
