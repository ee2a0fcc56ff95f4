// SPDX-License-Identifier: MIT
#include "fw/dialog.h"

#include "fw/data_exchange.h"
#include "fw/win_app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

const fw::MessageMap* CDialog::GetThisMessageMap()
{
    // Through the member pointers the calls stay virtual: an override runs.
    static const fw::MessageMapEntry entries[] = {
        fw::OnMessage<WM_INITDIALOG>(&CDialog::OnInitDialog),
        fw::OnCommand(IDOK, &CDialog::OnOK),
        fw::OnCommand(IDCANCEL, &CDialog::OnCancel),
    };
    static const fw::MessageMap map = fw::MakeMap(CWnd::GetThisMessageMap(), entries);
    return &map;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (owner == nullptr) {
        const CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this)
            owner = app->m_pMainWnd->m_hWnd;
    }
    if (owner != nullptr) owner = ::GetAncestor(owner, GA_ROOT);
    const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                                             &DialogProc, reinterpret_cast<LPARAM>(this));
    // The temporaries made for the dialog's controls outlive their windows
    // otherwise when no message loop runs after this one.
    CWnd::DeleteTempMap();
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Every message after WM_INITDIALOG reaches the object through the
    // subclassed window procedure first; the dialog manager calls this
    // procedure only for what the maps left, which gets default processing.
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog->SubclassWindow(hWnd)) return FALSE;
    return dialog->Dispatch(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnPaint() { Default(); }
