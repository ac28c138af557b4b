#include "rar/SafePath.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qmrar {
namespace {

bool IsDeviceName(std::u16string_view part) {
    // Windows opens the device whatever the extension: "CON.txt" is the console.
    std::u16string stem(part.substr(0, part.find(u'.')));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    for (auto& c : stem)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    static constexpr std::array<std::u16string_view, 7> kFixed = {u"CON", u"PRN", u"AUX", u"NUL",
                                                                  u"CONIN$", u"CONOUT$", u"CLOCK$"};
    if (std::find(kFixed.begin(), kFixed.end(), stem) != kFixed.end()) return true;
    if (stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) && stem[3] >= u'0' &&
        stem[3] <= u'9')
        return true;
    return false;
}

std::u16string CleanPart(std::u16string_view raw) {
    std::u16string part;
    for (char16_t c : raw) {
        bool refused = c < 0x20 || c == u':' || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' ||
                       c == u'*';
        part.push_back(refused ? u'_' : c);
    }
    // Windows drops trailing dots and spaces, which would turn "..." or ".. " into a climb.
    while (!part.empty() && (part.back() == u'.' || part.back() == u' ')) part.pop_back();
    if (!part.empty() && IsDeviceName(part)) part.insert(part.begin(), u'_');
    return part;
}

}  // namespace

std::optional<std::filesystem::path> SafeRelativePath(std::u16string_view name) {
    std::filesystem::path out;
    bool any = false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(u"/\\", start);
        if (end == std::u16string_view::npos) end = name.size();
        std::u16string_view raw = name.substr(start, end - start);
        start = end + 1;
        if (raw.empty() || raw == u"." || raw == u"..") continue;
        std::u16string part = CleanPart(raw);
        if (part.empty()) continue;
        out /= std::filesystem::path(part);
        any = true;
    }
    if (!any) return std::nullopt;
    return out;
}

}  // namespace qmrar
