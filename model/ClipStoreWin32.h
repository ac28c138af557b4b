#pragma once
// ClipStoreWin32: the clip store's files through Win32 calls that each name a file once: a clip
// folder of thousands of files makes every lookup of a name that is not there a scan of the whole
// folder, so no read or write asks first whether its file exists. Moves reach the disk before
// they return.
#include "model/ClipStoreFileSystem.h"

class ClipStoreWin32 : public ClipStoreFileSystem {
public:
    std::optional<ClipFileContent> Read(const std::string& path) override;
    bool ConcurrentReads() const override { return true; }
    std::optional<ClipText> ReadPart(const std::string& path, uint64_t first, size_t count) override;
    bool CopyPartDurably(const std::string& from, uint64_t first, uint64_t count, const std::string& to) override;
    bool WriteDurably(const std::string& path, const ClipText& text) override;
    bool WritePiecesDurably(const std::string& path, const TextPieces& pieces) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<FolderEntry> List(const std::string& folder) override;
};
