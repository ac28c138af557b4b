// Prints the clip store's figures on a folder of real clip files that the caller seeded:
//   bench_store floor FOLDER      the platform's own cost: listing the folder, opening and reading each file
//   bench_store load FOLDER       loading the history without the cache, settling, loading with the cache
//   bench_store ops FOLDER        captures and deletions: the time until the call returns to the user,
//                                 and the time until the disk has followed
//   bench_store log FOLDER        20,000 log lines, as a start with 10,000 clips writes
//   bench_store create FOLDER     one new file created, written and flushed (the median of seven)
//   bench_store deleteall FOLDER  every clip deleted at once: the time until the disk has followed
//   bench_store deletefloor FOLDER  the platform's own cost of that: DeleteFile on each clip file
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "model/ClipHistory.h"
#include "model/ClipStore.h"
#include "model/ClipStoreWorker.h"
#include "support/mdlLog.h"
#ifdef _WIN32
#include <windows.h>

#include "model/ClipStoreWin32.h"
using RealFiles = ClipStoreWin32;
#else
#include "model/ClipStoreDisk.h"
using RealFiles = ClipStoreDisk;
#endif

namespace {
using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

void Floor(const std::string& folder) {
    RealFiles fs;
    auto t = Clock::now();
    const auto entries = fs.List(folder);
    const double listMs = MsSince(t);
    t = Clock::now();
    size_t files = 0;
    std::vector<char> buf(1 << 16);
    for (const auto& e : entries) {
        if (!e.Normal) continue;
        if (std::FILE* f = std::fopen((folder + e.Name).c_str(), "rb")) {
            while (std::fread(buf.data(), 1, buf.size(), f) > 0) {
            }
            std::fclose(f);
            ++files;
        }
    }
    const double readMs = MsSince(t);
    std::printf("floor: %zu files; listing %.1f ms (%.1f us a file); open + read %.1f ms (%.3f ms a file)\n",
                entries.size(), listMs, 1000 * listMs / static_cast<double>(std::max<size_t>(1, entries.size())),
                readMs, readMs / static_cast<double>(std::max<size_t>(1, files)));
}

#ifdef _WIN32
// The platform's cost of one new file in the folder: created, written, flushed and closed, the
// least a capture can take to be on disk. Median of several, each removed again.
void Create(const std::string& folder) {
    std::vector<double> ms;
    const std::string bytes(160, 'x');
    for (int i = 0; i < 7; ++i) {
        const std::string path = folder + "BenchNew" + std::to_string(i) + ".qms";
        const auto t = Clock::now();
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (h == INVALID_HANDLE_VALUE) return;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        FlushFileBuffers(h);
        CloseHandle(h);
        ms.push_back(MsSince(t));
        DeleteFileA(path.c_str());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("one file create: %.1f ms\n", ms[ms.size() / 2]);
}
#endif

void Load(const std::string& folder) {
    RealFiles fs;
    std::vector<std::string> problems;
    ClipStore cold(fs, folder);
    auto t = Clock::now();
    const size_t n = cold.Load(problems).size();
    const double coldMs = MsSince(t);
    t = Clock::now();
    cold.Settle(problems);
    const double settleMs = MsSince(t);
    ClipStore warm(fs, folder);
    t = Clock::now();
    const size_t again = warm.Load(problems).size();
    const double warmMs = MsSince(t);
    std::printf("load of %zu clips: every file read %.1f ms; settling (listing, cache written) %.1f ms; "
                "with the cache %.1f ms%s\n",
                n, coldMs, settleMs, warmMs, again == n && problems.empty() ? "" : "  (MISMATCH)");
}

// One user action on the history, then the save the program makes: how long until the call
// returns, and until the disk has followed.
void Measure(const char* what, ClipHistory& h, ClipStoreWorker& worker, const std::function<void()>& act) {
    auto t = Clock::now();
    act();
    std::vector<ClipTextRef> texts;
    texts.reserve(h.OldestFirst().size());
    for (const auto& c : h.OldestFirst()) texts.push_back(c.Text);
    worker.Post(std::move(texts));
    const double returnMs = MsSince(t);
    worker.WaitSettled();
    std::printf("%-36s returns in %8.2f ms; disk follows in %9.1f ms\n", what, returnMs, MsSince(t));
}

// `deleteAllOnly`: the deletion of every clip alone, from the history as loaded.
void Ops(const std::string& folder, bool deleteAllOnly) {
    RealFiles fs;
    ClipStore store(fs, folder);
    std::vector<std::string> problems;
    ClipHistory h;
    ClipTextRef last;
    for (const auto& text : store.Load(problems)) h.AddClip(text, u"", u"", false, last);
    const int count = h.ClipCount();
    int serial = 0;
    auto capture = [&] {
        const std::string s = "captured text " + std::to_string(++serial);
        h.AddClip(ClipText(s.begin(), s.end()), u"", u"", false, last);
    };
    const std::string at = " at " + std::to_string(count);
    if (count < ClipHistory::kMaxClips && !deleteAllOnly) {
        // The capture's own file on disk, before the settling that follows it.
        store.Settle(problems);
        capture();
        std::vector<ClipTextRef> texts;
        for (const auto& c : h.OldestFirst()) texts.push_back(c.Text);
        const auto t = Clock::now();
        store.Save(texts, problems);
        std::printf("%-36s its file on disk in %7.2f ms\n", ("capture" + at).c_str(), MsSince(t));
    }
    ClipStoreWorker worker(store, [](const std::vector<std::string>& p) {
        for (const auto& line : p) std::fprintf(stderr, "%s\n", line.c_str());
    }, std::chrono::milliseconds(1));
    worker.Start();
    worker.WaitSettled();
    if (deleteAllOnly) {
        Measure(("delete all" + at).c_str(), h, worker, [&] { h.Delete_All(); });
        worker.Finish();
        return;
    }
    if (count >= ClipHistory::kMaxClips) {
        Measure(("capture" + at + " (the limit)").c_str(), h, worker, capture);
        Measure("second capture at the limit", h, worker, capture);
        worker.Finish();
        return;
    }
    Measure(("capture" + at).c_str(), h, worker, capture);
    if (count < 1000) {
        worker.Finish();
        return;
    }
    Measure(("delete oldest" + at).c_str(), h, worker, [&] {
        h.SetSelected(h.ClipCount() - 1, true);
        h.Delete_Selected();
    });
    Measure(("delete selected (10 spread)" + at).c_str(), h, worker, [&] {
        for (int i = 0; i < 10; ++i) h.SetSelected(i * (h.ClipCount() / 10), true);
        h.Delete_Selected();
    });
    Measure(("delete all" + at).c_str(), h, worker, [&] { h.Delete_All(); });
    worker.Finish();
}

#ifdef _WIN32
void DeleteFloor(const std::string& folder) {
    RealFiles fs;
    std::vector<std::string> names;
    for (const auto& e : fs.List(folder))
        if (e.Name.starts_with("Clip") && e.Name.ends_with(".qms")) names.push_back(folder + e.Name);
    const auto t = Clock::now();
    for (const auto& path : names) DeleteFileA(path.c_str());
    std::printf("delete floor: %zu files in %.1f ms\n", names.size(), MsSince(t));
}
#endif

void Log(const std::string& folder) {
    mdlLog::SetLogFile(folder + "Log.txt");
    mdlLog::DeleteLog();
    const auto t = Clock::now();
    for (int i = 0; i < 10000; ++i) {
        mdlLog::WriteLog("Start adding clip.");
        mdlLog::WriteLog("Clip" + std::to_string(i) + " added.");
    }
    const double ms = MsSince(t);
    mdlLog::DeleteLog();
    std::printf("log: 20000 lines in %.1f ms (%.1f us a line)\n", ms, ms * 1000 / 20000);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_store floor|load|ops FOLDER\n");
        return 2;
    }
    std::string folder = argv[2];
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    if (folder.back() != separator) folder += separator;
    const std::string mode = argv[1];
    if (mode == "floor") Floor(folder);
    else if (mode == "load") Load(folder);
    else if (mode == "ops") Ops(folder, false);
    else if (mode == "log") Log(folder);
    else if (mode == "deleteall") Ops(folder, true);
#ifdef _WIN32
    else if (mode == "create") Create(folder);
    else if (mode == "deletefloor") DeleteFloor(folder);
#endif
    else return 2;
    return 0;
}
