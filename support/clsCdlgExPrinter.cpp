#include "support/clsCdlgExPrinter.h"

#include <cwchar>
#include <string>

namespace PrintRecords {
namespace {
// Locks a global block for as long as the view lives.
template <class T>
class Locked {
public:
    explicit Locked(HGLOBAL h) : h_(h), p_(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
    ~Locked() {
        if (p_) GlobalUnlock(h_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    T* get() const { return p_; }

private:
    HGLOBAL h_;
    T* p_;
};

GlobalHandle Alloc(size_t bytes) { return GlobalHandle(GlobalAlloc(GHND, bytes)); }
}  // namespace

GlobalHandle DevModeFor(const forms::Printer& printer) {
    GlobalHandle h = Alloc(sizeof(DEVMODEW));
    Locked<DEVMODEW> dm(h.get());
    if (!dm.get()) return nullptr;
    dm.get()->dmSpecVersion = DM_SPECVERSION;
    dm.get()->dmSize = sizeof(DEVMODEW);
    lstrcpynW(dm.get()->dmDeviceName, printer.DeviceName.c_str(), CCHDEVICENAME);
    dm.get()->dmFields = DM_ORIENTATION | DM_DUPLEX | DM_COPIES;
    dm.get()->dmOrientation = printer.Orientation;
    dm.get()->dmDuplex = printer.Duplex;
    dm.get()->dmCopies = printer.Copies;
    return h;
}

GlobalHandle DevNamesFor(const forms::Printer& printer) {
    // The offsets count characters from the start of the record; the strings follow the header.
    const size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
    const std::wstring* parts[] = {&printer.DriverName, &printer.DeviceName, &printer.Port};
    size_t chars = header;
    for (const std::wstring* s : parts) chars += s->size() + 1;
    GlobalHandle h = Alloc(chars * sizeof(wchar_t));
    Locked<DEVNAMES> dn(h.get());
    if (!dn.get()) return nullptr;
    auto* text = reinterpret_cast<wchar_t*>(dn.get());
    WORD* offsets[] = {&dn.get()->wDriverOffset, &dn.get()->wDeviceOffset, &dn.get()->wOutputOffset};
    size_t at = header;
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(at);
        std::wmemcpy(text + at, parts[i]->c_str(), parts[i]->size() + 1);
        at += parts[i]->size() + 1;
    }
    return h;
}

bool Apply(forms::Printers& printers, HGLOBAL devMode, HGLOBAL devNames) {
    Locked<DEVMODEW> dm(devMode);
    std::wstring device;
    {
        Locked<DEVNAMES> dn(devNames);
        if (dn.get()) device = reinterpret_cast<const wchar_t*>(dn.get()) + dn.get()->wDeviceOffset;
    }
    if (device.empty() && dm.get())
        device.assign(dm.get()->dmDeviceName, wcsnlen(dm.get()->dmDeviceName, CCHDEVICENAME));
    if (device.empty() || !printers.Select(device)) return false;
    if (const DEVMODEW* m = dm.get()) {
        forms::Printer& p = *printers.Current();
        if (m->dmFields & DM_ORIENTATION) p.Orientation = m->dmOrientation;
        if (m->dmFields & DM_DUPLEX) p.Duplex = m->dmDuplex;
        if (m->dmFields & DM_COPIES) p.Copies = m->dmCopies;
    }
    return true;
}

}  // namespace PrintRecords
