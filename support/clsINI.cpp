#include "support/clsINI.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

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

void clsINI::Parse(const std::string& ansiText) {
    // A line ends at CR or CR LF; a lone LF is part of the line.
    size_t start = 0;
    const size_t n = ansiText.size();
    // Lines before the text's first header belong to no section, whatever the model held.
    size_t current = 0;
    while (start < n) {
        size_t cr = ansiText.find('\r', start);
        if (cr == std::string::npos) cr = n;
        ParseLine(AnsiToUtf16(ansiText.substr(start, cr - start)), current);
        start = cr + 1;
        if (cr < n && start < n && ansiText[start] == '\n') ++start;
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
    if (!NormalFileExists(vData)) return;
    FilePtr f(std::fopen(vData.c_str(), "rb"));
    if (!f) throw std::runtime_error("cannot open " + vData);
    std::string bytes;
    char buf[4096];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.append(buf, got);
    const bool failed = std::ferror(f.get()) != 0;
    // Whatever was read before a failure is kept, as the lines would have been one by one.
    Parse(bytes);
    if (failed) throw std::runtime_error("cannot read " + vData);
}

bool clsINI::UpdateFile() {
    if (fileName_.empty()) return false;
    // Written beside the file and moved over it, so that a full disk or a crash mid-write leaves
    // the previous settings rather than half a file.
    const std::string temp = fileName_ + ".tmp";
    // A hidden or system file loads as absent; a move would silently put defaults in its place,
    // where opening it for writing is refused.
    if (PathExists(fileName_) && !NormalFileExists(fileName_))
        throw std::runtime_error("cannot replace hidden or system file " + fileName_);
    const std::string bytes = Serialize();
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) throw std::runtime_error("cannot create " + temp);
        bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = FlushToDisk(f) && ok;
        ok = std::fclose(f) == 0 && ok;
        if (!ok) {
            RemoveFile(temp);
            throw std::runtime_error("cannot write " + temp);
        }
    }
    if (!ReplaceFileWith(temp, fileName_)) {
        RemoveFile(temp);
        throw std::runtime_error("cannot replace " + fileName_);
    }
    return true;
}
