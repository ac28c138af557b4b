#pragma once
// clsFile: reads or writes one file as a whole UTF-16LE string through one platform handle.
#include <cstdint>
#include <string>

class clsFile {
public:
    static constexpr int32_t kWrite = 1;
    static constexpr int32_t kRead = 2;

    clsFile() = default;
    // A handle left open by a caller is closed here rather than leaked.
    ~clsFile() { CloseFile(); }
    clsFile(const clsFile&) = delete;
    clsFile& operator=(const clsFile&) = delete;

    // The open file's handle as the 32-bit value the platform gave; 0 when none is open.
    int32_t FileHandle() const { return fileHandle_; }
    void SetFileHandle(int32_t handle) { fileHandle_ = handle; }

    // Method 1 writes (opening an existing file or creating a new one), 2 reads an existing file.
    bool OpenFile(const std::string& FileName, int32_t Method);
    // The whole file from its first byte; "" without an open file or when the read fails.
    std::u16string ReadStrFromFile();
    // Writes the text from the file's first byte; the file then holds exactly the text.
    bool WriteStrToFile(const std::u16string& text);
    void CloseFile();

private:
    int32_t fileHandle_ = 0;
};
