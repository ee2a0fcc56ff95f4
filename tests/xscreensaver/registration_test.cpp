// SPDX-License-Identifier: MIT
// quorvana --register on real files in a folder of the test's own: the
// backup, the kept permissions and links, and a file left exactly as it was
// whenever something goes wrong, a write cut short by a full disk included.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "xscreensaver/registration.h"

namespace quorvana {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class RegistrationTest : public testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/quorvana-registration-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_home = name;
        m_files = {(m_home / ".xscreensaver").string(), (m_home / ".xscreensaver.quorvana.bak").string(),
                   std::string(QUORVANA_XSCREENSAVER_FILES) + "/app-defaults"};
        m_old = Read(std::string(QUORVANA_XSCREENSAVER_FILES) + "/written-by-settings");
    }
    void TearDown() override { fs::remove_all(m_home); }

    // Nothing when done; m_said: what it said and the failure.
    Result<> Run(Registration what = Registration::Add)
    {
        std::FILE* out = std::tmpfile();
        Result<> done = Register(what, m_files, out);
        m_said = Contents(out) + (done ? "" : done.Error().Message());
        return done;
    }
    static std::string Contents(std::FILE* file)
    {
        std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        std::fclose(file);
        return text;
    }
    std::size_t FilesInHome() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_home), fs::directory_iterator()));
    }

    fs::path m_home;
    RegistrationFiles m_files;
    std::string m_old;
    std::string m_said;
};

TEST_F(RegistrationTest, KeepsTheOldFileAndItsPermissions)
{
    Write(m_files.user, m_old);
    fs::permissions(m_files.user, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Run as root (as CI runs, or a user under sudo), the file keeps its owner.
    const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
    ASSERT_EQ(::chown(m_files.user.c_str(), owner, static_cast<gid_t>(-1)), 0);
    ASSERT_TRUE(Run().Ok()) << m_said;
    struct stat info {};
    ASSERT_EQ(::stat(m_files.user.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(Read(m_files.backup), m_old);
    EXPECT_NE(Read(m_files.user).find("quorvana --root"), std::string::npos);
    EXPECT_EQ(fs::status(m_files.user).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_NE(m_said.find("xscreensaver-command -restart"), std::string::npos);
    EXPECT_NE(m_said.find("xscreensaver-settings"), std::string::npos);
    EXPECT_EQ(FilesInHome(), 2u) << "no temporary file is left";

    ASSERT_TRUE(Run(Registration::Remove).Ok()) << m_said;
    EXPECT_EQ(Read(m_files.user), m_old);
}

TEST_F(RegistrationTest, StartsANewFileWithoutBackup)
{
    ASSERT_TRUE(Run().Ok()) << m_said;
    EXPECT_NE(Read(m_files.user).find("maze --root"), std::string::npos) << "the system's modes stay";
    EXPECT_FALSE(fs::exists(m_files.backup));
    EXPECT_TRUE(Run(Registration::Add).Ok());
    EXPECT_NE(m_said.find("already"), std::string::npos) << m_said;
}

TEST_F(RegistrationTest, FollowsALinkedFile)
{
    fs::create_directory(m_home / "dotfiles");
    Write(m_home / "dotfiles" / "xscreensaver", m_old);
    fs::create_symlink("dotfiles/xscreensaver", m_files.user);
    ASSERT_TRUE(Run().Ok()) << m_said;
    EXPECT_TRUE(fs::is_symlink(m_files.user));
    EXPECT_NE(Read(m_home / "dotfiles" / "xscreensaver").find("quorvana --root"), std::string::npos);
}

TEST_F(RegistrationTest, LeavesTheFileAsItWasWhenItCannotBeDone)
{
    // The new file is cut short by the file size limit, as by a full disk,
    // after the backup (the size of the old file) was written.
    const rlimit sizeLimit{static_cast<rlim_t>(m_old.size() + 8), RLIM_INFINITY};
    const struct {
        const char* what;
        std::string file;
        const rlimit* limit;
        const char* said;
    } cases[] = {
        {"unparseable", "programs: maze\n<<<<<<< HEAD\n", nullptr, "line 2"},
        {"disk full", m_old, &sizeLimit, "cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(m_files.backup);
        Write(m_files.user, c.file);
        rlimit before{};
        ::getrlimit(RLIMIT_FSIZE, &before);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (c.limit) ::setrlimit(RLIMIT_FSIZE, c.limit);
        const Result<> done = Run();
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(done.Ok());
        EXPECT_EQ(Read(m_files.user), c.file);
        EXPECT_NE(m_said.find(c.said), std::string::npos) << m_said;
        EXPECT_NE(m_said.find("left as it was"), std::string::npos) << m_said;
        EXPECT_EQ(FilesInHome(), c.limit ? 2u : 1u) << "no temporary file is left";
    }
}

}  // namespace
}  // namespace quorvana
