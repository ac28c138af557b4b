#pragma once
// Settings: the keys of "Data.INI", their defaults and how their texts become the program's
// settings. Knows nothing of windows: the caller hands in the current values and the screen.
#include <cstdint>
#include <string>
#include <vector>

#include "support/clsINI.h"

struct SettingsValues {
    float TopTw = 15;
    float LeftTw = 7000;
    bool FastExit = false;
    bool FastHide = false;
    bool RemExtra = false;
    int32_t Combination = 3;
    uint8_t Transparent = 255;
    uint8_t InactiveTransparent = 255;
    bool RestoreClips = true;
    int16_t PaiseSpeed = 1000;
    std::u16string SkinName = u"Default";
};

namespace Settings {

// Adds the sections "Global" and "Options" and the eleven keys, in their order, where missing;
// the texts of missing keys come from `defaults`; existing keys keep their values.
void EnsureKeys(clsINI& ini, const SettingsValues& defaults);

// Reads every key into `values`, in the loader's order: RemExtra, Combination, Transparent,
// InactiveTransparent (then lowered to Transparent), RestoreClips, PaiseSpeed, SkinName, Top,
// Left, FastExit, FastHide. A text that cannot stand for its setting keeps the value already in
// `values` (the default), is replaced by that value's text in the model, so that the next write
// repairs the file, and adds one ">>> " line to `problems`.
void Read(clsINI& ini, SettingsValues& values, std::vector<std::string>& problems);

// Writes every setting in the order the saver uses.
void Write(clsINI& ini, const SettingsValues& values);

// Keeps the start bar on the screen: a left or top above the screen size moves 1000 twips in
// from that edge, one below 0 moves to 1000; but a top in the screen's top band (twipsY twips a
// pixel) stays, as the snapping docks it there: a bar saved docked at the top starts there.
void ClampStartBar(float& leftTw, float& topTw, double screenWidthTw, double screenHeightTw, double twipsY);

}  // namespace Settings
