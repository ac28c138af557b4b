#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "MemoryFileSystem.h"
#include "app/ClipHistory.h"
#include "app/ClipStore.h"
#include "app/ClipStoreDisk.h"

namespace {
const std::string kFolder = "/data/Clips/";
using Texts = std::vector<ClipText>;  // oldest first, as the files are numbered

// The history whose clips, oldest first, are `texts` (index 0 of the history is the newest).
std::vector<ClipRecord> HistoryOf(const Texts& texts) {
    std::vector<ClipRecord> h;
    for (const auto& t : texts) h.push_back(ClipRecord{1, t, u"", u"", false});
    return h;
}

Texts Numbered(int n, const char16_t* prefix = u"clip ") {
    Texts t;
    for (int i = 1; i <= n; ++i) {
        const std::string d = std::to_string(i);
        t.push_back(prefix + ClipText(d.begin(), d.end()));
    }
    return t;
}

void Seed(MemoryFileSystem& fs, const Texts& texts) {
    for (size_t i = 0; i < texts.size(); ++i) fs.files[kFolder + ClipStore::ClipFileName(static_cast<int>(i) + 1)] = texts[i];
}

Texts LoadFresh(MemoryFileSystem& fs) {
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    return store.Load(problems);
}

// Every file of the folder that is neither a clip file in 1..count nor expected.
std::vector<std::string> Extras(MemoryFileSystem& fs, size_t count) {
    std::vector<std::string> extra;
    for (const auto& name : fs.List(kFolder)) {
        bool clip = false;
        for (size_t n = 1; n <= count; ++n) clip = clip || name == ClipStore::ClipFileName(static_cast<int>(n));
        if (!clip) extra.push_back(name);
    }
    return extra;
}
}  // namespace

TEST(ClipFileBytes, TextIsRawUtf16LeAndOddSizesRoundHalfToEven) {
    EXPECT_EQ(EncodeClipFile(u"abc"), std::string("a\0b\0c\0", 6));
    EXPECT_EQ(EncodeClipFile(u"\u0416"), std::string("\x16\x04", 2));
    EXPECT_EQ(EncodeClipFile(u""), "");
    EXPECT_EQ(DecodeClipFile(std::string("a\0b\0c\0", 6)).Text, u"abc");
    EXPECT_FALSE(DecodeClipFile(std::string("a\0", 2)).OddSize);
    const auto five = DecodeClipFile(std::string("a\0b\0c", 5));  // 2.5 units: 2
    EXPECT_EQ(five.Text, u"ab");
    EXPECT_TRUE(five.OddSize);
    EXPECT_EQ(DecodeClipFile(std::string("a\0b\0c\0d", 7)).Text, u"abcd");  // 3.5 units: 4
    EXPECT_EQ(DecodeClipFile("x").Text, u"");
}

TEST(ClipStoreOrder, AHistoryComesBackInItsOrderThroughTheHistoryModel) {
    MemoryFileSystem fs;
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    ClipHistory saved;
    ClipText last;
    for (auto t : {u"first", u"second", u"third"}) saved.AddClip(t, u"", u"", false, last);
    ASSERT_TRUE(store.Save(saved.OldestFirst(), problems));
    EXPECT_EQ(fs.files[kFolder + "Clip1.qms"], u"first");  // the oldest
    EXPECT_EQ(fs.files[kFolder + "Clip3.qms"], u"third");
    ClipHistory loaded;
    ClipText last2;
    for (const auto& t : LoadFresh(fs)) loaded.AddClip(t, u"", u"", false, last2);
    ASSERT_EQ(loaded.ClipCount(), 3);
    EXPECT_EQ(loaded.Clip(0).Text, u"third");
    EXPECT_EQ(loaded.Clip(2).Text, u"first");
    EXPECT_TRUE(problems.empty());
}

TEST(ClipStoreOrder, LoadingStopsAtTheFirstGapAndLeavesLaterFilesAlone) {
    MemoryFileSystem fs;
    Seed(fs, {u"a", u"b", u"c", u"d"});
    fs.files.erase(kFolder + "Clip3.qms");
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    EXPECT_EQ(store.Load(problems), (Texts{u"a", u"b"}));
    ASSERT_TRUE(store.Save(HistoryOf({u"b"}), problems));
    EXPECT_EQ(fs.files[kFolder + "Clip1.qms"], u"b");
    EXPECT_FALSE(fs.Exists(kFolder + "Clip2.qms"));
    EXPECT_EQ(fs.files[kFolder + "Clip4.qms"], u"d");
    // Grown up to the gap, the history would take the stray file as its newest clip: it is set
    // aside instead, and nothing of it is lost.
    ASSERT_TRUE(store.Save(HistoryOf({u"b", u"x", u"y"}), problems));
    EXPECT_EQ(LoadFresh(fs), (Texts{u"b", u"x", u"y"}));
    EXPECT_EQ(fs.files[kFolder + "Clip4.qms.stray"], u"d");
    EXPECT_EQ(problems.back().substr(0, 4), ">>> ");
}

TEST(ClipStoreOrder, AHistoryGrowingPastAGapKeepsTheFilesBeyondIt) {
    MemoryFileSystem fs;
    Seed(fs, {u"a", u"b", u"c", u"d", u"e", u"f"});
    fs.files.erase(kFolder + "Clip2.qms");
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    EXPECT_EQ(store.Load(problems), (Texts{u"a"}));
    const Texts grown{u"a", u"n2", u"n3", u"n4"};
    ASSERT_TRUE(store.Save(HistoryOf(grown), problems));
    EXPECT_EQ(LoadFresh(fs), grown);
    for (auto [n, t] : {std::pair{3, u"c"}, {4, u"d"}, {5, u"e"}, {6, u"f"}})
        EXPECT_EQ(fs.files[kFolder + "Clip" + std::to_string(n) + ".qms.stray"], t) << n;
}

TEST(ClipStoreCost, ACaptureWritesOneFileWhateverTheHistory) {
    for (int n : {0, 1, 100, 3000}) {
        MemoryFileSystem fs;
        Texts texts = Numbered(n);
        Seed(fs, texts);
        ClipStore store(fs, kFolder);
        std::vector<std::string> problems;
        ASSERT_EQ(store.Load(problems).size(), static_cast<size_t>(n));
        texts.push_back(u"new");
        fs.changes = 0;
        ASSERT_TRUE(store.Save(HistoryOf(texts), problems));
        EXPECT_EQ(store.LastSaveOperations(), 1) << n;
        EXPECT_EQ(fs.changes, 2) << n;  // the text under a temporary name, then the move
        EXPECT_EQ(LoadFresh(fs), texts);
        fs.changes = 0;
        ASSERT_TRUE(store.Save(HistoryOf(texts), problems));  // nothing changed: nothing written
        EXPECT_EQ(fs.changes, 0);
    }
}

TEST(ClipStoreCost, ADeleteRewritesOnlyTheNumbersAboveIt) {
    MemoryFileSystem fs;
    Texts texts = Numbered(1000);
    Seed(fs, texts);
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    store.Load(problems);
    texts.erase(texts.begin() + 989);  // number 990
    ASSERT_TRUE(store.Save(HistoryOf(texts), problems));
    EXPECT_EQ(store.LastSaveOperations(), 11);  // 990..999 move down, 1000 goes
    EXPECT_EQ(LoadFresh(fs), texts);
    EXPECT_TRUE(Extras(fs, texts.size()).empty());
    texts.pop_back();  // the newest alone: one removal
    ASSERT_TRUE(store.Save(HistoryOf(texts), problems));
    EXPECT_EQ(store.LastSaveOperations(), 1);
    EXPECT_EQ(LoadFresh(fs), texts);
}

TEST(ClipStoreFailures, AFullDiskKeepsThePreviousHistoryAndLeavesNoDebris) {
    for (bool manyFiles : {false, true}) {
        MemoryFileSystem fs;
        const Texts before = Numbered(20);
        Seed(fs, before);
        ClipStore store(fs, kFolder);
        std::vector<std::string> problems;
        store.Load(problems);
        Texts after = before;
        if (manyFiles) after.erase(after.begin());
        else after.push_back(u"new");
        fs.diskFull = true;
        EXPECT_FALSE(store.Save(HistoryOf(after), problems));
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems.back().substr(0, 4), ">>> ");
        EXPECT_EQ(LoadFresh(fs), before);
        EXPECT_TRUE(Extras(fs, before.size()).empty());
        // Once there is room again the same store catches up.
        fs.diskFull = false;
        ASSERT_TRUE(store.Save(HistoryOf(after), problems));
        EXPECT_EQ(LoadFresh(fs), after);
    }
}

TEST(ClipStoreFailures, UnreadableAndOddFilesDoNotStopTheOthers) {
    MemoryFileSystem fs;
    Seed(fs, {u"a", u"b", u"c", u"d"});
    fs.unreadable.insert(kFolder + "Clip2.qms");
    fs.oddSized.insert(kFolder + "Clip3.qms");
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    EXPECT_EQ(store.Load(problems), (Texts{u"a", u"", u"c", u"d"}));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("Clip2.qms"), std::string::npos);
    EXPECT_NE(problems[1].find("Clip3.qms"), std::string::npos);
    // The history took a, c and d: the number whose text was unknown is written again.
    fs.unreadable.clear();
    ASSERT_TRUE(store.Save(HistoryOf({u"a", u"c", u"d"}), problems));
    EXPECT_EQ(LoadFresh(fs), (Texts{u"a", u"c", u"d"}));
}

TEST(ClipStoreFailures, ACommittedSaveThatCannotFinishLoadsAsTheNewHistory) {
    MemoryFileSystem fs;
    const Texts before = Numbered(5);
    Seed(fs, before);
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    store.Load(problems);
    const Texts after{u"clip 1", u"clip 3", u"clip 4", u"clip 5"};
    fs.unmovable.insert(kFolder + "Clip3.qms.tmp");
    EXPECT_FALSE(store.Save(HistoryOf(after), problems));
    EXPECT_EQ(LoadFresh(fs), after);  // through the texts still waiting under temporary names
    EXPECT_EQ(LoadFresh(fs), after);  // and again: nothing was thrown away meanwhile
    fs.unmovable.clear();
    ASSERT_TRUE(store.Save(HistoryOf(after), problems));
    EXPECT_EQ(LoadFresh(fs), after);
    EXPECT_TRUE(Extras(fs, after.size()).empty());
}

TEST(ClipStoreFailures, AJournalDamagedFromOutsideIsIgnored) {
    MemoryFileSystem fs;
    Seed(fs, {u"a", u"b"});
    fs.files[kFolder + "Clips.journal"] = u"garbage";
    fs.files[kFolder + "Clip2.qms.tmp"] = u"half";
    std::vector<std::string> problems;
    ClipStore store(fs, kFolder);
    EXPECT_EQ(store.Load(problems), (Texts{u"a", u"b"}));
    EXPECT_TRUE(Extras(fs, 2).empty());
    EXPECT_FALSE(problems.empty());
}

namespace {
struct Change {
    const char* name;
    Texts before, after;
};

// Kills the save before each of its changes in turn; every time, the next load must give the
// whole previous history or the whole new one, and a later save must still reach the new one.
void ExpectEveryKillLeavesOldOrNew(const Change& c) {
    int total = 0;
    {
        MemoryFileSystem fs;
        Seed(fs, c.before);
        ClipStore store(fs, kFolder);
        std::vector<std::string> problems;
        store.Load(problems);
        fs.changes = 0;
        ASSERT_TRUE(store.Save(HistoryOf(c.after), problems)) << c.name;
        total = fs.changes;
    }
    ASSERT_GT(total, 0) << c.name;
    for (int k = 1; k <= total; ++k) {
        MemoryFileSystem fs;
        Seed(fs, c.before);
        ClipStore store(fs, kFolder);
        std::vector<std::string> problems;
        store.Load(problems);
        fs.changes = 0;
        fs.killAt = k;
        EXPECT_THROW(store.Save(HistoryOf(c.after), problems), KilledHere);
        fs.killAt = -1;
        // A second death, during the load that completes the first save, changes nothing either.
        for (int j = 1;; ++j) {
            MemoryFileSystem again = fs;
            again.changes = 0;
            again.killAt = j;
            try {
                const Texts got = LoadFresh(again);
                EXPECT_TRUE(got == c.before || got == c.after) << c.name << " kill " << k;
                break;
            } catch (const KilledHere&) {
                again.killAt = -1;
                const Texts got = LoadFresh(again);
                EXPECT_TRUE(got == c.before || got == c.after) << c.name << " kill " << k << " then " << j;
            }
        }
        ClipStore restarted(fs, kFolder);
        const Texts got = restarted.Load(problems);
        EXPECT_TRUE(got == c.before || got == c.after) << c.name << " kill " << k;
        EXPECT_TRUE(Extras(fs, got.size()).empty()) << c.name << " kill " << k;
        ASSERT_TRUE(restarted.Save(HistoryOf(c.after), problems));
        EXPECT_EQ(LoadFresh(fs), c.after) << c.name << " kill " << k;
    }
}
}  // namespace

TEST(ClipStoreCrash, EveryKillLeavesThePreviousOrTheNewHistory) {
    const Texts ten = Numbered(10);
    Texts withoutOldest(ten.begin() + 1, ten.end());
    Texts withoutMiddle = ten;
    withoutMiddle.erase(withoutMiddle.begin() + 3, withoutMiddle.begin() + 6);
    Texts shifted = withoutOldest;  // the limit reached: the oldest gives way to a new clip
    shifted.push_back(u"new");
    Texts appended = ten;
    appended.push_back(u"new");
    const Change changes[] = {
        {"capture", ten, appended},
        {"capture into empty", {}, {u"only"}},
        {"delete oldest", ten, withoutOldest},
        {"delete middle", ten, withoutMiddle},
        {"delete newest", ten, Texts(ten.begin(), ten.end() - 1)},
        {"delete all", ten, {}},
        {"shift at the limit", ten, shifted},
        {"same length, new texts", ten, Numbered(10, u"other ")},
    };
    for (const auto& c : changes) ExpectEveryKillLeavesOldOrNew(c);
}

TEST(ClipStoreCrash, DeleteAllIsOneStepAndStopsAtTheFirstGap) {
    MemoryFileSystem fs;
    Seed(fs, Numbered(6));
    fs.files.erase(kFolder + "Clip5.qms");
    ClipStore store(fs, kFolder);
    std::vector<std::string> problems;
    for (int k = 1;; ++k) {
        MemoryFileSystem trial = fs;
        trial.killAt = k;
        ClipStore s(trial, kFolder);
        try {
            ASSERT_TRUE(s.DeleteAll(problems));
            break;
        } catch (const KilledHere&) {
            trial.killAt = -1;
            const Texts got = LoadFresh(trial);
            EXPECT_TRUE(got.empty() || got == Numbered(4)) << k;
        }
    }
    ASSERT_TRUE(store.DeleteAll(problems));
    EXPECT_TRUE(LoadFresh(fs).empty());
    EXPECT_TRUE(fs.Exists(kFolder + "Clip6.qms"));  // beyond the gap: not part of the history
}

namespace {
std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

TEST(ClipStoreDisk, RealFilesHoldRawTextAndTemporaryLeftoversGo) {
    ClipStoreDisk disk;
    const std::string folder = ::testing::TempDir() + "qm_clips_disk/";
    for (const auto& name : disk.List(folder)) disk.Remove(folder + name);
    disk.CreateFolder(folder);
    ClipStore store(disk, folder);
    std::vector<std::string> problems;
    ASSERT_TRUE(store.Save(HistoryOf({u"abc", u"\u0416\U0001F600", u"z"}), problems));
    EXPECT_EQ(ReadBytes(folder + "Clip1.qms"), std::string("a\0b\0c\0", 6));
    EXPECT_EQ(ReadBytes(folder + "Clip2.qms"), std::string("\x16\x04\x3D\xD8\x00\xDE", 6));
    std::ofstream(folder + "Clip9.qms.tmp") << "left by a killed save";
    ClipStore again(disk, folder);
    EXPECT_EQ(again.Load(problems), (Texts{u"abc", u"\u0416\U0001F600", u"z"}));
    EXPECT_FALSE(disk.Exists(folder + "Clip9.qms.tmp"));
    ASSERT_TRUE(again.Save(HistoryOf({u"z"}), problems));
    EXPECT_EQ(disk.List(folder), std::vector<std::string>{"Clip1.qms"});
    EXPECT_EQ(ReadBytes(folder + "Clip1.qms"), std::string("z\0", 2));
}
