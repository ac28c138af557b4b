#pragma once
// ControlArray: windowless controls of one kind sharing their event handlers, told apart by
// Index. Element 0 exists from the start; others are loaded and unloaded at run time and take
// element 0's design (not its visibility) when loaded.
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "forms/Control.h"
#include "forms/ControlHost.h"

namespace forms {

template <class T>
class ControlArray {
public:
    explicit ControlArray(ControlHost& host) : host_(host) { Wire(Add(0)); }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // The element at index; throws std::out_of_range when it is not loaded.
    T& operator[](int index) const {
        auto it = items_.find(index);
        if (it == items_.end()) throw std::out_of_range("Control array element doesn't exist");
        return *it->second;
    }
    bool Exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int UBound() const { return items_.rbegin()->first; }

    // Creates element `index` (hidden, with element 0's design); an existing one is returned.
    T& Load(int index) {
        if (Exists(index)) return (*this)[index];
        T& fresh = Add(index);
        fresh.CopyDesignFrom((*this)[0]);
        fresh.SetVisible(false);
        Wire(fresh);
        return fresh;
    }
    // Destroys a loaded element; element 0 stays.
    void Unload(int index) {
        if (index != 0) items_.erase(index);
    }

    // Events of every element, with its index.
    std::function<void(int Index, MouseArgs&)> MouseDown, MouseMove, MouseUp;
    std::function<void(int Index)> Click, DblClick;

private:
    T& Add(int index) {
        auto& slot = items_[index];
        slot = std::make_unique<T>(host_);
        slot->Index = index;
        return *slot;
    }
    void Wire(T& c) {
        const int i = c.Index;
        c.MouseDown = [this, i](MouseArgs& a) { if (MouseDown) MouseDown(i, a); };
        c.MouseMove = [this, i](MouseArgs& a) { if (MouseMove) MouseMove(i, a); };
        c.MouseUp = [this, i](MouseArgs& a) { if (MouseUp) MouseUp(i, a); };
        c.Click = [this, i] { if (Click) Click(i); };
        c.DblClick = [this, i] { if (DblClick) DblClick(i); };
    }

    ControlHost& host_;
    std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace forms
