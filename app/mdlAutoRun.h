#pragma once
// mdlAutoRun: starting the program with the user's logon, through the value "Quillmate" of the
// per-user Run key.
#include <string>

namespace mdlAutoRun {

// The running executable's full path, built afresh each time (folder, name, ".exe").
std::wstring ExecutablePath();
// The Run key's value Name as text; empty when there is none. The key is created when missing.
std::wstring GetRunValue(const std::wstring& Name);
void SetRunValue(const std::wstring& Name, const std::wstring& Data);
// True when the value "Quillmate" is the executable's path, without regard to case.
bool IsAutoRun();
// Writes or deletes the value; true when the registry then shows what was asked, otherwise a
// ">>> " log line tells what failed.
bool SetAutoRun(bool Enable);

}  // namespace mdlAutoRun
