#pragma once
// ByteSource: random access to one volume's bytes, so the parser never depends on how they are stored.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qmrar {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Fills all of out from offset; false when the source is shorter or a read fails.
    virtual bool ReadAt(uint64_t offset, std::span<uint8_t> out) = 0;
};

// Opens volumes by name; returns null when the volume does not exist or cannot be opened.
class VolumeOpener {
public:
    virtual ~VolumeOpener() = default;
    virtual std::unique_ptr<ByteSource> Open(const std::string& name) = 0;
};

}  // namespace qmrar
