// SPDX-License-Identifier: MIT
// Dialog data exchange: moves values between a dialog's members and its
// controls. A dialog's DoDataExchange lists its exchanges; CDialog runs it
// once to load the controls (in OnInitDialog) and once to save them (in
// OnOK). Each DDX_ function loads or saves according to the exchange's
// direction.
#pragma once

#include <windows.h>

class CScrollBar;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control with this id in the dialog.
    HWND PrepareCtrl(int id) const;

    CWnd* m_pDlgWnd;
    // TRUE: controls → members (save); FALSE: members → controls (load).
    BOOL m_bSaveAndValidate;
};

// Binds control (subclassing it) to the dialog's control id, the first time only.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// The position of a scroll bar control: loading sets it, with redraw.
void DDX_Scroll(CDataExchange* dx, int id, int& value);
// The state of a check box: 0 unchecked, 1 checked, 2 indeterminate.
// Loading first replaces a value outside 0 to 2 by 0, in value as well.
void DDX_Check(CDataExchange* dx, int id, int& value);
