#pragma once
// RarLibrary: the six calls of "QMUnpackDLL.dll", loaded at first use and kept until the program ends.
#include "rar/UnrarApi.h"

namespace MRWUnrar {

struct RarLibrary {
    unrar::RAROpenArchiveFn RAROpenArchive = nullptr;
    unrar::RARSetCallbackFn RARSetCallback = nullptr;
    unrar::RARSetPasswordFn RARSetPassword = nullptr;
    unrar::RARReadHeaderExFn RARReadHeaderEx = nullptr;
    unrar::RARProcessFileFn RARProcessFile = nullptr;
    unrar::RARCloseArchiveFn RARCloseArchive = nullptr;
    bool Loaded() const {
        return RAROpenArchive && RARSetCallback && RARSetPassword && RARReadHeaderEx && RARProcessFile &&
               RARCloseArchive;
    }
};

// Found by the normal library search: start-up copies Skin.dll into the system folder under this name.
inline constexpr const char* kLibraryName = "QMUnpackDLL.dll";

const RarLibrary& Library();

}  // namespace MRWUnrar
