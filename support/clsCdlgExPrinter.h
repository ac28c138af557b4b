#pragma once
// The print dialog's device records (PRINTDLG hDevMode and hDevNames, UTF-16 forms): built from
// a printer to preset the dialog, and read back to make the chosen printer current.
#include <windows.h>

#include <commdlg.h>

#include <memory>
#include <type_traits>

#include "forms/Printer.h"

namespace PrintRecords {

struct GlobalFreeDeleter {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};
using GlobalHandle = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreeDeleter>;

// A DEVMODEW with the device name, orientation, duplex mode and copies of the printer.
GlobalHandle DevModeFor(const forms::Printer& printer);
// A DEVNAMES with the printer's driver, device and port.
GlobalHandle DevNamesFor(const forms::Printer& printer);
// The listed printer that the records name (DEVNAMES, else the DEVMODE's device name) becomes
// current and takes the orientation, duplex mode and copies the DEVMODE sets. False, with nothing
// changed, when no listed printer has that name.
bool Apply(forms::Printers& printers, HGLOBAL devMode, HGLOBAL devNames);

}  // namespace PrintRecords
