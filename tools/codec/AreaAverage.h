#pragma once

// Shrinking 8-bit RGB or RGBA rows by area averaging: each pixel of the smaller picture is the
// mean of the pixels of the larger one under it, weighted by how much of each it covers. For
// pictures libwebp cannot scale while it decodes them: an animation's first frame, composed by
// our own code at the canvas's size, and a lossy picture with alpha, whose colours libwebp's
// scaler averages without weighting them by their alpha.
//
// Alpha weighs the colours (they are averaged premultiplied): a transparent pixel's colour,
// which nobody sees, must not bleed into its visible neighbours. A fully transparent pixel
// of the result is transparent black.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvalin::tools::area {

// The sums one source row gives each sample of the shrunk row: a source pixel spans `toWidth`
// units and a shrunk one `width`, so a shrunk pixel's weights add up to `width`. With 4
// channels the colours are premultiplied by alpha. Every source pixel falls on one shrunk
// pixel or across the border of two: toWidth <= width.
template <int Channels>
void sumRow(const std::uint8_t* row, std::uint32_t width, std::uint32_t toWidth,
            std::uint32_t* sums)
{
    for (std::size_t i = 0; i < std::size_t(toWidth) * Channels; ++i)
        sums[i] = 0;
    std::uint32_t* out = sums;
    std::uint64_t start = 0;
    std::uint64_t border = width; // the end of the shrunk pixel `out` is on
    for (std::uint32_t x = 0; x < width; ++x, row += Channels, start += toWidth) {
        std::uint32_t value[Channels];
        if constexpr (Channels == 4) {
            const std::uint32_t alpha = row[3];
            value[0] = row[0] * alpha;
            value[1] = row[1] * alpha;
            value[2] = row[2] * alpha;
            value[3] = alpha;
        } else {
            value[0] = row[0];
            value[1] = row[1];
            value[2] = row[2];
        }
        const std::uint64_t end = start + toWidth;
        const auto add = [&value](std::uint32_t* to, std::uint64_t weight) {
            for (int c = 0; c < Channels; ++c)
                to[c] += value[c] * std::uint32_t(weight);
        };
        if (end < border) {
            add(out, toWidth);
            continue;
        }
        add(out, border - start);
        out += Channels;
        if (end > border)
            add(out, end - border);
        border += width;
    }
}

// One shrunk row from its sums, each made of width * height units; the sums are cleared for
// the next row.
template <int Channels>
void emitRow(std::uint64_t* sums, std::uint32_t toWidth, double perUnit, std::uint8_t* row)
{
    for (std::uint32_t x = 0; x < toWidth; ++x, sums += Channels, row += Channels) {
        if constexpr (Channels == 4) {
            const std::uint64_t alpha = sums[3];
            row[3] = std::uint8_t(double(alpha) * perUnit + 0.5);
            const double perAlpha = alpha ? 1.0 / double(alpha) : 0.0;
            for (int c = 0; c < 3; ++c)
                row[c] = std::uint8_t(double(sums[c]) * perAlpha + 0.5);
        } else {
            for (int c = 0; c < Channels; ++c)
                row[c] = std::uint8_t(double(sums[c]) * perUnit + 0.5);
        }
        for (int c = 0; c < Channels; ++c)
            sums[c] = 0;
    }
}

// Shrinks height rows of width pixels, the first at `first`, each `stride` bytes after the one
// before, to toHeight rows of toWidth pixels each `toStride` bytes apart, in the same memory:
// a shrunk row is written only once the source rows it covers have been read, and never
// reaches a row not yet read (toWidth <= width, toHeight <= height, toStride <= stride).
// Throws std::bad_alloc when its two rows of sums cannot be had.
template <int Channels>
void shrinkInPlace(std::uint8_t* first, std::size_t stride, std::uint32_t width,
                   std::uint32_t height, std::uint32_t toWidth, std::uint32_t toHeight,
                   std::size_t toStride)
{
    static_assert(Channels == 3 || Channels == 4);
    const std::size_t samples = std::size_t(toWidth) * Channels;
    // A row's sums stay below 255 * 255 * width, which 32 bits hold for any WebP's width;
    // the rows' weighted sums need 64.
    std::vector<std::uint32_t> rowSums(samples);
    std::vector<std::uint64_t> sums(samples, 0);
    const double perUnit = 1.0 / (double(width) * double(height));
    std::uint8_t* to = first;
    std::uint64_t start = 0;
    std::uint64_t border = height; // a source row spans toHeight units, a shrunk one height
    for (std::uint32_t y = 0; y < height; ++y, start += toHeight) {
        sumRow<Channels>(first + std::size_t(y) * stride, width, toWidth, rowSums.data());
        const std::uint64_t end = start + toHeight;
        const auto add = [&](std::uint64_t weight) {
            for (std::size_t i = 0; i < samples; ++i)
                sums[i] += std::uint64_t(rowSums[i]) * weight;
        };
        if (end < border) {
            add(toHeight);
            continue;
        }
        add(border - start);
        emitRow<Channels>(sums.data(), toWidth, perUnit, to);
        to += toStride;
        if (end > border)
            add(end - border);
        border += height;
    }
}

} // namespace orvalin::tools::area
