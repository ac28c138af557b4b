#include "skin/SkinEnvironment.h"

namespace mdlSkin {
namespace {

struct Environment {
    std::string folder;
    std::function<HWND()> owner;
    std::function<void()> end;
};

Environment& Env() {
    static Environment env;
    return env;
}

std::string ExecutableFolder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

}  // namespace

std::string ProgramFolder() { return Env().folder.empty() ? ExecutableFolder() : Env().folder; }
void SetProgramFolder(std::string folder) { Env().folder = std::move(folder); }

void SetOwnerWindow(std::function<HWND()> owner) { Env().owner = std::move(owner); }
HWND OwnerWindow() { return Env().owner ? Env().owner() : nullptr; }

void SetEndProgram(std::function<void()> end) { Env().end = std::move(end); }
void EndProgram() {
    if (Env().end) {
        Env().end();
        return;
    }
    ExitProcess(0);
}

}  // namespace mdlSkin
