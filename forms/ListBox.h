#pragma once
// ListBox: a list of text items in a child LISTBOX; the items are kept while there is no window.
#include <string>
#include <vector>

#include "forms/SystemControl.h"

namespace forms {

class ListBox : public SystemControl {
public:
    explicit ListBox(ControlHost& host);

    // Adds at `index`, or at the end when index is -1 or beyond it.
    void AddItem(const std::wstring& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::wstring& List(int index) const { return items_.at(static_cast<size_t>(index)); }
    // The selected item, -1 for none.
    int ListIndex() const;
    void SetListIndex(int index);

protected:
    void Created() override;

private:
    std::vector<std::wstring> items_;
    int listIndex_ = -1;
};

}  // namespace forms
