// Configuration mode: the stored settings go into the settings dialog, and
// come back into the registry, "Speed" first, only when it ends with OK.
#include "app/saver_app.h"
#include "ui/config_dlg.h"

void CSaverApp::RunConfig()
{
    CConfigDlg dialog(nullptr);
    dialog.m_speed = static_cast<int>(GetProfileInt(L"Config", L"Speed", 100));
    dialog.m_blank = static_cast<int>(GetProfileInt(L"Config", L"Blankscr", 0));
    m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    // The framework lets go of the main window when its window is destroyed;
    // a dialog that never came up had no window to destroy.
    if (m_pMainWnd == &dialog) m_pMainWnd = nullptr;
    // No message loop runs after this one to drop the temporary window
    // objects made for the dialog's controls, whose windows are gone now.
    CWnd::DeleteTempMap();
    if (result == IDOK) {
        WriteProfileInt(L"Config", L"Speed", dialog.m_speed);
        WriteProfileInt(L"Config", L"Blankscr", dialog.m_blank);
    }
}
