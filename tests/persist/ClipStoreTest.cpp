#include <gtest/gtest.h>

#include <fstream>

#include "MemoryFileSystem.h"
#include "model/ClipStore.h"
#include "model/ClipStoreDisk.h"
#include "model/ClipStoreRecords.h"
#include "model/ClipStoreWorker.h"
#include "support/AnsiText.h"
#ifdef _WIN32
#include <windows.h>

#include "model/ClipStoreWin32.h"
#endif

namespace {
const std::string kFolder = "/data/Clips/";
const std::string kJournal = kFolder + "Clips.journal";
using Texts = std::vector<ClipTextRef>;  // oldest first, as the files are numbered
using Problems = std::vector<std::string>;

std::string Path(int n) { return kFolder + ClipStore::ClipFileName(n); }

Texts Numbered(int n, const std::string& prefix = "clip ") {
    Texts t;
    for (int i = 1; i <= n; ++i) t.push_back(AnsiToUtf16(prefix + std::to_string(i)));
    return t;
}

// `t` less its texts first..last-1, or with `text` added as the newest.
Texts Without(Texts t, size_t first, size_t last) {
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(first), t.begin() + static_cast<std::ptrdiff_t>(last));
    return t;
}
Texts Without(const Texts& t, size_t i) { return Without(t, i, i + 1); }
Texts With(Texts t, const ClipText& text = u"new") { return t.push_back(text), t; }

Texts LoadFresh(MemoryFileSystem& fs) {
    Problems problems;
    return ClipStore(fs, kFolder).Load(problems);
}

// Nothing but clip files 1..count in the folder (a load of `count` texts proves 1..count exist).
bool OnlyClipFiles(MemoryFileSystem& fs, size_t count) { return fs.List(kFolder).size() == count; }

bool Logged(const Problems& problems, const std::string& part) {
    for (const auto& p : problems)
        if (p.starts_with(">>> ") && p.find(part) != std::string::npos) return true;
    return false;
}

// Clip files 1..n holding `seed`, less the numbers in `gaps`, with `hidden` ones, loaded by a store as at start.
struct Loaded {
    MemoryFileSystem fs;
    std::optional<ClipStore> store;
    Problems problems;
    Texts texts;
    explicit Loaded(const Texts& seed, const std::vector<int>& gaps = {}, const std::vector<int>& hidden = {},
                    const std::vector<int>& folders = {}) {
        for (size_t i = 0; i < seed.size(); ++i) fs.Edit(Path(static_cast<int>(i) + 1), seed[i]);
        for (int g : gaps) fs.files.erase(Path(g));
        for (int h : hidden) fs.hidden.insert(Path(h));
        for (int f : folders) fs.files[Path(f)].clear(), fs.folders.insert(Path(f));
        Restart();
    }
    // A new store on the same files, as at the next start.
    const Texts& Restart() { return texts = store.emplace(fs, kFolder).Load(problems); }
    bool Save(const Texts& t) { return store->Save(t, problems); }
};
}  // namespace

TEST(ClipStoreOrder, LoadingStopsAtAGapAndFilesBeyondItAreNeverOverwritten) {
    using Named = std::vector<std::pair<std::string, ClipText>>;  // files beside the clip files
    struct Case {
        Texts seed;
        std::vector<int> gaps, hidden, folders;  // a hidden file makes a gap too, and is logged; a folder is none
        Texts loaded;
        std::vector<Texts> saves;  // the last one grows the history up to or past the gap
        Named setAside, before = {};  // names in another case are taken as well
    };
    const Case cases[] = {
        {{u"a", u"b", u"c", u"d"}, {3}, {}, {}, {u"a", u"b"}, {{u"b"}, {u"b", u"x", u"y"}},
         {{"Clip4.qms.stray", u"d"}}},
        {{u"a", u"b", u"c", u"d", u"e", u"f"}, {2}, {}, {}, {u"a"}, {{u"a", u"2", u"3", u"4"}},
         {{"Clip3.qms.stray", u"c"}, {"Clip4.qms.stray", u"d"}, {"Clip5.qms.stray", u"e"}, {"Clip6.qms.stray", u"f"}}},
        {{u"a", u"b", u"c"}, {}, {2}, {}, {u"a"}, {{u"a", u"x"}},
         {{"Clip2.qms.stray", u"b"}, {"Clip3.qms.stray", u"c"}}},
        {{u"a", u"b", u"c", u"d"}, {3}, {}, {}, {u"a", u"b"}, {{u"b", u"x", u"y"}},
         {{"Clip4.qms.STRAY", u"older"}, {"Clip4.qms.stray2", u"d"}}, {{"Clip4.qms.STRAY", u"older"}}},
        {{u"a", u"b", u"c", u"d", u"e"}, {}, {}, {3}, {u"a", u"b", u"d", u"e"},
         {{u"a", u"b", u"d", u"e", u"x"}, {u"b", u"d", u"e", u"x"}}, {}},
    };
    for (const auto& c : cases) {
        Loaded s(c.seed, c.gaps, c.hidden, c.folders);
        for (const auto& [name, text] : c.before) s.fs.files[kFolder + name] = text;
        EXPECT_EQ(s.texts, c.loaded);
        EXPECT_EQ(Logged(s.problems, "hidden"), !c.hidden.empty());
        for (const auto& saved : c.saves) ASSERT_TRUE(s.Save(saved));
        EXPECT_EQ(LoadFresh(s.fs), c.saves.back());
        for (const auto& [name, text] : c.setAside) EXPECT_EQ(s.fs.files[kFolder + name], text) << name;
        EXPECT_EQ(Logged(s.problems, "set aside"), !c.setAside.empty());
        for (int f : c.folders) EXPECT_TRUE(s.fs.folders.count(Path(f))) << f;
    }
}

TEST(ClipStoreCost, ASaveWritesOnlyWhatChangedAndRenumberingIsOneCommit) {
    struct Case {
        int count;
        Texts after;
        int operations, changes;
    };
    const Case cases[] = {
        // A capture writes the text under a temporary name and moves it, whatever the history.
        {0, With({}), 1, 2}, {3000, With(Numbered(3000)), 1, 2}, {1000, Numbered(1000), 0, 0},
        // 990..999 move down and 1000 goes: the journal and its move, ten writes, a removal, the journal.
        {1000, Without(Numbered(1000), 989), 11, 14},
        {1000, Numbered(999), 1, 1},  // the newest alone: one removal
        // The limit: the oldest gives way, every number changes, and still one journal.
        {3000, With(Without(Numbered(3000), 0)), 3000, 3003},
    };
    for (const auto& c : cases) {
        Loaded s(Numbered(c.count));
        s.fs.changes = 0;
        ASSERT_TRUE(s.Save(c.after));
        EXPECT_EQ(std::pair(s.store->LastSaveOperations(), s.fs.changes), std::pair(c.operations, c.changes))
            << c.count << " to " << c.after.size();
        EXPECT_EQ(LoadFresh(s.fs), c.after);
        EXPECT_TRUE(OnlyClipFiles(s.fs, c.after.size()));
    }
    // The clip folder on another volume: once the first move into it fails, temporary files lie
    // inside it for the run, and a capture costs a write and a move again.
    Loaded s(Numbered(3));
    s.fs.otherVolumes = true;
    ASSERT_TRUE(s.Save(With(s.texts, u"a")));
    s.fs.changes = 0;
    ASSERT_TRUE(s.Save(With(With(s.texts, u"a"), u"b")));
    EXPECT_EQ(s.fs.changes, 2);
    EXPECT_EQ(LoadFresh(s.fs), With(With(s.texts, u"a"), u"b"));
}

// A save that fails loads as the previous history, or as the new one once it was committed (at
// every load: loading throws nothing away), leaves no debris, and the same store gets there as it
// settles once the disk allows it.
TEST(ClipStoreFailures, AFailedSaveKeepsTheOldOrCommittedHistoryUntilSettlingFinishesIt) {
    const Texts twenty = Numbered(20);
    struct Case {
        Texts after;
        int unwritable;  // else the disk is full
        bool committed;
    };
    // One file, a renumbering, and a renumbering committed that cannot write its second file.
    const Case cases[] = {{With(twenty), 0, false}, {Without(twenty, 0), 0, false}, {Without(twenty, 1), 3, true}};
    for (const Case& c : cases) {
        Loaded s(twenty);
        s.fs.diskFull = !c.unwritable;
        if (c.unwritable) s.fs.unwritable.insert(Path(c.unwritable));
        EXPECT_FALSE(s.Save(c.after));
        EXPECT_TRUE(Logged(s.problems, "Cannot write"));
        for (int load : {1, 2}) EXPECT_EQ(LoadFresh(s.fs), c.committed ? c.after : twenty) << load;
        EXPECT_TRUE(OnlyClipFiles(s.fs, twenty.size() + c.committed));  // and the journal
        s.fs.diskFull = false;
        s.fs.unwritable.clear();
        ASSERT_TRUE(s.store->Settle(s.problems));
        EXPECT_EQ(LoadFresh(s.fs), c.after);
        EXPECT_TRUE(OnlyClipFiles(s.fs, c.after.size() + 1));  // and the cache
    }
    // Room for a clip but not for the journal of a renumbering (or no journal at all): the files
    // stay, every capture still gets its file, and the deletion follows once there is room.
    for (bool blocked : {false, true}) {
        Loaded s(Numbered(20, std::string(100, 'x')));
        s.fs.room = blocked ? SIZE_MAX : 20 * 103 + 30;
        if (blocked) s.fs.unwritable.insert("/data/Clips.journal.tmp");
        const Texts deleted = Without(s.texts, 0), captured = With(With(deleted, u"c1"), u"c2");
        EXPECT_FALSE(s.Save(deleted));
        EXPECT_FALSE(s.Save(With(deleted, u"c1")) || s.Save(captured));
        EXPECT_TRUE(s.store->Behind() && Logged(s.problems, "left as they are"));
        // The reason is the failed write's, not that of the clean-up after it.
        const std::string why = blocked ? "access denied" : "disk full";
        EXPECT_EQ(s.store->FailureReason(), why);
        EXPECT_TRUE(Logged(s.problems, "Cannot write the clip journal: /data/Clips/Clips.journal (" + why + ")"));
        EXPECT_EQ(LoadFresh(s.fs), With(With(s.texts, u"c1"), u"c2"));
        s.fs.room = SIZE_MAX;
        s.fs.unwritable.clear();
        ASSERT_TRUE(s.store->Settle(s.problems));
        EXPECT_EQ(LoadFresh(s.fs), captured);
        EXPECT_FALSE(s.store->Behind());
    }
}

TEST(ClipStoreFailures, AFileThatCannotBeReadIsNeverTouchedAndComesBackOnceReadable) {
    Loaded s(Numbered(4));
    s.fs.unreadable.insert(Path(2));  // held open by another program
    s.fs.oddSized.insert(Path(3));
    EXPECT_EQ(s.Restart(), (Texts{u"clip 1", u"clip 3", u"clip 4"}));
    EXPECT_TRUE(Logged(s.problems, "Cannot read clip file, left as it is") && Logged(s.problems, "Clip3.qms"));
    // Deleting the oldest and capturing renumber around it.
    ASSERT_TRUE(s.Save({u"clip 3", u"clip 4"}));
    ASSERT_TRUE(s.Save({u"clip 3", u"clip 4", u"new"}));
    ASSERT_TRUE(s.store->Settle(s.problems));
    EXPECT_EQ(s.fs.files[Path(2)], u"clip 2");
    EXPECT_EQ(LoadFresh(s.fs), (Texts{u"clip 3", u"clip 4", u"new"}));
    s.fs.unreadable.clear();
    EXPECT_EQ(LoadFresh(s.fs), (Texts{u"clip 2", u"clip 3", u"clip 4", u"new"}));  // back in its place
    // Removing every file (no clips kept over a restart) leaves it as well, and no place for it:
    // the next start shows nothing of it and sets it aside once it can.
    s.fs.unreadable.insert(Path(2));
    s.Restart();
    EXPECT_FALSE(s.store->DeleteAll(s.problems));
    EXPECT_TRUE(s.Restart().empty());
    s.fs.unreadable.clear();
    EXPECT_TRUE(s.Restart().empty());
    ASSERT_TRUE(s.store->Settle(s.problems));
    EXPECT_EQ(s.fs.files[Path(2) + ".stray"], u"clip 2");
    EXPECT_TRUE(OnlyClipFiles(s.fs, 1));

    // A file (or the cache) that memory cannot hold now is left the same way; a journal that it
    // cannot hold is read in pieces (this one proves nothing and goes).
    Loaded low(Numbered(3));
    ASSERT_TRUE(low.store->Settle(low.problems));
    low.fs.tooBig = {Path(2), kFolder + "Clips.cache"};
    EXPECT_EQ(low.Restart(), (Texts{u"clip 1", u"clip 3"}));
    EXPECT_TRUE(Logged(low.problems, "Not enough memory to load clip file") && Logged(low.problems, "Clip cache ignored"));
    ASSERT_TRUE(low.Save({u"clip 3", u"new"}));
    EXPECT_EQ(low.fs.files[Path(2)], u"clip 2");
    low.fs.files[kJournal] = u"any";
    low.fs.tooBig = {kJournal};
    EXPECT_EQ(low.Restart(), (Texts{u"clip 2", u"clip 3", u"new"}));
    EXPECT_TRUE(low.Save({u"x"}));
    EXPECT_TRUE(Logged(low.problems, "Clip journal ignored") && !low.fs.files.count(kJournal));
}

TEST(ClipStoreFailures, AJournalThatProvesNoCommittedSaveIsIgnored) {
    ClipJournal dropAll{0, 6, {}, {}};
    ClipJournal claimsKept{8, 6, {}, {{8, u"x"}}};  // 7 was never written
    ClipText sound = ClipStoreRecords::FormatJournal({6, 6, {}, {{6, u"six"}}});
    ClipText flipped = sound;
    flipped[flipped.size() / 2] = u'#';
    const ClipText crafted[] = {u"garbage", u"Quillmate clip journal 1\r\n1\r\n0\r\n6\r\n",
                                ClipStoreRecords::FormatJournal(dropAll).substr(1), flipped,
                                ClipStoreRecords::FormatJournal(claimsKept),
                                u"Quillmate clip journal 2\r\n4294967296\r\n0\r\n0\r\n0\r\n1\r\n"};
    for (const auto& journal : crafted) {
        Loaded s(Numbered(6));
        s.fs.files[kJournal] = journal;
        s.fs.files[Path(2) + ".tmp"] = u"half";
        EXPECT_EQ(s.Restart(), Numbered(6));
        EXPECT_TRUE(Logged(s.problems, "Clip journal ignored"));
        EXPECT_TRUE(OnlyClipFiles(s.fs, 6));
    }
    Loaded s(Numbered(6));
    s.fs.files[kJournal] = sound;  // the same journal, whole, is obeyed
    EXPECT_EQ(s.Restart().back(), u"six");
    EXPECT_TRUE(Logged(s.problems, "interrupted save"));
}

TEST(ClipStoreFiles, FilesChangedFromOutsideAreWrittenAgainAndTheCacheSparesTheReads) {
    Loaded s({u"a", u"b", u"c"});
    s.fs.files.erase(Path(2));                     // a cleaner removes Clip2
    ASSERT_TRUE(s.Save({u"a", u"b", u"c", u"d"}));  // copy d
    ASSERT_TRUE(s.store->Settle(s.problems));
    EXPECT_TRUE(Logged(s.problems, "removed from outside"));
    EXPECT_EQ(LoadFresh(s.fs), (Texts{u"a", u"b", u"c", u"d"}));
    s.fs.Edit(Path(3), u"edited");
    ASSERT_TRUE(s.store->Settle(s.problems));
    EXPECT_EQ(s.fs.files[Path(3)], u"c");
    // A start reads the cache and only the files whose stamp it does not know.
    struct Case {
        std::function<void(MemoryFileSystem&)> meanwhile;
        Texts loaded;
        int reads;
    };
    const Case cases[] = {
        {[](MemoryFileSystem&) {}, {u"a", u"b", u"c", u"d"}, 1},
        {[](MemoryFileSystem& fs) { fs.Edit(Path(2), u"B!"); }, {u"a", u"B!", u"c", u"d"}, 2},
        {[](MemoryFileSystem& fs) { fs.files[Path(2)] = u"xy"; }, {u"a", u"xy", u"c", u"d"}, 2},  // same time, new size
        {[](MemoryFileSystem& fs) { fs.files.erase(Path(3)); }, {u"a", u"b"}, 1},
        {[](MemoryFileSystem& fs) { fs.files[kFolder + "Clips.cache"] = u"damaged"; }, {u"a", u"b", u"c", u"d"}, 5},
    };
    for (const auto& c : cases) {
        MemoryFileSystem fs = s.fs;
        c.meanwhile(fs);
        fs.reads = 0;
        EXPECT_EQ(LoadFresh(fs), c.loaded);
        EXPECT_EQ(fs.reads, c.reads);
    }
}

namespace {
// Runs `op` on copies of `fs` killed before its first, second, ... change until one completes,
// and hands each killed copy to `afterKill`; answers how many kills there were.
template <typename Op, typename AfterKill>
int KillAtEachChange(const MemoryFileSystem& fs, Op op, AfterKill afterKill) {
    for (int k = 1;; ++k) {
        MemoryFileSystem trial = fs;
        trial.changes = 0;
        trial.killAt = k;
        try {
            op(trial);
            return k - 1;
        } catch (const KilledHere&) {
        }
        trial.killAt = -1;
        afterKill(trial, k);
    }
}

struct Change {
    const char* name;
    Texts before, between, after;  // `between` is saved first and handed over to `after` at once
    bool otherVolumes = false;     // the clip folder on a volume of its own
};

// Every kill of the save and settling, and every kill of the load that completes it after a
// restart, leaves the whole previous or the whole new history, and a later save still gets there.
void ExpectEveryKillLeavesOldOrNew(const Change& c) {
    auto oldOrNew = [&](const Texts& got) { return got == c.before || got == c.between || got == c.after; };
    auto save = [&](MemoryFileSystem& fs) {
        ClipStore store(fs, kFolder);
        Problems problems;
        store.Load(problems);
        bool handOver = !c.between.empty();
        if (handOver) { EXPECT_TRUE(store.Save(c.between, problems, [&] { return std::exchange(handOver, false); })); }
        EXPECT_TRUE(store.Save(c.after, problems)) << c.name;
        EXPECT_TRUE(store.Settle(problems)) << c.name;
    };
    Loaded before(c.before);
    before.fs.otherVolumes = c.otherVolumes;
    const int kills = KillAtEachChange(before.fs, save, [&](MemoryFileSystem& killed, int k) {
        KillAtEachChange(killed, LoadFresh, [&](MemoryFileSystem& again, int j) {
            EXPECT_TRUE(oldOrNew(LoadFresh(again))) << c.name << " kill " << k << " then " << j;
        });
        ClipStore restarted(killed, kFolder);
        Problems problems;
        const Texts got = restarted.Load(problems);
        EXPECT_TRUE(oldOrNew(got)) << c.name << " kill " << k;
        ASSERT_TRUE(restarted.Save(c.after, problems));
        EXPECT_EQ(LoadFresh(killed), c.after) << c.name << " kill " << k;
    });
    EXPECT_GT(kills, 0) << c.name;
}

// A disk that fills at any point of the save, and is still full at the next start (which reads the
// journal whole or piece by piece), leaves the whole previous or new history; once there is room a
// start and a save get there.
void ExpectAFullDiskAnywhereLeavesOldOrNew(const Change& c) {
    if (!c.between.empty()) return;
    // Where not even the journal fits, new clips are added above the previous history.
    auto wholeOldOrNew = [&](const Texts& got) {
        const auto above = got.begin() + static_cast<std::ptrdiff_t>(std::min(c.before.size(), got.size()));
        auto isNew = [&](const ClipTextRef& t) { return std::find(c.after.begin(), c.after.end(), t) != c.after.end(); };
        return got == c.after ||
               (std::equal(got.begin(), above, c.before.begin(), c.before.end()) && std::all_of(above, got.end(), isNew));
    };
    Loaded before(c.before);
    size_t used = 0;
    for (const auto& f : before.fs.files) used += f.second.size();
    for (bool saved = false; !saved; ++used) {
        for (bool inPieces : {false, true}) {
            MemoryFileSystem fs = before.fs;
            fs.room = used;
            if (inPieces) fs.tooBig = {kJournal};
            Problems problems;
            ClipStore store(fs, kFolder);
            store.Load(problems);
            saved = store.Save(c.after, problems) && store.Settle(problems);
            for (bool full : {true, false}) {
                if (!full) fs.room = SIZE_MAX;
                ClipStore restarted(fs, kFolder);
                const Texts got = restarted.Load(problems);
                EXPECT_TRUE(wholeOldOrNew(got)) << c.name << " room " << used << (full ? " full" : "");
                if (!full) { EXPECT_TRUE(restarted.Save(c.after, problems) && LoadFresh(fs) == c.after) << c.name; }
                restarted.Settle(problems);
            }
        }
    }
}
}  // namespace

TEST(ClipStoreCrash, EveryKillLeavesThePreviousOrTheNewHistory) {
    const Texts ten = Numbered(10);
    const Texts shifted = With(Without(ten, 0));  // the limit reached: the oldest gives way to a new clip
    const Change changes[] = {
        {"capture", ten, {}, With(ten)},
        {"capture into empty", {}, {}, {u"only"}},
        {"delete oldest", ten, {}, Without(ten, 0)},
        {"delete middle", ten, {}, Without(ten, 3, 6)},
        {"delete newest", ten, {}, Without(ten, 9)},
        {"delete all", ten, {}, {}},
        {"same length, new texts", ten, {}, Numbered(10, "other ")},
        // A renumbering handed over half done to the next capture at the limit.
        {"two captures at the limit", ten, shifted, With(Without(shifted, 0), u"newer")},
        {"capture, clips on another volume", ten, {}, With(ten), true},
        {"delete middle, clips on another volume", ten, {}, Without(ten, 3, 6), true},
    };
    for (const auto& c : changes) {
        ExpectEveryKillLeavesOldOrNew(c);
        ExpectAFullDiskAnywhereLeavesOldOrNew(c);
    }
}

TEST(ClipStoreCrash, DeleteAllIsOneStepAndStopsAtTheFirstGap) {
    Loaded s(Numbered(6), {5});
    auto deleteAll = [](MemoryFileSystem& fs) {
        Problems problems;
        EXPECT_TRUE(ClipStore(fs, kFolder).DeleteAll(problems));
    };
    EXPECT_GT(KillAtEachChange(s.fs, deleteAll, [](MemoryFileSystem& killed, int k) {
        const Texts got = LoadFresh(killed);
        EXPECT_TRUE(got.empty() || got == Numbered(4)) << k;
    }), 0);
    deleteAll(s.fs);
    EXPECT_TRUE(LoadFresh(s.fs).empty());
    EXPECT_TRUE(s.fs.files.count(Path(6)));  // beyond the gap: not part of the history
}

TEST(ClipStoreWorker, SavesTheLatestHistoryOffTheCallersThread) {
    Loaded s({});
    ClipStoreWorker worker(*s.store, [&](const Problems& p) { s.problems.insert(s.problems.end(), p.begin(), p.end()); },
                           std::chrono::milliseconds(1));
    worker.Start();
    for (int n = 1; n <= 50; ++n) worker.Post(Numbered(n));
    worker.Post(Numbered(50, "renumbered "));
    worker.WaitSettled();
    EXPECT_EQ(LoadFresh(s.fs), Numbered(50, "renumbered "));
    worker.Post({u"last"});
    worker.Finish();
    EXPECT_EQ(LoadFresh(s.fs), Texts{u"last"});
    EXPECT_TRUE(s.problems.empty());
    // A save that falls behind is told once, with the platform's reason.
    s.fs.diskFull = true;
    worker.Start();
    worker.Post({u"last", u"full"});
    worker.WaitSettled();
    const auto notice = worker.TakeNotice();
    EXPECT_EQ(notice.kind, ClipStoreWorker::Notice::Behind);
    EXPECT_EQ(notice.reason, "disk full");
    EXPECT_EQ(worker.TakeNotice().kind, ClipStoreWorker::Notice::None);
}

TEST(ClipStoreDisk, RealFilesTakeTheHistoryAndTemporaryLeftoversGo) {
    ClipStoreDisk disk;
    const std::string folder = ::testing::TempDir() + "qm_clips_disk/";
    for (const auto& e : disk.List(folder)) disk.Remove(folder + e.Name);
    disk.CreateFolder(folder);
    Problems problems;
    Texts texts{u"abc", u"\u0416\U0001F600", u"z"};
    for (const auto& t : Numbered(70)) texts.push_back(t);  // enough to be read on two threads
    ClipStore first(disk, folder);
    ASSERT_TRUE(first.Save(texts, problems) && first.Settle(problems));
    std::ofstream(folder + "Clip9.qms.tmp") << "left by a killed save";
    disk.Remove(folder + "Clips.cache");
    ClipStore again(disk, folder);
    EXPECT_EQ(again.Load(problems), texts);
    ASSERT_TRUE(again.DeleteAll(problems));
    EXPECT_TRUE(disk.List(folder).empty());
    EXPECT_TRUE(problems.empty());
}

// --- Journals too large to read at once, files too large to load, files held open at start.

// A renumbering (the oldest of six deleted) killed after writing Clip1 and Clip2, its journal
// too large for memory: the start carries it out from the file, or, where it cannot, keeps it and
// reads the new history from it; either way the history shows whole and new clips are saved.
TEST(ClipStoreLargeJournal, IsCarriedOutInPiecesOrKeptAndReadFromAndNewClipsAreStillSaved) {
    const Texts six = Numbered(6), five = Without(six, 0);
    ClipJournal j{5, 6, {}, {}};
    for (int n = 1; n <= 5; ++n) j.Entries.emplace_back(n, five[static_cast<size_t>(n - 1)]);
    const ClipText journal = ClipStoreRecords::FormatJournal(j);
    for (int unwritable : {0, 4}) {  // a clip file the journal cannot be carried into
        Loaded s(six);
        s.fs.Edit(Path(1), u"clip 2");
        s.fs.Edit(Path(2), u"clip 3");
        s.fs.files[kJournal] = journal;
        s.fs.tooBig = {kJournal};
        if (unwritable) s.fs.unwritable.insert(Path(unwritable));
        EXPECT_EQ(s.Restart(), five);
        EXPECT_EQ(s.store->Trouble(), ClipStore::LoadTrouble::None);
        EXPECT_TRUE(Logged(s.problems, "piece by piece"));
        EXPECT_EQ(s.fs.files.count(kJournal), unwritable ? 1u : 0u);
        s.fs.unwritable.clear();
        ASSERT_TRUE(s.Save(With(five)));
        EXPECT_EQ(LoadFresh(s.fs), With(five));
    }
}

// The whole 64-bit size decides: a file listed far larger than it reads (as a size modulo 4 GiB
// would read) is never loaded nor written back, and neither is one the read gives only in part.
TEST(ClipStoreLargeFiles, FilesTooLargeOrReadShortAreLeftAsTheyAre) {
    const uint64_t GiB = 1ull << 30;
    for (uint64_t listed : {3 * GiB, 4 * GiB + 20, 5 * GiB, uint64_t{40}}) {
        Loaded s(Numbered(4));
        ASSERT_TRUE(s.store->Settle(s.problems));
        s.fs.listedBytes[Path(2)] = listed;
        s.fs.listedBytes[kFolder + "Clips.cache"] = 5 * GiB;
        EXPECT_EQ(s.Restart(), (Texts{u"clip 1", u"clip 3", u"clip 4"})) << listed;
        EXPECT_TRUE(Logged(s.problems, listed > 40 ? "too large to load" : "read short")) << listed;
        EXPECT_TRUE(Logged(s.problems, "cache too large"));
        ASSERT_TRUE(s.Save({u"clip 3", u"clip 4", u"new"}));  // the oldest deleted, a capture
        ASSERT_TRUE(s.store->Settle(s.problems));
        EXPECT_EQ(s.fs.files[Path(2)], u"clip 2") << listed;
        s.fs.listedBytes.clear();
        EXPECT_EQ(LoadFresh(s.fs), (Texts{u"clip 2", u"clip 3", u"clip 4", u"new"})) << listed;
    }
}

// Clip3 of five is held open at start. Whatever the user deletes and copies meanwhile, its file
// keeps its number and its place among the others, and comes back once it can be read. Deleting
// every clip shown empties the history for good: no place is kept, the journal names the file
// until it can be set aside, and the history shows none of it.
TEST(ClipStoreHeldFile, KeepsItsPlaceInTheHistoryUntilItCanBeRead) {
    struct Case {
        Texts kept;  // of the four shown, after deletions
        Texts released;
    };
    const Case cases[] = {
        {{u"clip 5"}, {u"clip 3", u"clip 5"}},
        {{u"clip 1"}, {u"clip 1", u"clip 3"}},
        {{}, {}},
        {{u"clip 2", u"clip 4", u"clip 5"}, {u"clip 2", u"clip 3", u"clip 4", u"clip 5"}},
    };
    for (const auto& c : cases) {
        const bool emptied = c.kept.empty();  // each save is behind while the file cannot go aside
        Loaded s(Numbered(5));
        s.fs.unreadable.insert(Path(3));
        s.Restart();
        EXPECT_EQ(s.Save(c.kept) && s.store->Settle(s.problems), !emptied);
        EXPECT_EQ(s.Restart(), c.kept);  // still held at the next start: three copies there
        Texts copied = c.kept;
        for (const char16_t* t : {u"c1", u"c2", u"c3"}) EXPECT_EQ(s.Save(copied = With(copied, t)), !emptied);
        EXPECT_EQ(s.store->Settle(s.problems), !emptied);
        s.fs.unreadable.clear();
        EXPECT_EQ(s.Restart(), With(With(With(c.released, u"c1"), u"c2"), u"c3"));
        ASSERT_TRUE(s.store->Settle(s.problems));  // the empty files that held its place go
        EXPECT_EQ(Logged(s.problems, "Stray clip file set aside"), emptied);
        EXPECT_TRUE(OnlyClipFiles(s.fs, c.released.size() + 3 + 1 + emptied));
        if (emptied) { EXPECT_EQ(s.fs.files[Path(3) + ".stray"], u"clip 3"); }
    }
}

#ifdef _WIN32
// A clip file that shares its data with a file elsewhere (a hard link) is replaced, never written
// through: the other name keeps its text, and the log hears of it.
TEST(ClipStoreWin32, AFileSharingItsDataIsReplacedNotWrittenThrough) {
    Problems problems, notes;
    ClipStoreWin32 files([&](const Problems& p) { notes.insert(notes.end(), p.begin(), p.end()); });
    const std::string root = ::testing::TempDir() + "qm_clips_win32\\", folder = root + "Clips\\";
    const std::string outside = root + "outside.qms";
    for (const auto& e : files.List(folder)) files.Remove(folder + e.Name);
    files.Remove(outside);
    files.CreateFolder(root);
    files.CreateFolder(folder);
    ClipStore store(files, folder);
    ASSERT_TRUE(store.Save({u"a", u"b", u"c"}, problems));
    ASSERT_TRUE(CreateHardLinkA(outside.c_str(), (folder + "Clip2.qms").c_str(), nullptr));
    ASSERT_TRUE(store.Save({u"a", u"c"}, problems));  // Clip2 takes "c" in place, Clip3 goes
    EXPECT_EQ(files.Read(outside)->Text, u"b");
    EXPECT_EQ(ClipStore(files, folder).Load(problems), (Texts{u"a", u"c"}));
    EXPECT_TRUE(Logged(notes, "hard link"));
    EXPECT_TRUE(problems.empty());
}
#endif
