#pragma once
// Screen: the display's size and its twips-per-pixel ratio, as the forms see them.
namespace forms::Screen {

double TwipsPerPixelX();
double TwipsPerPixelY();
double WidthTw();   // the primary screen's width in twips
double HeightTw();  // the primary screen's height in twips

}  // namespace forms::Screen
