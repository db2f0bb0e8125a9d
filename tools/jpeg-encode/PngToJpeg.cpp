#include "tools/jpeg-encode/PngToJpeg.h"

#include "tools/jpeg-encode/ExifWithoutThumbnail.h"
#include "tools/jpeg-encode/Md5.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

// libpng and libjpeg report errors by calling a function that must not return. Both are sent to
// one longjmp back into pngToJpegSteps(). Everything that path has to release lives in an
// EncodeJob owned by the caller, and the functions between the setjmp and a longjmp hold only
// trivially destructible locals, so the jump skips no destructor.

namespace orvalin::tools {

namespace {

struct JpegErrors
{
    jpeg_error_mgr standard;
    struct EncodeJob* job;
};

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
    bool jpegCreated = false;
    jpeg_compress_struct jpeg;
    JpegErrors jpegErrors;

    unsigned char* row = nullptr;        // one row as libpng hands it over (RGB or RGBA)
    unsigned char* rgbRow = nullptr;     // that row flattened to RGB
    unsigned char* wholeImage = nullptr; // interlaced input only
    png_bytep* rowPointers = nullptr;    // interlaced input only
    unsigned char* iccProfile = nullptr;
    std::size_t iccSize = 0;
    std::vector<std::uint8_t> exifWithoutThumbnail; // an EXIF block made to fit one marker

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

extern "C" void onJpegError(j_common_ptr jpeg)
{
    char text[JMSG_LENGTH_MAX];
    jpeg->err->format_message(jpeg, text);
    failJob(reinterpret_cast<JpegErrors*>(jpeg->err)->job, "cannot write the JPEG: %s", text);
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

// A JPEG marker segment holds at most 65533 bytes after its length field.
constexpr std::size_t JpegSegmentMax = 65533;
// The largest XMP packet one APP1 segment takes, as Adobe's rules for XMP in JPEG set it.
constexpr std::size_t XmpStandardPacketMax = 65502;

// Bytes of the marker segment begun by jpeg_write_m_header.
void writeMarkerBytes(EncodeJob* job, const void* bytes, std::size_t size)
{
    const auto* at = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i)
        jpeg_write_m_byte(&job->jpeg, at[i]);
}

// The EXIF block byte for byte in one APP1 segment. A block too large for one is nearly always
// so for its thumbnail: the block then goes without it, and is left out only when even that
// does not fit or the block cannot be taken apart safely.
void writeExifMarker(EncodeJob* job, const png_unknown_chunk& chunk)
{
    static const unsigned char prefix[6] = {'E', 'x', 'i', 'f', 0, 0};
    constexpr std::size_t exifMax = JpegSegmentMax - sizeof prefix;
    const unsigned char* exif = chunk.data;
    std::size_t size = chunk.size;
    if (size > exifMax) {
        job->exifWithoutThumbnail = exifWithoutThumbnail(chunk.data, chunk.size, exifMax);
        if (job->exifWithoutThumbnail.empty()) {
            std::fputs("jpeg-encode: the EXIF block is too large for a JPEG APP1 marker and was "
                       "left out\n",
                       stderr);
            return;
        }
        std::fputs("jpeg-encode: the EXIF block is too large for a JPEG APP1 marker; its "
                   "thumbnail was left out\n",
                   stderr);
        exif = job->exifWithoutThumbnail.data();
        size = job->exifWithoutThumbnail.size();
    }
    jpeg_write_m_header(&job->jpeg, JPEG_APP0 + 1, static_cast<unsigned>(size + sizeof prefix));
    writeMarkerBytes(job, prefix, sizeof prefix);
    writeMarkerBytes(job, exif, size);
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

void writeXmpMarkers(EncodeJob* job, const png_byte* packet, std::size_t size)
{
    // "http://ns.adobe.com/xap/1.0/" and its zero byte, then the packet, in one APP1 segment.
    static const char standard[] = "http://ns.adobe.com/xap/1.0/";
    if (size <= XmpStandardPacketMax) {
        jpeg_write_m_header(&job->jpeg, JPEG_APP0 + 1, unsigned(sizeof standard + size));
        writeMarkerBytes(job, standard, sizeof standard);
        writeMarkerBytes(job, packet, size);
        return;
    }
    // Too large for one segment: the packet goes whole, byte for byte, into extension segments,
    // and the standard segment holds a packet that only names it by its GUID, the MD5 digest
    // in upper-case hex. Readers join the parts by that GUID and read the packet as a whole.
    // (A PNG chunk holds less than 2 GiB, so the length fits the segments' 32-bit fields.)
    std::uint8_t digest[16];
    md5(packet, size, digest);
    char guid[33];
    for (int i = 0; i < 16; ++i)
        std::snprintf(guid + 2 * i, 3, "%02X", digest[i]);
    char mainPacket[512];
    const int mainSize = std::snprintf(
        mainPacket, sizeof mainPacket,
        "<?xpacket begin=\"\xef\xbb\xbf\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">"
        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
        "<rdf:Description rdf:about=\"\" xmlns:xmpNote=\"http://ns.adobe.com/xmp/note/\" "
        "xmpNote:HasExtendedXMP=\"%s\"/>"
        "</rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>",
        guid);
    jpeg_write_m_header(&job->jpeg, JPEG_APP0 + 1, unsigned(sizeof standard + mainSize));
    writeMarkerBytes(job, standard, sizeof standard);
    writeMarkerBytes(job, mainPacket, std::size_t(mainSize));

    // Each extension segment: the signature and its zero byte, the GUID, the whole packet's
    // length and this part's offset in it (32 bits each, big-endian), then the part.
    static const char extension[] = "http://ns.adobe.com/xmp/extension/";
    constexpr std::size_t head = sizeof extension + 32 + 8;
    constexpr std::size_t partMax = JpegSegmentMax - head;
    for (std::size_t offset = 0; offset < size; offset += partMax) {
        const std::size_t part = std::min(partMax, size - offset);
        std::uint8_t numbers[8];
        for (int i = 0; i < 4; ++i) {
            numbers[i] = std::uint8_t(size >> (24 - 8 * i));
            numbers[4 + i] = std::uint8_t(offset >> (24 - 8 * i));
        }
        jpeg_write_m_header(&job->jpeg, JPEG_APP0 + 1, unsigned(head + part));
        writeMarkerBytes(job, extension, sizeof extension);
        writeMarkerBytes(job, guid, 32);
        writeMarkerBytes(job, numbers, 8);
        writeMarkerBytes(job, packet + offset, part);
    }
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
        case XmpChunk::Packet: writeXmpMarkers(job, packet, size); return;
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
            writeExifMarker(job, chunks[i]);
    writeXmp(job, chunks, count);
    for (int i = 0; i < count; ++i)
        if (std::memcmp(chunks[i].name, "iCCP", 4) == 0 && job->iccSize == 0) {
            unpackIccProfile(job, chunks[i]);
            jpeg_write_icc_profile(&job->jpeg, job->iccProfile,
                                   static_cast<unsigned>(job->iccSize));
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

void startJpeg(EncodeJob* job, png_uint_32 width, png_uint_32 height)
{
    jpeg_compress_struct& jpeg = job->jpeg;
    jpeg.err = jpeg_std_error(&job->jpegErrors.standard);
    job->jpegErrors.standard.error_exit = onJpegError;
    job->jpegErrors.job = job;
    jpeg_create_compress(&jpeg);
    job->jpegCreated = true;
    jpeg_stdio_dest(&jpeg, job->output);
    jpeg.image_width = width;
    jpeg.image_height = height;
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, job->quality, TRUE); // TRUE: baseline-compatible tables
    // 4:2:0: luma at full resolution, both chroma planes at half in each direction.
    jpeg.comp_info[0].h_samp_factor = 2;
    jpeg.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c)
        jpeg.comp_info[c].h_samp_factor = jpeg.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&jpeg, TRUE);
}

void writeRow(EncodeJob* job, unsigned char* row, int channels, png_uint_32 width)
{
    JSAMPROW rgb = row;
    if (channels == 4) {
        flattenOntoWhite(row, job->rgbRow, width);
        rgb = job->rgbRow;
    }
    jpeg_write_scanlines(&job->jpeg, &rgb, 1);
}

void streamRows(EncodeJob* job, png_uint_32 width, png_uint_32 height, int channels)
{
    job->row =
        static_cast<unsigned char*>(allocateOrFail(job, png_get_rowbytes(job->png, job->info)));
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(job->png, job->row, nullptr);
        writeRow(job, job->row, channels, width);
    }
}

// Interlaced rows arrive in several passes over the whole image, so it is read whole first.
void readWholeThenWrite(EncodeJob* job, png_uint_32 width, png_uint_32 height, int channels)
{
    const std::size_t rowBytes = png_get_rowbytes(job->png, job->info);
    job->wholeImage = static_cast<unsigned char*>(allocateOrFail(job, rowBytes * height));
    job->rowPointers = static_cast<png_bytep*>(allocateOrFail(job, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y)
        job->rowPointers[y] = job->wholeImage + rowBytes * y;
    png_read_image(job->png, job->rowPointers);
    for (png_uint_32 y = 0; y < height; ++y)
        writeRow(job, job->rowPointers[y], channels, width);
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
    job->rgbRow = static_cast<unsigned char*>(allocateOrFail(job, std::size_t(width) * 3));

    startJpeg(job, width, height);
    writeMetadataMarkers(job);
    if (interlaced)
        readWholeThenWrite(job, width, height, channels);
    else
        streamRows(job, width, height, channels);
    // Read to the end so a damaged or cut-off rest of the file is noticed too.
    png_read_end(job->png, nullptr);
    jpeg_finish_compress(&job->jpeg);
    return true;
}

void releaseJob(EncodeJob* job)
{
    if (job->jpegCreated)
        jpeg_destroy_compress(&job->jpeg);
    if (job->png)
        png_destroy_read_struct(&job->png, job->info ? &job->info : nullptr, nullptr);
    std::free(job->row);
    std::free(job->rgbRow);
    std::free(job->wholeImage);
    std::free(job->rowPointers);
    std::free(job->iccProfile);
}

} // namespace

void flattenOntoWhite(const unsigned char* rgba, unsigned char* rgb, unsigned width)
{
    for (unsigned x = 0; x < width; ++x, rgba += 4, rgb += 3) {
        const unsigned alpha = rgba[3];
        const unsigned white = 255 * (255 - alpha);
        for (int c = 0; c < 3; ++c) {
            // (v + 127) / 255 rounds v / 255 to the nearest integer for v up to 65025.
            const unsigned v = rgba[c] * alpha + white;
            rgb[c] = static_cast<unsigned char>((v + 127) / 255);
        }
    }
}

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
