#pragma once

#include "tools/codec/WebpDecoding.h"

#include <cstddef>
#include <cstdint>
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
    // The WebP is decoded and encoding is about to start: the decoded image's pixel bytes
    // (width * height * channels, channels 3 or 4).
    std::function<void(std::uint64_t pixelBytes)> decoded;
    // A metadata block was left out: one line, without a program name.
    std::function<void(const std::string& text)> warning;
};

// Converts WebP files to JPG files in this process, one after another, with no PNG between:
// the output is byte for byte what `webp-decode SRC -o X.png` followed by
// `jpeg-encode -q Q -out jpeg -overwrite X.png` make (pixels, transparency flattened onto
// white, the first frame of an animation, ICC profile, EXIF block and XMP packet).
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
    // Failed, in a few plain words for the user ("no space left on the device").
    ConversionOutcome convert(const std::string& source, const std::string& output, int quality,
                              const ConversionEvents& events, std::string& reason);

private:
    ConversionOutcome convertSteps(const std::string& source, const std::string& output,
                                   int quality, const ConversionEvents& events,
                                   std::string& reason);
    bool encode(const std::string& output, int quality, const WebpMetadata& metadata,
                const ConversionEvents& events, std::string& reason);
    void releaseLargeBuffers();

    std::vector<std::uint8_t> webp_;
    Scanlines image_;
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
