#include <windows.h>

#include <gtest/gtest.h>

#include "TestLog.h"
#include "app/ClipExport.h"
#include "model/mGlobal.h"
#include "windows/Windows.h"

namespace {
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

TEST_F(Export, WritesTheJoinedClipsNewestFirstWithOneLineEndToATxtFile) {
    struct Case {
        int32_t combination;
        std::string chosen, written, content;
    };
    // The ".txt" test is case-sensitive: any other ending gets ".txt" added.
    const Case cases[] = {{2, "a.txt", "a.txt", "newestmiddle\r\noldest\r\n"},
                          {3, "b.txt", "b.txt", "newest\r\nmiddle\r\noldest\r\n"},
                          {3, "c.TXT", "c.TXT.txt", "newest\r\nmiddle\r\noldest\r\n"},
                          {3, "d", "d.txt", "newest\r\nmiddle\r\noldest\r\n"}};
    for (const Case& c : cases) {
        mGlobal::Combination = c.combination;
        SaveAllTo(dir + "qm_export_" + c.chosen);
        EXPECT_EQ(ReadBytes(dir + "qm_export_" + c.written), c.content) << c.chosen;
    }
    EXPECT_NE(log.Text().find("Start saving all clips...\r\nSaved.\r\n"), std::string::npos);
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

// A file that cannot be written is logged and changes nothing; a cancelled dialog writes nothing.
TEST_F(Export, AFileThatCannotBeWrittenIsLoggedAndACancelledDialogWritesNothing) {
    SaveAllTo("");
    EXPECT_EQ(log.Text().find("Start saving"), std::string::npos);
    SaveAllTo(dir + "no such folder\\x.txt");
    EXPECT_EQ(mGlobal::History.ClipCount(), 3);
    EXPECT_EQ(mGlobal::History.Clip(0).Text, u"newest");
    const std::string text = log.Text();
    EXPECT_NE(text.find(">>> Can't save clips to file: " + dir + "no such folder\\x.txt"), std::string::npos);
    EXPECT_EQ(text.find("Saved."), std::string::npos);
}
