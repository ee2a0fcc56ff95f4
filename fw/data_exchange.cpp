// SPDX-License-Identifier: MIT
#include "fw/data_exchange.h"

#include "fw/wnd.h"

HWND CDataExchange::PrepareCtrl(int id) const
{
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    // A control missing from the template leaves the member without a
    // window, and the calls on it then do nothing.
    if (control.m_hWnd == nullptr) static_cast<void>(control.SubclassWindow(dx->PrepareCtrl(id)));
}

void DDX_Scroll(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = ::GetScrollPos(control, SB_CTL);
    else
        ::SetScrollPos(control, SB_CTL, value, TRUE);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    } else {
        if (value < BST_UNCHECKED || value > BST_INDETERMINATE) value = BST_UNCHECKED;
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}
