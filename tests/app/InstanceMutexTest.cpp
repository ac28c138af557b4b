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
