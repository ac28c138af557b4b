#include "forms/TextBox.h"

namespace forms {

TextBox::TextBox(ControlHost& host, bool multiLine)
    : SystemControl(host, L"EDIT",
                    WS_TABSTOP | ES_AUTOHSCROLL |
                        (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : 0)) {
    CreateIfHostReady();
}

std::wstring TextBox::Text() const {
    if (!Handle()) return text_;
    int n = GetWindowTextLengthW(Handle());
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(Handle(), s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TextBox::SetText(const std::wstring& text) {
    text_ = text;
    if (Handle()) SetWindowTextW(Handle(), text.c_str());
}

void TextBox::SetFont(FontSpec spec) {
    font_.SetSpec(std::move(spec));
    customFont_ = true;
    if (Handle()) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void TextBox::SetFocus() {
    if (Handle()) ::SetFocus(Handle());
}

void TextBox::HostDestroyed() {
    text_ = Text();  // what the user typed outlives the window
    SystemControl::HostDestroyed();
}

void TextBox::Created() {
    SetWindowTextW(Handle(), text_.c_str());
    if (customFont_) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

}  // namespace forms
