// SPDX-License-Identifier: MIT
// CAboutDlg: the About box, opened by the settings dialog's About system
// command. It is centred over its owner and closes through OK, Escape or the
// close box; nothing else happens in it.
#pragma once

#include "fw/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

protected:
    BOOL OnInitDialog() override;
};
