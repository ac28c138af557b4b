#pragma once
// TextBox: an edit field in a child EDIT control; the text is kept while there is no window.
#include <string>

#include "forms/Font.h"
#include "forms/SystemControl.h"

namespace forms {

class TextBox : public SystemControl {
public:
    explicit TextBox(ControlHost& host, bool multiLine = false);

    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void SetFont(FontSpec spec);
    // Gives the keyboard focus to the field.
    void SetFocus();

protected:
    void Created() override;
    void HostDestroyed() override;

private:
    std::wstring text_;
    Font font_;
    bool customFont_ = false;
};

}  // namespace forms
