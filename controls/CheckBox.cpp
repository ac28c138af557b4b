#include "controls/CheckBox.h"

void CheckBox::SetValue(bool v) {
    if (Click) Click();
    StoreValue(v);
    ShowForCapture();
}

void CheckBox::Activate() {
    StoreValue(!Value());
    if (Click) Click();
}
