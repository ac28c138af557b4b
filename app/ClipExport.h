#pragma once
// Text export of clips: the file dialog and the file itself.
#include <string>

#include "model/ClipRecord.h"
#include "support/clsCdlgEx.h"

// Writes the joined text in the ANSI code page followed by CR LF, replacing the file.
// False when the file could not be written completely; a partial file is then removed.
bool WriteExportFile(const std::string& path, const ClipText& joined);

// The program's one save-file dialog, made on first use.
clsCdlgEx& SaveDialog();
// Asks for a ".txt" file to save to; "" when the user cancelled.
std::string SaveFileNameDialog();
