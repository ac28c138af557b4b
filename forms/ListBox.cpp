#include "forms/ListBox.h"

namespace forms {

ListBox::ListBox(ControlHost& host)
    : SystemControl(host, L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE) {
    CreateIfHostReady();
}

void ListBox::AddItem(const std::wstring& item, int index) {
    if (index < 0 || index > ListCount()) index = ListCount();
    items_.insert(items_.begin() + index, item);
    if (Handle()) SendMessageW(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    items_.erase(items_.begin() + index);
    if (Handle()) SendMessageW(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (listIndex_ >= ListCount()) listIndex_ = -1;
}

void ListBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    if (Handle()) SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

int ListBox::ListIndex() const {
    if (Handle()) return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
    return listIndex_;
}

void ListBox::SetListIndex(int index) {
    listIndex_ = (index >= 0 && index < ListCount()) ? index : -1;
    if (Handle()) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
}

void ListBox::Created() {
    for (const auto& item : items_)
        SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
}

}  // namespace forms
