// in-process-convert: the yardstick for the two converter tools. Converts WebP files to JPG
// files inside one process with the same libraries and settings the tools use (libwebp's
// default decoding, libjpeg-turbo baseline 4:2:0, transparency flattened onto white), reusing
// one pixel buffer for all files as a well-made single-process converter would.
//
//   in-process-convert [--via-png | --worker-code] [--yuv] [--fit N] [--jobs N] QUALITY OUT_DIR
//                      FILE.webp...
//
// --via-png runs the tools' own code in this process instead: decode, write the PNG to a file,
// read it back into the JPEG encoder. Its time less the direct time is what the PNG costs.
// --worker-code runs the converter worker's code in this process, one converter for all files:
// its time less the direct time is what the worker's own steps cost (reading, metadata, writing
// under a temporary name), without its process and pipes. Like the worker, it converts a lossy
// picture without alpha from its YUV planes.
// --yuv converts a lossy picture without alpha from its planes, with the code the worker uses
// (decodeWebp into planes, writeJpeg with the worker's settings: below quality 80 Huffman
// tables made for the picture, which the direct way leaves out), and any other file the
// direct way; its time less the direct time is what going from the planes saves or costs.
// --jobs N converts on N threads, each with buffers of its own, every thread taking the next
// file not yet taken, so a large file on one thread does not hold the others back; with --yuv
// too. With --via-png or --worker-code it stays one thread: the tools' output file keeps a
// single pending name for its signal handler.
// --fit N (16 to 65535), with --worker-code or --yuv, shrinks every picture whose longer side
// exceeds N to fit within N pixels, as the worker does when asked: --worker-code passes it in
// the converter's choices; --yuv then converts every file with the worker's code (decodeWebp
// at the fitted size, writeJpeg), the ones not from planes too, since the direct way keeps
// the size.

#include "tools/codec/JpegWriter.h"
#include "tools/codec/WebpDecoding.h"
#include "tools/common/OutputFile.h"
#include "tools/convert-worker/ConvertWorker.h"
#include "tools/convert-worker/WorkerProtocol.h"
#include "tools/jpeg-encode/PngToJpeg.h"
#include "tools/webp-decode/PngWriter.h"

#include <jpeglib.h>
#include <webp/decode.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace orvalin::tools;

namespace {

std::string outputName(const std::string& outDir, const std::string& input, const char* ext)
{
    std::string name = nameOf(input);
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".webp") == 0)
        name.resize(name.size() - 5);
    return outDir + "/" + name + ext;
}

bool encodeJpeg(const std::string& path, const std::uint8_t* pixels, int width, int height,
                int channels, int quality)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct jpeg;
    jpeg_error_mgr errors;
    jpeg.err = jpeg_std_error(&errors); // default handler: exits on error, fine for a benchmark
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file);
    jpeg.image_width = width;
    jpeg.image_height = height;
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, quality, TRUE);
    jpeg.comp_info[0].h_samp_factor = jpeg.comp_info[0].v_samp_factor = 2;
    jpeg_start_compress(&jpeg, TRUE);
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3);
    const std::size_t stride = std::size_t(width) * channels;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + stride * y;
        JSAMPROW rowPointer = const_cast<std::uint8_t*>(row);
        if (channels == 4) {
            flattenOntoWhite(row, rgb.data(), width);
            rowPointer = rgb.data();
        }
        jpeg_write_scanlines(&jpeg, &rowPointer, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    return std::fclose(file) == 0;
}

bool convertDirect(const std::string& input, const std::string& output, int quality,
                   std::vector<std::uint8_t>& webp, std::vector<std::uint8_t>& pixels)
{
    std::string error;
    if (!readWholeFile(input, webp, error))
        return false;
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(webp.data(), webp.size(), &features) != VP8_STATUS_OK
        || features.has_animation)
        return false;
    const int channels = features.has_alpha ? 4 : 3;
    const std::size_t stride = std::size_t(features.width) * channels;
    if (pixels.size() < stride * features.height)
        pixels.resize(stride * features.height);
    const bool decoded = features.has_alpha
                             ? WebPDecodeRGBAInto(webp.data(), webp.size(), pixels.data(),
                                                  pixels.size(), int(stride))
                             : WebPDecodeRGBInto(webp.data(), webp.size(), pixels.data(),
                                                 pixels.size(), int(stride));
    return decoded
           && encodeJpeg(output, pixels.data(), features.width, features.height, channels, quality);
}

// The worker's way for a lossy picture without alpha: its planes, no colour conversion. Any
// other file goes the direct way, unless it is to fit within a size (fit above 0).
bool convertFromPlanes(const std::string& input, const std::string& output, int quality,
                       std::uint32_t fit, std::vector<std::uint8_t>& webp,
                       std::vector<std::uint8_t>& pixels, DecodedPicture& picture)
{
    std::string error;
    WebPBitstreamFeatures features;
    if (!readWholeFile(input, webp, error)
        || WebPGetFeatures(webp.data(), webp.size(), &features) != VP8_STATUS_OK)
        return false;
    if (fit == 0 && (features.has_animation || features.has_alpha || features.format != 1))
        return convertDirect(input, output, quality, webp, pixels);
    WebpMetadata metadata;
    if (!decodeWebp(webp.data(), webp.size(), picture, planesSuitJpeg(quality), fit, metadata,
                    error))
        return false;
    std::FILE* file = std::fopen(output.c_str(), "wb");
    if (!file)
        return false;
    JpegWriter jpeg;
    const bool written = writeJpeg(jpeg, file, picture, metadata, quality);
    return std::fclose(file) == 0 && written;
}

bool convertViaPng(const std::string& input, const std::string& png, int quality)
{
    std::string error;
    std::vector<std::uint8_t> webp;
    Scanlines image;
    WebpMetadata metadata;
    OutputFile pngFile;
    if (!readWholeFile(input, webp, error)
        || !decodeWebp(webp.data(), webp.size(), image, metadata, error)
        || !pngFile.open(png, error) || !writePng(pngFile.descriptor(), image, metadata, error)
        || !pngFile.commit(OutputFile::Replace::Allowed, error))
        return false;
    std::FILE* in = std::fopen(png.c_str(), "rb");
    const std::string jpgPath = png.substr(0, png.size() - 4) + ".jpg";
    std::FILE* out = std::fopen(jpgPath.c_str(), "wb");
    const bool done = in && out && pngToJpeg(in, out, quality, error);
    if (in)
        std::fclose(in);
    if (out)
        std::fclose(out);
    unlink(png.c_str());
    return done;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    bool viaPng = false;
    bool workerCode = false;
    bool yuv = false;
    int jobs = 1;
    long fit = 0;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--via-png") == 0)
            viaPng = true;
        else if (std::strcmp(argv[first], "--worker-code") == 0)
            workerCode = true;
        else if (std::strcmp(argv[first], "--yuv") == 0)
            yuv = true;
        else if (std::strcmp(argv[first], "--jobs") == 0 && first + 1 < argc)
            jobs = std::max(1, std::atoi(argv[++first]));
        else if (std::strcmp(argv[first], "--fit") == 0 && first + 1 < argc)
            fit = std::atol(argv[++first]);
        else
            break;
    }
    const bool fitValid = fit == 0
                          || (fit >= long(orvalin::protocol::FitMin)
                              && fit <= long(orvalin::protocol::FitMax) && (workerCode || yuv));
    if (argc - first < 3 || !fitValid) {
        std::fputs("Usage: in-process-convert [--via-png | --worker-code] [--yuv] [--fit N] "
                   "[--jobs N] QUALITY OUT_DIR FILE.webp...\n"
                   "       --fit N: 16 to 65535, with --worker-code or --yuv\n",
                   stderr);
        return 2;
    }
    const orvalin::protocol::Choices choices{
        std::atoi(argv[first]), orvalin::protocol::MetadataKept::All, std::uint32_t(fit)};
    const int quality = std::atoi(argv[first]);
    const std::string outDir = argv[first + 1];
    const int firstFile = first + 2;
    std::atomic<int> next{firstFile};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        std::vector<std::uint8_t> webp;
        std::vector<std::uint8_t> pixels;
        DecodedPicture picture;
        WebpToJpegConverter converter;
        std::string reason;
        for (int i = next++; i < argc && !failed; i = next++) {
            const std::string jpg = outputName(outDir, argv[i], ".jpg");
            const bool done =
                viaPng       ? convertViaPng(argv[i], outputName(outDir, argv[i], ".png"), quality)
                : workerCode ? converter.convert(argv[i], jpg, choices, {}, reason)
                                   == ConversionOutcome::Converted
                : yuv ? convertFromPlanes(argv[i], jpg, quality, choices.fitWithin, webp, pixels,
                                          picture)
                      : convertDirect(argv[i], jpg, quality, webp, pixels);
            if (!done) {
                std::fprintf(stderr, "in-process-convert: cannot convert %s\n", argv[i]);
                failed = true;
            }
        }
    };
    const int threads = viaPng || workerCode ? 1 : std::min(jobs, argc - firstFile);
    std::vector<std::thread> others;
    for (int t = 1; t < threads; ++t)
        others.emplace_back(work);
    work();
    for (std::thread& thread : others)
        thread.join();
    return failed ? 1 : 0;
}
