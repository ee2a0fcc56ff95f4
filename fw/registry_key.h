// SPDX-License-Identifier: MIT
// An open registry key that closes itself.
#pragma once

#include <windows.h>

namespace fw {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (m_key != nullptr) ::RegCloseKey(m_key);
    }

    // Opens for reading; false when the key does not exist.
    [[nodiscard]] bool Open(HKEY parent, LPCWSTR path)
    {
        return ::RegOpenKeyExW(parent, path, 0, KEY_QUERY_VALUE, &m_key) == ERROR_SUCCESS;
    }
    // Opens for writing, creating the key and its parents as needed.
    [[nodiscard]] bool Create(HKEY parent, LPCWSTR path)
    {
        return ::RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &m_key,
                                 nullptr) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace fw
