#pragma once
// OptionsValues: how the options dialog turns settings into the texts of its value labels and
// slider places, and the texts back into settings. Knows nothing of windows.
#include <cstdint>
#include <string>

namespace OptionsValues {

// Nearest integer, halves to the even neighbour (76.5 gives 76, 127.5 gives 128).
int32_t RoundEven(double x);
// The number a label's text stands for: leading blanks skipped, the longest leading number
// taken, 0 when the text starts with none ("Off" reads 0).
double LabelValue(const std::wstring& text);

// Load: the texts the value labels show for the stored settings.
std::wstring ShownActive(uint8_t transparent);
// A percentage that Apply maps back to `inactive` (or as near as whole percentages get), taken
// relative to the active alpha that Apply will store from ShownActive(transparent).
std::wstring ShownInactive(uint8_t inactive, uint8_t transparent);
std::wstring ShownSpeed(int16_t paiseSpeed);

// Apply: the settings stored from the label texts.
uint8_t StoredTransparent(const std::wstring& actTr);
// The inactive percentage taken as a share of the active alpha just stored.
uint8_t StoredInactive(const std::wstring& tr, uint8_t transparent);
int16_t StoredSpeed(const std::wstring& speed);

// The sliders: 1 active transparency, 2 inactive transparency, 3 appearing speed.
constexpr int kThumbMinLeft = 207;
constexpr int kThumbMaxLeft = 325;
constexpr int kSpeedOnLeft = 215;
// Where Load puts a thumb for its label's text (pixels of the page, not rounded).
double ThumbLeft(int slider, const std::wstring& text);
// Where a drag tick puts the thumb for the pointer's x on the page, and the text it shows.
struct ThumbPlace {
    int left;
    std::wstring text;
};
ThumbPlace DragTo(int slider, int x);

}  // namespace OptionsValues
