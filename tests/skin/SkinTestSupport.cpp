#include "SkinTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "../rar/RarTestSupport.h"

namespace skintest {

void InstallUnpackLibrary() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string target = std::string(system) + "\\QMUnpackDLL.dll";
    auto wanted = rartest::ReadBytes(QM_SKIN_DLL);
    ASSERT_FALSE(wanted.empty());
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (rartest::ReadBytes(target) == wanted) return;
        CopyFileA(QM_SKIN_DLL, target.c_str(), FALSE);
        Sleep(20);
    }
    FAIL() << "could not install " << target;
}

}  // namespace skintest
