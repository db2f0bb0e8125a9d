#pragma once

#include "tools/codec/JpegWriter.h"
#include "tools/codec/WebpDecoding.h"
#include "tools/convert-worker/WorkerProtocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace orvalin::tools {

enum class ConversionOutcome {
    Converted, // the JPG is written whole under its name, replacing any file there
    NotWebp,   // the source is no WebP file, or a damaged one; nothing was written
    Failed,    // the JPG could not be made: the source could not be read, its picture is too
               // large or needs more memory than there is, or the JPG could not be written;
               // nothing is left at its name
};

// What a conversion reports while it runs.
struct ConversionEvents
{
    // The WebP is decoded and encoding is about to start: the bytes the decoded picture holds,
    // which the encoding's work follows: its Y, U and V planes for a lossy picture without
    // alpha (width * height + 2 * ((width + 1) / 2) * ((height + 1) / 2)), otherwise
    // width * height * channels (3 or 4); width and height those of the JPG, the picture's
    // own or, shrunk to fit, smaller.
    std::function<void(std::uint64_t pixelBytes)> decoded;
    // A metadata block was left out: one line, without a program name.
    std::function<void(const std::string& text)> warning;
};

// Whether a lossy picture without alpha goes to a JPEG of this quality from its planes: when
// the JPEG has the 4:2:0 chroma the picture is stored with.
bool planesSuitJpeg(int quality);

// Writes the decoded picture as a JPEG to `file` with the settings JpegSettingsFor gives the
// quality, a lossless or translucent picture counted as lossless, and the metadata in the
// order Exif, XMP, ICC: a planar picture from its planes, with no colour conversion, any other
// from its rows. False as JpegWriter's calls are; the file may then hold part of a JPEG.
bool writeJpeg(JpegWriter& jpeg, std::FILE* file, const DecodedPicture& picture,
               const WebpMetadata& metadata, int quality);

// What of a WebP file's metadata its JPG keeps, by the request's choice:
//   All                   the ICC profile, the EXIF block and the XMP packet as they are;
//   NoLocation            all but where the picture was taken: the EXIF block without its GPS
//                         IFD (exifWithoutLocation), the XMP packet without its location
//                         properties (xmpWithoutLocation), the ICC profile;
//   ColourAndOrientation  the ICC profile, and an EXIF block of the Orientation alone when the
//                         source's is not 1, so the picture still shows upright.
// Where the Exif IFD is kept, its PixelXDimension and PixelYDimension become width and height,
// the picture's size as it is written. Under either removing choice a block that cannot be read
// safely is left out whole, with one warning line: when in doubt, the private data goes.
WebpMetadata keptMetadata(const WebpMetadata& source, protocol::MetadataKept kept,
                          std::uint32_t width, std::uint32_t height,
                          const std::function<void(const std::string& text)>& warn);

// Converts WebP files to JPG files in this process, one after another, with no PNG between:
// pixels, transparency flattened onto white, the first frame of an animation, ICC profile,
// EXIF block and XMP packet are those of `webp-decode SRC -o X.png` followed by
// `jpeg-encode -q Q -out jpeg -overwrite X.png` when all metadata is kept (a request may keep
// less: keptMetadata). For a lossless or translucent picture and an animation the JPG is then
// byte for byte theirs. A lossy picture without alpha, stored as 4:2:0
// YUV, goes to the JPEG's 4:2:0 YCbCr from its planes (see planesSuitJpeg), without the
// colour conversion and the chroma resampling both ways of the tools' RGB: its JPG differs
// from theirs, as close to the WebP's pixels or closer, with half the pixel memory.
//
// The buffers for the compressed file and the decoded pixels stay for the next file while they
// are at most KeptBufferMax bytes; larger ones are given back after the file, together with
// the heap's free memory on glibc, so a process that converted one huge picture does not stay
// huge. The compressed bytes of a large file go as soon as it is decoded.
class WebpToJpegConverter
{
public:
    static constexpr std::size_t KeptBufferMax = std::size_t(64) << 20;

    // On NotWebp, reason says why in one line naming the file, as webp-decode says it; on
    // Failed, in a few plain words for the user ("no space left on the device"). A picture
    // whose longer side exceeds choices.fitWithin (when not 0) is shrunk to fit, as
    // fittedSize (codec/FitWithin.h) says, while it is decoded; any other converts exactly as
    // with fitWithin 0.
    ConversionOutcome convert(const std::string& source, const std::string& output,
                              const protocol::Choices& choices, const ConversionEvents& events,
                              std::string& reason);

private:
    ConversionOutcome convertSteps(const std::string& source, const std::string& output,
                                   const protocol::Choices& choices, const ConversionEvents& events,
                                   std::string& reason);
    bool encode(const std::string& output, const protocol::Choices& choices,
                const WebpMetadata& metadata, const ConversionEvents& events, std::string& reason);
    void releaseLargeBuffers();

    std::vector<std::uint8_t> webp_;
    DecodedPicture picture_;
    std::vector<char> jpegBuffer_; // the output stream's buffer
};

// Test programs stand in for the worker with these.
struct WorkerHooks
{
    // Called with the source path before the file is read.
    std::function<void(const std::string& source)> beforeFile;
    // Called after the 'D' answer was sent.
    std::function<void(const std::string& source)> afterDecode;
};

// The converter worker's loop: reads conversion requests from inputFd and answers each on
// outputFd, as WorkerProtocol.h defines them, until the input ends. Returns the exit code: 0
// when the input ended between requests, 2 at a malformed request (after answering the ones
// before it), 1 when the answers can no longer be written.
int serveConversions(int inputFd, int outputFd, const WorkerHooks& hooks = {});

} // namespace orvalin::tools
