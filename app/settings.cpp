// SPDX-License-Identifier: MIT
#include "app/settings.h"

namespace settings {

namespace {
constexpr wchar_t kSection[] = L"Config";
constexpr wchar_t kSpeed[] = L"Speed";
constexpr wchar_t kBlank[] = L"Blankscr";
}  // namespace

// The profile functions hand back the stored 32 bits unsigned; every reader takes them as signed.
int ReadSpeed(CWinApp& app) { return static_cast<int>(app.GetProfileInt(kSection, kSpeed, quorvana::kDefaultSpeed)); }

Settings Read(CWinApp& app)
{
    Settings values;
    values.speed = ReadSpeed(app);
    values.blank = static_cast<int>(app.GetProfileInt(kSection, kBlank, kDefaultBlank));
    return values;
}

void Write(CWinApp& app, const Settings& values)
{
    app.WriteProfileInt(kSection, kSpeed, values.speed);
    app.WriteProfileInt(kSection, kBlank, values.blank);
}

}  // namespace settings
