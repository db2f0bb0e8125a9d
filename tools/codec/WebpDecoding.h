#pragma once

#include "tools/codec/PageBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvalin::tools {

// Decoded pixels laid out the way a PNG stores them without filtering: every row begins with
// its filter-type byte (0, "none") followed by the row's RGB or RGBA bytes. The PNG writer then
// sends this buffer as it is, and the decoder writes straight into it.
struct Scanlines
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool hasAlpha = false;
    bool lossless = false;  // stored lossless (for an animation, its first frame)
    std::size_t stride = 0; // 1 + width * channels
    PageBuffer bytes;       // height * stride

    std::size_t channels() const { return hasAlpha ? 4 : 3; }
    std::uint8_t* row(std::uint32_t y) { return bytes.data() + std::size_t(y) * stride + 1; }
    const std::uint8_t* row(std::uint32_t y) const
    {
        return bytes.data() + std::size_t(y) * stride + 1;
    }
    bool allocate(std::uint32_t width, std::uint32_t height, bool hasAlpha);
};

// The picture of a lossy still without alpha as its bitstream stores it, with no colour
// conversion: 8-bit Y, U and V planes (BT.601 in studio range: Y 16-235, U and V 16-240 for
// the colours RGB holds), U and V at half the size each way, an odd row or column rounded up.
// One buffer holds the three planes, Y then U then V, each plane's rows packed.
struct YuvPlanes
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    PageBuffer bytes;

    std::uint32_t chromaWidth() const { return (width + 1) / 2; }
    std::uint32_t chromaHeight() const { return (height + 1) / 2; }
    std::size_t lumaSize() const { return std::size_t(width) * height; }
    std::size_t chromaSize() const { return std::size_t(chromaWidth()) * chromaHeight(); }
    std::uint8_t* y() { return bytes.data(); }
    std::uint8_t* u() { return bytes.data() + lumaSize(); }
    std::uint8_t* v() { return u() + chromaSize(); }
    const std::uint8_t* y() const { return bytes.data(); }
    const std::uint8_t* u() const { return bytes.data() + lumaSize(); }
    const std::uint8_t* v() const { return u() + chromaSize(); }
    bool allocate(std::uint32_t width, std::uint32_t height);
};

// A decoded picture on its way to a JPEG: RGB or RGBA rows, or, for a lossy still without
// alpha when planes are asked for, the picture's own planes, which a 4:2:0 JPEG takes without
// the colour conversion and the chroma resampling both ways. A lossy still is 4:2:0 YUV, and
// the planes need half the memory of RGB.
struct DecodedPicture
{
    bool planar = false; // held in yuv; otherwise in rgb
    Scanlines rgb;
    YuvPlanes yuv;

    std::uint32_t width() const { return planar ? yuv.width : rgb.width; }
    std::uint32_t height() const { return planar ? yuv.height : rgb.height; }
    // The bytes the picture holds: its three planes, or width * height * channels.
    std::uint64_t pixelBytes() const;
};

struct WebpMetadata
{
    std::vector<std::uint8_t> iccProfile;
    std::vector<std::uint8_t> exif; // TIFF form ("II*\0" or "MM\0*"), any "Exif\0\0" prefix gone
    std::vector<std::uint8_t> xmp;  // the XMP packet as stored
    std::string warning;            // set when a block was present but could not be kept
};

// The largest picture a still WebP holds, each way. An animation's canvas may be declared
// far larger (16777216 a side), which would ask gigabytes of a 200-byte file: a larger canvas
// is refused before anything is decoded or allocated.
constexpr std::uint32_t MaxPictureSide = 16383;
// The largest file a WebP can be: its RIFF size field (32 bits) and the 8 bytes before it.
constexpr std::uint64_t MaxWebpFileSize = 0xffffffffull + 8;

// What kind of failure a read or a decoding met, for callers that tell them apart.
struct DecodeFailure
{
    enum class Kind {
        NotWebp,     // not a WebP file, or a damaged one; not a regular file
        TooLarge,    // a canvas larger than MaxPictureSide: width and height
        OutOfMemory, // the memory for the picture could not be had
        Unreadable,  // the file could not be opened or read: errorNumber says why
    };
    Kind kind = Kind::NotWebp;
    int errorNumber = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Decodes a whole WebP file held in memory: a still image as it is, an animation as its first
// frame composed on the canvas. The result has alpha only when the image has: for a still image
// when its bitstream says so, for an animation when the composed frame has a pixel that is not
// fully opaque. Returns false and sets error (and failure, when given) when the data is not a
// decodable WebP image or its picture cannot be held.
bool decodeWebp(const std::uint8_t* data, std::size_t size, Scanlines& image,
                WebpMetadata& metadata, std::string& error, DecodeFailure* failure = nullptr);

// Decodes as the function above does; with planesAllowed a still lossy picture without alpha
// comes as its planes, picture.planar then set. Either form takes the larger of the two
// buffers the picture holds, so a run of pictures of both kinds maps no fresh memory for one
// that fits a buffer held already.
//
// With fitWithin above 0, a picture whose longer side is longer than that comes at the size
// fittedSize (FitWithin.h) gives it, its pixels the area average of those they cover: a still
// picture straight from libwebp's scaler, so the full-size picture is never held (planes
// included), but for a lossy one with alpha, which is decoded whole and then shrunk here, as
// is an animation's first frame, composed at its canvas's size; both weigh colours by their
// alpha (AreaAverage.h). Any other picture comes exactly as with fitWithin 0.
bool decodeWebp(const std::uint8_t* data, std::size_t size, DecodedPicture& picture,
                bool planesAllowed, std::uint32_t fitWithin, WebpMetadata& metadata,
                std::string& error, DecodeFailure* failure = nullptr);
inline bool decodeWebp(const std::uint8_t* data, std::size_t size, DecodedPicture& picture,
                       bool planesAllowed, WebpMetadata& metadata, std::string& error,
                       DecodeFailure* failure = nullptr)
{
    return decodeWebp(data, size, picture, planesAllowed, 0, metadata, error, failure);
}

// Reads a regular file into memory; false with a reason on failure (missing, unreadable, not a
// regular file: a folder, a FIFO, a device; larger than a WebP file can be). Never waits on a
// FIFO to open. What a WebP decoder would never look at is not read: the bytes past the
// RIFF size a WebP file declares, and the rest of a file whose first bytes are already no
// WebP (a few gigabytes of zeros named .webp, say), of which only those first bytes come back.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error,
                   DecodeFailure* failure = nullptr);

} // namespace orvalin::tools
