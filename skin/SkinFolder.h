#pragma once
// SkinFolder: clearing the unpacked skin folder away without ever reaching a file outside it, and
// telling a plain skin name from one that points somewhere else.
#include <cstddef>
#include <string>
#include <vector>

namespace mdlSkin {

// True for a name that can only mean a file in the Skins folder: no separator, drive, wildcard
// or control character, not "." or "..", and no device name (CON, NUL, AUX, COM1 ...).
bool PlainSkinName(const std::string& name);

struct ClearedFolder {
    bool gone = false;               // nothing is left at the path
    size_t deleted = 0;              // files deleted
    std::string aside;               // where the folder was moved before deleting (empty: not moved)
    std::vector<std::string> links;  // entries that reach elsewhere, left in place (ANSI paths)
};

// Moves the file or folder at `path` (ANSI) aside to a new name beside it, so that nothing is ever
// written through it again, then deletes it there with everything below it, also below the usual
// path length limit. An entry that opens as another file or folder than the one its own path
// names (a link, whatever attributes the system reports for it) is left where it is, and so is
// `path` itself when it is such an entry.
ClearedFolder ClearAway(const std::string& path);

// One log line for each link that ClearAway left in place.
void LogLinksLeft(const ClearedFolder& cleared);

}  // namespace mdlSkin
