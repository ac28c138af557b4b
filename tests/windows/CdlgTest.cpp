// The save-file dialog's settings as the platform receives them (the dialog itself is shown by
// the end-to-end export test), the print dialog's records, and the shell's Run dialog as it shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "support/clsCdlgEx.h"
#include "support/clsCdlgExPrinter.h"

namespace {
std::wstring TextOf(HWND w) {
    std::wstring t(256, L'\0');
    t.resize(GetWindowTextW(w, t.data(), 256));
    return t;
}

BOOL CALLBACK AddText(HWND w, LPARAM texts) {
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(TextOf(w));
    return TRUE;
}

// A visible dialog of this process: its title and its controls' texts are taken, then it is cancelled.
BOOL CALLBACK ReadAndCancel(HWND w, LPARAM texts) {
    DWORD pid = 0;
    wchar_t cls[16] = {};
    GetWindowThreadProcessId(w, &pid);
    GetClassNameW(w, cls, 16);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || std::wstring(cls) != L"#32770") return TRUE;
    AddText(w, texts);
    EnumChildWindows(w, AddText, texts);
    PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}

std::vector<std::wstring> ReadAndCancelDialog() {
    std::vector<std::wstring> texts;
    for (int tries = 0; tries < 250 && texts.empty(); ++tries) {
        Sleep(20);
        EnumWindows(ReadAndCancel, reinterpret_cast<LPARAM>(&texts));
    }
    return texts;
}
}  // namespace

TEST(CommonDialog, FiltersBecomeNulSeparatedAndPropertiesReadBack) {
    using namespace std::string_literals;
    EXPECT_EQ(clsCdlgEx::FilterForDialog(u"Text (*.txt)|*.txt|All|*.*"), "Text (*.txt)\0*.txt\0All\0*.*\0\0"s);
    EXPECT_EQ(clsCdlgEx::FilterForDialog(u"Plain Text (*.txt)"), "Plain Text (*.txt)\0\0"s);
    clsCdlgEx d;
    EXPECT_EQ(d.IconSize(), 32);
    d.SetIconSize(24);
    EXPECT_EQ(d.IconSize(), 32);
    d.SetIconSize(16);
    EXPECT_EQ(d.IconSize(), 16);
    d.SetDefaultExt(u"txt");
    EXPECT_EQ(d.DefaultExt(), u"txt");
    d.SetFileName(std::u16string(256, u'a'));
    EXPECT_ANY_THROW(d.ShowSave());  // longer than the dialog's buffer
}

TEST(CommonDialog, RunDialogShowsItsTitleAndPrompt) {
    clsCdlgEx d;
    d.SetDialogTitle(u"MyRunTitle \u0416");
    d.SetDialogPrompt(u"Type a program \u0436");
    std::vector<std::wstring> texts;
    std::thread reader([&] { texts = ReadAndCancelDialog(); });
    d.ShowRun();
    reader.join();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], L"MyRunTitle \u0416");
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Type a program \u0436"), texts.end());
}

// The print dialog is preset from the current printer and its choice copied back, through the
// records it takes and returns.
TEST(CommonDialog, PrintRecordsPresetTheDialogAndCarryTheChoiceBack) {
    using PrintRecords::Apply, PrintRecords::DevModeFor, PrintRecords::DevNamesFor;
    forms::Printers printers({{L"Office Laser", L"laser", L"LPT1:", DMORIENT_LANDSCAPE, DMDUP_VERTICAL, 2},
                              {L"Label Printer", L"labels", L"USB001"}},
                             0);
    const PrintRecords::GlobalHandle names = DevNamesFor(*printers.Current()), mode = DevModeFor(*printers.Current());
    const auto* dn = static_cast<const DEVNAMES*>(GlobalLock(names.get()));
    const auto* text = reinterpret_cast<const wchar_t*>(dn);
    EXPECT_EQ(std::wstring(text + dn->wDriverOffset) + L"|" + (text + dn->wDeviceOffset) + L"|" +
                  (text + dn->wOutputOffset),
              L"laser|Office Laser|LPT1:");
    GlobalUnlock(names.get());
    const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(mode.get()));
    EXPECT_EQ(std::wstring(dm->dmDeviceName), L"Office Laser");
    EXPECT_EQ(dm->dmFields & (DM_ORIENTATION | DM_DUPLEX), static_cast<DWORD>(DM_ORIENTATION | DM_DUPLEX));
    EXPECT_EQ(dm->dmOrientation * 10 + dm->dmDuplex, DMORIENT_LANDSCAPE * 10 + DMDUP_VERTICAL);
    GlobalUnlock(mode.get());

    // The user picks the other printer (named in other letter case), portrait, three copies.
    const forms::Printer chosen{L"LABEL PRINTER", L"labels", L"USB001", DMORIENT_PORTRAIT, DMDUP_HORIZONTAL, 3};
    EXPECT_TRUE(Apply(printers, DevModeFor(chosen).get(), DevNamesFor(chosen).get()));
    const forms::Printer& now = *printers.Current();
    EXPECT_EQ(now.DeviceName, L"Label Printer");
    EXPECT_EQ(now.Orientation * 100 + now.Duplex * 10 + now.Copies,
              DMORIENT_PORTRAIT * 100 + DMDUP_HORIZONTAL * 10 + 3);
    EXPECT_FALSE(Apply(printers, DevModeFor(forms::Printer{L"Gone", L"", L""}).get(), nullptr));
    EXPECT_EQ(printers.Current()->DeviceName, L"Label Printer");
}
