#include "tools/convert-worker/ConvertWorker.h"

#include "tools/convert-worker/WorkerProtocol.h"

#include "tools/codec/ExifRewriting.h"
#include "tools/codec/JpegWriter.h"
#include "tools/codec/XmpLocation.h"
#include "tools/common/ErrorText.h"
#include "tools/common/FileSystem.h"
#include "tools/common/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace orvalin::tools {

namespace {

// Large enough that writing the JPEG costs few system calls.
constexpr std::size_t JpegBufferSize = 256 * 1024;

bool holdsZeroByte(const std::string& path)
{
    return path.find('\0') != std::string::npos;
}

const std::string OutOfMemoryReason = "not enough memory";

// Why a WebP file that may well be one could not be converted, as the user reads it.
std::string plainReason(const DecodeFailure& failure)
{
    switch (failure.kind) {
    case DecodeFailure::Kind::TooLarge:
        return "the picture is too large (" + std::to_string(failure.width) + " \u00d7 "
               + std::to_string(failure.height) + ")";
    case DecodeFailure::Kind::OutOfMemory: return OutOfMemoryReason;
    case DecodeFailure::Kind::Unreadable: return plainErrorText(failure.errorNumber);
    case DecodeFailure::Kind::NotWebp: break;
    }
    return "not a WebP file";
}

} // namespace

WebpMetadata keptMetadata(const WebpMetadata& source, protocol::MetadataKept kept,
                          std::uint32_t width, std::uint32_t height,
                          const std::function<void(const std::string& text)>& warn)
{
    const auto warnOf = [&warn](const char* text) {
        if (warn)
            warn(text);
    };
    WebpMetadata result;
    result.iccProfile = source.iccProfile;
    const std::vector<std::uint8_t>& exif = source.exif;
    switch (kept) {
    case protocol::MetadataKept::All:
        result.exif = exif;
        // A block that cannot be walked goes as it is, as it always has.
        if (!result.exif.empty())
            setExifPixelSize(result.exif, width, height);
        result.xmp = source.xmp;
        break;
    case protocol::MetadataKept::NoLocation:
        if (!exif.empty()) {
            result.exif = exifWithoutLocation(exif.data(), exif.size(), width, height);
            if (result.exif.empty())
                warnOf("the EXIF block cannot be read safely and was left out, with any "
                       "location in it");
        }
        if (!source.xmp.empty()
            && !xmpWithoutLocation(source.xmp.data(), source.xmp.size(), result.xmp))
            warnOf("the XMP packet cannot be read safely and was left out, with any location "
                   "in it");
        break;
    case protocol::MetadataKept::ColourAndOrientation:
        if (!exif.empty()) {
            const int orientation = exifOrientation(exif.data(), exif.size());
            if (orientation < 0)
                warnOf("the EXIF block cannot be read safely; the orientation it may hold was "
                       "left out");
            else if (orientation > 1)
                result.exif = exifWithOrientationOnly(exif[0] == 'M', std::uint16_t(orientation));
        }
        break;
    }
    return result;
}

bool planesSuitJpeg(int quality)
{
    return !JpegSettingsFor(quality, false).fullChroma;
}

bool writeJpeg(JpegWriter& jpeg, std::FILE* file, const DecodedPicture& picture,
               const WebpMetadata& metadata, int quality)
{
    const auto writeMetadata = [&] {
        return jpeg.writeMetadata(metadata.exif.data(), metadata.exif.size(), metadata.xmp.data(),
                                  metadata.xmp.size(), metadata.iccProfile.data(),
                                  metadata.iccProfile.size());
    };
    if (picture.planar) {
        const YuvPlanes& yuv = picture.yuv;
        const Planes420 planes = {yuv.y(),           yuv.width, yuv.u(),
                                  yuv.chromaWidth(), yuv.v(),   yuv.chromaWidth()};
        return jpeg.startPlanar(file, yuv.width, yuv.height, JpegSettingsFor(quality, false))
               && writeMetadata() && jpeg.writeStudioRangePlanes(planes) && jpeg.finish();
    }
    const Scanlines& image = picture.rgb;
    return jpeg.start(file, image.width, image.height, int(image.channels()),
                      JpegSettingsFor(quality, image.lossless || image.hasAlpha))
           && writeMetadata() && jpeg.writeRows(image.row(0), image.stride, image.height)
           && jpeg.finish();
}

ConversionOutcome WebpToJpegConverter::convert(const std::string& source, const std::string& output,
                                               const protocol::Choices& choices,
                                               const ConversionEvents& events, std::string& reason)
{
    ConversionOutcome outcome = ConversionOutcome::Failed;
    try {
        outcome = convertSteps(source, output, choices, events, reason);
    } catch (const std::bad_alloc&) {
        // A memory ceiling reached by something the steps hold, not by a codec's buffer.
        reason = OutOfMemoryReason;
    }
    releaseLargeBuffers();
    return outcome;
}

ConversionOutcome WebpToJpegConverter::convertSteps(const std::string& source,
                                                    const std::string& output,
                                                    const protocol::Choices& choices,
                                                    const ConversionEvents& events,
                                                    std::string& reason)
{
    const int quality = choices.quality;
    // A zero byte would end the name early and name another file.
    if (holdsZeroByte(source)) {
        reason = "the source path holds a zero byte";
        return ConversionOutcome::NotWebp;
    }
    std::string error;
    DecodeFailure failure;
    if (!readWholeFile(source, webp_, error, &failure)) {
        reason = failure.kind == DecodeFailure::Kind::NotWebp ? error : plainReason(failure);
        return failure.kind == DecodeFailure::Kind::NotWebp ? ConversionOutcome::NotWebp
                                                            : ConversionOutcome::Failed;
    }
    WebpMetadata metadata;
    // A picture larger than the size asked comes from the decoder shrunk, so what follows,
    // the 'D' answer, the encoding and the EXIF block's pixel dimensions, sees its new size.
    if (!decodeWebp(webp_.data(), webp_.size(), picture_, planesSuitJpeg(quality),
                    choices.fitWithin, metadata, error, &failure)) {
        if (failure.kind != DecodeFailure::Kind::NotWebp) {
            reason = plainReason(failure);
            return ConversionOutcome::Failed;
        }
        reason = source + ": " + error;
        return ConversionOutcome::NotWebp;
    }
    if (webp_.capacity() > KeptBufferMax)
        webp_ = {}; // no longer needed while the JPG is written

    if (events.decoded)
        events.decoded(picture_.pixelBytes());
    if (!metadata.warning.empty() && events.warning)
        events.warning(source + ": " + metadata.warning);
    return encode(output, choices, metadata, events, reason) ? ConversionOutcome::Converted
                                                             : ConversionOutcome::Failed;
}

bool WebpToJpegConverter::encode(const std::string& outputPath, const protocol::Choices& choices,
                                 const WebpMetadata& metadata, const ConversionEvents& events,
                                 std::string& reason)
{
    if (holdsZeroByte(outputPath)) {
        reason = "the output path holds a zero byte";
        return false;
    }
    OutputFile output;
    std::string error;
    if (!output.open(outputPath, error)) {
        reason = plainErrorText(output.errorNumber());
        return false;
    }
    std::FILE* file = fdopen(dup(output.descriptor()), "wb");
    if (!file) {
        reason = plainErrorText(errno);
        return false;
    }
    jpegBuffer_.resize(JpegBufferSize);
    std::setvbuf(file, jpegBuffer_.data(), _IOFBF, jpegBuffer_.size());

    // The metadata the request keeps, its pixel size that of the picture written.
    const DecodedPicture& written = picture_;
    const WebpMetadata kept =
        keptMetadata(metadata, choices.metadata, written.width(), written.height(), events.warning);
    JpegWriter jpeg([&events](const char* text) {
        if (events.warning)
            events.warning(text);
    });
    const bool encoded = writeJpeg(jpeg, file, written, kept, choices.quality);
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const int flushError = errno;
    std::fclose(file); // before the buffer it used can be reused or freed
    if (!encoded) {
        reason = jpeg.outOfMemory()  ? OutOfMemoryReason
                 : jpeg.writeError() ? plainErrorText(jpeg.writeError())
                                     : std::string(jpeg.error());
        return false;
    }
    if (!flushed) {
        reason = plainErrorText(flushError);
        return false;
    }
    if (!output.commit(OutputFile::Replace::Allowed, error)) {
        reason = plainErrorText(output.errorNumber());
        return false;
    }
    return true;
}

void WebpToJpegConverter::releaseLargeBuffers()
{
    bool released = false;
    if (webp_.capacity() > KeptBufferMax) {
        webp_ = {};
        released = true;
    }
    for (PageBuffer* pixels : {&picture_.rgb.bytes, &picture_.yuv.bytes})
        if (pixels->capacity() > KeptBufferMax) {
            pixels->release();
            released = true;
        }
        // What the decoder and the encoder took from the heap for a large picture may stay with
        // the process after it is freed; give it back too.
#if defined(__GLIBC__)
    if (released)
        malloc_trim(0);
#else
    (void)released;
#endif
}

namespace {

constexpr int ExitDone = 0;
constexpr int ExitAnswersLost = 1;
constexpr int ExitMalformed = 2;

// Reads the requests through a buffer of its own: a request is a few small pieces.
class RequestReader
{
public:
    explicit RequestReader(int fd) : fd_(fd) {}

    // Fills `to` with exactly `size` bytes; returns how many it got before the input ended.
    std::size_t read(void* to, std::size_t size)
    {
        auto* bytes = static_cast<char*>(to);
        std::size_t got = 0;
        while (got < size) {
            if (at_ == end_ && !refill())
                break;
            const std::size_t take = std::min(size - got, end_ - at_);
            std::memcpy(bytes + got, buffer_ + at_, take);
            at_ += take;
            got += take;
        }
        return got;
    }

private:
    bool refill()
    {
        for (;;) {
            const ssize_t got = fs::read(fd_, buffer_, sizeof buffer_);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false; // a read error ends the input like its end does
            at_ = 0;
            end_ = std::size_t(got);
            return true;
        }
    }

    int fd_;
    char buffer_[16384];
    std::size_t at_ = 0;
    std::size_t end_ = 0;
};

struct Request
{
    std::string source;
    std::string output;
    protocol::Choices choices;
};

enum class Parsed { Request, End, Malformed };

// A 4-byte little-endian number: how many of its bytes came before the input ended.
std::size_t readNumber(RequestReader& in, std::uint32_t& value)
{
    unsigned char bytes[4] = {};
    const std::size_t got = in.read(bytes, 4);
    value = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16
            | std::uint32_t(bytes[3]) << 24;
    return got;
}

// The path's bytes, after its count has been read.
bool readPath(RequestReader& in, std::uint32_t size, std::string& path)
{
    if (size == 0 || size > protocol::PathMax)
        return false;
    path.resize(size);
    return in.read(path.data(), size) == size;
}

Parsed readRequest(RequestReader& in, Request& request)
{
    std::uint32_t sourceSize = 0;
    const std::size_t got = readNumber(in, sourceSize);
    if (got == 0)
        return Parsed::End;
    std::uint32_t outputSize = 0;
    std::uint32_t quality = 0;
    std::uint32_t metadata = 0;
    std::uint32_t fitWithin = 0;
    if (got < 4 || !readPath(in, sourceSize, request.source) || readNumber(in, outputSize) < 4
        || !readPath(in, outputSize, request.output) || readNumber(in, quality) < 4
        || readNumber(in, metadata) < 4 || readNumber(in, fitWithin) < 4
        || !protocol::choicesValid(quality, metadata, fitWithin))
        return Parsed::Malformed;
    request.choices = {int(quality), protocol::MetadataKept(metadata), fitWithin};
    return Parsed::Request;
}

class AnswerWriter
{
public:
    explicit AnswerWriter(int fd) : fd_(fd) {}

    void send(const std::string& frame)
    {
        if (!lost_)
            lost_ = !writeAll(fd_, frame.data(), frame.size());
    }
    void send(protocol::Answer kind, const std::string& text = {})
    {
        send(protocol::encodeFrame(kind, text));
    }
    bool lost() const { return lost_; }

private:
    int fd_;
    bool lost_ = false;
};

} // namespace

int serveConversions(int inputFd, int outputFd, const WorkerHooks& hooks)
{
#ifdef _WIN32
    _setmode(inputFd, _O_BINARY);
    _setmode(outputFd, _O_BINARY);
#else
    // A client that went away shows as a failed write, not as a signal that would end the
    // process with a temporary file still in an output folder.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    RequestReader in(inputFd);
    AnswerWriter out(outputFd);
    WebpToJpegConverter converter;
    Request request;
    for (;;) {
        switch (readRequest(in, request)) {
        case Parsed::End: return ExitDone;
        case Parsed::Malformed: return ExitMalformed;
        case Parsed::Request: break;
        }
        if (hooks.beforeFile)
            hooks.beforeFile(request.source);
        ConversionEvents events;
        events.decoded = [&](std::uint64_t pixelBytes) {
            out.send(protocol::encodeDecoded(pixelBytes));
            if (hooks.afterDecode)
                hooks.afterDecode(request.source);
        };
        events.warning = [&](const std::string& text) {
            out.send(protocol::Answer::Warning, text);
        };
        std::string reason;
        switch (
            converter.convert(request.source, request.output, request.choices, events, reason)) {
        case ConversionOutcome::Converted: out.send(protocol::Answer::Converted); break;
        case ConversionOutcome::NotWebp: out.send(protocol::Answer::NotWebp, reason); break;
        case ConversionOutcome::Failed: out.send(protocol::Answer::Failed, reason); break;
        }
        if (out.lost())
            return ExitAnswersLost;
    }
}

} // namespace orvalin::tools
