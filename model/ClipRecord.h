#pragma once
// ClipRecord: one clip of the history.
#include <cstdint>
#include <string>

using ClipText = std::u16string;  // clip texts are UTF-16 code units, as the clipboard holds them

struct ClipRecord {
    int16_t ClipType = 1;  // 1 = text, the only kind ever made
    ClipText Text;
    ClipText CopyTime;  // kept for the record layout; always empty
    ClipText CopyDate;
    bool Selected = false;
};
