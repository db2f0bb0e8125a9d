#pragma once

#include <cstdint>

namespace orvalin::tools {

struct PictureSize
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    friend constexpr bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size a width x height picture takes to fit within `fit` pixels each way: a picture whose
// longer side is longer than fit shrinks, keeping its aspect, until that side is fit, the other
// rounded to the nearest whole pixel (a half up, as ImageMagick's -resize rounds) and at least
// 1. A picture that fits already keeps its size, as does every picture when fit is 0: nothing
// is ever enlarged.
constexpr PictureSize fittedSize(std::uint32_t width, std::uint32_t height, std::uint32_t fit)
{
    if (fit == 0 || (width <= fit && height <= fit))
        return {width, height};
    const bool landscape = width >= height;
    const std::uint64_t longer = landscape ? width : height;
    const std::uint64_t shorter = landscape ? height : width;
    std::uint64_t scaled = (2 * shorter * fit + longer) / (2 * longer);
    if (scaled < 1)
        scaled = 1;
    return landscape ? PictureSize{fit, std::uint32_t(scaled)}
                     : PictureSize{std::uint32_t(scaled), fit};
}

} // namespace orvalin::tools
