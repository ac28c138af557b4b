#pragma once
// Pasting into the program that was in front before ours.
#include "model/ClipRecord.h"

namespace Func {

// Ctrl down, V down, Ctrl up, V up.
void SendCtrlV();
// Brings the remembered window forward, puts Text on the clipboard and sends Ctrl+V.
void PasteToLastWindow(const ClipTextRef& text);

}  // namespace Func
