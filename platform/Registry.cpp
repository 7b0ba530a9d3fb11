#include "Registry.h"

namespace {

// This platform has no registry: no key can be opened, and so no handle is
// ever valid.
class NoRegistry : public RegistryBackend {
public:
    LONG OpenKey(HKEY, const std::string&, DWORD, REGSAM, HKEY& phkResult) override
    {
        phkResult = 0;
        return ERROR_FILE_NOT_FOUND;
    }
    LONG QueryValue(HKEY, const std::string&, DWORD&, BYTE*, DWORD&) override { return ERROR_INVALID_HANDLE; }
    LONG CloseKey(HKEY) override { return ERROR_INVALID_HANDLE; }
};

} // namespace

template <>
RegistryBackend& ServiceSlot<RegistryBackend>::Real()
{
    static NoRegistry registry;
    return registry;
}

LONG RegOpenKeyExA(HKEY hKey, const std::string& subKey, DWORD ulOptions, REGSAM samDesired, HKEY& phkResult)
{
    return ServiceSlot<RegistryBackend>::Current().OpenKey(hKey, subKey, ulOptions, samDesired, phkResult);
}

LONG RegQueryValueExA(HKEY hKey, const std::string& valueName, DWORD& lpType, BYTE* lpData, DWORD& lpcbData)
{
    return ServiceSlot<RegistryBackend>::Current().QueryValue(hKey, valueName, lpType, lpData, lpcbData);
}

LONG RegCloseKey(HKEY hKey)
{
    return ServiceSlot<RegistryBackend>::Current().CloseKey(hKey);
}
