// SPDX-License-Identifier: MIT
// Configuration mode: the stored settings go into the settings dialog, and
// come back into the registry, "Speed" first, only when it ends with OK.
#include "app/saver_app.h"
#include "app/settings.h"
#include "ui/config_dlg.h"

void CSaverApp::RunConfig()
{
    const settings::Settings stored = settings::Read(*this);
    CConfigDlg dialog(stored.speed, stored.blank);
    m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    // The framework lets go of the main window when its window is destroyed;
    // a dialog that never came up had no window to destroy.
    if (m_pMainWnd == &dialog) m_pMainWnd = nullptr;
    if (result == IDOK) settings::Write(*this, {dialog.m_speed, dialog.m_blank});
}
