// SPDX-License-Identifier: MIT
// "Speed" and "Blankscr" stored by someone else, in every registry type and
// size: the framework's profile reader must hand back the stored 32 bits for
// a REG_DWORD of exactly four bytes and the caller's default for anything
// else, never a partly filled or foreign value.
#include <string>
#include <vector>

#include "fw/win_app.h"
#include "tests/windows/harness.h"

using harness::Check;

namespace {

CWinApp s_testApp(L"profile_values_test");
constexpr wchar_t kApp[] = L"profile_values_test";

}  // namespace

int wmain()
{
    s_testApp.SetRegistryKey(L"Quorvana");
    const DWORD types[] = {REG_NONE,  REG_SZ,        REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN,
                           REG_LINK,  REG_MULTI_SZ,  REG_QWORD,     0x4242};
    const DWORD sizes[] = {0, 1, 2, 3, 4, 5, 7, 8, 16, 65536};
    const struct {
        const wchar_t* entry;
        int defaultValue;
    } entries[] = {{L"Speed", 100}, {L"Blankscr", 0}};
    // 37 in the first byte, so that a partial read or a wrong type cannot pass for the default.
    std::vector<BYTE> data(65536, 0x5A);
    data[0] = 37;
    data[1] = data[2] = data[3] = 0;
    int cases = 0;
    for (const auto& e : entries) {
        for (const DWORD type : types) {
            for (const DWORD size : sizes) {
                harness::settings::Clear(kApp);
                harness::settings::WriteRaw(kApp, e.entry, type, data.data(), size);
                const int expected = type == REG_DWORD && size == 4 ? 37 : e.defaultValue;
                const int read = static_cast<int>(s_testApp.GetProfileInt(L"Config", e.entry, e.defaultValue));
                ++cases;
                Check(read == expected, harness::Narrow(e.entry) + " of type " + std::to_string(type) + " and " +
                                            std::to_string(size) + " bytes reads " + std::to_string(read) +
                                            ", expected " + std::to_string(expected));
            }
        }
    }
    harness::settings::Clear(kApp);
    Check(cases == 200, "every type and size tried");
    return harness::Finish();
}
