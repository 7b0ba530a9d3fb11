#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// Read access to the system registry, under the names of the calls that the
// About box's lookup is written against.
// Keys and values are addressed by narrow (ANSI) strings; handles are 32-bit
// numbers. On this platform there is no registry: the real backend holds no
// keys, so every open fails. Tests install a RegistryDouble instead.

using HKEY = std::uint32_t;
using DWORD = std::uint32_t;
using REGSAM = std::uint32_t;
using LONG = std::int32_t;
using BYTE = unsigned char;

// Predefined root keys.
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// Results.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_MORE_DATA = 234;

// Access rights: the standard right to read the key's security, and the six
// rights specific to keys.
inline constexpr REGSAM READ_CONTROL = 0x20000;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_READ = READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Opens the key subKey below hKey (a root key or a key opened before) and
// puts its handle into phkResult; on failure phkResult is 0.
LONG RegOpenKeyExA(HKEY hKey, const std::string& subKey, DWORD ulOptions, REGSAM samDesired, HKEY& phkResult);

// Reads the value valueName of an open key. lpType receives its type and
// lpcbData, which holds the size of the buffer lpData on entry, its size in
// bytes. A buffer that is too small gets nothing: the result is
// ERROR_MORE_DATA with the size needed. With lpData null only the type and
// size are reported.
LONG RegQueryValueExA(HKEY hKey, const std::string& valueName, DWORD& lpType, BYTE* lpData, DWORD& lpcbData);

// Closes a key opened by RegOpenKeyExA; other handles give ERROR_INVALID_HANDLE.
LONG RegCloseKey(HKEY hKey);

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual LONG OpenKey(HKEY hKey, const std::string& subKey, DWORD ulOptions, REGSAM samDesired, HKEY& phkResult) = 0;
    virtual LONG QueryValue(HKEY hKey, const std::string& valueName, DWORD& lpType, BYTE* lpData, DWORD& lpcbData) = 0;
    virtual LONG CloseKey(HKEY hKey) = 0;
};

// Installs a backend for the registry functions; nullptr restores the real
// one. Returns the previously installed backend (nullptr for the real one).
RegistryBackend* SetRegistry(RegistryBackend* pBackend);

// Test double: keys with named values, each a type and raw bytes. Key paths
// and value names ignore letter case, as the registry does. Records every
// open, query and close; refuses an open that asks for rights beyond
// grantedAccess. Installs itself while it exists.
class RegistryDouble : public RegistryBackend {
public:
    RegistryDouble();
    ~RegistryDouble() override;
    RegistryDouble(const RegistryDouble&) = delete;
    RegistryDouble& operator=(const RegistryDouble&) = delete;

    // Creates the key (if needed) and stores the value's type and bytes.
    void SetValue(HKEY root, const std::string& subKey, const std::string& valueName, DWORD type, const QByteArray& data);
    // A string value, stored with its terminating zero unless bTerminated is false.
    void SetString(HKEY root, const std::string& subKey, const std::string& valueName, const std::string& text,
                   bool bTerminated = true);
    // Creates a key without values.
    void AddKey(HKEY root, const std::string& subKey);

    LONG OpenKey(HKEY hKey, const std::string& subKey, DWORD ulOptions, REGSAM samDesired, HKEY& phkResult) override;
    LONG QueryValue(HKEY hKey, const std::string& valueName, DWORD& lpType, BYTE* lpData, DWORD& lpcbData) override;
    LONG CloseKey(HKEY hKey) override;

    // Keys opened and not closed since.
    QList<HKEY> OpenHandles() const;

    struct OpenCall {
        HKEY hKey;
        std::string subKey;
        DWORD ulOptions;
        REGSAM samDesired;
        LONG result;
        HKEY handle; // 0 when the open failed
    };
    struct QueryCall {
        HKEY hKey;
        std::string valueName;
        DWORD bufferSize; // the size offered on entry
        LONG result;
    };
    struct CloseCall {
        HKEY hKey;
        LONG result;
    };

    REGSAM grantedAccess = KEY_ALL_ACCESS;
    QList<OpenCall> opens;
    QList<QueryCall> queries;
    QList<CloseCall> closes;

private:
    struct Value {
        DWORD type;
        QByteArray data;
    };
    using Values = std::map<std::string, Value>;
    // Keys by root and lower-case path.
    using KeyName = std::pair<HKEY, std::string>;

    std::map<KeyName, Values> m_keys;
    std::map<HKEY, KeyName> m_open;
    HKEY m_nextHandle = 0x100;
    RegistryBackend* m_previous;
};
