// jpeg-encode -q Q -out jpeg [-overwrite] IN.png: writes IN.jpg beside IN.png, a baseline JPEG
// of quality Q (4:2:0 chroma below quality 90, 4:4:4 from 90 up), carrying the PNG's ICC profile,
// EXIF block and XMP packet. An existing IN.jpg is kept unless -overwrite is given. Exits 0 only
// when IN.jpg was written whole; on any failure no IN.jpg is left and an existing one is unchanged.

#include "tools/common/FileSystem.h"
#include "tools/common/OutputFile.h"
#include "tools/jpeg-encode/EncodeOptions.h"
#include "tools/jpeg-encode/PngToJpeg.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace orvalin::tools;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
// Large enough that reading and writing cost few system calls.
constexpr std::size_t IoBufferSize = 256 * 1024;

int fail(const std::string& reason)
{
    std::fprintf(stderr, "jpeg-encode: %s\n", reason.c_str());
    return ExitFailure;
}

std::FILE* openPng(const std::string& path, std::string& error)
{
    std::FILE* file = fs::fopen(path, "rb");
    if (!file) {
        // Only Windows refuses to open a folder, with EISDIR from fs::fopen.
        error = errno == EISDIR ? path + " is a folder, not a file"
                                : "cannot open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    fs::FileInfo info;
    if (fs::fstat(fileno(file), info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        error = path + " is a folder, not a file";
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IOFBF, IoBufferSize);
    return file;
}

int encode(const EncodeOptions& options)
{
    const std::string outputPath = jpegPathFor(options.input);
    // Checked first to spare the work; the final rename refuses an existing file by itself.
    if (!options.overwrite && fs::exists(outputPath))
        return fail(outputPath + " already exists (-overwrite replaces it)");

    std::string error;
    std::FILE* input = openPng(options.input, error);
    if (!input)
        return fail(error);
    OutputFile output;
    if (!output.open(outputPath, error)) {
        std::fclose(input);
        return fail(error);
    }
    std::FILE* jpeg = fdopen(dup(output.descriptor()), "wb");
    if (!jpeg) {
        std::fclose(input);
        return fail("cannot write " + outputPath + ": " + std::strerror(errno));
    }
    std::setvbuf(jpeg, nullptr, _IOFBF, IoBufferSize);
    const bool converted = pngToJpeg(input, jpeg, options.quality, error);
    std::fclose(input);
    const bool flushed = std::fflush(jpeg) == 0 && !std::ferror(jpeg);
    const int flushError = errno;
    std::fclose(jpeg);
    if (!converted)
        return fail(options.input + ": " + error);
    if (!flushed)
        return fail("cannot write " + outputPath + ": " + std::strerror(flushError));
    const auto replace =
        options.overwrite ? OutputFile::Replace::Allowed : OutputFile::Replace::Refused;
    if (!output.commit(replace, error))
        return fail(error);
    return 0;
}

int run(int argc, char** argv)
{
    std::string error;
    const auto options = parseEncodeOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "jpeg-encode: %s\n", error.c_str());
        std::fputs("Usage: jpeg-encode -q quality -out jpeg [-overwrite] in_file.png\n", stderr);
        return ExitUsage;
    }
    return encode(*options);
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    return fs::runWithUtf8Arguments(argc, argv, run);
}
#else
int main(int argc, char** argv)
{
    return run(argc, argv);
}
#endif
