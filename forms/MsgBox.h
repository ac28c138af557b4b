#pragma once
// MsgBox: every message box of the program goes through here, so a test can answer it.
#include <windows.h>

#include <functional>
#include <string>

namespace forms {

// Shows a message box owned by no window; returns the button pressed (IDOK, IDYES, ...).
int MsgBox(const std::string& text, UINT style, const std::string& title);

// Replaces the box with a function (a test's answer); an empty function restores the real box.
using MsgBoxHandler = std::function<int(const std::string& text, UINT style, const std::string& title)>;
void SetMsgBoxHandler(MsgBoxHandler handler);

}  // namespace forms
