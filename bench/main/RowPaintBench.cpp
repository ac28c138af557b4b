// Prints how long the main window takes from a captured text to its new row on screen: the
// clipboard watcher's steps (add the clip, redraw the rows, save the clip files) and the paint,
// with a history of 10 and of 10,000 clips loaded from clip files as at a start.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "model/mGlobal.h"
#include "app/mdlInput.h"
#include "windows/Windows.h"

namespace {
using Clock = std::chrono::steady_clock;

// Clip files 1..n in the data folder, written plainly (the store's careful save is not measured).
void WriteClipFiles(const std::string& folder, int n) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 1; i <= n; ++i) {
        const std::wstring text = L"stored clip number " + std::to_wstring(i);
        const std::string path = folder + "Clip" + std::to_string(i) + ".qms";
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
        CloseHandle(f);
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string appData = std::string(temp) + "qm_bench_main_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(appData.c_str(), nullptr);
    SetEnvironmentVariableA("APPDATA", appData.c_str());
    CreateDirectoryA((appData + "\\Quillmate").c_str(), nullptr);
    const std::string clips = appData + "\\Quillmate\\Clips\\";

    fMain().Show();
    for (int n : {10, 10000}) {
        fMain().Delete_All();
        WriteClipFiles(clips, n);
        const auto l0 = Clock::now();
        mdlInput::LoadClips();
        const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - l0).count();
        std::vector<double> total, add, save, paint;
        auto ms = [](Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
        for (int i = 0; i < 21; ++i) {
            const std::u16string text = u"captured text " + std::u16string(1, char16_t(u'a' + i));
            const auto t0 = Clock::now();
            fMain().AddClip(text);
            fMain().RefreshViewedClips();
            const auto t1 = Clock::now();
            mdlInput::SaveClips();
            const auto t2 = Clock::now();
            RedrawWindow(fMain().hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            GdiFlush();
            const auto t3 = Clock::now();
            total.push_back(ms(t0, t3));
            add.push_back(ms(t0, t1));
            save.push_back(ms(t1, t2));
            paint.push_back(ms(t2, t3));
        }
        std::printf("capture to new row painted, %5d clips: median %.2f ms (add %.2f, save %.2f, paint %.2f), "
                    "max %.2f ms; loading them took %.0f ms\n",
                    n, Median(total), Median(add), Median(save), Median(paint),
                    *std::max_element(total.begin(), total.end()), loadMs);
    }
    fMain().Delete_All();
    RemoveDirectoryA(clips.c_str());
    RemoveDirectoryA((appData + "\\Quillmate").c_str());
    RemoveDirectoryA(appData.c_str());
    return 0;
}
