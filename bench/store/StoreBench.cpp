// Prints what saving the clip files costs after one capture, next to rewriting every file (what
// each capture cost before), and what loading a stored history costs at start-up.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ClipHistory.h"
#include "app/ClipStore.h"
#ifdef _WIN32
#include "app/ClipStoreWin32.h"
using RealFiles = ClipStoreWin32;
#else
#include "app/ClipStoreDisk.h"
using RealFiles = ClipStoreDisk;
#endif

namespace {
using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

ClipText TextOf(int i) {
    // About 80 characters, as a copied sentence or a path would be.
    const std::string s = "clip number " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog, twice.";
    return ClipText(s.begin(), s.end());
}

// The way every capture was saved before: delete every file, then write every file again.
double FullRewriteMs(ClipStoreFileSystem& fs, ClipStore& paths, const std::vector<ClipRecord>& history) {
    const auto t = Clock::now();
    for (int n = 1; fs.Exists(paths.ClipPath(n)); ++n) fs.Remove(paths.ClipPath(n));
    int n = 0;
    for (const auto& clip : history) fs.WriteDurably(paths.ClipPath(++n), clip.Text);
    return MsSince(t);
}

void Clear(ClipStoreFileSystem& fs, const std::string& folder) {
    for (const auto& name : fs.List(folder)) fs.Remove(folder + name);
}
}  // namespace

int main(int argc, char** argv) {
    const std::string folder = (argc > 1 ? std::string(argv[1]) : std::string("qm_store_bench")) + "/";
    RealFiles fs;
    fs.CreateFolder(folder);
    std::printf("%8s %14s %14s %9s %12s %12s %14s %14s\n", "clips", "capture ms", "rewrite ms", "ratio",
                "del new ms", "del old ms", "load files ms", "load+model ms");
    for (int count : {100, 1000, 10000}) {
        Clear(fs, folder);
        std::vector<ClipRecord> history;
        for (int i = 1; i <= count; ++i) history.push_back(ClipRecord{1, TextOf(i), u"", u"", false});
        std::vector<std::string> problems;
        {
            ClipStore seed(fs, folder);
            seed.Save(history, problems);
        }

        // Start-up: the files alone, then the files handed to the history model one by one.
        ClipStore store(fs, folder);
        auto t = Clock::now();
        const std::vector<ClipText> texts = store.Load(problems);
        const double loadMs = MsSince(t);
        t = Clock::now();
        ClipHistory model;
        ClipText last;
        for (const auto& text : ClipStore(fs, folder).Load(problems)) model.AddClip(text, u"", u"", false, last);
        const double loadModelMs = MsSince(t);
        if (static_cast<int>(texts.size()) != count || model.ClipCount() != count) {
            std::fprintf(stderr, "loaded %zu of %d clips\n", texts.size(), count);
            return 1;
        }

        // Captures, each followed by the save the program makes.
        const int captures = 20;
        double captureMs = 0;
        for (int c = 0; c < captures; ++c) {
            history.push_back(ClipRecord{1, TextOf(count + 1 + c), u"", u"", false});
            t = Clock::now();
            store.Save(history, problems);
            captureMs += MsSince(t) / captures;
        }

        // Deletes: the newest clip (one file goes) and the oldest (every number moves down).
        history.pop_back();
        t = Clock::now();
        store.Save(history, problems);
        const double delNewMs = MsSince(t);
        history.erase(history.begin());
        t = Clock::now();
        store.Save(history, problems);
        const double delOldMs = MsSince(t);

        const double rewriteMs = FullRewriteMs(fs, store, history);
        std::printf("%8d %14.3f %14.1f %8.0fx %12.3f %12.1f %14.1f %14.1f\n", count, captureMs, rewriteMs,
                    rewriteMs / captureMs, delNewMs, delOldMs, loadMs, loadModelMs);
        if (!problems.empty()) std::fprintf(stderr, "%s\n", problems.front().c_str());
    }
    Clear(fs, folder);
    return 0;
}
