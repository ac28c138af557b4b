#include "support/clsFile.h"

#include <windows.h>

#include <algorithm>

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
    // Straight into the string, with no second buffer: a clip may be tens of megabytes. A lone
    // last byte lands in the low half of a space, whose high half is 0; one that rounds away is
    // not read.
    std::u16string text(units, u' ');
    const DWORD want = std::min<DWORD>(size, units * 2);
    OVERLAPPED at{};  // offset 0, whatever was done with the handle before
    DWORD got = 0;
    if (want > 0 && !ReadFile(AsHandle(fileHandle_), text.data(), want, &got, &at)) return {};
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
