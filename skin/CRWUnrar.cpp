#include "skin/CRWUnrar.h"

#include <cmath>
#include <memory>

#include "rar/UnrarApi.h"
#include "skin/RarLibrary.h"

namespace {

constexpr size_t kCommentBufferSize = 16384;
constexpr int kModeExtract = 0, kModeTest = 1, kModeList = 2;

std::string FieldText(const char* field, size_t size) {
    const char* end = static_cast<const char*>(memchr(field, 0, size));
    return std::string(field, end ? end : field + size);
}

// The library takes paths in the OEM code page; ours are ANSI.
std::string AnsiToOem(const std::string& ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    int m = WideCharToMultiByte(CP_OEMCP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string oem(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, wide.data(), n, oem.data(), m, nullptr, nullptr);
    return oem;
}

SYSTEMTIME DosTimeToDate(UINT dosTime) {
    FILETIME ft{};
    SYSTEMTIME st{};
    if (DosDateTimeToFileTime(HIWORD(dosTime), LOWORD(dosTime), &ft)) FileTimeToSystemTime(&ft, &st);
    return st;
}

std::string OpenErrorText(int32_t code) {
    switch (code) {
    case 11: return "Not enough memory";
    case 12: return "Archive header broken";
    case 13: return "File is not RAR archive";
    case 15: return "Cannot open file";
    default: return "Unknown error";
    }
}

std::string CommentErrorText(int32_t code) {
    switch (code) {
    case 11: return "Not enough memory";
    case 12: return "Broken comment";
    case 14: return "Unknown comment format";
    case 20: return "Buffer too small, comments not completely read";
    default: return "Unknown error";
    }
}

std::string ProcessErrorText(int32_t code, bool passwordUsed) {
    switch (code) {
    case 12: return passwordUsed ? "CRC error - Wrong password?" : "CRC error";
    case 13: return "Bad volume";
    case 14: return "Unknown archive format";
    case 15: return "Volume open error";
    case 16: return "File create error";
    case 17: return "File close error";
    case 18: return "Read error";
    case 19: return "Write error";
    default: return "Unknown error";
    }
}

}  // namespace

double CRWUnrar::LongToUnsigned(int32_t& Value) { return Value < 0 ? Value + 4294967296.0 : Value; }

bool CRWUnrar::ListRarFiles(const std::string& strRarFile, std::vector<std::string>& arrstrFilenames,
                            const std::string& strPassword) {
    return ProcessArchive(strRarFile, kModeList, &arrstrFilenames, "", strPassword);
}

bool CRWUnrar::TestRarFiles(const std::string& strRarFile, const std::string& strPassword) {
    return ProcessArchive(strRarFile, kModeTest, nullptr, "", strPassword);
}

bool CRWUnrar::ExtractRarFiles(const std::string& strRarFile, const std::string& strDestPath,
                               const std::string& strPassword) {
    return ProcessArchive(strRarFile, kModeExtract, nullptr, strDestPath, strPassword);
}

void CRWUnrar::OnProgress(double bytes) {
    processed_ += bytes;
    if (fileSize_ == 0) return;
    double percent = std::nearbyint(processed_ / fileSize_ * 100.0);  // halves to even
    if (percent > static_cast<double>(lastStep_) + intProgressSteps_) {
        double size = fileSize_, done = processed_;
        if (Progress) Progress(size, done);
        // Once per event, whatever the jump.
        lastStep_ = static_cast<int16_t>(lastStep_ + intProgressSteps_);
    }
}

bool CRWUnrar::OnNextVolume(const std::string& name) {
    std::string volume = name;
    bool blnContinue = false;
    if (NextVolumne) NextVolumne(volume, blnContinue);
    return blnContinue;
}

std::string CRWUnrar::OnMissingVolume(const std::string& name) {
    std::string volume = name, newName;
    if (MissingFile) MissingFile(volume, newName);
    return newName;
}

std::string CRWUnrar::OnNeedPassword() {
    passwordUsed_ = true;
    std::string password;
    if (MissingPassword) MissingPassword(password);
    return password;
}

void CRWUnrar::RaiseError(decltype(OpenError)& event, int32_t code, const std::string& text, const std::string& name) {
    strLastErrorMsg_ = text;
    int32_t c = code;
    std::string t = text, n = name;
    if (event) event(c, t, n);
}

void CRWUnrar::ReportOpenError(int32_t code, const std::string& name) {
    RaiseError(OpenError, code, OpenErrorText(code), name);
}

void CRWUnrar::ReportCommentError(int32_t code, const std::string& name) {
    RaiseError(CommentError, code, CommentErrorText(code), name);
}

void CRWUnrar::ReportProcessError(int32_t code, const std::string& name) {
    RaiseError(ProcessError, code, ProcessErrorText(code, passwordUsed_), name);
}

bool CRWUnrar::ProcessArchive(const std::string& strRarFile, int mode, std::vector<std::string>* names,
                              const std::string& destPath, const std::string& password) {
    bool result = false;
    std::string destOem = AnsiToOem(destPath);
    std::string arcName = strRarFile;
    std::string comment(kCommentBufferSize, '\0');
    std::string empty;
    unrar::RAROpenArchiveData data{};
    data.ArcName = arcName.data();
    data.CmtBuf = comment.data();
    data.CmtBufSize = kCommentBufferSize;

    int operation = 0;
    switch (mode) {
    case kModeList: data.OpenMode = 0; operation = 0; break;
    case kModeTest: data.OpenMode = 1; operation = 1; break;
    case kModeExtract: data.OpenMode = 1; operation = 2; break;
    default:
        RaiseError(ProcessError, 5002, "Unknown extracion mode", strRarFile);
        return false;
    }
    // A list that cannot hold even two names is refused before anything is opened.
    if (mode == kModeList && (!names || names->size() <= 1)) {
        RaiseError(ProcessError, 5000, "Supplied array to small to fit all files", "");
        return false;
    }

    const MRWUnrar::RarLibrary& lib = MRWUnrar::Library();
    if (!lib.Loaded()) {
        // Without the library nothing can be opened: reported like any open failure.
        ReportOpenError(21, strRarFile);
        return false;
    }
    HANDLE h = lib.RAROpenArchive(&data);
    if (data.OpenResult != 0 || !h) {
        ReportOpenError(static_cast<int32_t>(data.OpenResult), strRarFile);
        return false;
    }
    lib.RARSetCallback(h, MRWUnrar::RarCallback, reinterpret_cast<LPARAM>(this));
    if (!password.empty()) {
        std::string pw = password;
        lib.RARSetPassword(h, pw.data());
        passwordUsed_ = true;
    }
    if (data.CmtState == 1) {
        std::string name = strRarFile;
        if (CommentFound) CommentFound(name, comment);
    } else if (data.CmtState != 0) {
        ReportCommentError(static_cast<int32_t>(data.CmtState), strRarFile);
    }

    fileSize_ = 0;
    processed_ = 0;
    lastStep_ = 0;
    std::string previous;
    auto header = std::make_unique<unrar::RARHeaderDataEx>();
    int read = lib.RARReadHeaderEx(h, header.get());
    OnNextVolume(FieldText(header->ArcName, sizeof header->ArcName));
    size_t count = 0;
    while (read == 0) {
        std::string fileName = FieldText(header->FileName, sizeof header->FileName);
        if (fileName != previous) {
            // A file that spans several volumes is announced once.
            fileSize_ = MRWUnrar::CombineHiLo(header->UnpSizeHigh, header->UnpSize);
            processed_ = 0;
            lastStep_ = 0;
            std::string name = fileName;
            double size = fileSize_;
            SYSTEMTIME time = DosTimeToDate(header->FileTime);
            auto major = static_cast<int16_t>(header->UnpVer / 10), minor = static_cast<int16_t>(header->UnpVer % 10);
            auto method = static_cast<int32_t>(header->Method), attr = static_cast<int32_t>(header->FileAttr);
            if (ProcessingFile) ProcessingFile(name, size, time, major, minor, method, attr);
            if (mode == kModeList) {
                if (count > names->size() - 1) {  // the count passed the upper bound
                    RaiseError(ProcessError, 5000, "Supplied array to small to fit all files", fileName);
                    result = false;
                    break;
                }
                (*names)[count++] = fileName;
            }
            previous = fileName;
        }
        int code = lib.RARProcessFile(h, operation, operation == 2 ? destOem.data() : empty.data(), empty.data());
        if (code != 0) {
            ReportProcessError(code, fileName);
            result = false;
            break;
        }
        result = true;
        read = lib.RARReadHeaderEx(h, header.get());
    }
    lib.RARCloseArchive(h);
    return result;
}
