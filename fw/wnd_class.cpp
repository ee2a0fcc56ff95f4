// SPDX-License-Identifier: MIT
#include "fw/wnd_class.h"

#include <cstdio>
#include <deque>
#include <string>

#include "fw/wnd.h"

namespace {

// Owns the names of the registered classes; a deque keeps each name's
// storage in place as more are added.
class ClassRegistry {
public:
    ~ClassRegistry()
    {
        for (const std::wstring& name : m_names) ::UnregisterClassW(name.c_str(), ::GetModuleHandleW(nullptr));
    }

    LPCWSTR Register(const std::wstring& name, UINT style, HCURSOR cursor, HBRUSH background, HICON icon)
    {
        for (const std::wstring& known : m_names)
            if (known == name) return known.c_str();
        WNDCLASSW wc{};
        wc.style = style;
        wc.lpfnWndProc = &CWnd::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name.c_str();
        if (::RegisterClassW(&wc) == 0) return nullptr;
        return m_names.emplace_back(name).c_str();
    }

private:
    std::deque<std::wstring> m_names;
};

ClassRegistry& Registry()
{
    static ClassRegistry registry;
    return registry;
}

}  // namespace

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The name spells out the attributes, so equal requests meet the same class.
    wchar_t name[96];
    std::swprintf(name, std::size(name), L"Fw:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    return Registry().Register(name, classStyle, cursor, background, icon);
}

namespace fw {

LPCWSTR DefaultWndClass()
{
    static const LPCWSTR name =
        Registry().Register(L"FwWnd", CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    return name;
}

}  // namespace fw
