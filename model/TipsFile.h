#pragma once
// The tips of "Tips.txt": one tip per line, blank lines and "//" comments skipped.
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "model/ClipRecord.h"

// The tips window counts its tips in 16 bits.
constexpr size_t kMostTips = INT16_MAX;
// A tip shows at most this many characters of its line: the window has room for a few lines, and
// a file of one endless line must cost no more memory than a long tip.
constexpr size_t kMostTipChars = 1024;

// The tips of a whole file's text, each already formatted for showing ("Tip n:", an empty line,
// the text). Never empty: a text without any tip gives the single "'Tips.txt' are empty!". At most
// kMostTips of at most kMostTipChars characters each; what is left out is logged.
std::vector<ClipText> ParseTips(const ClipText& fileText);

// The same tips read from the file's bytes line by line, each line turned into text by decode
// (the file's code page): whatever the file's size, only the tips kept take memory.
using DecodeTipLine = std::function<ClipText(const std::string& bytes)>;
std::vector<ClipText> ReadTips(std::istream& bytes, const DecodeTipLine& decode);
