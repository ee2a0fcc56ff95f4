// SPDX-License-Identifier: MIT
// Device contexts that release themselves: CPaintDC for a WM_PAINT handler
// (BeginPaint / EndPaint; m_ps.rcPaint is the region being repainted) and
// CClientDC for drawing on the client area outside WM_PAINT.
#pragma once

#include <windows.h>

class CWnd;

class CDC {
public:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }

protected:
    CDC() = default;
    ~CDC() = default;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC();

private:
    HWND m_hWnd;
};
