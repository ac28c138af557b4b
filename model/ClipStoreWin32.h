#pragma once
// ClipStoreWin32: the clip store's files through clsFile, the program's whole-file reader and
// writer, with Win32 moves that reach the disk before they return.
#include "model/ClipStoreFileSystem.h"
#include "support/clsFile.h"

class ClipStoreWin32 : public ClipStoreFileSystem {
public:
    std::optional<ClipFileContent> Read(const std::string& path) override;
    bool WriteDurably(const std::string& path, const ClipText& text) override;
    bool WritePiecesDurably(const std::string& path, const TextPieces& pieces) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<FolderEntry> List(const std::string& folder) override;

private:
    clsFile ClipFile;  // the one object every clip file goes through
};
