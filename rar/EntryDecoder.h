#pragma once
// EntryDecoder: turns one entry's packed bytes into its unpacked bytes. Stored entries pass through;
// a decompressor for the other methods plugs in here, per entry.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "rar/RarCodes.h"
#include "rar/RarEntry.h"

namespace qmrar {

// Receives unpacked bytes; returns kSuccess or the code that ends the entry.
using UnpackedSink = std::function<Code(std::span<const uint8_t>)>;

class EntryDecoder {
public:
    virtual ~EntryDecoder() = default;
    // Packed bytes in the order they appear in the volumes.
    virtual Code Feed(std::span<const uint8_t> packed, const UnpackedSink& out) = 0;
    // After the last packed byte: emit what is left.
    virtual Code Finish(const UnpackedSink& out) = 0;
};

// Null when the entry's method is not supported (the caller reports kUnknownFormat).
std::unique_ptr<EntryDecoder> MakeDecoder(const RarEntry& entry);

}  // namespace qmrar
