// SPDX-License-Identifier: MIT
// Which pictures of earlier runs an export leaves in its folder (the line
// that names them is checked in exporter_cli_test.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/earlier_pictures.h"

namespace quorvana {
namespace {

TEST(EarlierPictures, OnlyWhatTheRunDoesNotWrite)
{
    const std::string dir = testing::TempDir() + "/earlier-pictures";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    for (const char* name : {"picture-0001.png", "picture-0002.png", "picture-0003.png", "picture-10000.png",
                             "picture-001.png", "picture-0002.png.partial", "wallpaper-0001.png", "notes.txt"})
        std::ofstream(dir + "/" + name) << "x";
    struct Case {
        const char* prefix;
        int count;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"picture", 3, {"picture-10000.png", "wallpaper-0001.png"}},
        {"picture", 2, {"picture-0003.png", "picture-10000.png", "wallpaper-0001.png"}},
        {"picture", 10000, {"wallpaper-0001.png"}},
        {"wallpaper", 1, {"picture-0001.png", "picture-0002.png", "picture-0003.png", "picture-10000.png"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EarlierPictures(dir, c.prefix, c.count), c.left) << c.prefix << " " << c.count;
    EXPECT_TRUE(EarlierPictures(dir + "/none", "picture", 1).empty());
}

}  // namespace
}  // namespace quorvana
