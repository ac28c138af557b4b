#pragma once
// ClipStoreRecords: the clip store's two files of its own besides the clip files, each one
// UTF-16LE text that ends with a checksum of everything before it, so that a file cut short,
// damaged or written by hand is known as such.
//   "Clips.journal": a committed save that is not yet (wholly) in the clip files: the new texts
//   of the numbers that change, the new and the previous count, and the numbers to leave alone.
//   "Clips.cache": every clip's text with the size and write time its file had, so that a start
//   reads one file instead of thousands wherever a folder listing shows the same stamps.
#include <optional>
#include <utility>
#include <vector>

#include "model/ClipStoreFileSystem.h"

struct ClipJournal {
    int Count = 0;     // numbers in the new history (frozen numbers among them)
    int OldCount = 0;  // highest number that may still hold a file of the previous history
    std::vector<int> Frozen;                          // files that could not be read: never touched
    std::vector<std::pair<int, ClipText>> Entries;  // ascending numbers and their new texts
};

struct ClipCache {
    struct Entry {
        FileStamp Stamp;
        ClipText Text;
    };
    std::vector<Entry> Clips;  // number 1 first
};

namespace ClipStoreRecords {
// The most numbers either file may speak of; a larger count is damage, not a history.
constexpr int kMaxNumber = 65535;

ClipText FormatJournal(const ClipJournal& j);
// Nothing unless the text is a whole, consistent journal with a matching checksum.
std::optional<ClipJournal> ParseJournal(const ClipText& text);
ClipText FormatCache(const ClipCache& c);
std::optional<ClipCache> ParseCache(const ClipText& text);
}  // namespace ClipStoreRecords
