#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/mdlPrevInst.h"

using mdlPrevInst::InstanceMutexName;

// Every spelling of one data folder names one mutex, so two starts on it cannot both run; another
// folder, however long the two paths, names another. A name holds no backslash past its prefix.
TEST(InstanceMutex, OneNamePerDataFolder) {
    const std::string folder = "C:\\Users\\Ann\\AppData\\Roaming\\Quillmate\\";
    const std::string name = InstanceMutexName(folder);
    for (const char* same : {"c:\\users\\ann\\appdata\\roaming\\QUILLMATE", "C:\\Users\\Ann\\AppData\\Roaming\\Tmp\\..\\Quillmate\\"})
        EXPECT_EQ(InstanceMutexName(same), name) << same;
    EXPECT_NE(InstanceMutexName("C:\\Users\\Bob\\AppData\\Roaming\\Quillmate\\"), name);

    const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    for (const std::string& f : {folder, deep + "One\\Quillmate\\", deep + "Two\\Quillmate\\"}) {
        const std::string n = InstanceMutexName(f);
        EXPECT_LT(n.size(), size_t{MAX_PATH}) << f;
        EXPECT_EQ(n.find('\\', 6), std::string::npos) << n;
    }
    EXPECT_NE(InstanceMutexName(deep + "One\\Quillmate\\"), InstanceMutexName(deep + "Two\\Quillmate\\"));
}

// A folder's identity name is one however its path is written, and another for another folder or
// family; a folder that is not there has none.
TEST(InstanceMutex, OneIdentityPerFolderHoweverWritten) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string a = std::string(temp) + "qm_identity_a", b = std::string(temp) + "qm_identity_b";
    CreateDirectoryA(a.c_str(), nullptr);
    CreateDirectoryA(b.c_str(), nullptr);
    const auto name = mdlPrevInst::IdentityMutexName("Data", a);
    ASSERT_TRUE(name);
    std::string upper = a;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    for (const std::string& same : {"\\\\?\\" + a, a + "\\", upper, b + "\\..\\qm_identity_a"})
        EXPECT_EQ(mdlPrevInst::IdentityMutexName("Data", same), name) << same;
    EXPECT_NE(mdlPrevInst::IdentityMutexName("Data", b), name);
    EXPECT_NE(mdlPrevInst::IdentityMutexName("Program", a), name);
    EXPECT_FALSE(mdlPrevInst::IdentityMutexName("Data", a + "\\missing"));
}
