#include "app/mdlTray.h"

#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "support/mdlLog.h"
#include "windows/Windows.h"

namespace mdlTray {
namespace {
bool Shown = false;
// The record every shell since Windows 95 understands: size, window, id, flags, callback
// message, icon and a 64-character tip.
constexpr DWORD kRecordSize = 88;
static_assert(offsetof(NOTIFYICONDATAA, szTip) + 64 == kRecordSize);
}  // namespace

bool TrayIconShown() { return Shown; }

void AddTrayIcon() {
    NOTIFYICONDATAA nid{};
    nid.cbSize = kRecordSize;
    nid.hWnd = fTray().pctTrayHandle();
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_MOUSEMOVE;
    nid.hIcon = fTray().TrayIcon();
    std::strcpy(nid.szTip, "Quillmate");
    Shell_NotifyIconA(NIM_ADD, &nid);
    mdlLog::WriteLog("Icon was added to system tray");
    Shown = true;
}

void RemoveTrayIcon() {
    if (!Shown) return;
    NOTIFYICONDATAA nid{};
    nid.cbSize = kRecordSize;
    nid.hWnd = fTray().pctTrayHandle();
    nid.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &nid);
    mdlLog::WriteLog("Icon at system tray was deleted");
}

}  // namespace mdlTray
