// Skin.dll through LoadLibrary, as a caller of the documented interface sees it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "RarTestSupport.h"
#include "rar/UnrarApi.h"

using namespace rartest;

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

// What the callback saw.
struct Seen {
    std::vector<std::pair<UINT, std::string>> messages;  // msg and volume name (change volume)
    size_t processed = 0;
    std::string newVolume;  // given back on a volume request
    std::string password;   // given back on a password request
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
    if (msg == 2) {
        if (seen.password.empty()) return -1;
        std::strncpy(reinterpret_cast<char*>(p1), seen.password.c_str(), static_cast<size_t>(p2));
    }
    return 1;
}

// An open archive that is closed again.
struct Handle {
    HANDLE h = nullptr;
    unrar::RAROpenArchiveData data{};
    char comment[64] = {};
    Handle(const std::string& name, UINT mode, UINT commentSize = 0) {
        data.ArcName = const_cast<char*>(name.c_str());
        data.OpenMode = mode;
        data.CmtBuf = commentSize ? comment : nullptr;
        data.CmtBufSize = commentSize;
        h = Lib().open(&data);
    }
    ~Handle() {
        if (h) {
            EXPECT_EQ(Lib().close(h), 0);
        }
    }
};

std::vector<qmrar::WriterEntry> Entries() {
    std::vector<qmrar::WriterEntry> v(3);
    v[0].name = "Main";
    v[0].directory = true;
    v[1].name = "Main/Clip.bmp";
    v[1].data.assign(200000, 7);
    v[2].name = "huge.bin";
    v[2].data = Bytes("compressed stand-in");
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
    qmrar::WriterOptions o;
    o.format = qmrar::ArchiveFormat::Rar5;
    auto names = WriteVolumes(tmp.Path() / "skin", qmrar::WriteArchive(o, Entries()));
    Handle a(names[0], 0);
    ASSERT_NE(a.h, nullptr);
    EXPECT_EQ(a.data.OpenResult, 0u);
    auto header = std::make_unique<unrar::RARHeaderDataEx>();
    std::memset(header.get(), 0xCD, sizeof *header);
    ASSERT_EQ(Lib().read(a.h, header.get()), 0);
    EXPECT_STREQ(header->ArcName, names[0].c_str());
    EXPECT_STREQ(header->FileName, "Main");
    EXPECT_EQ(header->Flags & 0xE0, 0xE0u);
    auto reserved = reinterpret_cast<const unsigned char*>(header.get()) + unrar::kHeaderWrittenBytes;
    EXPECT_TRUE(std::all_of(reserved, reserved + 4096, [](unsigned char c) { return c == 0xCD; }));

    ASSERT_EQ(Lib().process(a.h, 0, nullptr, nullptr), 0);
    ASSERT_EQ(Lib().read(a.h, header.get()), 0);
    EXPECT_STREQ(header->FileName, "Main\\Clip.bmp");  // Windows separators
    EXPECT_EQ(std::wstring(header->FileNameW), L"Main\\Clip.bmp");
    EXPECT_EQ(header->Flags & 0xE0, 0u);
    EXPECT_EQ(header->UnpSize, 200000u);
    EXPECT_EQ(header->HostOS, 2u);
    EXPECT_EQ(header->Method, 0x30u);
    ASSERT_EQ(Lib().read(a.h, header.get()), 0);  // the unprocessed entry is stepped over
    EXPECT_STREQ(header->FileName, "huge.bin");
    EXPECT_EQ(header->UnpSizeHigh, 1u);
    EXPECT_EQ(header->UnpSize, 705032704u);
    EXPECT_EQ(Lib().read(a.h, header.get()), 10);
}

TEST(SkinDll, TestAndExtractReportDataAndMakeFoldersOnlyWhenExtracting) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = qmrar::ArchiveFormat::Rar4;
    auto names = WriteVolumes(tmp.Path() / "skin", qmrar::WriteArchive(o, Entries()));
    std::string dest = (tmp.Path() / "out").string();
    auto header = std::make_unique<unrar::RARHeaderDataEx>();
    for (int op : {1, 2}) {
        Handle a(names[0], 1);
        ASSERT_NE(a.h, nullptr);
        Seen seen;
        Lib().setCallback(a.h, Callback, reinterpret_cast<LPARAM>(&seen));
        std::vector<int> codes;
        while (Lib().read(a.h, header.get()) == 0) codes.push_back(Lib().process(a.h, op, dest.data(), nullptr));
        EXPECT_EQ(codes, (std::vector<int>{0, 0, 14})) << op;
        EXPECT_EQ(seen.processed, 200000u);
        EXPECT_EQ(fs::exists(tmp.Path() / "out/Main/Clip.bmp"), op == 2);
    }
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/Main/Clip.bmp"), std::vector<uint8_t>(200000, 7));

    // DestName replaces both the stored name and DestPath.
    Handle b(names[0], 1);
    Lib().read(b.h, header.get());
    Lib().process(b.h, 0, nullptr, nullptr);
    Lib().read(b.h, header.get());
    std::string target = (tmp.Path() / "renamed.bmp").string();
    EXPECT_EQ(Lib().process(b.h, 2, nullptr, target.data()), 0);
    EXPECT_EQ(fs::file_size(tmp.Path() / "renamed.bmp"), 200000u);
}

TEST(SkinDll, VolumesAskAndNotifyThroughTheCallback) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = qmrar::ArchiveFormat::Rar5;
    o.volumeSize = 70000;
    auto names = WriteVolumes(tmp.Path() / "set", qmrar::WriteArchive(o, Entries()));
    ASSERT_GE(names.size(), 3u);
    fs::create_directories(tmp.Path() / "moved");
    std::string moved = (tmp.Path() / "moved" / fs::path(names[1]).filename()).string();
    fs::rename(names[1], moved);
    auto header = std::make_unique<unrar::RARHeaderDataEx>();
    {
        Handle a(names[0], 1);
        Seen seen;  // no new name: the request is refused
        Lib().setCallback(a.h, Callback, reinterpret_cast<LPARAM>(&seen));
        Lib().read(a.h, header.get());
        Lib().process(a.h, 1, nullptr, nullptr);
        ASSERT_EQ(Lib().read(a.h, header.get()), 0);
        EXPECT_EQ(Lib().process(a.h, 1, nullptr, nullptr), 15);
        ASSERT_FALSE(seen.messages.empty());
        EXPECT_EQ(seen.messages.back(), (std::pair<UINT, std::string>{100, names[1]}));
    }
    fs::rename(moved, names[1]);
    {
        Handle a(names[0], 1);
        Seen seen;
        seen.notifyAnswer = -1;  // stop at the first change of volume
        Lib().setCallback(a.h, Callback, reinterpret_cast<LPARAM>(&seen));
        Lib().read(a.h, header.get());
        Lib().process(a.h, 1, nullptr, nullptr);
        Lib().read(a.h, header.get());
        EXPECT_EQ(Lib().process(a.h, 1, nullptr, nullptr), 15);
        EXPECT_EQ(seen.messages.back(), (std::pair<UINT, std::string>{101, names[1]}));
    }
}

TEST(SkinDll, PasswordsCommentsAndOpenErrors) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(1);
    v[0].name = "secret.txt";
    v[0].data = Bytes("0123456789abcdef");
    v[0].encrypted = true;
    qmrar::WriterOptions o;
    o.format = qmrar::ArchiveFormat::Rar4;
    o.comment = "A comment longer than the buffer given for it";
    auto names = WriteVolumes(tmp.Path() / "pw", qmrar::WriteArchive(o, v));
    auto header = std::make_unique<unrar::RARHeaderDataEx>();
    {
        Handle a(names[0], 1, 64);
        EXPECT_EQ(a.data.CmtState, 1u);
        EXPECT_STREQ(a.comment, o.comment.c_str());
        EXPECT_EQ(a.data.CmtSize, o.comment.size() + 1);
        Seen seen;
        Lib().setCallback(a.h, Callback, reinterpret_cast<LPARAM>(&seen));
        ASSERT_EQ(Lib().read(a.h, header.get()), 0);
        EXPECT_EQ(header->Flags & 0x04, 0x04u);
        EXPECT_EQ(Lib().process(a.h, 1, nullptr, nullptr), 22);  // the callback gave none
        EXPECT_EQ(seen.messages.back().first, 2u);
    }
    {
        Handle a(names[0], 1, 10);
        EXPECT_EQ(a.data.CmtState, 20u);
        EXPECT_STREQ(a.comment, "A comment");
        Lib().setPassword(a.h, const_cast<char*>("pw"));
        Lib().read(a.h, header.get());
        EXPECT_EQ(Lib().process(a.h, 1, nullptr, nullptr), 14);  // decryption is not supported
    }
    Handle missing((tmp.Path() / "nothing.rar").string(), 1);
    EXPECT_EQ(missing.h, nullptr);
    EXPECT_EQ(missing.data.OpenResult, 15u);
    WriteBytes(tmp.Path() / "text.rar", Bytes("just text"));
    Handle notRar((tmp.Path() / "text.rar").string(), 1);
    EXPECT_EQ(notRar.h, nullptr);
    EXPECT_EQ(notRar.data.OpenResult, 13u);
    std::string encryptedHeaders = std::string(QM_RAR_SAMPLES) + "/test_read_format_rar5_encrypted_filenames.rar";
    if (fs::exists(encryptedHeaders)) {
        Handle enc(encryptedHeaders, 0);
        EXPECT_EQ(enc.h, nullptr);
        EXPECT_EQ(enc.data.OpenResult, 14u);
    }
}

TEST(SkinDll, UnicodeNamesKeepTheirWideFormOnDisk) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(1);
    v[0].name = "Caf\xc3\xa9/\xe8\xa1\xa8.txt";
    v[0].data = Bytes("wide");
    for (auto format : {qmrar::ArchiveFormat::Rar4, qmrar::ArchiveFormat::Rar5}) {
        qmrar::WriterOptions o;
        o.format = format;
        auto names = WriteVolumes(tmp.Path() / (format == qmrar::ArchiveFormat::Rar4 ? "four" : "five"),
                                  qmrar::WriteArchive(o, v));
        Handle a(names[0], 1);
        ASSERT_NE(a.h, nullptr);
        auto header = std::make_unique<unrar::RARHeaderDataEx>();
        ASSERT_EQ(Lib().read(a.h, header.get()), 0);
        EXPECT_EQ(std::wstring(header->FileNameW), L"Caf\u00e9\\\u8868.txt");
        std::string dest = (tmp.Path() / "out").string();
        EXPECT_EQ(Lib().process(a.h, 2, dest.data(), nullptr), 0);
        EXPECT_EQ(ReadBytes(tmp.Path() / "out" / fs::path(L"Caf\u00e9") / fs::path(L"\u8868.txt")), Bytes("wide"));
    }
}
