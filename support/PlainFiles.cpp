#include "support/PlainFiles.h"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "support/LinkSafeFiles.h"

namespace {
LinkSafeFiles::Notes Collect(std::vector<std::string>* notes) {
    if (!notes) return {};
    return [notes](std::string line) { notes->push_back(std::move(line)); };
}
}  // namespace

bool FlushToDisk(std::FILE* f) { return std::fflush(f) == 0 && _commit(_fileno(f)) == 0; }

bool NormalFileExists(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (fd.dwFileAttributes & excluded) == 0;
}

bool FolderExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool RemoveFile(const std::string& path, std::vector<std::string>* notes) {
    return LinkSafeFiles(Collect(notes)).Remove(path);
}

bool ReplaceFileWith(const std::string& from, const std::string& to) { return LinkSafeFiles().Replace(from, to); }

bool WriteFileDurably(const std::string& path, std::string_view bytes, std::vector<std::string>* notes) {
    return LinkSafeFiles(Collect(notes)).WriteBytes(path, bytes);
}

FileFlags FlagsOf(const std::string& path) {
    FileFlags f;
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return f;
    const DWORD a = d.dwFileAttributes;
    f.exists = true;
    f.folder = a & FILE_ATTRIBUTE_DIRECTORY;
    f.readOnly = a & FILE_ATTRIBUTE_READONLY;
    f.hidden = a & FILE_ATTRIBUTE_HIDDEN;
    f.system = a & FILE_ATTRIBUTE_SYSTEM;
    f.size = (static_cast<unsigned long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    return f;
}

bool SetHiddenFlag(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && SetFileAttributesA(path.c_str(), a | FILE_ATTRIBUTE_HIDDEN);
}

std::string ExecutablePath() {
    char buf[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n);
}

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ErrorReason(unsigned long code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : "Error " + std::to_string(code) + ".";
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

bool WriteSomeBytes(void* file, const char* data, unsigned long size, unsigned long& written) {
    return WriteFile(file, data, size, &written, nullptr) != FALSE;
}

bool WriteAllBytes(void* file, std::string_view bytes, const WriteSome& writeSome) {
    constexpr size_t kMostPerWrite = 1u << 30;
    for (size_t done = 0; done < bytes.size();) {
        unsigned long written = 0;
        if (!writeSome(file, bytes.data() + done, static_cast<DWORD>(std::min(bytes.size() - done, kMostPerWrite)),
                       written))
            return false;
        if (written == 0) {  // no progress and no reason given
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

std::vector<std::string> ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

#else
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool FlushToDisk(std::FILE* f) { return std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0; }

bool NormalFileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool CreateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }
bool RemoveFile(const std::string& path, std::vector<std::string>*) { return ::unlink(path.c_str()) == 0; }

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    // The rename is only durable once the folder that holds both names is on disk.
    const auto slash = to.find_last_of("/\\");
    const std::string dir = slash == std::string::npos ? "." : to.substr(0, slash + 1);
    const int fd = ::open(dir.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

bool WriteFileDurably(const std::string& path, std::string_view bytes, std::vector<std::string>* notes) {
    // A link or a second name of another file gives way first: the name is unlinked as itself.
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && (S_ISLNK(st.st_mode) || st.st_nlink > 1)) {
        if (::unlink(path.c_str()) != 0) return false;
        if (notes) notes->push_back(">>> A link stood in place of " + path + ": a file of its own took its place");
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0666);
    if (fd < 0) return false;
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ok = ::fsync(fd) == 0 && ok;
    return ::close(fd) == 0 && ok;
}

FileFlags FlagsOf(const std::string& path) {
    FileFlags f;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return f;
    f.exists = true;
    f.folder = S_ISDIR(st.st_mode);
    f.readOnly = (st.st_mode & S_IWUSR) == 0;
    f.size = static_cast<unsigned long long>(st.st_size);
    return f;
}

bool SetHiddenFlag(const std::string&) { return true; }

std::vector<std::string> ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* d = ::opendir(folder.c_str());
    if (!d) return names;
    while (const dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (NormalFileExists(folder + n)) names.push_back(n);
    }
    ::closedir(d);
    return names;
}
#endif
