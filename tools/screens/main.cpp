// QmScreens: shows one scene so that scripts/screens.sh can photograph it.
//   QmScreens --list            prints "name<TAB>about" for every scene
//   QmScreens SCENE FOLDER      shows SCENE; once its windows are painted prints
//                               "rect X Y W H" (the screen rectangle around them) and keeps
//                               them up until FOLDER\stop appears (or a minute passes)
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/Startup.h"
#include "model/mGlobal.h"
#include "tools/screens/BuiltSkin.h"
#include "tools/screens/SceneList.h"

namespace {

SceneList AllScenes() {
    SceneList list;
    AddScenesControls(list);
    AddScenesMain(list);
    AddScenesStart(list);
    AddScenesTray(list);
    AddScenesOptions(list);
    AddScenesDialogs(list);
    return list;
}

std::string Narrow(const wchar_t* w) {
    std::string s;
    for (; *w; ++w) s += static_cast<char>(*w < 128 ? *w : '?');
    return s;
}

BOOL CALLBACK RepaintOne(HWND h, LPARAM) {
    if (IsWindowVisible(h)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

BOOL CALLBACK Widen(HWND h, LPARAM lp) {
    auto* all = reinterpret_cast<RECT*>(lp);
    RECT r{};
    if (!IsWindowVisible(h) || !GetWindowRect(h, &r) || IsRectEmpty(&r)) return TRUE;
    UnionRect(all, all, &r);
    return TRUE;
}

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// The scene's windows painted and handed to the display; the rectangle around them.
RECT PaintedRect() {
    const DWORD thread = GetCurrentThreadId();
    Pump();
    EnumThreadWindows(thread, RepaintOne, 0);
    Pump();
    GdiFlush();
    RECT all{};
    EnumThreadWindows(thread, Widen, reinterpret_cast<LPARAM>(&all));
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&all, &all, &screen);
    return all;
}

int Show(const Scene& scene, const std::wstring& folder) {
    mGlobal::AppVersion = Func::ReadAppVersion();  // as the program's start sets it, before any window loads
    ApplyBuiltSkin();  // the skin named by QM_SKIN dresses every window before the scene builds
    auto keep = scene.show();
    const RECT r = PaintedRect();
    if (IsRectEmpty(&r)) {
        std::fprintf(stderr, "scene %s showed no window\n", scene.name.c_str());
        return 1;
    }
    std::printf("rect %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fflush(stdout);
    const std::wstring stop = folder + L"\\stop";
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
    const DWORD start = GetTickCount();
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER && m.hwnd == nullptr && m.wParam == timer) {
            if (GetFileAttributesW(stop.c_str()) != INVALID_FILE_ATTRIBUTES || GetTickCount() - start > 60000) break;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    KillTimer(nullptr, timer);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const SceneList scenes = AllScenes();
    if (argc == 2 && std::wstring(argv[1]) == L"--list") {
        for (const Scene& s : scenes.All()) std::printf("%s\t%s\n", s.name.c_str(), s.about.c_str());
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: QmScreens --list | QmScreens SCENE FOLDER\n");
        return 2;
    }
    const Scene* scene = scenes.Find(Narrow(argv[1]));
    if (!scene) {
        std::fprintf(stderr, "no scene named %s (see --list)\n", Narrow(argv[1]).c_str());
        return 2;
    }
    return Show(*scene, argv[2]);
}
