// SPDX-License-Identifier: MIT
// The settings dialog in this process, where Wine answers what it will not
// answer across processes: the caption icon and the drag icon; and the
// framework's side of a modal dialog: what DoModal returns, that every
// window object is let go when the dialog's windows are gone, and that a
// scroll message from no scroll bar object changes nothing.
#include <functional>
#include <string>

#include "fw/win_app.h"
#include "tests/windows/harness.h"
#include "ui/config_dlg.h"
#include "ui/resource.h"

using harness::Check;

namespace {

CWinApp s_testApp(L"dialog_framework_test");

// Runs checks inside the dialog's modal loop, once it is up, then ends it
// with the given command.
class ProbedConfigDlg : public CConfigDlg {
public:
    ProbedConfigDlg(std::function<void(ProbedConfigDlg&)> probe, UINT endCommand, int speed = 100)
        : CConfigDlg(speed, 0), m_probe(std::move(probe)), m_endCommand(endCommand)
    {
    }

    BOOL OnInitDialog() override
    {
        const BOOL result = CConfigDlg::OnInitDialog();
        s_current = this;
        ::SetTimer(m_hWnd, kProbeTimer, 50, &ProbeNow);
        return result;
    }

    HWND PreviewWindow() const { return m_preview.m_hWnd; }
    bool probed = false;

private:
    static constexpr UINT_PTR kProbeTimer = 77;
    static void CALLBACK ProbeNow(HWND hWnd, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(hWnd, id);
        ProbedConfigDlg* dialog = s_current;
        dialog->m_probe(*dialog);
        dialog->probed = true;
        ::PostMessageW(hWnd, WM_COMMAND, dialog->m_endCommand, 0);
    }

    static inline ProbedConfigDlg* s_current = nullptr;
    std::function<void(ProbedConfigDlg&)> m_probe;
    UINT m_endCommand;
};

void Icons()
{
    const HICON mainIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    Check(mainIcon != nullptr, "the program's icon loads");
    ProbedConfigDlg dialog(
        [&](ProbedConfigDlg& d) {
            const auto big = reinterpret_cast<HICON>(::SendMessageW(d.m_hWnd, WM_GETICON, ICON_BIG, 0));
            const auto small = reinterpret_cast<HICON>(::SendMessageW(d.m_hWnd, WM_GETICON, ICON_SMALL, 0));
            const auto drag = reinterpret_cast<HICON>(::SendMessageW(d.m_hWnd, WM_QUERYDRAGICON, 0, 0));
            Check(big == mainIcon, "the caption's big icon is IDR_MAINFRAME");
            Check(small == nullptr, "no small icon is set");
            Check(drag == mainIcon, "the drag icon is IDR_MAINFRAME");
        },
        IDCANCEL);
    Check(dialog.DoModal() == IDCANCEL, "IDCANCEL ends DoModal with IDCANCEL");
    Check(dialog.probed, "the checks ran inside the modal loop");
}

void ScrollFromNoObject()
{
    ProbedConfigDlg dialog(
        [](ProbedConfigDlg& d) {
            const int before = d.m_speedBar.GetScrollPos();
            // A window's own scroll bar sends lParam 0; an unbound control has no object.
            const HWND unbound = ::GetDlgItem(d.m_hWnd, IDOK);
            const LPARAM senders[] = {0, reinterpret_cast<LPARAM>(unbound)};
            for (LPARAM sender : senders) {
                ::SendMessageW(d.m_hWnd, WM_HSCROLL, SB_LEFT, sender);
                Check(d.m_speedBar.GetScrollPos() == before, "WM_HSCROLL without a scroll bar object leaves the bar");
            }
            ::SendMessageW(d.m_hWnd, WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(d.m_speedBar.m_hWnd));
            Check(d.m_speedBar.GetScrollPos() == 1, "WM_HSCROLL from the speed bar moves it");
        },
        IDOK, 60);
    Check(dialog.DoModal() == IDOK, "IDOK ends DoModal with IDOK");
    Check(dialog.m_speed == 1, "OK saved the bar's position into m_speed");
}

void WindowsLetGo()
{
    ProbedConfigDlg dialog(
        [](ProbedConfigDlg& d) {
            Check(CWnd::FromHandlePermanent(d.m_hWnd) == &d, "the dialog's window is bound to the object");
            Check(CWnd::FromHandlePermanent(d.m_speedBar.m_hWnd) == &d.m_speedBar,
                  "the speed bar is bound to m_speedBar");
            Check(::GetParent(d.PreviewWindow()) == d.m_hWnd, "the preview is a child of the dialog");
        },
        IDCANCEL);
    dialog.DoModal();
    Check(dialog.m_hWnd == nullptr, "after DoModal the dialog object has no window");
    Check(dialog.m_speedBar.m_hWnd == nullptr, "after DoModal m_speedBar has no window");
    Check(dialog.PreviewWindow() == nullptr, "after DoModal the preview object has no window");
}

void MissingTemplate()
{
    CDialog dialog(4242);
    Check(dialog.DoModal() == -1, "a dialog whose template is missing returns -1");
    Check(dialog.m_hWnd == nullptr, "... and binds no window");
}

}  // namespace

int wmain()
{
    s_testApp.SetRegistryKey(L"Quorvana");
    Icons();
    ScrollFromNoObject();
    WindowsLetGo();
    MissingTemplate();
    harness::settings::Clear(L"dialog_framework_test");
    return harness::Finish();
}
