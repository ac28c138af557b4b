#pragma once
// SafePath: turns a stored entry name into a path that stays below the destination folder.
#include <filesystem>
#include <optional>
#include <string>

namespace qmrar {

// Splits at '/' and '\\'; drops empty, "." and ".." parts (so leading separators, UNC prefixes and
// climbing out are gone); replaces ':' (drive letters, streams) and characters Windows refuses by '_';
// trims trailing dots and spaces; prefixes device names (CON, NUL, COM1, ...) with '_'.
// Null when nothing is left.
std::optional<std::filesystem::path> SafeRelativePath(std::u16string_view name);

}  // namespace qmrar
