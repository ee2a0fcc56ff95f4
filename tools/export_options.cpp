#include "tools/export_options.h"

#include "common/parse_decimal.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvana {

namespace {

bool ParseSide(std::string_view text, int& side)
{
    return ParseDecimal(text, side) && side >= 1 && side <= kMaxSide;
}

std::string ParseSize(std::string_view text, ExportOptions& options)
{
    const auto cross = text.find('x');
    if (cross == std::string_view::npos || !ParseSide(text.substr(0, cross), options.width) ||
        !ParseSide(text.substr(cross + 1), options.height))
        return "--size: '" + std::string(text) + "' is not WIDTHxHEIGHT with each side from 1 to " +
               std::to_string(kMaxSide);
    return {};
}

}  // namespace

ParseResult ParseExportOptions(const std::vector<std::string>& args)
{
    ParseResult result;
    ExportOptions& options = result.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--bench" && !value) {
            options.bench = true;
            continue;
        }
        if (name == "--bench") {
            result.error = "--bench: takes no value";
            return result;
        }
        const bool known = name == "--size" || name == "--seed" || name == "--pictures" || name == "--out" ||
                           name == "--kernel";
        if (!known) {
            result.error = "unknown option '" + name + "' (see --help)";
            return result;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                result.error = name + ": missing value";
                return result;
            }
            value = args[++i];
        }
        if (name == "--size") {
            result.error = ParseSize(*value, options);
        } else if (name == "--seed") {
            std::uint32_t seed = 0;
            if (ParseDecimal(*value, seed))
                options.seed = seed;
            else
                result.error = "--seed: '" + *value + "' is not a whole number from 0 to 4294967295";
        } else if (name == "--pictures") {
            if (!ParseDecimal(*value, options.pictures) || options.pictures < 1 || options.pictures > kMaxPictures)
                result.error = "--pictures: '" + *value + "' is not a count from 1 to " + std::to_string(kMaxPictures);
        } else if (name == "--kernel") {
            if (*value == "plain")
                options.kernel = ExportOptions::Kernel::Plain;
            else if (*value == "auto")
                options.kernel = ExportOptions::Kernel::Auto;
            else
                result.error = "--kernel: '" + *value + "' is not plain or auto";
        } else if (value->empty()) {
            result.error = "--out: the folder name is empty";
        } else {
            options.outDir = *value;
        }
        if (!result.error.empty()) return result;
    }
    return result;
}

std::string ExportUsage()
{
    return "Usage: quorvana-render [--size WxH] [--seed N] [--pictures K] [--out DIR]\n"
           "                       [--kernel plain|auto] [--bench]\n"
           "\n"
           "Simulates a Quorvana window of the given size from its first repaint on,\n"
           "one row per tick, and writes the window as a PNG (RGB, 8 bits per channel)\n"
           "after every tick that ends a picture, marker included:\n"
           "DIR/picture-0001.png ... DIR/picture-K.png.\n"
           "\n"
           "  --size WxH      window size in pixels, each side 1 to 16384 (default 640x480)\n"
           "  --seed N        seed of the random views, 0 to 4294967295; the same seed\n"
           "                  gives the same pictures (default: the time, printed)\n"
           "  --pictures K    number of pictures to write, 1 to 1000000 (default 10)\n"
           "  --out DIR       output folder, created when its parent exists (default ./out)\n"
           "  --kernel K      how rows are computed: plain, the escape loop pixel by pixel,\n"
           "                  or auto, the fastest vector kernel of this processor\n"
           "                  (default); the pictures are identical\n"
           "  --bench         render the pictures without writing any file (--out is not\n"
           "                  used) and print the time per picture and the loop steps per\n"
           "                  second, with a checksum of each picture\n"
           "  --help          show this text\n"
           "\n"
           "Per picture it prints the view the next picture zooms into, or the random\n"
           "view and constant c it chose. Progress goes to standard error.\n"
           "Exit status: 0 done, 1 a file could not be written, 2 bad arguments.\n";
}

std::string PrepareOutputFolder(const std::string& dir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(dir);
    if (!fs::exists(path, ec)) {
        const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
        if (!fs::is_directory(parent, ec))
            return "--out: '" + dir + "' does not exist and neither does its parent folder";
        if (!fs::create_directory(path, ec)) return "--out: cannot create '" + dir + "': " + ec.message();
    } else if (!fs::is_directory(path, ec)) {
        return "--out: '" + dir + "' is not a folder";
    }
    // Write permission alone says little to root or on a read-only mount: try.
    const std::string probe = (path / ".quorvana-write-test").string();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0 && errno != EEXIST) return "--out: cannot write into '" + dir + "'";
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
    }
    return {};
}

}  // namespace quorvana
