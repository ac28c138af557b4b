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

bool SetAutoRun(bool Enable) {
    if (Enable)
        SetRunValue(kValueName, ExecutablePath());
    else
        OpenRunKey()->DeleteValue(kValueName);
    if (IsAutoRun() == Enable) return true;
    mdlLog::WriteLog(Enable ? ">>> Cannot write the autorun value to the registry"
                            : ">>> Cannot remove the autorun value from the registry", true);
    return false;
}

}  // namespace mdlAutoRun
