#pragma once
// ClipStoreWin32: the clip store's files through Win32 calls that each name a file once: a clip
// folder of thousands of files makes every lookup of a name that is not there a scan of the whole
// folder, so no read or write asks first whether its file exists. Moves reach the disk before
// they return.
//
// A name in the store's folders may be a link, or a file that shares its data with other names,
// put there by someone else. Reading through it is harmless; a write or a removal never reaches
// through it: the name is replaced by a file of the store's own (moved over it) or removed as
// itself, what it led to stays as it was, and the log hears of it (LinkSafeFiles).
#include <functional>

#include "model/ClipStoreFileSystem.h"
#include "support/LinkSafeFiles.h"

class ClipStoreWin32 : public ClipStoreFileSystem {
public:
    using LogLines = std::function<void(const std::vector<std::string>&)>;
    // `log` hears of the links found in the way, on the thread that found them.
    explicit ClipStoreWin32(LogLines log = {});

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
    FileFailure LastFailure() const override;

private:
    LinkSafeFiles files_;
};
