// libFuzzer target: any bytes as an archive (and as the volumes after it) through every reader path.
// Not part of the test run: build with -DQM_FUZZ=ON and clang, or run rar/fuzz/run_fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rar/ArchiveReader.h"
#include "rar/MemorySource.h"
#include "rar/NameDecoding.h"
#include "rar/SafePath.h"

namespace {

// Serves the input as the first volume and twice more as the next ones, so volume changes run too.
class FuzzOpener : public qmrar::VolumeOpener {
public:
    explicit FuzzOpener(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::unique_ptr<qmrar::ByteSource> Open(const std::string&) override {
        if (opened_++ > 2) return nullptr;
        return std::make_unique<qmrar::MemorySource>(bytes_);
    }

private:
    std::vector<uint8_t> bytes_;
    int opened_ = 0;
};

void Walk(const std::vector<uint8_t>& bytes, qmrar::OpenMode mode, qmrar::Operation op) {
    FuzzOpener opener(bytes);
    qmrar::ReaderHooks hooks;
    size_t seen = 0;
    hooks.processedData = [&](std::span<const uint8_t> b) {
        seen += b.size();
        return true;
    };
    hooks.askVolume = [](std::string&) { return false; };
    hooks.needPassword = [](std::string& p) {
        p = "x";
        return true;
    };
    qmrar::ArchiveReader reader(opener, hooks);
    if (reader.Open("fuzz.part1.rar", mode, 4096) != qmrar::kSuccess) return;
    qmrar::RarEntry e;
    for (int i = 0; i < 4096 && reader.ReadHeader(e) == qmrar::kSuccess; ++i) {
        auto name = reader.EntryName(e);
        (void)qmrar::SafeRelativePath(name);
        (void)qmrar::Utf16ToUtf8(name);
        reader.Process(op, {});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    Walk(bytes, qmrar::OpenMode::Extract, qmrar::Operation::Test);
    Walk(bytes, qmrar::OpenMode::List, qmrar::Operation::Skip);
    Walk(bytes, qmrar::OpenMode::ListIncSplit, qmrar::Operation::Test);
    (void)qmrar::DecodeRar4UnicodeName(std::span<const uint8_t>(data, size));
    return 0;
}
