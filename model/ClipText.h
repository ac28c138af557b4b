#pragma once
// Text rules of the history: trimming new clips and joining several clips into one text.
#include "model/ClipRecord.h"

namespace Func {

// Text without leading and trailing spaces and CR LF pairs; "" and " " give "".
ClipText TrimClipText(const ClipText& text);
void SwapClips(ClipRecord& a, ClipRecord& b);

}  // namespace Func

// One step of the join rule of the Combination setting: appends x to the joined text j.
// 1: a line break between items; 2: nothing between them; 3: a line break unless j already ends
// with one; any other value leaves j empty.
void JoinStep(ClipText& j, const ClipText& x, int32_t combination);

// True for the texts that are never taken as a clip: "", " " and a lone CR LF.
bool IsBlankClipText(const ClipText& text);
