#include "options/OptionsValues.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace OptionsValues {
namespace {
const std::wstring kOff = L"Off";

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

template <class T>
T Clamped(int32_t v, int32_t lo, int32_t hi) {
    return static_cast<T>(std::clamp(v, lo, hi));
}
}  // namespace

int32_t RoundEven(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

double LabelValue(const std::wstring& text) {
    size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring::npos) return 0;
    const size_t start = i;
    if (text[i] == L'-' || text[i] == L'+') ++i;
    const size_t digits = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
    }
    if (i == digits || (i == digits + 1 && text[digits] == L'.')) return 0;
    return std::wcstod(text.substr(start, i - start).c_str(), nullptr);
}

std::wstring ShownActive(uint8_t transparent) { return std::to_wstring(RoundEven(transparent / 255.0 * 100)); }

std::wstring ShownInactive(uint8_t inactive, uint8_t transparent) {
    const uint8_t active = StoredTransparent(ShownActive(transparent));
    if (active == 0) return L"100";
    const double exact = inactive * 100.0 / active;
    int best = 100;
    for (int q = 0; q <= 100; ++q) {
        const int miss = std::abs(StoredInactive(std::to_wstring(q), active) - inactive);
        const int bestMiss = std::abs(StoredInactive(std::to_wstring(best), active) - inactive);
        if (miss < bestMiss || (miss == bestMiss && std::fabs(q - exact) < std::fabs(best - exact))) best = q;
    }
    return std::to_wstring(best);
}

std::wstring ShownSpeed(int16_t paiseSpeed) {
    return paiseSpeed == 1000 ? kOff : std::to_wstring(RoundEven(paiseSpeed / 3.0));
}

// A hand-edited label value beyond the setting's range is held at its end, never wrapped.
uint8_t StoredTransparent(const std::wstring& actTr) {
    return Clamped<uint8_t>(RoundEven(LabelValue(actTr) * 255 / 100), 0, 255);
}

uint8_t StoredInactive(const std::wstring& tr, uint8_t transparent) {
    const int32_t q = Clamped<int32_t>(RoundEven(LabelValue(tr) * 255 / 100), 0, 255);
    return Clamped<uint8_t>(RoundEven(q / 255.0 * transparent), 0, 255);
}

int16_t StoredSpeed(const std::wstring& speed) {
    if (speed == kOff) return 1000;
    return Clamped<int16_t>(RoundEven(LabelValue(speed) * 3), INT16_MIN, INT16_MAX);
}

double ThumbLeft(int slider, const std::wstring& text) {
    const double v = LabelValue(text);
    switch (slider) {
    case 1: return (v - 30) / 70 * 118 + kThumbMinLeft;
    case 2: return (v - 10) / 90 * 118 + kThumbMinLeft;
    default: return text == kOff ? kThumbMinLeft : (v - 10) / 90 * 110 + kSpeedOnLeft;
    }
}

ThumbPlace DragTo(int slider, int x) {
    x = std::clamp(x, kThumbMinLeft, kThumbMaxLeft);
    const double along = x - kThumbMinLeft;
    switch (slider) {
    case 1: return {x, std::to_wstring(RoundEven(along / 118 * 70) + 30)};
    case 2: return {x, std::to_wstring(RoundEven(along / 118 * 90) + 10)};
    default:
        if (x < kSpeedOnLeft) return {kThumbMinLeft, kOff};
        return {x, std::to_wstring(RoundEven((x - kSpeedOnLeft) / 110.0 * 90) + 10)};
    }
}

}  // namespace OptionsValues
