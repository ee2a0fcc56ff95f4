// SPDX-License-Identifier: MIT
#include "fw/win_app.h"

#include <iterator>

#include "fw/registry_key.h"
#include "fw/wnd.h"

namespace {
// The framework's one pointer to the application object, set by its constructor.
CWinApp* s_app = nullptr;
}  // namespace

CWinApp* AfxGetApp() { return s_app; }

CWinApp::CWinApp(LPCWSTR appName)
{
    if (appName != nullptr) {
        m_appName = appName;
        m_pszAppName = m_appName.c_str();
    }
    s_app = this;
}

CWinApp::~CWinApp()
{
    if (s_app == this) s_app = nullptr;
}

const fw::MessageMap* CWinApp::GetThisMessageMap()
{
    static const fw::MessageMap map{CCmdTarget::GetThisMessageMap(), nullptr, nullptr};
    return &map;
}

BOOL CWinApp::InitInstance() { return FALSE; }

int CWinApp::Run()
{
    MSG msg{};
    for (;;) {
        // Idle: nothing is queued, so no handler holds a temporary window object.
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) CWnd::DeleteTempMap();
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

void CWinApp::OnHelp() {}

void CWinApp::InitApplicationName(LPCWSTR modulePath)
{
    if (m_pszAppName != nullptr) return;
    m_appName = fw::AppNameFromModulePath(modulePath);
    m_pszAppName = m_appName.c_str();
}

void CWinApp::SetRegistryKey(LPCWSTR key)
{
    m_registryKey = key;
    m_pszRegistryKey = m_registryKey.c_str();
}

std::wstring CWinApp::SectionPath(LPCWSTR section) const
{
    return L"Software\\" + m_registryKey + L"\\" + m_appName + L"\\" + section;
}

UINT CWinApp::GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue)
{
    if (m_pszRegistryKey == nullptr) return static_cast<UINT>(defaultValue);
    fw::RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, SectionPath(section).c_str())) return static_cast<UINT>(defaultValue);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status =
        ::RegQueryValueExW(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value)
{
    if (m_pszRegistryKey == nullptr) return FALSE;
    fw::RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, SectionPath(section).c_str())) return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExW(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

namespace fw {

std::wstring AppNameFromModulePath(const std::wstring& modulePath)
{
    const std::size_t slash = modulePath.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
    // Only the file name's own extension goes: a dot in a directory name stays out of it.
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

int AfxWinMain()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    wchar_t path[MAX_PATH * 4];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    app->InitApplicationName(length > 0 && length < std::size(path) ? path : L"");
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

}  // namespace fw
