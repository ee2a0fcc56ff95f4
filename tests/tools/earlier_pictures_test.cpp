// Which pictures of earlier runs an export leaves in its folder, and the one
// line that names them.
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

TEST(EarlierPictures, OneLineNamesThem)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, ""},
        {{"picture-0004.png"}, "out also holds 1 picture of an earlier run, left as it was: picture-0004.png"},
        {{"a.png", "b.png", "c.png", "d.png"},
         "out also holds 4 pictures of an earlier run, left as they were: a.png, b.png … d.png"},
    };
    for (const auto& [names, line] : cases) EXPECT_EQ(DescribeEarlierPictures("out", names), line);
}

}  // namespace
}  // namespace quorvana
