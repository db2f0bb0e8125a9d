// Fuzz target: a WebP file's bytes through webp-decode's whole path, decodeWebp() then
// writePng() into a memory file, as the tool does with a real one. Every PNG written is read
// back and must hold exactly what was decoded: its chunks intact, the pixel rows equal to the
// decoded ones, the ICC profile and EXIF block equal to those found in the WebP file.

#include "tools/codec/WebpDecoding.h"
#include "tools/webp-decode/PngWriter.h"

#include <webp/decode.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace orvalin::tools;

namespace {

// Larger canvases run the same code and only cost time (a 16383x16383 canvas is 1 GiB).
constexpr std::uint64_t MaxPixels = 1 << 20;

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "webp-to-png: %s\n", what);
    std::abort();
}

void expect(bool condition, const char* what)
{
    if (!condition)
        fault(what);
}

std::uint32_t bigEndian(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16
           | std::uint32_t(bytes[2]) << 8 | bytes[3];
}

std::vector<std::uint8_t> inflateAll(const std::vector<std::uint8_t>& packed, std::size_t expected)
{
    std::vector<std::uint8_t> bytes(expected + 1); // one spare byte shows a stream that is too long
    uLongf size = bytes.size();
    expect(uncompress(bytes.data(), &size, packed.data(), packed.size()) == Z_OK,
           "a zlib stream in the PNG does not inflate");
    bytes.resize(size);
    return bytes;
}

struct PngContents
{
    std::vector<std::uint8_t> header, iccChunk, exif, xmpChunk, imageData;
};

// Walks the chunks of a PNG file, checking each CRC and that IEND ends the file.
PngContents readChunks(const std::vector<std::uint8_t>& png)
{
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    expect(png.size() >= 8 && std::memcmp(png.data(), signature, 8) == 0, "no PNG signature");
    PngContents contents;
    std::size_t at = 8;
    for (;;) {
        expect(png.size() - at >= 12, "a chunk runs past the end of the file");
        const std::uint32_t length = bigEndian(&png[at]);
        expect(png.size() - at - 12 >= length, "a chunk's length runs past the end of the file");
        const std::uint8_t* type = &png[at + 4];
        const std::uint8_t* data = type + 4;
        expect(crc32(0, type, 4 + length) == bigEndian(data + length), "a chunk's CRC is wrong");
        std::vector<std::uint8_t>* into = nullptr;
        if (std::memcmp(type, "IHDR", 4) == 0)
            into = &contents.header;
        else if (std::memcmp(type, "iCCP", 4) == 0)
            into = &contents.iccChunk;
        else if (std::memcmp(type, "eXIf", 4) == 0)
            into = &contents.exif;
        else if (std::memcmp(type, "iTXt", 4) == 0)
            into = &contents.xmpChunk;
        else if (std::memcmp(type, "IDAT", 4) == 0)
            into = &contents.imageData;
        if (into)
            into->insert(into->end(), data, data + length);
        at += 12 + length;
        if (std::memcmp(type, "IEND", 4) == 0)
            break;
    }
    expect(at == png.size(), "bytes follow the IEND chunk");
    return contents;
}

void checkPng(const std::vector<std::uint8_t>& png, const Scanlines& image,
              const WebpMetadata& metadata)
{
    const PngContents contents = readChunks(png);
    expect(contents.header.size() == 13, "IHDR is not 13 bytes");
    expect(bigEndian(&contents.header[0]) == image.width
               && bigEndian(&contents.header[4]) == image.height,
           "IHDR's size differs from the decoded image");
    expect(contents.header[8] == 8 && contents.header[9] == (image.hasAlpha ? 6 : 2),
           "IHDR's pixel format differs from the decoded image");

    const std::size_t rawSize = image.stride * image.height;
    const auto raw = inflateAll(contents.imageData, rawSize);
    expect(raw.size() == rawSize && std::memcmp(raw.data(), image.bytes.data(), rawSize) == 0,
           "the PNG's pixel rows differ from the decoded ones");

    expect(contents.exif == metadata.exif, "the eXIf chunk differs from the EXIF block");
    // The XMP packet follows its keyword and four zero bytes (no compression, method 0, no
    // language, no translated keyword), byte for byte.
    static const char xmpHead[] = "XML:com.adobe.xmp\0\0\0\0";
    std::vector<std::uint8_t> xmpExpected;
    if (!metadata.xmp.empty()) {
        xmpExpected.assign(xmpHead, xmpHead + sizeof xmpHead);
        xmpExpected.insert(xmpExpected.end(), metadata.xmp.begin(), metadata.xmp.end());
    }
    expect(contents.xmpChunk == xmpExpected, "the iTXt chunk differs from the XMP packet");
    expect(contents.iccChunk.empty() == metadata.iccProfile.empty(),
           "an iCCP chunk is missing or unexpected");
    if (!metadata.iccProfile.empty()) {
        static const char name[] = "ICC profile"; // with its zero byte, then method 0
        const std::size_t head = sizeof name + 1;
        expect(contents.iccChunk.size() > head
                   && std::memcmp(contents.iccChunk.data(), name, sizeof name) == 0
                   && contents.iccChunk[sizeof name] == 0,
               "the iCCP chunk's name or method is wrong");
        const std::vector<std::uint8_t> packed(contents.iccChunk.begin() + head,
                                               contents.iccChunk.end());
        expect(inflateAll(packed, metadata.iccProfile.size()) == metadata.iccProfile,
               "the iCCP profile differs from the WebP file's");
    }
}

std::vector<std::uint8_t> readBack(int fd)
{
    const off_t size = lseek(fd, 0, SEEK_END);
    expect(size >= 0, "cannot measure the written PNG");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    expect(pread(fd, bytes.data(), bytes.size(), 0) == size, "cannot read the written PNG back");
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    int width = 0;
    int height = 0;
    if (WebPGetInfo(data, size, &width, &height) && std::uint64_t(width) * height > MaxPixels)
        return 0;

    Scanlines image;
    WebpMetadata metadata;
    std::string error;
    if (!decodeWebp(data, size, image, metadata, error)) {
        expect(!error.empty(), "decodeWebp failed without a reason");
        return 0;
    }
    expect(image.width > 0 && image.height > 0 && image.bytes.size() == image.stride * image.height,
           "the decoded image's buffer does not match its size");

    static const int fd = memfd_create("webp-to-png", MFD_CLOEXEC);
    expect(fd >= 0 && ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0,
           "cannot prepare the memory file");
    if (!writePng(fd, image, metadata, error))
        fault(("writePng failed on a memory file: " + error).c_str());
    checkPng(readBack(fd), image, metadata);
    return 0;
}
