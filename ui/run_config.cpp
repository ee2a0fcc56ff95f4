// Configuration mode. Until the settings dialog exists it ends at once,
// reading and writing nothing.
#include "app/saver_app.h"

void CSaverApp::RunConfig() {}
