#pragma once
// PlainFiles: the few file-system questions and moves the settings and clip files need, with
// paths as bytes in the ANSI code page.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// True for an existing file that a directory search for normal files finds: read-only and
// archive files count; hidden and system files and folders do not.
bool NormalFileExists(const std::string& path);
bool FolderExists(const std::string& path);
// True when anything (file of any attributes, folder) has that name.
bool PathExists(const std::string& path);
// Creates one folder; false when it cannot (also when it already exists).
bool CreateFolder(const std::string& path);
// The writes, moves and removals below never reach through a link (LinkSafeFiles): a link in the
// way is replaced or removed as itself, and `notes`, when given, gets a line for each.
bool RemoveFile(const std::string& path, std::vector<std::string>* notes = nullptr);
// Puts `from` in the place of `to` in one step, replacing it, and waits until the move is on
// disk: a reader sees either the old or the new file, never a mixture or nothing. A link at
// `from` is not moved.
bool ReplaceFileWith(const std::string& from, const std::string& to);
// Creates or replaces the file with exactly `bytes` and returns only once it is on disk.
bool WriteFileDurably(const std::string& path, std::string_view bytes, std::vector<std::string>* notes = nullptr);
// Flushes the stream and asks the system to put its data on disk before it returns.
bool FlushToDisk(std::FILE* f);
// What a rewrite of a file must know and keep about it.
struct FileFlags {
    bool exists = false, folder = false, readOnly = false, hidden = false, system = false;
    unsigned long long size = 0;
};
FileFlags FlagsOf(const std::string& path);
// Gives a file the hidden attribute (nothing where files have none).
bool SetHiddenFlag(const std::string& path);
// The names of the files (not folders) in a folder whose path ends with a separator.
std::vector<std::string> ListFiles(const std::string& folder);

#ifdef _WIN32
// The full path of the running program, and its folder without a trailing separator.
std::string ExecutablePath();
std::string ExecutableFolder();
// The system's description of an error code, without its trailing line end.
std::string ErrorReason(unsigned long code);

// One call of the system's write to an open file. It may take fewer bytes than it was given and
// still succeed (a disk with less room than that takes what fits); the write after it then tells why.
using WriteSome = std::function<bool(void* file, const char* data, unsigned long size, unsigned long& written)>;
bool WriteSomeBytes(void* file, const char* data, unsigned long size, unsigned long& written);
// Writes all of `bytes`, writing again whatever a write left; false, with the last error set to
// the system's reason, when it cannot.
bool WriteAllBytes(void* file, std::string_view bytes, const WriteSome& writeSome = WriteSomeBytes);
#endif
