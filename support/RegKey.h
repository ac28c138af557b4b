#pragma once
// RegKey: one open key of the registry below a predefined root: its values read and written
// with conversions between registry types and variants, its value and subkey names, and the
// deletion of values, subkeys and whole trees. Platform failures come back as results (a closed
// key, false, 0, empty); only writing a value of no storable type raises an error.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "support/Variant.h"

class RegKey {
public:
    // The class's own type codes for strings: one with environment references, one stored as
    // the raw bytes of its ANSI text.
    static constexpr int32_t vtExpandString = 265;
    static constexpr int32_t vtByteString = 266;
    static constexpr int32_t kHkeyCurrentUser = static_cast<int32_t>(0x80000001u);

    RegKey();
    ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // NT family: the subkey and everything below it; otherwise one delete of the subkey. False,
    // with a log line, when no name is given: that would be this key itself.
    bool DeleteSubKey(const std::wstring& SubKeyName);
    // Closes this key, then deletes it (with its tree on the NT family); the object ends closed.
    // False, with a log line, for a key on a root: only closed.
    bool DeleteMe();
    void CloseMe();
    void DeleteValue(const std::wstring& ValueName);
    // A second key on this key's root itself; null when closed.
    std::unique_ptr<RegKey> Root() const;
    bool Closed() const { return key_ == nullptr; }
    // The names of the values, or of the subkeys, as a string array; empty when there are none.
    Variant EnumChildValues() const;
    Variant EnumSubKeys() const;
    // The key's last write time as a local OLE date; 0 when closed or not NT.
    double LastModified() const;
    // Opens path below this key. With InThisObject this object is rebound and nothing new is
    // returned; otherwise a new key (closed when the key could not be opened or created).
    std::unique_ptr<RegKey> OpenKey(const std::wstring& path, bool CreateIfDoesnotExists = false,
                                    bool InThisObject = false);
    // A key on the path up to its last "\" (the root itself for a one-level path); null when
    // closed or at the root.
    std::unique_ptr<RegKey> Parent() const;
    const std::wstring& path() const { return path_; }
    int32_t RootKey() const { return root_; }
    bool SubKeyExists(const std::wstring& SubKeyName) const;
    bool ValueExists(const std::wstring& ValueName) const;
    int32_t ValueType(const std::wstring& ValueName) const;
    // VarType 0 lets the registry type choose; Default is the result when the value is missing.
    Variant Value(const std::wstring& ValueName = L"", int32_t VarType = 0,
                  const std::optional<Variant>& Default = std::nullopt) const;
    // VarType 0 takes the new value's own type; a value of no storable type raises error 5.
    void SetValue(const std::wstring& ValueName, int32_t VarType, const Variant& NewValue);
    void SetValue(const std::wstring& ValueName, const Variant& NewValue) { SetValue(ValueName, 0, NewValue); }

    // Binds the object to Root + Path, creating missing levels one by one when Create is set.
    void Init(int32_t Root, const std::wstring& Path, bool Create);

    // True when the wide registry functions are used (the NT family).
    bool Unicode() const { return unicode_; }

private:
    struct ValueInfo {
        DWORD type = 0;
        DWORD size = 0;
    };
    void DeleteKeyTree(HKEY root, const std::wstring& path) const;
    Variant EnumKeyNames(HKEY key) const;
    Variant EnumValueNames(HKEY key) const;
    static std::wstring NormalizePath(const std::wstring& path);
    static double GetKeyWriteTime(HKEY key);
    std::optional<ValueInfo> QueryValueInfo(HKEY key, const std::wstring& name) const;

    // The platform's functions, wide or ANSI by the Unicode flag.
    LONG apiOpenKeyEx(HKEY key, const std::wstring& sub, HKEY* out) const;
    LONG apiCreateKeyEx(HKEY key, const std::wstring& sub, HKEY* out) const;
    LONG apiDeleteKey(HKEY key, const std::wstring& sub) const;
    LONG apiDeleteValue(HKEY key, const std::wstring& name) const;
    LONG apiQueryValueEx(HKEY key, const std::wstring& name, DWORD* type, BYTE* data, DWORD* size) const;
    LONG apiSetValueEx(HKEY key, const std::wstring& name, DWORD type, const BYTE* data, DWORD size) const;
    LONG apiEnumValue(HKEY key, DWORD index, std::wstring& name) const;
    LONG apiEnumKeyEx(HKEY key, DWORD index, std::wstring& name) const;
    std::wstring apiExpandEnvStrings(const std::wstring& text) const;

    HKEY key_ = nullptr;
    std::wstring path_;
    int32_t root_ = 0;
    bool unicode_ = true;
};
