#pragma once
// What the skin tests share: Skin.dll where the wrapper looks for it, and a program folder with a
// "Skins" folder that the skin module works in, its message boxes recorded and its end counted.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "../rar/RarTestSupport.h"
#include "model/mGlobal.h"
#include "support/mdlLog.h"
#include "forms/MsgBox.h"
#include "skin/SkinEnvironment.h"
#include "skin/mdlSkin.h"

namespace skintest {

// The system folder's "QMUnpackDLL.dll". Several test processes may race here, so each copies to a
// name of its own and renames it into place: no process ever reads a half-written copy. An
// identical copy already in place is fine.
inline void InstallUnpackLibrary() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string target = std::string(system) + "\\QMUnpackDLL.dll";
    const std::string mine = target + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    auto wanted = rartest::ReadBytes(QM_SKIN_DLL);
    ASSERT_FALSE(wanted.empty());
    for (int attempt = 0; attempt < 50 && rartest::ReadBytes(target) != wanted; ++attempt) {
        if (!CopyFileA(QM_SKIN_DLL, mine.c_str(), FALSE) ||
            !MoveFileExA(mine.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            DeleteFileA(mine.c_str());
            Sleep(20);
        }
    }
    ASSERT_EQ(rartest::ReadBytes(target), wanted) << "could not install " << target;
}

using Box = std::tuple<std::string, UINT, std::string>;  // text, style, title

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override {
        InstallUnpackLibrary();
        rartest::fs::create_directories(tmp.Path() / "Skins");
        mdlSkin::SetProgramFolder(program);
        mdlSkin::SetEndProgram([this] { ++ended; });
        forms::SetMsgBoxHandler([this](const std::string& text, UINT style, const std::string& title) {
            boxes.emplace_back(text, style, title);
            return answer;
        });
        mdlLog::SetLogFile(program + "\\Log.txt");
    }
    void TearDown() override {
        forms::SetMsgBoxHandler({});
        mdlSkin::SetEndProgram({});
        mdlSkin::SetSkinTargets({});
        mdlSkin::SetProgramFolder("");
        mdlLog::SetLogFile("");
    }
    std::string Package(const std::string& name) { return program + "\\Skins\\" + name + ".skn"; }
    void AddPackage(const std::string& name, const std::vector<uint8_t>& bytes = rartest::ReadBytes(QM_DEFAULT_SKN)) {
        rartest::WriteBytes(Package(name), bytes);
    }
    // The files of an installed package as the skin module unpacks them, by their path below the
    // skin folder ("Tray/Exit.bmp").
    std::map<std::string, std::string> PackageFiles(const std::string& skin) {
        mGlobal::SkinName = skin;
        mdlSkin::UnpackSkin();
        std::map<std::string, std::string> files;
        for (const auto& file : rartest::FilesBelow(tmp.Path() / "Skin")) {
            const auto bytes = rartest::ReadBytes(tmp.Path() / "Skin" / file);
            files[file] = std::string(bytes.begin(), bytes.end());
        }
        mdlSkin::DeleteSkinFolder();
        return files;
    }
    // Unpacks, loads and cleans up as the settings load does.
    static void Load(const std::string& skin) {
        mGlobal::SkinName = skin;
        mdlSkin::UnpackSkin();
        mdlSkin::ApplySkin();
        mdlSkin::DeleteSkinFolder();
    }

    rartest::TempDir tmp;
    std::string program = tmp.Path().string();
    std::vector<Box> boxes;
    int answer = IDOK;
    int ended = 0;
};

}  // namespace skintest
