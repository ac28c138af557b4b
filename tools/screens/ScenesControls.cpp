// Scenes of the skinned controls: one test form with each control in each of its looks.
#include <memory>
#include <vector>

#include "forms/Form.h"
#include "forms/Label.h"
#include "tools/screens/SceneList.h"

namespace {

// A borderless form in pixels with a caption line, the canvas of the controls scene.
class ControlsForm : public forms::Form {
public:
    ControlsForm() {
        SetScaleMode(forms::ScaleMode::Pixels);
        SetBackColor(RGB(40, 60, 90));
        title_.Move(12, 8, 400, 18);
        title_.SetTransparent(true);
        title_.SetForeColor(RGB(235, 240, 250));
        title_.SetCaption(L"Skinned controls: normal, hover, pressed, disabled");
    }
    // Keeps a control alive with the form.
    template <class T, class... A>
    T& Make(A&&... args) {
        auto p = std::make_shared<T>(std::forward<A>(args)...);
        T& ref = *p;
        owned_.push_back(std::move(p));
        return ref;
    }

protected:
    forms::WndCreate CreateOptions() override {
        auto o = Form::CreateOptions();
        o.xPx = 40, o.yPx = 40, o.widthPx = 460, o.heightPx = 300;
        return o;
    }

private:
    forms::Label title_{*this};
    std::vector<std::shared_ptr<void>> owned_;
};

std::shared_ptr<void> ShowControls() {
    auto form = std::make_shared<ControlsForm>();
    form->Load();
    form->Show();
    return form;
}

}  // namespace

void AddScenesControls(SceneList& list) {
    list.Add("controls", "a test form with every skinned control in each look", ShowControls);
}
