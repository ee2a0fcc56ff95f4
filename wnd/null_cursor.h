// SPDX-License-Identifier: MIT
// The one resource the fractal window takes from the program: the invisible
// cursor of its window class. The program's resource script includes this
// header and binds a cursor to the id (a 32 x 32 image that draws nothing),
// so the id has a single home below the window and the resources alike.
#pragma once

#define IDC_NULLCURSOR 129
