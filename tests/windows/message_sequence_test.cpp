// SPDX-License-Identifier: MIT
// Message sequences as data, in the style of Wine's own message tests: thread
// hooks note what the watched windows receive (WH_CALLWNDPROC: sent;
// WH_GETMESSAGE: posted, as the loop takes it off the queue), the test's
// window classes add when a dispatch returned and when PostNcDestroy ran,
// and each case compares what was noted, restricted to the messages its
// table names, with the table. Covered: creation, the first paint and tick,
// a repaint, WM_CLOSE to WM_NCDESTROY with PostNcDestroy after the outermost
// dispatch, the saver's close on a key, a dialog's OK/Cancel/close routing,
// and the About box's whole life inside the settings dialog's system command.
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/option_values.h"
#include "fw/win_app.h"
#include "fw/wnd_class.h"
#include "tests/windows/harness.h"
#include "tests/windows/probe_observer.h"
#include "tests/windows/test_probe.h"
#include "ui/config_dlg.h"
#include "ui/resource.h"
#include "wnd/julia_wnd.h"
#include "wnd/saver_windows.h"
#include "wnd/saver_wnd.h"

using harness::Check;

namespace {

CWinApp s_testApp(L"message_sequence_test");

enum class Via { Sent, Posted, Returned, PostNcDestroy };
enum class Role { Window, Settings, About, Thread, Other };
constexpr WPARAM kAnyWParam = ~WPARAM{0};

struct Step {
    Role role;
    UINT message;  // 0 for PostNcDestroy
    Via via;
    WPARAM wParam = kAnyWParam;  // the wParam that matters, if any
};

// What the hooks and the test classes note, while a case runs.
class Recorder {
public:
    explicit Recorder(std::function<Role(HWND)> roleOf)
        : m_roleOf(std::move(roleOf)),
          m_sent(::SetWindowsHookExW(WH_CALLWNDPROC, &SentHook, nullptr, ::GetCurrentThreadId())),
          m_posted(::SetWindowsHookExW(WH_GETMESSAGE, &PostedHook, nullptr, ::GetCurrentThreadId()))
    {
        s_current = this;
    }
    ~Recorder()
    {
        ::UnhookWindowsHookEx(m_sent);
        ::UnhookWindowsHookEx(m_posted);
        s_current = nullptr;
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    static void Note(HWND hWnd, UINT message, Via via, WPARAM wParam)
    {
        if (s_current != nullptr) s_current->m_steps.push_back({s_current->m_roleOf(hWnd), message, via, wParam});
    }
    const std::vector<Step>& Steps() const { return m_steps; }

private:
    static LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION) Note(sent->hwnd, sent->message, Via::Sent, sent->wParam);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK PostedHook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* posted = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE) Note(posted->hwnd, posted->message, Via::Posted, posted->wParam);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline Recorder* s_current = nullptr;
    std::function<Role(HWND)> m_roleOf;
    HHOOK m_sent;
    HHOOK m_posted;
    std::vector<Step> m_steps;
};

// Notes when each of its dispatches returns and when PostNcDestroy runs.
template <class Base>
class Noted : public Base {
public:
    using Base::Base;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_noted = this->m_hWnd;
        const LRESULT result = Base::WindowProc(message, wParam, lParam);
        Recorder::Note(m_noted, message, Via::Returned, wParam);
        return result;
    }
    void PostNcDestroy() override
    {
        Recorder::Note(m_noted, 0, Via::PostNcDestroy, 0);
        Base::PostNcDestroy();
    }

private:
    HWND m_noted = nullptr;  // the window, also once it is gone
};

const char* Name(UINT message)
{
    switch (message) {
    case 0: return "PostNcDestroy";
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_CREATE: return "WM_CREATE";
    case WM_PAINT: return "WM_PAINT";
    case WM_TIMER: return "WM_TIMER";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_QUIT: return "WM_QUIT";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_INITDIALOG: return "WM_INITDIALOG";
    default: return "?";
    }
}

std::string Text(const std::vector<Step>& steps)
{
    static const char* const kVia[] = {"sent", "posted", "returned", ""};
    static const char* const kRole[] = {"", "settings ", "about ", "thread ", "other "};
    std::string text;
    for (const Step& s : steps) {
        text += "\n    ";
        text += kRole[static_cast<int>(s.role)];
        text += Name(s.message);
        text += ' ';
        text += kVia[static_cast<int>(s.via)];
        if (s.wParam != kAnyWParam) text += ' ' + std::to_string(s.wParam);
    }
    return text;
}

// The noted steps of the messages the table names (each with how it came),
// compared with the table: all of them, or with Match::Start the first ones
// (a window that keeps ticking).
enum class Match { All, Start };
void Compare(const std::string& what, const std::vector<Step>& noted, const std::vector<Step>& expected,
             Match match = Match::All)
{
    std::set<std::pair<UINT, Via>> named;
    for (const Step& s : expected) named.insert({s.message, s.via});
    std::vector<Step> got;
    for (const Step& s : noted)
        if (named.count({s.message, s.via}) != 0 && s.role != Role::Other) got.push_back(s);
    if (match == Match::Start && got.size() > expected.size()) got.resize(expected.size());
    bool same = got.size() == expected.size();
    for (std::size_t i = 0; same && i < got.size(); ++i) {
        const Step& e = expected[i];
        same = got[i].role == e.role && got[i].message == e.message && got[i].via == e.via &&
               (e.wParam == kAnyWParam || got[i].wParam == e.wParam);
        if (e.wParam == kAnyWParam) got[i].wParam = kAnyWParam;
    }
    Check(same, what + ": expected" + Text(expected) + "\n  got" + Text(got));
}

constexpr Via S = Via::Sent;
constexpr Via P = Via::Posted;
constexpr Via R = Via::Returned;
constexpr Role W = Role::Window;
constexpr Step kPostNcDestroy{W, 0, Via::PostNcDestroy};

void PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done() && ::GetTickCount64() < end) harness::Pump(5);
}

// The fractal window and the saver window.
void WindowSequences()
{
    using Julia = Noted<CJuliaWnd>;
    const struct {
        const char* what;
        bool fromCreation;  // or from the act, once the first picture has begun
        std::function<void(CJuliaWnd&)> act;
        std::vector<Step> expected;
        Match match;
    } cases[] = {
        {"creation, then paint before the first tick", true, [](CJuliaWnd&) {},
         {{W, WM_NCCREATE, S}, {W, WM_CREATE, S}, {W, WM_PAINT, P}, {W, WM_TIMER, P, CJuliaWnd::kTimerId}},
         Match::Start},
        {"a repaint comes before the ticks already due", false,
         [](CJuliaWnd& w) {
             ::InvalidateRect(w.m_hWnd, nullptr, FALSE);
             ::Sleep(50);
         },
         {{W, WM_PAINT, P}, {W, WM_TIMER, P, CJuliaWnd::kTimerId}}, Match::Start},
        {"WM_CLOSE posted: PostNcDestroy after the outermost dispatch", false,
         [](CJuliaWnd& w) { ::PostMessageW(w.m_hWnd, WM_CLOSE, 0, 0); },
         {{W, WM_CLOSE, P}, {W, WM_DESTROY, S}, {W, WM_DESTROY, R}, {W, WM_NCDESTROY, S}, {W, WM_NCDESTROY, R},
          {W, WM_CLOSE, R}, kPostNcDestroy},
         Match::All},
    };
    for (const auto& c : cases) {
        auto* window = new Julia(CJuliaWnd::Deletion::AfterLastMessage, quorvana::kDefaultSpeed);
        HWND hWnd = nullptr;
        // Before it is bound (its first messages), the window is known by its class.
        const auto roleOf = [&](HWND h) {
            wchar_t name[64] = {};
            ::GetClassNameW(h, name, 64);
            return h != nullptr && (h == hWnd || std::wstring(name) == fw::DefaultWndClass()) ? W : Role::Other;
        };
        std::optional<Recorder> recorder;
        if (c.fromCreation) recorder.emplace(roleOf);
        window->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 100}, nullptr);
        hWnd = window->m_hWnd;
        if (!c.fromCreation) {
            harness::Pump(100);
            recorder.emplace(roleOf);
        }
        c.act(*window);
        harness::Pump(200);
        Compare(c.what, recorder->Steps(), c.expected, c.match);
        recorder.reset();
        if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
    }

    // A key press closes the saver (one window, on this session's one
    // monitor) through its own posted WM_CLOSE, and its destruction posts the
    // quit message. The tests' window observer tells when its last dispatch
    // has returned.
    SaverWindows saverWindows(quorvana::kDefaultSpeed, kProbeSaverSeed);
    CSaverWnd* saver = saverWindows.Open();
    if (!Check(saver != nullptr && ::GetSystemMetrics(SM_CMONITORS) == 1, "one monitor: the saver's window is made"))
        return;
    const HWND hWnd = saver->m_hWnd;
    harness::Pump(100);
    Recorder recorder([&](HWND h) { return h == nullptr ? Role::Thread : h == hWnd ? W : Role::Other; });
    probe::OnReleased([](HWND released) { Recorder::Note(released, 0, Via::PostNcDestroy, 0); });
    ::PostMessageW(hWnd, WM_KEYDOWN, 'A', 1);
    PumpUntil([&] { return !::IsWindow(hWnd); }, 3000);
    harness::Pump(50);
    Compare("the saver closes on a key", recorder.Steps(),
            {{W, WM_KEYDOWN, P, 'A'}, {W, WM_CLOSE, P}, {W, WM_DESTROY, S}, {W, WM_NCDESTROY, S}, kPostNcDestroy,
             {Role::Thread, WM_QUIT, P}});
    probe::OnReleased(nullptr);
}

// Runs act on the thread's timer inside whatever modal loop is running,
// until it returns true.
class Driver {
public:
    explicit Driver(std::function<bool()> act) : m_act(std::move(act)) {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &Tick);
    }
    ~Driver() { ::KillTimer(nullptr, m_timer); s_current = nullptr; }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_current != nullptr && s_current->m_act()) {
            ::KillTimer(nullptr, s_current->m_timer);
            s_current->m_act = [] { return true; };
        }
    }
    static inline Driver* s_current = nullptr;
    std::function<bool()> m_act;
    UINT_PTR m_timer = 0;
};

// A dialog's OK, Cancel and close paths, and what DoModal gives back.
void DialogRouting()
{
    constexpr Role D = Role::Settings;  // the dialog under test
    const struct {
        const char* what;
        std::function<void(HWND)> close;
        INT_PTR result;
        std::vector<Step> expected;
    } cases[] = {
        {"IDOK posted", [](HWND d) { ::PostMessageW(d, WM_COMMAND, IDOK, 0); }, IDOK,
         {{D, WM_COMMAND, P, IDOK}, {D, WM_DESTROY, S}, {D, WM_NCDESTROY, S}}},
        {"IDCANCEL sent", [](HWND d) { ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0); }, IDCANCEL,
         {{D, WM_COMMAND, S, IDCANCEL}, {D, WM_DESTROY, S}, {D, WM_NCDESTROY, S}}},
        {"Escape on the focus", [](HWND d) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); (void)d; },
         IDCANCEL, {{D, WM_COMMAND, S, IDCANCEL}, {D, WM_DESTROY, S}, {D, WM_NCDESTROY, S}}},
        {"WM_CLOSE posted", [](HWND d) { ::PostMessageW(d, WM_CLOSE, 0, 0); }, IDCANCEL,
         {{D, WM_CLOSE, P}, {D, WM_COMMAND, P, IDCANCEL}, {D, WM_DESTROY, S}, {D, WM_NCDESTROY, S}}},
        {"SC_CLOSE posted (the close box)", [](HWND d) { ::PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL,
         {{D, WM_SYSCOMMAND, P, SC_CLOSE}, {D, WM_CLOSE, S}, {D, WM_COMMAND, P, IDCANCEL}, {D, WM_DESTROY, S},
          {D, WM_NCDESTROY, S}}},
    };
    for (const auto& c : cases) {
        CDialog dialog(IDD_ABOUTBOX);
        Recorder recorder([&](HWND h) { return h != nullptr && h == dialog.m_hWnd ? D : Role::Other; });
        Driver driver([&] {
            if (dialog.m_hWnd == nullptr || !::IsWindowVisible(dialog.m_hWnd)) return false;
            c.close(dialog.m_hWnd);
            return true;
        });
        Check(dialog.DoModal() == c.result, std::string(c.what) + ": DoModal's result");
        Compare(c.what, recorder.Steps(), c.expected);
    }
}

// The About box opened by a posted system command runs its whole life
// inside the settings dialog's dispatch of that command.
void AboutInsideSettings()
{
    constexpr Role C = Role::Settings;
    constexpr Role A = Role::About;
    Noted<CConfigDlg> dialog(quorvana::kDefaultSpeed, 0);
    const auto isAbout = [&](HWND h) {
        return h != nullptr && dialog.m_hWnd != nullptr && ::GetWindow(h, GW_OWNER) == dialog.m_hWnd;
    };
    const auto roleOf = [&](HWND h) {
        if (h != nullptr && h == dialog.m_hWnd) return C;
        return isAbout(h) ? A : Role::Other;
    };
    s_testApp.m_pMainWnd = &dialog;  // as configuration mode has it: the About box's owner
    Recorder recorder(roleOf);
    int stage = 0;
    Driver driver([&] {
        HWND about = nullptr;
        for (HWND h = ::GetTopWindow(nullptr); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            if (isAbout(h) && ::IsWindowVisible(h)) about = h;
        switch (stage) {
        case 0:
            if (dialog.m_hWnd == nullptr || !::IsWindowVisible(dialog.m_hWnd)) return false;
            ::PostMessageW(dialog.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            break;
        case 1:
            if (about == nullptr || !::IsWindowVisible(about)) return false;
            ::PostMessageW(about, WM_COMMAND, IDOK, 0);
            break;
        default:
            if (about != nullptr || !::IsWindowEnabled(dialog.m_hWnd)) return false;
            ::PostMessageW(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        ++stage;
        return false;
    });
    Check(dialog.DoModal() == IDCANCEL, "settings dialog after the About box: DoModal gives IDCANCEL");
    Compare("the About box inside the settings dialog", recorder.Steps(),
            {{C, WM_SYSCOMMAND, P, IDM_ABOUTBOX}, {A, WM_INITDIALOG, S}, {A, WM_COMMAND, P, IDOK},
             {A, WM_DESTROY, S}, {A, WM_NCDESTROY, S}, {C, WM_SYSCOMMAND, R, IDM_ABOUTBOX},
             {C, WM_COMMAND, P, IDCANCEL}, {C, WM_DESTROY, S}, {C, WM_NCDESTROY, S}});
}

}  // namespace

int wmain()
{
    WindowSequences();
    DialogRouting();
    AboutInsideSettings();
    return harness::Finish();
}
