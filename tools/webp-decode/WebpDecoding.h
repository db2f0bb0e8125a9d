#pragma once

#include "tools/webp-decode/PageBuffer.h"

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

struct WebpMetadata
{
    std::vector<std::uint8_t> iccProfile;
    std::vector<std::uint8_t> exif; // TIFF form ("II*\0" or "MM\0*"), any "Exif\0\0" prefix gone
    std::vector<std::uint8_t> xmp;  // the XMP packet as stored
    std::string warning;            // set when a block was present but could not be kept
};

// Decodes a whole WebP file held in memory: a still image as it is, an animation as its first
// frame composed on the canvas. The result has alpha only when the image has: for a still image
// when its bitstream says so, for an animation when the composed frame has a pixel that is not
// fully opaque. Returns false and sets error when the data is not a decodable WebP image.
bool decodeWebp(const std::uint8_t* data, std::size_t size, Scanlines& image,
                WebpMetadata& metadata, std::string& error);

// Reads a whole regular file into memory; false with a reason on failure (missing, unreadable,
// or not a regular file: a folder, a FIFO, a device). Never waits on a FIFO to open.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

} // namespace orvalin::tools
