// SPDX-License-Identifier: MIT
// A file written whole (common/whole_file.h, through which the exporter
// writes its pictures and recordings) is there alone after success, and
// after a failed write nothing is left, the line naming the file and why.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "common/temporary_name.h"
#include "common/whole_file.h"

namespace quorvana {
namespace {

std::filesystem::path EmptyFolder(const std::string& name)
{
    const std::filesystem::path dir = testing::TempDir() + "/" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    return dir;
}

TEST(WholeFile, SuccessLeavesTheFileAlone)
{
    const std::filesystem::path dir = EmptyFolder("whole-file-success");
    const std::string path = (dir / "picture.png").string();
    for (const std::string bytes : {"first", "second, longer"}) {
        const Result<> written = WriteWholeFile(path, bytes);
        ASSERT_TRUE(written) << written.Error().Message();
        EXPECT_EQ(std::filesystem::file_size(path), bytes.size());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "a file beside it";
    }
}

TEST(WholeFile, FailureLeavesNothingBehind)
{
    const std::filesystem::path dir = EmptyFolder("whole-file-failure");
    const std::string missing = (dir / "no-such-folder" / "x.png").string(), cut = (dir / "cut.png").string();
    const Result<> noFolder = WriteWholeFile(missing, "x");
    ASSERT_FALSE(noFolder);
    EXPECT_EQ(noFolder.Error().Message(), "cannot write '" + missing + "': No such file or directory");
    EXPECT_EQ(noFolder.Error().ExitStatus(), 1);
    // The file size limit cuts the write itself short, as a full disk does.
    rlimit before{}, tiny{16, RLIM_INFINITY};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const Result<> failure = WriteWholeFile(cut, std::string(4096, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.Error().Message(), "cannot write '" + cut + "': File too large");
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << "nothing is left";
}

// The temporary name fits wherever the final name does, is never cut inside
// a character, and keeps as much of the name as fits.
TEST(WholeFile, TemporaryNameFitsWhereTheNameFits)
{
    const std::string suffix = "abcd1234";  // ".abcd1234.partial": 17 more
    const std::string e = "\xC3\xA9";        // é: two bytes in UTF-8
    const struct {
        std::string name;
        std::size_t limit;
        std::string kept;  // what of the name stays
    } cases[] = {
        {"picture-0001.png", 255, "picture-0001.png"},
        {std::string(238, 'a'), 255, std::string(238, 'a')},
        {std::string(239, 'a'), 255, std::string(238, 'a')},
        {std::string(250, 'a'), 255, std::string(238, 'a')},
        {std::string(255, 'a'), 255, std::string(238, 'a')},
        {std::string(237, 'a') + e, 255, std::string(237, 'a')},  // é would end at 239
        {std::string(236, 'a') + e, 255, std::string(236, 'a') + e},
        {"name", 10, ""},
    };
    for (const auto& c : cases) {
        const std::string made = whole_file::TemporaryName<char>(c.name, suffix, c.limit);
        EXPECT_EQ(made, c.kept + "." + suffix + ".partial") << c.name.size();
        if (c.name.size() <= c.limit && c.limit >= 17) {
            EXPECT_LE(made.size(), c.limit);
        }
    }
    // UTF-16 (Windows): a surrogate pair stays whole.
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(whole_file::TemporaryName<wchar_t>(std::wstring(237, L'a') + pair, suffix, 255),
              std::wstring(237, L'a') + L".abcd1234.partial");
    EXPECT_EQ(whole_file::TemporaryName<wchar_t>(std::wstring(236, L'a') + pair, suffix, 255),
              std::wstring(236, L'a') + pair + L".abcd1234.partial");
}

}  // namespace
}  // namespace quorvana
