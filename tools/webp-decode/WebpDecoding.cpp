#include "tools/webp-decode/WebpDecoding.h"

#include "tools/common/FileSystem.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace orvalin::tools {

namespace {

struct DemuxerDeleter
{
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};
struct AnimDecoderDeleter
{
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};
using Demuxer = std::unique_ptr<WebPDemuxer, DemuxerDeleter>;
using AnimDecoder = std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter>;

bool hasRiffWebpHeader(const std::uint8_t* data, std::size_t size)
{
    return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WEBP", 4) == 0;
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

bool decodeStill(const std::uint8_t* data, std::size_t size, Scanlines& image, std::string& error)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) {
        error = "libwebp version mismatch";
        return false;
    }
    const VP8StatusCode featureStatus = WebPGetFeatures(data, size, &config.input);
    if (featureStatus != VP8_STATUS_OK) {
        error = featureStatus == VP8_STATUS_NOT_ENOUGH_DATA ? whyNotDecodable(data, size)
                                                            : describeStatus(featureStatus);
        return false;
    }
    const bool hasAlpha = config.input.has_alpha != 0;
    if (!image.allocate(config.input.width, config.input.height, hasAlpha)) {
        error = "not enough memory for the image";
        return false;
    }
    // Decode straight into the PNG row layout: one byte past each filter byte, one PNG row apart.
    config.output.colorspace = hasAlpha ? MODE_RGBA : MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.row(0);
    config.output.u.RGBA.stride = static_cast<int>(image.stride);
    config.output.u.RGBA.size = image.bytes.size() - 1;
    const VP8StatusCode status = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        error = describeStatus(status);
        return false;
    }
    return true;
}

bool anyPixelTranslucent(const std::uint8_t* rgba, std::size_t pixels)
{
    for (std::size_t i = 0; i < pixels; ++i)
        if (rgba[i * 4 + 3] != 0xff)
            return true;
    return false;
}

bool decodeFirstFrame(const std::uint8_t* data, std::size_t size, Scanlines& image,
                      std::string& error)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) {
        error = "libwebp version mismatch";
        return false;
    }
    options.color_mode = MODE_RGBA;
    const WebPData webp = {data, size};
    AnimDecoder decoder(WebPAnimDecoderNew(&webp, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) {
        error = whyNotDecodable(data, size);
        return false;
    }
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) {
        error = "the first frame of the animation is damaged or truncated";
        return false;
    }
    const std::size_t pixels = std::size_t(info.canvas_width) * info.canvas_height;
    const bool hasAlpha = anyPixelTranslucent(canvas, pixels);
    if (!image.allocate(info.canvas_width, info.canvas_height, hasAlpha)) {
        error = "not enough memory for the image";
        return false;
    }
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* from = canvas + std::size_t(y) * info.canvas_width * 4;
        std::uint8_t* to = image.row(y);
        if (hasAlpha) {
            std::memcpy(to, from, std::size_t(info.canvas_width) * 4);
            continue;
        }
        for (std::uint32_t x = 0; x < image.width; ++x, from += 4, to += 3) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return true;
}

} // namespace

bool Scanlines::allocate(std::uint32_t newWidth, std::uint32_t newHeight, bool newHasAlpha)
{
    width = newWidth;
    height = newHeight;
    hasAlpha = newHasAlpha;
    stride = 1 + std::size_t(width) * channels();
    if (!bytes.allocate(stride * height))
        return false;
    for (std::uint32_t y = 0; y < height; ++y)
        bytes.data()[std::size_t(y) * stride] = 0; // filter type "none"
    return true;
}

bool decodeWebp(const std::uint8_t* data, std::size_t size, Scanlines& image,
                WebpMetadata& metadata, std::string& error)
{
    const WebPData webp = {data, size};
    Demuxer demuxer(WebPDemux(&webp));
    if (!demuxer) {
        error = whyNotDecodable(data, size);
        return false;
    }
    readMetadata(demuxer.get(), metadata);
    const bool animated = WebPDemuxGetI(demuxer.get(), WEBP_FF_FORMAT_FLAGS) & ANIMATION_FLAG;
    return animated ? decodeFirstFrame(data, size, image, error)
                    : decodeStill(data, size, image, error);
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error)
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
        error = errno == EISDIR ? path + " is a folder, not a file"
                                : "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    fs::FileInfo info;
    std::string why;
    if (fs::fstat(fd, info) != 0)
        why = "cannot read " + path + ": " + std::strerror(errno);
    else if (S_ISDIR(info.st_mode))
        why = path + " is a folder, not a file";
    else if (!S_ISREG(info.st_mode))
        why = path + ": not a regular file";
#ifndef _WIN32
    // Back to ordinary reads, which wait for data rather than fail with EAGAIN.
    else if (const int flags = fcntl(fd, F_GETFL);
             flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        why = "cannot read " + path + ": " + std::strerror(errno);
#endif
    if (!why.empty()) {
        error = why;
        close(fd);
        return false;
    }
    // Read straight into the result; one byte of room past the expected size tells the end
    // without a second pass for files that do not grow while being read.
    std::size_t used = 0;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = fs::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = "cannot read " + path + ": " + std::strerror(errno);
            close(fd);
            return false;
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    close(fd);
    return true;
}

} // namespace orvalin::tools
