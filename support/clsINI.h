#pragma once
// clsINI: one INI file held in memory as ordered sections of ordered name/value pairs.
#include <cstdint>
#include <string>
#include <vector>

class clsINI {
public:
    using Text = std::u16string;
    // What every string getter answers for a missing section, key or index: one U+0000, so that
    // a caller can tell a missing key from an empty value.
    static inline const Text NotFound = Text(1, u'\0');

    bool RemoveSection(const Text& section);
    bool SectionExists(const Text& section) const;
    // Writes the whole model to FileName; false, and nothing written, without a file name.
    // Throws std::runtime_error when the file cannot be written or is read-only; the previous file
    // then stays. A hidden file stays hidden. A link in the way is replaced or removed as itself,
    // never written through or moved; `notes`, when given, gets a line for each.
    bool UpdateFile(std::vector<std::string>* notes = nullptr);
    bool ValueExists(const Text& section, const Text& valueName) const;
    Text ValueName(const Text& section, int32_t index) const;
    bool RemoveValue(const Text& section, const Text& valueName);
    bool AddValue(const Text& section, const Text& valueName, const Text& lValue = Text());
    int32_t ValuesCount(const Text& section) const;
    void SetValue(const Text& section, const Text& valueName, const Text& vData);
    Text Value(const Text& section, const Text& valueName) const;
    Text SectionName(int32_t index) const;
    bool AddSection(const Text& section);
    int32_t SectionsCount() const { return static_cast<int32_t>(sections_.size()); }
    // Empties the model and loads the file when it exists (a path in the ANSI code page): ANSI
    // text, or UTF-8 or UTF-16 text after a byte-order mark; hidden files too, not system files.
    // Throws std::runtime_error when an existing file cannot be read; the model then holds what
    // was read before the failure.
    void SetFileName(const std::string& vData);
    const std::string& FileName() const { return fileName_; }

    // The file's text in the ANSI code page, as UpdateFile writes it.
    std::string Serialize() const;
    // Appends what the lines of `ansiText` declare, as loading a file does.
    void Parse(const std::string& ansiText);
    void ParseText(const Text& text);

private:
    struct IniValue {
        Text Name;
        Text Value;
    };
    struct IniSection {
        Text Name;
        std::vector<IniValue> Values;
    };

    IniSection* FindSection(const Text& section);
    const IniSection* FindSection(const Text& section) const;
    static const IniValue* FindValue(const IniSection& s, const Text& valueName);
    // `current` is the 1-based position of the section the text's last header opened, 0 before it.
    void ParseLine(Text line, size_t& current);

    std::string fileName_;
    std::vector<IniSection> sections_;
};
