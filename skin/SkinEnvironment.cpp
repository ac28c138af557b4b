#include "skin/SkinEnvironment.h"

#include "support/PlainFiles.h"

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
