#include "rar/dll/SkinDllArchive.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "rar/NameDecoding.h"
#include "rar/dll/SkinDllText.h"

namespace skindll {
namespace {

// Windows callers expect backslashes whatever the archive stored.
template <typename Text>
Text WindowsSeparators(Text name) {
    std::replace(name.begin(), name.end(), typename Text::value_type('/'), typename Text::value_type('\\'));
    return name;
}

}  // namespace

SkinDllArchive::SkinDllArchive() : reader_(opener_) { InstallHooks(); }

int SkinDllArchive::Call(UINT msg, LPARAM p1, LPARAM p2) const {
    return callback_ ? callback_(msg, userData_, p1, p2) : 0;
}

void SkinDllArchive::InstallHooks() {
    qmrar::ReaderHooks& h = reader_.Hooks();
    h.askVolume = [this](std::string& name) {
        if (!callback_) return false;
        std::vector<char> buffer(unrar::kVolumeNameBufferSize, '\0');
        CopyToField(name, buffer.data(), buffer.size());
        if (Call(qmrar::kMsgChangeVolume, reinterpret_cast<LPARAM>(buffer.data()), qmrar::kVolAsk) == -1) return false;
        name = FromBuffer(buffer.data(), buffer.size());
        return !name.empty();
    };
    h.volumeOpened = [this](const std::string& name) {
        std::vector<char> buffer(unrar::kVolumeNameBufferSize, '\0');
        CopyToField(name, buffer.data(), buffer.size());
        return Call(qmrar::kMsgChangeVolume, reinterpret_cast<LPARAM>(buffer.data()), qmrar::kVolNotify) != -1;
    };
    h.processedData = [this](std::span<const uint8_t> bytes) {
        return Call(qmrar::kMsgProcessData, reinterpret_cast<LPARAM>(bytes.data()), static_cast<LPARAM>(bytes.size())) != -1;
    };
    h.needPassword = [this](std::string& password) {
        if (!callback_) return false;
        std::vector<char> buffer(unrar::kPasswordBufferSize, '\0');
        if (Call(qmrar::kMsgNeedPassword, reinterpret_cast<LPARAM>(buffer.data()), static_cast<LPARAM>(buffer.size())) == -1)
            return false;
        password = FromBuffer(buffer.data(), buffer.size());
        return !password.empty();
    };
    h.decodeLegacyName = [](std::string_view bytes) { return ToWide(CP_OEMCP, bytes); };
}

bool SkinDllArchive::Open(unrar::RAROpenArchiveData& data) {
    data.CmtSize = 0;
    data.CmtState = 0;
    if (!data.ArcName) {
        data.OpenResult = qmrar::kEOpen;
        return false;
    }
    mode_ = data.OpenMode == 1 ? qmrar::OpenMode::Extract
            : data.OpenMode == 2 ? qmrar::OpenMode::ListIncSplit
                                 : qmrar::OpenMode::List;
    size_t commentLimit = data.CmtBuf && data.CmtBufSize > 0 ? data.CmtBufSize : 0;
    qmrar::Code r = reader_.Open(data.ArcName, mode_, commentLimit);
    data.OpenResult = r;
    if (r != qmrar::kSuccess) return false;

    const qmrar::ArchiveComment& c = reader_.Comment();
    if (commentLimit > 0 && c.present) {
        std::string text = c.text;
        // RAR5 comments are UTF-8; callers read ANSI.
        if (reader_.Format() == qmrar::ArchiveFormat::Rar5) text = FromWide(CP_ACP, qmrar::Utf8ToUtf16(text));
        qmrar::Code state = c.state;
        if (state == qmrar::kSuccess || state == qmrar::kSmallBuf) {
            if (text.size() >= data.CmtBufSize) state = qmrar::kSmallBuf;
            size_t n = std::min<size_t>(text.size(), data.CmtBufSize - 1);
            std::memcpy(data.CmtBuf, text.data(), n);
            data.CmtBuf[n] = '\0';
            data.CmtSize = static_cast<UINT>(n + 1);  // with its NUL
        }
        data.CmtState = state == qmrar::kSuccess ? 1 : state;
    }
    return true;
}

int SkinDllArchive::ReadHeader(unrar::RARHeaderDataEx& header) {
    qmrar::RarEntry e;
    qmrar::Code r = reader_.ReadHeader(e);
    if (r != qmrar::kSuccess) return r;

    const std::string& volume = reader_.VolumeName();
    CopyToField(volume, header.ArcName, std::size(header.ArcName));
    CopyToField(ToWide(CP_ACP, volume), header.ArcNameW, std::size(header.ArcNameW));
    std::u16string wide = WindowsSeparators(reader_.EntryName(e));
    std::string oem = e.hasWideName ? FromWide(CP_OEMCP, wide) : WindowsSeparators(e.rawName);
    CopyToField(oem, header.FileName, std::size(header.FileName));
    CopyToField(wide, header.FileNameW, std::size(header.FileNameW));
    header.Flags = e.flags;
    header.PackSize = static_cast<UINT>(e.packSize);
    header.PackSizeHigh = static_cast<UINT>(e.packSize >> 32);
    header.UnpSize = static_cast<UINT>(e.unpSize);
    header.UnpSizeHigh = static_cast<UINT>(e.unpSize >> 32);
    header.HostOS = e.hostOs;
    header.FileCRC = e.crc;
    header.FileTime = e.dosTime;
    header.UnpVer = e.unpVer;
    header.Method = e.method;
    header.FileAttr = e.attr;
    header.CmtSize = 0;
    header.CmtState = 0;
    return qmrar::kSuccess;
}

int SkinDllArchive::Process(int operation, const char* destPath, const char* destName) {
    if (operation < 0 || operation > 2) return qmrar::kUnknown;
    qmrar::ExtractTarget target;
    // Both paths come in the OEM code page.
    if (destName && *destName) {
        target.fullPath = std::filesystem::path(ToWide(CP_OEMCP, destName));
    } else if (destPath && *destPath) {
        target.folder = std::filesystem::path(ToWide(CP_OEMCP, destPath));
    } else {
        target.folder = std::filesystem::current_path();
    }
    return reader_.Process(static_cast<qmrar::Operation>(operation), target);
}

void SkinDllArchive::SetCallback(unrar::UNRARCALLBACK callback, LPARAM userData) {
    callback_ = callback;
    userData_ = userData;
}

void SkinDllArchive::SetPassword(const char* password) { reader_.SetPassword(password ? password : ""); }

}  // namespace skindll
