// Archive comments of RAR 2.x, which live inside the main header rather than in a block of their own.
#include <gtest/gtest.h>

#include "RarTestSupport.h"
#include "rar/Crc32.h"
#include "rar/FileSource.h"

using namespace rartest;

// RAR 2.x keeps the archive comment inside the main header; stored ones are read, packed ones reported.
TEST(Rar4Comments, OldCommentInsideTheMainHeader) {
    auto archive = [](const std::string& text, uint8_t method, bool goodCrc) {
        std::vector<uint8_t> comm = {0, 0, 0x75, 0, 0, 0, 0};  // CRC (unused), type, flags, size
        uint16_t size = static_cast<uint16_t>(13 + text.size());
        comm[5] = static_cast<uint8_t>(size);
        comm[6] = static_cast<uint8_t>(size >> 8);
        uint32_t crc = qmrar::Crc32(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        if (!goodCrc) crc ^= 1;
        comm.insert(comm.end(), {static_cast<uint8_t>(text.size()), static_cast<uint8_t>(text.size() >> 8), 20, method,
                                 static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8)});
        comm.insert(comm.end(), text.begin(), text.end());
        std::vector<uint8_t> main = {0x73, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0};  // type, flags (comment), size, reserved
        main.insert(main.end(), comm.begin(), comm.end());
        uint16_t headSize = static_cast<uint16_t>(main.size() + 2);
        main[3] = static_cast<uint8_t>(headSize);
        main[4] = static_cast<uint8_t>(headSize >> 8);
        uint32_t headCrc = qmrar::Crc32(main);
        std::vector<uint8_t> out(std::begin(qmrar::kRar4Signature), std::end(qmrar::kRar4Signature));
        out.push_back(static_cast<uint8_t>(headCrc));
        out.push_back(static_cast<uint8_t>(headCrc >> 8));
        out.insert(out.end(), main.begin(), main.end());
        return out;
    };
    TempDir tmp;
    struct Case {
        std::vector<uint8_t> bytes;
        qmrar::Code state;
        std::string text;
    };
    for (const Case& c : {Case{archive("old note", 0x30, true), qmrar::kSuccess, "old note"},
                          Case{archive("old note", 0x33, true), qmrar::kUnknownFormat, ""},
                          Case{archive("old note", 0x30, false), qmrar::kBadData, ""}}) {
        WriteBytes(tmp.Path() / "old.rar", c.bytes);
        qmrar::FileVolumeOpener opener;
        qmrar::ArchiveReader reader(opener);
        ASSERT_EQ(reader.Open((tmp.Path() / "old.rar").string(), qmrar::OpenMode::List, 100), qmrar::kSuccess);
        EXPECT_TRUE(reader.Comment().present);
        EXPECT_EQ(reader.Comment().state, c.state);
        EXPECT_EQ(reader.Comment().text, c.text);
        qmrar::RarEntry e;
        EXPECT_EQ(reader.ReadHeader(e), qmrar::kEndArchive);
    }
}
