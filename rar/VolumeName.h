#pragma once
// VolumeName: the name of the volume after a given one.
#include <string>

namespace qmrar {

// newNaming: "name.part1.rar" -> "name.part2.rar" (the last digit group before the extension counts,
// keeping its width and growing when it overflows). Old naming: ".rar" -> ".r00" -> ".r01" ... ".r99" -> ".s00".
std::string NextVolumeName(const std::string& current, bool newNaming);

}  // namespace qmrar
