#pragma once
// The command-line switches: "/uninstall", "/noicon", "/noview".
#include <string>

namespace Func {

// True when Switch occurs in args (case ignored) and either ends the line or is followed by
// " ", "-" or "/". A match may begin inside a longer word.
bool HasSwitch(const std::u16string& args, const std::u16string& sw);

// The arguments part of a full command line: everything after the program's path.
std::u16string ArgumentsOf(const std::u16string& commandLine);

#ifdef _WIN32
// HasSwitch over this process's own command line.
bool HasSwitch(const std::u16string& sw);
#endif

}  // namespace Func
