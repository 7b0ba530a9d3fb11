#pragma once

#include "ServiceSlot.h"

#include <cstdint>
#include <string>

// Read access to the system registry, under the names of the calls that the
// About box's lookup is written against.
// Keys and values are addressed by narrow (ANSI) strings; handles are 32-bit
// numbers. On this platform there is no registry: the real backend holds no
// keys, so every open fails.

using HKEY = std::uint32_t;
using DWORD = std::uint32_t;
using REGSAM = std::uint32_t;
using LONG = std::int32_t;
using BYTE = unsigned char;

// Predefined root keys.
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
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

template <>
RegistryBackend& ServiceSlot<RegistryBackend>::Real();
