// SPDX-License-Identifier: MIT
// CConfigDlg: the settings dialog of configuration mode. It shows a live
// preview (a CJuliaWnd child over the top of the dialog) and one speed bar
// over the shared speed range (common/option_values.h); every movement of
// the bar re-arms the preview's timer at once. A hidden "Blank screen" check
// box carries its value through unchanged. The dialog is made with the two
// values as stored, whatever their range; the data exchange moves m_speed
// and m_blank into the controls when the dialog opens and back when it ends
// with OK, and its maker (CSaverApp::RunConfig) stores them after IDOK.
// The system command IDM_ABOUTBOX opens the About box.
#pragma once

#include <windows.h>

#include "fw/dialog.h"
#include "fw/scroll_bar.h"
#include "wnd/julia_wnd.h"

class CConfigDlg : public CDialog {
public:
    CConfigDlg(int speed, int blank, CWnd* parent = nullptr);
    ~CConfigDlg() override;

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

    CScrollBar m_speedBar;
    int m_speed;
    int m_blank;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT command, LPARAM extra);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);

    HICON m_icon;
    // The window is a child of the dialog's and goes with it; the object
    // goes with this one.
    CJuliaWnd m_preview;

private:
    // Stretches the preview across the top of the client area, above the
    // "Speed" group, with gaps that follow the window's DPI.
    void PlacePreview();
};
