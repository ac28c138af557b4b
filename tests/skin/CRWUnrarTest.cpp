// Skin.dll through its documented calls, and the RAR wrapper driving it: events in order, error texts,
// sizes, progress steps, volumes and passwords.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "SkinTestSupport.h"
#include "skin/CRWUnrar.h"
#include "skin/RarLibrary.h"

using namespace rartest;
using Lines = std::vector<std::string>;

namespace {

// Records every event as one line, in order; sizes and versions of files with their names.
struct Recorder {
    Lines events;
    std::vector<std::pair<double, double>> progress;
    void Attach(CRWUnrar& w) {
        auto error = [this](const char* kind) {
            return [this, kind](int32_t& n, std::string& m, std::string& f) {
                events.push_back(std::string(kind) + " " + std::to_string(n) + " " + m + " " + f);
            };
        };
        w.OpenError = error("OpenError");
        w.ProcessError = error("ProcessError");
        w.CommentError = error("CommentError");
        w.CommentFound = [this](std::string&, std::string& c) {
            events.push_back("CommentFound " + std::string(c.c_str()) + " " + std::to_string(c.size()));
        };
        w.ProcessingFile = [this](std::string& f, double& size, SYSTEMTIME&, int16_t& major, int16_t& minor, int32_t&,
                                  int32_t&) {
            char line[300];
            std::snprintf(line, sizeof line, "ProcessingFile %s %.0f %d.%d", f.c_str(), size, major, minor);
            events.push_back(line);
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
    void SetUp() override {
        skintest::InstallUnpackLibrary();
        r.Attach(w);
    }
    std::string Archive(const std::vector<qmrar::WriterEntry>& entries, qmrar::WriterOptions o = {}) {
        return WriteRar(tmp.Path() / ("a" + std::to_string(++archives)), entries, o)[0];
    }
    TempDir tmp;
    int archives = 0;
    CRWUnrar w;
    Recorder r;
};
using SkinDll = Wrapper;

// One archive opened through the library's own calls, with a callback that records and declines passwords.
struct Direct {
    const MRWUnrar::RarLibrary& lib = MRWUnrar::Library();
    unrar::RAROpenArchiveData data{};
    char comment[64] = {};
    std::unique_ptr<unrar::RARHeaderDataEx> header = std::make_unique<unrar::RARHeaderDataEx>();
    std::vector<UINT> messages;
    size_t processed = 0;  // bytes of data reported
    HANDLE h = nullptr;
    Direct(const std::string& name, UINT mode, UINT commentSize = 0) {
        data.ArcName = const_cast<char*>(name.c_str());
        data.OpenMode = mode;
        data.CmtBuf = commentSize ? comment : nullptr;
        data.CmtBufSize = commentSize;
        h = lib.RAROpenArchive(&data);
        if (h) lib.RARSetCallback(h, Callback, reinterpret_cast<LPARAM>(this));
    }
    ~Direct() { EXPECT_TRUE(!h || lib.RARCloseArchive(h) == 0); }
    static int CALLBACK Callback(UINT msg, LPARAM self, LPARAM, LPARAM p2) {
        auto& d = *reinterpret_cast<Direct*>(self);
        d.messages.push_back(msg);
        if (msg == 1) d.processed += static_cast<size_t>(p2);
        return msg == 2 ? -1 : 1;
    }
    int Read() { return lib.RARReadHeaderEx(h, header.get()); }
    int Process(int op, const std::string& path = "", char* name = nullptr) {
        return lib.RARProcessFile(h, op, path.empty() ? nullptr : const_cast<char*>(path.c_str()), name);
    }
};

// A folder, a stored file of 200000 bytes and a non-ASCII name.
std::vector<qmrar::WriterEntry> LibraryEntries() {
    std::vector<qmrar::WriterEntry> v = {Entry("Main"), Entry("Main/Clip.bmp", std::string(200000, '\7')),
                                         Entry("Caf\xc3\xa9/\xe8\xa1\xa8.txt", "wide")};
    v[0].directory = true;
    return v;
}

}  // namespace

// Sizes, versions and the volume name in ArcName reach the wrapper's events below; here what it never reads.
TEST_F(SkinDll, HeadersFillTheDocumentedFieldsAndLeaveReservedAlone) {
    Direct a(Archive(LibraryEntries()), 0);
    ASSERT_NE(a.h, nullptr);
    auto& header = *a.header;
    std::memset(&header, 0xCD, sizeof header);
    ASSERT_EQ(a.Read(), 0);
    EXPECT_STREQ(header.FileName, "Main");
    EXPECT_EQ(header.Flags & 0xE0, 0xE0u);
    auto reserved = reinterpret_cast<const unsigned char*>(&header) + unrar::kHeaderWrittenBytes;
    EXPECT_TRUE(std::all_of(reserved, reserved + 4096, [](unsigned char c) { return c == 0xCD; }));
    ASSERT_EQ(a.Process(0), 0);
    ASSERT_EQ(a.Read(), 0);
    EXPECT_STREQ(header.FileName, "Main\\Clip.bmp");  // Windows separators
    EXPECT_EQ(std::wstring(header.FileNameW), L"Main\\Clip.bmp");
    EXPECT_EQ(header.Flags & 0xE0, 0u);
    EXPECT_EQ(header.HostOS, 2u);
    EXPECT_EQ(header.Method, 0x30u);
    ASSERT_EQ(a.Read(), 0);  // the unprocessed entry is stepped over
    EXPECT_EQ(std::wstring(header.FileNameW), L"Caf\u00e9\\\u8868.txt");
    EXPECT_EQ(a.Read(), 10);
}

// The library does not care for the format (the reader tests take both); RAR4 here, RAR5 above.
TEST_F(SkinDll, TestAndExtractReportDataAndMakeFilesOnlyWhenExtracting) {
    auto name = Archive(LibraryEntries(), Options(qmrar::ArchiveFormat::Rar4));
    std::string dest = (tmp.Path() / "out").string();
    for (int op : {1, 2}) {
        Direct a(name, 1);
        while (a.Read() == 0) EXPECT_EQ(a.Process(op, dest), 0) << op;
        EXPECT_EQ(a.processed, 200004u);
        EXPECT_EQ(fs::exists(tmp.Path() / "out/Main/Clip.bmp"), op == 2);
    }
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/Main/Clip.bmp"), Bytes(std::string(200000, '\7')));
    EXPECT_EQ(ReadBytes(tmp.Path() / "out" / fs::path(L"Caf\u00e9") / fs::path(L"\u8868.txt")), Bytes("wide"));

    // DestName replaces both the stored name and DestPath.
    Direct b(name, 1);
    b.Read();
    b.Process(0);
    b.Read();
    std::string target = (tmp.Path() / "renamed.bmp").string();
    EXPECT_EQ(b.Process(2, dest, target.data()), 0);
    EXPECT_EQ(fs::file_size(target), 200000u);
}

// The wrapper always gives a 16384-byte buffer and a password when asked; here a small one and none.
TEST_F(SkinDll, PasswordsAndCommentsCutToTheBuffer) {
    auto secret = Entry("secret.txt", "0123456789abcdef");
    secret.encrypted = true;
    const std::string comment = "A comment longer than the buffer given for it";
    auto name = Archive({secret}, Options(qmrar::ArchiveFormat::Rar4, 0, comment));
    {
        Direct a(name, 1, 64);
        EXPECT_EQ(a.data.CmtState, 1u);
        EXPECT_STREQ(a.comment, comment.c_str());
        EXPECT_EQ(a.data.CmtSize, comment.size() + 1);
        ASSERT_EQ(a.Read(), 0);
        EXPECT_EQ(a.header->Flags & 0x04, 0x04u);
        EXPECT_EQ(a.Process(1), 22);  // the callback gave none
        EXPECT_EQ(a.messages.back(), 2u);
    }
    Direct a(name, 1, 10);
    EXPECT_EQ(a.data.CmtState, 20u);
    EXPECT_STREQ(a.comment, "A comment");
    a.lib.RARSetPassword(a.h, const_cast<char*>("pw"));
    a.Read();
    EXPECT_EQ(a.Process(1), 14);  // decryption is not supported
}

TEST_F(Wrapper, TwoFileTestRaisesVolumeOnceThenEachFile) {
    auto arc = Archive({Entry("one.txt", "1"), Entry("two.txt", "2")});
    EXPECT_TRUE(w.TestRarFiles(arc));
    EXPECT_EQ(r.events, (Lines{"NextVolumne " + arc, "ProcessingFile one.txt 1 5.0", "ProcessingFile two.txt 1 5.0"}));
    EXPECT_EQ(w.strLastErrorMsg(), "");  // extraction with its folders: the skin package tests
}

TEST_F(Wrapper, CrcErrorReadsWrongPasswordOnceAPasswordWasUsed) {
    auto bad = Entry("second.txt", "two"), secret = Entry("secret.txt", "0123456789abcdef");
    bad.crc = 0xDEADBEEF;
    secret.encrypted = true;
    auto arc = Archive({Entry("first.txt", "one"), bad});
    CRWUnrar given;
    EXPECT_FALSE(given.TestRarFiles(arc, "secret"));
    EXPECT_EQ(given.strLastErrorMsg(), "CRC error - Wrong password?");

    EXPECT_FALSE(w.TestRarFiles(arc, ""));
    EXPECT_EQ(r.events.back(), "ProcessError 12 CRC error second.txt");
    // Asked by the library, the wrapper hands over a dummy and reports the failure; the flag then stays.
    int asked = 0;
    w.MissingPassword = [&](std::string&) { ++asked; };
    EXPECT_FALSE(w.TestRarFiles(Archive({secret})));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(r.events.back(), "ProcessError 14 Unknown archive format secret.txt");
    EXPECT_FALSE(w.TestRarFiles(arc));
    EXPECT_EQ(r.events.back(), "ProcessError 12 CRC error - Wrong password? second.txt");
    EXPECT_EQ(w.strLastErrorMsg(), "CRC error - Wrong password?");
}

TEST_F(Wrapper, ListingReportsSizesAboveFourGigabytesVersionsAndNamesThatDoNotFit) {
    auto big = Entry("five.bin", "x"), three = Entry("three.bin", "y");
    big.method = three.method = 0x33;
    big.unpSize = 5000000000ull;
    big.unpVer = 29;
    three.unpSize = 3000000000ull;
    Lines names(3);
    auto arc = Archive({big, three}, Options(qmrar::ArchiveFormat::Rar4));
    EXPECT_TRUE(w.ListRarFiles(arc, names));
    EXPECT_EQ(r.events, (Lines{"NextVolumne " + arc, "ProcessingFile five.bin 5000000000 2.9",
                               "ProcessingFile three.bin 3000000000 2.0"}));
    EXPECT_EQ(names, (Lines{"five.bin", "three.bin", ""}));
    // Lists too small: one entry is refused before opening, two are filled until the third name.
    Lines one(1), two(2);
    r.events.clear();
    EXPECT_FALSE(w.ListRarFiles(arc, one));
    EXPECT_EQ(r.events, Lines{"ProcessError 5000 Supplied array to small to fit all files "});
    EXPECT_FALSE(w.ListRarFiles(Archive({Entry("a", "1"), Entry("b", "2"), Entry("c", "3")}), two));
    EXPECT_EQ(r.events.back(), "ProcessError 5000 Supplied array to small to fit all files c");
    EXPECT_EQ(two, (Lines{"a", "b"}));
    int32_t negative = -1294967296;
    EXPECT_EQ(w.LongToUnsigned(negative), 3000000000.0);
}

TEST_F(Wrapper, ProgressStepsFollowTheProcessedShare) {
    // The library reports data in 64 KB blocks: 100 blocks make 1 percent each.
    EXPECT_TRUE(w.TestRarFiles(Archive({Entry("hundred.bin", std::string(100 * 65536, '1')), Entry("empty.txt")})));
    std::vector<int> percents, expected;
    for (auto& [size, done] : r.progress) percents.push_back(static_cast<int>(done * 100 / size));
    for (int p = 5; p <= 97; p += 4) expected.push_back(p);
    EXPECT_EQ(percents, expected);  // 24 events; none for the empty file, which is still announced
    EXPECT_EQ(r.events.back(), "ProcessingFile empty.txt 0 5.0");

    r.progress.clear();
    EXPECT_TRUE(w.TestRarFiles(Archive({Entry("two.bin", std::string(2 * 65536, '2'))})));
    EXPECT_EQ(r.progress, (std::vector<std::pair<double, double>>{{131072, 65536}, {131072, 131072}}));
}

TEST_F(Wrapper, VolumeChangesNeedAHandler) {
    auto arc = Archive({Entry("spans.bin", std::string(5000, '3'))}, Options(qmrar::ArchiveFormat::Rar5, 2000));
    CRWUnrar silent;
    Recorder s;
    s.Attach(silent);
    silent.NextVolumne = nullptr;
    EXPECT_FALSE(silent.TestRarFiles(arc));
    EXPECT_EQ(s.events.back(), "ProcessError 15 Volume open error spans.bin");

    EXPECT_TRUE(w.TestRarFiles(arc));
    EXPECT_GE(std::count_if(r.events.begin(), r.events.end(), [](auto& e) { return e.starts_with("NextVolumne "); }), 3);

    // A missing volume: without a new name the run stops; with one it goes on.
    auto second = (tmp.Path() / "a1.part2.rar").string(), moved = (tmp.Path() / "sub" / "a1.part2.rar").string();
    fs::create_directories(tmp.Path() / "sub");
    fs::rename(second, moved);
    Lines asked;
    bool giveName = false;
    w.MissingFile = [&](std::string& f, std::string& n) {
        asked.push_back(f);
        // The volume after the moved one is looked for beside it: send that one home.
        if (giveName) n = f == second ? moved : (tmp.Path() / fs::path(f).filename()).string();
    };
    EXPECT_FALSE(w.TestRarFiles(arc));
    EXPECT_EQ(asked, Lines{second});
    giveName = true;
    EXPECT_TRUE(w.TestRarFiles(arc));
    EXPECT_EQ(w.strLastErrorMsg(), "Volume open error");  // a successful run keeps the last error
}

TEST_F(Wrapper, OpenErrorsAndComments) {
    std::string missing = (tmp.Path() / "none.rar").string();
    EXPECT_FALSE(w.TestRarFiles(missing));
    EXPECT_EQ(r.events, Lines{"OpenError 15 Cannot open file " + missing});
    EXPECT_EQ(w.strLastErrorMsg(), "Cannot open file");
    WriteBytes(tmp.Path() / "plain.rar", Bytes("no archive here"));
    EXPECT_FALSE(w.ExtractRarFiles((tmp.Path() / "plain.rar").string(), tmp.Path().string()));
    EXPECT_EQ(w.strLastErrorMsg(), "File is not RAR archive");

    auto arc = Archive({Entry("x", "x")}, Options(qmrar::ArchiveFormat::Rar5, 0, "Skin by us"));
    r.events.clear();
    EXPECT_TRUE(w.TestRarFiles(arc));
    // The whole buffer, untrimmed, before the first volume.
    EXPECT_EQ(r.events, (Lines{"CommentFound Skin by us 16384", "NextVolumne " + arc, "ProcessingFile x 1 5.0"}));

    // A compressed comment cannot be read; the run goes on.
    for (auto format : {qmrar::ArchiveFormat::Rar4, qmrar::ArchiveFormat::Rar5}) {
        auto options = Options(format, 0, "packed words");
        options.commentMethod = 0x33;
        arc = Archive({Entry("x", "x")}, options);
        r.events.clear();
        EXPECT_TRUE(w.TestRarFiles(arc));
        EXPECT_EQ(r.events, (Lines{"CommentError 14 Unknown comment format " + arc, "NextVolumne " + arc,
                                   "ProcessingFile x 1 " + std::string(format == qmrar::ArchiveFormat::Rar5 ? "5.0" : "2.0")}));
    }
    // The same in an archive of the real archiver, where the samples are at hand.
    std::string compressedComment = std::string(QM_RAR_SAMPLES) + "/test_read_format_rar_subblock.rar";
    if (fs::exists(compressedComment)) {
        r.events.clear();
        EXPECT_TRUE(w.TestRarFiles(compressedComment));
        ASSERT_FALSE(r.events.empty());
        EXPECT_EQ(r.events[0], "CommentError 14 Unknown comment format " + compressedComment);
        EXPECT_TRUE(r.events.back().starts_with("ProcessingFile test.txt ")) << r.events.back();
    }
}
