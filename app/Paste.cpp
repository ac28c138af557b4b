#include "app/Paste.h"

#include <windows.h>

#include "model/mGlobal.h"
#include "app/mdlQuillmate.h"

namespace Func {

void SendCtrlV() {
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event('V', 0, 0, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
}

void PasteToLastWindow(const ClipTextRef& text) {
    if (!mGlobal::LastForegroundWnd || mGlobal::History.ClipCount() == 0 || text.empty()) return;
    SetForegroundWindow(mGlobal::LastForegroundWnd);
    for (int i = 0; i < 5; ++i)
        if (mdlQuillmate::SetClipboardText(text)) break;
    SendCtrlV();
}

}  // namespace Func
