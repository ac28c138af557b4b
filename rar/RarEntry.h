#pragma once
// RarEntry: one file header of either format, in the terms the library interface reports.
#include <cstdint>
#include <string>

namespace qmrar {

enum class ArchiveFormat { Rar4, Rar5 };

struct RarEntry {
    ArchiveFormat format = ArchiveFormat::Rar4;
    std::string rawName;        // the stored name bytes: OEM (RAR4 without Unicode) or UTF-8
    std::u16string wideName;    // set when the archive carries a Unicode name
    bool hasWideName = false;
    uint32_t flags = 0;         // interface flags (kFlag*)
    uint64_t packSize = 0;      // this part's data
    uint64_t unpSize = 0;
    bool unpSizeKnown = true;
    uint32_t hostOs = 0;        // 0 DOS, 1 OS/2, 2 Win32, 3 Unix
    uint32_t crc = 0;           // whole file, or this part's data for a part that continues
    bool hasCrc = false;
    uint32_t dosTime = 0;       // MS-DOS date (high word) and time (low word), local
    uint32_t unpVer = 0;        // 10 * major + minor
    uint32_t method = 0x30;     // 0x30 store .. 0x35 best
    uint32_t attr = 0;
    bool directory = false;
    bool encrypted = false;
    bool link = false;          // symbolic or hard link, junction, file copy: never created
    bool splitBefore = false;
    bool splitAfter = false;
    bool solid = false;
    uint64_t dataOffset = 0;    // offset of the data in its volume
};

}  // namespace qmrar
