#include "skin/RarLibrary.h"

#include "support/mdlLog.h"

namespace MRWUnrar {
namespace {

template <typename F>
F Proc(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

RarLibrary Load() {
    RarLibrary lib;
    // Never freed: a skin change long after start-up calls it again.
    HMODULE module = LoadLibraryA(kLibraryName);
    if (!module) {
        mdlLog::WriteLog(std::string(">>> Can't load ") + kLibraryName);
        return lib;
    }
    lib.RAROpenArchive = Proc<unrar::RAROpenArchiveFn>(module, "RAROpenArchive");
    lib.RARSetCallback = Proc<unrar::RARSetCallbackFn>(module, "RARSetCallback");
    lib.RARSetPassword = Proc<unrar::RARSetPasswordFn>(module, "RARSetPassword");
    lib.RARReadHeaderEx = Proc<unrar::RARReadHeaderExFn>(module, "RARReadHeaderEx");
    lib.RARProcessFile = Proc<unrar::RARProcessFileFn>(module, "RARProcessFile");
    lib.RARCloseArchive = Proc<unrar::RARCloseArchiveFn>(module, "RARCloseArchive");
    return lib;
}

}  // namespace

const RarLibrary& Library() {
    static const RarLibrary lib = Load();
    return lib;
}

}  // namespace MRWUnrar
