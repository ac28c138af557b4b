#include "app/ClipExport.h"

#include <windows.h>

#include "model/TextConv.h"
#include "support/AnsiText.h"

bool WriteExportFile(const std::string& path, const ClipText& joined) {
    const std::string bytes = ToAnsi(joined) + "\r\n";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    const bool closed = CloseHandle(f);
    if (ok && closed) return true;
    DeleteFileA(path.c_str());
    return false;
}

clsCdlgEx& SaveDialog() {
    static clsCdlgEx dialog;
    return dialog;
}

std::string SaveFileNameDialog() {
    clsCdlgEx& d = SaveDialog();
    d.SetFileName(u"");
    d.SetFilter(u"Plain Text (*.txt)");
    // Asked before an existing file is replaced, and a name typed without extension gets ".txt"
    // from the dialog, so that the question is about the file that will be written.
    d.Setflags(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    d.SetDefaultExt(u"txt");
    d.ShowSave();
    return Utf16ToAnsi(d.FileName());
}
