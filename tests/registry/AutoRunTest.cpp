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
