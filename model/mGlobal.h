#pragma once
// mGlobal: the program-wide variables, and nothing else.
#include <cstdint>
#include <string>

#include "model/ClipHistory.h"

#ifdef _WIN32
#include <windows.h>
#endif

class ucButton3;

namespace mGlobal {

inline ClipHistory History;  // Clips and ClipCount live here
inline int32_t TwipsX = 15;
inline int32_t TwipsY = 15;
inline uint32_t TransparentColor = 0x00FF00FF;  // RGB(255, 0, 255), 0x00BBGGRR
inline std::string AppVersion;
inline bool Exiting = false;
inline bool FastHide = false;
inline bool FastExit = false;
#ifdef _WIN32
inline HWND LastForegroundWnd = nullptr;
#endif
inline bool RestoreClips = true;
inline bool Dragging = false;
inline uint8_t Transparent = 255;
inline int16_t PaiseSpeed = 1000;
inline uint8_t InactiveTransparent = 255;
inline std::string SkinName;
inline bool RemExtra = false;
inline ClipTextRef LastClipText;  // shares the clip's buffer
inline bool SettingClipboard = false;
inline int32_t Combination = 3;
inline int16_t DragOffsetX = 0;
inline int16_t DragOffsetY = 0;
inline std::string HelpFile;
inline int32_t DockY = 0;
inline bool Started = false;
// The skinned button that last got the focus and shows the focus frame; kept by ucButton3.
inline ucButton3* CurrentButton = nullptr;

}  // namespace mGlobal
