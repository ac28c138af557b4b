#include "rar/OutputFile.h"

namespace qmrar {

OutputFile::OutputFile(std::filesystem::path path) : path_(std::move(path)) {
    std::error_code ec;
    if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ec);
    stream_.open(path_, std::ios::binary | std::ios::trunc);
}

OutputFile::~OutputFile() {
    if (!done_) Discard();
}

bool OutputFile::Write(std::span<const uint8_t> bytes) {
    stream_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(stream_);
}

bool OutputFile::Close() {
    stream_.close();
    done_ = true;
    if (!stream_) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        return false;
    }
    return true;
}

void OutputFile::Discard() {
    if (stream_.is_open()) {
        stream_.close();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    done_ = true;
}

}  // namespace qmrar
