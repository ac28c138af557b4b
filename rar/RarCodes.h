#pragma once
// RarCodes: the result codes and numbers of the unpacking library's documented interface.
#include <cstdint>

namespace qmrar {

// ERAR_* numbers; the reader core returns them so the DLL passes them through unchanged.
enum Code : int {
    kSuccess = 0,
    kEndArchive = 10,
    kNoMemory = 11,
    kBadData = 12,
    kBadArchive = 13,
    kUnknownFormat = 14,
    kEOpen = 15,
    kECreate = 16,
    kEClose = 17,
    kERead = 18,
    kEWrite = 19,
    kSmallBuf = 20,
    kUnknown = 21,
    kMissingPassword = 22,
};

enum class OpenMode : uint32_t { List = 0, Extract = 1, ListIncSplit = 2 };
enum class Operation : int { Skip = 0, Test = 1, Extract = 2 };

// Header flags as the interface reports them (not the on-disk flags of either format).
inline constexpr uint32_t kFlagSplitBefore = 0x01;
inline constexpr uint32_t kFlagSplitAfter = 0x02;
inline constexpr uint32_t kFlagEncrypted = 0x04;
inline constexpr uint32_t kFlagSolid = 0x10;
inline constexpr uint32_t kFlagDirectory = 0xE0;

// Callback messages and change-volume kinds.
inline constexpr uint32_t kMsgChangeVolume = 0;
inline constexpr uint32_t kMsgProcessData = 1;
inline constexpr uint32_t kMsgNeedPassword = 2;
inline constexpr int kVolAsk = 0;
inline constexpr int kVolNotify = 1;

}  // namespace qmrar
