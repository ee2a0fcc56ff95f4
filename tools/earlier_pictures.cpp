// SPDX-License-Identifier: MIT
#include "tools/earlier_pictures.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "common/command_line.h"
#include "common/parse_decimal.h"

namespace quorvana {

namespace {

constexpr std::string_view kPrefixes[] = {"picture", "wallpaper"};
constexpr std::size_t kNamesShown = 3;  // more are shown as the first two, "…" and the last

// The number of an exporter picture called PREFIX-NNNN.png, or nullopt.
std::optional<int> PictureNumber(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || !name.substr(prefix.size()).starts_with("-") || !name.ends_with(".png"))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size() + 1, name.size() - prefix.size() - 5);
    int number = 0;
    if (digits.size() < 4 || !ParseDecimal(digits, number)) return std::nullopt;
    return number;
}

}  // namespace

std::string PictureFileName(std::string_view prefix, int picture)
{
    char number[16];
    std::snprintf(number, sizeof number, "-%04d.png", picture);
    return std::string(prefix) + number;
}

std::vector<std::string> EarlierPictures(const std::string& dir, std::string_view prefix, int count)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        for (const std::string_view kind : kPrefixes) {
            const std::optional<int> number = PictureNumber(name, kind);
            const bool ours = kind == prefix && number && *number >= 1 && *number <= count &&
                              name == PictureFileName(kind, *number);
            if (number && !ours) names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string DescribeEarlierPictures(const std::string& dir, const std::vector<std::string>& names)
{
    if (names.empty()) return {};
    std::string shown;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names.size() > kNamesShown && i == kNamesShown - 1) {
            shown += " … " + names.back();
            break;
        }
        shown += (i == 0 ? "" : ", ") + names[i];
    }
    const std::size_t n = names.size();
    return Printable(dir) + " also holds " + std::to_string(n) + (n == 1 ? " picture" : " pictures") +
           " of an earlier run, left as " + (n == 1 ? "it was: " : "they were: ") + Printable(shown);
}

}  // namespace quorvana
