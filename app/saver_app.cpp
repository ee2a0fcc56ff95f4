// SPDX-License-Identifier: MIT
#include "app/saver_app.h"

#include "app/parse_mode.h"
#include "app/settings.h"
#include "wnd/julia_wnd.h"
#include "wnd/saver_wnd.h"
#include "wnd/window_observer.h"

CSaverApp::CSaverApp() : CWinApp(nullptr) {}

CSaverApp::~CSaverApp() = default;

const fw::MessageMap* CSaverApp::GetThisMessageMap()
{
    static const fw::MessageMapEntry entries[] = {
        fw::OnCommand(ID_HELP, &CWinApp::OnHelp),
    };
    static const fw::MessageMap map = fw::MakeMap(CWinApp::GetThisMessageMap(), entries);
    return &map;
}

BOOL CSaverApp::InitInstance()
{
    SetRegistryKey(L"Quorvana");
    const int argc = __argc;
    wchar_t** const argv = __wargv;
    const RunMode mode = argc > 1 ? ParseMode(argv[1]) : ModeConfigure;
    switch (mode) {
    case ModeConfigure:
        RunConfig();
        return FALSE;
    case ModePreview:
        return StartPreview(argc > 2 ? argv[2] : nullptr);
    case ModeSaver:
        return StartSaver();
    case ModeNone:
        break;
    }
    return FALSE;
}

BOOL CSaverApp::StartPreview(const wchar_t* handleArgument)
{
    // A preview without a live host window would run a message loop that
    // nothing ever ends: end at once instead.
    const std::optional<std::int32_t> handle = ParseWindowHandle(handleArgument);
    const HWND host = handle ? reinterpret_cast<HWND>(static_cast<LONG_PTR>(*handle)) : nullptr;
    if (!handle || !::IsWindow(host)) {
        m_nExitCode = kExitNoWindow;
        return FALSE;
    }
    CWnd* parent = CWnd::FromHandle(host);
    auto* preview = new CJuliaWnd(CJuliaWnd::Deletion::AfterLastMessage, settings::ReadSpeed(*this));
    RECT client{};
    ::GetClientRect(host, &client);
    if (!preview->Create(0, WS_CHILD | WS_VISIBLE, client, parent)) {
        // A failed creation has already cleaned the object up.
        m_nExitCode = kExitNoWindow;
        return FALSE;
    }
    m_pMainWnd = preview;
    return TRUE;
}

int CSaverApp::ExitInstance()
{
    m_saverWindows.reset();
    return CWinApp::ExitInstance();
}

BOOL CSaverApp::StartSaver()
{
    m_saverWindows = std::make_unique<SaverWindows>(settings::ReadSpeed(*this), window_observer::SaverSeed());
    CSaverWnd* saver = m_saverWindows->Open();  // each window deletes itself after its last message
    if (saver == nullptr) {
        // A failed creation has already cleaned the object up.
        m_nExitCode = kExitNoWindow;
        return FALSE;
    }
    m_pMainWnd = saver;
    return TRUE;
}
