#include "tools/png_writer.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <vector>

namespace quorvana {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp; this is the only place that meets it.
bool Encode(std::FILE* file, const PixelStore& store)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(store.Width()) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, store.Width(), store.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < store.Height(); ++y) {
        const COLORREF* pixels = store.Row(y);
        for (int x = 0; x < store.Width(); ++x) {
            row[3 * x] = pixels[x] & 0xFF;
            row[3 * x + 1] = (pixels[x] >> 8) & 0xFF;
            row[3 * x + 2] = (pixels[x] >> 16) & 0xFF;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string WritePng(const PixelStore& store, const std::string& path)
{
    const std::string partial = path + ".partial";
    bool written = false;
    {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(partial.c_str(), "wb"));
        if (!file) return "cannot create '" + partial + "'";
        written = Encode(file.get(), store) && std::fflush(file.get()) == 0;
    }
    if (written && std::rename(partial.c_str(), path.c_str()) == 0) return {};
    std::remove(partial.c_str());
    return "cannot write '" + path + "'";
}

}  // namespace quorvana
