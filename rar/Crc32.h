#pragma once
// Crc32: the zlib CRC-32 both RAR formats use for headers and data.
#include <cstddef>
#include <cstdint>
#include <span>

namespace qmrar {

// Continues a running CRC: pass the previous result (0 to start).
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);

}  // namespace qmrar
