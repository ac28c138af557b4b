#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <tuple>

#include "app/mdlAutoRun.h"
#include "app/mdlCode.h"

namespace {
const wchar_t* const kRun = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

auto RunKey() { return mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRun, false); }

std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}
}  // namespace

TEST(AutoRun, ReadsAndWritesTheRunValue) {
    RunKey()->DeleteValue(L"Quillmate");
    EXPECT_FALSE(mdlAutoRun::IsAutoRun());
    EXPECT_TRUE(mdlAutoRun::SetAutoRun(false));  // already off: no error

    ASSERT_TRUE(mdlAutoRun::SetAutoRun(true));
    const std::wstring exe = mdlAutoRun::ExecutablePath();
    EXPECT_EQ(mdlAutoRun::GetRunValue(L"Quillmate"), exe);
    EXPECT_EQ(exe.substr(exe.size() - 4), L".exe");
    for (const auto& [data, on] :
         {std::pair{Lower(exe), true}, {L"\"" + exe + L"\"", false}, {exe + L" /noicon", false}}) {
        mdlAutoRun::SetRunValue(L"Quillmate", data);
        EXPECT_EQ(mdlAutoRun::IsAutoRun(), on) << data.c_str();
    }
    ASSERT_TRUE(mdlAutoRun::SetAutoRun(false));
    EXPECT_FALSE(RunKey()->ValueExists(L"Quillmate"));
}

// Values someone else wrote: an untouched box in the options keeps each; turning autorun off
// removes only those that start this program.
TEST(AutoRun, LeavesOtherEntriesUnderItsNameAlone) {
    const std::wstring exe = mdlAutoRun::ExecutablePath(), dir = exe.substr(0, exe.rfind(L'\\'));
    SetEnvironmentVariableW(L"QM_RUN_DIR", dir.c_str());
    const DWORD one = 1;
    for (const auto& [type, text, ours] :
         {std::tuple<DWORD, std::wstring, bool>{REG_SZ, L"C:\\Other\\Quillmate.exe", false},
          {REG_SZ, L"\"" + Lower(exe) + L"\"", true}, {REG_SZ, exe + L" /noicon", true},
          {REG_EXPAND_SZ, L"%QM_RUN_DIR%" + exe.substr(dir.size()), true}, {REG_DWORD, L"", false}}) {
        const void* data = type == REG_DWORD ? static_cast<const void*>(&one) : text.c_str();
        const DWORD size = type == REG_DWORD ? 4 : static_cast<DWORD>(2 * (text.size() + 1));
        ASSERT_EQ(SHSetValueW(HKEY_CURRENT_USER, kRun, L"Quillmate", type, data, size), ERROR_SUCCESS);
        const Variant before = RunKey()->Value(L"Quillmate");
        EXPECT_FALSE(mdlAutoRun::ApplyAutoRun(false, false)) << text.c_str();
        EXPECT_EQ(RunKey()->Value(L"Quillmate"), before);
        EXPECT_TRUE(mdlAutoRun::SetAutoRun(false));
        EXPECT_EQ(RunKey()->ValueExists(L"Quillmate"), !ours) << text.c_str();
    }
    RunKey()->DeleteValue(L"Quillmate");
}
