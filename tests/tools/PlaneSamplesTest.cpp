// plane-samples-test: the arithmetic the JPEG writer does on a WebP's planes
// (tools/codec/PlaneSamples.h), step by step: the SSE2 code gives what the plain code beside
// it gives, the fixed-point mappings stay near the exact ones, libjpeg decodes a uniform block
// as the writer expects, and rounding keeps a block's DC where it is asked to. Exits 1 with a
// line per failure.

#include "tools/codec/PlaneSamples.h"

#include <cstdio> // before jpeglib.h, which uses FILE
#include <jpeglib.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace orvalin::tools::planes;

namespace {

int failures = 0;

void check(bool passed, const std::string& what)
{
    if (!passed && ++failures <= 20)
        std::fprintf(stderr, "FAIL: %s\n", what.c_str());
}

std::mt19937 random(20240611);

int below(int bound)
{
    return int(random() % std::uint32_t(bound));
}

// Rows of samples: noise over the whole range, or a narrow band, as smooth pictures have.
std::vector<std::uint8_t> samples(std::size_t count, bool smooth)
{
    const int base = below(256);
    const int spread = 1 + below(6);
    std::vector<std::uint8_t> row(count);
    for (auto& sample : row)
        sample = std::uint8_t(smooth ? std::min(255, base + below(spread)) : below(256));
    return row;
}

void mappingsStayNearExact()
{
    const PlaneTables& t = planeTables();
    for (int v = 0; v < 256; ++v) {
        const double luma = std::clamp((v - 16) * 255.0 / 219, 0.0, 255.0) * 128;
        const double chroma = std::clamp((v - 128) * 255.0 / 224 + 128, 0.0, 255.0) * 128;
        check(std::abs(t.luma[v] - luma) <= 1.5 && std::abs(t.chroma[v] - chroma) <= 1.5,
              "mapping of " + std::to_string(v) + " within 1.5/128 of a level");
        check(v == 0 || (t.luma[v] >= t.luma[v - 1] && t.chroma[v] >= t.chroma[v - 1]),
              "mappings never fall");
    }
}

// All 256 values, at widths whose last pixels the plain code takes; padding and rows past the
// plane's end repeat the last sample and row.
void chromaRowsMapAsTheTable()
{
    const PlaneTables& t = planeTables();
    for (std::uint32_t width : {256u, 263u, 7u}) {
        const std::size_t stride = (width + 15) / 16 * 16 + 16;
        std::vector<std::uint8_t> plane(width * 2);
        for (std::size_t i = 0; i < plane.size(); ++i)
            plane[i] = std::uint8_t(i * 7);
        std::vector<Fixed> out(stride * 3);
        mapChromaRows(plane.data(), width, width, 2, 0, 3, out.data(), stride);
        bool same = true;
        for (std::uint32_t row = 0; row < 3; ++row)
            for (std::size_t x = 0; x < stride; ++x)
                same &= out[row * stride + x]
                        == t.chroma[plane[std::min(row, 1u) * width
                                          + std::min<std::size_t>(x, width - 1)]];
        check(same, "chroma rows of " + std::to_string(width) + " map as the table, padded");
    }
}

void chromaTermsAsTheTables()
{
    const PlaneTables& t = planeTables();
    for (int trial = 0; trial < 300; ++trial) {
        const std::uint32_t count = 1 + below(70);
        const std::size_t stride = (count + 7) / 8 * 8 + 8;
        const auto u = samples(stride, trial % 2), v = samples(stride, trial % 2);
        const auto cb = samples(stride, false), cr = samples(stride, false);
        std::vector<int> uniform(stride / 8, -1);
        uniform[0] = below(256); // a uniform block: libjpeg sees its decoded value
        std::vector<std::uint16_t> webp[3];
        std::vector<std::int16_t> jpeg[4];
        for (auto& terms : webp)
            terms.resize(stride);
        for (auto& terms : jpeg)
            terms.resize(stride);
        const ChromaTerms terms{webp[0].data(), webp[1].data(), webp[2].data(), jpeg[0].data(),
                                jpeg[1].data(), jpeg[2].data(), jpeg[3].data()};
        chromaTerms(u.data(), v.data(), cb.data(), cr.data(), uniform.data(), uniform.data(), count,
                    terms);
        bool same = true;
        for (std::uint32_t c = 0; c < count; ++c) {
            const int seenCb = uniform[c / 8] >= 0 ? uniform[c / 8] : cb[c];
            const int seenCr = uniform[c / 8] >= 0 ? uniform[c / 8] : cr[c];
            int expected[3];
            jpegChromaTerms(t, seenCb, seenCr, expected);
            same &= webp[0][c] == std::uint16_t(t.webpRv[v[c]])
                    && webp[1][c] == std::uint16_t(t.webpGu[u[c]] + t.webpGv[v[c]])
                    && webp[2][c] == std::uint16_t(t.webpBu[u[c]]) && jpeg[0][c] == expected[0]
                    && jpeg[1][c] == expected[1] && jpeg[2][c] == expected[2]
                    && jpeg[3][c] == expected[0] + expected[1] + expected[2] + 3 * WebpOffsetLevels;
        }
        check(same, "chroma terms of " + std::to_string(count) + " samples as the tables");
    }
}

void lumaTargetsAsThePlainCode()
{
    for (int trial = 0; trial < 600; ++trial) {
        const std::uint32_t width = 1 + below(90);
        const std::uint32_t count = (width + 1) / 2;
        const std::size_t stride = (count + 7) / 8 * 8 + 8;
        // Bright, dark and saturated pixels, which the WebP's decoder clips, and plain ones.
        const auto y = samples(width, trial % 3 == 0);
        const auto u = samples(stride, trial % 2), v = samples(stride, trial % 2);
        const auto cb = samples(stride, true), cr = samples(stride, true);
        std::vector<int> uniform(stride / 8, -1);
        std::vector<std::uint16_t> webp[3];
        std::vector<std::int16_t> jpeg[4];
        for (auto& terms : webp)
            terms.resize(stride);
        for (auto& terms : jpeg)
            terms.resize(stride);
        const ChromaTerms terms{webp[0].data(), webp[1].data(), webp[2].data(), jpeg[0].data(),
                                jpeg[1].data(), jpeg[2].data(), jpeg[3].data()};
        chromaTerms(u.data(), v.data(), cb.data(), cr.data(), uniform.data(), uniform.data(), count,
                    terms);
        std::vector<Fixed> out(width);
        lumaTargets(y.data(), width, terms, out.data());
        bool same = true;
        bool near = true;
        for (std::uint32_t x = 0; x < width; ++x) {
            same &= out[x] == lumaTarget(y[x], x / 2, terms);
            near &= std::abs(out[x] - planeTables().luma[y[x]]) <= 1 << FractionBits;
        }
        check(same, "luma targets of " + std::to_string(width) + " pixels as the plain code");
        check(near, "luma targets within a level of the plain mapping");
    }
}

// Grey has no chroma term in a JPEG: the target is the mean of the three levels the WebP's
// decoder shows (which may differ by one, as its rounding does), to 1/128 of a level.
void greyKeepsTheWebpLevels()
{
    const PlaneTables& t = planeTables();
    std::uint16_t webp[3][8];
    std::int16_t jpeg[4][8];
    const ChromaTerms terms{webp[0], webp[1], webp[2], jpeg[0], jpeg[1], jpeg[2], jpeg[3]};
    const std::uint8_t grey[8] = {128, 128, 128, 128, 128, 128, 128, 128};
    const int none[1] = {-1};
    chromaTerms(grey, grey, grey, grey, none, none, 8, terms);
    for (int y = 17; y <= 234; ++y) {
        double mean = 0;
        for (const int term : {t.webpRv[128], t.webpGu[128] + t.webpGv[128], t.webpBu[128]})
            mean += (webpLevel(t.webpLuma[y] + term) - WebpOffsetLevels) / 3.0;
        check(std::abs(lumaTarget(y, 0, terms) - mean * (1 << FractionBits)) <= 1,
              "grey " + std::to_string(y) + ": the mean of the WebP decoder's levels");
    }
}

// A JPEG of one block of one sample value, decoded by libjpeg.
int libjpegDecodesUniform(int sample, int quality, int& quant)
{
    jpeg_compress_struct compress;
    jpeg_error_mgr errors;
    compress.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compress);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compress, &bytes, &size);
    compress.image_width = 8;
    compress.image_height = 8;
    compress.input_components = 1;
    compress.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, quality, TRUE);
    jpeg_start_compress(&compress, TRUE);
    quant = compress.quant_tbl_ptrs[0]->quantval[0];
    unsigned char row[8];
    std::memset(row, sample, 8);
    JSAMPROW rows[1] = {row};
    for (int i = 0; i < 8; ++i)
        jpeg_write_scanlines(&compress, rows, 1);
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);

    jpeg_decompress_struct decompress;
    decompress.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompress);
    jpeg_mem_src(&decompress, bytes, size);
    jpeg_read_header(&decompress, TRUE);
    jpeg_start_decompress(&decompress);
    unsigned char decoded[8];
    JSAMPROW out[1] = {decoded};
    jpeg_read_scanlines(&decompress, out, 1);
    jpeg_abort_decompress(&decompress);
    jpeg_destroy_decompress(&decompress);
    std::free(bytes);
    return decoded[3];
}

void uniformBlocksDecodeAsExpected()
{
    for (int quality : {1, 10, 30, 50, 75, 85, 95, 100})
        for (int sample = 0; sample < 256; sample += 5) {
            int quant = 0;
            const int decoded = libjpegDecodesUniform(sample, quality, quant);
            check(decoded == decodedUniform(sample, quant),
                  "quality " + std::to_string(quality) + ": sample " + std::to_string(sample)
                      + " decodes to " + std::to_string(decoded) + ", expected "
                      + std::to_string(decodedUniform(sample, quant)));
        }
}

void blocksSettle()
{
    for (int trial = 0; trial < 2000; ++trial) {
        const int quant = 1 + below(60);
        const bool uniform = trial % 5 == 0;
        std::vector<Fixed> fixed(64);
        const int base = below(FixedMax);
        for (auto& value : fixed)
            value = Fixed(uniform ? base : std::clamp(base + below(2000) - 1000, 0, FixedMax));
        std::vector<unsigned char> out(64);
        roundValues(fixed.data(), out.data(), out.size());
        const std::vector<unsigned char> plain = out;
        const int decoded = settleBlock(fixed.data(), 8, out.data(), 8, quant);
        long fixedSum = 0;
        long sum = 0;
        int furthest = 0;
        for (int i = 0; i < 64; ++i) {
            fixedSum += fixed[i];
            sum += out[i];
            furthest = std::max(furthest, std::abs(out[i] - plain[i]));
        }
        if (uniform) {
            // The uniform sample whose decoded value comes nearest the exact value.
            bool nearest = decoded == decodedUniform(out[0], quant);
            for (int s = 0; s < 256; ++s)
                nearest &= std::abs((decodedUniform(s, quant) << FractionBits) - fixed[0])
                           >= std::abs((decoded << FractionBits) - fixed[0]);
            check(nearest && furthest <= 32, "a uniform block decodes nearest its value");
        } else if (keepsDc(quant)) {
            check(decoded < 0 && dcIndex(sum, quant) == exactDcIndex(fixedSum, quant)
                      && furthest <= 1,
                  "quant " + std::to_string(quant)
                      + ": the DC kept, no sample more than a level off");
        } else {
            check(decoded < 0 && furthest == 0,
                  "quant " + std::to_string(quant) + ": rounded only");
        }
    }
}

} // namespace

int main()
{
    mappingsStayNearExact();
    chromaRowsMapAsTheTable();
    chromaTermsAsTheTables();
    lumaTargetsAsThePlainCode();
    greyKeepsTheWebpLevels();
    uniformBlocksDecodeAsExpected();
    blocksSettle();
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
