// The six exported calls of Skin.dll. Nothing may throw across the boundary: a failed allocation
// becomes the interface's out-of-memory code.
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "rar/RarCodes.h"
#include "rar/UnrarApi.h"
#include "rar/dll/SkinDllArchive.h"

using skindll::SkinDllArchive;

namespace {

SkinDllArchive* FromHandle(HANDLE h) { return static_cast<SkinDllArchive*>(h); }

}  // namespace

extern "C" {

HANDLE PASCAL RAROpenArchive(unrar::RAROpenArchiveData* data) {
    if (!data) return nullptr;
    try {
        auto archive = std::make_unique<SkinDllArchive>();
        if (!archive->Open(*data)) return nullptr;
        return archive.release();  // owned by the caller until RARCloseArchive
    } catch (const std::bad_alloc&) {
        data->OpenResult = qmrar::kNoMemory;
    } catch (...) {
        data->OpenResult = qmrar::kUnknown;
    }
    return nullptr;
}

int PASCAL RARCloseArchive(HANDLE h) {
    if (!h) return qmrar::kEClose;
    std::unique_ptr<SkinDllArchive> archive(FromHandle(h));
    return qmrar::kSuccess;
}

int PASCAL RARReadHeaderEx(HANDLE h, unrar::RARHeaderDataEx* header) {
    if (!h || !header) return qmrar::kUnknown;
    try {
        return FromHandle(h)->ReadHeader(*header);
    } catch (const std::bad_alloc&) {
        return qmrar::kNoMemory;
    } catch (...) {
        return qmrar::kUnknown;
    }
}

int PASCAL RARProcessFile(HANDLE h, int operation, char* destPath, char* destName) {
    if (!h) return qmrar::kUnknown;
    try {
        return FromHandle(h)->Process(operation, destPath, destName);
    } catch (const std::bad_alloc&) {
        return qmrar::kNoMemory;
    } catch (...) {
        return qmrar::kUnknown;
    }
}

void PASCAL RARSetCallback(HANDLE h, unrar::UNRARCALLBACK callback, LPARAM userData) {
    if (h) FromHandle(h)->SetCallback(callback, userData);
}

void PASCAL RARSetPassword(HANDLE h, char* password) {
    if (h) FromHandle(h)->SetPassword(password);
}

}  // extern "C"
