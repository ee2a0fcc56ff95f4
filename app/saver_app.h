// CSaverApp: the application object. InitInstance selects the settings'
// registry key, reads the mode from the command line and sets up exactly
// one mode: the configuration dialog (RunConfig, then the program ends),
// the preview inside a host window, or the full-screen saver; an unknown
// switch ends the program at once without touching anything.
#pragma once

#include "fw/win_app.h"

class CSaverApp : public CWinApp {
public:
    // Exit code of a preview whose host window is missing, unreadable or gone.
    static constexpr int kExitBadHostWindow = 2;

    CSaverApp();
    ~CSaverApp() override;

    BOOL InitInstance() override;
    // Configuration mode: loads the settings into the dialog, runs it, and
    // stores them when it ends with OK.
    void RunConfig();

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

private:
    BOOL StartPreview(const wchar_t* handleArgument);
    BOOL StartSaver();
};

extern CSaverApp theApp;
