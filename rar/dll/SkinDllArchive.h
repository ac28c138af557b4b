#pragma once
// SkinDllArchive: one open archive behind a library handle; maps the interface's records, code pages
// and callback onto the portable reader.
#include <windows.h>

#include "rar/ArchiveReader.h"
#include "rar/FileSource.h"
#include "rar/UnrarApi.h"

namespace skindll {

class SkinDllArchive {
public:
    SkinDllArchive();
    SkinDllArchive(const SkinDllArchive&) = delete;
    SkinDllArchive& operator=(const SkinDllArchive&) = delete;

    // Fills OpenResult and the comment fields; false when the archive did not open.
    bool Open(unrar::RAROpenArchiveData& data);
    int ReadHeader(unrar::RARHeaderDataEx& header);
    int Process(int operation, const char* destPath, const char* destName);
    void SetCallback(unrar::UNRARCALLBACK callback, LPARAM userData);
    void SetPassword(const char* password);

private:
    int Call(UINT msg, LPARAM p1, LPARAM p2) const;
    void InstallHooks();

    qmrar::FileVolumeOpener opener_;
    qmrar::ArchiveReader reader_;
    unrar::UNRARCALLBACK callback_ = nullptr;
    LPARAM userData_ = 0;
    qmrar::OpenMode mode_ = qmrar::OpenMode::List;
};

}  // namespace skindll
