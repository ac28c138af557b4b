// Skin packages: choosing the package with its fall-back to "Default", unpacking it into "Skin"
// beside the program, the installer's messages, and deleting the folder again.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/clsInstall.h"

using namespace rartest;
using skintest::Box;

namespace {

class SkinPackages : public skintest::SkinFolder {
protected:
    void Unpack(const std::string& skin) {
        boxes.clear();
        mGlobal::SkinName = skin;
        mdlSkin::UnpackSkin();
    }
    std::string Install(const std::string& source) {
        clsInstall installer;
        installer.Go_Instaling(source, program + "\\Skin");
        return installer.Result;
    }
};

const Box kCritical{"Can't run Quillmate.\r\nCause: Can't find default Skin.", MB_OK | MB_ICONHAND, "Quillmate"};
Box NotFound(const std::string& name) { return {"Skin " + name + " was not found!", MB_OK, "Quillmate"}; }

// A package whose second file fails its CRC.
std::vector<uint8_t> BrokenPackage() {
    std::vector<qmrar::WriterEntry> v = {Entry("Sizes.dat", "Main_Form[250]"), Entry("Main/Clip.bmp", "BM...")};
    v[1].crc = 1;
    return qmrar::WriteArchive({}, v)[0];
}

}  // namespace

TEST_F(SkinPackages, MissingSkinFallsBackToDefaultAndMissingDefaultEndsTheProgram) {
    Unpack("dEfAuLt");  // differs only in case: no "was not found!"
    EXPECT_EQ(boxes, std::vector<Box>{kCritical});
    Unpack("Blue");
    EXPECT_EQ(boxes, (std::vector<Box>{NotFound("Blue"), kCritical}));
    EXPECT_EQ(ended, 2);
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));

    for (const char* name : {"Default", "Hidden", "Green"}) AddPackage(name);
    SetFileAttributesA(Package("Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(Package("Green").c_str(), FILE_ATTRIBUTE_READONLY);
    for (const std::string name : {"Blue", "Hidden", "*"}) {
        fs::remove_all(tmp.Path() / "Skin");
        Unpack(name);
        EXPECT_EQ(boxes, std::vector<Box>{NotFound(name)});
        EXPECT_EQ(mGlobal::SkinName, "Default");
        EXPECT_EQ(FilesBelow(tmp.Path() / "Skin").size(), 58u);  // every file of a skin (loading proves what they hold)
    }
    Unpack("Green");  // read-only packages are ordinary files
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(mGlobal::SkinName, "Green");
    auto log = ReadBytes(tmp.Path() / "Log.txt");
    EXPECT_NE(std::string(log.begin(), log.end()).find("Unpacking skin Green"), std::string::npos);
    EXPECT_EQ(ended, 2);
    for (const char* name : {"Hidden", "Green"}) SetFileAttributesA(Package(name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SkinPackages, BrokenPackageExtractsNothingAndTheFolderIsDeletedAfterUse) {
    AddPackage("Default", BrokenPackage());
    Unpack("Default");
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));

    AddPackage("Default");
    Unpack("Default");
    ASSERT_TRUE(fs::exists(tmp.Path() / "Skin/Sizes.dat"));
    SetFileAttributesA((program + "\\Skin\\Sizes.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    mdlSkin::DeleteSkinFolder();
    EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
    EXPECT_TRUE(fs::exists(Package("Default")));
    mdlSkin::DeleteSkinFolder();  // nothing there: ignored
}

TEST_F(SkinPackages, InstallerCollectsMessagesAndCondition) {
    const std::string failed = "\r\nThere were errors at installation, the program can work incorrectly!";
    EXPECT_EQ(Install(Package("None")), "Errors in archive, the further installation is impossible!");
    AddPackage("Bad", BrokenPackage());
    EXPECT_EQ(Install(Package("Bad")), failed);
    // A volume set with its second part gone: the missing file, then the failed file.
    auto names = WriteRar(tmp.Path() / "set", {Entry("a.txt", std::string(3000, 'x'))},
                          Options(qmrar::ArchiveFormat::Rar5, 1000));
    fs::remove(names[1]);
    EXPECT_EQ(Install(names[0]),
              "\r\nOne or more file in archive is not found, the program can work incorrectly!" + failed);
    AddPackage("Default");
    EXPECT_EQ(Install(Package("Default")), "");

    // Later tests override earlier ones; the comparison is case-sensitive.
    const std::vector<std::pair<std::string, uint8_t>> conditions = {
        {"", 0}, {"Errors in archive, the further installation is impossible!", 3}, {failed, 2},
        {"Installed successfully", 1}, {"Installed Successfully", 0}, {"x is impossible! incorrectly!", 2}};
    clsInstall installer;
    for (const auto& [result, condition] : conditions) {
        installer.Result = result;
        EXPECT_EQ(installer.Condition(), condition) << result;
    }
}
