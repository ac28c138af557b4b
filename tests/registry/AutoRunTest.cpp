#include <gtest/gtest.h>

#include <windows.h>

#include "app/mdlAutoRun.h"
#include "app/mdlCode.h"

namespace {
const wchar_t* const kRun = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}
}  // namespace

TEST(AutoRun, ReadsAndWritesTheRunValue) {
    mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, true)->DeleteValue(L"Quillmate");
    EXPECT_FALSE(mdlAutoRun::IsAutoRun());
    EXPECT_TRUE(mdlAutoRun::SetAutoRun(false));  // already off: no error

    ASSERT_TRUE(mdlAutoRun::SetAutoRun(true));
    const std::wstring exe = mdlAutoRun::ExecutablePath();
    EXPECT_EQ(mdlAutoRun::GetRunValue(L"Quillmate"), exe);
    EXPECT_EQ(exe.substr(exe.size() - 4), L".exe");

    struct Case {
        std::wstring data;
        bool on;
    };
    for (const Case& c : {Case{Lower(exe), true}, Case{L"\"" + exe + L"\"", false}, Case{exe + L" /noicon", false}}) {
        mdlAutoRun::SetRunValue(L"Quillmate", c.data);
        EXPECT_EQ(mdlAutoRun::IsAutoRun(), c.on) << c.data.c_str();
    }
    ASSERT_TRUE(mdlAutoRun::SetAutoRun(false));
    EXPECT_FALSE(mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, false)->ValueExists(L"Quillmate"));
}

// Values someone else wrote: an untouched box in the options keeps each; turning autorun off
// removes only those that start this program.
TEST(AutoRun, LeavesOtherEntriesUnderItsNameAlone) {
    const std::wstring exe = mdlAutoRun::ExecutablePath(), dir = exe.substr(0, exe.rfind(L'\\'));
    SetEnvironmentVariableW(L"QM_RUN_DIR", dir.c_str());
    const std::wstring sz[] = {L"C:\\Other\\Quillmate.exe", L"\"" + Lower(exe) + L"\"", exe + L" /noicon",
                               L"%QM_RUN_DIR%" + exe.substr(dir.size())};
    struct Case {
        DWORD type;
        std::wstring text;
        bool ours;
    };
    for (const Case& c : {Case{REG_SZ, sz[0], false}, Case{REG_SZ, sz[1], true}, Case{REG_SZ, sz[2], true},
                          Case{REG_EXPAND_SZ, sz[3], true}, Case{REG_DWORD, L"", false}}) {
        const DWORD one = 1, size = c.type == REG_DWORD ? 4 : static_cast<DWORD>(2 * (c.text.size() + 1));
        const void* data = c.type == REG_DWORD ? static_cast<const void*>(&one) : c.text.c_str();
        HKEY run;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRun, 0, KEY_SET_VALUE, &run), ERROR_SUCCESS);
        RegSetValueExW(run, L"Quillmate", 0, c.type, static_cast<const BYTE*>(data), size);
        RegCloseKey(run);
        const Variant before = mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, false)->Value(L"Quillmate");
        EXPECT_FALSE(mdlAutoRun::ApplyAutoRun(false, false)) << c.text.c_str();
        EXPECT_EQ(mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, false)->Value(L"Quillmate"), before);
        EXPECT_TRUE(mdlAutoRun::SetAutoRun(false));
        EXPECT_EQ(mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, false)->ValueExists(L"Quillmate"), !c.ours)
            << c.text.c_str();
    }
    mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, true)->DeleteValue(L"Quillmate");
}
