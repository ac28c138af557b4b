#include "support/clsFile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/PlainFiles.h"

namespace {
HANDLE AsHandle(int32_t h) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(h)); }
}  // namespace

bool clsFile::OpenFile(const std::string& FileName, int32_t Method) {
    if (fileHandle_ != 0) return false;
    if (Method != kWrite && Method != kRead) return false;
    const bool exists = NormalFileExists(FileName);
    if (Method == kRead && !exists) return false;
    const DWORD access = Method == kWrite ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = Method == kWrite ? FILE_SHARE_WRITE : FILE_SHARE_READ;
    const DWORD disposition = exists ? OPEN_EXISTING : CREATE_NEW;
    HANDLE h = CreateFileA(FileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    fileHandle_ = static_cast<int32_t>(reinterpret_cast<intptr_t>(h));
    return true;
}

std::u16string clsFile::ReadStrFromFile() {
    if (fileHandle_ == 0) return {};
    const DWORD size = GetFileSize(AsHandle(fileHandle_), nullptr);
    if (size == INVALID_FILE_SIZE) return {};
    // size / 2 rounded halves to even; a last lone byte fills the low half of a unit or is dropped.
    const DWORD whole = size / 2;
    const DWORD units = (size % 2 != 0 && whole % 2 == 1) ? whole + 1 : whole;
    std::u16string text(units, u' ');
    // Read into a buffer of the file's own size: the string may hold one byte less.
    std::vector<char> bytes(size);
    OVERLAPPED at{};  // offset 0, whatever was done with the handle before
    DWORD got = 0;
    if (size > 0 && !ReadFile(AsHandle(fileHandle_), bytes.data(), size, &got, &at)) return {};
    // A lone last byte lands in the low half of a space, whose high half is 0.
    std::memcpy(text.data(), bytes.data(), std::min<size_t>(got, text.size() * 2));
    return text;
}

bool clsFile::WriteStrToFile(const std::u16string& text) {
    if (fileHandle_ == 0) return false;
    HANDLE h = AsHandle(fileHandle_);
    const DWORD count = static_cast<DWORD>(text.size() * 2);
    OVERLAPPED at{};
    DWORD written = 0;
    if (!WriteFile(h, text.data(), count, &written, &at)) return false;
    // An existing file may have been longer: cut it after the text.
    SetFilePointer(h, static_cast<LONG>(count), nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    return true;
}

void clsFile::CloseFile() {
    if (fileHandle_ == 0) return;
    CloseHandle(AsHandle(fileHandle_));
    fileHandle_ = 0;
}
