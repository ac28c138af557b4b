#pragma once
// FileSource: a volume read from disk; the name is handed to the C library as is (ANSI on Windows).
#include <cstdio>
#include <memory>

#include "rar/ByteSource.h"

namespace qmrar {

class FileSource : public ByteSource {
public:
    // Null when the file cannot be opened.
    static std::unique_ptr<FileSource> Open(const std::string& name);
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    FileSource(std::unique_ptr<std::FILE, Closer> file, uint64_t size) : file_(std::move(file)), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;

private:
    std::unique_ptr<std::FILE, Closer> file_;
    uint64_t size_;
};

// Opens volumes as files.
class FileVolumeOpener : public VolumeOpener {
public:
    std::unique_ptr<ByteSource> Open(const std::string& name) override { return FileSource::Open(name); }
};

}  // namespace qmrar
