#pragma once
// ClipStore: the clip history as one file per clip, "Clip1.qms" the oldest, numbered without
// gaps. The clip files are the truth; the store remembers what they hold, so a save writes only
// the numbers whose text changes, and the folder never loads as anything but the previous whole
// history or the new one, whenever the process dies.
//
// How a save stays whole: a save that touches one file writes it under a temporary name and
// moves it over the real one (or removes the newest file). A save that touches more first
// commits by moving a journal ("Clips.journal") into place that holds the new texts of every
// number that changes; then it writes those numbers in place, removes surplus numbers from the
// top down, and removes the journal. A load obeys a valid journal, so whatever the writing left
// half done is written again; one it cannot carry out (a full disk, a file held open) stays, and
// the history is read from it until a later save finishes it: the numbers it writes may hold cut
// texts meanwhile. Because the journal carries the texts, a renumbering of thousands
// of files is committed by one file write, can be carried out bit by bit, and a newer save
// simply commits a journal that covers whatever is still unwritten. When the journal cannot be
// written (a full disk, its name taken), the files stay as they are and each new clip is added
// above them in a step of its own; settling tries the whole history again. Temporary files lie
// in the folder above the clip folder: naming a new file among thousands costs a search of them.
// Where the clip folder lies on another volume, they lie in it: no move crosses volumes.
//
// A start reads "Clips.cache" (every text with the size and write time of its file, written
// when the store settles) and trusts it for each file the folder listing shows unchanged; only
// the others are opened. A file that cannot be read keeps its number and is never written,
// moved over or removed: the history goes on around it until it can be read at a later start.
// A history emptied for good keeps no such places: the file is set aside (renamed ".stray") before
// its number is used again or the history is taken to end below it, and until then a journal
// names it. A folder with a clip file's name is never touched and the history goes around it, as
// around a file past a gap that could not be set aside when the history reached it.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/ClipRecord.h"
#include "model/ClipStoreFileSystem.h"
#include "model/ClipStoreRecords.h"

class ClipStore {
public:
    // `folder` ends with a path separator.
    ClipStore(ClipStoreFileSystem& fs, std::string folder);

    static std::string ClipFileName(int number);  // "Clip" + number + ".qms"
    std::string ClipPath(int number) const { return folder_ + ClipFileName(number); }
    const std::string& Folder() const { return folder_; }

    // The stored texts, oldest first: a committed journal first, then every number from 1 up to
    // the first missing one. Lines for the log go to `problems`.
    // A file that memory cannot hold now is left as it is, like one that cannot be read; when
    // memory runs out elsewhere in the load, every file is left as it is (see LeaveFilesAlone).
    std::vector<ClipTextRef> Load(std::vector<std::string>& problems);
    // For a history that could not take all that was loaded: no file is written, moved or
    // removed until the next start, so nothing that was saved gets lost.
    void LeaveFilesAlone() { untouchable_ = true; }
    // What the last load could not do as it should, for the user to hear of it.
    enum class LoadTrouble { None, FilesLeftAlone };
    LoadTrouble Trouble() const { return untouchable_ ? LoadTrouble::FilesLeftAlone : LoadTrouble::None; }

    // A file larger than this is never read: a 32-bit process cannot hold its text.
    static constexpr uint64_t kMaxLoadBytes = 0x7FFFFFFF;
    // A journal larger than this is carried out slice by slice, not read at once.
    static constexpr uint64_t kWholeJournalBytes = 64u << 20;

    // Asked between file writes: true when the caller has a newer history to save, so the rest of
    // a committed change can wait for that save (which covers it).
    using Yield = std::function<bool()>;
    // Makes the folder hold the history given oldest first. False when it could not: the folder
    // then loads as the previous history, or as the new one once it was committed.
    bool Save(const std::vector<ClipTextRef>& oldestFirst, std::vector<std::string>& problems, const Yield& yield = {});
    // For when nothing else waits: finishes a committed change, writes again every clip file
    // that was removed or changed from outside, and brings the cache up to date.
    bool Settle(std::vector<std::string>& problems);
    // Removes every clip file of the history, and the cache with its copies of the texts.
    bool DeleteAll(std::vector<std::string>& problems);

    // Files written or removed by the last save: what a save costs.
    int LastSaveOperations() const { return lastOps_; }
    // A committed change is not yet wholly in the clip files.
    bool Pending() const { return journalOnDisk_; }
    // The last save could not make the folder hold the history it was given (the files hold the
    // previous one, perhaps with the new clips added); settling tries again.
    bool Behind() const { return behind_; }
    // Why the last file operation that failed did, in the platform's words; empty when unknown.
    const std::string& FailureReason() const { return failure_; }

private:
    struct Slot {
        std::optional<ClipTextRef> Text;  // nothing while the file's text is not known
        std::optional<FileStamp> Stamp;  // as a listing showed it; nothing right after our write
        bool Dirty = false;              // the file may not hold Text yet
    };
    std::string JournalPath() const { return folder_ + "Clips.journal"; }
    std::string CachePath() const { return folder_ + "Clips.cache"; }
    // Temporary files lie outside the clip folder, where naming a new file does not mean a
    // search through thousands of names.
    std::string TempPath(const std::string& name) const { return tempFolder_ + name + ".tmp"; }
    static bool IsTemporary(const std::string& name);
    // Writes `name` in the clip folder in one step: under a temporary name first, then moved.
    bool WriteAndMove(const std::string& name, const TextPieces& pieces, std::vector<std::string>& problems,
                      const std::string& failure);
    // Logs a failed file operation with the platform's reason, which the user is told as well.
    void Failed(std::vector<std::string>& problems, const std::string& line, const FileFailure& why);
    bool Frozen(int n) const { return frozen_.count(n) != 0; }
    Slot& At(int n) { return slots_[static_cast<size_t>(n - 1)]; }
    // Clip files read ahead of the load's loop, ascending numbers and their contents.
    struct EarlyReads {
        std::vector<int> Numbers;
        std::vector<std::optional<ClipFileContent>> Contents;
        std::optional<ClipFileContent> Take(int n);  // nothing for a number not read ahead or not readable
    };
    EarlyReads ReadEarly(const std::map<int, const FolderEntry*>& files, const std::optional<ClipCache>& cache,
                         const std::map<int, const ClipTextRef*>& committed, int last);
    std::vector<ClipTextRef> LoadFolder(std::vector<std::string>& problems, bool journalDone = false);
    std::optional<ClipJournal> ReadJournal(const std::vector<FolderEntry>& listing, std::vector<std::string>& problems);
    // Carries out the journal straight from its file. Nothing once it is done or ignored; else the
    // journal as it stays, to be read from (when it cannot be read, every file is left as it is).
    std::optional<JournalIndex> FinishJournalInPieces(const std::vector<FolderEntry>& listing, uint64_t bytes,
                                                      std::vector<std::string>& problems);
    // The texts of a journal that stays, each read from its place in the file.
    std::optional<ClipJournal> ReadJournalTexts(const JournalIndex& index, std::vector<std::string>& problems);
    // No file is read further, nor any written until a later start: the journal cannot be read now.
    void LeaveJournal(std::vector<std::string>& problems);
    // A journal that proves no committed save is logged and removed.
    void IgnoreJournal(std::vector<std::string>& problems);
    // The file's text, when the listing shows a size that can be read and the read gives all of it.
    std::optional<ClipFileContent> LoadClipFile(int n, const FolderEntry& e, std::vector<std::string>& problems,
                                                std::optional<ClipFileContent> early);
    void DropTemporaryFiles(const std::vector<FolderEntry>& listing);
    void StartFromListing();
    std::vector<ClipTextRef> CurrentTexts() const;
    // Renames clip file n out of the numbering under a name no file has yet.
    bool MoveAside(int n, std::vector<std::string>& problems);
    void SetAside(int n, std::vector<std::string>& problems);
    int Top() const;  // the highest number a file of the store may still have
    // Number by number, the texts' places: nothing where a frozen file stays, an empty text where
    // a number below one has no text of its own.
    std::vector<const ClipTextRef*> Layout(const std::vector<ClipTextRef>& texts, std::vector<std::string>& problems);
    std::optional<ClipFileContent> ReadClipFile(int n, std::vector<std::string>& problems);  // logs a failure
    bool WriteOne(int n, const ClipTextRef& text, std::vector<std::string>& problems);
    bool SaveWhole(const std::vector<ClipTextRef>& texts, std::vector<std::string>& problems, const Yield& yield);
    bool SaveAround(const std::vector<ClipTextRef>& texts, std::vector<std::string>& problems);
    bool Commit(const std::vector<const ClipTextRef*>& layout, const std::vector<int>& changed,
                std::vector<std::string>& problems);
    bool Verify(std::vector<std::string>& problems);  // true when every file is as written
    bool WriteCache(std::vector<std::string>& problems);

    ClipStoreFileSystem& fs_;
    std::string folder_;
    std::string tempFolder_;
    std::vector<Slot> slots_;  // number n at n - 1; beyond count_: files still to remove
    int count_ = 0;            // numbers in the history, frozen ones among them
    std::set<int> frozen_;     // never written, moved or removed: files that could not be read, and around_
    std::set<int> around_;     // frozen, no place: folders, and files past a gap that could not be set aside
    std::set<int> strays_;     // files of an emptied history, still to be set aside
    std::set<int> beyondGap_;  // clip files found past the first gap: not part of the history
    bool loaded_ = false;
    bool untouchable_ = false;  // a history memory could not hold: no file is written until a later start
    bool journalOnDisk_ = false;
    bool journalCovers_ = false;  // the journal on disk names every dirty number
    bool cacheCurrent_ = false;
    int lastOps_ = 0;
    bool behind_ = false;
    bool aroundJournal_ = false;  // a journal could not be written: saves add new clips around the files
    bool settling_ = false;
    std::string failure_;
    std::optional<std::vector<ClipTextRef>> wanted_;  // the history a save could not commit, kept to try again
};
