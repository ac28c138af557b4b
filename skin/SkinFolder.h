#pragma once
// SkinFolder: clearing the unpacked skin folder away without ever reaching through a link, and
// telling a plain skin name from one that points somewhere else.
#include <cstddef>
#include <string>

namespace mdlSkin {

// True for a name that can only mean a file in the Skins folder: no separator, drive, wildcard
// or control character, not "." or "..", and no device name (CON, NUL, AUX, COM1 ...).
bool PlainSkinName(const std::string& name);

// Deletes the file or folder at `path` (ANSI) with everything below it, also below the usual
// path length limit. A link (symbolic link or junction) is removed itself, never what it points
// to; where that cannot be done safely it is left in place. Returns the number of files deleted.
size_t RemoveTree(const std::string& path);

// True when `path` (ANSI) is a link or junction.
bool IsLink(const std::string& path);

}  // namespace mdlSkin
