#pragma once
// ClipStoreRecords: the clip store's two files of its own besides the clip files, each one
// UTF-16LE text that ends with a checksum of everything before it, so that a file cut short,
// damaged or written by hand is known as such.
//   "Clips.journal": a committed save that is not yet (wholly) in the clip files: the new texts
//   of the numbers that change, the new and the previous count, and the numbers to leave alone.
//   "Clips.cache": every clip's text with the size and write time its file had, so that a start
//   reads one file instead of thousands wherever a folder listing shows the same stamps.
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "model/ClipStoreFileSystem.h"

struct ClipJournal {
    int Count = 0;     // numbers in the new history (frozen numbers among them)
    int OldCount = 0;  // highest number that may still hold a file of the previous history
    std::vector<int> Frozen;                          // files that could not be read: never touched
    std::vector<std::pair<int, ClipTextRef>> Entries;  // ascending numbers and their new texts
};

// A journal too large to hold in memory, as places in its file: the texts stay where they are.
struct JournalIndex {
    int Count = 0, OldCount = 0;
    std::vector<int> Frozen;
    struct Entry {
        int Number;
        uint64_t First, Size;  // code units of the file
    };
    std::vector<Entry> Entries;
};

struct ClipCache {
    struct Entry {
        FileStamp Stamp;
        ClipTextRef Text;
    };
    std::vector<Entry> Clips;  // number 1 first
};

namespace ClipStoreRecords {
// The most numbers either file may speak of; a larger count is damage, not a history.
constexpr int kMaxNumber = 65535;

// A file's text as it is written: its own tags, numbers and line ends, and the clip texts where
// they are. It refers to the journal's or cache's texts: keep those while it is in use.
class RecordText {
public:
    TextPieces Pieces() const;
    ClipText Joined() const;

private:
    friend class RecordWriter;
    struct Part {
        const ClipText* text;  // nothing: `own_` from `at`
        size_t at, size;
    };
    ClipText own_;
    std::vector<Part> parts_;
};

RecordText JournalRecord(const ClipJournal& j);
RecordText CacheRecord(const ClipCache& c);
ClipText FormatJournal(const ClipJournal& j);
// Nothing unless the text is a whole, consistent journal with a matching checksum.
std::optional<ClipJournal> ParseJournal(const ClipText& text);
std::optional<ClipCache> ParseCache(const ClipText& text);
// Up to `count` code units of a record's file from code unit `first` on; nothing on a failure.
using PartReader = std::function<std::optional<ClipText>(uint64_t first, size_t count)>;
// The same checks as ParseJournal on a file of `size` code units, read a slice at a time.
std::optional<JournalIndex> ScanJournal(const PartReader& read, uint64_t size);
}  // namespace ClipStoreRecords
