#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/RegKey.h"
#include "support/SupportError.h"

namespace {
const int32_t HKCU = RegKey::kHkeyCurrentUser;
const std::wstring kBase = L"Software\\QuillmateRegKeyTest";

// The stored type and bytes of a value, read past the class: type 0xFFFE when the value is
// missing, 0xFFFF when the key is.
std::pair<DWORD, std::vector<BYTE>> Raw(const std::wstring& key, const std::wstring& name = L"") {
    BYTE buf[64];
    DWORD type = 0xFFFF, size = sizeof buf;
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k)) return {type, {}};
    if (RegQueryValueExW(k, name.c_str(), nullptr, &type, buf, &size)) type = 0xFFFE, size = 0;
    RegCloseKey(k);
    return {type, std::vector<BYTE>(buf, buf + size)};
}

bool KeyExists(const std::wstring& path) { return Raw(path).first != 0xFFFF; }

class RegKeyTest : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyW(HKEY_CURRENT_USER, kBase.c_str()); }
    void TearDown() override { SHDeleteKeyW(HKEY_CURRENT_USER, kBase.c_str()); }
};
}  // namespace

TEST_F(RegKeyTest, BindsLevelByLevelAndJoinsSubPaths) {
    RegKey k;
    EXPECT_TRUE(k.Unicode());
    k.Init(HKCU, kBase + L"\\A\\B", false);
    EXPECT_TRUE(k.Closed());
    EXPECT_FALSE(KeyExists(kBase));
    k.Init(HKCU, kBase + L"\\A\\B", true);  // the first level is missing too
    ASSERT_FALSE(k.Closed());
    EXPECT_EQ(k.path(), kBase + L"\\A\\B");
    EXPECT_EQ(k.RootKey(), HKCU);
    EXPECT_TRUE(KeyExists(kBase + L"\\A\\B"));

    RegKey one;
    one.Init(HKCU, kBase, false);
    auto sub = one.OpenKey(L"\\Sub\\", true);
    EXPECT_EQ(sub->path(), kBase + L"\\Sub");
    EXPECT_TRUE(one.SubKeyExists(L"Sub"));
    auto parent = one.Parent();  // "Software"
    EXPECT_EQ(parent->path(), L"Software");
    EXPECT_EQ(parent->Parent()->path(), L"");
    EXPECT_FALSE(parent->Parent()->Closed());
}

TEST_F(RegKeyTest, ValuesKeepTheirTypesAndBytes) {
    RegKey k;
    k.Init(HKCU, kBase, true);
    // Written, written as, the stored type and bytes, read back, read as.
    const std::tuple<Variant, int32_t, DWORD, std::vector<BYTE>, Variant, int32_t> cases[] = {
        {Variant::Str(L"x"), 0, REG_SZ, {0x78, 0, 0, 0}, Variant::Str(L"x"), 0},
        {Variant::Str(L""), 0, REG_SZ, {0, 0}, Variant::Str(L""), 0},
        {Variant::R4(1.5f), 0, REG_BINARY, {0, 0, 0xC0, 0x3F}, Variant::R4(1.5f), 0},
        {Variant::R8(2.0), 0, REG_BINARY, {0, 0, 0, 0, 0, 0, 0, 0x40}, Variant::R8(2.0), 0},
        {Variant::Str(L"abc"), RegKey::vtByteString, REG_BINARY, {'a', 'b', 'c'}, Variant::Str(L"abc"), 0},
        {Variant::Bool(true), 0, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, Variant::I4(-1), 0},
        {Variant::I2(-2), 0, REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}, Variant::I4(-2), 0},
        {Variant::Str(L" 42 "), Variant::vtI4, REG_DWORD, {42, 0, 0, 0}, Variant::I4(42), 0},
        {Variant::Currency(12345), 0, REG_BINARY, {0x39, 0x30, 0, 0, 0, 0, 0, 0}, Variant::Currency(12345),
         Variant::vtCY},
        {Variant::I4(7), 99, REG_NONE, {}, Variant{}, 0},
        {Variant::Bool(true), 0, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, Variant::Bool(true), Variant::vtBool},
        // Reading numbers from a short string never reads past its two bytes of data.
        {Variant::Str(L""), 0, REG_SZ, {0, 0}, Variant::R8(0), Variant::vtR8},
    };
    for (const auto& [written, writeAs, regType, bytes, readBack, readAs] : cases) {
        SCOPED_TRACE(regType);
        k.SetValue(L"v", writeAs, written);
        EXPECT_EQ(Raw(kBase, L"v"), std::pair(regType, bytes));
        EXPECT_EQ(k.ValueType(L"v"), static_cast<int32_t>(regType));
        EXPECT_EQ(k.Value(L"v", readAs), readBack);
    }

    EXPECT_THROW(k.SetValue(L"bad", Variant::StrArray({L"a"})), SupportError);
    EXPECT_FALSE(k.ValueExists(L"bad"));
    EXPECT_THROW(k.SetValue(L"bad", Variant::vtI4, Variant::Str(L"abc")), SupportError);

    EXPECT_EQ(k.Value(L"missing", 0, Variant::I4(5)), Variant::I4(5));
    EXPECT_TRUE(k.Value(L"missing").IsEmpty());
    RegKey closed;
    EXPECT_TRUE(closed.Value(L"v", 0, Variant::I4(5)).IsEmpty());

    SetEnvironmentVariableW(L"QM_REG_TEST", L"expanded");
    k.SetValue(L"e", RegKey::vtExpandString, Variant::Str(L"%QM_REG_TEST%\\x"));
    EXPECT_EQ(Raw(kBase, L"e").first, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(k.Value(L"e").Text, L"expanded\\x");
    EXPECT_EQ(k.Value(L"e", Variant::vtBSTR).Text, L"%QM_REG_TEST%\\x");
    k.DeleteValue(L"e");
    EXPECT_FALSE(k.ValueExists(L"e"));
}

TEST_F(RegKeyTest, EnumeratesAndDeletesWholeTrees) {
    RegKey k;
    k.Init(HKCU, kBase + L"\\Tree", true);
    EXPECT_TRUE(k.EnumSubKeys().IsEmpty());
    for (int i = 0; i < 300; ++i) k.OpenKey(L"K" + std::to_wstring(i) + L"\\Deeper", true);
    k.SetValue(L"one", Variant::I4(1));
    k.SetValue(std::wstring(300, L'n'), Variant::I4(2));  // a long name does not end the listing
    k.SetValue(L"three", Variant::I4(3));
    const Variant subs = k.EnumSubKeys();
    ASSERT_EQ(subs.Names.size(), 300u);
    EXPECT_EQ(k.EnumChildValues().Names.size(), 3u);
    EXPECT_GT(k.LastModified(), 40000.0);  // a date after 2009

    EXPECT_TRUE(k.DeleteSubKey(subs.Names[0]));
    EXPECT_FALSE(k.SubKeyExists(subs.Names[0]));
    EXPECT_FALSE(k.DeleteSubKey(L""));  // no name is not the key itself
    EXPECT_TRUE(KeyExists(kBase + L"\\Tree"));
    k.DeleteMe();
    EXPECT_TRUE(k.Closed());
    EXPECT_FALSE(KeyExists(kBase + L"\\Tree"));
    EXPECT_TRUE(KeyExists(kBase));

    // A key on the root itself is closed, never emptied.
    RegKey base;
    base.Init(HKCU, kBase, false);
    auto root = base.Root();
    EXPECT_FALSE(root->DeleteSubKey(L"\\"));
    EXPECT_FALSE(root->DeleteMe());
    EXPECT_TRUE(root->Closed());
    EXPECT_TRUE(KeyExists(kBase));
}
