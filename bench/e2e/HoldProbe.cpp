// bench_hold CLASS FOLDER: asks the top-level window of class CLASS for an answer (WM_NULL with a
// 5 ms timeout, as a program waiting on it would) again and again, from when it writes
// FOLDER\ready until FOLDER\stop exists, and prints the longest time in milliseconds between two
// answers: how long the window's thread was held at most meanwhile.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HWND w = FindWindowA(argv[1], nullptr);
    if (!w) return 1;
    const std::string folder = argv[2];
    const std::string stop = folder + "\\stop";
    using Clock = std::chrono::steady_clock;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer)) return 1;
    if (FILE* f = std::fopen((folder + "\\ready").c_str(), "w")) std::fclose(f);
    auto last = Clock::now();
    Clock::duration longest{};
    while (GetFileAttributesA(stop.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 5, &answer)) {
            const auto now = Clock::now();
            if (now - last > longest) longest = now - last;
            last = now;
            Sleep(1);
        } else if (!IsWindow(w)) {
            return 1;
        }
    }
    std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(longest).count()));
    return 0;
}
