// SPDX-License-Identifier: MIT
// CDialog: a modal dialog built by the dialog manager from a dialog template
// in the program's own resources. DoModal runs the platform's modal loop
// (DialogBoxParam); at WM_INITDIALOG the dialog's window is bound to the
// object and subclassed, so from then on its messages go through the
// message maps, and whatever they leave goes on to the dialog manager's
// default processing.
//
// OK and Cancel commands (the buttons, Enter, Escape, the close box) end the
// dialog: OnOK saves the controls into the members (DoDataExchange) and ends
// it with IDOK; OnCancel ends it with IDCANCEL and saves nothing.
//
// Without a parent, the dialog is owned by the application's main window,
// unless it is that window itself. When DoModal returns, the temporary
// window objects made meanwhile (CWnd::FromHandle) are gone, unless a
// message is still being handled further up the stack.
#pragma once

#include <windows.h>

#include "fw/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL as the dialog ended, or -1 when it could not be created.
    virtual INT_PTR DoModal();
    // Loads the controls from the members; TRUE lets the dialog manager give
    // the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    void EndDialog(int result);
    // Runs the data exchange: save (TRUE) or load (FALSE).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    const fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    virtual void OnOK();
    virtual void OnCancel();
    // Painting as the dialog manager does it.
    void OnPaint();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
