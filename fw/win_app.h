// SPDX-License-Identifier: MIT
// CWinApp: the application object and the program's entry point. The one
// object of a class derived from CWinApp is constructed during static
// initialisation; the entry point then names the application, calls
// InitInstance once and either runs the message loop (TRUE) or goes straight
// to ExitInstance (FALSE). ExitInstance's result is the process's exit code:
// the quit message's code after a message loop, m_nExitCode otherwise.
//
// Settings: after SetRegistryKey(key), GetProfileInt / WriteProfileInt work
// on 32-bit integers (REG_DWORD) under
// HKEY_CURRENT_USER\Software\<key>\<application name>\<section>. The
// application name, unless the constructor was given one, is the program
// file's name without directory and extension, so every installed copy of
// the program has settings of its own.
#pragma once

#include <string>

#include <windows.h>

#include "fw/cmd_target.h"

class CWnd;

// The framework's standard help command.
inline constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Selects the registry for the profile functions.
    void SetRegistryKey(LPCWSTR key);
    // The stored value, or defaultValue when it is missing, not a REG_DWORD
    // or no registry key has been selected.
    UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue);
    // Stores value as a REG_DWORD, creating the keys as needed.
    BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value);

    // The standard help command: there is no help file, so it shows nothing.
    void OnHelp();

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

    CWnd* m_pMainWnd = nullptr;
    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;

    // Sets the application name from the module's file name when none was
    // given; the entry point calls it before InitInstance.
    void InitApplicationName(LPCWSTR modulePath);

protected:
    // The exit code when InitInstance fails; the quit message's code after a loop.
    int m_nExitCode = 0;

private:
    std::wstring SectionPath(LPCWSTR section) const;

    std::wstring m_appName;
    std::wstring m_registryKey;
};

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

namespace fw {
// The program's application name without a registry key or window: the file
// name of modulePath without directory and without its last extension.
std::wstring AppNameFromModulePath(const std::wstring& modulePath);
// The framework's program start; wWinMain calls it.
int AfxWinMain();
}  // namespace fw
