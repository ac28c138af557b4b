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

// What the callback saw: its messages and the bytes of data reported.
struct Seen {
    std::vector<UINT> messages;
    size_t processed = 0;
};

int CALLBACK Callback(UINT msg, LPARAM user, LPARAM, LPARAM p2) {
    auto& seen = *reinterpret_cast<Seen*>(user);
    seen.messages.push_back(msg);
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

// A folder, a stored file of 200000 bytes, a packed one of 5 GB, and a non-ASCII name.
std::vector<qmrar::WriterEntry> Entries() {
    std::vector<qmrar::WriterEntry> v = {Entry("Main"), Entry("Main/Clip.bmp", std::string(200000, '\7')),
                                         Entry("huge.bin", "compressed stand-in"), Entry("Caf\xc3\xa9/\xe8\xa1\xa8.txt", "wide")};
    v[0].directory = true;
    v[2].method = 0x33;
    v[2].unpSize = 5000000000ull;
    return v;
}

}  // namespace

// The six calls are found by their undecorated names here and by the wrapper tests in tests/skin.
TEST(SkinDll, HeadersFillTheDocumentedFieldsAndLeaveReservedAlone) {
    TempDir tmp;
    auto name = WriteRar(tmp.Path() / "skin", Entries(), Options(ArchiveFormat::Rar5))[0];
    ASSERT_NE(Lib().module, nullptr);
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
    a.Read();
    EXPECT_EQ(a.Read(), 10);
}

// The library does not care for the format (the reader tests take both); RAR4 here, RAR5 above.
TEST(SkinDll, TestAndExtractReportDataAndMakeFoldersOnlyWhenExtracting) {
    TempDir tmp;
    auto name = WriteRar(tmp.Path() / "skin", Entries(), Options(ArchiveFormat::Rar4))[0];
    std::string dest = (tmp.Path() / "out").string();
    for (int op : {1, 2}) {
        Handle a(name, 1);
        std::vector<int> codes;
        while (a.Read() == 0) codes.push_back(a.Process(op, dest));
        EXPECT_EQ(codes, (std::vector<int>{0, 0, 14, 0})) << op;
        EXPECT_EQ(std::wstring(a.header->FileNameW), L"Caf\u00e9\\\u8868.txt");
        EXPECT_EQ(a.seen.processed, 200004u);
        EXPECT_EQ(fs::exists(tmp.Path() / "out/Main/Clip.bmp"), op == 2);
    }
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/Main/Clip.bmp"), Bytes(std::string(200000, '\7')));
    EXPECT_EQ(ReadBytes(tmp.Path() / "out" / fs::path(L"Caf\u00e9") / fs::path(L"\u8868.txt")), Bytes("wide"));

    // DestName replaces both the stored name and DestPath.
    Handle b(name, 1);
    b.Read();
    b.Process(0);
    b.Read();
    std::string target = (tmp.Path() / "renamed.bmp").string();
    EXPECT_EQ(b.Process(2, dest, target.data()), 0);
    EXPECT_EQ(fs::file_size(target), 200000u);
}

// Open failures reach the wrapper tests through the same library; the reader's codes are its own tests'.
TEST(SkinDll, PasswordsAndCommentsCutToTheBuffer) {
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
        EXPECT_EQ(a.seen.messages.back(), 2u);
    }
    {
        Handle a(name, 1, 10);
        EXPECT_EQ(a.data.CmtState, 20u);
        EXPECT_STREQ(a.comment, "A comment");
        Lib().setPassword(a.h, const_cast<char*>("pw"));
        a.Read();
        EXPECT_EQ(a.Process(1), 14);  // decryption is not supported
    }
}
