#include "forms/MsgBox.h"

namespace forms {
namespace {
MsgBoxHandler& Handler() {
    static MsgBoxHandler handler;
    return handler;
}
}  // namespace

int MsgBox(const std::string& text, UINT style, const std::string& title) {
    if (Handler()) return Handler()(text, style, title);
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), style | MB_SETFOREGROUND);
}

void SetMsgBoxHandler(MsgBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace forms
