// SPDX-License-Identifier: MIT
// The ~/.xscreensaver editor on any file (first byte: add or remove, is there
// a file, which system list, and whether to go through real files; the
// rest: the file). Adding is one insertion (enabling: one '-' cut) or a
// refusal; removing what was added gives the bytes back; removing leaves a
// readable file without Quorvana; no crash. Through real files (--register
// then --unregister in a folder of the harness's own, on tmpfs where it can
// be), the file keeps its mode, owner, group, ACL, extended attributes and
// link count, and its backup takes the same; a refusal leaves the file and
// all it carries as it was.
#include <acl/libacl.h>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>
#include <optional>
#include <string>
#include <string_view>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "xscreensaver/init_file.h"
#include "xscreensaver/registration.h"
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
    const auto prefix = std::mismatch(shorter.begin(), shorter.end(), longer.begin(), longer.end()).first;
    return longer.size() >= shorter.size() && longer.ends_with(shorter.substr(prefix - shorter.begin()));
}

// True when `shorter` is `longer` with at most `most` bytes taken out here and there.
bool IsCut(std::string_view shorter, std::string_view longer, std::size_t most)
{
    std::size_t kept = 0;
    for (const char c : longer) kept += kept < shorter.size() && shorter[kept] == c;
    return kept == shorter.size() && longer.size() - shorter.size() <= most;
}

// Adding Quorvana (to a file or none, with a system list) or removing it: the edit, or its refusal.
struct Edited {
    Edited(std::optional<std::string_view> user, std::string_view system) : Edited(AddQuorvana(user, system)) {}
    explicit Edited(std::string_view user) : Edited(RemoveQuorvana(user)) {}
    explicit Edited(Result<ListEdit> result)
        : edit(result ? result.Value() : ListEdit()),
          refused(result ? std::nullopt : std::optional<std::string>(result.Error().Message()))
    {
    }
    ListEdit edit;
    std::optional<std::string> refused;  // why, when refused
};

// True, once checked, when it was refused: a refusal is one line saying why and gives no file.
bool Refused(const Edited& e)
{
    if (e.refused)
        FUZZ_CHECK(e.edit.text.empty() && !e.refused->empty() && e.refused->find('\n') == std::string::npos,
                   "a refusal is one line and gives no file");
    return e.refused.has_value();
}

// Removing leaves a readable file without Quorvana; only a line that was
// there before (not one just added) may refuse to go.
void CheckRemoved(const Edited& removed, bool mayRefuse)
{
    if (mayRefuse && Refused(removed)) return;
    FUZZ_CHECK(!removed.refused && removed.edit.outcome == Outcome::Removed, "what was added can be removed");
    const Edited again(removed.edit.text);
    FUZZ_CHECK(!again.refused && again.edit.outcome == Outcome::Unchanged, "no Quorvana line stays, the file readable");
}

void CheckAdd(std::optional<std::string_view> user, std::string_view system)
{
    const Edited added(user, system);
    if (Refused(added)) return;
    const std::string_view old = user.value_or(""), text = added.edit.text;
    const Outcome outcome = added.edit.outcome;
    FUZZ_CHECK(outcome == Outcome::Added     ? IsInsertion(old, text)
               : outcome == Outcome::Enabled ? IsCut(text, old, 2)
                                             : outcome == Outcome::Unchanged && text == old,
               "adding is one insertion, enabling cuts only the '-' (and its escape), else nothing changes");
    if (outcome == Outcome::Unchanged) return;
    const Edited again(text, system);
    FUZZ_CHECK(!again.refused && again.edit.outcome == Outcome::Unchanged, "adding twice changes nothing the second time");
    const Edited removed(text);
    CheckRemoved(removed, outcome == Outcome::Enabled);
    // The file back; or, where adding had to start a list, the file and then that list.
    if (outcome != Outcome::Added || removed.edit.text == old) return;
    const Result<std::vector<InitSetting>> settings = ParseInitFile(old);
    FUZZ_CHECK(settings && !FindSetting(settings.Value(), "programs") && removed.edit.text.starts_with(old),
               "removing what was added gives the file back (a list started for it may follow)");
}

void CheckRemove(std::string_view user)
{
    const Edited removed(user);
    if (removed.refused || removed.edit.outcome != Outcome::Unchanged) return CheckRemoved(removed, true);
    FUZZ_CHECK(removed.edit.text == user, "nothing to remove changes nothing");
}

// --- through real files ---

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Everything a file carries besides its bytes: mode, owner, group, links
// and every extended attribute (the ACL's system.posix_acl_access among them).
std::string Carried(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return "missing";
    std::string carried = std::to_string(info.st_mode) + " " + std::to_string(info.st_uid) + " " +
                          std::to_string(info.st_gid) + " " + std::to_string(info.st_nlink);
    char names[4096];
    const ssize_t length = ::listxattr(path.c_str(), names, sizeof names);
    std::vector<std::string> attributes;
    for (ssize_t at = 0; at < length; at += static_cast<ssize_t>(std::strlen(names + at)) + 1) {
        char value[4096];
        const ssize_t size = ::getxattr(path.c_str(), names + at, value, sizeof value);
        attributes.push_back(std::string(names + at) + "=" + std::string(value, static_cast<std::size_t>(std::max<ssize_t>(size, 0))));
    }
    std::sort(attributes.begin(), attributes.end());
    for (const std::string& attribute : attributes) carried += "\n" + attribute;
    return carried;
}

// What the user's file carries before the edit, one setup per choice.
enum class Setup { Plain, Acl, Attribute, AclAndAttribute, HardLink, ReadOnly, Linked, Unusual, Count };

constexpr const char* kNames[] = {".xscreensaver", ".xscreensaver.quorvana.bak", "other-name", "real", "app-defaults"};

// The harness's folder, made once and removed at exit: tmpfs (no disk
// flushes), else the temporary folder.
const std::string& Folder()
{
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        for (const std::string& base : {std::string("/dev/shm"), std::string(tmp ? tmp : "/tmp")}) {
            std::string name = base + "/quorvana-fuzz-XXXXXX";
            if (::mkdtemp(name.data())) return name;
        }
        std::abort();
    }();
    static const bool s_removedAtExit = [] {
        return std::atexit([] {
            for (const char* name : kNames) ::unlink((folder + "/" + name).c_str());
            ::rmdir(folder.c_str());
        }) == 0;
    }();
    (void)s_removedAtExit;
    return folder;
}

// Gives the file its setup; false when the file system cannot (no ACLs here).
bool Prepare(Setup setup, const std::string& file, const std::string& home)
{
    ::chmod(file.c_str(), setup == Setup::ReadOnly ? 0444 : setup == Setup::Unusual ? 02604 : 0640);
    if (::geteuid() == 0 && setup == Setup::Plain) (void)::chown(file.c_str(), 65534, 65534);  // root keeps the owner
    if (setup == Setup::Acl || setup == Setup::AclAndAttribute) {
        acl_t acl = ::acl_from_text("u::rw,u:1:rw,g::r,m::rw,o::-");
        const int set = ::acl_set_file(file.c_str(), ACL_TYPE_ACCESS, acl);
        ::acl_free(acl);
        if (set != 0) return false;
    }
    if ((setup == Setup::Attribute || setup == Setup::AclAndAttribute) &&
        ::setxattr(file.c_str(), "user.note", "keep", 4, 0) != 0)
        return false;
    if (setup == Setup::HardLink) return ::link(file.c_str(), (home + "/other-name").c_str()) == 0;
    return true;
}

// --register then --unregister on the file (or none): what the file carries
// stays through both, the backup takes it too, a refusal changes nothing.
void CheckOnDisk(std::uint8_t choice, std::optional<std::string_view> user, std::string_view system)
{
    static std::FILE* const s_said = std::fopen("/dev/null", "w");
    const std::string home = Folder();
    for (const char* name : kNames) ::unlink((home + "/" + name).c_str());
    const Setup setup = static_cast<Setup>((choice >> 4) % static_cast<int>(Setup::Count));
    const RegistrationFiles files{home + "/.xscreensaver", home + "/.xscreensaver.quorvana.bak", home + "/app-defaults"};
    WriteBytes(files.systemDefaults, system);
    if (user) {
        // A linked ~/.xscreensaver is kept a link, and the file it leads to written.
        const std::string file = setup == Setup::Linked ? home + "/real" : files.user;
        WriteBytes(file, *user);
        if (setup == Setup::Linked) (void)::symlink("real", files.user.c_str());
        if (!Prepare(setup, file, home)) {
            static bool s_told = false;
            if (!std::exchange(s_told, true)) std::fprintf(stderr, "%s takes no ACLs or attributes: those setups are passed over\n", home.c_str());
            return;
        }
    }
    const std::string carried = Carried(files.user);
    for (const Registration what : {Registration::Add, Registration::Remove}) {
        const std::string before = ReadBytes(files.user);
        const Result<> done = Register(what, files, s_said);
        if (user) FUZZ_CHECK(Carried(files.user) == carried, "the file keeps its mode, owner, ACL, attributes and links");
        if (!done) {
            FUZZ_CHECK(ReadBytes(files.user) == before, "a refusal leaves the file as it was");
            FUZZ_CHECK(done.Error().Message().find('\n') == std::string::npos, "a refusal is one line");
        }
        if (setup == Setup::HardLink && user)
            FUZZ_CHECK(ReadBytes(home + "/other-name") == ReadBytes(files.user), "a file of two names is not split");
        if (user && setup == Setup::Linked) {
            struct stat link {};
            FUZZ_CHECK(::lstat(files.user.c_str(), &link) == 0 && S_ISLNK(link.st_mode), "a linked file stays a link");
        }
        if (user && ::access(files.backup.c_str(), F_OK) == 0)
            FUZZ_CHECK(Carried(files.backup) == carried, "the backup carries what the file carries");
        if (!done) return;
    }
}

}  // namespace

// Allocation stacks cost more than the edits themselves; a finding replays
// with them at full depth (ASAN_OPTIONS=malloc_context_size=30).
extern "C" const char* __asan_default_options() { return "malloc_context_size=0"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::ChoiceAndText(data, size, [](std::uint8_t choice, std::string_view file) {
        const std::string_view system = kSystemLists[(choice >> 2) % std::size(kSystemLists)];
        if (choice & 0x80)
            CheckOnDisk(choice, choice & 1 ? std::nullopt : std::optional(file), system);
        else if (choice & 2)
            CheckRemove(file);
        else
            CheckAdd(choice & 1 ? std::nullopt : std::optional(file), system);
    });
}
