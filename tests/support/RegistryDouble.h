#pragma once

#include "Registry.h"

#include <QByteArray>
#include <QList>

#include <map>
#include <string>
#include <utility>

// Keys with named values, each a type and raw bytes. Key paths and value
// names ignore letter case, as the registry does. Records every open, query
// and close; refuses an open that asks for rights beyond grantedAccess.
// Takes the real backend's place while it exists.
class RegistryDouble : public ServiceStandIn<RegistryBackend> {
public:
    // Creates the key (if needed) and stores the value's type and bytes.
    void SetValue(HKEY root, const std::string& subKey, const std::string& valueName, DWORD type,
                  const QByteArray& data);
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
};
