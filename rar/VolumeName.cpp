#include "rar/VolumeName.h"

namespace qmrar {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one to the digits in [first, last), growing the group when all are nines.
std::string Increment(std::string name, size_t first, size_t last) {
    size_t i = last;
    while (i > first) {
        --i;
        if (name[i] != '9') {
            ++name[i];
            return name;
        }
        name[i] = '0';
    }
    name.insert(name.begin() + static_cast<std::ptrdiff_t>(first), '1');
    return name;
}

}  // namespace

std::string NextVolumeName(const std::string& current, bool newNaming) {
    size_t sep = current.find_last_of("/\\:");
    size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
    size_t dot = current.find_last_of('.');
    bool hasExt = dot != std::string::npos && dot >= nameStart;
    if (newNaming) {
        size_t end = hasExt ? dot : current.size();
        // The last digit group of the name part before the extension.
        size_t last = end;
        while (last > nameStart && !IsDigit(current[last - 1])) --last;
        if (last == nameStart) return current.substr(0, end) + ".part2.rar";  // no number at all
        size_t first = last;
        while (first > nameStart && IsDigit(current[first - 1])) --first;
        return Increment(current, first, last);
    }
    if (!hasExt) return current + ".r00";
    std::string ext = current.substr(dot + 1);
    if (ext.size() == 3 && IsDigit(ext[1]) && IsDigit(ext[2])) {
        std::string next = current;
        size_t d = dot + 2;
        if (next[d + 1] != '9') {
            ++next[d + 1];
        } else if (next[d] != '9') {
            ++next[d];
            next[d + 1] = '0';
        } else {
            ++next[dot + 1];  // .r99 -> .s00
            next[d] = next[d + 1] = '0';
        }
        return next;
    }
    return current.substr(0, dot + 1) + (ext == "RAR" ? "R00" : "r00");
}

}  // namespace qmrar
