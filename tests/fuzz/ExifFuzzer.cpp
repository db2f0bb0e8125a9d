// Fuzz target: EXIF blocks through exifWithoutThumbnail(), which jpeg-encode calls on a block
// too large for one JPEG marker. fuzz-png-to-jpeg reaches it only with blocks over 64 KB, too
// large to fuzz well, so here it takes small blocks with a small size limit: the input's first
// byte sets the limit (256 bytes a step), the rest is the block.
//
// A result must fit the limit, keep the block's TIFF header, and be its own result: taken apart
// again it gives the same bytes, as it holds exactly the pieces that were kept, already placed.

#include "tools/codec/ExifRewriting.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace orvalin::tools;

namespace {

void expect(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "exif: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t maxSize = (std::size_t(data[0]) + 1) * 256;
    const auto result = exifWithoutThumbnail(data + 1, size - 1, maxSize);
    if (result.empty())
        return 0;
    expect(result.size() <= maxSize, "the result is over the size limit");
    expect(std::memcmp(result.data(), data + 1, 4) == 0, "the TIFF header changed");
    const auto again = exifWithoutThumbnail(result.data(), result.size(), maxSize);
    expect(again == result, "the result taken apart again gives other bytes");
    return 0;
}
