#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "forms/FileListBox.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

// A frame made with its form places its controls in twips; a picture box made later at once shows
// its picture over its back colour.
TEST(ChildControls, FramesAndPictureBoxesPlaceAndDrawTheirContent) {
    TestForm f(300, 200);
    f.SetScaleMode(forms::ScaleMode::Pixels);
    forms::Frame frame(f);
    frame.Move(20, 30, 100, 60);  // the form's pixels
    forms::Image row(frame);
    row.SetStretch(true);
    row.SetPicture(SolidPicture(1, 1, RGB(0, 128, 0)));
    row.Move(150, 300, 300, 150);  // twips inside the frame: 10, 20, 20 x 10 px
    EXPECT_EQ(frame.Handle(), nullptr);
    f.Load();
    ASSERT_NE(frame.Handle(), nullptr);
    EXPECT_EQ(GetParent(frame.Handle()), f.hWnd());
    RECT r{}, rowPx = row.RectPx();
    GetWindowRect(frame.Handle(), &r);
    MapWindowPoints(nullptr, f.hWnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{20, 30, 120, 90}));
    EXPECT_EQ((std::array{rowPx.left, rowPx.top, rowPx.right, rowPx.bottom}), (std::array<LONG, 4>{10, 20, 30, 30}));
    Snapshot s(frame);
    EXPECT_EQ(s.At(15, 25), RGB(0, 128, 0));
    // The frame's own mouse events, where no row is hit, arrive in twips.
    std::string got;
    frame.MouseDown = [&](forms::MouseArgs& a) { got = std::to_string(int(a.X)) + "," + std::to_string(int(a.Y)); };
    ClickAt(frame.Handle(), 2, 3);
    EXPECT_EQ(got, "30,45");
    frame.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(frame.Handle()));

    forms::PictureBox box(f);  // made at once: the form already has its window
    ASSERT_NE(box.Handle(), nullptr);
    box.Move(0, 0, 40, 40);
    box.SetPicture(SolidPicture(20, 20, RGB(0, 0, 200)));
    box.SetBackColor(RGB(10, 10, 10));
    EXPECT_EQ(Mismatches(Snapshot(box), {{5, 5, RGB(0, 0, 200)}, {30, 30, RGB(10, 10, 10)}}), "");
}

TEST(ChildControls, ListAndTextKeepTheirContentWithoutAWindow) {
    TestForm f;
    forms::ListBox list(f);
    list.AddItem(L"b");
    list.AddItem(L"a", 0);
    list.AddItem(L"c", 99);
    list.SetListIndex(1);
    forms::TextBox text(f, true);
    text.SetText(L"\u0416 typed");
    f.Load();
    ASSERT_NE(list.Handle(), nullptr);
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(list.List(0), L"a");
    EXPECT_EQ(list.ListIndex(), 1);
    list.RemoveItem(0);
    list.RemoveItem(7);
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 2);

    SetWindowTextW(text.Handle(), L"changed by the user");
    f.Unload();
    EXPECT_EQ(text.Handle(), nullptr);
    EXPECT_EQ(text.Text(), L"changed by the user");
    f.Load();
    wchar_t back[64] = {};
    GetWindowTextW(text.Handle(), back, 64);
    EXPECT_STREQ(back, L"changed by the user");
}

TEST(ChildControls, TheFileListShowsPlainFilesOfThePatternSortedByName) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "qm-filelist-test";
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.skn");
    for (const char* n : {"b.skn", "A.SKN", "c.txt", "hidden.skn", "Default.skn"}) std::ofstream(dir / n) << "x";
    SetFileAttributesW((dir / "hidden.skn").wstring().c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((dir / "b.skn").wstring().c_str(), FILE_ATTRIBUTE_READONLY);

    forms::FileListBox files;
    files.SetPath(dir.wstring());
    files.SetPattern(L"*.skn");
    files.Refresh();
    ASSERT_EQ(files.ListCount(), 3);
    EXPECT_EQ(files.List(0) + L" " + files.List(1) + L" " + files.List(2), L"A.SKN b.skn Default.skn");
    files.SetPattern(L"*.*");
    files.Refresh();
    EXPECT_EQ(files.ListCount(), 4);

    files.SetPath((dir / "missing").wstring());
    files.Refresh();
    EXPECT_EQ(files.ListCount(), 0);
    for (const char* n : {"b.skn", "hidden.skn"})
        SetFileAttributesW((dir / n).wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir);
}
