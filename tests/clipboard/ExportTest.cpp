#include <windows.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "TestLog.h"
#include "app/ClipExport.h"
#include "app/mGlobal.h"
#include "windows/Windows.h"

namespace {
std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct Export : ::testing::Test {
    TestLog log;
    std::string dir = ::testing::TempDir();
    void SetUp() override {
        mGlobal::History.Delete_All();
        mGlobal::LastClipText.clear();
        for (auto t : {u"oldest", u"middle\r\n", u"newest"}) fMain().AddClip(t);
    }
    void TearDown() override {
        mGlobal::History.Delete_All();
        mGlobal::Combination = 3;
        fMain().AskExportFileName = nullptr;
    }
    void SaveAllTo(const std::string& name) {
        fMain().AskExportFileName = [name] { return name; };
        fMain().Save_All();
    }
};
}  // namespace

TEST_F(Export, WritesTheJoinedClipsNewestFirstWithOneLineEnd) {
    mGlobal::Combination = 2;
    SaveAllTo(dir + "qm_export_a.txt");
    EXPECT_EQ(ReadBytes(dir + "qm_export_a.txt"), "newestmiddle\r\noldest\r\n");
    mGlobal::Combination = 3;
    SaveAllTo(dir + "qm_export_b.txt");
    EXPECT_EQ(ReadBytes(dir + "qm_export_b.txt"), "newest\r\nmiddle\r\noldest\r\n");
    const std::string text = log.Text();
    EXPECT_NE(text.find("Start saving all clips...\r\nSaved.\r\n"), std::string::npos);
}

TEST_F(Export, TheExtensionTestIsCaseSensitive) {
    SaveAllTo(dir + "qm_export_c.TXT");
    EXPECT_FALSE(ReadBytes(dir + "qm_export_c.TXT.txt").empty());
    SaveAllTo(dir + "qm_export_d");
    EXPECT_FALSE(ReadBytes(dir + "qm_export_d.txt").empty());
}

TEST_F(Export, SelectedOnlyNeedsASelectionAndAnUnknownJoinGivesALineEnd) {
    fMain().AskExportFileName = [this] { return dir + "qm_export_e.txt"; };
    DeleteFileA((dir + "qm_export_e.txt").c_str());
    fMain().Save_Selected();
    EXPECT_EQ(GetFileAttributesA((dir + "qm_export_e.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    mGlobal::History.SetSelected(2, true);
    mGlobal::History.SetSelected(0, true);
    fMain().Save_Selected();
    EXPECT_EQ(ReadBytes(dir + "qm_export_e.txt"), "newest\r\noldest\r\n");
    mGlobal::Combination = 7;
    fMain().Save_Selected();
    EXPECT_EQ(ReadBytes(dir + "qm_export_e.txt"), "\r\n");
}

TEST_F(Export, AFileThatCannotBeWrittenIsLoggedAndChangesNothing) {
    SaveAllTo(dir + "no such folder\\x.txt");
    EXPECT_EQ(mGlobal::History.ClipCount(), 3);
    EXPECT_EQ(mGlobal::History.Clip(0).Text, u"newest");
    const std::string text = log.Text();
    EXPECT_NE(text.find(">>> Can't save clips to file: " + dir + "no such folder\\x.txt"), std::string::npos);
    EXPECT_EQ(text.find("Saved."), std::string::npos);
}

TEST_F(Export, ACancelledDialogWritesNothing) {
    SaveAllTo("");
    EXPECT_EQ(log.Text().find("Start saving"), std::string::npos);
}
