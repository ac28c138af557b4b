#pragma once
// The tips of "Tips.txt": one tip per line, blank lines and "//" comments skipped.
#include <cstdint>
#include <vector>

#include "model/ClipRecord.h"

// The tips window counts its tips in 16 bits.
constexpr size_t kMostTips = INT16_MAX;

// The tips of a whole file's text, each already formatted for showing ("Tip n:", an empty line,
// the text). Never empty: a text without any tip gives the single "'Tips.txt' are empty!". At most
// kMostTips; the rest are left out with a log line.
std::vector<ClipText> ParseTips(const ClipText& fileText);
