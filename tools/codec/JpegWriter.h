#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

namespace orvalin::tools {

// How a JPEG is made: its quality (1 to 100), its chroma and its Huffman tables.
struct JpegSettings
{
    int quality = 85;
    bool fullChroma = false;       // 4:4:4; otherwise 4:2:0, chroma at half size each way
    bool optimisedHuffman = false; // tables made for the picture, from a second pass over it
};

// Full chroma from this quality up, for pictures whose colour edges are sharp.
constexpr int FullChromaQuality = 90;
// Optimised Huffman tables below this quality.
constexpr int OptimisedHuffmanBelow = 80;

// The settings both converters use. A lossless picture, or one with alpha (flattened edges
// are sharp), keeps its full chroma from quality 90 up, as ImageMagick does: halving it would
// blur the very edges a high quality is asked to keep. Any other picture has 4:2:0 chroma.
// Below quality 80 the Huffman tables are made for the picture: the file shrinks by a twentieth
// (at 75) to three fifths (at 1) for a tenth more time, where from 80 up it would shrink by 3
// to 6% for a seventh to a half more (bench/jpeg-settings). The tables need the picture's
// coefficients held whole, 3 bytes a pixel at 4:2:0, the only chroma they come with.
JpegSettings JpegSettingsFor(int quality, bool losslessOrAlpha);

// A 4:2:0 picture in three planes of 8-bit samples: Y at full size, Cb and Cr at half the
// size each way, an odd row or column rounded up; each row `stride` bytes after the one before.
struct Planes420
{
    const std::uint8_t* y = nullptr;
    std::size_t yStride = 0;
    const std::uint8_t* cb = nullptr;
    std::size_t cbStride = 0;
    const std::uint8_t* cr = nullptr;
    std::size_t crStride = 0;
};

// Writes one baseline JPEG with a JFIF APP0 marker, from 8-bit RGB or RGBA rows, or from 4:2:0
// YCbCr planes; RGBA is flattened onto white. Metadata goes in byte for byte, in the order the
// calls come; writeMetadata keeps the order cameras and editors use: APP1 Exif, APP1 XMP, APP2
// ICC_PROFILE.
//
// Calls in this order: start, the metadata, the rows top to bottom, finish; or startPlanar,
// the metadata, writeStudioRangePlanes, finish. Each returns false once anything failed, with
// the reason in error(); the output may then hold part of a JPEG, and the caller discards it.
// libjpeg's errors end in a longjmp that never leaves this class, so callers may hold any
// objects they like around these calls.
class JpegWriter
{
public:
    // Receives a one-line warning without a program name, such as a block left out.
    using WarningSink = std::function<void(const char* text)>;

    explicit JpegWriter(WarningSink warn = {});
    ~JpegWriter();
    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    // channels: 3 (RGB) or 4 (RGBA).
    bool start(std::FILE* output, std::uint32_t width, std::uint32_t height, int channels,
               const JpegSettings& settings);

    // A JPEG written from planes rather than rows, which the JPEG's own chroma subsampling
    // takes as they are: no colour conversion, no resampling. The settings must ask for 4:2:0.
    bool startPlanar(std::FILE* output, std::uint32_t width, std::uint32_t height,
                     const JpegSettings& settings);

    // An EXIF block in TIFF form ("II*\0" or "MM\0*") in one APP1 "Exif" marker. A block too
    // large for one goes without its thumbnail (see exifWithoutThumbnail), or, when even that
    // does not fit or the block cannot be taken apart, not at all; either way with a warning.
    bool writeExif(const std::uint8_t* exif, std::size_t size);
    // An XMP packet in one APP1 XMP marker, or as extended XMP when it is too large for one.
    bool writeXmp(const std::uint8_t* packet, std::size_t size);
    // An ICC profile in as many APP2 ICC_PROFILE markers as it takes.
    bool writeIcc(const std::uint8_t* profile, std::size_t size);
    // Each block that is not empty, in the order Exif, XMP, ICC.
    bool writeMetadata(const std::uint8_t* exif, std::size_t exifSize, const std::uint8_t* xmp,
                       std::size_t xmpSize, const std::uint8_t* icc, std::size_t iccSize);

    // count rows of width * channels bytes, the first at `first`, each `stride` bytes after
    // the one before.
    bool writeRows(const std::uint8_t* first, std::size_t stride, std::uint32_t count);
    // The whole picture, after startPlanar, in studio range as video and WebP keep it (Y 16 to
    // 235, Cb and Cr 16 to 240 around 128), mapped to the full range a JPEG's YCbCr uses
    // (Y (y - 16) * 255 / 219, C (c - 128) * 255 / 224 + 128; both BT.601) and rounded so that
    // the decoded JPEG comes as near as it can to the RGB pixels libwebp makes of the planes
    // (PlaneSamples.h says how).
    bool writeStudioRangePlanes(const Planes420& planes);
    // Ends the image: everything is handed to the output stream, which the caller flushes.
    bool finish();

    const char* error() const;
    // Why the writing failed, when it was memory or the output stream: the message alone
    // would not say.
    bool outOfMemory() const;
    // The error number of a failed write to the output stream; 0 for any other failure.
    int writeError() const;

    struct State; // libjpeg's state and what a failure leaves to release

private:
    std::unique_ptr<State> state_;
};

// Composites one row of 8-bit RGBA pixels over white into 8-bit RGB: each channel becomes
// c * a + 255 * (1 - a), rounded to the nearest integer.
void flattenOntoWhite(const unsigned char* rgba, unsigned char* rgb, unsigned width);

} // namespace orvalin::tools
