// The small pieces the reader stands on: volume names, name decoding and the CRC (path cleaning:
// the hostile names).
#include <gtest/gtest.h>

#include <string_view>

#include "rar/Crc32.h"
#include "rar/NameDecoding.h"
#include "rar/VolumeName.h"

using namespace qmrar;

TEST(VolumeName, NewNamingCountsTheLastNumberOldNamingRunsThroughR00ToS00) {
    struct Case { const char* from; bool newNaming; const char* to; };
    for (const Case& c : {Case{"skin.part1.rar", true, "skin.part2.rar"}, Case{"skin.part09.rar", true, "skin.part10.rar"},
                          Case{"skin.part9.rar", true, "skin.part10.rar"},
                          Case{"C:\\v2\\set.part0001.rar", true, "C:\\v2\\set.part0002.rar"},
                          Case{"dir1/plain.rar", true, "dir1/plain.part2.rar"}, Case{"set.rar", false, "set.r00"},
                          Case{"set.r00", false, "set.r01"}, Case{"set.r09", false, "set.r10"},
                          Case{"set.r99", false, "set.s00"}, Case{"SET.RAR", false, "SET.R00"}})
        EXPECT_EQ(NextVolumeName(c.from, c.newNaming), c.to) << c.from;
}

TEST(NameDecoding, PackedRar4NamesUseEveryOperation) {
    // Legacy "abcdefg", then HIGH 0x04, ops: 0 'X', 1 (0x10 | HIGH), 2 (U+263A), 3 copy 2 from legacy with +1 correction.
    std::vector<uint8_t> field = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 0, 0x04, 0x1B, 'X', 0x10, 0x3A, 0x26, 0x80, 0x01};
    auto name = DecodeRar4UnicodeName(field);
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, (std::u16string{u'X', 0x0410, 0x263A, 0x0465, 0x0466}));
    // A packed part that promises more than it has is rejected, not read past.
    std::vector<uint8_t> cut = {'a', 'b', 0, 0, 0x80};
    EXPECT_FALSE(DecodeRar4UnicodeName(cut));
    // No NUL: the whole field is UTF-8.
    std::string utf8 = "\xd0\x96.txt";
    EXPECT_EQ(*DecodeRar4UnicodeName(std::span(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size())), u"\u0416.txt");
}

TEST(NameDecoding, Utf8RoundTripsAndReplacesBrokenSequences) {
    std::u16string text = u"a\u00e9\u8868\U0001F44B";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf8ToUtf16("\xff\xc3"), u"\uFFFD\uFFFD");
    EXPECT_FALSE(IsUtf8("\x81\x40"));
    EXPECT_TRUE(IsUtf8("plain"));
    EXPECT_TRUE(IsUtf8("\xf0\x9f\x91\x8b"));
    EXPECT_FALSE(IsUtf8("\xc0\xaf"));      // overlong '/'
    EXPECT_FALSE(IsUtf8("\xed\xa0\x80"));  // a surrogate
    EXPECT_FALSE(IsUtf8("\xe8\xa1"));      // cut short
}

// The standard check value, also when the bytes come in pieces, each continuing the last result.
TEST(Crc32, MatchesTheZlibCheckValueAlsoInPieces) {
    const std::string_view s = "123456789";
    const auto bytes = std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    for (size_t first : {size_t{9}, size_t{4}, size_t{0}, size_t{1}}) {
        const uint32_t crc = Crc32(bytes.subspan(first), Crc32(bytes.first(first)));
        EXPECT_EQ(crc, 0xCBF43926u) << "first piece " << first;
    }
    uint32_t byByte = 0;
    for (size_t i = 0; i < bytes.size(); ++i) byByte = Crc32(bytes.subspan(i, 1), byByte);
    EXPECT_EQ(byByte, 0xCBF43926u);
}
