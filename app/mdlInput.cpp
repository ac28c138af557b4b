// The settings file "Data.INI" and the clip files, both under %APPDATA%\Quillmate\.
#include "app/mdlInput.h"

#include <windows.h>

#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ClipStore.h"
#include "model/ClipStoreWin32.h"
#include "model/ClipStoreWorker.h"
#include "model/Settings.h"
#include "model/SettingsText.h"
#include "model/mGlobal.h"
#include "support/mdlLog.h"
#include "app/mdlQuillmate.h"
#include "forms/DoEvents.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "skin/mdlSkin.h"
#include "support/AnsiText.h"
#include "support/PlainFiles.h"
#include "support/clsINI.h"
#include "windows/Windows.h"

namespace mdlInput {
namespace {
std::string AppData() {
    char buf[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableA("APPDATA", buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}
}  // namespace

std::string DataFolder() { return AppData() + "\\Quillmate\\"; }

namespace {
std::string SettingsPath() { return DataFolder() + "Data.INI"; }
std::string ClipsFolder() { return DataFolder() + "Clips\\"; }

clsINI& Ini() {
    static clsINI ini;
    return ini;
}

void LogProblems(const std::vector<std::string>& problems) {
    for (const auto& p : problems) mdlLog::WriteLog(p, true);
}

// The clip files and what the store knows they hold; made on first use, kept for the run.
ClipStore& Store() {
    static ClipStoreWin32 files(LogProblems);
    static ClipStore store(files, ClipsFolder());
    return store;
}

// Saves run on the worker's thread from the load on; the window thread only hands over the
// history, so neither a capture nor a deletion waits for the disk.
ClipStoreWorker& Worker() {
    static ClipStoreWorker worker(Store(), LogProblems);
    return worker;
}

bool ClipFilesBusy = false;

// The file is written only while it was read whole: a settings file that could not be read is
// left for the user rather than replaced by defaults.
bool WriteSettingsFile() {
    std::vector<std::string> links;
    try {
        Ini().UpdateFile(&links);
        LogProblems(links);
        return true;
    } catch (const std::exception& e) {
        LogProblems(links);
        mdlLog::WriteLog(std::string(">>> Cannot write the settings file: ") + e.what(), true);
        return false;
    }
}

bool ReadSettingsFile() {
    try {
        Ini().SetFileName(SettingsPath());
        return true;
    } catch (const std::exception& e) {
        mdlLog::WriteLog(std::string(">>> Cannot read the settings file: ") + e.what(), true);
        return false;
    }
}

// A file that holds something, but none of the program's sections, is nothing the program can
// read (garbage, another program's file). It is kept for the user before the defaults take its
// place; false when it could not be kept, and then it is not overwritten either.
bool KeepUnreadableSettings() {
    if (Ini().SectionExists(u"Global") || Ini().SectionExists(u"Options")) return true;
    const FileFlags flags = FlagsOf(SettingsPath());
    if (!flags.exists || flags.size == 0) return true;  // a first start
    const std::string bad = SettingsPath() + ".bad";
    std::ifstream in(SettingsPath(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> links;
    const bool kept = bytes.size() == flags.size && WriteFileDurably(bad, bytes, &links);
    LogProblems(links);
    if (!kept) {
        mdlLog::WriteLog(">>> The settings file holds no settings and could not be kept as " + bad +
                             "; it is left as it is.", true);
        return false;
    }
    mdlLog::WriteLog(">>> The settings file holds no settings Quillmate can read; it was kept as " + bad +
                         " and the defaults were written.", true);
    return true;
}

SettingsValues CurrentValues() {
    SettingsValues v;
    v.FastExit = mGlobal::FastExit;
    v.FastHide = mGlobal::FastHide;
    v.RemExtra = mGlobal::RemExtra;
    v.Combination = mGlobal::Combination;
    v.Transparent = mGlobal::Transparent;
    v.InactiveTransparent = mGlobal::InactiveTransparent;
    v.RestoreClips = mGlobal::RestoreClips;
    v.PaiseSpeed = mGlobal::PaiseSpeed;
    v.SkinName = AnsiToUtf16(mGlobal::SkinName);
    return v;
}

void WaitWhileBusy() {
    while (ClipFilesBusy) forms::DoEvents();
}

struct LoadedClips {
    std::vector<ClipTextRef> texts;
    std::vector<std::string> problems;
};

// Puts what the store read into the history and starts the store's worker.
void AddLoadedClips(LoadedClips loaded) {
    // Two lines per clip: written in large pieces, complete once the history stands.
    mdlLog::Batch batch;
    LogProblems(loaded.problems);
    std::vector<ClipTextRef>& texts = loaded.texts;
    try {
        fMainForm::HeightDeferral deferral(fMain());
        // The history shares the store's buffers: loading copies no text.
        for (const auto& text : texts) fMain().AddClip(text, u"", u"");
    } catch (const std::bad_alloc&) {
        // A history short of what the files hold must not be saved over them.
        Store().LeaveFilesAlone();
        mdlLog::WriteLog(">>> Not enough memory to show every loaded clip; the clip files are left as they are", true);
    }
    texts.clear();
    mGlobal::LastClipText = mdlQuillmate::GetClipboardText();
    fMain().RefreshViewedClips();
    Worker().Start();
    ClipFilesBusy = false;
}
}  // namespace

void LoadAll() {
    // The clip files are read while the settings and the skin load: listing a folder of thousands
    // of clips takes about as long as the rest of the start-up. Nothing else touches the store
    // before its worker starts at the end of LoadClips.
    ClipFilesBusy = true;
    auto reading = std::async(std::launch::async, [] {
        LoadedClips loaded;
        loaded.texts = Store().Load(loaded.problems);
        return loaded;
    });
    LoadSettings();
    AddLoadedClips(reading.get());
}

void SaveAll() {
    SaveSettings();
    SaveClips();
    Worker().Finish();  // every clip file as the history has it, and the cache
    mdlLog::WriteLog("Information was saved", mGlobal::Exiting);
}

void LoadSettings() {
    mdlLog::WriteLog("Start Input");
    mdlLog::WriteLog("Open INI file. Path: " + SettingsPath());
    if (!FolderExists(DataFolder())) CreateFolder(DataFolder());
    const bool readWhole = ReadSettingsFile() && KeepUnreadableSettings();

    SettingsValues v = CurrentValues();
    v.SkinName = u"Default";
    Settings::EnsureKeys(Ini(), v);
    if (readWhole) WriteSettingsFile();

    std::vector<std::string> problems;
    Settings::Read(Ini(), v, problems);
    LogProblems(problems);
    mGlobal::RemExtra = v.RemExtra;
    mGlobal::Combination = v.Combination;
    mGlobal::Transparent = v.Transparent;
    mGlobal::InactiveTransparent = v.InactiveTransparent;
    mGlobal::RestoreClips = v.RestoreClips;
    mGlobal::PaiseSpeed = v.PaiseSpeed;
    mGlobal::SkinName = Utf16ToAnsi(v.SkinName);

    mdlSkin::UnpackSkin();
    mdlSkin::ApplySkin();
    mdlSkin::DeleteSkinFolder();

    fStart().SetTop(v.TopTw);
    fStart().SetLeft(v.LeftTw);
    mGlobal::FastExit = v.FastExit;
    mGlobal::FastHide = v.FastHide;

    auto left = static_cast<float>(fStart().Left());
    auto top = static_cast<float>(fStart().Top());
    Settings::ClampStartBar(left, top, forms::Screen::WidthTw(), forms::Screen::HeightTw(), mGlobal::TwipsY);
    if (left != static_cast<float>(fStart().Left())) fStart().SetLeft(left);
    if (top != static_cast<float>(fStart().Top())) fStart().SetTop(top);

    if (readWhole) WriteSettingsFile();

    mdlLog::WriteLog("-------------\\\\\\--///-------------------", true);
    mdlLog::WriteLog("Parametrs --", true);
    mdlLog::WriteLog("Transparent: " + std::to_string(mGlobal::Transparent), true);
    mdlLog::WriteLog("Innactive transparent: " + std::to_string(mGlobal::InactiveTransparent), true);
    mdlLog::WriteLog("Raise speed: " + std::to_string(mGlobal::PaiseSpeed), true);
    mdlLog::WriteLog("Skin name: " + mGlobal::SkinName, true);
    mdlLog::WriteLog("Paste style: " + std::to_string(mGlobal::Combination), true);
    mdlLog::WriteLog("-------------///--\\\\\\-------------------", true);
}

void SaveSettings() {
    // Read again, so keys this program does not write keep what the file holds.
    if (!ReadSettingsFile()) return;
    SettingsValues v = CurrentValues();
    v.TopTw = static_cast<float>(fStart().Top());
    v.LeftTw = static_cast<float>(fStart().Left());
    Settings::Write(Ini(), v);
    WriteSettingsFile();
}

void LoadClips() {
    WaitWhileBusy();
    ClipFilesBusy = true;
    LoadedClips loaded;
    loaded.texts = Store().Load(loaded.problems);
    AddLoadedClips(std::move(loaded));
}


void SaveClips() {
    WaitWhileBusy();
    CreateClipsFolder();
    std::vector<ClipTextRef> texts;  // the history's own buffers, shared with the save thread
    texts.reserve(mGlobal::History.OldestFirst().size());
    for (const auto& clip : mGlobal::History.OldestFirst()) texts.push_back(clip.Text);
    Worker().Post(std::move(texts));
    Worker().Start();  // again after an exit's save was cancelled with the session's end
}

void DeleteClipFiles() {
    WaitWhileBusy();
    CreateClipsFolder();
    Worker().Finish();
    ClipFilesBusy = true;
    std::vector<std::string> problems;
    Store().DeleteAll(problems);
    LogProblems(problems);
    ClipFilesBusy = false;
    CreateClipsFolder();
}

void ShowClipFilesNotice() {
    using Notice = ClipStoreWorker::Notice;
    const ClipStoreWorker::NoticeText notice = Worker().TakeNotice();
    std::string text;
    switch (notice.kind) {
        case Notice::None:
            return;
        case Notice::Behind:
            // The platform's own reason, never a guess: a full disk is one cause among many.
            text = "Quillmate cannot save the clip history as it is: " +
                   (notice.reason.empty() ? std::string("a clip file or the clip journal cannot be written")
                                          : notice.reason) +
                   " (Log.txt names the files). New clips are still saved where they can be, and the whole "
                   "history is tried again later; clips deleted since may come back at the next start.";
            break;
        case Notice::FilesLeftAlone:
            text = "Quillmate could not load the whole clip history (Log.txt tells why). Its files are left as "
                   "they are until a later start: clips copied or deleted until then are not saved.";
            break;
    }
    forms::MsgBox(text, MB_ICONWARNING, "Quillmate");
}

void CreateClipsFolder() {
    // Both levels: the data folder may be gone when the settings could not create it.
    CreateFolder(DataFolder());
    CreateFolder(ClipsFolder());
}

}  // namespace mdlInput
