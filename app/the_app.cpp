// SPDX-License-Identifier: MIT
// The one application object, constructed before the entry point runs.
#include "app/saver_app.h"

CSaverApp theApp;
