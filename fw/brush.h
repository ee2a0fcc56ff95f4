// A GDI brush that deletes itself.
#pragma once

#include <windows.h>

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) : m_hObject(::CreateSolidBrush(colour)) {}
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;
    ~CBrush()
    {
        if (m_hObject != nullptr) ::DeleteObject(m_hObject);
    }

    BOOL CreateSolidBrush(COLORREF colour)
    {
        if (m_hObject != nullptr) return FALSE;
        m_hObject = ::CreateSolidBrush(colour);
        return m_hObject != nullptr;
    }
    operator HBRUSH() const { return m_hObject; }

    HBRUSH m_hObject = nullptr;
};
