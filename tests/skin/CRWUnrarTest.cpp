// The RAR wrapper driving the real library: events in order, error texts, sizes, progress steps,
// volumes and passwords.
#include <gtest/gtest.h>

#include "../rar/RarTestSupport.h"
#include "SkinTestSupport.h"
#include "skin/CRWUnrar.h"
#include "skin/MRWUnrar.h"

using namespace rartest;

namespace {

// Records every event as one line, in order.
struct Recorder {
    std::vector<std::string> events;
    std::vector<double> sizes;
    std::vector<std::pair<double, double>> progress;
    std::vector<std::pair<int, int>> versions;
    void Attach(CRWUnrar& w) {
        w.OpenError = [this](int32_t& n, std::string& m, std::string& f) { events.push_back("OpenError " + std::to_string(n) + " " + m + " " + f); };
        w.ProcessError = [this](int32_t& n, std::string& m, std::string& f) {
            events.push_back("ProcessError " + std::to_string(n) + " " + m + " " + f);
        };
        w.CommentError = [this](int32_t& n, std::string& m, std::string&) { events.push_back("CommentError " + std::to_string(n) + " " + m); };
        w.CommentFound = [this](std::string&, std::string& c) {
            events.push_back("CommentFound " + std::string(c.c_str()) + " " + std::to_string(c.size()));
        };
        w.ProcessingFile = [this](std::string& f, double& size, SYSTEMTIME&, int16_t& major, int16_t& minor, int32_t&, int32_t&) {
            events.push_back("ProcessingFile " + f);
            sizes.push_back(size);
            versions.push_back({major, minor});
        };
        w.NextVolumne = [this](std::string& f, bool& cont) {
            events.push_back("NextVolumne " + f);
            cont = true;
        };
        w.Progress = [this](double& size, double& done) { progress.push_back({size, done}); };
    }
};

class Wrapper : public ::testing::Test {
protected:
    void SetUp() override { skintest::InstallUnpackLibrary(); }
    std::string Archive(const std::vector<qmrar::WriterEntry>& entries, qmrar::WriterOptions o = {}) {
        return WriteVolumes(tmp.Path() / "a", qmrar::WriteArchive(o, entries))[0];
    }
    TempDir tmp;
};

qmrar::WriterEntry Entry(const std::string& name, std::vector<uint8_t> data) {
    qmrar::WriterEntry e;
    e.name = name;
    e.data = std::move(data);
    return e;
}

}  // namespace

TEST_F(Wrapper, TwoFileTestRaisesVolumeOnceThenEachFile) {
    auto arc = Archive({Entry("one.txt", Bytes("1")), Entry("two.txt", Bytes("2"))});
    CRWUnrar w;
    Recorder r;
    r.Attach(w);
    EXPECT_TRUE(w.TestRarFiles(arc));
    EXPECT_EQ(r.events, (std::vector<std::string>{"NextVolumne " + arc, "ProcessingFile one.txt", "ProcessingFile two.txt"}));
    EXPECT_EQ(w.strLastErrorMsg(), "");

    // Extraction keeps the stored paths below the destination.
    std::vector<qmrar::WriterEntry> nested = {Entry("Main/Clip.bmp", Bytes("bmp"))};
    auto arc2 = WriteVolumes(tmp.Path() / "n", qmrar::WriteArchive({}, nested))[0];
    EXPECT_TRUE(w.ExtractRarFiles(arc2, (tmp.Path() / "out").string()));
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/Main/Clip.bmp"), Bytes("bmp"));
}

TEST_F(Wrapper, CrcErrorReadsWrongPasswordOnlyWhenOneWasUsed) {
    auto bad = Entry("second.txt", Bytes("two"));
    bad.crc = 0xDEADBEEF;
    auto arc = Archive({Entry("first.txt", Bytes("one")), bad});
    CRWUnrar withPassword;
    Recorder r;
    r.Attach(withPassword);
    EXPECT_FALSE(withPassword.TestRarFiles(arc, "secret"));
    EXPECT_EQ(r.events.back(), "ProcessError 12 CRC error - Wrong password? second.txt");
    EXPECT_EQ(withPassword.strLastErrorMsg(), "CRC error - Wrong password?");
    // The flag stays for the object's life.
    EXPECT_FALSE(withPassword.TestRarFiles(arc));
    EXPECT_EQ(withPassword.strLastErrorMsg(), "CRC error - Wrong password?");

    CRWUnrar fresh;
    EXPECT_FALSE(fresh.TestRarFiles(arc, ""));
    EXPECT_EQ(fresh.strLastErrorMsg(), "CRC error");
}

TEST_F(Wrapper, SizesAboveFourGigabytesAndVersionsComeFromTheHeader) {
    auto big = Entry("five.bin", Bytes("x"));
    big.method = 0x33;
    big.unpSize = 5000000000ull;
    big.unpVer = 29;
    auto three = Entry("three.bin", Bytes("y"));
    three.method = 0x33;
    three.unpSize = 3000000000ull;
    qmrar::WriterOptions o;
    o.format = qmrar::ArchiveFormat::Rar4;
    auto arc = Archive({big, three}, o);
    CRWUnrar w;
    Recorder r;
    r.Attach(w);
    std::vector<std::string> names(3);
    EXPECT_TRUE(w.ListRarFiles(arc, names));
    EXPECT_EQ(r.sizes, (std::vector<double>{5000000000.0, 3000000000.0}));
    EXPECT_EQ(r.versions[0], (std::pair<int, int>{2, 9}));
    EXPECT_EQ(names, (std::vector<std::string>{"five.bin", "three.bin", ""}));
    EXPECT_EQ(MRWUnrar::CombineHiLo(1, 705032704), 5000000000.0);
    int32_t negative = -1294967296;
    EXPECT_EQ(w.LongToUnsigned(negative), 3000000000.0);
}

TEST_F(Wrapper, NameListsThatAreTooSmall) {
    auto arc = Archive({Entry("a", Bytes("1")), Entry("b", Bytes("2")), Entry("c", Bytes("3"))});
    CRWUnrar w;
    Recorder r;
    r.Attach(w);
    std::vector<std::string> one(1);
    EXPECT_FALSE(w.ListRarFiles(arc, one));
    EXPECT_EQ(r.events, std::vector<std::string>{"ProcessError 5000 Supplied array to small to fit all files "});
    std::vector<std::string> two(2);
    r.events.clear();
    EXPECT_FALSE(w.ListRarFiles(arc, two));
    EXPECT_EQ(r.events.back(), "ProcessError 5000 Supplied array to small to fit all files c");
    EXPECT_EQ(two, (std::vector<std::string>{"a", "b"}));
}

TEST_F(Wrapper, ProgressStepsFollowTheProcessedShare) {
    // The library reports data in 64 KB blocks: 100 blocks make 1 percent each.
    auto arc = Archive({Entry("hundred.bin", std::vector<uint8_t>(100 * 65536, 1)), Entry("empty.txt", {})});
    CRWUnrar w;
    Recorder r;
    r.Attach(w);
    EXPECT_TRUE(w.TestRarFiles(arc));
    std::vector<int> percents;
    for (auto& [size, done] : r.progress) percents.push_back(static_cast<int>(done * 100 / size));
    std::vector<int> expected;
    for (int p = 5; p <= 97; p += 4) expected.push_back(p);
    EXPECT_EQ(percents, expected);  // 24 events; none for the empty file

    auto halves = Archive({Entry("two.bin", std::vector<uint8_t>(2 * 65536, 2))});
    Recorder h;
    h.Attach(w);
    EXPECT_TRUE(w.TestRarFiles(halves));
    ASSERT_EQ(h.progress.size(), 2u);
    EXPECT_EQ(h.progress[0].second, 65536.0);
    EXPECT_EQ(h.progress[1].second, 131072.0);
}

TEST_F(Wrapper, VolumeChangesNeedAHandler) {
    qmrar::WriterOptions o;
    o.volumeSize = 2000;
    auto arc = Archive({Entry("spans.bin", std::vector<uint8_t>(5000, 3))}, o);
    CRWUnrar silent;
    std::vector<std::string> errors;
    silent.ProcessError = [&](int32_t& n, std::string& m, std::string& f) { errors.push_back(std::to_string(n) + " " + m + " " + f); };
    EXPECT_FALSE(silent.TestRarFiles(arc));
    EXPECT_EQ(errors, std::vector<std::string>{"15 Volume open error spans.bin"});

    CRWUnrar handled;
    Recorder r;
    r.Attach(handled);
    EXPECT_TRUE(handled.TestRarFiles(arc));
    EXPECT_GE(std::count_if(r.events.begin(), r.events.end(), [](auto& e) { return e.starts_with("NextVolumne "); }), 3);

    // A missing volume: without a new name the run stops; with one it goes on.
    auto second = (tmp.Path() / "a.part2.rar").string();
    fs::create_directories(tmp.Path() / "sub");
    auto moved = (tmp.Path() / "sub" / "a.part2.rar").string();
    fs::rename(second, moved);
    std::vector<std::string> asked;
    bool giveName = false;
    handled.MissingFile = [&](std::string& f, std::string& n) {
        asked.push_back(f);
        if (!giveName) return;
        // The volume after the moved one is looked for beside it: send that one home.
        fs::path p(f);
        n = p == fs::path(second) ? moved : (tmp.Path() / p.filename()).string();
    };
    EXPECT_FALSE(handled.TestRarFiles(arc));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], second);
    giveName = true;
    EXPECT_TRUE(handled.TestRarFiles(arc));
    EXPECT_EQ(handled.strLastErrorMsg(), "Volume open error");  // a successful run keeps the last error
}

TEST_F(Wrapper, MissingPasswordGetsTheDummyAndFailsCleanly) {
    auto secret = Entry("secret.txt", Bytes("0123456789abcdef"));
    secret.encrypted = true;
    auto arc = Archive({secret});
    CRWUnrar w;
    int asked = 0;
    std::vector<std::string> errors;
    w.MissingPassword = [&](std::string&) { ++asked; };
    w.ProcessError = [&](int32_t& n, std::string& m, std::string&) { errors.push_back(std::to_string(n) + " " + m); };
    EXPECT_FALSE(w.TestRarFiles(arc));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(errors, std::vector<std::string>{"14 Unknown archive format"});
}

TEST_F(Wrapper, OpenErrorsAndComments) {
    CRWUnrar w;
    Recorder r;
    r.Attach(w);
    std::string missing = (tmp.Path() / "none.rar").string();
    EXPECT_FALSE(w.TestRarFiles(missing));
    EXPECT_EQ(r.events, std::vector<std::string>{"OpenError 15 Cannot open file " + missing});
    EXPECT_EQ(w.strLastErrorMsg(), "Cannot open file");

    WriteBytes(tmp.Path() / "plain.rar", Bytes("no archive here"));
    r.events.clear();
    EXPECT_FALSE(w.ExtractRarFiles((tmp.Path() / "plain.rar").string(), tmp.Path().string()));
    EXPECT_EQ(w.strLastErrorMsg(), "File is not RAR archive");

    qmrar::WriterOptions o;
    o.comment = "Skin by us";
    auto arc = Archive({Entry("x", Bytes("x"))}, o);
    r.events.clear();
    EXPECT_TRUE(w.TestRarFiles(arc));
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events[0], "CommentFound Skin by us 16384");  // the whole buffer, untrimmed
    EXPECT_EQ(r.events[1], "NextVolumne " + arc);

    // A compressed comment cannot be read; the run goes on.
    std::string compressedComment = std::string(QM_RAR_SAMPLES) + "/test_read_format_rar_subblock.rar";
    if (fs::exists(compressedComment)) {
        r.events.clear();
        EXPECT_TRUE(w.TestRarFiles(compressedComment));
        ASSERT_FALSE(r.events.empty());
        EXPECT_EQ(r.events[0], "CommentError 14 Unknown comment format");
        EXPECT_EQ(r.events.back(), "ProcessingFile test.txt");
    }
}
