#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "MemoryFileSystem.h"
#include "app/ClipStore.h"
#include "app/ClipStoreDisk.h"
#include "support/AnsiText.h"

namespace {
const std::string kFolder = "/data/Clips/";
using Texts = std::vector<ClipText>;  // oldest first, as the files are numbered

std::string Path(int n) { return kFolder + ClipStore::ClipFileName(n); }

std::vector<ClipRecord> HistoryOf(const Texts& texts) {
    std::vector<ClipRecord> h;
    for (const auto& t : texts) h.push_back(ClipRecord{1, t, u"", u"", false});
    return h;
}

Texts Numbered(int n, const std::string& prefix = "clip ") {
    Texts t;
    for (int i = 1; i <= n; ++i) t.push_back(AnsiToUtf16(prefix + std::to_string(i)));
    return t;
}

Texts LoadFresh(MemoryFileSystem& fs) {
    std::vector<std::string> problems;
    return ClipStore(fs, kFolder).Load(problems);
}

// Nothing but clip files 1..count in the folder (a load of `count` texts proves 1..count exist).
bool OnlyClipFiles(MemoryFileSystem& fs, size_t count) { return fs.List(kFolder).size() == count; }

// Clip files 1..n holding `seed`, less the numbers in `gaps`, with `hidden` ones, loaded by a store as at start.
struct Loaded {
    MemoryFileSystem fs;
    ClipStore store{fs, kFolder};
    std::vector<std::string> problems;
    Texts texts;
    explicit Loaded(const Texts& seed, const std::vector<int>& gaps = {}, const std::vector<int>& hidden = {}) {
        for (size_t i = 0; i < seed.size(); ++i) fs.files[Path(static_cast<int>(i) + 1)] = seed[i];
        for (int g : gaps) fs.files.erase(Path(g));
        for (int h : hidden) fs.hidden.insert(Path(h));
        texts = store.Load(problems);
    }
    bool Save(const Texts& t) { return store.Save(HistoryOf(t), problems); }
};
}  // namespace

TEST(ClipStoreOrder, LoadingStopsAtAGapAndFilesBeyondItAreNeverOverwritten) {
    struct Case {
        Texts seed;
        std::vector<int> gaps, hidden;  // a hidden file makes a gap too
        Texts loaded;
        std::vector<Texts> saves;  // the last one grows the history up to or past the gap
        std::vector<std::pair<int, ClipText>> setAside;
    };
    const Case cases[] = {
        {{u"a", u"b", u"c", u"d"}, {3}, {}, {u"a", u"b"}, {{u"b"}, {u"b", u"x", u"y"}}, {{4, u"d"}}},
        {{u"a", u"b", u"c", u"d", u"e", u"f"}, {2}, {}, {u"a"}, {{u"a", u"2", u"3", u"4"}},
         {{3, u"c"}, {4, u"d"}, {5, u"e"}, {6, u"f"}}},
        {{u"a", u"b", u"c"}, {}, {2}, {u"a"}, {{u"a", u"x"}}, {{2, u"b"}, {3, u"c"}}},
    };
    for (const auto& c : cases) {
        Loaded s(c.seed, c.gaps, c.hidden);
        EXPECT_EQ(s.texts, c.loaded);
        for (const auto& saved : c.saves) ASSERT_TRUE(s.Save(saved));
        EXPECT_EQ(LoadFresh(s.fs), c.saves.back());
        for (const auto& [n, text] : c.setAside) EXPECT_EQ(s.fs.files[Path(n) + ".stray"], text) << n;
        EXPECT_EQ(s.problems.back().substr(0, 4), ">>> ");
    }
}

TEST(ClipStoreCost, ASaveWritesOnlyWhatChanged) {
    auto without = [](Texts t, size_t i) { return t.erase(t.begin() + static_cast<std::ptrdiff_t>(i)), t; };
    auto with = [](Texts t) { return t.push_back(u"new"), t; };
    struct Case {
        int count;
        Texts after;
        int operations, changes;
    };
    const Case cases[] = {
        // A capture writes the text under a temporary name and moves it, whatever the history.
        {0, with({}), 1, 2}, {1, with(Numbered(1)), 1, 2}, {3000, with(Numbered(3000)), 1, 2},
        {1000, Numbered(1000), 0, 0},
        // 990..999 move down and 1000 goes: ten texts, the journal, ten moves, a removal, the journal.
        {1000, without(Numbered(1000), 989), 11, 24},
        {1000, Numbered(999), 1, 1},                    // the newest alone: one removal
    };
    for (const auto& c : cases) {
        Loaded s(Numbered(c.count));
        s.fs.changes = 0;
        ASSERT_TRUE(s.Save(c.after));
        EXPECT_EQ(s.store.LastSaveOperations(), c.operations) << c.count << " to " << c.after.size();
        EXPECT_EQ(s.fs.changes, c.changes) << c.count << " to " << c.after.size();
        EXPECT_EQ(LoadFresh(s.fs), c.after);
        EXPECT_EQ(s.fs.List(kFolder).size(), c.after.size());
    }
}

TEST(ClipStoreFailures, AFullDiskKeepsThePreviousHistoryAndLeavesNoDebris) {
    for (bool manyFiles : {false, true}) {
        Loaded s(Numbered(20));
        Texts after = s.texts;
        if (manyFiles) after.erase(after.begin());
        else after.push_back(u"new");
        s.fs.diskFull = true;
        EXPECT_FALSE(s.Save(after));
        ASSERT_FALSE(s.problems.empty());
        EXPECT_EQ(s.problems.back().substr(0, 4), ">>> ");
        EXPECT_EQ(LoadFresh(s.fs), Numbered(20));
        EXPECT_TRUE(OnlyClipFiles(s.fs, 20));
        s.fs.diskFull = false;  // once there is room again the same store catches up
        ASSERT_TRUE(s.Save(after));
        EXPECT_EQ(LoadFresh(s.fs), after);
    }
}

TEST(ClipStoreFailures, UnreadableAndOddFilesDoNotStopTheOthers) {
    Loaded seeded(Numbered(4));
    MemoryFileSystem& fs = seeded.fs;
    fs.unreadable.insert(Path(2));
    fs.oddSized.insert(Path(3));
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    EXPECT_EQ(store.Load(problems), (Texts{u"clip 1", u"", u"clip 3", u"clip 4"}));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("Clip2.qms"), std::string::npos);
    EXPECT_NE(problems[1].find("Clip3.qms"), std::string::npos);
    // The history took 1, 3 and 4: the number whose text was unknown is written again.
    fs.unreadable.clear();
    const Texts kept{u"clip 1", u"clip 3", u"clip 4"};
    ASSERT_TRUE(store.Save(HistoryOf(kept), problems));
    EXPECT_EQ(LoadFresh(fs), kept);
}

TEST(ClipStoreFailures, ACommittedSaveThatCannotFinishLoadsAsTheNewHistory) {
    Loaded s(Numbered(5));
    const Texts after{u"clip 1", u"clip 3", u"clip 4", u"clip 5"};
    s.fs.unmovable.insert(Path(3) + ".tmp");
    EXPECT_FALSE(s.Save(after));
    EXPECT_EQ(LoadFresh(s.fs), after);  // through the texts still waiting under temporary names
    EXPECT_EQ(LoadFresh(s.fs), after);  // and again: nothing was thrown away meanwhile
    s.fs.unmovable.clear();
    ASSERT_TRUE(s.Save(after));
    EXPECT_EQ(LoadFresh(s.fs), after);
    EXPECT_TRUE(OnlyClipFiles(s.fs, after.size()));
    // A journal damaged from outside is ignored, and leftovers go.
    s.fs.files[kFolder + "Clips.journal"] = u"garbage";
    s.fs.files[Path(2) + ".tmp"] = u"half";
    ClipStore again(s.fs, kFolder);
    EXPECT_EQ(again.Load(s.problems), after);
    EXPECT_TRUE(OnlyClipFiles(s.fs, after.size()));
    EXPECT_NE(s.problems.back().find("journal"), std::string::npos);
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
    Texts before, after;
};

// Every kill of the save, and every kill of the load that completes it after a restart, leaves
// the whole previous or the whole new history, and a later save still reaches the new one.
void ExpectEveryKillLeavesOldOrNew(const Change& c) {
    auto oldOrNew = [&](const Texts& got) { return got == c.before || got == c.after; };
    auto save = [&](MemoryFileSystem& fs) {
        ClipStore store(fs, kFolder);
        std::vector<std::string> problems;
        store.Load(problems);
        EXPECT_TRUE(store.Save(HistoryOf(c.after), problems)) << c.name;
    };
    const int kills = KillAtEachChange(Loaded(c.before).fs, save, [&](MemoryFileSystem& killed, int k) {
        KillAtEachChange(killed, LoadFresh, [&](MemoryFileSystem& again, int j) {
            EXPECT_TRUE(oldOrNew(LoadFresh(again))) << c.name << " kill " << k << " then " << j;
        });
        ClipStore restarted(killed, kFolder);
        std::vector<std::string> problems;
        const Texts got = restarted.Load(problems);
        EXPECT_TRUE(oldOrNew(got) && OnlyClipFiles(killed, got.size())) << c.name << " kill " << k;
        ASSERT_TRUE(restarted.Save(HistoryOf(c.after), problems));
        EXPECT_EQ(LoadFresh(killed), c.after) << c.name << " kill " << k;
    });
    EXPECT_GT(kills, 0) << c.name;
}
}  // namespace

TEST(ClipStoreCrash, EveryKillLeavesThePreviousOrTheNewHistory) {
    const Texts ten = Numbered(10);
    Texts withoutOldest(ten.begin() + 1, ten.end()), withoutMiddle = ten, appended = ten;
    withoutMiddle.erase(withoutMiddle.begin() + 3, withoutMiddle.begin() + 6);
    Texts shifted = withoutOldest;  // the limit reached: the oldest gives way to a new clip
    shifted.push_back(u"new");
    appended.push_back(u"new");
    const Change changes[] = {
        {"capture", ten, appended},
        {"capture into empty", {}, {u"only"}},
        {"delete oldest", ten, withoutOldest},
        {"delete middle", ten, withoutMiddle},
        {"delete newest", ten, Texts(ten.begin(), ten.end() - 1)},
        {"delete all", ten, {}},
        {"shift at the limit", ten, shifted},
        {"same length, new texts", ten, Numbered(10, "other ")},
    };
    for (const auto& c : changes) ExpectEveryKillLeavesOldOrNew(c);
}

TEST(ClipStoreCrash, DeleteAllIsOneStepAndStopsAtTheFirstGap) {
    Loaded s(Numbered(6), {5});
    auto deleteAll = [](MemoryFileSystem& fs) {
        std::vector<std::string> problems;
        EXPECT_TRUE(ClipStore(fs, kFolder).DeleteAll(problems));
    };
    EXPECT_GT(KillAtEachChange(s.fs, deleteAll, [](MemoryFileSystem& killed, int k) {
        const Texts got = LoadFresh(killed);
        EXPECT_TRUE(got.empty() || got == Numbered(4)) << k;
    }), 0);
    deleteAll(s.fs);
    EXPECT_TRUE(LoadFresh(s.fs).empty());
    EXPECT_TRUE(s.fs.Exists(Path(6)));  // beyond the gap: not part of the history
}

TEST(ClipStoreDisk, RealFilesTakeTheHistoryAndTemporaryLeftoversGo) {
    ClipStoreDisk disk;
    const std::string folder = ::testing::TempDir() + "qm_clips_disk/";
    for (const auto& name : disk.List(folder)) disk.Remove(folder + name);
    disk.CreateFolder(folder);
    std::vector<std::string> problems;
    const Texts texts{u"abc", u"\u0416\U0001F600", u"z"};
    ASSERT_TRUE(ClipStore(disk, folder).Save(HistoryOf(texts), problems));
    std::ofstream(folder + "Clip9.qms.tmp") << "left by a killed save";
    ClipStore again(disk, folder);
    EXPECT_EQ(again.Load(problems), texts);
    ASSERT_TRUE(again.Save(HistoryOf({u"z"}), problems));
    EXPECT_EQ(disk.List(folder), std::vector<std::string>{"Clip1.qms"});
    EXPECT_EQ(ClipStore(disk, folder).Load(problems), Texts{u"z"});
}
