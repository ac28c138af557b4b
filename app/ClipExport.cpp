#include "app/ClipExport.h"

#include <windows.h>

#include <commdlg.h>

#include "app/TextConv.h"

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

std::string SaveFileNameDialog() {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "Plain Text (*.txt)\0*.txt\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&ofn)) return {};
    return file;
}
