// SPDX-License-Identifier: MIT
// CSaverApp: the application object of quorvana.scr.
//
// Flow of control, all on the one GUI thread:
//
//   start   the framework's entry point (fw/app_main.cpp) names the
//           application after the program file and calls InitInstance once.
//   mode    InitInstance selects the settings' registry key and reads argv[1]
//           (ParseMode):
//             /c, /c:N or nothing  RunConfig: the settings dialog runs in its
//                                  own modal loop, OK stores the settings;
//                                  InitInstance returns FALSE.
//             /p N                 a CJuliaWnd child filling host window N;
//                                  returns TRUE.
//             /s                   SaverWindows: a CSaverWnd over the primary
//                                  screen, the main window, and one over every
//                                  other monitor, with one set of close rules
//                                  for all; returns TRUE. Its seed comes from
//                                  the window observer (the calendar time).
//             anything else        returns FALSE at once, touching nothing.
//   windows every fractal window (preview, saver, the dialog's live preview)
//           is made with the stored speed and arms timer 1 in WM_CREATE.
//   ticks   the framework's message loop (CWinApp::Run), or the dialog's
//           modal loop, delivers WM_PAINT (restart the picture) and WM_TIMER
//           (draw the next row, finish the picture after the last one).
//   end     the saver posts WM_CLOSE to itself on user input, or the host
//           destroys the preview: the main window's destruction posts the
//           quit message, the loop ends and its code (0) is the exit code;
//           ExitInstance then closes the saver's other monitors' windows.
//           Configuration mode ends when RunConfig returns (exit code 0); a
//           start that made no window ends with kExitNoWindow.
#pragma once

#include <memory>

#include "fw/win_app.h"
#include "wnd/saver_windows.h"

class CSaverApp : public CWinApp {
public:
    // Exit code of a start that made no window: a preview whose host window
    // is missing, unreadable or gone, or a window that could not be created.
    static constexpr int kExitNoWindow = 2;

    CSaverApp();
    ~CSaverApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Configuration mode: loads the settings into the dialog, runs it, and
    // stores them when it ends with OK.
    void RunConfig();

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

private:
    BOOL StartPreview(const wchar_t* handleArgument);
    BOOL StartSaver();

    std::unique_ptr<SaverWindows> m_saverWindows;  // saver mode only
};

extern CSaverApp theApp;
