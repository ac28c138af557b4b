#pragma once
// mdlQuillmate: the clipboard notification chain and the program's only clipboard reader and writer.
#include <windows.h>

#include "model/ClipRecord.h"

namespace mdlQuillmate {

// Joins the chain as its first viewer and routes the window's messages through ChainWndProc.
void JoinClipboardChain(HWND hWnd);
// Leaves the chain and gives the window its own procedure back.
void RestoreWndProc(HWND hWnd);
LRESULT CALLBACK ChainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Texts longer than this (32 MB of UTF-16) are not read from the clipboard.
constexpr size_t kMaxClipChars = 16u * 1024 * 1024;

// The Unicode text on the clipboard; "" for no text, a file-drop list, or a failure.
ClipText GetClipboardText();
// Puts Text on the clipboard; true when the clipboard took it. Our own change is never a clip.
// The last clipboard text then shares Text's buffer.
bool SetClipboardText(const ClipTextRef& text);

// The chain as this module sees it (for the tests).
HWND NextChainWnd();
HWND ChainWnd();

}  // namespace mdlQuillmate
