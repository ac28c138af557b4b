#include "model/Settings.h"

#include <cmath>

#include "model/SettingsText.h"
#include "model/TopDock.h"
#include "support/AnsiText.h"

namespace Settings {
namespace {
const std::u16string kGlobal = u"Global";
const std::u16string kOptions = u"Options";

// Every check below answers whether the text stands for an acceptable value and stores it.
template <typename T, typename Convert>
void ReadKey(clsINI& ini, const std::u16string& section, const std::u16string& key, T& value,
             const std::u16string& fallbackText, Convert convert, std::vector<std::string>& problems) {
    const std::u16string text = ini.Value(section, key);
    if (convert(text, value)) return;
    problems.push_back(">>> Settings: \"" + Utf16ToAnsi(text) + "\" is no valid " + Utf16ToAnsi(key) +
                       ", using " + Utf16ToAnsi(fallbackText));
    ini.SetValue(section, key, fallbackText);
}

// A reader for ReadKey from one of SettingsText's parsers: the value changes only when the text parses.
template <auto Parse, class T>
bool ParsedInto(const std::u16string& t, T& v) {
    const auto r = Parse(t);
    if (r) v = *r;
    return r.has_value();
}
constexpr auto BoolOf = ParsedInto<SettingsText::ToBool, bool>;
constexpr auto ByteOf = ParsedInto<SettingsText::ToByte, uint8_t>;
constexpr auto SingleOf = ParsedInto<SettingsText::ToSingle, float>;
// Only 1, 2 and 3 join clips; any other value would make every paste empty.
auto CombinationOf = [](const std::u16string& t, int32_t& v) {
    const auto r = SettingsText::ToInt32(t);
    if (!r || *r < 1 || *r > 3) return false;
    v = *r;
    return true;
};
// A negative speed turns a fade-in into a fade-out. 0 is no bad value (older settings hold it for
// "no fade"), but every fade takes its direction from the sign of the speed, so a 0 would hide the
// windows it should show: it is taken as 1000, the speed without animation.
constexpr int16_t kNoFadeSpeed = 1000;
auto SpeedOf = [](const std::u16string& t, int16_t& v) {
    const auto r = SettingsText::ToInt16(t);
    if (!r || *r < 0) return false;
    v = *r == 0 ? kNoFadeSpeed : *r;
    return true;
};
auto TextOf = [](const std::u16string& t, std::u16string& v) {
    if (t == clsINI::NotFound) return false;
    v = t;
    return true;
};
}  // namespace

void EnsureKeys(clsINI& ini, const SettingsValues& d) {
    using namespace SettingsText;
    auto ensure = [&ini](const std::u16string& section, const std::u16string& key,
                         const std::u16string& text) {
        if (!ini.ValueExists(section, key)) ini.AddValue(section, key, text);
    };
    if (!ini.SectionExists(kGlobal)) ini.AddSection(kGlobal);
    ensure(kGlobal, u"Top", u"15");
    ensure(kGlobal, u"Left", u"7000");
    ensure(kGlobal, u"FastExit", u"False");
    ensure(kGlobal, u"FastHide", u"False");
    if (!ini.SectionExists(kOptions)) ini.AddSection(kOptions);
    ensure(kOptions, u"RemExtra", FromBool(d.RemExtra));
    ensure(kOptions, u"Combination", FromInt(d.Combination));
    ensure(kOptions, u"Transparent", FromInt(d.Transparent));
    ensure(kOptions, u"InactiveTransparent", FromInt(d.InactiveTransparent));
    ensure(kOptions, u"RestoreClips", FromBool(d.RestoreClips));
    ensure(kOptions, u"PaiseSpeed", FromInt(d.PaiseSpeed));
    ensure(kOptions, u"SkinName", u"Default");
}

void Read(clsINI& ini, SettingsValues& v, std::vector<std::string>& problems) {
    using namespace SettingsText;
    ReadKey(ini, kOptions, u"RemExtra", v.RemExtra, FromBool(v.RemExtra), BoolOf, problems);
    ReadKey(ini, kOptions, u"Combination", v.Combination, FromInt(v.Combination), CombinationOf, problems);
    ReadKey(ini, kOptions, u"Transparent", v.Transparent, FromInt(v.Transparent), ByteOf, problems);
    ReadKey(ini, kOptions, u"InactiveTransparent", v.InactiveTransparent, FromInt(v.InactiveTransparent),
            ByteOf, problems);
    if (v.InactiveTransparent > v.Transparent) v.InactiveTransparent = v.Transparent;
    ReadKey(ini, kOptions, u"RestoreClips", v.RestoreClips, FromBool(v.RestoreClips), BoolOf, problems);
    ReadKey(ini, kOptions, u"PaiseSpeed", v.PaiseSpeed, FromInt(v.PaiseSpeed), SpeedOf, problems);
    ReadKey(ini, kOptions, u"SkinName", v.SkinName, v.SkinName, TextOf, problems);
    ReadKey(ini, kGlobal, u"Top", v.TopTw, FromSingle(v.TopTw), SingleOf, problems);
    ReadKey(ini, kGlobal, u"Left", v.LeftTw, FromSingle(v.LeftTw), SingleOf, problems);
    ReadKey(ini, kGlobal, u"FastExit", v.FastExit, FromBool(v.FastExit), BoolOf, problems);
    ReadKey(ini, kGlobal, u"FastHide", v.FastHide, FromBool(v.FastHide), BoolOf, problems);
}

void Write(clsINI& ini, const SettingsValues& v) {
    using namespace SettingsText;
    ini.SetValue(kGlobal, u"Top", FromSingle(v.TopTw));
    ini.SetValue(kGlobal, u"Left", FromSingle(v.LeftTw));
    ini.SetValue(kGlobal, u"FastExit", FromBool(v.FastExit));
    ini.SetValue(kGlobal, u"FastHide", FromBool(v.FastHide));
    ini.SetValue(kOptions, u"Combination", FromInt(v.Combination));
    ini.SetValue(kOptions, u"RemExtra", FromBool(v.RemExtra));
    ini.SetValue(kOptions, u"Transparent", FromInt(v.Transparent));
    ini.SetValue(kOptions, u"InactiveTransparent", FromInt(v.InactiveTransparent));
    ini.SetValue(kOptions, u"RestoreClips", FromBool(v.RestoreClips));
    ini.SetValue(kOptions, u"PaiseSpeed", FromInt(v.PaiseSpeed));
    ini.SetValue(kOptions, u"SkinName", v.SkinName);
}

void ClampStartBar(float& leftTw, float& topTw, double screenWidthTw, double screenHeightTw, double twipsY) {
    if (leftTw > screenWidthTw) leftTw = static_cast<float>(screenWidthTw - 1000);
    if (leftTw < 0) leftTw = 1000;
    if (topTw > screenHeightTw) topTw = static_cast<float>(screenHeightTw - 1000);
    const bool docked = TopDock::InBand(static_cast<int32_t>(std::nearbyint(topTw / twipsY)));
    if (topTw < 0 && !docked) topTw = 1000;
}

}  // namespace Settings
