// png-cost: what the PNG between the two tools costs at each way of writing it, on one image.
//
//   png-cost FILE.webp [ROUNDS]
//
// Writes the decoded image as PNG with libpng at zlib levels 6 (libpng's default, adaptive
// filters), 1 and 0 (no filters), and with the decoder's own writer (stored blocks, libdeflate
// checksums); then times jpeg-encode's reading code (the PNG read and the JPEG encoding) on
// each file. Best of ROUNDS (default 5) for each.

#include "tools/codec/WebpDecoding.h"
#include "tools/common/OutputFile.h"
#include "tools/jpeg-encode/PngToJpeg.h"
#include "tools/webp-decode/PngWriter.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvalin::tools;

namespace {

double secondsOf(const std::function<bool()>& work, int rounds)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!work())
            return -1;
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

bool writeWithLibpng(const Scanlines& image, const std::string& path, int level, bool filters)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, level);
    if (!filters)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, image.width, image.height, 8,
                 image.hasAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < image.height; ++y)
        png_write_row(png, image.row(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

bool writeOurs(const Scanlines& image, const std::string& path)
{
    OutputFile file;
    std::string error;
    return file.open(path, error) && writePng(file.descriptor(), image, {}, error)
           && file.commit(OutputFile::Replace::Allowed, error);
}

bool readAndEncode(const std::string& png, const std::string& jpg)
{
    std::FILE* in = std::fopen(png.c_str(), "rb");
    std::FILE* out = std::fopen(jpg.c_str(), "wb");
    std::string error;
    const bool done = in && out && pngToJpeg(in, out, 85, error);
    if (in)
        std::fclose(in);
    if (out)
        std::fclose(out);
    return done;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("Usage: png-cost FILE.webp [ROUNDS]\n", stderr);
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<std::uint8_t> webp;
    Scanlines image;
    WebpMetadata metadata;
    std::string error;
    if (!readWholeFile(argv[1], webp, error)
        || !decodeWebp(webp.data(), webp.size(), image, metadata, error)) {
        std::fprintf(stderr, "png-cost: %s\n", error.c_str());
        return 1;
    }
    char pattern[] = "/tmp/orvalin-png-cost-XXXXXX";
    const std::string work = mkdtemp(pattern);
    std::printf("%ux%u %s, %.1f MB of pixels, best of %d\n\n", image.width, image.height,
                image.hasAlpha ? "RGBA" : "RGB",
                image.width * double(image.height) * image.channels() / 1e6, rounds);
    std::printf("%-46s %9s %9s %14s\n", "way", "write ms", "MB", "read+JPEG ms");
    struct Way
    {
        const char* name;
        std::function<bool(const std::string&)> write;
    };
    const Way ways[] = {
        {"libpng, zlib level 6, adaptive filters",
         [&](auto& p) { return writeWithLibpng(image, p, 6, true); }},
        {"libpng, zlib level 1, no filters",
         [&](auto& p) { return writeWithLibpng(image, p, 1, false); }},
        {"libpng, zlib level 0, no filters",
         [&](auto& p) { return writeWithLibpng(image, p, 0, false); }},
        {"ours: stored blocks, libdeflate checksums", [&](auto& p) { return writeOurs(image, p); }},
    };
    for (const auto& way : ways) {
        const std::string png = work + "/out.png";
        const double write = secondsOf([&] { return way.write(png); }, rounds);
        struct stat info
        {
        };
        stat(png.c_str(), &info);
        const double read =
            secondsOf([&] { return readAndEncode(png, work + "/out.jpg"); }, rounds);
        std::printf("%-46s %9.1f %9.1f %14.1f\n", way.name, write * 1e3, info.st_size / 1e6,
                    read * 1e3);
        unlink(png.c_str());
        unlink((work + "/out.jpg").c_str());
    }
    rmdir(work.c_str());
    return 0;
}
