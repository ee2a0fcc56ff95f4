// SPDX-License-Identifier: MIT
// Window classes of the framework. Every class uses the framework's window
// procedure (CWnd::WndProc). Registered classes stay registered, and their
// names valid, for the rest of the process; they are unregistered at exit.
#pragma once

#include <windows.h>

// Registers (or finds) a class with these attributes and returns its name,
// or null when it cannot be registered. The same attributes always give the
// same class and the same pointer.
[[nodiscard]] LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                         HBRUSH background = nullptr, HICON icon = nullptr);

namespace fw {
// The class a window gets when it is created without a class name:
// double clicks, the arrow cursor, no background brush, no icon.
[[nodiscard]] LPCWSTR DefaultWndClass();
}  // namespace fw
