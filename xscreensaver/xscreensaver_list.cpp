// SPDX-License-Identifier: MIT
#include "xscreensaver/xscreensaver_list.h"

#include <cctype>
#include <vector>

#include "xscreensaver/init_file.h"

namespace quorvana {

namespace {

constexpr std::string_view kProgram = "quorvana";
constexpr std::string_view kSetting = "programs";
// Before a new line of the list: the end of the previous line ("\n" and a
// continuation), then the indent xscreensaver-settings gives its commands.
constexpr std::string_view kLineBreak = "\\n\\\n\t\t\t\t";

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// One mode of the list, as indexes into the decoded value.
struct ListLine {
    std::size_t first = 0;  // first character that is not blank
    std::size_t last = 0;   // one past the last character that is not blank
    std::size_t end = 0;    // the '\n' that ends the line, or the value's size
    bool enabled = true;
    std::string program;    // the command's first word, without its folder
};

// "[-] [visual:] [\"name\"] command", read as xscreensaver reads it.
void ReadMode(std::string_view mode, ListLine& line)
{
    std::size_t i = 0;
    auto skipSpaces = [&] { while (i < mode.size() && IsSpace(mode[i])) ++i; };
    if (i < mode.size() && mode[i] == '-') {
        line.enabled = false;
        ++i;
        skipSpaces();
    }
    const std::size_t visual = i;
    while (i < mode.size() && mode[i] != ':' && mode[i] != '"' && !IsSpace(mode[i])) ++i;
    if (i < mode.size() && mode[i] == ':') {
        ++i;
        skipSpaces();
    } else {
        i = visual;
    }
    if (i < mode.size() && mode[i] == '"') {
        const std::size_t close = mode.find('"', i + 1);
        i = close == std::string_view::npos ? mode.size() : close + 1;
        skipSpaces();
    }
    std::size_t wordEnd = i;
    while (wordEnd < mode.size() && !IsSpace(mode[wordEnd])) ++wordEnd;
    const std::string_view word = mode.substr(i, wordEnd - i);
    const std::size_t slash = word.rfind('/');
    line.program = std::string(slash == std::string_view::npos ? word : word.substr(slash + 1));
}

std::vector<ListLine> SplitList(const std::string& value)
{
    std::vector<ListLine> lines;
    std::size_t start = 0;
    while (start < value.size()) {
        // A line of nothing but blanks (a lone CR, say) is no mode.
        while (start < value.size() && IsSpace(value[start])) ++start;
        if (start == value.size()) break;
        ListLine line;
        line.first = start;
        line.end = value.find('\n', start);
        if (line.end == std::string::npos) line.end = value.size();
        line.last = line.end;
        while (line.last > line.first && IsSpace(value[line.last - 1])) --line.last;
        ReadMode(std::string_view(value).substr(line.first, line.last - line.first), line);
        start = line.end + 1;
        lines.push_back(std::move(line));
    }
    return lines;
}

// The list's setting in a file known to parse, with its modes.
struct FoundList {
    const InitSetting* setting = nullptr;
    std::vector<ListLine> lines;
    std::vector<std::size_t> quorvana;  // indexes into lines
};

FoundList FindList(const std::vector<InitSetting>& settings)
{
    FoundList found;
    found.setting = FindSetting(settings, kSetting);
    if (!found.setting) return found;
    found.lines = SplitList(found.setting->value);
    for (std::size_t i = 0; i < found.lines.size(); ++i)
        if (found.lines[i].program == kProgram) found.quorvana.push_back(i);
    return found;
}

// The bytes after "programs:" in the system's defaults, up to the end of the
// list; empty when they have none.
std::string SystemListSource(std::string_view systemDefaults)
{
    const Result<std::vector<InitSetting>> settings = ParseInitFile(systemDefaults);
    const InitSetting* list = settings ? FindSetting(settings.Value(), kSetting) : nullptr;
    if (!list) return {};
    const std::size_t from = list->sourceOffsets.front();
    return std::string(systemDefaults.substr(from, list->sourceOffsets.back() - from));
}

bool AnyEnabled(const FoundList& found)
{
    for (std::size_t i : found.quorvana)
        if (found.lines[i].enabled) return true;
    return false;
}

// Adds to a file that has a list.
Result<ListEdit> AddToList(std::string text, const FoundList& found)
{
    if (!found.setting) return Failure::Runtime("its list of display modes cannot be read back after the change");
    const std::vector<std::size_t>& at = found.setting->sourceOffsets;
    if (AnyEnabled(found)) return ListEdit{ListEdit::Outcome::Unchanged, std::move(text)};
    if (!found.quorvana.empty()) {
        const std::size_t dash = found.lines[found.quorvana.front()].first;
        // The '-' itself, and the backslash of an escape "\\-", which a
        // continuation may split; never the continuation.
        const std::size_t dashByte = text.find('-', at[dash]);
        text.erase(dashByte, 1);
        if (dashByte != at[dash]) text.erase(at[dash], 1);
        // "--x: quorvana" stays disabled after one '-' less; such a line is the user's to mend.
        const Result<std::vector<InitSetting>> after = ParseInitFile(text);
        if (!after || !AnyEnabled(FindList(after.Value())))
            return Failure::Runtime("line " + std::to_string(found.setting->firstLine) +
                                    ": Quorvana is disabled in a way this cannot undo; enable it in xscreensaver-settings");
        return ListEdit{ListEdit::Outcome::Enabled, std::move(text)};
    }
    if (found.lines.empty())
        text.insert(at.front(), " " + std::string(kQuorvanaCommand));
    else
        text.insert(at[found.lines.back().last], std::string(kLineBreak) + std::string(kQuorvanaCommand));
    return ListEdit{ListEdit::Outcome::Added, std::move(text)};
}

// The bytes that hold mode `index` of the list, chosen so that removing the
// mode AddToList appended gives back the file it started from. Cuts fall
// where decoded characters start, never inside an escape.
std::pair<std::size_t, std::size_t> LineBytes(std::string_view text, const FoundList& found, std::size_t index)
{
    const std::vector<std::size_t>& at = found.setting->sourceOffsets;
    const std::string& value = found.setting->value;
    const ListLine& line = found.lines[index];
    std::size_t first = line.first;  // with the blanks before it on its line
    while (first > 0 && (value[first - 1] == ' ' || value[first - 1] == '\t')) --first;
    const std::size_t to = index + 1 < found.lines.size() ? at[line.end + 1] : at[line.last];
    std::size_t from = index > 0 && index + 1 == found.lines.size() ? at[found.lines[index - 1].last] : at[first];
    // Where the cut ends the file, a continuation left before it would
    // continue into nothing: it goes too (right before a character's source
    // a backslash and a newline are always a continuation).
    while (to == text.size() && from >= 2 && text.substr(from - 2, 2) == "\\\n") from -= 2;
    return {from, to};
}

}  // namespace

Result<ListEdit> AddQuorvana(const std::optional<std::string_view>& userFile, std::string_view systemDefaults)
{
    std::string text = userFile ? std::string(*userFile) : std::string();
    std::vector<InitSetting> settings = TRY(ParseInitFile(text));
    const bool hadList = FindSetting(settings, kSetting) != nullptr;
    if (!hadList) {
        // No list of its own: xscreensaver shows the system's, so start from it.
        if (!userFile) text = "# XScreenSaver preferences, started by quorvana --register\n";
        if (!text.empty() && text.back() != '\n') text += '\n';
        // A last line ending in a backslash would continue into the new one; an empty line ends it.
        if (text.size() >= 2 && text[text.size() - 2] == '\\') text += '\n';
        text += std::string(kSetting) + ":" + SystemListSource(systemDefaults) + "\n";
        Result<std::vector<InitSetting>> started = ParseInitFile(text);
        if (!started) return Failure::Runtime("the system's list of display modes: " + started.Error().Message());
        settings = std::move(started).TakeValue();
    }
    ListEdit added = TRY(AddToList(std::move(text), FindList(settings)));
    if (added.outcome == ListEdit::Outcome::Unchanged) added.text = userFile.value_or("");
    // A list started from the system's is new to the file, whatever it held.
    if (added.outcome == ListEdit::Outcome::Enabled && !hadList) added.outcome = ListEdit::Outcome::Added;
    return added;
}

Result<ListEdit> RemoveQuorvana(std::string_view userFile)
{
    std::string text(userFile);
    std::vector<InitSetting> settings = TRY(ParseInitFile(text));
    FoundList found = FindList(settings);
    if (found.quorvana.empty()) return ListEdit{ListEdit::Outcome::Unchanged, std::move(text)};
    // One line at a time, each found afresh, so that no cut leans on offsets
    // that an earlier cut moved.
    while (!found.quorvana.empty()) {
        const auto [from, to] = LineBytes(text, found, found.quorvana.back());
        text.erase(from, to - from);
        // Continuations can chain in ways no cut undoes; the file is then the user's to mend.
        Result<std::vector<InitSetting>> after = ParseInitFile(text);
        if (!after)
            return Failure::Runtime("taking Quorvana's line out would leave " + after.Error().Message() +
                                    "; take it out by hand");
        settings = std::move(after).TakeValue();
        found = FindList(settings);
    }
    return ListEdit{ListEdit::Outcome::Removed, std::move(text)};
}

}  // namespace quorvana
