#include "rar/MemorySource.h"

#include <algorithm>

namespace qmrar {

bool MemorySource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

}  // namespace qmrar
