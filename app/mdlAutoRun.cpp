#include "app/mdlAutoRun.h"

#include <windows.h>

#include <filesystem>

#include "app/mdlCode.h"
#include "support/mdlLog.h"

namespace mdlAutoRun {
namespace {
const wchar_t* const kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const kValueName = L"Quillmate";

std::unique_ptr<RegKey> OpenRunKey() { return mdlCode::OpenRegKey(RegKey::kHkeyCurrentUser, kRunKey, true); }

std::wstring Upper(std::wstring s) {
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::wstring Expanded(const std::wstring& s) {
    const DWORD n = ExpandEnvironmentStringsW(s.c_str(), nullptr, 0);
    if (n == 0) return s;
    std::wstring out(n, L'\0');
    out.resize(ExpandEnvironmentStringsW(s.c_str(), out.data(), n) - 1);
    return out;
}

// Whether a command line starts this executable: the path alone or followed by arguments, in
// quotes or not, with environment references expanded; case does not count.
bool StartsThisProgram(const std::wstring& command) {
    const std::wstring cmd = Upper(Expanded(command)), exe = Upper(ExecutablePath());
    const std::wstring quoted = L"\"" + exe + L"\"";
    for (const std::wstring& head : {exe, quoted})
        if (cmd.compare(0, head.size(), head) == 0 && (cmd.size() == head.size() || cmd[head.size()] == L' '))
            return true;
    return false;
}
}  // namespace

std::wstring ExecutablePath() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    const std::filesystem::path exe(buf);
    return exe.parent_path().wstring() + L"\\" + exe.stem().wstring() + L".exe";
}

std::wstring GetRunValue(const std::wstring& Name) {
    const Variant v = OpenRunKey()->Value(Name);
    return v.VarType == Variant::vtBSTR ? v.Text : std::wstring();
}

void SetRunValue(const std::wstring& Name, const std::wstring& Data) {
    OpenRunKey()->SetValue(Name, Variant::Str(Data));
}

bool IsAutoRun() { return Upper(GetRunValue(kValueName)) == Upper(ExecutablePath()); }

bool RunValueNamesThisProgram() {
    const auto key = OpenRunKey();
    const int32_t type = key->ValueType(kValueName);
    return (type == REG_SZ || type == REG_EXPAND_SZ) && StartsThisProgram(key->Value(kValueName, Variant::vtBSTR).Text);
}

bool SetAutoRun(bool Enable) {
    if (Enable)
        SetRunValue(kValueName, ExecutablePath());
    else if (RunValueNamesThisProgram())
        OpenRunKey()->DeleteValue(kValueName);
    if (IsAutoRun() == Enable) return true;
    mdlLog::WriteLog(Enable ? ">>> Cannot write the autorun value to the registry"
                            : ">>> Cannot remove the autorun value from the registry", true);
    return false;
}

bool ApplyAutoRun(bool Shown, bool Ticked) {
    if (Ticked == Shown) return Shown;
    return SetAutoRun(Ticked) ? Ticked : IsAutoRun();
}

}  // namespace mdlAutoRun
