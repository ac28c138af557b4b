#pragma once
// CheckBox: the skinned check box: 14 px cells; a click or Enter/Space inverts it.
#include "controls/SkinToggle.h"

class CheckBox : public SkinToggle {
public:
    static constexpr int CellPx = 14;
    static constexpr int SideTw = 195;

    explicit CheckBox(forms::ControlHost& parent) : SkinToggle(parent, CellPx, SideTw) {}

    // Raises Click on every set, also to the value held: the windows count on it (a label that
    // toggles the box through Value makes its window react as to a click).
    void SetValue(bool v);

protected:
    void Activate() override;
    bool KeepsLookWhileFocused() const override { return true; }
};
