// SPDX-License-Identifier: MIT
#include "ui/config_dlg.h"

#include "common/option_values.h"
#include "fw/data_exchange.h"
#include "fw/dc.h"
#include "ui/about_dlg.h"
#include "ui/resource.h"

namespace {
// The speed bar's range is the setting's. User actions keep it at kSlowest
// or above, so that 0 is stored only when the bar opened at 0 and was never moved.
constexpr int kRangeMin = quorvana::kMinSpeed;
constexpr int kRangeMax = quorvana::kMaxSpeed;
constexpr int kSlowest = 1;
constexpr int kLineStep = 1;
constexpr int kPageStep = 10;
// The system commands carry flags in their low four bits.
constexpr UINT kSysCommandMask = 0xFFF0;
// The preview's gaps inside the client area at 96 DPI: 10 pixels to the
// left and top edges, 10 to the right edge and 14 above the "Speed" group.
// They are what the dialog's first layout gave, with a 3-pixel dialog frame
// and a 19-pixel caption, when it measured from the outer rectangle; they
// scale with the window's DPI, whatever the frame and caption.
constexpr int kPreviewMargin = 10;
constexpr int kPreviewRightGap = 10;
constexpr int kPreviewSpeedGap = 14;
}  // namespace

CConfigDlg::CConfigDlg(int speed, int blank, CWnd* parent)
    : CDialog(IDD_CONFIG, parent),
      m_speed(speed),
      m_blank(blank),
      m_icon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_preview(CJuliaWnd::Deletion::ByHolder, speed)
{
}

CConfigDlg::~CConfigDlg() = default;

const fw::MessageMap* CConfigDlg::GetThisMessageMap()
{
    static const fw::MessageMapEntry entries[] = {
        fw::OnMessage<WM_SYSCOMMAND>(&CConfigDlg::OnSysCommand),
        fw::OnMessage<WM_PAINT>(&CConfigDlg::OnPaint),
        fw::OnMessage<WM_QUERYDRAGICON>(&CConfigDlg::OnQueryDragIcon),
        fw::OnMessage<WM_HSCROLL>(&CConfigDlg::OnHScroll),
    };
    static const fw::MessageMap map = fw::MakeMap(CDialog::GetThisMessageMap(), entries);
    return &map;
}

void CConfigDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SPEED, m_speedBar);
    DDX_Scroll(dx, IDC_SPEED, m_speed);
    DDX_Check(dx, IDC_BLANK, m_blank);
}

BOOL CConfigDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));

    // The hidden placeholder marks where the preview is first created.
    RECT placeholder{};
    GetDlgItem(IDC_PREVIEW)->GetWindowRect(&placeholder);
    ScreenToClient(&placeholder);
    m_preview.Create(0, WS_CHILD | WS_VISIBLE, placeholder, this);
    m_preview.SetSpeed(m_speed);

    m_speedBar.SetScrollRange(kRangeMin, kRangeMax, TRUE);
    m_speedBar.SetScrollPos(m_speed, TRUE);

    PlacePreview();
    CenterWindow();
    return TRUE;
}

void CConfigDlg::PlacePreview()
{
    // The hidden "Blanking" group shares its top edge with the "Speed" group.
    RECT client{};
    RECT group{};
    ::GetClientRect(m_hWnd, &client);
    GetDlgItem(IDC_BLANKGROUP)->GetWindowRect(&group);
    ScreenToClient(&group);
    const UINT dpi = ::GetDpiForWindow(m_hWnd);
    const auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); };
    const int margin = scaled(kPreviewMargin);
    m_preview.MoveWindow(margin, margin, client.right - margin - scaled(kPreviewRightGap),
                         group.top - margin - scaled(kPreviewSpeedGap), TRUE);
}

void CConfigDlg::OnSysCommand(UINT command, LPARAM)
{
    if ((command & kSysCommandMask) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

void CConfigDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_icon);
}

HCURSOR CConfigDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_icon); }

void CConfigDlg::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar)
{
    // Only the speed bar sends this; a window's own scroll bar (none here)
    // or a control without an object gets default handling only.
    if (scrollBar != nullptr) {
        const int current = scrollBar->GetScrollPos();
        int next = current;
        switch (code) {
        case SB_LINELEFT: next = current - kLineStep; break;
        case SB_LINERIGHT: next = current + kLineStep; break;
        case SB_PAGELEFT: next = current - kPageStep; break;
        case SB_PAGERIGHT: next = current + kPageStep; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: next = static_cast<int>(position); break;
        case SB_LEFT: next = kSlowest; break;
        case SB_RIGHT: next = kRangeMax; break;
        default: break;  // SB_ENDSCROLL and anything else keep the position
        }
        if (next < kSlowest) next = kSlowest;
        if (next > kRangeMax) next = kRangeMax;
        scrollBar->SetScrollPos(next, TRUE);
        m_preview.SetSpeed(m_speedBar.GetScrollPos());
    }
    CWnd::OnHScroll(code, position, scrollBar);
}
