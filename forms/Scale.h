#pragma once
// ScaleMode: the unit a container places its controls in and reports mouse positions in.
#include <cmath>

#include "forms/Screen.h"

namespace forms {

enum class ScaleMode { Twips, Pixels };

inline double UnitsPerPixelX(ScaleMode m) { return m == ScaleMode::Twips ? Screen::TwipsPerPixelX() : 1.0; }
inline double UnitsPerPixelY(ScaleMode m) { return m == ScaleMode::Twips ? Screen::TwipsPerPixelY() : 1.0; }
// Fractions of a pixel round to the nearest whole pixel, halves to even.
inline int ToPxX(ScaleMode m, double units) { return static_cast<int>(std::nearbyint(units / UnitsPerPixelX(m))); }
inline int ToPxY(ScaleMode m, double units) { return static_cast<int>(std::nearbyint(units / UnitsPerPixelY(m))); }
inline double FromPxX(ScaleMode m, int px) { return px * UnitsPerPixelX(m); }
inline double FromPxY(ScaleMode m, int px) { return px * UnitsPerPixelY(m); }

}  // namespace forms
