// Skin.dll through LoadLibrary, as a caller of the documented interface sees it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "RarTestSupport.h"
#include "rar/UnrarApi.h"

using namespace rartest;
using qmrar::ArchiveFormat;

namespace {

template <typename F>
F Proc(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Library {
    HMODULE module = LoadLibraryA(QM_SKIN_DLL);
    unrar::RAROpenArchiveFn open = Proc<unrar::RAROpenArchiveFn>(module, "RAROpenArchive");
    unrar::RARCloseArchiveFn close = Proc<unrar::RARCloseArchiveFn>(module, "RARCloseArchive");
    unrar::RARReadHeaderExFn read = Proc<unrar::RARReadHeaderExFn>(module, "RARReadHeaderEx");
    unrar::RARProcessFileFn process = Proc<unrar::RARProcessFileFn>(module, "RARProcessFile");
    unrar::RARSetCallbackFn setCallback = Proc<unrar::RARSetCallbackFn>(module, "RARSetCallback");
    unrar::RARSetPasswordFn setPassword = Proc<unrar::RARSetPasswordFn>(module, "RARSetPassword");
};

Library& Lib() {
    static Library lib;
    return lib;
}

// What the callback saw, and what it answers.
struct Seen {
    std::vector<std::pair<UINT, std::string>> messages;  // msg (100 ask, 101 notify) and volume name
    size_t processed = 0;
    std::string newVolume;  // given back on a volume request
    int notifyAnswer = 1;
};

int CALLBACK Callback(UINT msg, LPARAM user, LPARAM p1, LPARAM p2) {
    auto& seen = *reinterpret_cast<Seen*>(user);
    if (msg == 0) {
        seen.messages.push_back({p2 == 0 ? 100 : 101, reinterpret_cast<char*>(p1)});
        if (p2 == 1) return seen.notifyAnswer;
        if (seen.newVolume.empty()) return -1;
        std::strcpy(reinterpret_cast<char*>(p1), seen.newVolume.c_str());
        return 1;
    }
    seen.messages.push_back({msg, ""});
    if (msg == 1) seen.processed += static_cast<size_t>(p2);
    return msg == 2 ? -1 : 1;  // no password to give
}

// An open archive with its callback, closed again at the end.
struct Handle {
    HANDLE h = nullptr;
    unrar::RAROpenArchiveData data{};
    char comment[64] = {};
    std::unique_ptr<unrar::RARHeaderDataEx> header = std::make_unique<unrar::RARHeaderDataEx>();
    Seen seen;
    Handle(const std::string& name, UINT mode, UINT commentSize = 0) {
        data.ArcName = const_cast<char*>(name.c_str());
        data.OpenMode = mode;
        data.CmtBuf = commentSize ? comment : nullptr;
        data.CmtBufSize = commentSize;
        h = Lib().open(&data);
        if (h) Lib().setCallback(h, Callback, reinterpret_cast<LPARAM>(&seen));
    }
    ~Handle() {
        if (h) {
            EXPECT_EQ(Lib().close(h), 0);
        }
    }
    int Read() { return Lib().read(h, header.get()); }
    int Process(int op, const std::string& path = "", char* name = nullptr) {
        return Lib().process(h, op, path.empty() ? nullptr : const_cast<char*>(path.c_str()), name);
    }
};

std::vector<qmrar::WriterEntry> Entries() {
    std::vector<qmrar::WriterEntry> v = {Entry("Main"), Entry("Main/Clip.bmp", std::string(200000, '\7')),
                                         Entry("huge.bin", "compressed stand-in")};
    v[0].directory = true;
    v[2].method = 0x33;
    v[2].unpSize = 5000000000ull;
    return v;
}

}  // namespace

TEST(SkinDll, ExportsTheSixCallsUndecorated) {
    auto& lib = Lib();
    ASSERT_NE(lib.module, nullptr);
    EXPECT_TRUE(lib.open && lib.close && lib.read && lib.process && lib.setCallback && lib.setPassword);
    EXPECT_EQ(GetProcAddress(lib.module, "RAROpenArchive@4"), nullptr);
}

TEST(SkinDll, HeadersFillTheDocumentedFieldsAndLeaveReservedAlone) {
    TempDir tmp;
    auto name = WriteRar(tmp.Path() / "skin", Entries(), Options(ArchiveFormat::Rar5))[0];
    Handle a(name, 0);
    ASSERT_NE(a.h, nullptr);
    EXPECT_EQ(a.data.OpenResult, 0u);
    auto& header = *a.header;
    std::memset(&header, 0xCD, sizeof header);
    ASSERT_EQ(a.Read(), 0);
    EXPECT_STREQ(header.ArcName, name.c_str());
    EXPECT_STREQ(header.FileName, "Main");
    EXPECT_EQ(header.Flags & 0xE0, 0xE0u);
    auto reserved = reinterpret_cast<const unsigned char*>(&header) + unrar::kHeaderWrittenBytes;
    EXPECT_TRUE(std::all_of(reserved, reserved + 4096, [](unsigned char c) { return c == 0xCD; }));

    ASSERT_EQ(a.Process(0), 0);
    ASSERT_EQ(a.Read(), 0);
    EXPECT_STREQ(header.FileName, "Main\\Clip.bmp");  // Windows separators
    EXPECT_EQ(std::wstring(header.FileNameW), L"Main\\Clip.bmp");
    EXPECT_EQ(header.Flags & 0xE0, 0u);
    EXPECT_EQ(header.UnpSize, 200000u);
    EXPECT_EQ(header.HostOS, 2u);
    EXPECT_EQ(header.Method, 0x30u);
    ASSERT_EQ(a.Read(), 0);  // the unprocessed entry is stepped over
    EXPECT_STREQ(header.FileName, "huge.bin");
    EXPECT_EQ(header.UnpSizeHigh, 1u);
    EXPECT_EQ(header.UnpSize, 705032704u);
    EXPECT_EQ(a.Read(), 10);
}

TEST(SkinDll, TestAndExtractReportDataAndMakeFoldersOnlyWhenExtracting) {
    TempDir tmp;
    auto name = WriteRar(tmp.Path() / "skin", Entries(), Options(ArchiveFormat::Rar4))[0];
    std::string dest = (tmp.Path() / "out").string();
    for (int op : {1, 2}) {
        Handle a(name, 1);
        std::vector<int> codes;
        while (a.Read() == 0) codes.push_back(a.Process(op, dest));
        EXPECT_EQ(codes, (std::vector<int>{0, 0, 14})) << op;
        EXPECT_EQ(a.seen.processed, 200000u);
        EXPECT_EQ(fs::exists(tmp.Path() / "out/Main/Clip.bmp"), op == 2);
    }
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/Main/Clip.bmp"), Bytes(std::string(200000, '\7')));

    // DestName replaces both the stored name and DestPath.
    Handle b(name, 1);
    b.Read();
    b.Process(0);
    b.Read();
    std::string target = (tmp.Path() / "renamed.bmp").string();
    EXPECT_EQ(b.Process(2, dest, target.data()), 0);
    EXPECT_EQ(fs::file_size(target), 200000u);
}

TEST(SkinDll, VolumesAskAndNotifyThroughTheCallback) {
    TempDir tmp;
    auto names = WriteRar(tmp.Path() / "set", Entries(), Options(ArchiveFormat::Rar5, 70000));
    ASSERT_GE(names.size(), 3u);
    fs::create_directories(tmp.Path() / "moved");
    fs::path moved = tmp.Path() / "moved" / fs::path(names[1]).filename();
    // Missing volume with no new name: the request is refused. Then a refused change of volume.
    for (UINT expected : {100, 101}) {
        if (expected == 100) fs::rename(names[1], moved);
        if (expected == 101) fs::rename(moved, names[1]);
        Handle a(names[0], 1);
        a.seen.notifyAnswer = -1;
        a.Read();
        a.Process(1);
        ASSERT_EQ(a.Read(), 0);
        EXPECT_EQ(a.Process(1), 15);
        ASSERT_FALSE(a.seen.messages.empty());
        EXPECT_EQ(a.seen.messages.back(), (std::pair<UINT, std::string>{expected, names[1]}));
    }
}

TEST(SkinDll, PasswordsCommentsAndOpenErrors) {
    TempDir tmp;
    auto secret = Entry("secret.txt", "0123456789abcdef");
    secret.encrypted = true;
    const std::string comment = "A comment longer than the buffer given for it";
    auto name = WriteRar(tmp.Path() / "pw", {secret}, Options(ArchiveFormat::Rar4, 0, comment))[0];
    {
        Handle a(name, 1, 64);
        EXPECT_EQ(a.data.CmtState, 1u);
        EXPECT_STREQ(a.comment, comment.c_str());
        EXPECT_EQ(a.data.CmtSize, comment.size() + 1);
        ASSERT_EQ(a.Read(), 0);
        EXPECT_EQ(a.header->Flags & 0x04, 0x04u);
        EXPECT_EQ(a.Process(1), 22);  // the callback gave none
        EXPECT_EQ(a.seen.messages.back().first, 2u);
    }
    {
        Handle a(name, 1, 10);
        EXPECT_EQ(a.data.CmtState, 20u);
        EXPECT_STREQ(a.comment, "A comment");
        Lib().setPassword(a.h, const_cast<char*>("pw"));
        a.Read();
        EXPECT_EQ(a.Process(1), 14);  // decryption is not supported
    }
    WriteBytes(tmp.Path() / "text.rar", Bytes("just text"));
    const std::vector<std::pair<std::string, UINT>> failing = {
        {(tmp.Path() / "nothing.rar").string(), 15},
        {(tmp.Path() / "text.rar").string(), 13},
        {std::string(QM_RAR_SAMPLES) + "/test_read_format_rar5_encrypted_filenames.rar", 14},
    };
    for (const auto& [file, code] : failing) {
        if (!fs::exists(file) && code != 15) continue;  // the samples are optional
        Handle h(file, 0);
        EXPECT_EQ(h.h, nullptr) << file;
        EXPECT_EQ(h.data.OpenResult, code) << file;
    }
}

TEST(SkinDll, UnicodeNamesKeepTheirWideFormOnDisk) {
    TempDir tmp;
    for (auto format : {ArchiveFormat::Rar4, ArchiveFormat::Rar5}) {
        auto name = WriteRar(tmp.Path() / (format == ArchiveFormat::Rar4 ? "four" : "five"),
                             {Entry("Caf\xc3\xa9/\xe8\xa1\xa8.txt", "wide")}, Options(format))[0];
        Handle a(name, 1);
        ASSERT_EQ(a.Read(), 0);
        EXPECT_EQ(std::wstring(a.header->FileNameW), L"Caf\u00e9\\\u8868.txt");
        EXPECT_EQ(a.Process(2, (tmp.Path() / "out").string()), 0);
        EXPECT_EQ(ReadBytes(tmp.Path() / "out" / fs::path(L"Caf\u00e9") / fs::path(L"\u8868.txt")), Bytes("wide"));
    }
}
