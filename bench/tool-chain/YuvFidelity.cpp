// yuv-fidelity: how close the converter worker's JPG of a lossy picture without alpha comes to
// the WebP's own pixels on its two ways, from RGB rows (libwebp's upsampling and colour
// conversion, then libjpeg's) and from the planes, and what each costs in bytes.
//
//   yuv-fidelity [--qualities Q,Q,...] [--each] [--exact] FILE.webp...
//
// Each lossy still without alpha among the files (the others go one way only) is decoded to
// RGB by libwebp as dwebp decodes it, the reference; then for each quality (default 50,85,89)
// it is encoded into memory both ways with the worker's own code (decodeWebp and writeJpeg),
// each JPG decoded by libjpeg as djpeg decodes it (fancy upsampling, the accurate integer
// DCT), and its PSNR over the three channels taken against the reference. Prints per quality
// the mean PSNR of each way, the mean and the worst difference (planes less rows, and the file
// where it is worst), and the planes' bytes to the rows'; with --each, a line per file. With
// --exact, each line also gives both PSNRs against the WebP's exact decoding, in floating
// point before any rounding to 8 bits (the chroma blended 9:3:3:1 as libwebp blends it).

#include "tools/codec/JpegWriter.h"
#include "tools/codec/WebpDecoding.h"
#include "tools/convert-worker/ConvertWorker.h"

#include <jpeglib.h>
#include <webp/decode.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace orvalin::tools;

namespace {

// The PSNR given to a JPG equal to the reference, so a mean stays finite.
constexpr double IdenticalPsnr = 99.0;

struct Encoded
{
    std::vector<std::uint8_t> jpeg;
    std::vector<std::uint8_t> rgb; // the JPG decoded
};

bool encode(const std::vector<std::uint8_t>& webp, bool planes, int quality, Encoded& out)
{
    DecodedPicture picture;
    WebpMetadata metadata;
    std::string error;
    if (!decodeWebp(webp.data(), webp.size(), picture, planes, metadata, error)
        || picture.planar != planes)
        return false;
    char* bytes = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&bytes, &size);
    if (!file)
        return false;
    JpegWriter jpeg;
    const bool written = writeJpeg(jpeg, file, picture, metadata, quality);
    std::fclose(file);
    out.jpeg.assign(bytes, bytes + size);
    std::free(bytes);
    return written;
}

// libjpeg's default decoding, which djpeg uses.
bool decodeJpeg(Encoded& encoded, int width, int height)
{
    jpeg_decompress_struct jpeg;
    jpeg_error_mgr errors;
    jpeg.err = jpeg_std_error(&errors); // exits on error, fine for a benchmark
    jpeg_create_decompress(&jpeg);
    jpeg_mem_src(&jpeg, encoded.jpeg.data(), static_cast<unsigned long>(encoded.jpeg.size()));
    jpeg_read_header(&jpeg, TRUE);
    jpeg.out_color_space = JCS_RGB;
    jpeg_start_decompress(&jpeg);
    const bool sameSize = int(jpeg.output_width) == width && int(jpeg.output_height) == height;
    encoded.rgb.resize(std::size_t(jpeg.output_width) * jpeg.output_height * 3);
    while (jpeg.output_scanline < jpeg.output_height) {
        JSAMPROW row = encoded.rgb.data() + std::size_t(jpeg.output_scanline) * width * 3;
        jpeg_read_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_decompress(&jpeg);
    jpeg_destroy_decompress(&jpeg);
    return sameSize;
}

template <typename Sample>
double psnr(const Sample* reference, const std::vector<std::uint8_t>& other)
{
    double squares = 0;
    for (std::size_t i = 0; i < other.size(); ++i) {
        const double d = double(reference[i]) - double(other[i]);
        squares += d * d;
    }
    if (squares == 0)
        return IdenticalPsnr;
    return 10 * std::log10(255.0 * 255.0 / (squares / double(other.size())));
}

// The WebP's pixels before libwebp rounds them: BT.601 from studio range in floating point,
// the chroma blended 9:3:3:1 from the four samples nearest each pixel, clipped to 0 to 255.
std::vector<double> exactDecoding(const std::vector<std::uint8_t>& webp)
{
    int width = 0;
    int height = 0;
    int stride = 0;
    int chromaStride = 0;
    std::uint8_t* u = nullptr;
    std::uint8_t* v = nullptr;
    std::uint8_t* y =
        WebPDecodeYUV(webp.data(), webp.size(), &width, &height, &u, &v, &stride, &chromaStride);
    if (!y)
        return {};
    const int chromaWidth = (width + 1) / 2;
    const int chromaHeight = (height + 1) / 2;
    const auto blend = [&](const std::uint8_t* plane, int x, int row) {
        const int cx = x / 2;
        const int cy = row / 2;
        const int sx = std::clamp(x % 2 ? cx + 1 : cx - 1, 0, chromaWidth - 1);
        const int sy = std::clamp(row % 2 ? cy + 1 : cy - 1, 0, chromaHeight - 1);
        return (9.0 * plane[cy * chromaStride + cx] + 3.0 * plane[cy * chromaStride + sx]
                + 3.0 * plane[sy * chromaStride + cx] + plane[sy * chromaStride + sx])
               / 16;
    };
    std::vector<double> rgb(std::size_t(width) * height * 3);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const double luma = 255.0 / 219 * (y[row * stride + x] - 16);
            const double cb = 255.0 / 224 * (blend(u, x, row) - 128);
            const double cr = 255.0 / 224 * (blend(v, x, row) - 128);
            const double channels[3] = {luma + 1.402 * cr, luma - 0.344136 * cb - 0.714136 * cr,
                                        luma + 1.772 * cb};
            for (int c = 0; c < 3; ++c)
                rgb[(std::size_t(row) * width + x) * 3 + c] = std::clamp(channels[c], 0.0, 255.0);
        }
    WebPFree(y);
    return rgb;
}

struct Totals
{
    int files = 0;
    double rowsPsnr = 0;
    double planesPsnr = 0;
    double worst = 1e9;
    std::string worstFile;
    double rowsBytes = 0;
    double planesBytes = 0;
};

std::vector<int> parseQualities(const char* list)
{
    std::vector<int> qualities;
    for (const char* at = list; *at;) {
        char* end = nullptr;
        const long q = std::strtol(at, &end, 10);
        if (end == at || q < 1 || q > 100)
            return {};
        qualities.push_back(int(q));
        at = *end == ',' ? end + 1 : end;
    }
    return qualities;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int> qualities = {50, 85, 89};
    bool each = false;
    bool exact = false;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--qualities") == 0 && first + 1 < argc)
            qualities = parseQualities(argv[++first]);
        else if (std::strcmp(argv[first], "--each") == 0)
            each = true;
        else if (std::strcmp(argv[first], "--exact") == 0)
            exact = each = true;
        else
            break;
    }
    if (first == argc || qualities.empty()) {
        std::fputs("Usage: yuv-fidelity [--qualities Q,Q,...] [--each] [--exact] FILE.webp...\n",
                   stderr);
        return 2;
    }
    std::vector<Totals> totals(qualities.size());
    int others = 0;
    for (int i = first; i < argc; ++i) {
        std::vector<std::uint8_t> webp;
        std::string error;
        WebPBitstreamFeatures features;
        if (!readWholeFile(argv[i], webp, error)
            || WebPGetFeatures(webp.data(), webp.size(), &features) != VP8_STATUS_OK) {
            std::fprintf(stderr, "yuv-fidelity: cannot read %s\n", argv[i]);
            return 1;
        }
        if (features.has_animation || features.has_alpha || features.format != 1) {
            ++others;
            continue;
        }
        int width = 0;
        int height = 0;
        std::uint8_t* reference = WebPDecodeRGB(webp.data(), webp.size(), &width, &height);
        if (!reference) {
            std::fprintf(stderr, "yuv-fidelity: cannot decode %s\n", argv[i]);
            return 1;
        }
        const std::vector<double> unrounded = exact ? exactDecoding(webp) : std::vector<double>();
        for (std::size_t q = 0; q < qualities.size(); ++q) {
            Encoded rows;
            Encoded planes;
            if (!encode(webp, false, qualities[q], rows)
                || !encode(webp, true, qualities[q], planes) || !decodeJpeg(rows, width, height)
                || !decodeJpeg(planes, width, height)) {
                std::fprintf(stderr, "yuv-fidelity: cannot convert %s\n", argv[i]);
                return 1;
            }
            const double rowsPsnr = psnr(reference, rows.rgb);
            const double planesPsnr = psnr(reference, planes.rgb);
            Totals& t = totals[q];
            ++t.files;
            t.rowsPsnr += rowsPsnr;
            t.planesPsnr += planesPsnr;
            t.rowsBytes += double(rows.jpeg.size());
            t.planesBytes += double(planes.jpeg.size());
            if (planesPsnr - rowsPsnr < t.worst) {
                t.worst = planesPsnr - rowsPsnr;
                t.worstFile = argv[i];
            }
            if (!each)
                continue;
            std::printf("q%d %dx%d rows %.3f dB %zu B, planes %.3f dB %zu B, %+.3f dB %+.2f%%",
                        qualities[q], width, height, rowsPsnr, rows.jpeg.size(), planesPsnr,
                        planes.jpeg.size(), planesPsnr - rowsPsnr,
                        100.0 * (double(planes.jpeg.size()) / double(rows.jpeg.size()) - 1));
            if (!unrounded.empty())
                std::printf("; exact: rows %.3f dB, planes %.3f dB",
                            psnr(unrounded.data(), rows.rgb), psnr(unrounded.data(), planes.rgb));
            std::printf("  %s\n", argv[i]);
        }
        WebPFree(reference);
    }
    std::printf("%d lossy pictures without alpha (%d others left out)\n", totals[0].files, others);
    if (totals[0].files == 0)
        return 0;
    std::printf("quality | rows: mean PSNR | planes: mean PSNR | mean difference | worst "
                "difference | bytes, planes to rows\n");
    for (std::size_t q = 0; q < qualities.size(); ++q) {
        const Totals& t = totals[q];
        std::printf("%d | %.3f dB | %.3f dB | %+.3f dB | %+.3f dB (%s) | %.4f\n", qualities[q],
                    t.rowsPsnr / t.files, t.planesPsnr / t.files,
                    (t.planesPsnr - t.rowsPsnr) / t.files, t.worst, t.worstFile.c_str(),
                    t.planesBytes / t.rowsBytes);
    }
    return 0;
}
