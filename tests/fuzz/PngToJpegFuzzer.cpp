// Fuzz target: a PNG file's bytes through jpeg-encode's whole path, pngToJpeg() from a memory
// stream into another, as the tool does with real files. The input's last byte picks the
// quality (1 to 100, from its low 7 bits) and the bytes before it are the PNG; a reader stops
// at IEND, so the seed files, PNGs with one byte appended, stay valid PNGs. Every JPEG written
// must decode, whole and without warnings, to an image of the PNG's size.
//
// A change inside a chunk nearly always breaks its CRC, which the reader checks first, so most
// mutations would never get further. When the last byte's top bit is set, every chunk's CRC
// is made right before the PNG is read. (To replay such an input through jpeg-encode, make its
// CRCs right the same way.)

#include "tools/jpeg-encode/PngToJpeg.h"

#include <jpeglib.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace orvalin::tools;

namespace {

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "png-to-jpeg: %s\n", what);
    std::abort();
}

void expect(bool condition, const char* what)
{
    if (!condition)
        fault(what);
}

struct CheckingErrors
{
    jpeg_error_mgr standard;
    std::jmp_buf failed;
};

extern "C" void onDecodeError(j_common_ptr jpeg)
{
    jpeg->err->output_message(jpeg);
    std::longjmp(reinterpret_cast<CheckingErrors*>(jpeg->err)->failed, 1);
}

// Warnings (level -1) are corrupt-data reports: the encoder's output must not cause any.
extern "C" void onDecodeMessage(j_common_ptr jpeg, int level)
{
    if (level < 0)
        onDecodeError(jpeg);
}

// Whether the JPEG decodes whole and without warnings to width x height in three YCbCr
// components; libjpeg prints the reason when it does not decode.
bool decodesTo(const unsigned char* jpegBytes, std::size_t size, std::uint32_t width,
               std::uint32_t height)
{
    jpeg_decompress_struct jpeg;
    CheckingErrors errors;
    jpeg.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = onDecodeError;
    errors.standard.emit_message = onDecodeMessage;
    auto* row = static_cast<JSAMPLE*>(std::malloc(std::size_t(width) * 3));
    if (setjmp(errors.failed)) {
        std::free(row);
        jpeg_destroy_decompress(&jpeg);
        return false;
    }
    jpeg_create_decompress(&jpeg);
    jpeg_mem_src(&jpeg, jpegBytes, size);
    jpeg_read_header(&jpeg, TRUE);
    const bool shaped = jpeg.image_width == width && jpeg.image_height == height
                        && jpeg.num_components == 3 && jpeg.jpeg_color_space == JCS_YCbCr;
    if (shaped) {
        jpeg_start_decompress(&jpeg);
        while (jpeg.output_scanline < jpeg.output_height)
            jpeg_read_scanlines(&jpeg, &row, 1);
        jpeg_finish_decompress(&jpeg);
    }
    std::free(row);
    jpeg_destroy_decompress(&jpeg);
    return shaped;
}

std::uint32_t bigEndian(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16
           | std::uint32_t(bytes[2]) << 8 | bytes[3];
}

void putBigEndian(std::uint8_t* to, std::uint32_t value)
{
    to[0] = std::uint8_t(value >> 24);
    to[1] = std::uint8_t(value >> 16);
    to[2] = std::uint8_t(value >> 8);
    to[3] = std::uint8_t(value);
}

// Calls visit(type, data, length) for every whole chunk after the 8-byte signature.
template <typename Visit>
void forEachChunk(std::vector<std::uint8_t>& png, Visit visit)
{
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = bigEndian(&png[at]);
        if (length > png.size() - at - 12)
            break;
        visit(&png[at + 4], &png[at + 8], length);
        at += 12 + length;
    }
}

void repairCrcs(std::vector<std::uint8_t>& png)
{
    forEachChunk(png, [](std::uint8_t* type, std::uint8_t* data, std::uint32_t length) {
        putBigEndian(data + length, crc32(0, type, 4 + length));
    });
}

// The size in the first IHDR chunk; libpng lets unknown chunks come before it.
bool headerSize(std::vector<std::uint8_t>& png, std::uint32_t& width, std::uint32_t& height)
{
    bool found = false;
    forEachChunk(png, [&](std::uint8_t* type, std::uint8_t* data, std::uint32_t length) {
        if (!found && std::memcmp(type, "IHDR", 4) == 0 && length == 13) {
            width = bigEndian(data);
            height = bigEndian(data + 4);
            found = true;
        }
    });
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int quality = 1 + (data[size - 1] & 0x7f) % 100;
    std::vector<std::uint8_t> png(data, data + size - 1);
    if (data[size - 1] & 0x80)
        repairCrcs(png);
    std::FILE* input = fmemopen(png.data(), png.size(), "rb");
    char* jpegBytes = nullptr;
    std::size_t jpegSize = 0;
    std::FILE* output = open_memstream(&jpegBytes, &jpegSize);
    expect(input && output, "cannot open the memory streams");

    std::string error;
    const bool converted = pngToJpeg(input, output, quality, error);
    std::fclose(input);
    std::fclose(output);
    if (!converted) {
        expect(!error.empty(), "pngToJpeg failed without a reason");
        std::free(jpegBytes);
        return 0;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    expect(headerSize(png, width, height), "a PNG without an IHDR chunk was converted");
    const bool decodes =
        decodesTo(reinterpret_cast<unsigned char*>(jpegBytes), jpegSize, width, height);
    std::free(jpegBytes);
    expect(decodes, "the JPEG written does not decode to an image of the PNG's size");
    return 0;
}
