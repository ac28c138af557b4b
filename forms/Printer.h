#pragma once
// Printer and Printers: the printers the system lists and the one the program prints to, with
// the page settings the program keeps for it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace forms {

struct Printer {
    std::wstring DeviceName, DriverName, Port;
    int16_t Orientation = DMORIENT_PORTRAIT;
    int16_t Duplex = DMDUP_SIMPLEX;
    int16_t Copies = 1;
};

class Printers {
public:
    // The system's printers, the system's default one current (none when it has no printers).
    static Printers FromSystem();
    Printers(std::vector<Printer> list, std::optional<size_t> current);

    const std::vector<Printer>& List() const { return list_; }
    // Null when there is no current printer.
    Printer* Current() { return current_ ? &list_[*current_] : nullptr; }
    const Printer* Current() const { return current_ ? &list_[*current_] : nullptr; }
    // Makes the listed printer of that device name (case does not count) current; false, and
    // nothing changes, when none is listed under it.
    bool Select(const std::wstring& deviceName);

private:
    std::vector<Printer> list_;
    std::optional<size_t> current_;
};

}  // namespace forms
