#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "../app/TestLog.h"
#include "app/ClipExport.h"
#include "forms/MsgBox.h"
#include "model/mGlobal.h"
#include "support/PlainFiles.h"
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
    // Exports every clip as if `name` was chosen in the save dialog; answers that file's bytes.
    std::string SaveAllTo(const std::string& name) {
        fMain().AskExportFileName = [name] { return name; };
        fMain().Save_All();
        return ReadBytes(name);
    }
};
}  // namespace

TEST_F(Export, WritesTheJoinedClipsNewestFirstWithOneLineEndToATxtFile) {
    mGlobal::Combination = 2;
    EXPECT_EQ(SaveAllTo(dir + "qm_export_a.txt"), "newestmiddle\r\noldest\r\n");
    mGlobal::Combination = 3;
    SaveAllTo(dir + "qm_export_b.TXT");  // the ".txt" test is case-sensitive: any other ending gets ".txt"
    EXPECT_EQ(ReadBytes(dir + "qm_export_b.TXT.txt"), "newest\r\nmiddle\r\noldest\r\n");
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

// A text the ANSI code page holds is written in it byte for byte; any other in UTF-8 after a
// byte-order mark, so that Cyrillic, CJK and emoji do not become "?".
TEST_F(Export, AnsiWhileThePageHoldsEveryCharacterElseUtf8WithAMark) {
    mGlobal::History.Delete_All();
    fMain().AddClip(u"caf\u00e9");
    EXPECT_EQ(SaveAllTo(dir + "qm_export_f.txt"), "caf\xE9\r\n");
    fMain().AddClip(u"\u041f\u0440\u0438 \u4e2d \U0001F600");
    EXPECT_EQ(SaveAllTo(dir + "qm_export_f.txt"),
              "\xEF\xBB\xBF\xD0\x9F\xD1\x80\xD0\xB8 \xE4\xB8\xAD \xF0\x9F\x98\x80\r\ncaf\xC3\xA9\r\n");
}

// A file that cannot be written is logged and told to the user and changes nothing: a write that
// fails half-way (a full disk) leaves the old file byte for byte; a cancelled dialog writes nothing.
TEST_F(Export, AFailedWriteKeepsTheOldFileAndIsToldAndACancelledDialogWritesNothing) {
    SaveAllTo("");
    EXPECT_EQ(log.Text().find("Start saving"), std::string::npos);
    std::string told;
    forms::SetMsgBoxHandler([&](const std::string& text, UINT, const std::string&) { return told = text, IDOK; });
    SaveAllTo(dir + "no such folder\\x.txt");
    forms::SetMsgBoxHandler(nullptr);
    EXPECT_NE(told.find(dir + "no such folder\\x.txt"), std::string::npos) << told;
    EXPECT_EQ(mGlobal::History.ClipCount(), 3);
    const std::string text = log.Text();
    EXPECT_NE(text.find(">>> Can't save clips to file: " + dir + "no such folder\\x.txt"), std::string::npos);
    EXPECT_EQ(text.find("Saved."), std::string::npos);

    const std::string target = dir + "qm_export_g.txt";
    const std::string old = SaveAllTo(target);
    const auto diskFull = [](HANDLE f, const std::string& b) {
        WriteAllBytes(f, b.substr(0, 3));
        SetLastError(ERROR_DISK_FULL);
        return false;
    };
    EXPECT_TRUE(WriteExportFile(target, u"new", diskFull).has_value());
    EXPECT_EQ(ReadBytes(target), old);
    // A disk two pages from full takes what fits and refuses the next write: the user is told the
    // disk is full, not some older error.
    DWORD room = 8192;
    const WriteSome twoPagesFree = [&](HANDLE f, const char* data, DWORD size, DWORD& written) {
        if (room == 0) return SetLastError(ERROR_DISK_FULL), false;
        const bool ok = WriteSomeBytes(f, data, std::min(size, room), written);
        room -= written;
        return ok;
    };
    const auto big = WriteExportFile(target, ClipText(3 * 4096, u'n'),
                                     [&](HANDLE f, const std::string& b) { return WriteAllBytes(f, b, twoPagesFree); });
    EXPECT_EQ(big, ErrorReason(ERROR_DISK_FULL));
    EXPECT_EQ(ReadBytes(target), old);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((dir + "qm*.tmp").c_str(), &found), INVALID_HANDLE_VALUE);
}
