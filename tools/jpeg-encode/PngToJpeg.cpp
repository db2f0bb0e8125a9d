#include "tools/jpeg-encode/PngToJpeg.h"

#include "tools/codec/JpegWriter.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

// libpng reports errors by calling a function that must not return; it longjmps back into
// pngToJpegSteps(), and so does every failure found here, the JPEG writer's included (which
// catches libjpeg's own errors itself). Everything that path has to release lives in an
// EncodeJob owned by the caller, and the functions between the setjmp and a longjmp hold only
// trivially destructible locals, so the jump skips no destructor.

namespace orvalin::tools {

namespace {

// Checks every chunk's CRC as the bytes pass from the file to libpng, with libdeflate's CRC-32,
// which costs a third of zlib's that libpng would use. libpng's own CRC and Adler-32 checks are
// turned off: with every chunk's CRC intact the compressed data is what its writer wrote, so a
// damaged file is still refused, and the PNG costs less to read.
struct CheckedInput
{
    enum class Part { Signature, Length, Type, Data, Crc };
    std::FILE* file = nullptr;
    Part part = Part::Signature;
    std::size_t left = 8;    // bytes left in the current part
    std::uint32_t field = 0; // the length or CRC field being gathered
    std::uint32_t crc = 0;
    char type[5] = {};
};

struct EncodeJob
{
    CheckedInput input;
    std::FILE* output = nullptr;
    int quality = 0;

    png_structp png = nullptr;
    png_infop info = nullptr;
    JpegWriter jpeg{
        [](const char* warning) { std::fprintf(stderr, "jpeg-encode: %s\n", warning); }};

    unsigned char* row = nullptr;        // one row as libpng hands it over (RGB or RGBA)
    unsigned char* wholeImage = nullptr; // interlaced input only
    png_bytep* rowPointers = nullptr;    // interlaced input only
    unsigned char* iccProfile = nullptr;
    std::size_t iccSize = 0;

    char message[JMSG_LENGTH_MAX + 64] = {};
    std::jmp_buf failed;
};

[[noreturn]] void failJob(EncodeJob* job, const char* format, const char* detail)
{
    std::snprintf(job->message, sizeof job->message, format, detail);
    std::longjmp(job->failed, 1);
}

extern "C" void onPngError(png_structp png, png_const_charp message)
{
    failJob(static_cast<EncodeJob*>(png_get_error_ptr(png)), "cannot read the PNG: %s", message);
}

// Warnings are about things libpng repaired or skipped; the image is still readable.
extern "C" void onPngWarning(png_structp, png_const_charp) {}

// Follows the chunk structure through the bytes just read: gathers each length, type and CRC
// field, and runs the CRC over type and data.
void checkChunks(png_structp png, CheckedInput& in, const png_byte* bytes, std::size_t size)
{
    using Part = CheckedInput::Part;
    while (size > 0) {
        const std::size_t take = std::min(size, in.left);
        if (in.part == Part::Type || in.part == Part::Data)
            in.crc = libdeflate_crc32(in.crc, bytes, take);
        if (in.part == Part::Type)
            std::memcpy(in.type + (4 - in.left), bytes, take);
        if (in.part == Part::Length || in.part == Part::Crc)
            for (std::size_t i = 0; i < take; ++i)
                in.field = in.field << 8 | bytes[i];
        bytes += take;
        size -= take;
        in.left -= take;
        if (in.left > 0)
            return;
        switch (in.part) {
        case Part::Signature:
        case Part::Crc:
            if (in.part == Part::Crc && in.field != in.crc) {
                char message[64];
                std::snprintf(message, sizeof message, "the %s chunk is damaged (CRC mismatch)",
                              in.type);
                png_error(png, message);
            }
            in.part = Part::Length;
            in.left = 4;
            in.field = 0;
            break;
        case Part::Length:
            in.part = Part::Type;
            in.left = 4;
            in.crc = 0;
            break;
        case Part::Type:
            in.part = in.field > 0 ? Part::Data : Part::Crc;
            in.left = in.field > 0 ? in.field : 4;
            in.field = 0;
            break;
        case Part::Data:
            in.part = Part::Crc;
            in.left = 4;
            in.field = 0;
            break;
        }
    }
}

extern "C" void readCheckedInput(png_structp png, png_bytep data, std::size_t size)
{
    auto* in = static_cast<CheckedInput*>(png_get_io_ptr(png));
    if (std::fread(data, 1, size, in->file) != size)
        png_error(png, std::ferror(in->file) ? "read error" : "the file ends too early");
    checkChunks(png, *in, data, size);
}

// A failure the JPEG writer reported.
void checkJpeg(EncodeJob* job, bool written)
{
    if (!written)
        failJob(job, "%s", job->jpeg.error());
}

void* allocateOrFail(EncodeJob* job, std::size_t size)
{
    void* memory = std::malloc(size ? size : 1);
    if (!memory)
        failJob(job, "%s", "not enough memory");
    return memory;
}

// libpng checks the iCCP profile and drops any it finds fault with, and it rejects an eXIf
// block of an unexpected form. Both are to reach the JPEG exactly as they are, so libpng hands
// them over as raw chunks instead and they are unpacked here. So are iTXt chunks, one of which
// may hold the XMP packet: libpng would inflate every compressed one, and the XMP chunk is
// never compressed.
void keepMetadataChunksRaw(png_structp png)
{
    static const png_byte names[] = {'i', 'C', 'C', 'P', 0,   'e', 'X', 'I',
                                     'f', 0,   'i', 'T', 'X', 't', 0};
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_ALWAYS, names, 3);
}

// iCCP data: a name of 1 to 79 bytes, a zero byte, the method byte (0), then a zlib stream.
void unpackIccProfile(EncodeJob* job, const png_unknown_chunk& chunk)
{
    // An empty chunk has no data to search at all.
    const auto* zero = chunk.size == 0 ? nullptr
                                       : static_cast<const png_byte*>(std::memchr(
                                           chunk.data, 0, std::min<std::size_t>(chunk.size, 80)));
    if (!zero || std::size_t(zero - chunk.data) + 2 > chunk.size || zero[1] != 0)
        failJob(job, "%s", "the PNG's iCCP chunk is damaged");
    z_stream stream = {};
    if (inflateInit(&stream) != Z_OK)
        failJob(job, "%s", "not enough memory");
    stream.next_in = const_cast<Bytef*>(zero + 2);
    stream.avail_in = static_cast<uInt>(chunk.size - std::size_t(zero + 2 - chunk.data));
    std::size_t capacity = 4 * stream.avail_in + 1024;
    job->iccProfile = static_cast<unsigned char*>(allocateOrFail(job, capacity));
    int status = Z_OK;
    while (status == Z_OK) {
        if (job->iccSize == capacity) {
            capacity *= 2;
            void* grown = std::realloc(job->iccProfile, capacity);
            if (!grown) {
                inflateEnd(&stream);
                failJob(job, "%s", "not enough memory");
            }
            job->iccProfile = static_cast<unsigned char*>(grown);
        }
        stream.next_out = job->iccProfile + job->iccSize;
        stream.avail_out = static_cast<uInt>(capacity - job->iccSize);
        status = inflate(&stream, Z_NO_FLUSH);
        job->iccSize = capacity - stream.avail_out;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || job->iccSize == 0)
        failJob(job, "%s", "the PNG's ICC profile is damaged");
}

enum class XmpChunk { Other, Packet, Unusable };

// iTXt data: a keyword, a zero byte, the compression flag and method, a language tag and a
// translated keyword each ended by a zero byte, then the text. The XMP packet's chunk has the
// keyword "XML:com.adobe.xmp" and is never compressed; one with that keyword that cannot be
// read that way is Unusable. Any other iTXt chunk is plain text and not carried.
XmpChunk xmpPacketOf(const png_unknown_chunk& chunk, const png_byte*& packet, std::size_t& size)
{
    static const char keyword[] = "XML:com.adobe.xmp"; // with its zero byte
    if (chunk.size < sizeof keyword || std::memcmp(chunk.data, keyword, sizeof keyword) != 0)
        return XmpChunk::Other;
    const png_byte* at = chunk.data + sizeof keyword;
    const png_byte* const end = chunk.data + chunk.size;
    if (end - at < 2 || at[0] != 0 || at[1] != 0)
        return XmpChunk::Unusable;
    at += 2;
    for (int field = 0; field < 2; ++field) { // the language tag, the translated keyword
        const void* zero = std::memchr(at, 0, std::size_t(end - at));
        if (!zero)
            return XmpChunk::Unusable;
        at = static_cast<const png_byte*>(zero) + 1;
    }
    packet = at;
    size = std::size_t(end - at);
    return size > 0 ? XmpChunk::Packet : XmpChunk::Unusable;
}

// The first XMP chunk before the image data goes into APP1 markers; an unusable one is left
// out with a warning, and the image converts without it.
void writeXmp(EncodeJob* job, png_unknown_chunkp chunks, int count)
{
    for (int i = 0; i < count; ++i) {
        if (std::memcmp(chunks[i].name, "iTXt", 4) != 0)
            continue;
        const png_byte* packet = nullptr;
        std::size_t size = 0;
        switch (xmpPacketOf(chunks[i], packet, size)) {
        case XmpChunk::Other: continue;
        case XmpChunk::Packet: checkJpeg(job, job->jpeg.writeXmp(packet, size)); return;
        case XmpChunk::Unusable:
            std::fputs("jpeg-encode: the XMP chunk is damaged or compressed and was left out\n",
                       stderr);
            return;
        }
    }
}

// APP1 Exif, then APP1 XMP, then APP2 ICC_PROFILE, the order cameras and editors use.
void writeMetadataMarkers(EncodeJob* job)
{
    png_unknown_chunkp chunks = nullptr;
    const int count = png_get_unknown_chunks(job->png, job->info, &chunks);
    for (int i = 0; i < count; ++i)
        if (std::memcmp(chunks[i].name, "eXIf", 4) == 0)
            checkJpeg(job, job->jpeg.writeExif(chunks[i].data, chunks[i].size));
    writeXmp(job, chunks, count);
    for (int i = 0; i < count; ++i)
        if (std::memcmp(chunks[i].name, "iCCP", 4) == 0 && job->iccSize == 0) {
            unpackIccProfile(job, chunks[i]);
            checkJpeg(job, job->jpeg.writeIcc(job->iccProfile, job->iccSize));
        }
}

// Asks libpng for 8-bit RGB or RGBA rows whatever the PNG holds.
void requestEightBitRgb(EncodeJob* job)
{
    png_structp png = job->png;
    png_infop info = job->info;
    const int colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    png_set_scale_16(png);
    if (!(colorType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
}

void streamRows(EncodeJob* job, png_uint_32 height)
{
    job->row =
        static_cast<unsigned char*>(allocateOrFail(job, png_get_rowbytes(job->png, job->info)));
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(job->png, job->row, nullptr);
        checkJpeg(job, job->jpeg.writeRows(job->row, 0, 1));
    }
}

// Interlaced rows arrive in several passes over the whole image, so it is read whole first.
void readWholeThenWrite(EncodeJob* job, png_uint_32 height)
{
    const std::size_t rowBytes = png_get_rowbytes(job->png, job->info);
    job->wholeImage = static_cast<unsigned char*>(allocateOrFail(job, rowBytes * height));
    job->rowPointers = static_cast<png_bytep*>(allocateOrFail(job, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y)
        job->rowPointers[y] = job->wholeImage + rowBytes * y;
    png_read_image(job->png, job->rowPointers);
    checkJpeg(job, job->jpeg.writeRows(job->wholeImage, rowBytes, height));
}

bool pngToJpegSteps(EncodeJob* job)
{
    if (setjmp(job->failed))
        return false;

    png_byte signature[8];
    if (std::fread(signature, 1, 8, job->input.file) != 8 || png_sig_cmp(signature, 0, 8) != 0)
        failJob(job, "%s", "not a PNG file");
    job->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, job, onPngError, onPngWarning);
    if (!job->png)
        failJob(job, "%s", "not enough memory");
    job->info = png_create_info_struct(job->png);
    if (!job->info)
        failJob(job, "%s", "not enough memory");
    png_set_read_fn(job->png, &job->input, readCheckedInput);
    checkChunks(job->png, job->input, signature, 8);
    png_set_sig_bytes(job->png, 8);
    png_set_crc_action(job->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(job->png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    keepMetadataChunksRaw(job->png);
    png_read_info(job->png, job->info);

    const png_uint_32 width = png_get_image_width(job->png, job->info);
    const png_uint_32 height = png_get_image_height(job->png, job->info);
    if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
        failJob(job, "%s", "the image is larger than a JPEG can be (65500 pixels a side)");
    requestEightBitRgb(job);
    const bool interlaced = png_get_interlace_type(job->png, job->info) != PNG_INTERLACE_NONE;
    if (interlaced)
        png_set_interlace_handling(job->png);
    png_read_update_info(job->png, job->info);
    const int channels = png_get_channels(job->png, job->info);

    // A PNG is a lossless picture.
    checkJpeg(job, job->jpeg.start(job->output, width, height, channels,
                                   JpegSettingsFor(job->quality, true)));
    writeMetadataMarkers(job);
    if (interlaced)
        readWholeThenWrite(job, height);
    else
        streamRows(job, height);
    // Read to the end so a damaged or cut-off rest of the file is noticed too.
    png_read_end(job->png, nullptr);
    checkJpeg(job, job->jpeg.finish());
    return true;
}

void releaseJob(EncodeJob* job)
{
    if (job->png)
        png_destroy_read_struct(&job->png, job->info ? &job->info : nullptr, nullptr);
    std::free(job->row);
    std::free(job->wholeImage);
    std::free(job->rowPointers);
    std::free(job->iccProfile);
}

} // namespace

bool pngToJpeg(std::FILE* input, std::FILE* output, int quality, std::string& error)
{
    auto* job = new EncodeJob;
    job->input.file = input;
    job->output = output;
    job->quality = quality;
    const bool done = pngToJpegSteps(job);
    if (!done)
        error = job->message;
    releaseJob(job);
    delete job;
    return done;
}

} // namespace orvalin::tools
