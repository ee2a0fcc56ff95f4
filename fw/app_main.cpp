// SPDX-License-Identifier: MIT
// The program's entry point: everything happens in the application object.
#include <windows.h>

#include "fw/win_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return fw::AfxWinMain(); }
