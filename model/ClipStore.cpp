#include "model/ClipStore.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>
#include <new>

#include "model/ClipStoreRecords.h"

namespace {
using ClipStoreRecords::kMaxNumber;

// An empty clip file: a place below a frozen one, no clip. Made at start-up like every object the
// save thread uses: one made on that thread's first use would register its destruction under the
// lock that the process's end holds while it waits for that thread.
const ClipTextRef kEmptyPlace;

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string s) {
    for (char& c : s) c = LowerChar(c);
    return s;
}

// Two names the file system takes for one: equal in any case. Compared in place, as a listing
// may hold thousands of names.
bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

// The number of a clip file's name ("Clip" digits ".qms", in any case, as the platform matches
// names); 0 for any other name.
int ClipNumberOf(const std::string& name) {
    const std::string n = Lower(name);
    if (n.size() < 9 || n.compare(0, 4, "clip") != 0 || !EndsWith(n, ".qms")) return 0;
    const std::string digits = n.substr(4, n.size() - 8);
    if (digits.size() > 5 || digits[0] == '0') return 0;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        v = v * 10 + (c - '0');
    }
    return v <= kMaxNumber ? v : 0;
}

using ClipFiles = std::map<int, const FolderEntry*>;

// A committed save keeps every number up to its count that it does not write: those files must be
// there, or the journal proves nothing.
bool KeepsOnlyPresentFiles(int count, const std::set<int>& written, const ClipFiles& files) {
    for (int n = 1; n <= count; ++n)
        if (!written.count(n) && !files.count(n)) return false;
    return true;
}

ClipFiles ClipFilesOf(const std::vector<FolderEntry>& listing) {
    ClipFiles files;
    for (const auto& e : listing)
        if (const int n = ClipNumberOf(e.Name)) files[n] = &e;
    return files;
}

// Names are found as the file system finds them: in any case.
const FolderEntry* Find(const std::vector<FolderEntry>& listing, const std::string& name) {
    const auto it = std::find_if(listing.begin(), listing.end(), [&](const FolderEntry& e) { return SameName(e.Name, name); });
    return it == listing.end() ? nullptr : &*it;
}
bool Listed(const std::vector<FolderEntry>& listing, const std::string& name) { return Find(listing, name) != nullptr; }

// A journal's frozen numbers that are no places of its history: the files there, kept from an
// emptied history or past a gap, are set aside before the journal writes the number or ends the
// history below it. A folder is never one.
template <typename Numbers>
std::set<int> StraysOf(const std::vector<int>& frozen, int count, const Numbers& written, const ClipFiles& files) {
    std::set<int> strays;
    for (int n : frozen)
        if (const auto f = files.find(n); f != files.end() && !f->second->Folder && (n > count || written.count(n)))
            strays.insert(n);
    return strays;
}

// True when a read gave as many bytes as the listing shows: a read cut short (or a file written
// meanwhile) must never stand for the file.
bool WholeRead(const ClipFileContent& c, uint64_t listedBytes) {
    const uint64_t units = c.Text.size();
    return c.OddSize ? listedBytes == 2 * units + 1 || listedBytes + 1 == 2 * units : listedBytes == 2 * units;
}
}  // namespace

ClipStore::EarlyReads ClipStore::ReadEarly(const std::map<int, const FolderEntry*>& files,
                                           const std::optional<ClipCache>& cache,
                                           const std::map<int, const ClipTextRef*>& committed, int last) {
    // The files the loop below will open, in its order: up to the first gap, less those the
    // journal or the cache answer for.
    EarlyReads early;
    if (!fs_.ConcurrentReads()) return early;
    for (int n = 1; n <= last; ++n) {
        if (committed.count(n)) continue;
        const auto f = files.find(n);
        if (f != files.end() && f->second->Folder) continue;
        if (f == files.end() || !f->second->Normal) break;
        const size_t i = static_cast<size_t>(n - 1);
        if (!(cache && i < cache->Clips.size() && cache->Clips[i].Stamp == f->second->Stamp) &&
            f->second->Stamp.Size <= kMaxLoadBytes)
            early.Numbers.push_back(n);
    }
    // A start without the cache spends its time opening files one by one, mostly waiting on the
    // platform: a second thread reads meanwhile. A file either thread cannot read is read again
    // in order, where its failure is logged.
    if (early.Numbers.size() < 64) {
        early.Numbers.clear();
        return early;
    }
    early.Contents.resize(early.Numbers.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t k; (k = next++) < early.Numbers.size();) {
            try {
                early.Contents[k] = fs_.Read(ClipPath(early.Numbers[k]));
            } catch (...) {
            }
        }
    };
    std::thread helper(work);
    work();
    helper.join();
    return early;
}

std::optional<ClipFileContent> ClipStore::EarlyReads::Take(int n) {
    const auto it = std::lower_bound(Numbers.begin(), Numbers.end(), n);
    if (it == Numbers.end() || *it != n) return std::nullopt;
    return std::move(Contents[static_cast<size_t>(it - Numbers.begin())]);
}

ClipStore::ClipStore(ClipStoreFileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {
    // The folder above the clip folder: a few files, where looking up a name costs nothing.
    const size_t slash = folder_.find_last_of("\\/", folder_.size() >= 2 ? folder_.size() - 2 : 0);
    tempFolder_ = slash == std::string::npos ? folder_ : folder_.substr(0, slash + 1);
}

std::string ClipStore::ClipFileName(int number) { return "Clip" + std::to_string(number) + ".qms"; }

bool ClipStore::IsTemporary(const std::string& name) {
    const std::string n = Lower(name);
    return EndsWith(n, ".qms.tmp") || n == "clips.journal.tmp" || n == "clips.cache.tmp";
}

void ClipStore::DropTemporaryFiles(const std::vector<FolderEntry>& listing) {
    for (const auto& e : listing)
        if (IsTemporary(e.Name)) fs_.Remove(folder_ + e.Name);
    if (tempFolder_ != folder_)
        for (const auto& e : fs_.List(tempFolder_))
            if (IsTemporary(e.Name)) fs_.Remove(tempFolder_ + e.Name);
}

bool ClipStore::WriteAndMove(const std::string& name, const TextPieces& pieces, std::vector<std::string>& problems,
                             const std::string& failure) {
    const std::string temp = TempPath(name);
    if (fs_.WritePiecesDurably(temp, pieces) && fs_.Replace(temp, folder_ + name)) return true;
    const FileFailure why = fs_.LastFailure();  // before the clean-up can fail in its own way
    fs_.Remove(temp);
    if (why.OtherVolume && tempFolder_ != folder_) {
        // The clip folder lies on another volume (mounted there, or a link to one), and a file moves
        // into it in one step only from inside it: temporary files go there for the rest of the run.
        tempFolder_ = folder_;
        return WriteAndMove(name, pieces, problems, failure);
    }
    Failed(problems, failure + folder_ + name, why);
    return false;
}

void ClipStore::Failed(std::vector<std::string>& problems, const std::string& line, const FileFailure& why) {
    problems.push_back(why.Reason.empty() ? line : line + " (" + why.Reason + ")");
    failure_ = why.Reason;
}

std::optional<ClipJournal> ClipStore::ReadJournal(const std::vector<FolderEntry>& listing,
                                                  std::vector<std::string>& problems) {
    std::optional<ClipJournal> j;
    const auto content = fs_.Read(JournalPath());  // memory that runs out: the caller reads it in pieces
    if (!content) {
        LeaveJournal(problems);  // unread, it proves nothing either way
        return j;
    }
    j = ClipStoreRecords::ParseJournal(content->Text);
    if (j) {
        std::set<int> written(j->Frozen.begin(), j->Frozen.end());
        for (const auto& e : j->Entries) written.insert(e.first);
        if (!KeepsOnlyPresentFiles(j->Count, written, ClipFilesOf(listing))) j.reset();
    }
    if (!j) IgnoreJournal(problems);
    return j;
}

std::optional<ClipFileContent> ClipStore::ReadClipFile(int n, std::vector<std::string>& problems) {
    try {
        if (auto content = fs_.Read(ClipPath(n))) return content;
        problems.push_back(">>> Cannot read clip file, left as it is until it can be read at a later start: " +
                           ClipPath(n));
    } catch (const std::bad_alloc&) {
        problems.push_back(">>> Not enough memory to load clip file, left as it is for a later start: " + ClipPath(n));
    }
    return std::nullopt;
}

std::optional<ClipFileContent> ClipStore::LoadClipFile(int n, const FolderEntry& e, std::vector<std::string>& problems,
                                                       std::optional<ClipFileContent> early) {
    if (e.Stamp.Size > kMaxLoadBytes) {
        problems.push_back(">>> Clip file too large to load (" + std::to_string(e.Stamp.Size) +
                           " bytes), left as it is: " + ClipPath(n));
        return std::nullopt;
    }
    auto content = early ? std::move(early) : ReadClipFile(n, problems);
    if (content && !WholeRead(*content, e.Stamp.Size)) {
        problems.push_back(">>> Clip file read short or changed while read, left as it is for a later start: " +
                           ClipPath(n));
        return std::nullopt;
    }
    return content;
}

std::optional<JournalIndex> ClipStore::FinishJournalInPieces(const std::vector<FolderEntry>& listing, uint64_t bytes,
                                                             std::vector<std::string>& problems) {
    problems.push_back(">>> The clip journal is too large to read at once (" + std::to_string(bytes) +
                       " bytes); its save is carried out piece by piece: " + JournalPath());
    bool unread = false;
    const auto read = [&](uint64_t first, size_t count) {
        auto part = fs_.ReadPart(JournalPath(), first, count);
        unread = unread || !part;
        return part;
    };
    // (Memory that runs out even for its index leaves every file as it is: see Load.)
    std::optional<JournalIndex> j;
    if (bytes % 2 == 0) j = ClipStoreRecords::ScanJournal(read, bytes / 2);
    if (unread) {
        LeaveJournal(problems);
        return std::nullopt;
    }
    const ClipFiles files = ClipFilesOf(listing);
    std::set<int> written, entries;
    if (j) {
        written.insert(j->Frozen.begin(), j->Frozen.end());
        for (const auto& e : j->Entries) entries.insert(e.Number);
        written.insert(entries.begin(), entries.end());
        if (!KeepsOnlyPresentFiles(j->Count, written, files)) j.reset();
    }
    if (!j) {
        IgnoreJournal(problems);
        return std::nullopt;
    }
    // A step that fails leaves the rest for a later save: the journal stays, and the history is read
    // from it; the numbers it has written meanwhile may hold cut texts that nothing loads.
    const auto failed = [&](const std::string& line) {
        if (!line.empty()) Failed(problems, line, fs_.LastFailure());  // a move aside logs itself
        problems.push_back(">>> The interrupted save of the clip files is completed later: " + JournalPath());
        return j;
    };
    const std::set<int> strays = StraysOf(j->Frozen, j->Count, entries, files);
    for (const auto& e : j->Entries) {
        if (strays.count(e.Number) && !MoveAside(e.Number, problems)) return failed("");
        if (!fs_.CopyPartDurably(JournalPath(), e.First, e.Size, ClipPath(e.Number)))
            return failed(">>> Cannot write clip file: " + ClipPath(e.Number));
    }
    const int top = std::max(j->OldCount, strays.empty() ? 0 : *strays.rbegin());
    for (int n = top; n > j->Count; --n) {
        const auto f = files.find(n);
        if (f == files.end() || f->second->Folder) continue;
        if (strays.count(n) ? !MoveAside(n, problems) : !fs_.Remove(ClipPath(n)))
            return failed(strays.count(n) ? "" : ">>> Cannot delete clip file: " + ClipPath(n));
    }
    if (!fs_.Remove(JournalPath())) return failed(">>> Cannot delete the clip journal: " + JournalPath());
    problems.push_back(">>> Completed an interrupted save of the clip files");
    return std::nullopt;
}

std::optional<ClipJournal> ClipStore::ReadJournalTexts(const JournalIndex& index, std::vector<std::string>& problems) {
    ClipJournal j{index.Count, index.OldCount, index.Frozen, {}};
    for (const auto& e : index.Entries) {
        auto text =
            e.Size > SIZE_MAX ? std::nullopt : fs_.ReadPart(JournalPath(), e.First, static_cast<size_t>(e.Size));
        if (!text || text->size() != e.Size) {
            LeaveJournal(problems);
            return std::nullopt;
        }
        j.Entries.emplace_back(e.Number, std::move(*text));
    }
    return j;
}

void ClipStore::IgnoreJournal(std::vector<std::string>& problems) {
    problems.push_back(">>> Clip journal ignored, it does not prove a committed save: " + JournalPath());
    fs_.Remove(JournalPath());
}

void ClipStore::LeaveJournal(std::vector<std::string>& problems) {
    problems.push_back(">>> Cannot read the clip journal; the clip files are left as they are until a later start: " +
                       JournalPath());
    untouchable_ = true;
}

std::vector<ClipTextRef> ClipStore::Load(std::vector<std::string>& problems) {
    try {
        return LoadFolder(problems);
    } catch (const std::bad_alloc&) {
        slots_.clear();
        count_ = 0;
        untouchable_ = true;
        problems.push_back(">>> Not enough memory to load the clip files; they are left as they are: " + folder_);
        return {};
    }
}

std::vector<ClipTextRef> ClipStore::LoadFolder(std::vector<std::string>& problems, bool journalDone) {
    slots_.clear();
    frozen_.clear();
    around_.clear();
    strays_.clear();
    beyondGap_.clear();
    journalOnDisk_ = cacheCurrent_ = untouchable_ = false;
    loaded_ = true;
    std::vector<FolderEntry> listing = fs_.List(folder_);
    std::optional<ClipJournal> journal;
    const FolderEntry* j = Find(listing, "Clips.journal");
    if (j && j->Folder) IgnoreJournal(problems);  // a folder in its place: no save can be committed
    if (j && !j->Folder && !journalDone) {
        const uint64_t bytes = j->Stamp.Size;
        bool inPieces = bytes > kWholeJournalBytes;
        if (!inPieces) {
            try {
                journal = ReadJournal(listing, problems);
            } catch (const std::bad_alloc&) {
                inPieces = true;
            }
        }
        if (inPieces) {
            const std::optional<JournalIndex> left = FinishJournalInPieces(listing, bytes, problems);
            // Done or ignored: the folder as the journal left it. Else the history is read from it.
            if (!left && !untouchable_) return LoadFolder(problems, true);
            if (left) journal = ReadJournalTexts(*left, problems);
            listing = fs_.List(folder_);
        }
        if (untouchable_) return {};  // nothing the journal may have changed is shown
    }
    const ClipFiles files = ClipFilesOf(listing);
    DropTemporaryFiles(listing);
    std::optional<ClipCache> cache;
    if (const FolderEntry* c = Find(listing, "Clips.cache"); c && c->Stamp.Size > kMaxLoadBytes) {
        problems.push_back(">>> Clip cache too large to read, every clip file is read: " + CachePath());
    } else if (c) {
        try {
            const auto content = fs_.Read(CachePath());
            if (content) cache = ClipStoreRecords::ParseCache(content->Text);
        } catch (const std::bad_alloc&) {
            cache.reset();  // the files one by one need no block of the whole history's size
        }
        if (!cache) problems.push_back(">>> Clip cache ignored, every clip file is read: " + CachePath());
    }
    std::map<int, const ClipTextRef*> committed;
    if (journal) {
        problems.push_back(">>> Completing an interrupted save of the clip files");
        for (const auto& [n, text] : journal->Entries) committed[n] = &text;
        strays_ = StraysOf(journal->Frozen, journal->Count, committed, files);
    }
    for (const auto& [n, e] : files)
        if (e->Folder) {
            // Never a clip, never touched: the history goes around it.
            problems.push_back(">>> A folder has the name of a clip file, left as it is: " + ClipPath(n));
            frozen_.insert(n);
            around_.insert(n);
        }

    std::vector<ClipTextRef> texts;
    const int last = journal ? journal->Count : kMaxNumber;
    EarlyReads early = ReadEarly(files, cache, committed, last);
    for (int n = 1; n <= last; ++n) {
        Slot s;
        if (const auto c = committed.find(n); c != committed.end()) {
            s.Text = *c->second;  // the file may not hold it yet
            s.Dirty = true;
            if (!s.Text->empty()) texts.push_back(*s.Text);
            slots_.push_back(std::move(s));
            continue;
        }
        const auto f = files.find(n);
        if (f == files.end() && journal) {
            // A file the committed save left alone, gone since: its number takes the next text.
            slots_.emplace_back();
            continue;
        }
        if (f == files.end()) break;
        const FolderEntry& e = *f->second;
        if (e.Folder) {
            slots_.emplace_back();
            continue;
        }
        if (!e.Normal) {
            problems.push_back(">>> The history ends before " + ClipPath(n) + ": a hidden file has its name");
            break;
        }
        const size_t i = static_cast<size_t>(n - 1);
        if (cache && i < cache->Clips.size() && cache->Clips[i].Stamp == e.Stamp) {
            s.Text = std::move(cache->Clips[i].Text);
        } else if (auto content = LoadClipFile(n, e, problems, early.Take(n))) {
            if (content->OddSize) problems.push_back(">>> Clip file has an odd size: " + ClipPath(n));
            s.Text = std::move(content->Text);
        } else {
            frozen_.insert(n);
            slots_.emplace_back();
            continue;
        }
        s.Stamp = e.Stamp;
        if (!s.Text->empty()) texts.push_back(*s.Text);  // an empty file holds a place, no clip
        slots_.push_back(std::move(s));
    }
    count_ = static_cast<int>(slots_.size());
    // Numbers a committed save still has to remove lie right above the new history.
    if (journal)
        while (static_cast<int>(slots_.size()) < journal->OldCount && files.count(static_cast<int>(slots_.size()) + 1))
            slots_.emplace_back();
    for (const auto& [n, e] : files)
        if (n > static_cast<int>(slots_.size()) && !frozen_.count(n) && !strays_.count(n)) beyondGap_.insert(n);
    journalOnDisk_ = journalCovers_ = journal.has_value();
    return texts;
}

void ClipStore::StartFromListing() {
    // Whatever the folder holds now: the numbers are known, their texts are not.
    const std::vector<FolderEntry> listing = fs_.List(folder_);
    const ClipFiles files = ClipFilesOf(listing);
    slots_.clear();
    beyondGap_.clear();
    for (const auto& [n, e] : files)
        if (e->Folder) frozen_.insert(n), around_.insert(n);
    for (int n = 1;; ++n) {
        const auto f = files.find(n);
        if (f == files.end() || !(f->second->Normal || f->second->Folder)) break;
        slots_.push_back(Slot{std::nullopt, f->second->Stamp, false});
    }
    count_ = static_cast<int>(slots_.size());
    for (const auto& [n, e] : files)
        if (n > count_ && !frozen_.count(n) && !strays_.count(n)) beyondGap_.insert(n);
    loaded_ = true;
    cacheCurrent_ = false;
}

std::vector<ClipTextRef> ClipStore::CurrentTexts() const {
    std::vector<ClipTextRef> texts;
    for (int n = 1; n <= count_; ++n) {
        const Slot& s = slots_[static_cast<size_t>(n - 1)];
        if (!Frozen(n) && s.Text && !s.Text->empty()) texts.push_back(*s.Text);
    }
    return texts;
}

bool ClipStore::MoveAside(int n, std::vector<std::string>& problems) {
    // A name taken in any case is taken: the move would replace that file.
    const std::vector<FolderEntry> listing = fs_.List(folder_);
    std::string aside = ClipPath(n) + ".stray";
    for (int k = 2; Listed(listing, aside.substr(folder_.size())); ++k)
        aside = ClipPath(n) + ".stray" + std::to_string(k);
    if (fs_.Replace(ClipPath(n), aside)) {
        problems.push_back(">>> Stray clip file set aside: " + aside);
        return true;
    }
    Failed(problems, ">>> Cannot set aside stray clip file, left as it is: " + ClipPath(n), fs_.LastFailure());
    return false;
}

void ClipStore::SetAside(int n, std::vector<std::string>& problems) {
    // A file past a gap (a hidden one makes the gap) was never loaded; once the history grows up
    // to it, it would be written over or join the history. Renamed, it stays on disk out of the
    // numbering; one that cannot be renamed (a link, a held file) keeps its number and the history
    // goes around it.
    beyondGap_.erase(n);
    if (!MoveAside(n, problems)) {
        frozen_.insert(n);
        around_.insert(n);
    }
}

int ClipStore::Top() const {
    return std::max(static_cast<int>(slots_.size()), strays_.empty() ? 0 : *strays_.rbegin());
}

std::vector<const ClipTextRef*> ClipStore::Layout(const std::vector<ClipTextRef>& texts,
                                                   std::vector<std::string>& problems) {
    // A history emptied for good keeps no places: a file it could not read goes aside.
    if (texts.empty()) {
        for (int f : frozen_)
            if (!around_.count(f)) strays_.insert(f);
        frozen_ = around_;
    }
    std::vector<const ClipTextRef*> layout;
    size_t i = 0;
    int n = 1;
    // A file past a gap that the history now reaches is set aside; true when n takes a text.
    auto takes = [&] {
        if (beyondGap_.count(n) && n > static_cast<int>(slots_.size())) SetAside(n, problems);
        return !Frozen(n);
    };
    // Each frozen file keeps its number, and the texts that lay below it stay below it.
    size_t older = 0;
    int seen = 1;
    const std::vector<int> frozen(frozen_.begin(), frozen_.end());
    for (int f : frozen) {
        if (around_.count(f)) continue;  // no place: the history goes around them
        for (; seen < f && seen <= static_cast<int>(slots_.size()); ++seen) {
            const Slot& s = At(seen);
            if (!Frozen(seen) && s.Text && !s.Text->empty() && older < texts.size() && *s.Text == texts[older]) ++older;
        }
        for (; n < f; ++n) layout.push_back(!takes() ? nullptr : i < older ? &texts[i++] : &kEmptyPlace);
        layout.push_back(nullptr);
        n = f + 1;
    }
    for (; i < texts.size() && n <= kMaxNumber; ++n) layout.push_back(takes() ? &texts[i++] : nullptr);
    // Files right above the new history would join it at the next load.
    for (; beyondGap_.count(n) && n > static_cast<int>(slots_.size()); ++n) SetAside(n, problems);
    return layout;
}

bool ClipStore::WriteOne(int n, const ClipTextRef& text, std::vector<std::string>& problems) {
    if (!WriteAndMove(ClipFileName(n), {text.Str()}, problems, ">>> Cannot write clip file: ")) return false;
    if (n > static_cast<int>(slots_.size())) slots_.resize(static_cast<size_t>(n));
    At(n) = Slot{text, std::nullopt, false};
    return true;
}

bool ClipStore::Commit(const std::vector<const ClipTextRef*>& layout, const std::vector<int>& changed,
                       std::vector<std::string>& problems) {
    ClipJournal j;
    j.Count = static_cast<int>(layout.size());
    j.OldCount = Top();
    // Strays are frozen numbers as well: the journal's own count and entries tell them from places.
    // A file gone around above the count is none of the journal's: a later load meets it past a gap.
    std::set<int> frozen = strays_;
    for (int n : frozen_)
        if (n <= j.Count || !around_.count(n)) frozen.insert(n);
    j.Frozen.assign(frozen.begin(), frozen.end());
    for (int n : changed) j.Entries.emplace_back(n, *layout[static_cast<size_t>(n - 1)]);
    if (!WriteAndMove("Clips.journal", ClipStoreRecords::JournalRecord(j).Pieces(), problems,
                      ">>> Cannot write the clip journal: "))
        return false;
    journalOnDisk_ = true;
    return true;
}

bool ClipStore::SaveAround(const std::vector<ClipTextRef>& texts, std::vector<std::string>& problems) {
    // The change needs a journal that cannot be written (a full disk, a blocked name). The files
    // stay as they are, and the texts that come after every stored one in the history (the new
    // clips) are added above them one by one, each in one step that needs room for itself alone.
    // Deleted clips stay on disk until a later save can commit the whole history.
    behind_ = aroundJournal_ = true;
    wanted_ = texts;
    if (journalOnDisk_) return false;  // numbers above a committed change would be thrown away
    size_t next = 0;
    for (int n = 1; n <= static_cast<int>(slots_.size()) && next < texts.size(); ++n)
        if (!Frozen(n) && At(n).Text && *At(n).Text == texts[next]) ++next;
    if (next < texts.size())
        problems.push_back(">>> The clip files are left as they are and new clips are added above them, "
                           "until the whole history can be saved: " + folder_);
    for (int n = static_cast<int>(slots_.size()) + 1; next < texts.size() && n <= kMaxNumber; ++n) {
        if (beyondGap_.count(n)) SetAside(n, problems);
        if (Frozen(n)) continue;
        if (strays_.count(n) || !WriteOne(n, texts[next], problems)) break;
        ++next;
    }
    count_ = static_cast<int>(slots_.size());
    return false;
}

bool ClipStore::Save(const std::vector<ClipTextRef>& texts, std::vector<std::string>& problems, const Yield& yield) {
    // Once a journal could not be written, captures do not try it again (and fill the disk anew)
    // each time: settling does, when nothing waits.
    if (untouchable_) return false;
    if (aroundJournal_ && !settling_) return SaveAround(texts, problems);
    const bool ok = SaveWhole(texts, problems, yield);
    if (ok) {
        behind_ = aroundJournal_ = false;
        wanted_.reset();
    } else {
        behind_ = true;
        wanted_ = texts;
    }
    return ok;
}

bool ClipStore::SaveWhole(const std::vector<ClipTextRef>& texts, std::vector<std::string>& problems, const Yield& yield) {
    lastOps_ = 0;
    if (!loaded_) StartFromListing();
    const std::vector<const ClipTextRef*> layout = Layout(texts, problems);
    const int count = static_cast<int>(layout.size());
    std::vector<int> changed, removals;
    bool textsChange = count != count_;
    for (int n = 1; n <= count; ++n) {
        const ClipTextRef* want = layout[static_cast<size_t>(n - 1)];
        if (!want) continue;
        const bool known = n <= static_cast<int>(slots_.size()) && At(n).Text && *At(n).Text == *want;
        if (!known) textsChange = true;
        if (!known || At(n).Dirty) changed.push_back(n);
    }
    // Strays above the history are moved aside, the others' files removed.
    for (int n = Top(); n > count; --n)
        if (strays_.count(n) || (n <= static_cast<int>(slots_.size()) && !Frozen(n))) removals.push_back(n);
    lastOps_ = static_cast<int>(changed.size() + removals.size());
    if (lastOps_ == 0) {
        if (journalOnDisk_ && !fs_.Remove(JournalPath())) return false;
        journalOnDisk_ = false;
        return true;
    }
    fs_.CreateFolder(folder_);  // fails harmlessly when it exists
    cacheCurrent_ = false;

    if (!journalOnDisk_ && lastOps_ == 1 && strays_.empty()) {
        // One file changes: moving it into place (or removing the newest) is the whole step. A
        // stray is left to a journal, which names it until it could be moved.
        if (!changed.empty()) {
            if (!WriteOne(changed[0], *layout[static_cast<size_t>(changed[0] - 1)], problems)) return false;
        } else if (!fs_.Remove(ClipPath(removals[0]))) {
            Failed(problems, ">>> Cannot delete clip file: " + ClipPath(removals[0]), fs_.LastFailure());
            return false;
        }
        slots_.resize(static_cast<size_t>(count));
        count_ = count;
        return true;
    }

    // A journal already on disk covers every dirty number as long as no text changed since.
    if (!(journalOnDisk_ && journalCovers_ && !textsChange) && !Commit(layout, changed, problems))
        return SaveAround(texts, problems);
    journalCovers_ = true;
    // Committed: from here on the new history is what the folder loads as.
    if (count > static_cast<int>(slots_.size())) slots_.resize(static_cast<size_t>(count));
    for (int n : changed) At(n) = Slot{*layout[static_cast<size_t>(n - 1)], std::nullopt, true};
    count_ = count;
    for (int n : changed) {
        if (yield && yield()) return true;
        if (strays_.count(n)) {
            if (!MoveAside(n, problems)) return false;
            strays_.erase(n);
        }
        if (!fs_.WriteDurably(ClipPath(n), *At(n).Text)) {
            Failed(problems, ">>> Cannot write clip file: " + ClipPath(n), fs_.LastFailure());
            return false;
        }
        At(n).Dirty = false;
    }
    // From the top down, so that even without the journal no gap opens below a kept number.
    for (int n : removals) {
        if (yield && yield()) return true;
        if (strays_.count(n)) {
            if (!MoveAside(n, problems)) return false;
            strays_.erase(n);
        } else if (!fs_.Remove(ClipPath(n))) {
            Failed(problems, ">>> Cannot delete clip file: " + ClipPath(n), fs_.LastFailure());
            return false;
        }
        slots_.resize(std::min(slots_.size(), static_cast<size_t>(n - 1)));
    }
    slots_.resize(static_cast<size_t>(count));
    if (!fs_.Remove(JournalPath())) {
        Failed(problems, ">>> Cannot delete the clip journal: " + JournalPath(), fs_.LastFailure());
        return false;
    }
    journalOnDisk_ = false;
    return true;
}

bool ClipStore::Verify(std::vector<std::string>& problems) {
    const std::vector<FolderEntry> listing = fs_.List(folder_);
    const ClipFiles files = ClipFilesOf(listing);
    bool same = true;
    for (int n = 1; n <= count_; ++n) {
        if (Frozen(n)) continue;
        Slot& s = At(n);
        const auto f = files.find(n);
        if (f == files.end() || !f->second->Normal) {
            problems.push_back(">>> Clip file removed from outside, written again: " + ClipPath(n));
        } else if (!s.Stamp) {
            s.Stamp = f->second->Stamp;  // our own write, seen for the first time
            continue;
        } else if (*s.Stamp == f->second->Stamp) {
            continue;
        } else {
            problems.push_back(">>> Clip file changed from outside, written again: " + ClipPath(n));
        }
        s.Dirty = true;
        s.Stamp.reset();
        same = false;
    }
    if (!same) journalCovers_ = false;
    return same;
}

bool ClipStore::WriteCache(std::vector<std::string>& problems) {
    ClipCache c;
    for (int n = 1; n <= count_; ++n) {
        const Slot& s = At(n);
        if (Frozen(n) || !s.Text || !s.Stamp || s.Dirty) c.Clips.push_back({FileStamp{UINT64_MAX, UINT64_MAX}, {}});
        else c.Clips.push_back({*s.Stamp, *s.Text});
    }
    if (c.Clips.empty()) {
        // Nothing to cache, and no folder to make for it before the first clip is saved; a cache
        // of clips deleted since must not outlive them.
        fs_.Remove(CachePath());
        cacheCurrent_ = true;
        return true;
    }
    if (!WriteAndMove("Clips.cache", ClipStoreRecords::CacheRecord(c).Pieces(), problems,
                      ">>> Cannot write the clip cache: "))
        return false;
    cacheCurrent_ = true;
    return true;
}

bool ClipStore::Settle(std::vector<std::string>& problems) {
    if (!loaded_ || untouchable_) return true;
    for (int round = 0; round < 3; ++round) {
        // Empty files above every frozen one hold no place any more.
        int topFrozen = 0;
        for (int f : frozen_)
            if (!around_.count(f)) topFrozen = f;
        bool loose = false;
        for (int n = topFrozen + 1; n <= count_ && !loose; ++n) loose = At(n).Text && At(n).Text->empty();
        const bool unsettled = journalOnDisk_ || loose || !strays_.empty() || static_cast<int>(slots_.size()) > count_ ||
                               std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.Dirty; });
        // A history that could not be saved whole is tried again first.
        if (wanted_) {
            settling_ = true;
            const bool saved = Save(*wanted_, problems);
            settling_ = false;
            if (!saved) return false;
        } else if (unsettled && !Save(CurrentTexts(), problems)) {
            return false;
        }
        if (Verify(problems)) return cacheCurrent_ || WriteCache(problems);
    }
    return false;  // the files keep changing under us: the next settling tries again
}

bool ClipStore::DeleteAll(std::vector<std::string>& problems) {
    if (untouchable_) return false;
    StartFromListing();
    const bool saved = Save({}, problems);
    fs_.Remove(CachePath());  // it holds copies of the texts
    return saved;
}
