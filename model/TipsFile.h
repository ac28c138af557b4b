#pragma once
// The tips of "Tips.txt": one tip per line, blank lines and "//" comments skipped.
#include <vector>

#include "model/ClipRecord.h"

// The tips of a whole file's text, each already formatted for showing ("Tip n:", an empty line,
// the text). Never empty: a text without any tip gives the single "'Tips.txt' are empty!".
std::vector<ClipText> ParseTips(const ClipText& fileText);
