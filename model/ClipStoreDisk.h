#pragma once
// ClipStoreDisk: the clip store's files on a real disk through the C library.
#include "model/ClipStoreFileSystem.h"

// The bytes of a clip file: the text's UTF-16LE code units, no byte-order mark, no terminator.
std::string EncodeClipFile(const ClipText& text);
// The text of a clip file's bytes. A last lone byte becomes a code unit of its own when half the
// size rounds up (halves to even), and is dropped when it rounds down.
ClipFileContent DecodeClipFile(const std::string& bytes);

class ClipStoreDisk : public ClipStoreFileSystem {
public:
    std::optional<ClipFileContent> Read(const std::string& path) override;
    bool WriteDurably(const std::string& path, const ClipText& text) override;
    bool WritePiecesDurably(const std::string& path, const TextPieces& pieces) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<FolderEntry> List(const std::string& folder) override;
};
