// qmprobe: a small Win32 tool the end-to-end tests use to look at and poke Quillmate from outside.
//   viewer-title            print the title of the first window of the clipboard viewer chain
//   close [CLASS]           ask the hidden "Quillmate" window (the program's own exit path), or the
//                           window of that class, to close
//   cbviewer FILE           join the viewer chain; append one line to FILE per change notification;
//                           leave the chain correctly when closed (WM_CLOSE to its window "QM viewer")
//   send-close              send (not post) WM_CLOSE to the hidden "Quillmate" window, as a
//                           program waiting for the answer would
//   end-session             tell the hidden "Quillmate" window that Windows is logging off
//                           (WM_ENDSESSION, sent as Windows sends it)
//   close-helpers           close every viewer, target, file-copier and holder window of this tool
//   hold FILE READY         keep FILE open with no sharing, as a busy program would; write READY once held
//   focus-target            bring the edit-target window to the front again
//   edit-target FILE [TITLE] show a window "QM target" (or TITLE) with an edit box; write its handle to FILE
//   gettext HWND            print the text of that window (WM_GETTEXT), UTF-8
//   cbviewer FILE die       join the viewer chain, then end without leaving it
//   cbviewer FILE hang      join the viewer chain, then serve no message until FILE.go exists
//   copy N PREFIX [MS]      put "PREFIX 1" to "PREFIX N" on the clipboard back to back, then hold
//                           the clipboard open for MS ms
//   copy-files TEXT FILE    put a file-drop list and TEXT on the clipboard together; then write FILE
//   copy-timed TEXT FILE    put TEXT on the clipboard; write to FILE the time it began, in
//                           microseconds since 1970 (the clock of the shell's $EPOCHREALTIME)
//   press-enter TITLE       answer the message box with that title with OK
//   press-cancel TITLE      answer the message box with that title with Cancel
//   dialog-text TITLE       print the message of the message box with that title (fails without one)
//   (as Updater.exe)        append its own command line to updater-args.txt beside it
//   foreground              print the class of the foreground window
//   rect CLASS              print the screen rectangle of a top-level window of that class and
//                           1 when it is visible, else 0
//   children CLASS          print the screen rectangle of each visible child window of it, one a line
//   child-list CLASS        print class, screen rectangle and visibility of every window inside it
//   alpha CLASS             print the layered alpha of that window (-1 when not layered)
//   key VK down|up          press or release a key as the keyboard would (SendInput)
//   short-path PATH         print the 8.3 form of PATH
#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

namespace {
HWND g_next = nullptr;
HWND g_edit = nullptr;
std::string g_file;

void AppendLine(const std::string& path, const std::string& line) {
    std::ofstream(path, std::ios::binary | std::ios::app) << line << "\n";
}

LRESULT CALLBACK ViewerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_DRAWCLIPBOARD:
            AppendLine(g_file, "draw");
            if (g_next) SendMessageW(g_next, m, w, l);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(w) == g_next) g_next = reinterpret_cast<HWND>(l);
            else if (g_next) SendMessageW(g_next, m, w, l);
            return 0;
        case WM_CLOSE:
            ChangeClipboardChain(h, g_next);
            AppendLine(g_file, "left");
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

LRESULT CALLBACK TargetProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_ACTIVATE:
            if (LOWORD(w) != WA_INACTIVE && g_edit) SetFocus(g_edit);
            return 0;
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

HWND MakeWindow(const wchar_t* cls, const wchar_t* title, WNDPROC proc, DWORD style = WS_OVERLAPPED, int w = 10,
                int h = 10) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    return CreateWindowExW(0, cls, title, style, 600, 500, w, h, nullptr, nullptr, wc.hInstance, nullptr);
}

int Loop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// Puts formats on the clipboard together, as another program would; false when it stayed busy.
bool PutFormats(HWND owner, std::initializer_list<std::pair<UINT, std::string>> formats) {
    for (int i = 0; i < 500 && !OpenClipboard(owner); ++i) Sleep(2);
    if (GetOpenClipboardWindow() != owner) return false;
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        SetClipboardData(format, h);
    }
    CloseClipboard();
    return true;
}

// UTF-8 text as UTF-16, its terminating NUL included.
std::wstring Wide(const std::string& utf8) {
    std::wstring w(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), static_cast<int>(w.size()));
    return w;
}

std::string TextBytes(const std::string& utf8) {
    const std::wstring w = Wide(utf8);
    return std::string(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(wchar_t));
}

// Prints UTF-16 text as UTF-8.
int Print(const std::wstring& w, const char* end = "\n") {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    std::printf("%s%s", s.c_str(), end);
    return 0;
}

// Prints a window's class (when asked), its screen rectangle and 1 or 0 for visible (when asked).
void PrintWindow(HWND w, bool withClass, bool withVisible) {
    wchar_t name[128] = {};
    RECT r{};
    GetClassNameW(w, name, 127);
    GetWindowRect(w, &r);
    if (withClass) Print(name, " ");
    std::printf("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    std::printf(withVisible ? " %d\n" : "\n", IsWindowVisible(w) ? 1 : 0);
}

BOOL CALLBACK PrintChild(HWND c, LPARAM) {
    PrintWindow(c, true, true);
    return TRUE;
}
}  // namespace

int main(int argc, char** argv) {
    // Copied as "Updater.exe" beside Quillmate, it records how it was started and ends.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string selfPath = self;
    if (selfPath.size() >= 11 && _stricmp(selfPath.c_str() + selfPath.size() - 11, "Updater.exe") == 0) {
        AppendLine(selfPath.substr(0, selfPath.size() - 11) + "updater-args.txt", GetCommandLineA());
        return 0;
    }
    if (argc < 2) return 2;
    const std::string cmd = argv[1];
    // The commands that look at a top-level window of the class named by argv[2] fail without one.
    HWND top = argc > 2 ? FindWindowA(argv[2], nullptr) : nullptr;
    for (const char* looks : {"rect", "children", "child-list", "settled", "alpha", "type"})
        if (cmd == looks && !top) return 1;
    if (cmd == "viewer-title" || cmd == "foreground") {
        wchar_t t[256] = {};
        if (cmd == "foreground") GetClassNameW(GetForegroundWindow(), t, 255);
        else if (HWND v = GetClipboardViewer()) GetWindowTextW(v, t, 255);
        return Print(t);
    }
    if (cmd == "close")  // the hidden "Quillmate" window unless a class is named
        return PostMessageW(argc > 2 ? top : FindWindowW(L"QuillmateForm", L"Quillmate"), WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == "send-close")
        return SendMessageTimeoutW(FindWindowW(L"QuillmateForm", L"Quillmate"), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG,
                                   5000, nullptr) ? 0 : 1;
    if (cmd == "end-session")
        return SendMessageTimeoutW(FindWindowW(L"QuillmateForm", L"Quillmate"), WM_ENDSESSION, TRUE, 0,
                                   SMTO_ABORTIFHUNG, 5000, nullptr) ? 0 : 1;
    // The message box with the title argv[2].
    HWND box = argc > 2 ? FindWindowA("#32770", argv[2]) : nullptr;
    if (cmd == "press-enter" || cmd == "press-cancel")
        return box && PostMessageW(box, WM_COMMAND, cmd == "press-enter" ? IDOK : IDCANCEL, 0) ? 0 : 1;
    if (cmd == "dialog-text") {
        wchar_t t[1024] = {};  // the message is the box's static control with the id 0xFFFF
        return box && GetDlgItemTextW(box, 0xFFFF, t, 1023) ? Print(t) : 1;
    }
    if (cmd == "copy-files" && argc > 3) {
        // A file manager's copy: a drop list, and a text beside it, as some file managers add.
        HWND owner = MakeWindow(L"QMFiles", L"QM files", DefWindowProcW);
        const std::wstring files = L"C:\\windows\\win.ini";
        std::string drop(sizeof(DROPFILES) + (files.size() + 2) * sizeof(wchar_t), '\0');
        auto* df = reinterpret_cast<DROPFILES*>(drop.data());
        df->pFiles = sizeof(DROPFILES);
        df->fWide = TRUE;
        std::memcpy(drop.data() + sizeof(DROPFILES), files.c_str(), files.size() * sizeof(wchar_t));
        if (!PutFormats(owner, {{CF_HDROP, drop}, {CF_UNICODETEXT, TextBytes(argv[2])}})) return 1;
        AppendLine(argv[3], "set");
        // Stay alive as the file manager would, until another program takes the clipboard.
        for (int i = 0; i < 500 && IsWindow(owner) && GetClipboardOwner() == owner; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(20);
        }
        return 0;
    }
    if (cmd == "rect" || cmd == "children" || cmd == "child-list") {
        if (cmd == "rect") PrintWindow(top, false, true);
        if (cmd == "child-list") EnumChildWindows(top, PrintChild, 0);  // every window inside, nested ones too
        if (cmd == "children")
            for (HWND c = GetWindow(top, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                if (IsWindowVisible(c)) PrintWindow(c, false, false);
        return 0;
    }
    if (cmd == "settled" && argc > 4) {
        // Exit 0 when the thread of the window holds no mouse capture, or holds it in a window under
        // the point (argv[3], argv[4]): a click there now reaches that point.
        GUITHREADINFO gi{};
        gi.cbSize = sizeof gi;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &gi)) return 1;
        RECT r{};
        const POINT pt{std::atoi(argv[3]), std::atoi(argv[4])};
        if (!gi.hwndCapture || (GetWindowRect(gi.hwndCapture, &r) && PtInRect(&r, pt))) return 0;
        PrintWindow(gi.hwndCapture, true, false);
        return 1;
    }
    if (cmd == "alpha") {
        // The layered alpha of the window; -1 when it is not layered.
        BYTE alpha = 0;
        DWORD flags = 0;
        const bool layered = (GetWindowLongW(top, GWL_EXSTYLE) & WS_EX_LAYERED) &&
                             GetLayeredWindowAttributes(top, nullptr, &alpha, &flags);
        std::printf("%d\n", !layered ? -1 : (flags & LWA_ALPHA) ? alpha : 255);
        return 0;
    }
    if (cmd == "key" && argc > 3) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(std::atoi(argv[2]));
        in.ki.dwFlags = std::strcmp(argv[3], "up") == 0 ? KEYEVENTF_KEYUP : 0;
        return SendInput(1, &in, sizeof in) == 1 ? 0 : 1;
    }
    if (cmd == "cbviewer" && argc > 2) {
        g_file = argv[2];
        g_next = SetClipboardViewer(MakeWindow(L"QMViewer", L"QM viewer", ViewerProc));
        AppendLine(g_file, "joined");
        const std::string how = argc > 3 ? argv[3] : "";
        if (how == "die") ExitProcess(0);
        if (how == "hang")
            while (GetFileAttributesA((g_file + ".go").c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(50);
        return Loop();
    }
    if (cmd == "copy" && argc > 3) {
        HWND owner = MakeWindow(L"QMFiles", L"QM copier", DefWindowProcW);
        for (int i = 1; i <= std::atoi(argv[2]); ++i)
            if (!PutFormats(owner, {{CF_UNICODETEXT, TextBytes(std::string(argv[3]) + " " + std::to_string(i))}}))
                return 1;
        if (argc > 4 && OpenClipboard(owner)) Sleep(static_cast<DWORD>(std::atoi(argv[4])));
        CloseClipboard();
        return 0;
    }
    if (cmd == "copy-timed" && argc > 3) {
        HWND owner = MakeWindow(L"QMFiles", L"QM copier", DefWindowProcW, WS_OVERLAPPED, 10, 10);
        const std::string bytes = TextBytes(argv[2]);
        FILETIME ft;
        GetSystemTimePreciseAsFileTime(&ft);
        if (!PutFormats(owner, {{CF_UNICODETEXT, bytes}})) return 1;
        const unsigned long long t = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        AppendLine(argv[3], std::to_string((t - 116444736000000000ull) / 10));
        return 0;
    }
    if (cmd == "close-helpers") {
        // Ends every helper window of these tests the way a user would close them.
        for (const wchar_t* cls : {L"QMViewer", L"QMTarget", L"QMFiles", L"QMHold"})
            for (HWND w = FindWindowW(cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr))
                PostMessageW(w, WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == "hold" && argc > 3) {
        HANDLE f = CreateFileA(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return 1;
        MakeWindow(L"QMHold", L"QM hold", TargetProc);
        AppendLine(argv[3], "held");
        Loop();
        CloseHandle(f);
        return 0;
    }
    if (cmd == "keep-desktop") {
        // Wine's desktop process inherits the output of whichever process starts it: a test run
        // starts it once, outside the test runner, and keeps it until the server stops.
        if (!GetDesktopWindow()) return 1;
        std::puts("ready");
        std::fflush(stdout);
        Sleep(INFINITE);
    }
    if (cmd == "short-path" && argc > 2) {
        char shortPath[MAX_PATH * 2] = {};
        const DWORD n = GetShortPathNameA(argv[2], shortPath, sizeof shortPath);
        return n > 0 && n < sizeof shortPath && std::printf("%s\n", shortPath) > 0 ? 0 : 1;
    }
    if (cmd == "focus-target") return SetForegroundWindow(FindWindowW(L"QMTarget", nullptr)) ? 0 : 1;
    if (cmd == "edit-target" && argc > 2) {
        const std::wstring title = Wide(argc > 3 ? argv[3] : "QM target");
        HWND target = MakeWindow(L"QMTarget", title.c_str(), TargetProc, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 120);
        g_edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 280, 80, target, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(target);
        SetFocus(g_edit);
        AppendLine(argv[2], std::to_string(reinterpret_cast<ULONG_PTR>(g_edit)));
        return Loop();
    }
    if (cmd == "gettext" && argc > 2) {
        HWND w = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(argv[2], nullptr, 10)));
        wchar_t t[4096] = {};
        SendMessageW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(t));
        return Print(t, "");
    }
    if (cmd == "type" && argc > 3) {
        // Types the UTF-8 text of file argv[3] into the edit field of the window of class argv[2].
        HWND edit = FindWindowExW(top, nullptr, L"EDIT", nullptr);
        std::ifstream f(argv[3], std::ios::binary);
        if (!edit || !f) return 1;
        const std::wstring text = Wide(std::string(std::istreambuf_iterator<char>(f), {}));
        for (size_t i = 0; i + 1 < text.size(); ++i) SendMessageW(edit, WM_CHAR, text[i], 1);
        return 0;
    }
    return 2;
}
