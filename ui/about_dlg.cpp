// SPDX-License-Identifier: MIT
#include "ui/about_dlg.h"

#include "ui/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

CAboutDlg::~CAboutDlg() = default;

const fw::MessageMap* CAboutDlg::GetThisMessageMap()
{
    static const fw::MessageMap map{CDialog::GetThisMessageMap(), nullptr, nullptr};
    return &map;
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}
