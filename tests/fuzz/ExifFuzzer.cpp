// Fuzz target: EXIF blocks through exifWithoutThumbnail(), which jpeg-encode calls on a block
// too large for one JPEG marker, and through what convert-worker does with a block when a
// request keeps less metadata: exifWithoutLocation(), setExifPixelSize() and exifOrientation().
// fuzz-png-to-jpeg reaches the first only with blocks over 64 KB, too large to fuzz well, so
// here it takes small blocks with a small size limit: the input's first byte sets the limit
// (256 bytes a step), and its lowest bit a picture width that needs a LONG; the rest is the
// block.
//
// A result must fit the limit (the block's own size without the location), keep the block's
// TIFF header, and be its own result: taken apart again it gives the same bytes, as it holds
// exactly the pieces that were kept, already placed. Without the location, the orientation
// reads as in the block; the pixel size, set in place, leaves the block's size alone.

#include "tools/codec/ExifRewriting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace orvalin::tools;

namespace {

void expect(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "exif: %s\n", what);
        std::abort();
    }
}

void withoutThumbnail(const std::uint8_t* block, std::size_t size, std::size_t maxSize)
{
    const auto result = exifWithoutThumbnail(block, size, maxSize);
    if (result.empty())
        return;
    expect(result.size() <= maxSize, "the result is over the size limit");
    expect(std::memcmp(result.data(), block, 4) == 0, "the TIFF header changed");
    const auto again = exifWithoutThumbnail(result.data(), result.size(), maxSize);
    expect(again == result, "the result taken apart again gives other bytes");
}

void withoutLocation(const std::uint8_t* block, std::size_t size, std::uint32_t width)
{
    constexpr std::uint32_t height = 46;
    const auto result = exifWithoutLocation(block, size, width, height);
    if (result.empty())
        return;
    expect(result.size() <= size, "the block without location is larger");
    expect(std::memcmp(result.data(), block, 4) == 0, "the TIFF header changed");
    const auto again = exifWithoutLocation(result.data(), result.size(), width, height);
    expect(again == result, "the block without location taken apart again gives other bytes");
    const int orientation = exifOrientation(block, size);
    expect(orientation < 0 || exifOrientation(result.data(), result.size()) == orientation,
           "the orientation changed");
}

void pixelSize(const std::uint8_t* block, std::size_t size, std::uint32_t width)
{
    std::vector<std::uint8_t> copy(block, block + size);
    if (!setExifPixelSize(copy, width, 46))
        expect(std::equal(copy.begin(), copy.end(), block), "a block refused was changed");
    expect(copy.size() == size, "the pixel size changed the block's size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t maxSize = (std::size_t(data[0]) + 1) * 256;
    const std::uint32_t width = data[0] & 1 ? 70000 : 70;
    withoutThumbnail(data + 1, size - 1, maxSize);
    withoutLocation(data + 1, size - 1, width);
    pixelSize(data + 1, size - 1, width);
    return 0;
}
