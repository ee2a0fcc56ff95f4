// SPDX-License-Identifier: MIT
// Adding Quorvana to, and removing it from, ~/.xscreensaver files: real ones
// written by xscreensaver-settings 6.06 (in files/), and the hand-made
// shapes that xscreensaver also reads. Whatever the shape, the list must
// gain exactly "quorvana --root" at its end, and every other byte of the file
// must stay as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "xscreensaver/init_file.h"
#include "xscreensaver/xscreensaver_list.h"

namespace quorvana {
namespace {

using Outcome = ListEdit::Outcome;

std::string Fixture(const std::string& name)
{
    std::ifstream in(std::string(QUORVANA_XSCREENSAVER_FILES) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_FALSE(bytes.str().empty()) << name;
    return bytes.str();
}

// The modes as xscreensaver lists them: the decoded value's lines, trimmed.
std::vector<std::string> Modes(const std::string& file)
{
    const Result<std::vector<InitSetting>> settings = ParseInitFile(file);
    EXPECT_TRUE(settings.Ok());
    const InitSetting* list = settings ? FindSetting(settings.Value(), "programs") : nullptr;
    std::vector<std::string> modes;
    std::istringstream lines(list ? list->value : "");
    for (std::string line; std::getline(lines, line);) {
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos) modes.push_back(line.substr(first, line.find_last_not_of(" \t") + 1 - first));
    }
    return modes;
}

// True when `longer` is `shorter` with one run of bytes put in somewhere.
bool IsInsertion(const std::string& shorter, const std::string& longer)
{
    std::size_t prefix = 0;
    while (prefix < shorter.size() && shorter[prefix] == longer[prefix]) ++prefix;
    const std::size_t rest = shorter.size() - prefix;
    return longer.size() >= shorter.size() && longer.compare(longer.size() - rest, rest, shorter, prefix) == 0;
}

const std::string kSettingsFile = Fixture("written-by-settings");
const std::string kChosenFile = Fixture("quorvana-chosen-by-settings");
const std::string kSystem = Fixture("app-defaults");

// The edits of files that must not be refused.
ListEdit Added(const std::optional<std::string>& file)
{
    Result<ListEdit> edit = AddQuorvana(file, kSystem);
    EXPECT_TRUE(edit.Ok()) << edit.Error().Message();
    return edit ? edit.Value() : ListEdit();
}
ListEdit Removed(const std::string& file)
{
    Result<ListEdit> edit = RemoveQuorvana(file);
    EXPECT_TRUE(edit.Ok()) << edit.Error().Message();
    return edit ? edit.Value() : ListEdit();
}

struct AddCase {
    const char* what;
    std::optional<std::string> file;
    Outcome outcome;
    std::vector<std::string> expectedModes;  // empty: the old modes plus Quorvana
};

TEST(XscreensaverList, AddingChangesOnlyTheList)
{
    std::vector<std::string> systemModes = Modes("programs:" + kSystem.substr(kSystem.find("*programs:") + 10));
    systemModes.push_back("quorvana --root");
    const AddCase cases[] = {
        {"written by xscreensaver-settings", kSettingsFile, Outcome::Added, {}},
        {"no file yet: the system's list first", std::nullopt, Outcome::Added, systemModes},
        {"a file without a list", std::string("timeout:\t0:05:00"), Outcome::Added, systemModes},
        {"chosen in xscreensaver-settings", kChosenFile, Outcome::Unchanged, {}},
        {"one line", std::string("programs: maze -root \\n qix -root\nmode: one\n"), Outcome::Added, {}},
        {"an empty list", std::string("mode:\tone\nselected:\t0\nprograms:\t\n"), Outcome::Added,
         {"quorvana --root"}},
        {"given with its folder", std::string("programs: /usr/libexec/xscreensaver/quorvana -root\n"),
         Outcome::Unchanged, {}},
        {"disabled", std::string("programs: \\\n-\t\t\tquorvana --root \\n\\\n\t\t\tmaze --root \\n\n"),
         Outcome::Enabled, {"quorvana --root", "maze --root"}},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ListEdit edit = Added(c.file);
        ASSERT_EQ(edit.outcome, c.outcome);
        const std::string old = c.file.value_or("");
        std::vector<std::string> expected = c.expectedModes;
        if (expected.empty()) {
            expected = Modes(old);
            if (c.outcome == Outcome::Added) expected.push_back("quorvana --root");
        }
        EXPECT_EQ(Modes(edit.text), expected);
        if (c.outcome == Outcome::Unchanged) {
            EXPECT_EQ(edit.text, old);
        }
        if (c.outcome == Outcome::Added) {
            EXPECT_TRUE(IsInsertion(old, edit.text)) << edit.text;
            const ListEdit again = Added(edit.text);
            EXPECT_EQ(again.outcome, Outcome::Unchanged);
            EXPECT_EQ(again.text, edit.text);
            if (old.find("programs:") != std::string::npos) {
                EXPECT_EQ(Removed(edit.text).text, old) << "removing gives the file back";
            }
        }
        if (c.outcome == Outcome::Enabled) {
            EXPECT_TRUE(IsInsertion(edit.text, old)) << "only the '-' goes";
        }
    }
}

TEST(XscreensaverList, RemovingTakesOutOnlyQuorvana)
{
    std::vector<std::string> settingsModes = Modes(kSettingsFile);
    const struct {
        const char* what;
        std::string file;
        Outcome outcome;
        std::vector<std::string> expectedModes;
    } cases[] = {
        {"chosen in xscreensaver-settings", kChosenFile, Outcome::Removed, settingsModes},
        {"in the middle, twice",
         "programs: a -root \\n quorvana -root \\n b -root \\n - quorvana --root\nmode: one\n", Outcome::Removed,
         {"a -root", "b -root"}},
        {"not there", kSettingsFile, Outcome::Unchanged, settingsModes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ListEdit edit = Removed(c.file);
        ASSERT_EQ(edit.outcome, c.outcome);
        EXPECT_EQ(Modes(edit.text), c.expectedModes);
        EXPECT_TRUE(IsInsertion(edit.text, c.file) || c.outcome == Outcome::Removed);
    }
    // Every setting but the list is kept, "selected" included.
    const std::string removed = Removed(kChosenFile).text;
    EXPECT_TRUE(IsInsertion(removed, kChosenFile));
    EXPECT_NE(removed.find("selected:\t249\n"), std::string::npos);
}

TEST(XscreensaverList, LeavesAloneWhatXscreensaverCannotRead)
{
    const std::size_t inList = kSettingsFile.find("\\n\\\n", kSettingsFile.find("programs:")) + 4;
    std::string conflict = kSettingsFile;
    conflict.insert(conflict.find("lock:"), "<<<<<<< HEAD\n");
    const struct {
        const char* what;
        std::string file;
        const char* error;
    } cases[] = {
        {"cut short inside the list", kSettingsFile.substr(0, inList), "ends inside a continued line"},
        {"a line that is no setting", conflict, "line 7: no 'name: value'"},
        {"not text", std::string("programs: maze\0", 15), "NUL byte"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const Result<ListEdit>& refused : {AddQuorvana(c.file, kSystem), RemoveQuorvana(c.file)}) {
            ASSERT_FALSE(refused.Ok());
            EXPECT_NE(refused.Error().Message().find(c.error), std::string::npos) << refused.Error().Message();
        }
    }
}

}  // namespace
}  // namespace quorvana
