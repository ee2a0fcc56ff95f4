// SPDX-License-Identifier: MIT
// The ~/.xscreensaver editor on any file (first byte: add or remove, is there
// a file, which system list; the rest: the file). Adding is one insertion
// (enabling: one '-' cut) or a refusal; removing what was added gives the
// bytes back; removing leaves a readable file without Quorvana; no crash.
// (What the file carries besides its bytes does not hang on them:
// tests/tools/kept_files_test.sh and tests/xscreensaver keep it.)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "xscreensaver/init_file.h"
#include "xscreensaver/xscreensaver_list.h"

using namespace quorvana;
using Outcome = ListEdit::Outcome;

namespace {

constexpr std::string_view kSystemLists[] = {
    "",
    "*mode:\trandom\n*programs:\t\\\n\t\t\t\tmaze --root\t\\n\\\n- GL:\t\t\t\tsuperquadrics --root\t\\n\n",
    "*programs: quorvana --root \\n qix -root\n",
};

// True when `longer` is `shorter` with one run of bytes put in.
bool IsInsertion(std::string_view shorter, std::string_view longer)
{
    const auto prefix = std::mismatch(shorter.begin(), shorter.end(), longer.begin(), longer.end()).first;
    return longer.size() >= shorter.size() && longer.ends_with(shorter.substr(prefix - shorter.begin()));
}

// True when `shorter` is `longer` with at most `most` bytes taken out here and there.
bool IsCut(std::string_view shorter, std::string_view longer, std::size_t most)
{
    std::size_t kept = 0;
    for (const char c : longer) kept += kept < shorter.size() && shorter[kept] == c;
    return kept == shorter.size() && longer.size() - shorter.size() <= most;
}

// Adding Quorvana (to a file or none, with a system list) or removing it: the edit, or its refusal.
struct Edited {
    Edited(std::optional<std::string_view> user, std::string_view system) : Edited(AddQuorvana(user, system)) {}
    explicit Edited(std::string_view user) : Edited(RemoveQuorvana(user)) {}
    explicit Edited(Result<ListEdit> result)
        : edit(result ? result.Value() : ListEdit()),
          refused(result ? std::nullopt : std::optional<std::string>(result.Error().Message()))
    {
    }
    ListEdit edit;
    std::optional<std::string> refused;  // why, when refused
};

// True, once checked, when it was refused: a refusal is one line saying why and gives no file.
bool Refused(const Edited& e)
{
    if (e.refused)
        FUZZ_CHECK(e.edit.text.empty() && !e.refused->empty() && e.refused->find('\n') == std::string::npos,
                   "a refusal is one line and gives no file");
    return e.refused.has_value();
}

// Removing leaves a readable file without Quorvana; only a line that was
// there before (not one just added) may refuse to go.
void CheckRemoved(const Edited& removed, bool mayRefuse)
{
    if (mayRefuse && Refused(removed)) return;
    FUZZ_CHECK(!removed.refused && removed.edit.outcome == Outcome::Removed, "what was added can be removed");
    const Edited again(removed.edit.text);
    FUZZ_CHECK(!again.refused && again.edit.outcome == Outcome::Unchanged, "no Quorvana line stays, the file readable");
}

void CheckAdd(std::optional<std::string_view> user, std::string_view system)
{
    const Edited added(user, system);
    if (Refused(added)) return;
    const std::string_view old = user.value_or(""), text = added.edit.text;
    const Outcome outcome = added.edit.outcome;
    FUZZ_CHECK(outcome == Outcome::Added     ? IsInsertion(old, text)
               : outcome == Outcome::Enabled ? IsCut(text, old, 2)
                                             : outcome == Outcome::Unchanged && text == old,
               "adding is one insertion, enabling cuts only the '-' (and its escape), else nothing changes");
    if (outcome == Outcome::Unchanged) return;
    const Edited again(text, system);
    FUZZ_CHECK(!again.refused && again.edit.outcome == Outcome::Unchanged, "adding twice changes nothing the second time");
    const Edited removed(text);
    CheckRemoved(removed, outcome == Outcome::Enabled);
    // The file back; or, where adding had to start a list, the file and then that list.
    if (outcome != Outcome::Added || removed.edit.text == old) return;
    const Result<std::vector<InitSetting>> settings = ParseInitFile(old);
    FUZZ_CHECK(settings && !FindSetting(settings.Value(), "programs") && removed.edit.text.starts_with(old),
               "removing what was added gives the file back (a list started for it may follow)");
}

void CheckRemove(std::string_view user)
{
    const Edited removed(user);
    if (removed.refused || removed.edit.outcome != Outcome::Unchanged) return CheckRemoved(removed, true);
    FUZZ_CHECK(removed.edit.text == user, "nothing to remove changes nothing");
}

}  // namespace

// Allocation stacks cost more than the edits themselves; a finding replays
// with them at full depth (ASAN_OPTIONS=malloc_context_size=30).
extern "C" const char* __asan_default_options() { return "malloc_context_size=0"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::ChoiceAndText(data, size, [](std::uint8_t choice, std::string_view file) {
        const std::string_view system = kSystemLists[(choice >> 2) % std::size(kSystemLists)];
        if (choice & 2)
            CheckRemove(file);
        else
            CheckAdd(choice & 1 ? std::nullopt : std::optional(file), system);
    });
}
