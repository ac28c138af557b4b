#pragma once
// Puts Skin.dll where the wrapper looks for it: the system folder, as "QMUnpackDLL.dll". Several test
// processes may race here; an identical copy already in place is fine.
#include <windows.h>

#include <gtest/gtest.h>

#include "../rar/RarTestSupport.h"

namespace skintest {

inline void InstallUnpackLibrary() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string target = std::string(system) + "\\QMUnpackDLL.dll";
    auto wanted = rartest::ReadBytes(QM_SKIN_DLL);
    ASSERT_FALSE(wanted.empty());
    for (int attempt = 0; attempt < 50 && rartest::ReadBytes(target) != wanted; ++attempt) {
        CopyFileA(QM_SKIN_DLL, target.c_str(), FALSE);
        Sleep(20);
    }
    ASSERT_EQ(rartest::ReadBytes(target), wanted) << "could not install " << target;
}

}  // namespace skintest
