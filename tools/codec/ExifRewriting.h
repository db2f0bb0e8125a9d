#pragma once

// EXIF blocks taken apart and made anew with less in them, by our own code: the TIFF structure
// is walked only as far as the IFDs an EXIF block has (IFD0, IFD1, Exif, GPS and
// Interoperability), every offset is checked against the block, and a block that is malformed
// in any way (a header or offset out of range, an IFD reached twice, more IFDs or deeper ones
// than an EXIF block has, an unknown value type, a value that runs past the end) is refused
// whole rather than passed on in part.

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
// block is malformed.
std::vector<std::uint8_t> exifWithoutThumbnail(const std::uint8_t* tiff, std::size_t size,
                                               std::size_t maxSize);

// The EXIF block without where the picture was taken: the GPSInfo entry is left out of every
// IFD that has one, and the GPS IFD and its values with it, unread. Everything else is carried:
// IFD0, the Exif and Interoperability IFDs and their values, and IFD1 with the JPEG thumbnail
// it points at (an IFD1 whose thumbnail is in strips or tiles, which EXIF blocks all but never
// have, is left out: the pieces of such a picture are not followed). Pieces stay at their old
// offsets where they can, as exifWithoutThumbnail keeps them; bytes no kept entry points at
// become zeros, since an editor may have left an older GPS IFD there. PixelXDimension and
// PixelYDimension are set as setExifPixelSize sets them, when width and height are not 0.
//
// Returns nothing when the block is malformed, or its thumbnail's offset or length is.
std::vector<std::uint8_t> exifWithoutLocation(const std::uint8_t* tiff, std::size_t size,
                                              std::uint32_t width, std::uint32_t height);

// Sets PixelXDimension and PixelYDimension (0xa002, 0xa003) of the Exif IFD to width and
// height, in place, where the block has them; every other byte stays. A SHORT value stays
// SHORT when the size fits 16 bits; otherwise, and for an entry of another type or count, the
// entry becomes one LONG. False, with the block unchanged, when it cannot be walked as
// exifWithoutLocation walks it (its GPS IFD included).
bool setExifPixelSize(std::vector<std::uint8_t>& tiff, std::uint32_t width, std::uint32_t height);

// The Orientation (0x0112) of IFD0, 1 to 8, in a block exifWithoutLocation takes; 0 when it has
// none, or one that is no single SHORT from 1 to 8; -1 when the block is malformed.
int exifOrientation(const std::uint8_t* tiff, std::size_t size);

// An EXIF block with IFD0 holding the Orientation alone (a SHORT), in big-endian ("MM") or
// little-endian ("II") byte order.
std::vector<std::uint8_t> exifWithOrientationOnly(bool bigEndian, std::uint16_t orientation);

} // namespace orvalin::tools
