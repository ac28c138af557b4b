#include "support/clsCdlgEx.h"

#include <shlobj.h>
#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "support/AnsiText.h"
#include "support/PlainFiles.h"
#include "support/clsCdlgExPrinter.h"
#include "support/SupportError.h"

namespace {
constexpr size_t kPathChars = 255;

std::string A(const std::u16string& s) { return Utf16ToAnsi(s); }
const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// The text of a buffer up to its first NUL; nothing when it has none.
bool UpToNul(const std::vector<char>& buf, std::u16string& out) {
    for (size_t i = 0; i < buf.size(); ++i)
        if (buf[i] == '\0') {
            out = AnsiToUtf16(std::string(buf.data(), i));
            return true;
        }
    return false;
}

// The shell's undocumented dialogs are exported by number only.
template <class Fn>
Fn ShellOrdinal(int ordinal) {
    HMODULE shell = GetModuleHandleA("shell32.dll");
    if (!shell) shell = LoadLibraryA("shell32.dll");
    return shell ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(ordinal))))
                 : nullptr;
}

// Those numbered entry points take UTF-16 text on the NT family and ANSI text on the others.
bool ShellTakesUtf16() { return (GetVersion() & 0x80000000u) == 0; }

// One text in the form the shell's numbered entry points read, kept while the call runs.
class ShellText {
public:
    explicit ShellText(const std::u16string& s)
        : utf16_(ShellTakesUtf16()), wide_(s.begin(), s.end()), ansi_(utf16_ ? std::string() : A(s)) {}
    const void* get() const { return utf16_ ? static_cast<const void*>(wide_.c_str()) : ansi_.c_str(); }

private:
    bool utf16_;
    std::wstring wide_;
    std::string ansi_;
};
}  // namespace

std::string clsCdlgEx::FilterForDialog(const std::u16string& filter) {
    std::string f = A(filter);
    for (char& c : f)
        if (c == '|') c = '\0';
    f.push_back('\0');
    f.push_back('\0');
    return f;
}

void clsCdlgEx::SetAction(int32_t action) {
    switch (action) {
        case 1: ShowOpen(); break;
        case 2: ShowSave(); break;
        case 3: ShowColor(); break;
        case 4: ShowFont(); break;
        case 5: ShowPrinter(); break;
        case 6: ShowHelp(); break;
        case 7: ShowAbout(); break;
        case 8: ShowFolder(); break;
        case 9: ShowFormat(0, 0, 0); break;
        case 10: ShowIcon(); break;
        case 12: ShowRestart(); break;
        case 13: ShowRun(); break;
        case 14: ShowShutDown(); break;
    }
}

int32_t clsCdlgEx::IconSize() {
    if (iconSize_ != 16 && iconSize_ != 32) iconSize_ = 32;
    return iconSize_;
}

void clsCdlgEx::Cancelled() const {
    if (cancelError_) throw SupportError(32755, ExecutableName() + ".WindowProc", "Cancel was selected.");
}

void clsCdlgEx::ShowOpen() { ShowFileDialog(false); }
void clsCdlgEx::ShowSave() { ShowFileDialog(true); }

void clsCdlgEx::ShowFileDialog(bool save) {
    const std::string name = A(fileName_);
    if (name.size() > kPathChars) throw SupportError::InvalidCall();
    const std::string filter = FilterForDialog(filter_);
    std::vector<char> file(kPathChars + 1, '\0'), title(kPathChars + 1, '\0');
    std::copy(name.begin(), name.end(), file.begin());
    const std::string initDir = initDir_.empty() ? ExecutableFolder() : A(initDir_);
    const std::string dialogTitle = A(dialogTitle_), defaultExt = A(defaultExt_);
    ofn_.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn_.hwndOwner = owner_;
    ofn_.hInstance = GetModuleHandleA(nullptr);
    ofn_.lpstrFilter = filter.c_str();
    ofn_.nFilterIndex = static_cast<DWORD>(filterIndex_);
    ofn_.lpstrFile = file.data();
    ofn_.nMaxFile = kPathChars;
    ofn_.lpstrFileTitle = title.data();
    ofn_.nMaxFileTitle = kPathChars;
    ofn_.lpstrInitialDir = initDir.c_str();
    ofn_.lpstrTitle = OrNull(dialogTitle);
    ofn_.Flags = flags_ & ~static_cast<DWORD>(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE);
    ofn_.lpstrDefExt = OrNull(defaultExt);
    const BOOL ok = save ? GetSaveFileNameA(&ofn_) : GetOpenFileNameA(&ofn_);
    // The buffers end here: nothing the record points to may outlive this call.
    ofn_.lpstrFilter = ofn_.lpstrFile = ofn_.lpstrFileTitle = nullptr;
    ofn_.lpstrInitialDir = ofn_.lpstrTitle = ofn_.lpstrDefExt = nullptr;
    if (!ok) return Cancelled();
    UpToNul(title, fileTitle_);
    UpToNul(file, fileName_);
}

void clsCdlgEx::ShowShutDown() {
    using Fn = int(WINAPI*)(HWND);
    if (auto fn = ShellOrdinal<Fn>(60)) fn(owner_);
}

void clsCdlgEx::ShowRestart() {
    using Fn = int(WINAPI*)(HWND, const void*, DWORD);
    const ShellText prompt(dialogPrompt_);
    if (auto fn = ShellOrdinal<Fn>(59)) fn(owner_, prompt.get(), flags_ & 7);
}

void clsCdlgEx::ShowRun() {
    using Fn = void(WINAPI*)(HWND, HICON, const void*, const void*, const void*, UINT);
    const ShellText title(dialogTitle_), prompt(dialogPrompt_);
    if (auto fn = ShellOrdinal<Fn>(61)) fn(owner_, icon_, nullptr, title.get(), prompt.get(), (flags_ & 0xF0) / 16);
}

int32_t clsCdlgEx::ShowFormat(int32_t iDrive, int32_t iCapacity, int32_t iFormatType) {
    return static_cast<int32_t>(SHFormatDrive(owner_, static_cast<UINT>(iDrive), static_cast<UINT>(iCapacity),
                                              static_cast<UINT>(iFormatType)));
}

void clsCdlgEx::ShowIcon() {
    if (!fileName_.empty() && fileName_.back() == u'\\') return;
    fileName_.resize(std::max<size_t>(fileName_.size(), MAX_PATH), u'\0');
    using Fn = int(WINAPI*)(HWND, void*, UINT, int*);
    auto fn = ShellOrdinal<Fn>(62);
    int index = 0;
    bool ok = false;
    HICON large = nullptr, small = nullptr;
    if (ShellTakesUtf16()) {
        std::wstring path(fileName_.begin(), fileName_.end());
        path.resize(MAX_PATH, L'\0');
        ok = fn && fn(nullptr, path.data(), MAX_PATH, &index);
        path.resize(std::wcslen(path.c_str()));
        fileName_.assign(path.begin(), path.end());
        if (ok) ExtractIconExW(path.c_str(), index, &large, &small, 1);
    } else {
        std::string path = A(fileName_);
        path.resize(MAX_PATH, '\0');
        ok = fn && fn(nullptr, path.data(), MAX_PATH, &index);
        std::vector<char> chosen(path.begin(), path.end());
        chosen.push_back('\0');
        UpToNul(chosen, fileName_);
        if (ok) ExtractIconExA(path.c_str(), index, &large, &small, 1);
    }
    if (!ok) return;
    icon_ = CopyIcon(IconSize() == 32 ? large : small);
    if (large) DestroyIcon(large);
    if (small) DestroyIcon(small);
}

std::u16string clsCdlgEx::ShowFolder() {
    using IdListFromPath = LPITEMIDLIST(WINAPI*)(const void*);
    const ShellText root(initDir_);
    const std::wstring title(dialogPrompt_.begin(), dialogPrompt_.end());
    BROWSEINFOW bi{};
    bi.hwndOwner = owner_;
    auto fromPath = ShellOrdinal<IdListFromPath>(162);
    LPITEMIDLIST rootList = fromPath && !initDir_.empty() ? fromPath(root.get()) : nullptr;
    bi.pidlRoot = rootList;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = (flags_ & 0x7001) >= 0x1000 ? (flags_ & 0x7001) : 1;
    if (LPITEMIDLIST chosen = SHBrowseForFolderW(&bi)) {
        std::wstring path(MAX_PATH + 1, L'\0');
        if (SHGetPathFromIDListW(chosen, path.data()))
            initDir_.assign(path.c_str(), path.c_str() + std::wcslen(path.c_str()));
        CoTaskMemFree(chosen);
    }
    if (rootList) CoTaskMemFree(rootList);
    return {};
}

void clsCdlgEx::ShowObjectProp(const std::u16string& sObjectName, const std::u16string& sTab) {
    static const char* const kApplets[] = {"main.cpl", "intl.cpl", "mmsys.cpl", "timedate.cpl",
                                           "netcpl.cpl", "desk.cpl", "inetcpl.cpl"};
    const uint32_t kind = (flags_ & 0xF00) / 256;
    if (kind >= 3 && kind <= 9) {
        std::string cmd = std::string("rundll32.exe shell32.dll,Control_RunDLL ") + kApplets[kind - 3] + ",,0";
        WinExec(cmd.c_str(), SW_SHOWNORMAL);
        return;
    }
    using Fn = BOOL(WINAPI*)(HWND, DWORD, LPCWSTR, LPCWSTR);
    const bool named = kind == 1 || kind == 2;
    const std::wstring name = named ? std::wstring(sObjectName.begin(), sObjectName.end()) : L"";
    const std::wstring tab(sTab.begin(), sTab.end());
    if (auto fn = ShellOrdinal<Fn>(178)) fn(owner_, named ? kind : 2, name.c_str(), tab.c_str());
}

void clsCdlgEx::ShowAbout() {
    if (appName_.empty()) appName_ = std::u16string(1, u'\0');
    ShellAboutA(owner_, A(appName_).c_str(), A(dialogPrompt_).c_str(), icon_);
}

void clsCdlgEx::ShowHelp() {
    WinHelpA(owner_, A(helpFile_).c_str(), helpCommand_, helpKey_);
}

void clsCdlgEx::ShowColor() {
    COLORREF custom[16];
    for (COLORREF& c : custom) c = 0xFFFFFFFF;
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner_;
    cc.rgbResult = rgbResult_;
    cc.lpCustColors = custom;
    cc.Flags = flags_ & 15;
    if (!ChooseColorA(&cc)) return Cancelled();
    rgbResult_ = cc.rgbResult;
}

void clsCdlgEx::ShowFont() {
    HDC screen = GetDC(nullptr);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTA lf{};
    lf.lfHeight = MulDiv(fontSize_, dpiY, 72);
    lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic_;
    lf.lfUnderline = underline_;
    lf.lfStrikeOut = strikeThru_;
    lstrcpynA(lf.lfFaceName, A(fontName_).c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.rgbColors = rgbResult_;
    if (!ChooseFontA(&cf)) return Cancelled();
    fontSize_ = cf.iPointSize / 10;
    bold_ = (cf.nFontType & BOLD_FONTTYPE) != 0;
    italic_ = lf.lfItalic != 0;
    underline_ = lf.lfUnderline != 0;
    strikeThru_ = lf.lfStrikeOut != 0;
    rgbResult_ = cf.rgbColors;
    fontName_ = AnsiToUtf16(lf.lfFaceName);
}

forms::Printers& clsCdlgEx::Printers() {
    if (!printers_) printers_ = forms::Printers::FromSystem();
    return *printers_;
}

void clsCdlgEx::ShowPrinter() {
    forms::Printers& printers = Printers();
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner_;
    pd.Flags = flags_ & 0x1C0FFF;
    // Asking for the default printer without a dialog takes no records.
    const forms::Printer* current = printers.Current();
    if (current && !(pd.Flags & PD_RETURNDEFAULT)) {
        pd.hDevMode = PrintRecords::DevModeFor(*current).release();
        pd.hDevNames = PrintRecords::DevNamesFor(*current).release();
    }
    const BOOL ok = PrintDlgW(&pd);
    // The dialog may have replaced the records it was given: the ones it hands back are ours.
    const PrintRecords::GlobalHandle mode(pd.hDevMode), names(pd.hDevNames);
    if (pd.hDC) DeleteDC(pd.hDC);
    if (!ok) return Cancelled();
    // A printer set up since the list was read is found once the list is read again.
    if (!PrintRecords::Apply(printers, mode.get(), names.get())) {
        printers = forms::Printers::FromSystem();
        PrintRecords::Apply(printers, mode.get(), names.get());
    }
}

void clsCdlgEx::ShowFindFiles() {
    using Fn = BOOL(WINAPI*)(LPCITEMIDLIST, LPCITEMIDLIST);
    if (auto fn = ShellOrdinal<Fn>(90)) fn(nullptr, nullptr);
}
