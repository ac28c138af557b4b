#include "rar/EntryDecoder.h"

namespace qmrar {
namespace {

class StoredDecoder : public EntryDecoder {
public:
    Code Feed(std::span<const uint8_t> packed, const UnpackedSink& out) override { return out(packed); }
    Code Finish(const UnpackedSink&) override { return kSuccess; }
};

}  // namespace

std::unique_ptr<EntryDecoder> MakeDecoder(const RarEntry& entry) {
    if (entry.method == 0x30) return std::make_unique<StoredDecoder>();
    return nullptr;
}

}  // namespace qmrar
