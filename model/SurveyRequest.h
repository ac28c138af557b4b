#pragma once
// The address of the uninstall survey's one request.
#include <string>

#include "model/ClipRecord.h"

// The statistics server's address for reason r (0 none chosen, 1..4) and the typed comment. The
// comment goes with reasons 3 and 4 only; it is percent-encoded as UTF-8 so that "&", "=", "#",
// spaces and non-ASCII text reach the server exactly as typed.
std::string SurveyUrl(int reason, const ClipText& comment);

// Percent-encoding of text as UTF-8: letters, digits and "-._~" stay, every other byte becomes %XX.
std::string PercentEncode(const ClipText& text);
