// SPDX-License-Identifier: MIT
#include "xscreensaver/init_file.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace quorvana {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Unescape(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return c;
    }
}

// One logical line: its characters joined and decoded, each with the offset
// of its source; the last offset marks where the line's content ends.
struct LogicalLine {
    std::string text;
    std::vector<std::size_t> offsets;
};

// Joins physical lines at "\\\n" as xscreensaver does (only once the line
// holds more than two characters), from `pos` on; advances pos and line.
bool JoinLine(std::string_view file, std::size_t& pos, std::size_t& line, LogicalLine& joined)
{
    for (;;) {
        const std::size_t newline = file.find('\n', pos);
        const std::size_t end = newline == std::string_view::npos ? file.size() : newline + 1;
        joined.text.append(file.substr(pos, end - pos));
        const std::size_t had = joined.offsets.size();
        joined.offsets.resize(had + (end - pos));
        std::iota(joined.offsets.begin() + static_cast<std::ptrdiff_t>(had), joined.offsets.end(), pos);
        pos = end;
        ++line;
        const std::string& t = joined.text;
        if (!(t.size() > 2 && t.back() == '\n' && t[t.size() - 2] == '\\')) return true;
        joined.text.resize(t.size() - 2);
        joined.offsets.resize(joined.offsets.size() - 2);
        if (pos >= file.size()) return false;
    }
}

// Decodes into `decoded`, whose buffers are reused from line to line and
// filled through pointers: a list is one line of thousands of characters.
void Decode(const LogicalLine& joined, std::size_t fileSize, LogicalLine& decoded)
{
    const std::string& in = joined.text;
    const std::size_t* from = joined.offsets.data();
    std::size_t contentEnd = in.size();
    std::size_t endOffset = fileSize;
    if (contentEnd > 0 && in.back() == '\n') endOffset = from[--contentEnd];
    decoded.text.resize(contentEnd);
    decoded.offsets.resize(contentEnd + 1);
    char* text = decoded.text.data();
    std::size_t* offsets = decoded.offsets.data();
    std::size_t count = 0;
    for (std::size_t i = 0; i < contentEnd; ++i) {
        if (in[i] != '\\') {
            offsets[count] = from[i];
            text[count++] = in[i];
        } else if (i + 1 < in.size()) {
            offsets[count] = from[i];
            text[count++] = Unescape(in[++i]);
        } else {
            endOffset = from[i];  // a lone backslash at the very end ends the line: the content ends before it
        }
    }
    decoded.text.resize(count);
    offsets[count] = endOffset;
    decoded.offsets.resize(count + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// "name", "*name", "XScreenSaver.name" or "XScreenSaver*name", in any case.
bool NamesResource(std::string_view key, std::string_view name)
{
    for (const std::string_view prefix : {"", "*", "xscreensaver.", "xscreensaver*"})
        if (key.size() == prefix.size() + name.size() && SameIgnoringCase(key.substr(0, prefix.size()), prefix) &&
            SameIgnoringCase(key.substr(prefix.size()), name))
            return true;
    return false;
}

}  // namespace

Result<std::vector<InitSetting>> ParseInitFile(std::string_view text)
{
    std::vector<InitSetting> settings;
    if (text.find('\0') != std::string_view::npos)
        return Failure::Runtime("it holds a NUL byte, so it is not a text file");
    std::size_t pos = 0;
    std::size_t line = 1;
    LogicalLine joined, decoded;
    while (pos < text.size()) {
        const std::size_t firstLine = line;
        joined.text.clear();
        joined.offsets.clear();
        if (!JoinLine(text, pos, line, joined))
            return Failure::Runtime("line " + std::to_string(firstLine) + ": the file ends inside a continued line");
        Decode(joined, text.size(), decoded);
        const std::string& d = decoded.text;
        const std::size_t start = std::find_if_not(d.begin(), d.end(), IsBlank) - d.begin();
        if (start == d.size() || d[start] == '#' || d[start] == '!' || d[start] == ';') continue;
        const std::size_t colon = d.find(':', start);
        if (colon == std::string::npos)
            return Failure::Runtime("line " + std::to_string(firstLine) + ": no 'name: value' and no comment");
        InitSetting setting;
        setting.key = d.substr(start, colon - start);
        setting.value = d.substr(colon + 1);
        setting.sourceOffsets.assign(decoded.offsets.begin() + static_cast<std::ptrdiff_t>(colon + 1),
                                     decoded.offsets.end());
        setting.firstLine = firstLine;
        settings.push_back(std::move(setting));
    }
    return settings;
}

const InitSetting* FindSetting(const std::vector<InitSetting>& settings, std::string_view name)
{
    const InitSetting* found = nullptr;
    for (const InitSetting& setting : settings)
        if (NamesResource(setting.key, name)) found = &setting;
    return found;
}

}  // namespace quorvana
