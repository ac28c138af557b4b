#include "forms/ChildHost.h"

namespace forms {

ChildHost::ChildHost(ControlHost& parent, const wchar_t* className, DWORD extraStyle)
    : ChildControl(parent), className_(className), extraStyle_(extraStyle) {}

void ChildHost::CreateIn(HWND parent, const RECT& px, bool visible) {
    WndCreate o;
    o.className = className_;
    o.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | extraStyle_ | (visible ? WS_VISIBLE : 0);
    o.parent = parent;
    o.xPx = px.left;
    o.yPx = px.top;
    o.widthPx = px.right - px.left;
    o.heightPx = px.bottom - px.top;
    Create(o);
}

}  // namespace forms
