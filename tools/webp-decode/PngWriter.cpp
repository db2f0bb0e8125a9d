#include "tools/webp-decode/PngWriter.h"

#include "tools/common/FileSystem.h"
#include "tools/common/OutputFile.h"

#include <libdeflate.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace orvalin::tools {

namespace {

constexpr std::size_t StoredBlockMax = 65535;        // the most a stored deflate block holds
constexpr std::size_t BlocksPerIdat = 16;            // about 1 MiB in each IDAT chunk
constexpr std::uint8_t ZlibHeader[2] = {0x78, 0x01}; // deflate, 32 KiB window, "fastest"

void putBigEndian(std::uint8_t* to, std::uint32_t value)
{
    to[0] = std::uint8_t(value >> 24);
    to[1] = std::uint8_t(value >> 16);
    to[2] = std::uint8_t(value >> 8);
    to[3] = std::uint8_t(value);
}

// Collects the pieces of one PNG chunk (length, type, data pieces, CRC) for one writev call,
// so large data pieces are written from where they lie.
class ChunkWriter
{
public:
    explicit ChunkWriter(int fd) : fd_(fd) {}

    void begin(const char type[4], std::uint32_t length)
    {
        pieces_.clear();
        putBigEndian(head_, length);
        std::memcpy(head_ + 4, type, 4);
        crc_ = libdeflate_crc32(0, type, 4);
        pieces_.push_back({head_, 8});
    }
    // The bytes must stay where they are until end().
    void add(const void* bytes, std::size_t size)
    {
        if (size == 0)
            return;
        crc_ = libdeflate_crc32(crc_, bytes, size);
        pieces_.push_back({const_cast<void*>(bytes), size});
    }
    bool end()
    {
        putBigEndian(tail_, crc_);
        pieces_.push_back({tail_, 4});
        return writePieces();
    }
    bool whole(const char type[4], const void* bytes, std::size_t size)
    {
        begin(type, static_cast<std::uint32_t>(size));
        add(bytes, size);
        return end();
    }

private:
    bool writePieces()
    {
        fs::iovec* next = pieces_.data();
        std::size_t left = pieces_.size();
        while (left > 0) {
            const ssize_t written =
                fs::writev(fd_, next, static_cast<int>(std::min<std::size_t>(left, fs::IovMax)));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            // Step past what was written, part of a piece included.
            auto done = static_cast<std::size_t>(written);
            while (left > 0 && done >= next->iov_len) {
                done -= next->iov_len;
                ++next;
                --left;
            }
            if (left > 0) {
                next->iov_base = static_cast<std::uint8_t*>(next->iov_base) + done;
                next->iov_len -= done;
            }
        }
        return true;
    }

    int fd_;
    std::uint8_t head_[8];
    std::uint8_t tail_[4];
    std::uint32_t crc_ = 0;
    std::vector<fs::iovec> pieces_;
};

std::vector<std::uint8_t> headerChunkData(const Scanlines& image)
{
    std::vector<std::uint8_t> data(13);
    putBigEndian(data.data(), image.width);
    putBigEndian(data.data() + 4, image.height);
    data[8] = 8;                        // bits per sample
    data[9] = image.hasAlpha ? 6 : 2;   // RGBA or RGB
    data[10] = data[11] = data[12] = 0; // deflate, adaptive filter set, not interlaced
    return data;
}

// iCCP: a profile name, a zero byte, the compression method (0) and the profile compressed.
bool iccChunkData(const std::vector<std::uint8_t>& profile, std::vector<std::uint8_t>& data)
{
    static const char name[] = "ICC profile";
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(9);
    if (!compressor)
        return false;
    const std::size_t head = sizeof name + 1; // name, its zero byte, the method byte
    data.assign(head + libdeflate_zlib_compress_bound(compressor, profile.size()), 0);
    std::memcpy(data.data(), name, sizeof name);
    const std::size_t packed = libdeflate_zlib_compress(compressor, profile.data(), profile.size(),
                                                        data.data() + head, data.size() - head);
    libdeflate_free_compressor(compressor);
    data.resize(head + packed);
    return packed > 0;
}

// The pixel data as one zlib stream of stored blocks, spread over IDAT chunks of BlocksPerIdat
// blocks each. Each block's 5-byte header lives in `headers`; the pixel bytes are not copied.
bool writeImageData(ChunkWriter& writer, const Scanlines& image)
{
    const std::uint8_t* raw = image.bytes.data();
    const std::size_t rawSize = image.stride * image.height;
    const std::size_t blocks =
        std::max<std::size_t>(1, (rawSize + StoredBlockMax - 1) / StoredBlockMax);
    std::uint8_t trailer[4];
    putBigEndian(trailer, libdeflate_adler32(1, raw, rawSize));

    std::vector<std::uint8_t> headers(blocks * 5);
    for (std::size_t first = 0; first < blocks; first += BlocksPerIdat) {
        const std::size_t last = std::min(blocks, first + BlocksPerIdat);
        std::size_t length = (first == 0 ? 2 : 0) + (last == blocks ? 4 : 0);
        for (std::size_t b = first; b < last; ++b)
            length += 5 + std::min(StoredBlockMax, rawSize - b * StoredBlockMax);
        writer.begin("IDAT", static_cast<std::uint32_t>(length));
        if (first == 0)
            writer.add(ZlibHeader, 2);
        for (std::size_t b = first; b < last; ++b) {
            const std::size_t size = std::min(StoredBlockMax, rawSize - b * StoredBlockMax);
            std::uint8_t* header = headers.data() + b * 5;
            header[0] = b + 1 == blocks ? 1 : 0; // BFINAL on the last block, type "stored"
            header[1] = std::uint8_t(size);
            header[2] = std::uint8_t(size >> 8);
            header[3] = std::uint8_t(~size);
            header[4] = std::uint8_t(~size >> 8);
            writer.add(header, 5);
            writer.add(raw + b * StoredBlockMax, size);
        }
        if (last == blocks)
            writer.add(trailer, 4);
        if (!writer.end())
            return false;
    }
    return true;
}

} // namespace

bool writePng(int fd, const Scanlines& image, const WebpMetadata& metadata, std::string& error)
{
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    ChunkWriter writer(fd);
    const auto header = headerChunkData(image);
    bool written = writeAll(fd, signature, sizeof signature)
                   && writer.whole("IHDR", header.data(), header.size());
    if (written && !metadata.iccProfile.empty()) {
        std::vector<std::uint8_t> icc;
        if (!iccChunkData(metadata.iccProfile, icc)) {
            error = "cannot compress the ICC profile";
            return false;
        }
        written = writer.whole("iCCP", icc.data(), icc.size());
    }
    if (written && !metadata.exif.empty())
        written = writer.whole("eXIf", metadata.exif.data(), metadata.exif.size());
    if (written && !metadata.xmp.empty()) {
        // The keyword and its zero byte, compression flag and method 0 (XMP is never
        // compressed), an empty language tag and an empty translated keyword, then the packet.
        static const char head[] = "XML:com.adobe.xmp\0\0\0\0"; // the fifth zero ends it
        writer.begin("iTXt", static_cast<std::uint32_t>(sizeof head + metadata.xmp.size()));
        writer.add(head, sizeof head);
        writer.add(metadata.xmp.data(), metadata.xmp.size());
        written = writer.end();
    }
    written = written && writeImageData(writer, image) && writer.whole("IEND", nullptr, 0);
    if (!written)
        error = std::string("cannot write the PNG file: ") + std::strerror(errno);
    return written;
}

} // namespace orvalin::tools
