#pragma once
// Text export of clips: the file dialog and the file itself.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "model/ClipRecord.h"
#include "support/PlainFiles.h"
#include "support/clsCdlgEx.h"

// The bytes of an export: the joined text and CR LF in the ANSI code page when that page holds
// every character exactly, else in UTF-8 after a byte-order mark, so that no character is lost.
std::string ExportBytes(const ClipText& joined);

// Writes all of bytes to an open file (WriteAllBytes in PlainFiles, unless a test stands in).
using ExportWrite = std::function<bool(HANDLE file, const std::string& bytes)>;

// Writes the export beside the target and puts it in the target's place only once it is
// complete, so a failed write leaves an existing file exactly as it was. Returns the reason of a
// failure in the user's words, or nothing when the file was written.
std::optional<std::string> WriteExportFile(const std::string& path, const ClipText& joined,
                                           const ExportWrite& write = [](HANDLE file, const std::string& bytes) {
                                               return WriteAllBytes(file, bytes);
                                           });

// The program's one save-file dialog, made on first use.
clsCdlgEx& SaveDialog();
// Asks for a ".txt" file to save to; "" when the user cancelled.
std::string SaveFileNameDialog();
