#include "skin/SkinEnvironment.h"

#include "skin/SkinTargets.h"
#include "support/PlainFiles.h"

namespace mdlSkin {
namespace {

struct Environment {
    std::string folder;
    std::function<HWND()> owner;
    std::function<void()> end;
    std::function<SkinTargets&()> targets;
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

void SetSkinTargets(std::function<SkinTargets&()> targets) { Env().targets = std::move(targets); }
SkinTargets& Targets() {
    static SkinTargetTable none;
    return Env().targets ? Env().targets() : none;
}

}  // namespace mdlSkin
