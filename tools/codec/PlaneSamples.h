#pragma once

// The arithmetic JpegWriter::writeStudioRangePlanes does on a WebP's Y, U and V planes before
// libjpeg takes them, kept apart so a test can check each step, the SSE2 code against the
// plain code beside it above all.
//
// A WebP keeps its samples in studio range and a JPEG in full range; mapping each sample to
// the nearest full-range value would be all it takes, were the samples not integers on both
// sides. Rounded on their own, Y, Cb and Cr err apart, and the error of each chroma sample
// reaches R, G and B amplified (1.402 and 1.772 times); the WebP's own RGB pixels, rounded by
// its decoder, err another way. A plain mapping came out up to 0.7 dB below converting through
// RGB on smooth pictures (a sky), where such errors are the same over whole blocks and tip
// blocks' DC coefficients into the next quantiser step. So:
//
// - Each luma sample is the Y' that brings the pixel libjpeg decodes nearest, in the sum of
//   squares over R, G and B, to the pixel the WebP's decoder shows (libwebp's BT.601
//   arithmetic), given the chroma the JPEG decoder will see at the pixel's chroma sample: the
//   luma takes up the chroma's rounding. Channels the WebP's decoder clips are left out, as
//   any value past the limit decodes to it, and the luma stays within a level of the plain
//   mapping. (Both decoders blend the four chroma samples nearest a pixel, 9:3:3:1. Following
//   the blends gains up to half a dB on synthetic gradients whose chroma changes steeply, at
//   qualities from 87 up, but doubles this arithmetic, which then costs more than converting
//   through RGB did.)
// - A block of one value decodes to one value, its quantised DC rounded by the inverse DCT:
//   it gets the uniform sample whose decoded value comes nearest its exact one, and an MCU of
//   one colour the three (Y, Cb, Cr) whose decoded pixel comes nearest the WebP's.
// - Where the DC step is a sample level or more, rounding 64 samples can move a block's DC
//   coefficient by a whole step: the fewest samples that lie nearest a half are rounded the
//   other way so that it quantises as the exact values would. Below that step the samples so
//   changed would outlive the quantiser as noise, so there they are only rounded.
//
// Values in between are 16-bit fixed point with 7 fractional bits; the luma, the bulk of the
// work, is computed 8 pixels at a time with SSE2 where the compiler targets it.

#include "tools/codec/JpegWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvalin::tools::planes {

// An iMCU row of a 4:2:0 JPEG: 16 luma rows, 8 rows of each chroma component.
constexpr std::uint32_t LumaRowsPerMcu = 16;
constexpr std::uint32_t ChromaRowsPerMcu = 8;

using Fixed = std::int16_t;
constexpr int FractionBits = 7;
constexpr int FixedHalf = 1 << (FractionBits - 1);
constexpr int FixedMax = 255 << FractionBits;
constexpr int BlockSamples = 64;

// libwebp's YUV to RGB works in 6 fractional bits: a channel is (luma term + chroma terms) >>
// 6, clipped to 0 to 255. An offset of 277 levels keeps every sum of terms positive in 16 bits.
constexpr int WebpOffsetLevels = 277;
constexpr int WebpOffset = WebpOffsetLevels << 6;

// The mappings in fixed point, as 16-bit arithmetic does them, within 1.2/128 of a level of
// the exact values: luma (y - 16) * 255 / 219 as ((y << 8 | 1) * 38154 >> 16) - 2385, chroma
// (c - 128) * 255 / 224 + 128 as ((c << 8 | 1) * 37303 >> 16) - 2267.
constexpr std::uint32_t LumaFactor = 38154;
constexpr int LumaOffset = 2385;
constexpr std::uint32_t ChromaFactor = 37303;
constexpr int ChromaOffset = 2267;

struct PlaneTables
{
    Fixed luma[256];   // full-range Y' of a studio-range Y, clamped to 0 to 255
    Fixed chroma[256]; // full-range C of a studio-range C, clamped
    int webpLuma[256]; // libwebp's luma term
    int webpRv[256];   // its chroma terms (the rounding included), each with WebpOffset
    int webpGu[256];
    int webpGv[256];
    int webpBu[256];
    // libjpeg's YCbCr to RGB: R = Y + jpegRcr, G = Y + ((jpegGcb + jpegGcr) >> 16), B = Y +
    // jpegBcb.
    int jpegRcr[256];
    int jpegBcb[256];
    int jpegGcb[256];
    int jpegGcr[256];

    PlaneTables()
    {
        for (int v = 0; v < 256; ++v) {
            // Unsigned: the products pass 2^31.
            const std::uint32_t shifted = std::uint32_t(v) << 8 | 1;
            luma[v] = Fixed(std::clamp(int(shifted * LumaFactor >> 16) - LumaOffset, 0, FixedMax));
            chroma[v] =
                Fixed(std::clamp(int(shifted * ChromaFactor >> 16) - ChromaOffset, 0, FixedMax));
            webpLuma[v] = (v * 19077) >> 8;
            webpRv[v] = ((v * 26149) >> 8) - 14234 + WebpOffset;
            webpGu[v] = -((v * 6419) >> 8) + 8708 + WebpOffset;
            webpGv[v] = -((v * 13320) >> 8);
            webpBu[v] = ((v * 33050) >> 8) - 17685 + WebpOffset;
            const int x = v - 128;
            jpegRcr[v] = (91881 * x + 32768) >> 16;
            jpegBcb[v] = (116130 * x + 32768) >> 16;
            jpegGcb[v] = -22554 * x + 32768;
            jpegGcr[v] = -46802 * x;
        }
    }
};

inline const PlaneTables& planeTables()
{
    static const PlaneTables tables;
    return tables;
}

// What libjpeg adds to Y' for R, G and B at chroma Cb, Cr.
inline void jpegChromaTerms(const PlaneTables& t, int cb, int cr, int terms[3])
{
    terms[0] = t.jpegRcr[cr];
    terms[1] = (t.jpegGcb[cb] + t.jpegGcr[cr]) >> 16;
    terms[2] = t.jpegBcb[cb];
}

// The WebP decoder's channel, offset by WebpOffsetLevels, from its sum of terms; it clips the
// channel unless that lies within WebpOffsetLevels to WebpOffsetLevels + 255.
inline int webpLevel(int sum)
{
    return sum >> 6;
}

inline bool webpClips(int level)
{
    return level < WebpOffsetLevels || level > WebpOffsetLevels + 255;
}

// The index libjpeg quantises a block's DC coefficient to, from the sum of its 64 samples:
// the coefficient is the sum less 64 * 128, the divisor 8 * quant, rounded half away from 0.
inline long dcIndex(long sampleSum, int quant)
{
    const long value = sampleSum - BlockSamples * 128;
    const long divisor = 8L * quant;
    return value < 0 ? -((-value + divisor / 2) / divisor) : (value + divisor / 2) / divisor;
}

// The same for a fixed-point sum: the index the exact values would get.
inline long exactDcIndex(long fixedSum, int quant)
{
    const long value = fixedSum - (long(BlockSamples) * 128 << FractionBits);
    const long divisor = (8L * quant) << FractionBits;
    return value < 0 ? -((-value + divisor / 2) / divisor) : (value + divisor / 2) / divisor;
}

// The sample sums libjpeg quantises to index: first to last.
inline void dcIndexRange(long index, int quant, long& first, long& last)
{
    const long divisor = 8L * quant;
    const long half = divisor / 2;
    if (index > 0) {
        first = index * divisor - half;
        last = (index + 1) * divisor - half - 1;
    } else if (index < 0) {
        first = -((-index + 1) * divisor - half - 1);
        last = -(-index * divisor - half);
    } else {
        first = -(half - 1);
        last = half - 1;
    }
    first += BlockSamples * 128;
    last += BlockSamples * 128;
}

// What libjpeg decodes a block of one sample value to: its DC coefficient alone, through the
// inverse DCT's rounding.
inline int decodedUniform(int sample, int quant)
{
    const long index = dcIndex(long(BlockSamples) * sample, quant);
    return std::clamp(128 + int((index * quant * 4 + 16) >> 5), 0, 255);
}

struct UniformChoice
{
    int sample;
    int decoded;
};

// Reaching one DC step each way takes at most 32 levels (quant 255).
constexpr int MaxUniformChoices = 2 * 32 + 1;

// The uniform sample values around a fixed-point value, as far as one DC step each way, that
// decode to different values. Returns how many.
inline int uniformChoices(int fixed, int quant, UniformChoice (&out)[MaxUniformChoices])
{
    const int nearest = (fixed + FixedHalf) >> FractionBits;
    const int reach = std::max(1, (quant + 7) / 8);
    int count = 0;
    for (int s = std::max(0, nearest - reach); s <= std::min(255, nearest + reach); ++s) {
        const int decoded = decodedUniform(s, quant);
        if (count == 0 || out[count - 1].decoded != decoded)
            out[count++] = {s, decoded};
    }
    return count;
}

// Rank of each sample of a block in an 8x8 ordered-dither matrix: of samples equally near a
// half, those rounded the other way are spread over the block.
inline constexpr unsigned char DitherRank[BlockSamples] = {
    0,  32, 8,  40, 2,  34, 10, 42, 48, 16, 56, 24, 50, 18, 58, 26, 12, 44, 4,  36, 14, 46,
    6,  38, 60, 28, 52, 20, 62, 30, 54, 22, 3,  35, 11, 43, 1,  33, 9,  41, 51, 19, 59, 27,
    49, 17, 57, 25, 15, 47, 7,  39, 13, 45, 5,  37, 63, 31, 55, 23, 61, 29, 53, 21};

// Where the DC step is a sample level or more, blocks keep the exact values' DC.
inline bool keepsDc(int quant)
{
    return quant >= 8;
}

// Rounds the samples of a block whose DC is kept: the fewest samples nearest a half go the
// other way, so the sum lands where libjpeg quantises it as the exact sum.
inline void roundKeepingDc(const Fixed* fixed, std::size_t fixedStride, unsigned char* out,
                           std::size_t outStride, int quant)
{
    int samples[BlockSamples];
    int residual[BlockSamples];
    long fixedSum = 0;
    long sum = 0;
    for (int i = 0; i < BlockSamples; ++i) {
        const int value = fixed[(i >> 3) * fixedStride + (i & 7)];
        samples[i] = (value + FixedHalf) >> FractionBits;
        residual[i] = value - (samples[i] << FractionBits);
        fixedSum += value;
        sum += samples[i];
    }
    long first = 0;
    long last = 0;
    dcIndexRange(exactDcIndex(fixedSum, quant), quant, first, last);
    const long change = std::clamp(sum, first, last) - sum;
    if (change != 0) {
        // Whole levels for all samples, then one more for those nearest a half that way.
        const long magnitude = change < 0 ? -change : change;
        const int step = change < 0 ? -1 : 1;
        const int all = int(magnitude / BlockSamples) * step;
        const int some = int(magnitude % BlockSamples);
        int keys[BlockSamples];
        for (int i = 0; i < BlockSamples; ++i) {
            samples[i] += all;
            const int nearness = residual[i] * step + (1 << FractionBits);
            keys[i] =
                (nearness * BlockSamples + (BlockSamples - 1 - DitherRank[i])) * BlockSamples + i;
        }
        std::nth_element(keys, keys + some, keys + BlockSamples, std::greater<int>());
        for (int k = 0; k < some; ++k)
            samples[keys[k] % BlockSamples] += step;
    }
    for (int i = 0; i < BlockSamples; ++i)
        out[(i >> 3) * outStride + (i & 7)] =
            static_cast<unsigned char>(std::clamp(samples[i], 0, 255));
}

// count fixed-point values to samples, each rounded on its own.
inline void roundValues(const Fixed* fixed, unsigned char* out, std::size_t count)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i half = _mm_set1_epi16(FixedHalf);
    for (; i + 16 <= count; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fixed + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fixed + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_packus_epi16(_mm_srai_epi16(_mm_add_epi16(low, half), FractionBits),
                                          _mm_srai_epi16(_mm_add_epi16(high, half), FractionBits)));
    }
#endif
    for (; i < count; ++i)
        out[i] = static_cast<unsigned char>((fixed[i] + FixedHalf) >> FractionBits);
}

// Settles one 8x8 block whose samples were rounded each on its own: one of a single value
// takes the uniform sample whose decoded value comes nearest, one whose DC is kept is rounded
// again keeping it. Returns the value libjpeg decodes the block to when it holds one value
// only, otherwise -1.
inline int settleBlock(const Fixed* fixed, std::size_t fixedStride, unsigned char* out,
                       std::size_t outStride, int quant)
{
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi16(fixed[0]);
    __m128i same = _mm_set1_epi16(-1);
    for (int r = 0; r < 8; ++r) {
        const __m128i row =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(fixed + r * fixedStride));
        same = _mm_and_si128(same, _mm_cmpeq_epi16(row, first));
    }
    const bool uniform = _mm_movemask_epi8(same) == 0xffff;
#else
    bool uniform = true;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            uniform &= fixed[r * fixedStride + c] == fixed[0];
#endif
    if (uniform) {
        UniformChoice choices[MaxUniformChoices];
        const int count = uniformChoices(fixed[0], quant, choices);
        const auto distance = [&](int i) {
            return std::abs((choices[i].decoded << FractionBits) - fixed[0]);
        };
        int best = 0;
        for (int i = 1; i < count; ++i)
            if (distance(i) < distance(best))
                best = i;
        for (int r = 0; r < 8; ++r)
            std::memset(out + r * outStride, choices[best].sample, 8);
        return choices[best].decoded;
    }
    if (keepsDc(quant))
        roundKeepingDc(fixed, fixedStride, out, outStride, quant);
    return -1;
}

// count rows of a chroma plane from `top` on, mapped to fixed point (PlaneTables::chroma),
// padded to the stride with each row's last value and past the plane's end with its last row,
// as libjpeg pads rows it converts itself.
inline void mapChromaRows(const std::uint8_t* plane, std::size_t stride, std::uint32_t width,
                          std::uint32_t height, std::uint32_t top, std::uint32_t count, Fixed* out,
                          std::size_t outStride)
{
    const Fixed* table = planeTables().chroma;
    for (std::uint32_t i = 0; i < count; ++i) {
        Fixed* to = out + outStride * i;
        if (top + i >= height) {
            std::memcpy(to, to - outStride, outStride * sizeof *to);
            continue;
        }
        const std::uint8_t* from = plane + stride * (top + i);
        std::uint32_t x = 0;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        const __m128i one = _mm_set1_epi16(1);
        const __m128i factor = _mm_set1_epi16(std::int16_t(ChromaFactor));
        const __m128i offset = _mm_set1_epi16(ChromaOffset);
        const __m128i most = _mm_set1_epi16(FixedMax);
        // Unsigned all the way: the values above 255 levels go past 16-bit signed numbers.
        const auto map = [&](__m128i c) {
            const __m128i scaled = _mm_subs_epu16(
                _mm_mulhi_epu16(_mm_or_si128(_mm_slli_epi16(c, 8), one), factor), offset);
            return _mm_sub_epi16(scaled, _mm_subs_epu16(scaled, most));
        };
        for (; x + 16 <= width; x += 16) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), map(_mm_unpacklo_epi8(c, zero)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x + 8),
                             map(_mm_unpackhi_epi8(c, zero)));
        }
#endif
        for (; x < width; ++x)
            to[x] = table[from[x]];
        std::fill(to + width, to + outStride, to[width - 1]);
    }
}

// Per chroma sample of one chroma row, what the luma of its pixels needs: libwebp's chroma
// terms for R, G and B (offset), the chroma libjpeg will see, and the sum of libjpeg's terms
// for it.
struct ChromaTerms
{
    std::uint16_t* webpR;
    std::uint16_t* webpG;
    std::uint16_t* webpB;
    std::int16_t* jpegR;
    std::int16_t* jpegG;
    std::int16_t* jpegB;
    std::int16_t* jpegSum; // with 3 * WebpOffsetLevels, which the offset channels carry
};

// The terms of a chroma row: u and v as the WebP holds them, cb and cr the rounded samples,
// cbUniform and crUniform per block the decoded value of a uniform one, otherwise -1: libjpeg
// sees that value, otherwise the sample.
inline void chromaTerms(const std::uint8_t* u, const std::uint8_t* v, const unsigned char* cb,
                        const unsigned char* cr, const int* cbUniform, const int* crUniform,
                        std::uint32_t count, const ChromaTerms& out)
{
    const PlaneTables& t = planeTables();
    std::uint32_t c = 0;
#if defined(__SSE2__)
    // The tables' arithmetic, exactly: libwebp's terms as (c << 8) * k >> 16; libjpeg's
    // (k * x + 32768) >> 16 split into whole multiples of x and a 16-bit remainder.
    const __m128i zero = _mm_setzero_si128();
    const __m128i centre = _mm_set1_epi16(128);
    const __m128i half = _mm_set1_epi32(32768);
    const auto times = [](__m128i eight, int k) { // (c * k) >> 8 for 8 samples c
        return _mm_mulhi_epu16(_mm_slli_epi16(eight, 8), _mm_set1_epi16(std::int16_t(k)));
    };
    // (a * ka + b * kb + 32768) >> 16 for 8 pairs of 16-bit values
    const auto products = [&](__m128i a, int ka, __m128i b, int kb) {
        const __m128i factors = _mm_set1_epi32((kb << 16) | (ka & 0xffff));
        const __m128i low = _mm_madd_epi16(_mm_unpacklo_epi16(a, b), factors);
        const __m128i high = _mm_madd_epi16(_mm_unpackhi_epi16(a, b), factors);
        return _mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(low, half), 16),
                               _mm_srai_epi32(_mm_add_epi32(high, half), 16));
    };
    for (; c + 8 <= count; c += 8) {
        const __m128i us =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(u + c)), zero);
        const __m128i vs =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v + c)), zero);
        const auto store = [](void* at, __m128i value) {
            _mm_storeu_si128(static_cast<__m128i*>(at), value);
        };
        store(out.webpR + c, _mm_add_epi16(times(vs, 26149), _mm_set1_epi16(WebpOffset - 14234)));
        store(out.webpG + c, _mm_sub_epi16(_mm_set1_epi16(8708 + WebpOffset),
                                           _mm_add_epi16(times(us, 6419), times(vs, 13320))));
        store(out.webpB + c, _mm_add_epi16(times(us, 33050), _mm_set1_epi16(WebpOffset - 17685)));
        // A block is 8 chroma samples wide: libjpeg sees a uniform one's decoded value.
        const std::uint32_t block = c / 8;
        const __m128i seenCb =
            cbUniform[block] >= 0
                ? _mm_set1_epi16(std::int16_t(cbUniform[block]))
                : _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb + c)),
                                    zero);
        const __m128i seenCr =
            crUniform[block] >= 0
                ? _mm_set1_epi16(std::int16_t(crUniform[block]))
                : _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr + c)),
                                    zero);
        const __m128i xb = _mm_sub_epi16(seenCb, centre);
        const __m128i xr = _mm_sub_epi16(seenCr, centre);
        // 91881 = 65536 + 26345; 116130 = 2 * 65536 - 14942; -46802 = -65536 + 18734
        const __m128i red = _mm_add_epi16(xr, products(xr, 26345, zero, 0));
        const __m128i blue = _mm_add_epi16(_mm_add_epi16(xb, xb), products(xb, -14942, zero, 0));
        const __m128i green = _mm_sub_epi16(products(xb, -22554, xr, 18734), xr);
        store(out.jpegR + c, red);
        store(out.jpegG + c, green);
        store(out.jpegB + c, blue);
        store(out.jpegSum + c,
              _mm_add_epi16(_mm_add_epi16(red, green),
                            _mm_add_epi16(blue, _mm_set1_epi16(3 * WebpOffsetLevels))));
    }
#endif
    for (; c < count; ++c) {
        out.webpR[c] = std::uint16_t(t.webpRv[v[c]]);
        out.webpG[c] = std::uint16_t(t.webpGu[u[c]] + t.webpGv[v[c]]);
        out.webpB[c] = std::uint16_t(t.webpBu[u[c]]);
        const std::uint32_t block = c / 8;
        int terms[3];
        jpegChromaTerms(t, cbUniform[block] >= 0 ? cbUniform[block] : cb[c],
                        crUniform[block] >= 0 ? crUniform[block] : cr[c], terms);
        out.jpegR[c] = std::int16_t(terms[0]);
        out.jpegG[c] = std::int16_t(terms[1]);
        out.jpegB[c] = std::int16_t(terms[2]);
        out.jpegSum[c] = std::int16_t(terms[0] + terms[1] + terms[2] + 3 * WebpOffsetLevels);
    }
}

// The luma target of one pixel: the Y' (not rounded) whose decoded pixel comes nearest the
// WebP decoder's, in the sum of squares over the channels that decoder does not clip, given
// the chroma libjpeg will see at the pixel's chroma sample: the mean over those channels of
// the channel less libjpeg's chroma term for it, kept within a level of the plain mapping
// (enough to take up rounding, never so far as to trade one channel for another); where the
// decoder clips all three, the plain mapping.
inline int lumaTarget(int y, std::uint32_t c, const ChromaTerms& terms)
{
    const PlaneTables& t = planeTables();
    const int luma = t.webpLuma[y];
    const int levels[3] = {webpLevel(luma + terms.webpR[c]), webpLevel(luma + terms.webpG[c]),
                           webpLevel(luma + terms.webpB[c])};
    const int jpeg[3] = {terms.jpegR[c], terms.jpegG[c], terms.jpegB[c]};
    int total = 0;
    int used = 0;
    for (int ch = 0; ch < 3; ++ch)
        if (!webpClips(levels[ch])) {
            total += levels[ch] - WebpOffsetLevels - jpeg[ch];
            ++used;
        }
    const int plain = t.luma[y];
    int mean = plain;
    switch (used) {
    case 3: mean = ((std::clamp(total, 0, 3 * 255) << 6) * 43691) >> 16; break; // 2/3 of << 7
    case 2: mean = std::clamp(total, 0, 2 * 255) << (FractionBits - 1); break;
    case 1: mean = std::clamp(total, 0, 255) << FractionBits; break;
    }
    return std::clamp(mean, plain - (1 << FractionBits), plain + (1 << FractionBits));
}

// The luma of one row as fixed-point targets (lumaTarget), 8 pixels at a time where SSE2 is
// there.
inline void lumaTargets(const std::uint8_t* ys, std::uint32_t width, const ChromaTerms& terms,
                        Fixed* out)
{
    std::uint32_t x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i lumaFactor = _mm_set1_epi16(std::int16_t(19077));
    const __m128i lowest = _mm_set1_epi16(WebpOffsetLevels - 1);
    const __m128i highest = _mm_set1_epi16(WebpOffsetLevels + 256);
    const __m128i totalMax = _mm_set1_epi16(3 * 255);
    const __m128i offset = _mm_set1_epi16(WebpOffsetLevels);
    const __m128i twoThirds = _mm_set1_epi16(std::int16_t(43691));
    const __m128i level = _mm_set1_epi16(1 << FractionBits);
    const auto twice = [](const void* at) {
        const __m128i four = _mm_loadl_epi64(static_cast<const __m128i*>(at));
        return _mm_unpacklo_epi16(four, four);
    };
    for (; x + 8 <= width; x += 8) {
        const std::uint32_t c = x / 2;
        const __m128i y8 =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(ys + x)), zero);
        // (y * 19077) >> 8 as ((y << 8) * 19077) >> 16
        const __m128i luma = _mm_mulhi_epu16(_mm_slli_epi16(y8, 8), lumaFactor);
        const __m128i r = _mm_srli_epi16(_mm_add_epi16(luma, twice(terms.webpR + c)), 6);
        const __m128i g = _mm_srli_epi16(_mm_add_epi16(luma, twice(terms.webpG + c)), 6);
        const __m128i b = _mm_srli_epi16(_mm_add_epi16(luma, twice(terms.webpB + c)), 6);
        const __m128i low = _mm_min_epi16(_mm_min_epi16(r, g), b);
        const __m128i high = _mm_max_epi16(_mm_max_epi16(r, g), b);
        // The plain mapping (PlaneTables::luma), as 16-bit arithmetic makes it, and the target
        // kept within a level of it.
        const __m128i scaled =
            _mm_subs_epu16(_mm_mulhi_epu16(_mm_or_si128(_mm_slli_epi16(y8, 8), _mm_set1_epi16(1)),
                                           _mm_set1_epi16(std::int16_t(LumaFactor))),
                           _mm_set1_epi16(LumaOffset));
        const __m128i plain =
            _mm_sub_epi16(scaled, _mm_subs_epu16(scaled, _mm_set1_epi16(FixedMax)));
        const auto store = [&](__m128i mean) {
            const __m128i kept = _mm_min_epi16(_mm_max_epi16(mean, _mm_subs_epi16(plain, level)),
                                               _mm_adds_epi16(plain, level));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), kept);
        };
        // All three channels of all 8 pixels inside what the WebP's decoder keeps.
        if (_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpgt_epi16(low, lowest), _mm_cmplt_epi16(high, highest)))
            == 0xffff) {
            __m128i total = _mm_add_epi16(_mm_add_epi16(r, g), b);
            total = _mm_min_epi16(
                _mm_max_epi16(_mm_sub_epi16(total, twice(terms.jpegSum + c)), zero), totalMax);
            store(_mm_mulhi_epu16(_mm_slli_epi16(total, 6), twoThirds));
            continue;
        }
        // Some channel clipped: the mean over the channels kept, of 3, 2 or 1 of them.
        const __m128i levels[3] = {r, g, b};
        const void* jpeg[3] = {terms.jpegR + c, terms.jpegG + c, terms.jpegB + c};
        __m128i total = zero;
        __m128i used = zero; // minus the count
        for (int ch = 0; ch < 3; ++ch) {
            const __m128i kept = _mm_and_si128(_mm_cmpgt_epi16(levels[ch], lowest),
                                               _mm_cmplt_epi16(levels[ch], highest));
            const __m128i value = _mm_sub_epi16(_mm_sub_epi16(levels[ch], offset), twice(jpeg[ch]));
            total = _mm_add_epi16(total, _mm_and_si128(value, kept));
            used = _mm_add_epi16(used, kept);
        }
        const auto clampTo = [&](__m128i v, int most) {
            return _mm_min_epi16(_mm_max_epi16(v, zero), _mm_set1_epi16(std::int16_t(most)));
        };
        const auto is = [&](int count) {
            return _mm_cmpeq_epi16(used, _mm_set1_epi16(std::int16_t(-count)));
        };
        const __m128i three =
            _mm_mulhi_epu16(_mm_slli_epi16(clampTo(total, 3 * 255), 6), twoThirds);
        const __m128i two = _mm_slli_epi16(clampTo(total, 2 * 255), FractionBits - 1);
        const __m128i one = _mm_slli_epi16(clampTo(total, 255), FractionBits);
        store(_mm_or_si128(_mm_or_si128(_mm_and_si128(is(3), three), _mm_and_si128(is(2), two)),
                           _mm_or_si128(_mm_and_si128(is(1), one), _mm_and_si128(is(0), plain))));
    }
#endif
    for (; x < width; ++x)
        out[x] = Fixed(lumaTarget(ys[x], x / 2, terms));
}

// An MCU whose pixels (those inside the picture) share one Y, U and V decodes to the DC
// values of its blocks alone: the three are chosen together for the pixel nearest the WebP's.
// Returns the luma's decoded value, or -1 for an MCU of more than one colour.
inline int chooseUniformMcu(const Planes420& planes, std::uint32_t left, std::uint32_t right,
                            std::uint32_t top, std::uint32_t bottom, int lumaQuant, int chromaQuant,
                            UniformChoice& cb, UniformChoice& cr)
{
    const std::uint8_t y = planes.y[planes.yStride * top + left];
    const std::uint8_t u = planes.cb[planes.cbStride * (top / 2) + left / 2];
    const std::uint8_t v = planes.cr[planes.crStride * (top / 2) + left / 2];
    for (std::uint32_t row = top; row < bottom; ++row) {
        const std::uint8_t* ys = planes.y + planes.yStride * row;
        for (std::uint32_t x = left; x < right; ++x)
            if (ys[x] != y)
                return -1;
    }
    for (std::uint32_t row = top / 2; row < (bottom + 1) / 2; ++row) {
        const std::uint8_t* us = planes.cb + planes.cbStride * row;
        const std::uint8_t* vs = planes.cr + planes.crStride * row;
        for (std::uint32_t x = left / 2; x < (right + 1) / 2; ++x)
            if (us[x] != u || vs[x] != v)
                return -1;
    }
    const PlaneTables& t = planeTables();
    const int luma = t.webpLuma[y];
    int webp[3] = {webpLevel(luma + t.webpRv[v]), webpLevel(luma + t.webpGu[u] + t.webpGv[v]),
                   webpLevel(luma + t.webpBu[u])};
    for (int& level : webp)
        level = std::clamp(level - WebpOffsetLevels, 0, 255);
    UniformChoice lumas[MaxUniformChoices];
    UniformChoice cbs[MaxUniformChoices];
    UniformChoice crs[MaxUniformChoices];
    const int lumaCount = uniformChoices(t.luma[y], lumaQuant, lumas);
    const int cbCount = uniformChoices(t.chroma[u], chromaQuant, cbs);
    const int crCount = uniformChoices(t.chroma[v], chromaQuant, crs);
    int best = -1;
    int decodedLuma = -1;
    for (int b = 0; b < cbCount; ++b)
        for (int r = 0; r < crCount; ++r) {
            int terms[3];
            jpegChromaTerms(t, cbs[b].decoded, crs[r].decoded, terms);
            for (int l = 0; l < lumaCount; ++l) {
                int cost = 0;
                for (int c = 0; c < 3; ++c) {
                    const int error = std::clamp(lumas[l].decoded + terms[c], 0, 255) - webp[c];
                    cost += error * error;
                }
                if (best < 0 || cost < best) {
                    best = cost;
                    decodedLuma = lumas[l].decoded;
                    cb = cbs[b];
                    cr = crs[r];
                }
            }
        }
    return decodedLuma;
}

} // namespace orvalin::tools::planes
