// SPDX-License-Identifier: MIT
// The ~/.xscreensaver editor on any file (first byte: add or remove, is there
// a file, which system list; the rest: the file). Adding is one insertion
// (enabling: one '-' cut) or a refusal; removing what was added gives the
// bytes back; removing leaves a readable file without Quorvana; no crash.
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
    if (longer.size() < shorter.size()) return false;
    std::size_t prefix = 0;
    while (prefix < shorter.size() && shorter[prefix] == longer[prefix]) ++prefix;
    const std::size_t rest = shorter.size() - prefix;
    return longer.substr(longer.size() - rest) == shorter.substr(prefix);
}

// True when `shorter` is `longer` with at most `most` bytes taken out here and there.
bool IsCut(std::string_view shorter, std::string_view longer, std::size_t most)
{
    if (shorter.size() > longer.size() || longer.size() - shorter.size() > most) return false;
    std::size_t kept = 0;
    for (const char c : longer)
        if (kept < shorter.size() && shorter[kept] == c) ++kept;
    return kept == shorter.size();
}

// An edit's refusal, or the edit.
struct Edited {
    Failure refused;
    ListEdit edit;
};

Edited Add(const std::optional<std::string_view>& user, std::string_view system)
{
    Edited added;
    added.refused = AddQuorvana(user, system, added.edit);
    return added;
}

Edited Remove(std::string_view user)
{
    Edited removed;
    removed.refused = RemoveQuorvana(user, removed.edit);
    return removed;
}

void CheckRefusal(const Edited& refused)
{
    FUZZ_CHECK(refused.edit.text.empty() && !refused.refused->empty(), "a refusal says why and gives no file");
    FUZZ_CHECK(refused.refused->find('\n') == std::string::npos, "a refusal is one line");
}

// Removing leaves a readable file (a refusal would say it is not) without
// Quorvana; only a line that was there before may refuse to go.
void CheckRemoved(const Edited& removed, bool added)
{
    if (!added && removed.refused) return CheckRefusal(removed);
    FUZZ_CHECK(!removed.refused && removed.edit.outcome == Outcome::Removed, "what was added can be removed");
    const Edited again = Remove(removed.edit.text);
    FUZZ_CHECK(!again.refused && again.edit.outcome == Outcome::Unchanged, "no Quorvana line stays, the file readable");
}

void CheckAdd(const std::optional<std::string_view>& user, std::string_view system)
{
    const Edited added = Add(user, system);
    if (added.refused) return CheckRefusal(added);
    const std::string_view old = user.value_or("");
    switch (added.edit.outcome) {
    case Outcome::Removed:
    case Outcome::Unchanged:
        FUZZ_CHECK(added.edit.outcome == Outcome::Unchanged && added.edit.text == old, "nothing to do changes nothing");
        return;
    case Outcome::Enabled:
        FUZZ_CHECK(IsCut(added.edit.text, old, 2), "enabling only cuts the '-' (and its escape)");
        break;
    case Outcome::Added:
        FUZZ_CHECK(IsInsertion(old, added.edit.text), "adding is one insertion");
        break;
    }
    const Edited again = Add(added.edit.text, system);
    FUZZ_CHECK(!again.refused && again.edit.outcome == Outcome::Unchanged, "adding twice changes nothing the second time");
    const Edited removed = Remove(added.edit.text);
    CheckRemoved(removed, added.edit.outcome == Outcome::Added);
    // The file back; or, where adding had to start a list, the file and then that list.
    if (added.edit.outcome != Outcome::Added || removed.edit.text == old) return;
    std::vector<InitSetting> settings;
    FUZZ_CHECK(!ParseInitFile(old, settings) && !FindSetting(settings, "programs"),
               "removing what was added gives the file back");
    FUZZ_CHECK(std::string_view(removed.edit.text).substr(0, old.size()) == old, "a list started for the file follows it");
}

void CheckRemove(std::string_view user)
{
    const Edited removed = Remove(user);
    if (removed.refused || removed.edit.outcome != Outcome::Unchanged) return CheckRemoved(removed, false);
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
