#pragma once
// ClipStore: the clip history as one file per clip, "Clip1.qms" the oldest, numbered without
// gaps. It remembers what the folder holds, so a save writes only the files whose text changes,
// and it never leaves the folder in a state that loads as anything but the previous complete
// history or the new one, whenever the process dies.
//
// How a save stays whole: a save that touches one file writes it under a temporary name and
// moves it over the real one. A save that touches several first writes every new text under a
// temporary name, then commits by moving a small journal ("Clips.journal") into place, then
// moves the texts over their numbers, removes surplus numbers from the top down, and removes the
// journal. Loading finishes a committed journal first and drops uncommitted temporary files.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ClipRecord.h"
#include "app/ClipStoreFileSystem.h"

class ClipStore {
public:
    // `folder` ends with a path separator.
    ClipStore(ClipStoreFileSystem& fs, std::string folder);

    static std::string ClipFileName(int number);  // "Clip" + number + ".qms"
    std::string ClipPath(int number) const { return folder_ + ClipFileName(number); }
    const std::string& Folder() const { return folder_; }

    // The stored texts, oldest first, read from number 1 up to the first missing number. A file
    // that cannot be read gives an empty text. Lines for the log go to `problems`.
    std::vector<ClipText> Load(std::vector<std::string>& problems);
    // Makes the folder hold the history given oldest first (the oldest becomes number 1). False when the folder could not be
    // brought there; it then still loads as the previous history (or, when the journal was
    // already committed, as the new one once the next load or save completes it).
    bool Save(const std::vector<ClipRecord>& oldestFirst, std::vector<std::string>& problems);
    // Removes every clip file from number 1 up to the first missing number, as one step.
    bool DeleteAll(std::vector<std::string>& problems);

    // Files written or removed by the last save: what a save costs.
    int LastSaveOperations() const { return lastOps_; }

private:
    struct Journal {
        int First = 0;     // first number whose text is new
        int Count = 0;     // numbers in the new history
        int OldCount = 0;  // numbers in the previous history
    };
    std::string TempPath(int number) const { return ClipPath(number) + ".tmp"; }
    std::string JournalPath() const { return folder_ + "Clips.journal"; }
    int CountOnDisk();
    std::optional<Journal> ReadJournal(std::vector<std::string>& problems);
    bool Recover(std::vector<std::string>& problems);
    bool Apply(const Journal& j, std::vector<std::string>& problems);
    void DropTemporaryFiles();
    void SetAsideStrays(int oldCount, int count, std::vector<std::string>& problems);
    // Moves the folder from the mirror to `wanted` (oldest first); `first` is the first 0-based
    // number whose text changes.
    bool Commit(const std::vector<const ClipText*>& wanted, size_t first, std::vector<std::string>& problems);

    ClipStoreFileSystem& fs_;
    std::string folder_;
    // What the folder holds, oldest first; nothing for a file whose text is not known.
    std::vector<std::optional<ClipText>> mirror_;
    bool mirrorKnown_ = false;
    bool journalPending_ = false;
    int lastOps_ = 0;
};
