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
// Whether the value "Quillmate" starts this executable: a string whose command, unquoted, without
// its arguments and expanded, is the executable's path without regard to case.
bool RunValueNamesThisProgram();
// Writes the value, or deletes it when it names this program (another program's entry under the
// same name stays); true when the registry then shows what was asked, otherwise a ">>> " log
// line tells what failed.
bool SetAutoRun(bool Enable);
// The options' Apply: the value changes only when the box (Ticked) differs from what it showed
// (Shown), as the entry may be another program's; returns the state the box shows afterwards.
bool ApplyAutoRun(bool Shown, bool Ticked);

}  // namespace mdlAutoRun
