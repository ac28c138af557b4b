#pragma once
// Frame: a borderless child window grouping controls; its controls are placed in twips.
#include "forms/ChildHost.h"

namespace forms {

class Frame : public ChildHost {
public:
    explicit Frame(ControlHost& parent);
};

}  // namespace forms
