// area-average-test: shrinking rows by area averaging (tools/codec/AreaAverage.h) and the size
// a picture fits within (tools/codec/FitWithin.h). The shrinker, working in place with
// running borders, must give what the plain definition gives: each shrunk pixel the mean of
// the source pixels it covers, weighted by the area it covers of each, and for RGBA by alpha
// too. Exits 1 with a line per failure.

#include "tools/codec/AreaAverage.h"
#include "tools/codec/FitWithin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace orvalin::tools;

namespace {

int failures = 0;

void check(bool passed, const std::string& what)
{
    if (!passed && ++failures <= 20)
        std::fprintf(stderr, "FAIL: %s\n", what.c_str());
}

std::string sizeText(PictureSize size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

void fittedSizes()
{
    struct Case
    {
        std::uint32_t width, height, fit;
        PictureSize expected;
    };
    const Case cases[] = {
        {4272, 2848, 1920, {1920, 1280}}, // landscape, exact
        {2560, 3837, 1920, {1281, 1920}}, // portrait: 1280.99 rounds up
        {1200, 800, 500, {500, 333}},     // 333.33 rounds down
        {1000, 750, 333, {333, 250}},     // 249.75
        {100, 30, 20, {20, 6}},           // exactly 6
        {1000, 25, 20, {20, 1}},          // 0.5 rounds up
        {3, 203, 16, {1, 16}},            // 0.24: at least 1
        {16383, 1, 16, {16, 1}},
        {777, 777, 16, {16, 16}},         // square
        {1920, 1080, 1920, {1920, 1080}}, // exactly the size: kept
        {640, 480, 1920, {640, 480}},     // smaller: never enlarged
        {640, 480, 0, {640, 480}},        // 0: kept
    };
    for (const Case& c : cases) {
        const PictureSize got = fittedSize(c.width, c.height, c.fit);
        check(got == c.expected, std::to_string(c.width) + "x" + std::to_string(c.height)
                                     + " within " + std::to_string(c.fit) + ": " + sizeText(got)
                                     + ", not " + sizeText(c.expected));
    }
}

// The plain definition: the source pixel (x, y) covers [x, x + 1) x [y, y + 1), the shrunk
// pixel (X, Y) the rectangle [X * w / W, (X + 1) * w / W) x [Y * h / H, ...); the weights are
// the overlaps' areas, and alpha weighs the colours.
std::vector<double> plainShrink(const std::vector<std::uint8_t>& source, int channels,
                                std::uint32_t width, std::uint32_t height, PictureSize to)
{
    const auto overlap = [](double a0, double a1, double b0, double b1) {
        return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
    };
    std::vector<double> shrunk(std::size_t(to.width) * to.height * channels);
    for (std::uint32_t Y = 0; Y < to.height; ++Y)
        for (std::uint32_t X = 0; X < to.width; ++X) {
            const double x0 = double(X) * width / to.width, x1 = double(X + 1) * width / to.width;
            const double y0 = double(Y) * height / to.height;
            const double y1 = double(Y + 1) * height / to.height;
            double sums[4] = {};
            double area = 0;
            for (std::uint32_t y = 0; y < height; ++y)
                for (std::uint32_t x = 0; x < width; ++x) {
                    const double weight = overlap(x, x + 1, x0, x1) * overlap(y, y + 1, y0, y1);
                    const std::uint8_t* p = &source[(std::size_t(y) * width + x) * channels];
                    const double alpha = channels == 4 ? p[3] : 255;
                    for (int c = 0; c < 3; ++c)
                        sums[c] += weight * p[c] * alpha;
                    sums[3] += weight * alpha;
                    area += weight;
                }
            double* out = &shrunk[(std::size_t(Y) * to.width + X) * channels];
            for (int c = 0; c < 3; ++c)
                out[c] = sums[3] > 0 ? sums[c] / sums[3] : 0;
            if (channels == 4)
                out[3] = sums[3] / area;
        }
    return shrunk;
}

// Random pictures of many sizes, each shrunk to sizes from one pixel to its own, in rows with a
// byte before each (as the decoded picture holds them): the shrunk rows must round the plain
// definition's values, and leave the byte before the first alone.
void shrinkingAsDefined()
{
    std::mt19937 random(20250601);
    const auto below = [&random](std::uint32_t bound) { return std::uint32_t(random() % bound); };
    for (int round = 0; round < 400; ++round) {
        const int channels = round % 2 ? 4 : 3;
        const std::uint32_t width = 1 + below(37), height = 1 + below(29);
        const PictureSize to = {1 + below(width), 1 + below(height)};
        std::vector<std::uint8_t> source(std::size_t(width) * height * channels);
        // Some alphas 0 and 255, as pictures have them; colours under alpha 0 too.
        for (std::size_t i = 0; i < source.size(); ++i)
            source[i] = std::uint8_t(
                channels == 4 && i % 4 == 3 && below(3) == 0 ? (below(2) ? 0 : 255) : below(256));
        const std::size_t stride = 1 + std::size_t(width) * channels + below(3);
        const std::size_t toStride = 1 + std::size_t(to.width) * channels;
        std::vector<std::uint8_t> rows(stride * height, 0xa5);
        for (std::uint32_t y = 0; y < height; ++y)
            std::copy_n(&source[std::size_t(y) * width * channels], width * channels,
                        &rows[y * stride + 1]);
        if (channels == 4)
            area::shrinkInPlace<4>(rows.data() + 1, stride, width, height, to.width, to.height,
                                   toStride);
        else
            area::shrinkInPlace<3>(rows.data() + 1, stride, width, height, to.width, to.height,
                                   toStride);
        const std::vector<double> expected = plainShrink(source, channels, width, height, to);
        const std::string what = std::to_string(channels) + " channels, "
                                 + sizeText({width, height}) + " to " + sizeText(to);
        bool same = true;
        check(rows[0] == 0xa5, what + ": the byte before the first row is left alone");
        for (std::uint32_t y = 0; y < to.height && same; ++y) {
            for (std::uint32_t i = 0; i < to.width * channels && same; ++i) {
                const double want = expected[std::size_t(y) * to.width * channels + i];
                const int got = rows[y * toStride + 1 + i];
                // The colour of a translucent pixel rounds through its alpha's sum, the same
                // in both; elsewhere the nearest level, a hair either side of a half.
                same = std::abs(got - want) <= 0.5 + 1e-6;
                check(same, what + ": sample " + std::to_string(i) + " of row " + std::to_string(y)
                                + " is " + std::to_string(got) + ", not " + std::to_string(want));
            }
        }
    }
}

// A translucent edge: opaque red beside transparent black, which an average of colours
// without their alpha would turn dark red.
void alphaWeighsColours()
{
    std::uint8_t row[1 + 8] = {0, 255, 0, 0, 255, 0, 0, 0, 0};
    area::shrinkInPlace<4>(row + 1, 9, 2, 1, 1, 1, 5);
    check(row[1] == 255 && row[2] == 0 && row[3] == 0 && row[4] == 128,
          "red over transparent black shrinks to half-transparent red");
}

} // namespace

int main()
{
    fittedSizes();
    shrinkingAsDefined();
    alphaWeighsColours();
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
