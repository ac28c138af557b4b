#include "model/CommandLine.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Func {
namespace {
char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool EqualsUpper(const std::u16string& a, size_t pos, const std::u16string& b) {
    if (pos + b.size() > a.size()) return false;
    for (size_t k = 0; k < b.size(); ++k)
        if (Upper(a[pos + k]) != Upper(b[k])) return false;
    return true;
}
}  // namespace

bool HasSwitch(const std::u16string& args, const std::u16string& sw) {
    const size_t L = args.size();
    const size_t k = sw.size();
    // The scan length is a 16-bit count; a command line is never longer than 32,767 characters.
    const size_t n = L > INT16_MAX ? static_cast<size_t>(INT16_MAX) : L;
    if (k == 0) return false;
    bool result = false;
    for (size_t i = 0; i < n; ++i) {
        if (!EqualsUpper(args, i, sw)) continue;
        if (i + k == L) return true;
        char16_t next = args[i + k];
        if (next == u' ' || next == u'-' || next == u'/') result = true;
    }
    return result;
}

std::u16string ArgumentsOf(const std::u16string& commandLine) {
    size_t i = 0;
    while (i < commandLine.size() && commandLine[i] == u' ') ++i;
    if (i < commandLine.size() && commandLine[i] == u'"') {
        size_t close = commandLine.find(u'"', i + 1);
        i = close == std::u16string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != u' ' && commandLine[i] != u'\t') ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == u' ' || commandLine[i] == u'\t')) ++i;
    return commandLine.substr(i);
}

#ifdef _WIN32
bool HasSwitch(const std::u16string& sw) {
    const auto* line = reinterpret_cast<const char16_t*>(GetCommandLineW());
    return HasSwitch(ArgumentsOf(line), sw);
}
#endif

}  // namespace Func
