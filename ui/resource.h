// SPDX-License-Identifier: MIT
// Resource identifiers of quorvana.scr, shared by the .rc files and the code.
#pragma once

#include "wnd/null_cursor.h"  // IDC_NULLCURSOR, the fractal window's cursor

#define IDS_DESCRIPTION 1      // string 1: the saver's description for the screen-saver host
#define IDM_ABOUTBOX 0x0010    // system command that opens the About box
#define IDD_ABOUTBOX 100
#define IDD_CONFIG 102
#define IDR_MAINFRAME 128      // icon group: 16, 32 and 64 pixels, 256 colours
#define IDC_SPEED 1002
#define IDC_PREVIEW 1006
#define IDC_BLANK 1008
#define IDC_BLANKGROUP 1009
