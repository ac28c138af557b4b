#include "support/RegKey.h"

#include <cmath>
#include <cstring>
#include <cwchar>
#include <limits>
#include <vector>

#include "support/SupportError.h"
#include "support/mdlLog.h"

namespace {

constexpr REGSAM kAllAccess = KEY_ALL_ACCESS;
// Registry key names end at 255 characters; value names may be far longer.
constexpr DWORD kNameBuffer = 256;
constexpr DWORD kLongestValueName = 16384;

std::string ToAnsi(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(const char* bytes, size_t count) {
    if (count == 0) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), out.data(), n);
    return out;
}

std::wstring CutAtNul(std::wstring s) {
    const size_t z = s.find(L'\0');
    if (z != std::wstring::npos) s.resize(z);
    return s;
}

HKEY RootHandle(int32_t root) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<uint32_t>(root))); }

bool IsPredefined(HKEY k) { return reinterpret_cast<ULONG_PTR>(k) >= 0x80000000u; }

void Release(HKEY k) {
    // A predefined root is shared by the whole process and is never closed here.
    if (k && !IsPredefined(k)) RegCloseKey(k);
}

SupportError TypeMismatch() { return SupportError(13, ExecutableName(), "Type mismatch"); }
SupportError Overflow() { return SupportError(6, ExecutableName(), "Overflow"); }

std::wstring Trimmed(const std::wstring& s) {
    const size_t a = s.find_first_not_of(L" \t");
    if (a == std::wstring::npos) return {};
    return s.substr(a, s.find_last_not_of(L" \t") - a + 1);
}

double ToDouble(const Variant& v) {
    switch (v.VarType) {
    case Variant::vtEmpty: return 0;
    case Variant::vtI2: case Variant::vtI4: case Variant::vtUI1: case Variant::vtBool:
        return static_cast<double>(v.Int);
    case Variant::vtCY: return static_cast<double>(v.Int) / 10000.0;
    case Variant::vtR4: case Variant::vtR8: case Variant::vtDate: return v.Real;
    case Variant::vtBSTR: {
        const std::wstring t = Trimmed(v.Text);
        if (t.empty()) throw TypeMismatch();
        wchar_t* end = nullptr;
        const double d = std::wcstod(t.c_str(), &end);
        if (end != t.c_str() + t.size()) throw TypeMismatch();
        return d;
    }
    default: throw TypeMismatch();
    }
}

int32_t ToInt32(const Variant& v) {
    if (v.VarType == Variant::vtI2 || v.VarType == Variant::vtI4 || v.VarType == Variant::vtUI1 ||
        v.VarType == Variant::vtBool)
        return static_cast<int32_t>(v.Int);
    const double r = std::nearbyint(ToDouble(v));  // halves to even
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) throw Overflow();
    return static_cast<int32_t>(r);
}

float ToFloat(const Variant& v) {
    const double d = ToDouble(v);
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) throw Overflow();
    return static_cast<float>(d);
}

int64_t ToCurrency(const Variant& v) {
    if (v.VarType == Variant::vtCY) return v.Int;
    const double r = std::nearbyint(ToDouble(v) * 10000.0);
    if (!(std::fabs(r) < 9.2e18)) throw Overflow();
    return static_cast<int64_t>(r);
}

std::wstring ToText(const Variant& v) {
    wchar_t buf[64];
    switch (v.VarType) {
    case Variant::vtEmpty: return L"";
    case Variant::vtBSTR: return v.Text;
    case Variant::vtBool: return v.Int ? L"True" : L"False";
    case Variant::vtI2: case Variant::vtI4: case Variant::vtUI1:
        return std::to_wstring(v.Int);
    case Variant::vtR4: swprintf(buf, 64, L"%.7g", v.Real); return buf;
    case Variant::vtCY: swprintf(buf, 64, L"%.15g", static_cast<double>(v.Int) / 10000.0); return buf;
    case Variant::vtR8: case Variant::vtDate: swprintf(buf, 64, L"%.15g", v.Real); return buf;
    default: throw TypeMismatch();
    }
}

template <class T>
std::vector<BYTE> BytesOf(T value) {
    std::vector<BYTE> b(sizeof value);
    std::memcpy(b.data(), &value, sizeof value);
    return b;
}

template <class T>
T Read(const std::vector<BYTE>& data) {
    T v;
    std::memcpy(&v, data.data(), sizeof v);  // the buffer is padded past every type's size
    return v;
}

// The result type for a registry type and a requested type, as the rows of the reading table.
int32_t ChooseType(DWORD regType, int32_t want, DWORD size) {
    switch (regType) {
    case REG_SZ:
        switch (want) {
        case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 11: case 17: case RegKey::vtByteString:
            return want;
        default: return Variant::vtBSTR;
        }
    case REG_EXPAND_SZ: return want == Variant::vtBSTR ? Variant::vtBSTR : RegKey::vtExpandString;
    case REG_BINARY:
        if (want == Variant::vtBSTR || want == RegKey::vtByteString) return RegKey::vtByteString;
        if ((want == 2 || want == 11) && size == 2) return want;
        if ((want == 3 || want == 4) && size == 4) return want;
        if ((want == 5 || want == 6 || want == 7) && size == 8) return want;
        if (want == 17 && size == 1) return want;
        return size == 4 ? Variant::vtR4 : size == 8 ? Variant::vtR8 : RegKey::vtByteString;
    default:  // REG_DWORD
        switch (want) {
        case 2: case 3: case 11: case 17: case RegKey::vtByteString: return want;
        default: return Variant::vtI4;
        }
    }
}

// 0.0 is 30 December 1899 at midnight.
double OleDate(const SYSTEMTIME& t) {
    const int y = t.wYear - (t.wMonth <= 2), m = t.wMonth, d = t.wDay;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days = era * 146097L + doe - 719468L;  // days since 1970-01-01
    return static_cast<double>(days + 25569) + (t.wHour * 3600 + t.wMinute * 60 + t.wSecond) / 86400.0;
}

}  // namespace

RegKey::RegKey() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&info)) unicode_ = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
}

RegKey::~RegKey() { CloseMe(); }

void RegKey::Init(int32_t Root, const std::wstring& Path, bool Create) {
    CloseMe();
    const std::wstring path = _wcsicmp(Path.c_str(), L"\\") == 0 ? L"" : Path;
    const HKEY root = RootHandle(Root);
    HKEY opened = nullptr;
    if (apiOpenKeyEx(root, path, &opened) == ERROR_SUCCESS) {
        key_ = opened, path_ = path, root_ = Root;
        return;
    }
    if (!Create) return;
    HKEY current = root;
    size_t start = 0;
    for (;;) {  // level by level, empty parts kept
        const size_t cut = path.find(L'\\', start);
        const std::wstring part = path.substr(start, cut == std::wstring::npos ? std::wstring::npos : cut - start);
        HKEY next = nullptr;
        const LONG rc = apiCreateKeyEx(current, part, &next);
        Release(current);
        if (rc != ERROR_SUCCESS) return;
        current = next;
        if (cut == std::wstring::npos) break;
        start = cut + 1;
    }
    key_ = current, path_ = path, root_ = Root;
}

void RegKey::CloseMe() {
    if (!key_) return;
    Release(key_);
    key_ = nullptr, root_ = 0, path_.clear();
}

bool RegKey::DeleteSubKey(const std::wstring& SubKeyName) {
    if (Closed()) return false;
    // No name (or only backslashes) would name this key itself, or on a root the whole hive.
    if (SubKeyName.find_first_not_of(L'\\') == std::wstring::npos) {
        mdlLog::WriteLog(">>> RegKey.DeleteSubKey: no subkey name given, nothing deleted", true);
        return false;
    }
    if (unicode_)
        DeleteKeyTree(RootHandle(root_), path_.empty() ? SubKeyName : path_ + L"\\" + SubKeyName);
    else
        apiDeleteKey(key_, SubKeyName);
    return true;
}

bool RegKey::DeleteMe() {
    if (Closed()) return false;
    const int32_t root = root_;
    const std::wstring path = path_;
    CloseMe();
    // A key bound to the root itself is never deleted: its "tree" would be every key of the root.
    if (path.empty()) {
        mdlLog::WriteLog(">>> RegKey.DeleteMe: a key on a root is never deleted, only closed", true);
        return false;
    }
    if (unicode_)
        DeleteKeyTree(RootHandle(root), path);
    else
        apiDeleteKey(RootHandle(root), path);
    return true;
}

void RegKey::DeleteValue(const std::wstring& ValueName) {
    if (!Closed()) apiDeleteValue(key_, ValueName);
}

std::unique_ptr<RegKey> RegKey::Root() const {
    if (Closed()) return nullptr;
    auto k = std::make_unique<RegKey>();
    k->Init(root_, L"", true);
    return k;
}

Variant RegKey::EnumChildValues() const { return Closed() ? Variant{} : EnumValueNames(key_); }
Variant RegKey::EnumSubKeys() const { return Closed() ? Variant{} : EnumKeyNames(key_); }

double RegKey::LastModified() const { return unicode_ && !Closed() ? GetKeyWriteTime(key_) : 0.0; }

std::unique_ptr<RegKey> RegKey::OpenKey(const std::wstring& path, bool CreateIfDoesnotExists, bool InThisObject) {
    const std::wstring full = NormalizePath(path_ + L"\\" + NormalizePath(path));
    if (InThisObject) {
        Init(root_, full, CreateIfDoesnotExists);
        return nullptr;
    }
    auto k = std::make_unique<RegKey>();
    k->Init(root_, full, CreateIfDoesnotExists);
    return k;
}

std::unique_ptr<RegKey> RegKey::Parent() const {
    if (Closed() || path_.empty()) return nullptr;
    const size_t cut = path_.rfind(L'\\');
    auto k = std::make_unique<RegKey>();
    k->Init(root_, cut == std::wstring::npos ? L"\\" : path_.substr(0, cut), true);
    return k;
}

bool RegKey::SubKeyExists(const std::wstring& SubKeyName) const {
    if (Closed()) return false;
    HKEY sub = nullptr;
    const bool ok = apiOpenKeyEx(key_, SubKeyName, &sub) == ERROR_SUCCESS;
    if (sub) RegCloseKey(sub);
    return ok;
}

bool RegKey::ValueExists(const std::wstring& ValueName) const {
    return !Closed() && QueryValueInfo(key_, ValueName).has_value();
}

int32_t RegKey::ValueType(const std::wstring& ValueName) const {
    if (Closed()) return 0;
    const auto info = QueryValueInfo(key_, ValueName);
    return info ? static_cast<int32_t>(info->type) : 0;
}

Variant RegKey::Value(const std::wstring& ValueName, int32_t VarType, const std::optional<Variant>& Default) const {
    if (Closed()) return {};
    Variant result = Default.value_or(Variant{});
    const auto info = QueryValueInfo(key_, ValueName);
    if (!info || info->type < REG_SZ || info->type > REG_DWORD) return result;

    // Padded so that a numeric type asked of a shorter value reads zeros, never past the data.
    std::vector<BYTE> data(std::max<DWORD>(info->size, 1) + 8, 0);
    DWORD size = std::max<DWORD>(info->size, 1);
    apiQueryValueEx(key_, ValueName, nullptr, data.data(), &size);

    const int32_t code = ChooseType(info->type, VarType, info->size);
    switch (code) {
    case Variant::vtI2: return Variant::I2(Read<int16_t>(data));
    case Variant::vtBool: {
        Variant b = Variant::Bool(false);
        b.Int = Read<int16_t>(data);  // bit for bit: true is -1
        return b;
    }
    case Variant::vtI4: return Variant::I4(Read<int32_t>(data));
    case Variant::vtR4: return Variant::R4(Read<float>(data));
    case Variant::vtR8: return Variant::R8(Read<double>(data));
    case Variant::vtCY: return Variant::Currency(Read<int64_t>(data));
    case Variant::vtDate: return Variant::Date(Read<double>(data));
    case Variant::vtUI1: return Variant::UI1(data[0]);
    default: break;
    }
    const auto* bytes = reinterpret_cast<const char*>(data.data());
    std::wstring text;
    if (code == vtByteString || !unicode_)
        text = FromAnsi(bytes, info->size);
    else  // an odd last byte is not part of the text
        text.assign(reinterpret_cast<const wchar_t*>(bytes), info->size / 2);
    text = CutAtNul(std::move(text));
    if (code == vtExpandString) text = CutAtNul(apiExpandEnvStrings(text));
    return Variant::Str(std::move(text));
}

void RegKey::SetValue(const std::wstring& ValueName, int32_t VarType, const Variant& NewValue) {
    if (Closed()) return;
    int32_t code = VarType;
    if (code == 0) {
        code = NewValue.VarType;
        switch (code) {
        case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 11: case 17: break;
        default: throw SupportError::InvalidCall();
        }
    }
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    auto text = [&](DWORD regType) {
        type = regType;
        const std::wstring t = ToText(NewValue);
        if (unicode_) {
            bytes.resize(2 * (t.size() + 1), 0);
            std::memcpy(bytes.data(), t.data(), 2 * t.size());
        } else {
            const std::string a = ToAnsi(t);
            bytes.assign(a.begin(), a.end());
            bytes.push_back(0);
        }
    };
    switch (code) {
    case 2: case 3: case 11: case 17: type = REG_DWORD, bytes = BytesOf(ToInt32(NewValue)); break;
    case 4: type = REG_BINARY, bytes = BytesOf(ToFloat(NewValue)); break;
    case 5: case 7: type = REG_BINARY, bytes = BytesOf(ToDouble(NewValue)); break;
    case 6: type = REG_BINARY, bytes = BytesOf(ToCurrency(NewValue)); break;
    case 8: text(REG_SZ); break;
    case vtExpandString: text(REG_EXPAND_SZ); break;
    case vtByteString: {
        type = REG_BINARY;
        const std::string a = ToAnsi(ToText(NewValue));
        bytes.assign(a.begin(), a.end());
        break;
    }
    default: break;  // REG_NONE, no bytes
    }
    apiSetValueEx(key_, ValueName, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void RegKey::DeleteKeyTree(HKEY root, const std::wstring& path) const {
    HKEY key = nullptr;
    if (apiOpenKeyEx(root, path, &key) != ERROR_SUCCESS) return;
    const Variant names = EnumKeyNames(key);
    RegCloseKey(key);
    for (const auto& name : names.Names) DeleteKeyTree(root, path.empty() ? name : path + L"\\" + name);
    apiDeleteKey(root, path);
}

Variant RegKey::EnumKeyNames(HKEY key) const {
    std::vector<std::wstring> names;
    std::wstring name;
    for (DWORD i = 0; apiEnumKeyEx(key, i, name) == ERROR_SUCCESS; ++i) names.push_back(name);
    return names.empty() ? Variant{} : Variant::StrArray(std::move(names));
}

Variant RegKey::EnumValueNames(HKEY key) const {
    std::vector<std::wstring> names;
    std::wstring name;
    for (DWORD i = 0; apiEnumValue(key, i, name) == ERROR_SUCCESS; ++i) names.push_back(name);
    return names.empty() ? Variant{} : Variant::StrArray(std::move(names));
}

std::wstring RegKey::NormalizePath(const std::wstring& path) {
    std::wstring p = path;
    if (!p.empty() && p.front() == L'\\') p.erase(0, 1);
    if (!p.empty() && p.back() == L'\\') p.pop_back();
    return p.empty() ? L"\\" : p;
}

double RegKey::GetKeyWriteTime(HKEY key) {
    FILETIME written{}, local{};
    SYSTEMTIME t{};
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, &written) != ERROR_SUCCESS)
        return 0.0;
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &t)) return 0.0;
    return OleDate(t);
}

std::optional<RegKey::ValueInfo> RegKey::QueryValueInfo(HKEY key, const std::wstring& name) const {
    ValueInfo info;
    if (apiQueryValueEx(key, name, &info.type, nullptr, &info.size) != ERROR_SUCCESS) return std::nullopt;
    return info;
}

LONG RegKey::apiOpenKeyEx(HKEY key, const std::wstring& sub, HKEY* out) const {
    return unicode_ ? RegOpenKeyExW(key, sub.c_str(), 0, kAllAccess, out)
                    : RegOpenKeyExA(key, ToAnsi(sub).c_str(), 0, kAllAccess, out);
}

LONG RegKey::apiCreateKeyEx(HKEY key, const std::wstring& sub, HKEY* out) const {
    DWORD disposition = 0;
    return unicode_ ? RegCreateKeyExW(key, sub.c_str(), 0, nullptr, 0, kAllAccess, nullptr, out, &disposition)
                    : RegCreateKeyExA(key, ToAnsi(sub).c_str(), 0, nullptr, 0, kAllAccess, nullptr, out, &disposition);
}

LONG RegKey::apiDeleteKey(HKEY key, const std::wstring& sub) const {
    return unicode_ ? RegDeleteKeyW(key, sub.c_str()) : RegDeleteKeyA(key, ToAnsi(sub).c_str());
}

LONG RegKey::apiDeleteValue(HKEY key, const std::wstring& name) const {
    return unicode_ ? RegDeleteValueW(key, name.c_str()) : RegDeleteValueA(key, ToAnsi(name).c_str());
}

LONG RegKey::apiQueryValueEx(HKEY key, const std::wstring& name, DWORD* type, BYTE* data, DWORD* size) const {
    return unicode_ ? RegQueryValueExW(key, name.c_str(), nullptr, type, data, size)
                    : RegQueryValueExA(key, ToAnsi(name).c_str(), nullptr, type, data, size);
}

LONG RegKey::apiSetValueEx(HKEY key, const std::wstring& name, DWORD type, const BYTE* data, DWORD size) const {
    return unicode_ ? RegSetValueExW(key, name.c_str(), 0, type, data, size)
                    : RegSetValueExA(key, ToAnsi(name).c_str(), 0, type, data, size);
}

// A value name longer than the usual buffer is read again with room for the longest one, so
// that it does not end the listing early.
LONG RegKey::apiEnumValue(HKEY key, DWORD index, std::wstring& name) const {
    for (DWORD capacity : {kNameBuffer, kLongestValueName}) {
        DWORD len = capacity;
        LONG rc;
        if (unicode_) {
            std::wstring buf(capacity, L'\0');
            rc = RegEnumValueW(key, index, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_SUCCESS) name.assign(buf.data(), len);
        } else {
            std::string buf(capacity, '\0');
            rc = RegEnumValueA(key, index, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_SUCCESS) name = FromAnsi(buf.data(), len);
        }
        if (rc != ERROR_MORE_DATA) return rc;
    }
    return ERROR_MORE_DATA;
}

LONG RegKey::apiEnumKeyEx(HKEY key, DWORD index, std::wstring& name) const {
    DWORD len = kNameBuffer;
    LONG rc;
    if (unicode_) {
        wchar_t buf[kNameBuffer] = {};
        rc = RegEnumKeyExW(key, index, buf, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS) name.assign(buf, len);
    } else {
        char buf[kNameBuffer] = {};
        rc = RegEnumKeyExA(key, index, buf, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS) name = FromAnsi(buf, len);
    }
    return rc;
}

// The buffer grows to what the platform asks for, so long expansions are not cut.
std::wstring RegKey::apiExpandEnvStrings(const std::wstring& text) const {
    DWORD capacity = kNameBuffer;
    for (int tries = 0; tries < 3; ++tries) {
        DWORD n;
        if (unicode_) {
            std::wstring buf(capacity, L'\0');
            n = ExpandEnvironmentStringsW(text.c_str(), buf.data(), capacity);
            if (n && n <= capacity) return buf.substr(0, n);
        } else {
            std::string buf(capacity, '\0');
            n = ExpandEnvironmentStringsA(ToAnsi(text).c_str(), buf.data(), capacity);
            if (n && n <= capacity) return FromAnsi(buf.data(), n);
        }
        if (n == 0) return text;
        capacity = n;
    }
    return text;
}
