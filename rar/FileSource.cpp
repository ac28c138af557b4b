#include "rar/FileSource.h"

namespace qmrar {
namespace {

// 64-bit seeks: volumes may pass 2 GB.
int Seek(std::FILE* f, uint64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(f, static_cast<__int64>(offset), whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

int64_t Tell(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}

}  // namespace

std::unique_ptr<FileSource> FileSource::Open(const std::string& name) {
    std::unique_ptr<std::FILE, Closer> file(std::fopen(name.c_str(), "rb"));
    if (!file) return nullptr;
    if (Seek(file.get(), 0, SEEK_END) != 0) return nullptr;
    int64_t size = Tell(file.get());
    if (size < 0) return nullptr;
    return std::make_unique<FileSource>(std::move(file), static_cast<uint64_t>(size));
}

bool FileSource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    if (offset > size_ || out.size() > size_ - offset) return false;
    if (out.empty()) return true;
    if (Seek(file_.get(), offset, SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, out.size(), file_.get()) == out.size();
}

}  // namespace qmrar
