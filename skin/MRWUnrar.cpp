#include "skin/MRWUnrar.h"

#include <algorithm>
#include <cstring>

#include "rar/UnrarApi.h"
#include "skin/CRWUnrar.h"

namespace MRWUnrar {
namespace {

constexpr UINT kChangeVolume = 0, kProcessData = 1, kNeedPassword = 2;
constexpr LPARAM kVolumeAsk = 0, kVolumeNotify = 1;

// Lets the library fail on the encrypted data instead of asking again.
std::string DummyPassword() {
    char date[64] = {}, time[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string("qM8x!rZ2") + date + " " + time;
}

}  // namespace

int CALLBACK RarCallback(UINT msg, LPARAM UserData, LPARAM P1, LPARAM P2) {
    CRWUnrar& obj = ObjFromPtr(UserData);
    switch (msg) {
    case kChangeVolume: {
        std::string name = PtrToAnsiString(P1);
        if (P2 == kVolumeAsk) {
            std::string newName = obj.OnMissingVolume(name);
            // The library's buffer holds kVolumeNameBufferSize bytes; a longer name is not copied.
            if (newName.empty() || newName.size() + 1 > unrar::kVolumeNameBufferSize || !P1) return -1;
            std::memcpy(reinterpret_cast<char*>(P1), newName.c_str(), newName.size() + 1);
            return 1;
        }
        if (P2 == kVolumeNotify) return obj.OnNextVolume(name) ? 1 : -1;
        return 0;
    }
    case kProcessData:
        obj.OnProgress(static_cast<double>(static_cast<uint32_t>(P2)));
        return 1;
    case kNeedPassword: {
        std::string password = obj.OnNeedPassword();
        if (password.empty()) password = DummyPassword();
        if (P1 && P2 > 0) {
            size_t n = std::min(password.size(), static_cast<size_t>(P2) - 1);
            std::memcpy(reinterpret_cast<char*>(P1), password.data(), n);
            reinterpret_cast<char*>(P1)[n] = '\0';
        }
        return 0;
    }
    default:
        return 0;
    }
}

CRWUnrar& ObjFromPtr(LPARAM pointer) { return *reinterpret_cast<CRWUnrar*>(pointer); }

std::string PtrToAnsiString(LPARAM pointer) {
    if (!pointer) return {};
    return std::string(reinterpret_cast<const char*>(pointer));
}

double CombineHiLo(uint32_t Hi, uint32_t Lo) { return static_cast<double>(Hi) * 4294967296.0 + static_cast<double>(Lo); }

}  // namespace MRWUnrar
