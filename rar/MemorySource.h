#pragma once
// MemorySource: a volume held in memory (fixtures, fuzzing).
#include <vector>

#include "rar/ByteSource.h"

namespace qmrar {

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace qmrar
