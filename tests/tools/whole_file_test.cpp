// SPDX-License-Identifier: MIT
// A file written whole (common/whole_file.h, through which the exporter
// writes its pictures and recordings) is there alone after success, and
// after a failed write nothing is left, the line naming the file and why.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

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
        ASSERT_EQ(WriteWholeFile(path, bytes), std::nullopt);
        EXPECT_EQ(std::filesystem::file_size(path), bytes.size());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "a file beside it";
    }
}

TEST(WholeFile, FailureLeavesNothingBehind)
{
    const std::filesystem::path dir = EmptyFolder("whole-file-failure");
    const std::string missing = (dir / "no-such-folder" / "x.png").string(), cut = (dir / "cut.png").string();
    EXPECT_EQ(WriteWholeFile(missing, "x"), "cannot write '" + missing + "': No such file or directory");
    // The file size limit cuts the write itself short, as a full disk does.
    rlimit before{}, tiny{16, RLIM_INFINITY};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const LegacyFailure failure = WriteWholeFile(cut, std::string(4096, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(failure, "cannot write '" + cut + "': File too large");
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << "nothing is left";
}

}  // namespace
}  // namespace quorvana
