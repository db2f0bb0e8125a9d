#pragma once

#include "tools/codec/JpegWriter.h"

#include <cstdio>
#include <string>

namespace orvalin::tools {

// Reads a PNG from input and writes it to output as a baseline JPEG of the given quality
// (1 to 100) with the settings of a lossless picture (see JpegSettingsFor). Every PNG colour type
// and bit depth is read; transparency is flattened onto white. The PNG's metadata chunks before the
// image data reach the JPEG byte for byte: the EXIF block (eXIf) in an APP1 "Exif" marker, then the
// XMP packet (the iTXt chunk "XML:com.adobe.xmp") in APP1 XMP markers, then the ICC profile (iCCP)
// in APP2 ICC_PROFILE markers. An EXIF block too large for its marker goes without its thumbnail
// (see exifWithoutThumbnail), or, when even that does not fit, not at all.
//
// Rows stream from the PNG reader into the JPEG compressor one at a time, so memory does not
// grow with the image. An interlaced PNG cannot be read that way and is held whole instead.
//
// Returns false with a one-line reason when the PNG cannot be read or the JPEG not written;
// output may then hold part of a JPEG, and the caller discards it.
bool pngToJpeg(std::FILE* input, std::FILE* output, int quality, std::string& error);

} // namespace orvalin::tools
