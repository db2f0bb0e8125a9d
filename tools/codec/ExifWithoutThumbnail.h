#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvalin::tools {

// The EXIF block `tiff` (a TIFF structure, "II*\0" or "MM\0*") made anew without its thumbnail,
// for a block too large for one JPEG APP1 marker: IFD0 with no next IFD (so no IFD1), its Exif
// and GPS IFDs and the Exif IFD's Interoperability IFD, every value they hold, in the block's
// own byte order. Entries that point at image data (strip, tile or JPEG thumbnail offsets and
// lengths, SubIFDs) are left out with the data; the data of IFD1, which is never followed, goes
// with it.
//
// Each piece is kept at its old offset where it can be, so that offsets inside a maker note,
// which some cameras count from the TIFF header, stay right; when that is larger than maxSize
// (the thumbnail lay between kept pieces) the pieces are packed one after another instead.
//
// Returns nothing (an empty vector) when the result would still be over maxSize, and when the
// block is malformed in any way: a header or offset out of range, an IFD reached twice, an
// unknown value type, a value that runs past the end.
std::vector<std::uint8_t> exifWithoutThumbnail(const std::uint8_t* tiff, std::size_t size,
                                               std::size_t maxSize);

} // namespace orvalin::tools
