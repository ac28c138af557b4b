#include "support/clsINI.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "support/AnsiText.h"
#include "support/PlainFiles.h"

namespace {
bool SameName(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && UpperCaseText(a) == UpperCaseText(b);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::u16string FromUtf8(std::string_view b) {
    std::u16string out;
    for (size_t i = 0; i < b.size();) {
        const auto c = static_cast<unsigned char>(b[i]);
        const size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        char32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
        bool ok = len != 0 && i + len <= b.size();
        for (size_t k = 1; ok && k < len; ++k) {
            const auto t = static_cast<unsigned char>(b[i + k]);
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (!ok || cp > 0x10FFFF) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::u16string FromUtf16(std::string_view b, bool bigEndian) {
    std::u16string out(b.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        const auto lo = static_cast<unsigned char>(b[2 * i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(b[2 * i + (bigEndian ? 0 : 1)]);
        out[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return out;
}

// Settings files saved by an editor may be UTF-8 or UTF-16 with a byte-order mark (or UTF-16
// without one): read them as the text they hold. Anything else is the ANSI code page.
std::u16string DecodeFileText(const std::string& bytes) {
    const std::string_view b = bytes;
    if (b.starts_with("\xEF\xBB\xBF")) return FromUtf8(b.substr(3));
    if (b.starts_with("\xFF\xFE")) return FromUtf16(b.substr(2), false);
    if (b.starts_with("\xFE\xFF")) return FromUtf16(b.substr(2), true);
    if (b.size() >= 2 && b.size() % 2 == 0 && b[0] != 0 && b[1] == 0) return FromUtf16(b, false);
    return AnsiToUtf16(bytes);
}
}  // namespace

clsINI::IniSection* clsINI::FindSection(const Text& section) {
    for (auto& s : sections_)
        if (SameName(s.Name, section)) return &s;
    return nullptr;
}

const clsINI::IniSection* clsINI::FindSection(const Text& section) const {
    return const_cast<clsINI*>(this)->FindSection(section);
}

const clsINI::IniValue* clsINI::FindValue(const IniSection& s, const Text& valueName) {
    for (const auto& v : s.Values)
        if (SameName(v.Name, valueName)) return &v;
    return nullptr;
}

bool clsINI::RemoveSection(const Text& section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it)
        if (SameName(it->Name, section)) {
            sections_.erase(it);
            return true;
        }
    return false;
}

bool clsINI::SectionExists(const Text& section) const { return FindSection(section) != nullptr; }

bool clsINI::ValueExists(const Text& section, const Text& valueName) const {
    const IniSection* s = FindSection(section);
    return s && FindValue(*s, valueName);
}

clsINI::Text clsINI::ValueName(const Text& section, int32_t index) const {
    const IniSection* s = FindSection(section);
    if (!s || index < 1 || index > static_cast<int32_t>(s->Values.size())) return NotFound;
    return s->Values[static_cast<size_t>(index - 1)].Name;
}

bool clsINI::RemoveValue(const Text& section, const Text& valueName) {
    IniSection* s = FindSection(section);
    if (!s) return false;
    for (auto it = s->Values.begin(); it != s->Values.end(); ++it)
        if (SameName(it->Name, valueName)) {
            s->Values.erase(it);
            return true;
        }
    return false;
}

bool clsINI::AddValue(const Text& section, const Text& valueName, const Text& lValue) {
    IniSection* s = FindSection(section);
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    } else if (FindValue(*s, valueName)) {
        return false;
    }
    s->Values.push_back({valueName, lValue});
    return true;
}

int32_t clsINI::ValuesCount(const Text& section) const {
    const IniSection* s = FindSection(section);
    return s ? static_cast<int32_t>(s->Values.size()) : -1;
}

void clsINI::SetValue(const Text& section, const Text& valueName, const Text& vData) {
    IniSection* s = FindSection(section);
    if (!s) {
        sections_.push_back({section, {{valueName, vData}}});
        return;
    }
    if (auto* v = const_cast<IniValue*>(FindValue(*s, valueName))) v->Value = vData;
    else s->Values.push_back({valueName, vData});
}

clsINI::Text clsINI::Value(const Text& section, const Text& valueName) const {
    const IniSection* s = FindSection(section);
    if (!s) return NotFound;
    const IniValue* v = FindValue(*s, valueName);
    return v ? v->Value : NotFound;
}

clsINI::Text clsINI::SectionName(int32_t index) const {
    if (index < 1 || index > SectionsCount()) return NotFound;
    return sections_[static_cast<size_t>(index - 1)].Name;
}

bool clsINI::AddSection(const Text& section) {
    if (FindSection(section)) return false;
    sections_.push_back({section, {}});
    return true;
}

void clsINI::ParseLine(Text line, size_t& current) {
    const size_t b = line.find_first_not_of(u' ');
    if (b == Text::npos) return;
    line = line.substr(b, line.find_last_not_of(u' ') - b + 1);
    const size_t semi = line.find(u';');
    if (semi == 0) return;
    if (semi != Text::npos) line.resize(semi);  // the blanks before the comment stay
    if (line[0] == u'[') {
        const size_t close = line.find(u']');
        // "[]" and a header without "]" are dropped; the current section stays as it was.
        if (close == Text::npos || close < 2) return;
        sections_.push_back({line.substr(1, close - 1), {}});
        current = sections_.size();
        return;
    }
    const size_t eq = line.find(u'=');
    if (current == 0 || eq == Text::npos || eq == 0) return;
    sections_[current - 1].Values.push_back({line.substr(0, eq), line.substr(eq + 1)});
}

void clsINI::Parse(const std::string& ansiText) { ParseText(AnsiToUtf16(ansiText)); }

void clsINI::ParseText(const Text& text) {
    // A line ends at CR LF, a lone CR or a lone LF, also mixed in one file: a line some editor
    // ended with LF alone must not take the next key into its value.
    size_t start = 0;
    const size_t n = text.size();
    // Lines before the text's first header belong to no section, whatever the model held.
    size_t current = 0;
    while (start < n) {
        size_t cr = text.find_first_of(u"\r\n", start);
        if (cr == Text::npos) cr = n;
        ParseLine(text.substr(start, cr - start), current);
        start = cr + 1;
        if (cr < n && text[cr] == u'\r' && start < n && text[start] == u'\n') ++start;
    }
}

std::string clsINI::Serialize() const {
    Text out;
    for (const auto& s : sections_) {
        out += u"[" + s.Name + u"]\r\n";
        for (const auto& v : s.Values) out += v.Name + u"=" + v.Value + u"\r\n";
        out += u"\r\n";
    }
    return Utf16ToAnsi(out);
}

void clsINI::SetFileName(const std::string& vData) {
    fileName_ = vData;
    sections_.clear();
    // A hidden file is still the user's settings; a system file or a folder is none.
    const FileFlags flags = FlagsOf(vData);
    if (!flags.exists || flags.folder || flags.system) return;
    FilePtr f(std::fopen(vData.c_str(), "rb"));
    if (!f) throw std::runtime_error("cannot open " + vData);
    std::string bytes;
    char buf[4096];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.append(buf, got);
    const bool failed = std::ferror(f.get()) != 0;
    // Whatever was read before a failure is kept, as the lines would have been one by one.
    ParseText(DecodeFileText(bytes));
    if (failed) throw std::runtime_error("cannot read " + vData);
}

bool clsINI::UpdateFile(std::vector<std::string>* notes) {
    if (fileName_.empty()) return false;
    // Written beside the file and moved over it, so that a full disk or a crash mid-write leaves
    // the previous settings rather than half a file.
    const std::string temp = fileName_ + ".tmp";
    // A system file loads as absent; a move would silently put defaults in its place, where opening
    // it for writing is refused. A read-only file is the user's to change, not ours.
    const FileFlags kept = FlagsOf(fileName_);
    if (kept.exists && (kept.folder || kept.system))
        throw std::runtime_error("cannot replace system file " + fileName_);
    if (kept.readOnly) throw std::runtime_error("the file is read-only: " + fileName_);
    if (!WriteFileDurably(temp, Serialize(), notes)) {
        RemoveFile(temp, notes);
        throw std::runtime_error("cannot write " + temp);
    }
    if (!ReplaceFileWith(temp, fileName_)) {
        RemoveFile(temp, notes);
        throw std::runtime_error("cannot replace " + fileName_);
    }
    if (kept.hidden) SetHiddenFlag(fileName_);
    return true;
}
