#pragma once

#include "tools/codec/WebpDecoding.h"

#include <string>

namespace orvalin::tools {

// Writes image as a PNG file to fd: 8-bit RGB or RGBA, no filtering, the pixel data in stored
// (uncompressed) deflate blocks, the ICC profile as iCCP, the EXIF block as eXIf and the XMP
// packet as the iTXt chunk "XML:com.adobe.xmp", all before the image data. The PNG only carries
// pixels from one of our programs to the other, so it is made for speed: the pixel bytes go from
// the decoder's buffer to the file without being copied, and the checksums come from libdeflate.
// False with a reason on failure.
bool writePng(int fd, const Scanlines& image, const WebpMetadata& metadata, std::string& error);

} // namespace orvalin::tools
