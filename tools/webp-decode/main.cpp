// webp-decode IN -o OUT.png: decodes a WebP file (still or animated, lossy or lossless, with or
// without alpha) to a PNG file that carries its ICC profile, EXIF block and XMP packet along. Exits
// 0 only when OUT.png was written whole; on any failure no file is left at OUT.png.

#include "tools/codec/WebpDecoding.h"
#include "tools/common/FileSystem.h"
#include "tools/common/OutputFile.h"
#include "tools/webp-decode/PngWriter.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace orvalin::tools;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

int fail(const std::string& reason)
{
    std::fprintf(stderr, "webp-decode: %s\n", reason.c_str());
    return ExitFailure;
}

// The arguments are exactly IN -o OUT, read by position, so an input name that begins with a
// dash (or is "-o") is still the input.
bool parseArguments(int argc, char** argv, std::string& input, std::string& output)
{
    if (argc != 4 || std::strcmp(argv[2], "-o") != 0)
        return false;
    input = argv[1];
    output = argv[3];
    return true;
}

int convert(const std::string& inputPath, const std::string& outputPath)
{
    std::string error;
    std::vector<std::uint8_t> webp;
    if (!readWholeFile(inputPath, webp, error))
        return fail(error);

    Scanlines image;
    WebpMetadata metadata;
    if (!decodeWebp(webp.data(), webp.size(), image, metadata, error))
        return fail(inputPath + ": " + error);
    webp = {}; // the compressed data is no longer needed while the PNG is written

    OutputFile output;
    if (!output.open(outputPath, error) || !writePng(output.descriptor(), image, metadata, error)
        || !output.commit(OutputFile::Replace::Allowed, error))
        return fail(error);
    if (!metadata.warning.empty())
        std::fprintf(stderr, "webp-decode: %s: %s\n", inputPath.c_str(), metadata.warning.c_str());
    return 0;
}

int run(int argc, char** argv)
{
    std::string input;
    std::string output;
    if (!parseArguments(argc, argv, input, output)) {
        std::fputs("Usage: webp-decode in_file [options] [-o out_file]\n", stderr);
        return ExitUsage;
    }
    return convert(input, output);
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
