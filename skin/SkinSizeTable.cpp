#include "skin/SkinSizeTable.h"

#include <cmath>
#include <stdexcept>

#include "support/mdlLog.h"
#include "skin/mParse.h"
#include "support/AnsiText.h"

namespace mdlSkin {
namespace {

enum class Kind {
    Form,       // window Width, Height (twips), then an optional label's Width in pixels
    FormWidth,  // window Width only
    PopUp,      // window Width, Height, then the menu's frame pitch he
    Button,     // Left, Top, Width, CC
    Buttons2,   // two buttons with the same four values
    Check,      // check box Left, Top; its label beside it
    Scroll,     // Left, Top
    Label,      // Left, Top, Width, Height
};

struct Key {
    const char* name;
    Kind kind;
    const char* window;
    const char* control = nullptr;   // the button, box, bar or label set
    const char* control2 = nullptr;  // the second button, the check box's label, the form's label
    bool twips = false;              // the window places its controls in twips
};

// In the order of comparison: the first equal key is applied.
const Key kKeys[] = {
    {"EXIT_FORM", Kind::Form, "fExit", nullptr, "lblMove"},
    {"EXIT_OK", Kind::Button, "fExit", "OK"},
    {"EXIT_CANCEL", Kind::Button, "fExit", "bCancel"},
    {"EXIT_CHECK", Kind::Check, "fExit", "CheckBox1", "Label1"},
    {"TRAY_FORM", Kind::Form, "fTray"},
    {"TRAY_INSERT", Kind::Button, "fTray", "Insert", nullptr, true},
    {"TRAY_OPTIONS", Kind::Button, "fTray", "Options", nullptr, true},
    {"TRAY_SHOWHIDE", Kind::Buttons2, "fTray", "bHide", "bShow", true},
    {"TRAY_EXIT", Kind::Button, "fTray", "bExit", nullptr, true},
    {"START_FORM", Kind::Form, "fStart"},
    {"START_DOWN", Kind::Button, "fStart", "Down"},
    {"START_CLOSE", Kind::Button, "fStart", "bClose"},
    {"MAIN_FORM", Kind::FormWidth, "fMain"},
    {"MAIN_TIPS", Kind::Button, "fMain", "Tips", nullptr, true},
    {"MAIN_OPTIONS", Kind::Button, "fMain", "Options", nullptr, true},
    {"MAIN_PASTE", Kind::Button, "fMain", "Paste", nullptr, true},
    {"MAIN_SAVE", Kind::Button, "fMain", "Save", nullptr, true},
    {"MAIN_DELETE", Kind::Button, "fMain", "Delete", nullptr, true},
    {"MAIN_SCROLL", Kind::Scroll, "fMain", "Scroll", nullptr, true},
    {"POPUP_FORM", Kind::PopUp, "fPopUp"},
    {"HIDE_FORM", Kind::Form, "fHide", nullptr, "Label1"},
    {"HIDE_TEXT", Kind::Label, "fHide", "Label3"},
    {"HIDE_OK", Kind::Button, "fHide", "bOK"},
    {"HIDE_CHECK", Kind::Check, "fHide", "CheckBox1", "Label2"},
    {"HIDE_CLOSE", Kind::Button, "fHide", "bClose"},
    {"OPTIONS_FORM", Kind::Form, "fOptions", nullptr, "lblMove"},
    {"OPTIONS_OK", Kind::Button, "fOptions", "bOK"},
    {"OPTIONS_CLOSE", Kind::Button, "fOptions", "bClose"},
    {"OPTIONS_CANCEL", Kind::Button, "fOptions", "bCancel"},
    {"OPTIONS_APPLY", Kind::Button, "fOptions", "bApply"},
};

size_t ValuesNeeded(Kind k) {
    switch (k) {
        case Kind::FormWidth: return 1;
        case Kind::Form: case Kind::PopUp: case Kind::Check: case Kind::Scroll: return 2;
        default: return 4;
    }
}

// A fractional value goes to a whole number half to even; outside the type's range it fails.
double Whole(double v, double lo, double hi, const char* what) {
    const double r = std::nearbyint(v);
    if (!(r >= lo && r <= hi)) throw std::out_of_range(std::string(what) + " out of range");
    return r + 0.0;  // no negative zero
}

// A window's width or height in pixels: a window of no size, or one beyond what the system
// places, is a broken table, not a window to hide.
double WindowSize(double v, const char* what) {
    if (!(v >= 1 && v <= 32767)) throw std::out_of_range(std::string(what) + " out of range");
    return v;
}

std::string Upper(const std::string& s) { return Utf16ToAnsi(UpperCaseText(AnsiToUtf16(s))); }

class Applier {
public:
    Applier(double tx, double ty, SizeSink& sink) : tx_(tx), ty_(ty), sink_(sink) {}

    void Apply(const Key& k, const std::vector<double>& p) {
        const std::string w = k.window;
        const double fx = k.twips ? tx_ : 1, fy = k.twips ? ty_ : 1;
        switch (k.kind) {
            case Kind::FormWidth: sink_.Set(w, SizeProp::Width, WindowSize(p[0], "width") * tx_); break;
            case Kind::Form: case Kind::PopUp:
                sink_.Set(w, SizeProp::Width, WindowSize(p[0], "width") * tx_);
                sink_.Set(w, SizeProp::Height, WindowSize(p[1], "height") * ty_);
                if (k.control2) sink_.Set(w + "." + k.control2, SizeProp::Width, p[0]);
                if (k.kind == Kind::PopUp) sink_.Set(w, SizeProp::He, Whole(p[1] - 1, -32768, 32767, "he"));
                break;
            case Kind::Buttons2:
                Button(w + "." + k.control, p, fx, fy);
                Button(w + "." + k.control2, p, fx, fy);
                break;
            case Kind::Button: Button(w + "." + k.control, p, fx, fy); break;
            case Kind::Check: {
                const std::string box = w + "." + k.control, label = w + "." + k.control2;
                sink_.Set(box, SizeProp::Left, p[0]);
                sink_.Set(box, SizeProp::Top, p[1]);
                sink_.Set(label, SizeProp::Top, sink_.Get(box, SizeProp::Top));
                sink_.Set(label, SizeProp::Left, sink_.Get(box, SizeProp::Left) + 16);
                break;
            }
            case Kind::Scroll:
                sink_.Set(w + "." + k.control, SizeProp::Left, p[0] * fx);
                sink_.Set(w + "." + k.control, SizeProp::Top, p[1] * fy);
                break;
            case Kind::Label: {
                const std::string label = w + "." + k.control;
                sink_.Set(label, SizeProp::Left, p[0]);
                sink_.Set(label, SizeProp::Top, p[1]);
                sink_.Set(label, SizeProp::Width, p[2]);
                sink_.Set(label, SizeProp::Height, p[3]);
                break;
            }
        }
    }

private:
    void Button(const std::string& b, const std::vector<double>& p, double fx, double fy) {
        sink_.Set(b, SizeProp::Left, p[0] * fx);
        sink_.Set(b, SizeProp::Top, p[1] * fy);
        sink_.Set(b, SizeProp::Width, p[2] * fx);
        sink_.Set(b, SizeProp::CC, Whole(p[3], 0, 255, "CC"));
    }
    // Products are computed in floating point and kept as single-precision coordinates.
    double tx_, ty_;
    SizeSink& sink_;
};

}  // namespace

SizesOutcome ApplySizeTable(const std::string& fileText, double twipsX, double twipsY, SizeSink& sink) {
    SizesOutcome out;
    const std::vector<std::string> lines = mParse::SplitLines(fileText);
    if (lines.empty()) {
        out.ok = false;
        out.reason = "empty file";
        return out;
    }
    Applier applier(twipsX, twipsY, sink);
    for (size_t n = 0; n < lines.size(); ++n) {
        try {
            const ParsedLine parsed = mParse::ParseLine(lines[n]);
            if (parsed.Name.empty()) continue;
            const std::string name = Upper(parsed.Name);
            const Key* key = nullptr;
            for (const Key& k : kKeys)
                if (name == k.name) {
                    key = &k;
                    break;
                }
            if (!key) {
                mdlLog::WriteLog(">>> Error during loading skin sizes");
                out.unknownLines.push_back(static_cast<int>(n + 1));
                continue;
            }
            // A known key with fewer values than it uses is a broken line: nothing past them is read.
            // Values past those it uses are ignored, whatever they hold.
            const size_t needed = ValuesNeeded(key->kind);
            if (parsed.Params.size() < needed) throw std::invalid_argument("too few values");
            std::vector<double> values;
            for (size_t i = 0; i < needed; ++i) {
                values.push_back(mParse::LeadingNumber(parsed.Params[i]));
                // A number of more digits than a double holds reads as infinite.
                if (!std::isfinite(values.back())) throw std::out_of_range("value out of range");
            }
            applier.Apply(*key, values);
        } catch (const std::exception& e) {
            out.ok = false;
            out.failedLine = static_cast<int>(n + 1);
            out.reason = e.what();
            return out;
        }
    }
    return out;
}

}  // namespace mdlSkin
