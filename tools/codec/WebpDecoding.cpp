#include "tools/codec/WebpDecoding.h"

#include "tools/codec/AreaAverage.h"
#include "tools/codec/FitWithin.h"
#include "tools/common/FileSystem.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace orvalin::tools {

namespace {

struct DemuxerDeleter
{
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};
using Demuxer = std::unique_ptr<WebPDemuxer, DemuxerDeleter>;

// The first bytes read before the rest: enough for every header a decoder looks at first.
constexpr std::size_t PrefixSize = 64 * 1024;

bool hasRiffWebpHeader(const std::uint8_t* data, std::size_t size)
{
    return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WEBP", 4) == 0;
}

std::uint32_t littleEndian(const std::uint8_t* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

std::string whyNotDecodable(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return "the file is empty";
    if (!hasRiffWebpHeader(data, size))
        return "not a WebP file";
    return "the WebP file is damaged or truncated";
}

std::string describeStatus(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "not enough memory to decode the image";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "the WebP file is truncated";
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        return "the WebP file uses a feature this decoder does not support";
    default: return "the WebP file is damaged";
    }
}

// Records what kind of failure it was, for a caller that asked.
bool failed(DecodeFailure* failure, DecodeFailure::Kind kind, int errorNumber = 0)
{
    if (failure) {
        failure->kind = kind;
        failure->errorNumber = errorNumber;
    }
    return false;
}

bool failedOnStatus(VP8StatusCode status, std::string& error, DecodeFailure* failure)
{
    error = describeStatus(status);
    return failed(failure, status == VP8_STATUS_OUT_OF_MEMORY ? DecodeFailure::Kind::OutOfMemory
                                                              : DecodeFailure::Kind::NotWebp);
}

bool failedForMemory(std::string& error, DecodeFailure* failure)
{
    error = "not enough memory for the image";
    return failed(failure, DecodeFailure::Kind::OutOfMemory);
}

// The canvas an extended-format file declares (its VP8X chunk), which may be larger than any
// bitstream; a simple file's picture is its bitstream's, never larger than MaxPictureSide.
bool declaresTooLargeCanvas(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
                            std::uint32_t& height)
{
    if (!hasRiffWebpHeader(data, size) || size < 30 || std::memcmp(data + 12, "VP8X", 4) != 0)
        return false;
    width = 1 + littleEndian(data + 24, 3);
    height = 1 + littleEndian(data + 27, 3);
    return width > MaxPictureSide || height > MaxPictureSide;
}

std::vector<std::uint8_t> chunkBytes(WebPDemuxer* demuxer, const char fourcc[4])
{
    WebPChunkIterator chunk;
    std::vector<std::uint8_t> bytes;
    if (WebPDemuxGetChunk(demuxer, fourcc, 1, &chunk)) {
        bytes.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    return bytes;
}

bool isTiffHeader(const std::vector<std::uint8_t>& bytes)
{
    static const std::uint8_t little[] = {'I', 'I', 42, 0};
    static const std::uint8_t big[] = {'M', 'M', 0, 42};
    return bytes.size() >= 8
           && (std::memcmp(bytes.data(), little, 4) == 0 || std::memcmp(bytes.data(), big, 4) == 0);
}

// Some writers store the EXIF block with the "Exif\0\0" prefix of a JPEG APP1 segment; a PNG
// eXIf chunk holds the TIFF structure alone, and readers drop one that starts otherwise.
void readMetadata(WebPDemuxer* demuxer, WebpMetadata& metadata)
{
    const std::uint32_t flags = WebPDemuxGetI(demuxer, WEBP_FF_FORMAT_FLAGS);
    if (flags & ICCP_FLAG)
        metadata.iccProfile = chunkBytes(demuxer, "ICCP");
    if (flags & EXIF_FLAG) {
        auto exif = chunkBytes(demuxer, "EXIF");
        static const std::uint8_t prefix[] = {'E', 'x', 'i', 'f', 0, 0};
        if (exif.size() >= 6 && std::memcmp(exif.data(), prefix, 6) == 0)
            exif.erase(exif.begin(), exif.begin() + 6);
        if (isTiffHeader(exif))
            metadata.exif = std::move(exif);
        else if (!exif.empty())
            metadata.warning = "the EXIF block is not in TIFF form and was left out";
    }
    if (flags & XMP_FLAG)
        metadata.xmp = chunkBytes(demuxer, "XMP ");
}

// libwebp's name for a bitstream stored lossy (WebPBitstreamFeatures::format).
constexpr int LossyFormat = 1;

// Gives `wanted` the larger of two buffers, so a picture that fits the other one held already
// maps no fresh memory.
void takeLargerBuffer(PageBuffer& wanted, PageBuffer* other)
{
    if (other && other->capacity() > wanted.capacity())
        std::swap(wanted, *other);
}

// Asks libwebp to scale the picture to `size` as it decodes it, when that is not its own.
// Its scaler averages the area each pixel covers, row by row as the rows are decoded, so the
// full-size picture is never held.
void scaleWhileDecoding(WebPDecoderConfig& config, PictureSize size)
{
    if (size == PictureSize{std::uint32_t(config.input.width), std::uint32_t(config.input.height)})
        return;
    config.options.use_scaling = 1;
    config.options.scaled_width = static_cast<int>(size.width);
    config.options.scaled_height = static_cast<int>(size.height);
}

// Shrinks the decoded rows to `size`, no larger than theirs, in the buffer they lie in; false
// when the memory for the sums cannot be had.
bool shrinkRows(Scanlines& image, PictureSize size)
{
    if (size == PictureSize{image.width, image.height})
        return true;
    const std::size_t stride = 1 + std::size_t(size.width) * image.channels();
    try {
        if (image.hasAlpha)
            area::shrinkInPlace<4>(image.row(0), image.stride, image.width, image.height,
                                   size.width, size.height, stride);
        else
            area::shrinkInPlace<3>(image.row(0), image.stride, image.width, image.height,
                                   size.width, size.height, stride);
    } catch (const std::bad_alloc&) {
        return false;
    }
    image.width = size.width;
    image.height = size.height;
    image.stride = stride;
    image.bytes.shrink(stride * size.height);
    for (std::uint32_t y = 0; y < size.height; ++y)
        image.bytes.data()[std::size_t(y) * stride] = 0; // filter type "none"
    return true;
}

// The Y, U and V planes as the lossy bitstream holds them, at `size`: no colour conversion, no
// chroma upsampling; scaled, each plane on its own.
bool decodePlanes(const std::uint8_t* data, std::size_t size, WebPDecoderConfig& config,
                  PictureSize pictureSize, YuvPlanes& planes, std::string& error,
                  DecodeFailure* failure)
{
    if (!planes.allocate(pictureSize.width, pictureSize.height))
        return failedForMemory(error, failure);
    scaleWhileDecoding(config, pictureSize);
    config.output.colorspace = MODE_YUV;
    config.output.is_external_memory = 1;
    WebPYUVABuffer& yuv = config.output.u.YUVA;
    yuv.y = planes.y();
    yuv.y_stride = static_cast<int>(planes.width);
    yuv.y_size = planes.lumaSize();
    yuv.u = planes.u();
    yuv.v = planes.v();
    yuv.u_stride = yuv.v_stride = static_cast<int>(planes.chromaWidth());
    yuv.u_size = yuv.v_size = planes.chromaSize();
    const VP8StatusCode status = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    return status == VP8_STATUS_OK || failedOnStatus(status, error, failure);
}

// With planes given, a lossy picture without alpha goes into them (planar set), any other one
// into image as always; at the size that fits within fitWithin.
bool decodeStill(const std::uint8_t* data, std::size_t size, Scanlines& image, YuvPlanes* planes,
                 bool& planar, std::uint32_t fitWithin, std::string& error, DecodeFailure* failure)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) {
        error = "libwebp version mismatch";
        return failed(failure, DecodeFailure::Kind::NotWebp);
    }
    const VP8StatusCode featureStatus = WebPGetFeatures(data, size, &config.input);
    if (featureStatus == VP8_STATUS_NOT_ENOUGH_DATA) {
        error = whyNotDecodable(data, size);
        return failed(failure, DecodeFailure::Kind::NotWebp);
    }
    if (featureStatus != VP8_STATUS_OK)
        return failedOnStatus(featureStatus, error, failure);
    const bool hasAlpha = config.input.has_alpha != 0;
    const bool lossy = config.input.format == LossyFormat;
    const PictureSize fitted = fittedSize(config.input.width, config.input.height, fitWithin);
    planar = planes && lossy && !hasAlpha;
    if (planar) {
        takeLargerBuffer(planes->bytes, &image.bytes);
        return decodePlanes(data, size, config, fitted, *planes, error, failure);
    }
    // libwebp scales a lossy picture's colours and its alpha each on its own, so the colour
    // under transparent pixels (black, often) would darken the edges of what shows; such a
    // picture is shrunk after decoding, weighting colours by alpha. Its lossless decoder
    // premultiplies before it scales.
    const bool shrinkAfter = lossy && hasAlpha;
    const PictureSize decoded = shrinkAfter ? PictureSize{std::uint32_t(config.input.width),
                                                          std::uint32_t(config.input.height)}
                                            : fitted;
    takeLargerBuffer(image.bytes, planes ? &planes->bytes : nullptr);
    if (!image.allocate(decoded.width, decoded.height, hasAlpha))
        return failedForMemory(error, failure);
    scaleWhileDecoding(config, decoded);
    image.lossless = config.input.format == 2;
    // Decode straight into the PNG row layout: one byte past each filter byte, one PNG row apart.
    config.output.colorspace = hasAlpha ? MODE_RGBA : MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.row(0);
    config.output.u.RGBA.stride = static_cast<int>(image.stride);
    config.output.u.RGBA.size = image.bytes.size() - 1;
    const VP8StatusCode status = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        return failedOnStatus(status, error, failure);
    return shrinkRows(image, fitted) || failedForMemory(error, failure);
}

bool anyPixelTranslucent(const Scanlines& image)
{
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* rgba = image.row(y);
        for (std::uint32_t x = 0; x < image.width; ++x)
            if (rgba[x * 4 + 3] != 0xff)
                return true;
    }
    return false;
}

// An RGBA image turned into RGB where it lies: each RGB row and pixel starts at or before the
// RGBA one it comes from, so nothing is overwritten before it is read.
void dropAlpha(Scanlines& image)
{
    const std::size_t rgbaStride = image.stride;
    const std::size_t rgbStride = 1 + std::size_t(image.width) * 3;
    std::uint8_t* bytes = image.bytes.data();
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* from = bytes + std::size_t(y) * rgbaStride + 1;
        std::uint8_t* to = bytes + std::size_t(y) * rgbStride;
        *to++ = 0; // filter type "none"
        for (std::uint32_t x = 0; x < image.width; ++x, from += 4, to += 3) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    image.hasAlpha = false;
    image.stride = rgbStride;
    image.bytes.shrink(rgbStride * image.height);
}

// Transparent black around the first frame, as an animation's canvas starts.
void clearAroundFrame(Scanlines& image, const WebPIterator& frame)
{
    const std::size_t rowBytes = std::size_t(image.width) * 4;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.row(y);
        const bool frameRow =
            y >= std::uint32_t(frame.y_offset) && y < std::uint32_t(frame.y_offset + frame.height);
        if (!frameRow) {
            std::memset(row, 0, rowBytes);
            continue;
        }
        std::memset(row, 0, std::size_t(frame.x_offset) * 4);
        const std::size_t right = std::size_t(frame.x_offset + frame.width) * 4;
        std::memset(row + right, 0, rowBytes - right);
    }
}

// The first frame of an animation, composed on its canvas as libwebpdemux's animation decoder
// composes it: the canvas starts transparent black and the frame is decoded into its place.
// Done here rather than by that decoder, which holds two canvases besides the result and
// reports every failure alike: a picture too large for the memory is told from a damaged one.
bool decodeFirstFrame(WebPDemuxer* demuxer, Scanlines& image, PageBuffer* spare,
                      std::uint32_t fitWithin, std::string& error, DecodeFailure* failure)
{
    WebPIterator frame;
    if (!WebPDemuxGetFrame(demuxer, 1, &frame)) {
        error = "the animation has no frame";
        return failed(failure, DecodeFailure::Kind::NotWebp);
    }
    const auto release = [&frame] { WebPDemuxReleaseIterator(&frame); };
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) {
        release();
        error = "libwebp version mismatch";
        return failed(failure, DecodeFailure::Kind::NotWebp);
    }
    const VP8StatusCode featureStatus =
        WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &config.input);
    if (featureStatus != VP8_STATUS_OK) {
        release();
        failedOnStatus(featureStatus, error, failure);
        if (featureStatus != VP8_STATUS_OUT_OF_MEMORY)
            error = "the first frame of the animation is damaged or truncated";
        return false;
    }
    const std::uint32_t width = WebPDemuxGetI(demuxer, WEBP_FF_CANVAS_WIDTH);
    const std::uint32_t height = WebPDemuxGetI(demuxer, WEBP_FF_CANVAS_HEIGHT);
    takeLargerBuffer(image.bytes, spare);
    if (!image.allocate(width, height, true)) {
        release();
        return failedForMemory(error, failure);
    }
    image.lossless = config.input.format == 2;
    clearAroundFrame(image, frame);
    config.output.colorspace = MODE_RGBA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.row(frame.y_offset) + std::size_t(frame.x_offset) * 4;
    config.output.u.RGBA.stride = static_cast<int>(image.stride);
    config.output.u.RGBA.size =
        image.stride * std::size_t(frame.height - 1) + std::size_t(frame.width) * 4;
    const VP8StatusCode status = WebPDecode(frame.fragment.bytes, frame.fragment.size, &config);
    WebPFreeDecBuffer(&config.output);
    release();
    if (status != VP8_STATUS_OK) {
        failedOnStatus(status, error, failure);
        if (status != VP8_STATUS_OUT_OF_MEMORY)
            error = "the first frame of the animation is damaged or truncated";
        return false;
    }
    if (!anyPixelTranslucent(image))
        dropAlpha(image);
    return shrinkRows(image, fittedSize(width, height, fitWithin))
           || failedForMemory(error, failure);
}

// Reads until `used` reaches `end` or the file ends, growing `bytes` when the file turns out
// longer than it said; false with the error number when a read fails.
bool readUpTo(int fd, std::vector<std::uint8_t>& bytes, std::size_t& used, std::uint64_t end,
              int& errorNumber)
{
    while (used < end) {
        if (used == bytes.size())
            bytes.resize(std::size_t(std::min<std::uint64_t>(end, bytes.size() * 2 + PrefixSize)));
        const std::size_t room = std::size_t(std::min<std::uint64_t>(bytes.size(), end)) - used;
        const ssize_t got = fs::read(fd, bytes.data() + used, room);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            errorNumber = errno;
            return false;
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    return true;
}

// Whether the first bytes of a file already show it is no WebP, whatever follows them: a
// decoder would give up on these alone.
bool prefixIsNoWebp(const std::vector<std::uint8_t>& bytes, std::size_t used)
{
    WebPBitstreamFeatures features;
    const VP8StatusCode status = WebPGetFeatures(bytes.data(), used, &features);
    return status == VP8_STATUS_BITSTREAM_ERROR || status == VP8_STATUS_UNSUPPORTED_FEATURE;
}

bool readOpenFile(int fd, std::uint64_t fileSize, std::vector<std::uint8_t>& bytes,
                  std::size_t& used, int& errorNumber)
{
    // One byte of room past the expected size tells the end without a second pass for files
    // that do not grow while being read. Room for the rest is made only once the first bytes
    // are known to be worth it.
    used = 0;
    bytes.resize(std::size_t(std::min<std::uint64_t>(fileSize, PrefixSize)) + 1);
    if (!readUpTo(fd, bytes, used, PrefixSize, errorNumber))
        return false;
    if (used < PrefixSize || prefixIsNoWebp(bytes, used)) // all of it, or all that matters
        return true;
    std::uint64_t end = MaxWebpFileSize;
    if (hasRiffWebpHeader(bytes.data(), used))
        end = std::max<std::uint64_t>(std::uint64_t(littleEndian(bytes.data() + 4, 4)) + 8, used);
    bytes.resize(std::size_t(std::max<std::uint64_t>(used, std::min(end, fileSize + 1))));
    return readUpTo(fd, bytes, used, end, errorNumber);
}

} // namespace

bool Scanlines::allocate(std::uint32_t newWidth, std::uint32_t newHeight, bool newHasAlpha)
{
    width = newWidth;
    height = newHeight;
    hasAlpha = newHasAlpha;
    lossless = false;
    stride = 1 + std::size_t(width) * channels();
    if (!bytes.allocate(stride * height))
        return false;
    for (std::uint32_t y = 0; y < height; ++y)
        bytes.data()[std::size_t(y) * stride] = 0; // filter type "none"
    return true;
}

bool YuvPlanes::allocate(std::uint32_t newWidth, std::uint32_t newHeight)
{
    width = newWidth;
    height = newHeight;
    return bytes.allocate(lumaSize() + 2 * chromaSize());
}

std::uint64_t DecodedPicture::pixelBytes() const
{
    if (planar)
        return std::uint64_t(yuv.lumaSize()) + 2 * std::uint64_t(yuv.chromaSize());
    return std::uint64_t(rgb.width) * rgb.height * rgb.channels();
}

namespace {

bool decodeAny(const std::uint8_t* data, std::size_t size, Scanlines& image, YuvPlanes* planes,
               bool& planar, std::uint32_t fitWithin, WebpMetadata& metadata, std::string& error,
               DecodeFailure* failure)
{
    planar = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (declaresTooLargeCanvas(data, size, width, height)) {
        error = "the picture is too large (" + std::to_string(width) + " x "
                + std::to_string(height) + "; a WebP picture is at most 16383 x 16383)";
        if (failure) {
            failure->width = width;
            failure->height = height;
        }
        return failed(failure, DecodeFailure::Kind::TooLarge);
    }
    const WebPData webp = {data, size};
    Demuxer demuxer(WebPDemux(&webp));
    if (!demuxer) {
        error = whyNotDecodable(data, size);
        return failed(failure, DecodeFailure::Kind::NotWebp);
    }
    readMetadata(demuxer.get(), metadata);
    const bool animated = WebPDemuxGetI(demuxer.get(), WEBP_FF_FORMAT_FLAGS) & ANIMATION_FLAG;
    return animated ? decodeFirstFrame(demuxer.get(), image, planes ? &planes->bytes : nullptr,
                                       fitWithin, error, failure)
                    : decodeStill(data, size, image, planes, planar, fitWithin, error, failure);
}

} // namespace

bool decodeWebp(const std::uint8_t* data, std::size_t size, Scanlines& image,
                WebpMetadata& metadata, std::string& error, DecodeFailure* failure)
{
    bool planar = false;
    return decodeAny(data, size, image, nullptr, planar, 0, metadata, error, failure);
}

bool decodeWebp(const std::uint8_t* data, std::size_t size, DecodedPicture& picture,
                bool planesAllowed, std::uint32_t fitWithin, WebpMetadata& metadata,
                std::string& error, DecodeFailure* failure)
{
    return decodeAny(data, size, picture.rgb, planesAllowed ? &picture.yuv : nullptr,
                     picture.planar, fitWithin, metadata, error, failure);
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error,
                   DecodeFailure* failure)
{
    // Opening does not wait: without O_NONBLOCK, opening a FIFO blocks until a writer comes. Only
    // a regular file is read, so a FIFO, a device such as /dev/zero behind a .webp name, or a
    // socket is refused before a byte is read, rather than hanging or growing without bound.
    // Windows has no FIFOs in the file system, and its devices (NUL, CON) are not regular files.
#ifndef _WIN32
    const int fd = fs::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#else
    const int fd = fs::open(path, O_RDONLY);
#endif
    if (fd < 0) {
        // Only Windows refuses to open a folder, with EISDIR from fs::open.
        if (errno == EISDIR) {
            error = path + " is a folder, not a file";
            return failed(failure, DecodeFailure::Kind::NotWebp);
        }
        const int openError = errno;
        error = "cannot open " + path + ": " + std::strerror(openError);
        return failed(failure, DecodeFailure::Kind::Unreadable, openError);
    }
    fs::FileInfo info;
    std::string why;
    int errorNumber = 0;
    DecodeFailure::Kind kind = DecodeFailure::Kind::NotWebp;
    if (fs::fstat(fd, info) != 0) {
        errorNumber = errno;
        kind = DecodeFailure::Kind::Unreadable;
        why = "cannot read " + path + ": " + std::strerror(errorNumber);
    } else if (S_ISDIR(info.st_mode)) {
        why = path + " is a folder, not a file";
    } else if (!S_ISREG(info.st_mode)) {
        why = path + ": not a regular file";
    } else if (std::uint64_t(info.st_size) > MaxWebpFileSize) {
        why = path + " is larger than a WebP file can be";
    }
#ifndef _WIN32
    // Back to ordinary reads, which wait for data rather than fail with EAGAIN.
    else if (const int flags = fcntl(fd, F_GETFL);
             flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        errorNumber = errno;
        kind = DecodeFailure::Kind::Unreadable;
        why = "cannot read " + path + ": " + std::strerror(errorNumber);
    }
#endif
    if (!why.empty()) {
        error = why;
        close(fd);
        return failed(failure, kind, errorNumber);
    }
    std::size_t used = 0;
    bool read = false;
    try {
        read = readOpenFile(fd, std::uint64_t(info.st_size), bytes, used, errorNumber);
    } catch (const std::bad_alloc&) {
        close(fd);
        bytes = {};
        error = "not enough memory to read " + path;
        return failed(failure, DecodeFailure::Kind::OutOfMemory);
    }
    close(fd);
    if (!read) {
        error = "cannot read " + path + ": " + std::strerror(errorNumber);
        return failed(failure, DecodeFailure::Kind::Unreadable, errorNumber);
    }
    bytes.resize(used);
    return true;
}

} // namespace orvalin::tools
