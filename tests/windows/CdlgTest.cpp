// The save-file dialog's settings as the platform receives them (the dialog itself is shown by
// the end-to-end export test), the print dialog's records, and the shell's Run dialog as it shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "support/clsCdlgEx.h"
#include "support/clsCdlgExPrinter.h"

namespace {
BOOL CALLBACK AddText(HWND w, LPARAM texts) {
    wchar_t t[256] = {};
    GetWindowTextW(w, t, 256);
    *reinterpret_cast<std::wstring*>(texts) += std::wstring(t) + L"|";
    return TRUE;
}

// Waits for a dialog to show, takes its title and its controls' texts, each followed by "|", and
// cancels it.
std::wstring ReadAndCancelDialog() {
    std::wstring texts;
    for (int tries = 0; tries < 250 && texts.empty(); ++tries) {
        Sleep(20);
        const HWND d = FindWindowW(L"#32770", nullptr);
        if (!d || !IsWindowVisible(d)) continue;
        AddText(d, reinterpret_cast<LPARAM>(&texts));
        EnumChildWindows(d, AddText, reinterpret_cast<LPARAM>(&texts));
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
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
    std::wstring texts;
    std::thread reader([&] { texts = ReadAndCancelDialog(); });
    d.ShowRun();
    reader.join();
    EXPECT_EQ(texts.rfind(L"MyRunTitle \u0416|", 0), 0u);
    EXPECT_NE(texts.find(L"|Type a program \u0436|"), std::wstring::npos);
}

// The print dialog is preset from the current printer and its choice copied back, through the
// records it takes and returns.
TEST(CommonDialog, PrintRecordsPresetTheDialogAndCarryTheChoiceBack) {
    const forms::Printer laser{L"Office Laser", L"laser", L"LPT1:", DMORIENT_LANDSCAPE, DMDUP_VERTICAL, 2};
    const PrintRecords::GlobalHandle names = PrintRecords::DevNamesFor(laser);
    const auto* text = static_cast<const wchar_t*>(GlobalLock(names.get()));
    const auto* dn = reinterpret_cast<const DEVNAMES*>(text);
    EXPECT_EQ(std::wstring(text + dn->wDriverOffset) + L"|" + (text + dn->wDeviceOffset) + L"|" +
                  (text + dn->wOutputOffset),
              L"laser|Office Laser|LPT1:");
    GlobalUnlock(names.get());
    // The choice goes to the listed printer of that name (in any letter case), which becomes current.
    forms::Printers printers({{L"Label Printer", L"labels", L"USB001"}, {L"OFFICE LASER", L"laser", L"LPT1:"}}, 0);
    EXPECT_TRUE(PrintRecords::Apply(printers, PrintRecords::DevModeFor(laser).get(), names.get()));
    const forms::Printer& now = *printers.Current();
    EXPECT_EQ(now.DeviceName + L" " + std::to_wstring(now.Orientation * 100 + now.Duplex * 10 + now.Copies),
              L"OFFICE LASER 222");
    EXPECT_FALSE(PrintRecords::Apply(printers, PrintRecords::DevModeFor({L"Gone", L"", L""}).get(), nullptr));
    EXPECT_EQ(printers.Current()->DeviceName, L"OFFICE LASER");
}
