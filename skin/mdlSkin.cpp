#include "skin/mdlSkin.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "model/mGlobal.h"
#include "support/mdlLog.h"
#include "forms/MsgBox.h"
#include "forms/WaitAnswering.h"
#include "skin/SkinEnvironment.h"
#include "skin/SkinTargets.h"
#include "skin/clsInstall.h"
#include "skin/SkinFolder.h"

namespace mdlSkin {
namespace {

constexpr const char* kTitle = "Quillmate";

// Only a normal file right in the Skins folder counts: hidden and system files, folders, and skin
// names that reach another folder or a device ("..\\x", "CON") are absent. A missing package is
// logged with the fall-back to Default that follows it.
bool PackageExists(const std::string& path) {
    const std::string skins = ProgramFolder() + "\\Skins\\";
    const bool inSkins = path.size() > skins.size() + 4 && path.starts_with(skins) && path.ends_with(".skn");
    const std::string name = inSkins ? path.substr(skins.size(), path.size() - skins.size() - 4) : std::string();
    const DWORD attr = PlainSkinName(name) ? GetFileAttributesA(path.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attr != INVALID_FILE_ATTRIBUTES && !(attr & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)))
        return true;
    const bool isDefault = _stricmp(name.c_str(), "Default") == 0;
    mdlLog::WriteLog(">>> Skin package " + path + " was not found" + (isDefault ? "." : "; using the skin Default."));
    return false;
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

bool IsDefaultSkin() { return Upper(mGlobal::SkinName) == "DEFAULT"; }

std::optional<std::string> ReadSkinFile(const char* name) {
    std::ifstream f(ProgramFolder() + "\\Skin\\" + name, std::ios::binary);
    if (!f) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A bitmap row that could not be applied: its file is missing or unreadable, or its target refused it.
struct RowFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The steps below return false once the program was ended, so that nothing more runs (the real
// end never returns; a test's does).
// `inUse` is the skin the windows wore before this load (empty at start-up).
bool Unpack();
bool Apply(const std::string& inUse);

// The skin folder goes with the program: nothing of a failed skin stays beside it. The setting goes
// back to the skin the windows wore, so that an orderly end saves a skin that loads, not the one
// that just failed and would end every later start the same way.
bool End(const std::string& inUse) {
    DeleteSkinFolder();
    if (!inUse.empty()) mGlobal::SkinName = inUse;
    EndProgram();
    return false;
}

// The failure scheme the three steps share: the default skin itself stops the program; any other
// skin offers the default one, which a whole new load then puts on every window.
bool Recover(const std::string& step, const std::string& inUse) {
    if (IsDefaultSkin()) {
        forms::MsgBox("Error during load default skin" + step, MB_OK | MB_ICONHAND, kTitle);
        return End(inUse);
    }
    if (forms::MsgBox("Error during load skin" + step + "\r\nLoad Default skin?", MB_OKCANCEL | MB_ICONEXCLAMATION,
                      kTitle) != IDOK)
        return End(inUse);
    DeleteSkinFolder();
    mGlobal::SkinName = "Default";
    return Unpack() && Apply(inUse);
}

bool Sizes(const std::string& inUse) {
    const auto text = ReadSkinFile("Sizes.dat");
    const SizesOutcome out = text ? ApplySizeTable(*text, mGlobal::TwipsX, mGlobal::TwipsY, Targets())
                                  : SizesOutcome{false, 0, "no file", {}};
    if (out.ok) return true;
    mdlLog::WriteLog(">>> Error during loading skin sizes: " +
                     (out.failedLine ? "line " + std::to_string(out.failedLine) + ", " : std::string()) + out.reason);
    return Recover(" sizes", inUse);
}

bool Language(const std::string& inUse) {
    const auto text = ReadSkinFile("Language.dat");
    const CaptionsOutcome out = text ? ApplyCaptionTable(*text, Targets()) : CaptionsOutcome{false, 0};
    if (out.ok) return true;
    mdlLog::WriteLog(">>> Error during loading skin language: " +
                     (text ? "caption " + std::to_string(out.captionsSet + 1) : std::string("no file")));
    return Recover(" language", inUse);
}

// The pictures of one run, by file (an empty one where the file could not be loaded). The OK,
// Cancel, Check and Close bitmaps and the scroll-bar set serve several windows, and pictures are
// never changed once loaded, so each file is read once a run.
using LoadedPictures = std::map<std::string, forms::Picture>;

// Reads every file the table names before the first row is applied, several at once: reading and
// decoding is most of a skin change, and while the window thread waits for it, it paints nothing
// and answers no one. A bitmap is a process-wide object, free to be made on one thread and shown
// on another. The rows still fail one by one, in order, where their picture is missing.
LoadedPictures LoadAllBitmaps() {
    std::vector<std::string> files;
    for (const BitmapRow& row : kBitmapRows)
        if (row.file) files.emplace_back(row.file);
    files.insert(files.end(), kScrollFiles.begin(), kScrollFiles.end());
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());

    const std::string folder = ProgramFolder();
    std::vector<forms::Picture> pictures(files.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next++) < files.size();) pictures[i] = forms::Picture::Load(folder + files[i]);
    };
    {
        std::vector<std::jthread> helpers;
        for (int k = 0; k < 3; ++k) helpers.emplace_back(work);
        work();
    }
    LoadedPictures loaded;
    for (size_t i = 0; i < files.size(); ++i) loaded.emplace(files[i], std::move(pictures[i]));
    return loaded;
}

forms::Picture LoadBitmap(const char* file, const LoadedPictures& loaded) {
    const auto it = loaded.find(file);
    if (it == loaded.end() || it->second.IsEmpty()) throw RowFailure(std::string("cannot load ") + file);
    return it->second;
}

void ApplyRow(const BitmapRow& row, const LoadedPictures& loaded) {
    SkinTargets& targets = Targets();
    switch (row.how) {
        case BitmapHow::Call: targets.Call(row.target); break;
        case BitmapHow::ScrollSet: {
            ScrollPictures s;
            forms::Picture* slots[] = {&s.pTop, &s.pLow, &s.pBG, &s.pMidUp, &s.pMidDown, &s.pMid, &s.pMidTop, &s.pMidLow};
            for (size_t i = 0; i < kScrollFiles.size(); ++i) *slots[i] = LoadBitmap(kScrollFiles[i], loaded);
            targets.SetScrollPictures(row.target, s);
            break;
        }
        default: targets.SetPicture(row, LoadBitmap(row.file, loaded)); break;
    }
}

bool Bitmaps() {
    LoadedPictures loaded;
    forms::WaitAnswering([&] { loaded = LoadAllBitmaps(); });
    for (const BitmapRow& row : kBitmapRows) {
        try {
            ApplyRow(row, loaded);
        } catch (const std::exception& e) {
            mdlLog::WriteLog(std::string(">>> Error during loading skin: ") + row.target + ", " + e.what());
            return false;
        }
    }
    return true;
}

bool Apply(const std::string& inUse) {
    mdlLog::WriteLog("Start loading skin");
    if (!Sizes(inUse) || !Language(inUse)) return false;
    // After a failed row and the default skin loaded in its place, this run has nothing left to do.
    if (!Bitmaps()) return Recover("", inUse);
    mdlLog::WriteLog("End loading skin");
    return true;
}

bool Unpack() {
    for (;;) {
        const std::string folder = ProgramFolder();
        const std::string package = folder + "\\Skins\\" + mGlobal::SkinName + ".skn";
        if (!PackageExists(package)) {
            if (!IsDefaultSkin()) {
                forms::MsgBox("Skin " + mGlobal::SkinName + " was not found!", MB_OK, kTitle);
                mGlobal::SkinName = "Default";
                continue;
            }
            forms::MsgBox("Can't run Quillmate.\r\nCause: Can't find default Skin.", MB_OK | MB_ICONHAND, kTitle);
            EndProgram();
            return false;
        }
        mdlLog::WriteLog("Unpacking skin " + mGlobal::SkinName);
        // The outcome is not examined: missing files show when the skin is loaded.
        clsInstall installer;
        // Off the window thread: a skin package is unpacked file by file, and the window answers meanwhile.
        forms::WaitAnswering([&] { installer.Go_Instaling(package, folder + "\\Skin"); });
        return true;
    }
}

}  // namespace

void UnpackSkin() { Unpack(); }

void ApplySkin(const std::string& inUse) { Apply(inUse); }

void LoadSkinSizes() { Sizes({}); }

void LoadSkinLanguage() { Language({}); }

void DeleteSkinFolder() {
    // Not the shell's delete: it reaches through a link into the folder the link names, and gives
    // up on paths longer than MAX_PATH, leaving a deep package's folders behind.
    const std::string folder = ProgramFolder() + "\\Skin";
    ClearedFolder cleared;
    forms::WaitAnswering([&] { cleared = ClearAway(folder); });
    LogLinksLeft(cleared);
}

}  // namespace mdlSkin
