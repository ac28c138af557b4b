// Skin packages: choosing the package with its fall-back to "Default", unpacking it into "Skin"
// beside the program, the installer's messages, and deleting the folder again.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "../rar/RarTestSupport.h"
#include "SkinTestSupport.h"
#include "app/mGlobal.h"
#include "app/mdlLog.h"
#include "forms/MsgBox.h"
#include "skin/SkinEnvironment.h"
#include "skin/clsInstall.h"
#include "skin/mdlSkin.h"

using namespace rartest;

namespace {

struct Box {
    std::string text;
    UINT style;
    std::string title;
    bool operator==(const Box&) const = default;
};

class SkinPackages : public ::testing::Test {
protected:
    void SetUp() override {
        skintest::InstallUnpackLibrary();
        program = tmp.Path().string();
        fs::create_directories(tmp.Path() / "Skins");
        mdlSkin::SetProgramFolder(program);
        mdlSkin::SetEndProgram([this] { ++ended; });
        forms::SetMsgBoxHandler([this](const std::string& text, UINT style, const std::string& title) {
            boxes.push_back({text, style, title});
            return IDOK;
        });
        mdlLog::SetLogFile(program + "\\Log.txt");
    }
    void TearDown() override {
        forms::SetMsgBoxHandler({});
        mdlSkin::SetEndProgram({});
        mdlSkin::SetProgramFolder("");
        mdlLog::SetLogFile("");
    }
    void AddPackage(const std::string& name, const std::vector<uint8_t>& bytes = ReadBytes(QM_DEFAULT_SKN)) {
        WriteBytes(tmp.Path() / "Skins" / (name + ".skn"), bytes);
    }
    std::string Log() {
        std::ifstream in(tmp.Path() / "Log.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempDir tmp;
    std::string program;
    std::vector<Box> boxes;
    int ended = 0;
};

}  // namespace

TEST_F(SkinPackages, DefaultPackageHoldsEveryFileOfASkin) {
    AddPackage("Default");
    mGlobal::SkinName = "Default";
    mdlSkin::UnpackSkin();
    EXPECT_TRUE(boxes.empty());
    auto files = FilesBelow(tmp.Path() / "Skin");
    EXPECT_EQ(files.size(), 58u);
    for (const char* f : {"Sizes.dat", "Language.dat", "OK.bmp", "Main/Background_mid.bmp", "Options/cLine.bmp",
                          "Scrolls/Scroll_DownMid.bmp", "Tray/Options.bmp", "Hide-Box/Background.bmp"})
        EXPECT_TRUE(std::count(files.begin(), files.end(), f)) << f;
    auto bmp = ReadBytes(tmp.Path() / "Skin/Main/Clip.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    std::ifstream language(tmp.Path() / "Skin/Language.dat");
    int lines = 0;
    for (std::string line; std::getline(language, line);) ++lines;
    EXPECT_EQ(lines, 18);
    EXPECT_NE(Log().find("Unpacking skin Default"), std::string::npos);
}

TEST_F(SkinPackages, MissingOrHiddenSkinFallsBackToDefaultWithItsMessage) {
    AddPackage("Default");
    AddPackage("Hidden");
    SetFileAttributesA((program + "\\Skins\\Hidden.skn").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const std::string name : {"Blue", "Hidden"}) {
        boxes.clear();
        mGlobal::SkinName = name;
        mdlSkin::UnpackSkin();
        EXPECT_EQ(boxes, (std::vector<Box>{{"Skin " + name + " was not found!", MB_OK, "Quillmate"}}));
        EXPECT_EQ(mGlobal::SkinName, "Default");
        EXPECT_EQ(FilesBelow(tmp.Path() / "Skin").size(), 58u);
        EXPECT_EQ(ended, 0);
    }
    // Read-only packages are ordinary files.
    AddPackage("Green");
    SetFileAttributesA((program + "\\Skins\\Green.skn").c_str(), FILE_ATTRIBUTE_READONLY);
    boxes.clear();
    mGlobal::SkinName = "Green";
    mdlSkin::UnpackSkin();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(mGlobal::SkinName, "Green");
    SetFileAttributesA((program + "\\Skins\\Green.skn").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((program + "\\Skins\\Hidden.skn").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SkinPackages, MissingDefaultEndsTheProgramWithTheCriticalMessage) {
    const Box critical{"Can't run Quillmate.\r\nCause: Can't find default Skin.", MB_OK | MB_ICONHAND, "Quillmate"};
    mGlobal::SkinName = "dEfAuLt";  // differs only in case: no "was not found!"
    mdlSkin::UnpackSkin();
    EXPECT_EQ(boxes, std::vector<Box>{critical});
    EXPECT_EQ(ended, 1);

    boxes.clear();
    mGlobal::SkinName = "Blue";
    mdlSkin::UnpackSkin();
    EXPECT_EQ(boxes, (std::vector<Box>{{"Skin Blue was not found!", MB_OK, "Quillmate"}, critical}));
    EXPECT_EQ(ended, 2);
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
    // Wildcards name no package.
    AddPackage("Default");
    boxes.clear();
    mGlobal::SkinName = "*";
    mdlSkin::UnpackSkin();
    EXPECT_EQ(boxes, (std::vector<Box>{{"Skin * was not found!", MB_OK, "Quillmate"}}));
}

TEST_F(SkinPackages, BrokenPackageExtractsNothing) {
    std::vector<qmrar::WriterEntry> v(2);
    v[0].name = "Sizes.dat";
    v[0].data = Bytes("Main_Form[250]");
    v[1].name = "Main/Clip.bmp";
    v[1].data = Bytes("BM...");
    v[1].crc = 1;
    AddPackage("Default", qmrar::WriteArchive({}, v)[0]);
    mGlobal::SkinName = "Default";
    mdlSkin::UnpackSkin();
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
}

TEST_F(SkinPackages, DeleteSkinFolderLeavesNoSkinFolder) {
    AddPackage("Default");
    mGlobal::SkinName = "Default";
    mdlSkin::UnpackSkin();
    ASSERT_TRUE(fs::exists(tmp.Path() / "Skin/Sizes.dat"));
    SetFileAttributesA((program + "\\Skin\\Sizes.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    mdlSkin::DeleteSkinFolder();
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
    EXPECT_TRUE(fs::exists(tmp.Path() / "Skins/Default.skn"));
    mdlSkin::DeleteSkinFolder();  // nothing there: ignored
}

TEST_F(SkinPackages, InstallerCollectsMessagesAndCondition) {
    clsInstall missing;
    missing.Go_Instaling(program + "\\Skins\\None.skn", program + "\\Skin");
    EXPECT_EQ(missing.Result, "Errors in archive, the further installation is impossible!");
    EXPECT_EQ(missing.Condition(), 3);

    std::vector<qmrar::WriterEntry> v(1);
    v[0].name = "a.txt";
    v[0].data = Bytes("a");
    v[0].crc = 7;
    AddPackage("Bad", qmrar::WriteArchive({}, v)[0]);
    clsInstall bad;
    bad.Go_Instaling(program + "\\Skins\\Bad.skn", program + "\\Skin");
    EXPECT_EQ(bad.Result, "\r\nThere were errors at installation, the program can work incorrectly!");
    EXPECT_EQ(bad.Condition(), 2);

    // A volume set with its second part gone: the missing file, then the failed file.
    qmrar::WriterOptions o;
    o.volumeSize = 1000;
    v[0].crc.reset();
    v[0].data.assign(3000, 'x');
    auto names = WriteVolumes(tmp.Path() / "set", qmrar::WriteArchive(o, v));
    fs::remove(names[1]);
    clsInstall split;
    split.Go_Instaling(names[0], program + "\\Skin");
    EXPECT_EQ(split.Result, "\r\nOne or more file in archive is not found, the program can work incorrectly!"
                            "\r\nThere were errors at installation, the program can work incorrectly!");

    clsInstall good;
    AddPackage("Default");
    good.Go_Instaling(program + "\\Skins\\Default.skn", program + "\\Skin");
    EXPECT_EQ(good.Result, "");
    EXPECT_EQ(good.Condition(), 0);
    good.Result = "Installed successfully";
    EXPECT_EQ(good.Condition(), 1);
    good.Result = "Installed Successfully";
    EXPECT_EQ(good.Condition(), 0);
}
