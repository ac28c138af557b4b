#pragma once
// mdlTray: the program's icon in the notification area.
namespace mdlTray {

void AddTrayIcon();
void RemoveTrayIcon();
bool TrayIconShown();

}  // namespace mdlTray
