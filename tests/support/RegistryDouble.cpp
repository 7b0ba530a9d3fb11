#include "RegistryDouble.h"

#include <algorithm>
#include <cstring>

namespace {

// Key paths and value names compare without regard to letter case; a path
// has no backslash at either end.
std::string Normalised(const std::string& strName)
{
    std::string strResult = strName;
    std::transform(strResult.begin(), strResult.end(), strResult.begin(), [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    });
    return strResult;
}

std::string NormalisedPath(const std::string& strPath)
{
    std::string strResult = Normalised(strPath);
    const auto first = strResult.find_first_not_of('\\');
    if (first == std::string::npos)
        return {};
    const auto last = strResult.find_last_not_of('\\');
    return strResult.substr(first, last - first + 1);
}

bool IsRootKey(HKEY hKey)
{
    return hKey >= HKEY_CLASSES_ROOT && hKey <= HKEY_USERS;
}

} // namespace

void RegistryDouble::SetValue(HKEY root, const std::string& subKey, const std::string& valueName, DWORD type,
                              const QByteArray& data)
{
    m_keys[KeyName(root, NormalisedPath(subKey))][Normalised(valueName)] = Value{type, data};
}

void RegistryDouble::SetString(HKEY root, const std::string& subKey, const std::string& valueName,
                               const std::string& text, bool bTerminated)
{
    QByteArray data(text.data(), static_cast<qsizetype>(text.size()));
    if (bTerminated)
        data.append('\0');
    SetValue(root, subKey, valueName, REG_SZ, data);
}

void RegistryDouble::AddKey(HKEY root, const std::string& subKey)
{
    m_keys[KeyName(root, NormalisedPath(subKey))];
}

LONG RegistryDouble::OpenKey(HKEY hKey, const std::string& subKey, DWORD ulOptions, REGSAM samDesired, HKEY& phkResult)
{
    phkResult = 0;
    LONG result = ERROR_SUCCESS;
    KeyName name;
    if (IsRootKey(hKey)) {
        name = KeyName(hKey, NormalisedPath(subKey));
    } else if (auto parent = m_open.find(hKey); parent != m_open.end()) {
        const std::string strBelow = NormalisedPath(subKey);
        name = parent->second;
        if (!strBelow.empty())
            name.second = name.second.empty() ? strBelow : name.second + '\\' + strBelow;
    } else {
        result = ERROR_INVALID_HANDLE;
    }
    if (result == ERROR_SUCCESS && !m_keys.contains(name))
        result = ERROR_FILE_NOT_FOUND;
    if (result == ERROR_SUCCESS && (samDesired & ~grantedAccess) != 0)
        result = ERROR_ACCESS_DENIED;
    if (result == ERROR_SUCCESS) {
        phkResult = m_nextHandle;
        m_nextHandle += 4;
        m_open[phkResult] = name;
    }
    opens.append(OpenCall{hKey, subKey, ulOptions, samDesired, result, phkResult});
    return result;
}

LONG RegistryDouble::QueryValue(HKEY hKey, const std::string& valueName, DWORD& lpType, BYTE* lpData, DWORD& lpcbData)
{
    const DWORD bufferSize = lpcbData;
    LONG result = ERROR_SUCCESS;
    const auto key = m_open.find(hKey);
    if (key == m_open.end()) {
        result = ERROR_INVALID_HANDLE;
    } else {
        const Values& values = m_keys[key->second];
        const auto value = values.find(Normalised(valueName));
        if (value == values.end()) {
            result = ERROR_FILE_NOT_FOUND;
        } else {
            const Value& stored = value->second;
            const auto size = static_cast<DWORD>(stored.data.size());
            lpType = stored.type;
            lpcbData = size;
            if (lpData && size > bufferSize)
                result = ERROR_MORE_DATA;
            else if (lpData && size > 0)
                std::memcpy(lpData, stored.data.constData(), size);
        }
    }
    queries.append(QueryCall{hKey, valueName, bufferSize, result});
    return result;
}

LONG RegistryDouble::CloseKey(HKEY hKey)
{
    const LONG result = m_open.erase(hKey) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    closes.append(CloseCall{hKey, result});
    return result;
}

QList<HKEY> RegistryDouble::OpenHandles() const
{
    QList<HKEY> handles;
    for (const auto& entry : m_open)
        handles.append(entry.first);
    return handles;
}
