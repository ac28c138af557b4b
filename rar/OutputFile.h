#pragma once
// OutputFile: one extracted file; made with its folders, removed again when the entry fails.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace qmrar {

class OutputFile {
public:
    explicit OutputFile(std::filesystem::path path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return stream_.is_open(); }
    bool Write(std::span<const uint8_t> bytes);
    bool Close();
    // Closes and deletes the half-written file.
    void Discard();

private:
    std::filesystem::path path_;
    std::ofstream stream_;
    bool done_ = false;
};

}  // namespace qmrar
