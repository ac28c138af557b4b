#include "app/ClipStore.h"

#include <cstdlib>

namespace {
const ClipText kJournalTag = u"Quillmate clip journal 1";

ClipText Digits(int n) {
    const std::string s = std::to_string(n);
    return ClipText(s.begin(), s.end());
}

bool ParseNumber(const ClipText& t, int& out) {
    if (t.empty() || t.size() > 9) return false;
    int v = 0;
    for (char16_t c : t) {
        if (c < u'0' || c > u'9') return false;
        v = v * 10 + (c - u'0');
    }
    out = v;
    return true;
}

// The journal is our own small text: the tag and three numbers, one per line.
ClipText FormatJournal(int first, int count, int oldCount) {
    return kJournalTag + u"\r\n" + Digits(first) + u"\r\n" + Digits(count) + u"\r\n" + Digits(oldCount) + u"\r\n";
}

bool ParseJournal(const ClipText& text, int& first, int& count, int& oldCount) {
    std::vector<ClipText> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(u"\r\n", start);
        if (end == ClipText::npos) return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines.size() == 4 && lines[0] == kJournalTag && ParseNumber(lines[1], first) &&
           ParseNumber(lines[2], count) && ParseNumber(lines[3], oldCount) && first >= 1 &&
           first <= count + 1;
}
}  // namespace

ClipStore::ClipStore(ClipStoreFileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}

std::string ClipStore::ClipFileName(int number) { return "Clip" + std::to_string(number) + ".qms"; }

int ClipStore::CountOnDisk() {
    int n = 0;
    while (n < 32767 && fs_.Exists(ClipPath(n + 1))) ++n;
    return n;
}

void ClipStore::DropTemporaryFiles() {
    for (const auto& name : fs_.List(folder_)) {
        const bool clipTemp = name.size() > 8 && name.compare(name.size() - 8, 8, ".qms.tmp") == 0;
        if (clipTemp || name == "Clips.journal.tmp") fs_.Remove(folder_ + name);
    }
}

bool ClipStore::Apply(const Journal& j, std::vector<std::string>& problems) {
    for (int k = j.First; k <= j.Count; ++k) {
        // A missing temporary file was moved into place before the interruption.
        if (!fs_.Exists(TempPath(k))) continue;
        if (!fs_.Replace(TempPath(k), ClipPath(k))) {
            problems.push_back(">>> Cannot move clip file into place: " + ClipPath(k));
            return false;
        }
    }
    // From the top down, so that even without the journal no gap opens below a kept number.
    for (int k = j.OldCount; k > j.Count; --k)
        if (fs_.Exists(ClipPath(k)) && !fs_.Remove(ClipPath(k))) {
            problems.push_back(">>> Cannot delete clip file: " + ClipPath(k));
            return false;
        }
    if (!fs_.Remove(JournalPath())) {
        problems.push_back(">>> Cannot delete the clip journal: " + JournalPath());
        return false;
    }
    return true;
}

std::optional<ClipStore::Journal> ClipStore::ReadJournal(std::vector<std::string>& problems) {
    if (!fs_.Exists(JournalPath())) return std::nullopt;
    Journal j;
    const auto text = fs_.Read(JournalPath());
    if (text && ParseJournal(text->Text, j.First, j.Count, j.OldCount)) return j;
    // It only ever comes into place whole, so this is damage from outside; the clip files
    // themselves are left as they are.
    problems.push_back(">>> Unreadable clip journal ignored: " + JournalPath());
    fs_.Remove(JournalPath());
    return std::nullopt;
}

bool ClipStore::Recover(std::vector<std::string>& problems) {
    if (const auto j = ReadJournal(problems)) {
        problems.push_back(">>> Completing an interrupted save of the clip files");
        if (!Apply(*j, problems)) {
            journalPending_ = true;
            return false;
        }
    }
    journalPending_ = false;
    DropTemporaryFiles();
    return true;
}

std::vector<ClipText> ClipStore::Load(std::vector<std::string>& problems) {
    std::vector<ClipText> texts;
    mirror_.clear();
    mirrorKnown_ = false;
    const auto journal = ReadJournal(problems);
    bool pending = false;
    if (journal) {
        problems.push_back(">>> Completing an interrupted save of the clip files");
        pending = !Apply(*journal, problems);
    }
    if (!pending) DropTemporaryFiles();
    // While a committed save cannot be completed, its new texts still wait under temporary
    // names: they are the history.
    auto pathOf = [&](int n) {
        if (pending && n >= journal->First && fs_.Exists(TempPath(n))) return TempPath(n);
        return ClipPath(n);
    };
    const int last = pending ? journal->Count : 32767;
    for (int n = 1; n <= last && fs_.Exists(pathOf(n)); ++n) {
        auto content = fs_.Read(pathOf(n));
        if (!content) {
            problems.push_back(">>> Cannot read clip file: " + pathOf(n));
            texts.emplace_back();
            mirror_.emplace_back();
            continue;
        }
        if (content->OddSize) problems.push_back(">>> Clip file has an odd size: " + pathOf(n));
        texts.push_back(content->Text);
        mirror_.emplace_back(std::move(content->Text));
    }
    mirrorKnown_ = true;
    journalPending_ = pending;
    return texts;
}

bool ClipStore::Commit(const std::vector<const ClipText*>& wanted, size_t first,
                       std::vector<std::string>& problems) {
    const int count = static_cast<int>(wanted.size());
    const int oldCount = static_cast<int>(mirror_.size());
    const int writes = count - static_cast<int>(first);
    const int removes = oldCount > count ? oldCount - count : 0;
    lastOps_ = writes + removes;
    if (lastOps_ == 0) return true;
    fs_.CreateFolder(folder_);  // fails harmlessly when it exists
    if (count > oldCount) SetAsideStrays(oldCount, count, problems);

    auto dropTemps = [&](int upTo) {
        for (int k = static_cast<int>(first) + 1; k <= upTo; ++k) fs_.Remove(TempPath(k));
    };
    for (int k = static_cast<int>(first) + 1; k <= count; ++k)
        if (!fs_.WriteDurably(TempPath(k), *wanted[static_cast<size_t>(k - 1)])) {
            problems.push_back(">>> Cannot write clip file: " + TempPath(k));
            dropTemps(k);
            return false;
        }

    if (lastOps_ == 1) {
        // One file changes: moving it into place (or removing the newest) is the whole step.
        if (writes == 1) {
            if (!fs_.Replace(TempPath(count), ClipPath(count))) {
                problems.push_back(">>> Cannot move clip file into place: " + ClipPath(count));
                fs_.Remove(TempPath(count));
                return false;
            }
        } else if (!fs_.Remove(ClipPath(oldCount))) {
            problems.push_back(">>> Cannot delete clip file: " + ClipPath(oldCount));
            return false;
        }
    } else {
        const std::string journalTemp = JournalPath() + ".tmp";
        if (!fs_.WriteDurably(journalTemp, FormatJournal(static_cast<int>(first) + 1, count, oldCount)) ||
            !fs_.Replace(journalTemp, JournalPath())) {
            problems.push_back(">>> Cannot write the clip journal: " + JournalPath());
            fs_.Remove(journalTemp);
            dropTemps(count);
            return false;
        }
        // Committed: from here on the new history is what the folder loads as.
        mirror_.resize(first);
        for (size_t i = first; i < wanted.size(); ++i) mirror_.emplace_back(*wanted[i]);
        if (!Apply({static_cast<int>(first) + 1, count, oldCount}, problems)) {
            journalPending_ = true;
            return false;
        }
        return true;
    }
    mirror_.resize(std::min(first, wanted.size()));
    for (size_t i = first; i < wanted.size(); ++i) mirror_.emplace_back(*wanted[i]);
    return true;
}

void ClipStore::SetAsideStrays(int oldCount, int count, std::vector<std::string>& problems) {
    // Files at and beyond a gap were never loaded (a hidden one makes the gap); once the history
    // grows up to them they would be overwritten or join it as its newest clips. Renamed, they
    // stay on disk, out of the numbering.
    for (int n = oldCount + 1; n <= 32767 && (n <= count || fs_.Occupied(ClipPath(n))); ++n) {
        if (!fs_.Occupied(ClipPath(n))) continue;
        const std::string aside = ClipPath(n) + ".stray";
        if (!fs_.Replace(ClipPath(n), aside)) {
            problems.push_back(">>> Cannot set aside stray clip file: " + ClipPath(n));
            return;
        }
        problems.push_back(">>> Stray clip file set aside: " + aside);
    }
}

bool ClipStore::Save(const std::vector<ClipRecord>& oldestFirst, std::vector<std::string>& problems) {
    lastOps_ = 0;
    if (!mirrorKnown_ || journalPending_) {
        if (!Recover(problems)) return false;
        if (!mirrorKnown_) {
            // Never loaded: the numbers on disk are known, their texts are not.
            mirror_.assign(static_cast<size_t>(CountOnDisk()), std::nullopt);
            mirrorKnown_ = true;
        }
    }
    std::vector<const ClipText*> wanted;  // oldest first, as the files are numbered
    wanted.reserve(oldestFirst.size());
    for (const auto& clip : oldestFirst) wanted.push_back(&clip.Text);
    size_t first = 0;
    const size_t common = std::min(wanted.size(), mirror_.size());
    while (first < common && mirror_[first] && *mirror_[first] == *wanted[first]) ++first;
    return Commit(wanted, first, problems);
}

bool ClipStore::DeleteAll(std::vector<std::string>& problems) {
    lastOps_ = 0;
    if (!Recover(problems)) return false;
    // Whatever the folder holds now, not what the last load saw.
    mirror_.assign(static_cast<size_t>(CountOnDisk()), std::nullopt);
    mirrorKnown_ = true;
    return Commit({}, 0, problems);
}
