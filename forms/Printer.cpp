#include "forms/Printer.h"

#include <winspool.h>

namespace forms {
namespace {
std::wstring Text(const wchar_t* s) { return s ? s : L""; }

std::vector<Printer> SystemPrinters() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD bytes = 0, count = 0;
    EnumPrintersW(flags, nullptr, 2, nullptr, 0, &bytes, &count);
    if (bytes == 0) return {};
    std::vector<BYTE> buf(bytes);
    if (!EnumPrintersW(flags, nullptr, 2, buf.data(), bytes, &bytes, &count)) return {};
    std::vector<Printer> list;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buf.data());
    for (DWORD i = 0; i < count; ++i) {
        Printer p{Text(info[i].pPrinterName), Text(info[i].pDriverName), Text(info[i].pPortName)};
        if (const DEVMODEW* dm = info[i].pDevMode) {
            if (dm->dmFields & DM_ORIENTATION) p.Orientation = dm->dmOrientation;
            if (dm->dmFields & DM_DUPLEX) p.Duplex = dm->dmDuplex;
            if (dm->dmFields & DM_COPIES) p.Copies = dm->dmCopies;
        }
        list.push_back(std::move(p));
    }
    return list;
}

std::wstring SystemDefault() {
    DWORD chars = 0;
    GetDefaultPrinterW(nullptr, &chars);
    if (chars == 0) return {};
    std::wstring name(chars, L'\0');
    if (!GetDefaultPrinterW(name.data(), &chars)) return {};
    name.resize(chars - 1);
    return name;
}
}  // namespace

Printers Printers::FromSystem() {
    Printers p(SystemPrinters(), std::nullopt);
    if (!p.Select(SystemDefault()) && !p.list_.empty()) p.current_ = 0;
    return p;
}

Printers::Printers(std::vector<Printer> list, std::optional<size_t> current)
    : list_(std::move(list)), current_(current && *current < list_.size() ? current : std::nullopt) {}

bool Printers::Select(const std::wstring& deviceName) {
    for (size_t i = 0; i < list_.size(); ++i)
        if (lstrcmpiW(list_[i].DeviceName.c_str(), deviceName.c_str()) == 0) {
            current_ = i;
            return true;
        }
    return false;
}

}  // namespace forms
