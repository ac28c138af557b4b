#pragma once
// UnrarApi: the records, numbers and function types of the documented RAR unpacking interface,
// shared by our library (Skin.dll) and the wrapper that calls it.
#include <windows.h>

#include <cstddef>

namespace unrar {

struct RAROpenArchiveData {
    char* ArcName;
    UINT OpenMode;
    UINT OpenResult;
    char* CmtBuf;
    UINT CmtBufSize;
    UINT CmtSize;
    UINT CmtState;
};

struct RARHeaderDataEx {
    char ArcName[1024];
    wchar_t ArcNameW[1024];
    char FileName[1024];
    wchar_t FileNameW[1024];
    UINT Flags;
    UINT PackSize;
    UINT PackSizeHigh;
    UINT UnpSize;
    UINT UnpSizeHigh;
    UINT HostOS;
    UINT FileCRC;
    UINT FileTime;
    UINT UnpVer;
    UINT Method;
    UINT FileAttr;
    char* CmtBuf;
    UINT CmtBufSize;
    UINT CmtSize;
    UINT CmtState;
    UINT Reserved[1024];
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RAROpenArchiveData) == 28);
static_assert(sizeof(RARHeaderDataEx) == 10300);
static_assert(offsetof(RARHeaderDataEx, FileName) == 3072);
static_assert(offsetof(RARHeaderDataEx, Flags) == 6144);
static_assert(offsetof(RARHeaderDataEx, CmtBuf) == 6188);
static_assert(offsetof(RARHeaderDataEx, Reserved) == 6204);
#endif

// Bytes of RARHeaderDataEx the library writes: everything before Reserved, which later versions of
// the interface reuse for fields of their own.
inline constexpr size_t kHeaderWrittenBytes = offsetof(RARHeaderDataEx, Reserved);

// Size of the volume-name buffer handed to a change-volume callback; a new name must fit with its NUL.
inline constexpr size_t kVolumeNameBufferSize = 1024;
// Size of the password buffer handed to a password callback.
inline constexpr size_t kPasswordBufferSize = 128;

using UNRARCALLBACK = int(CALLBACK*)(UINT msg, LPARAM UserData, LPARAM P1, LPARAM P2);

using RAROpenArchiveFn = HANDLE(PASCAL*)(RAROpenArchiveData*);
using RARCloseArchiveFn = int(PASCAL*)(HANDLE);
using RARReadHeaderExFn = int(PASCAL*)(HANDLE, RARHeaderDataEx*);
using RARProcessFileFn = int(PASCAL*)(HANDLE, int Operation, char* DestPath, char* DestName);
using RARSetCallbackFn = void(PASCAL*)(HANDLE, UNRARCALLBACK, LPARAM UserData);
using RARSetPasswordFn = void(PASCAL*)(HANDLE, char* Password);

}  // namespace unrar
