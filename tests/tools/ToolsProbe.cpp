// tools-probe: looks inside the PNG and JPEG files the tool tests make, with no code of the
// tools themselves, so a test can check what each file carries and how close its pixels come
// to a reference; and speaks the converter worker's protocol, the one header it shares with
// the worker.
//
//   tools-probe png-chunks FILE            chunk types in file order, one a line
//   tools-probe png-chunk FILE TYPE OUT    that chunk's data to OUT (iCCP: the profile unpacked)
//   tools-probe png-insert FILE TYPE DATA OUT  FILE with a chunk of DATA's bytes before IDAT
//   tools-probe jpeg-markers FILE          markers up to the image data, one a line (a DHT
//                                          segment as "DHT standard" or "DHT optimised")
//   tools-probe jpeg-icc FILE OUT          the ICC profile from the APP2 markers, joined in order
//   tools-probe jpeg-exif FILE OUT         the APP1 Exif block without its "Exif\0\0" prefix
//   tools-probe jpeg-xmp-extension FILE OUT  the extended XMP packet, its APP1 parts joined
//   tools-probe make-icc SIZE OUT          a well-formed RGB display profile of SIZE bytes
//   tools-probe webp-animation STILL W H OUT [X Y]  an animation of one frame, the lossless
//                                          STILL, at X, Y (even; 0, 0 unless given) on a canvas
//                                          of W x H
//   tools-probe psnr REFERENCE.ppm FILE.jpg  the JPEG, decoded as djpeg decodes it, against the
//                                          8-bit RGB PPM: PSNR over the three channels in dB,
//                                          "inf" when equal
//   tools-probe worker-request SOURCE OUTPUT QUALITY [METADATA FIT]
//                                          a convert-worker request to standard output; the
//                                          metadata kept (0, 1, 2) and the size to fit within
//                                          (0 keeps it) as numbers, by default 0 and 0
//   tools-probe worker-answers [FINALS]    convert-worker answers from standard input as lines
//                                          ("D 1234", "W text", "C", "N text", "F text"), up to
//                                          the end or FINALS final answers, reading no further

#include "tools/convert-worker/WorkerProtocol.h"

#include <zlib.h>

#include <cstdio> // before jpeglib.h, which uses FILE
#include <jpeglib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void die(const std::string& reason)
{
    std::fprintf(stderr, "tools-probe: %s\n", reason.c_str());
    std::exit(2);
}

Bytes readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        die(std::string("cannot open ") + path);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const char* path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        die(std::string("cannot write ") + path);
}

std::uint32_t bigEndian32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

struct PngChunk
{
    std::string type;
    Bytes data;
};

std::vector<PngChunk> pngChunks(const Bytes& file)
{
    if (file.size() < 8 || std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8) != 0)
        die("not a PNG file");
    std::vector<PngChunk> chunks;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = bigEndian32(&file[at]);
        if (at + 12 + length > file.size())
            die("PNG chunk runs past the end of the file");
        const auto* data = &file[at + 8];
        chunks.push_back({std::string(reinterpret_cast<const char*>(&file[at + 4]), 4),
                          Bytes(data, data + length)});
        at += 12 + length;
    }
    return chunks;
}

Bytes unpackIccp(const Bytes& data)
{
    const auto zero = std::find(data.begin(), data.end(), 0);
    if (zero == data.end() || zero + 2 > data.end())
        die("damaged iCCP chunk");
    const Bytes packed(zero + 2, data.end());
    Bytes profile(16 << 20);
    uLongf size = profile.size();
    if (uncompress(profile.data(), &size, packed.data(), packed.size()) != Z_OK)
        die("iCCP profile does not unpack");
    profile.resize(size);
    return profile;
}

struct JpegSegment
{
    int marker;
    Bytes data; // after the length field
};

// The marker segments from SOI up to SOS (the entropy-coded data is not walked).
std::vector<JpegSegment> jpegSegments(const Bytes& file)
{
    if (file.size() < 4 || file[0] != 0xff || file[1] != 0xd8)
        die("not a JPEG file");
    std::vector<JpegSegment> segments;
    for (std::size_t at = 2; at + 4 <= file.size();) {
        if (file[at] != 0xff)
            die("JPEG marker expected");
        const int marker = file[at + 1];
        const std::size_t length = std::size_t(file[at + 2]) << 8 | file[at + 3];
        if (length < 2 || at + 2 + length > file.size())
            die("JPEG segment runs past the end of the file");
        segments.push_back({marker, Bytes(&file[at + 4], &file[at + 2 + length])});
        if (marker == 0xda)
            break;
        at += 2 + length;
    }
    return segments;
}

bool startsWith(const Bytes& data, const char* prefix, std::size_t size)
{
    return data.size() >= size && std::memcmp(data.data(), prefix, size) == 0;
}

const char XmpStandard[] = "http://ns.adobe.com/xap/1.0/";
const char XmpExtension[] = "http://ns.adobe.com/xmp/extension/";

// Whether every Huffman table of a DHT segment has the code-length counts of the standard
// tables (ITU T.81 Annex K), which libjpeg writes unless it optimises them for the picture.
bool holdsStandardHuffmanTables(const Bytes& data)
{
    static const std::uint8_t standard[2][2][16] = {
        {{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},      // DC luminance
         {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}},     // DC chrominance
        {{0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},   // AC luminance
         {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77}}}; // AC chrominance
    for (std::size_t at = 0; at + 17 <= data.size();) {
        const int tableClass = data[at] >> 4;
        const int id = data[at] & 15;
        if (tableClass > 1 || id > 1 || std::memcmp(&data[at + 1], standard[tableClass][id], 16))
            return false;
        std::size_t values = 0;
        for (int i = 1; i <= 16; ++i)
            values += data[at + i];
        at += 17 + values;
    }
    return true;
}

void listJpegMarkers(const Bytes& file)
{
    for (const auto& segment : jpegSegments(file)) {
        if (segment.marker == 0xe1 && startsWith(segment.data, "Exif\0\0", 6))
            std::printf("APP1 Exif %zu\n", segment.data.size() - 6);
        else if (segment.marker == 0xe1 && startsWith(segment.data, XmpStandard, 29))
            std::printf("APP1 XMP %zu\n", segment.data.size() - 29);
        else if (segment.marker == 0xe1 && startsWith(segment.data, XmpExtension, 35))
            std::printf("APP1 XMP extension %zu\n", segment.data.size() - 75);
        else if (segment.marker == 0xe2 && startsWith(segment.data, "ICC_PROFILE\0", 12))
            std::printf("APP2 ICC_PROFILE %d/%d %zu\n", segment.data[12], segment.data[13],
                        segment.data.size() - 14);
        else if (segment.marker >= 0xe0 && segment.marker <= 0xef)
            std::printf("APP%d\n", segment.marker - 0xe0);
        else if (segment.marker >= 0xc0 && segment.marker <= 0xcf && segment.marker != 0xc4
                 && segment.marker != 0xc8 && segment.marker != 0xcc)
            std::printf("SOF%d\n", segment.marker - 0xc0);
        else if (segment.marker == 0xc4)
            std::printf("DHT %s\n",
                        holdsStandardHuffmanTables(segment.data) ? "standard" : "optimised");
        else if (segment.marker == 0xda)
            std::printf("SOS\n");
    }
}

Bytes jpegIcc(const Bytes& file)
{
    std::map<int, Bytes> parts;
    for (const auto& segment : jpegSegments(file))
        if (segment.marker == 0xe2 && startsWith(segment.data, "ICC_PROFILE\0", 12))
            parts[segment.data[12]].assign(segment.data.begin() + 14, segment.data.end());
    Bytes profile;
    int expected = 1;
    for (const auto& [sequence, part] : parts) {
        if (sequence != expected++)
            die("ICC_PROFILE markers are not numbered 1, 2, 3...");
        profile.insert(profile.end(), part.begin(), part.end());
    }
    return profile;
}

Bytes jpegExif(const Bytes& file)
{
    for (const auto& segment : jpegSegments(file))
        if (segment.marker == 0xe1 && startsWith(segment.data, "Exif\0\0", 6))
            return Bytes(segment.data.begin() + 6, segment.data.end());
    return {};
}

// Each extension marker: signature, GUID (32 bytes), full length and offset (32 bits each,
// big-endian), part. All must name one GUID and one length, and their parts fill it exactly.
Bytes jpegXmpExtension(const Bytes& file)
{
    std::map<std::uint32_t, Bytes> parts;
    std::string guid;
    std::uint32_t length = 0;
    for (const auto& segment : jpegSegments(file)) {
        if (segment.marker != 0xe1 || !startsWith(segment.data, XmpExtension, 35))
            continue;
        if (segment.data.size() < 75)
            die("XMP extension marker too short");
        const std::string partGuid(segment.data.begin() + 35, segment.data.begin() + 67);
        if (!guid.empty() && (partGuid != guid || bigEndian32(&segment.data[67]) != length))
            die("XMP extension markers disagree on the GUID or the length");
        guid = partGuid;
        length = bigEndian32(&segment.data[67]);
        parts[bigEndian32(&segment.data[71])].assign(segment.data.begin() + 75, segment.data.end());
    }
    Bytes packet;
    for (const auto& [offset, part] : parts) {
        if (offset != packet.size())
            die("XMP extension parts overlap or leave a gap");
        packet.insert(packet.end(), part.begin(), part.end());
    }
    if (packet.size() != length)
        die("XMP extension parts do not add up to the length they name");
    return packet;
}

// file with one more chunk, of the given type and data, just before its first IDAT chunk.
Bytes insertPngChunk(const Bytes& file, const std::string& type, const Bytes& data)
{
    std::size_t at = 8;
    for (const auto& chunk : pngChunks(file)) {
        if (chunk.type == "IDAT")
            break;
        at += 12 + chunk.data.size();
    }
    Bytes chunk(8);
    for (int i = 0; i < 4; ++i)
        chunk[i] = std::uint8_t(data.size() >> (24 - 8 * i));
    std::memcpy(&chunk[4], type.data(), 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    const uLong crc = crc32(0, &chunk[4], uInt(chunk.size() - 4));
    for (int i = 0; i < 4; ++i)
        chunk.push_back(std::uint8_t(crc >> (24 - 8 * i)));
    Bytes result(file.begin(), file.begin() + std::ptrdiff_t(at));
    result.insert(result.end(), chunk.begin(), chunk.end());
    result.insert(result.end(), file.begin() + std::ptrdiff_t(at), file.end());
    return result;
}

void putBigEndian32(Bytes& to, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        to[at + i] = std::uint8_t(value >> (24 - 8 * i));
}

void appendLittleEndian(Bytes& to, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to.push_back(std::uint8_t(value >> (8 * i)));
}

void appendChunk(Bytes& to, const char* type, const Bytes& payload)
{
    to.insert(to.end(), type, type + 4);
    appendLittleEndian(to, std::uint32_t(payload.size()), 4);
    to.insert(to.end(), payload.begin(), payload.end());
    if (payload.size() % 2)
        to.push_back(0);
}

// An animated WebP of one frame, the lossless still's picture at (x, y) (even numbers) on a
// canvas of the given size, which may be larger than any bitstream could be.
Bytes webpAnimation(const Bytes& still, std::uint32_t canvasWidth, std::uint32_t canvasHeight,
                    std::uint32_t x, std::uint32_t y)
{
    if (still.size() < 25 || std::memcmp(&still[12], "VP8L", 4) != 0 || still[20] != 0x2f)
        die("the still must be a simple lossless WebP file");
    const std::uint32_t width = 1 + (still[21] | (still[22] & 0x3f) << 8);
    const std::uint32_t height = 1 + (still[22] >> 6 | still[23] << 2 | (still[24] & 0x0f) << 10);
    const std::uint32_t bitstreamSize =
        still[16] | still[17] << 8 | still[18] << 16 | std::uint32_t(still[19]) << 24;
    Bytes header;
    header.push_back(0x12); // animation and alpha
    appendLittleEndian(header, 0, 3);
    appendLittleEndian(header, canvasWidth - 1, 3);
    appendLittleEndian(header, canvasHeight - 1, 3);
    Bytes animation;
    appendLittleEndian(animation, 0, 4); // background colour
    appendLittleEndian(animation, 0, 2); // loop for ever
    Bytes frame;
    appendLittleEndian(frame, x / 2, 3);
    appendLittleEndian(frame, y / 2, 3);
    appendLittleEndian(frame, width - 1, 3);
    appendLittleEndian(frame, height - 1, 3);
    appendLittleEndian(frame, 100, 3); // milliseconds
    frame.push_back(0);
    appendChunk(frame, "VP8L", Bytes(&still[20], &still[20] + bitstreamSize));
    Bytes file{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
    appendChunk(file, "VP8X", header);
    appendChunk(file, "ANIM", animation);
    appendChunk(file, "ANMF", frame);
    const std::uint32_t riffSize = std::uint32_t(file.size() - 8);
    for (int i = 0; i < 4; ++i)
        file[4 + i] = std::uint8_t(riffSize >> (8 * i));
    return file;
}

// A v2 display profile: the 128-byte header, a tag table with one private tag that fills the
// rest with a counting pattern, so any lost, moved or doubled byte shows.
Bytes makeIcc(std::size_t size)
{
    if (size < 160)
        die("an ICC profile here is at least 160 bytes");
    Bytes profile(size);
    putBigEndian32(profile, 0, std::uint32_t(size));
    profile[8] = 2;
    profile[9] = 0x10;
    std::memcpy(&profile[12], "mntrRGB XYZ ", 12);
    std::memcpy(&profile[36], "acsp", 4);
    putBigEndian32(profile, 68, 0x0000f6d6); // the D50 illuminant
    putBigEndian32(profile, 72, 0x00010000);
    putBigEndian32(profile, 76, 0x0000d32d);
    putBigEndian32(profile, 128, 1); // one tag
    std::memcpy(&profile[132], "zzzz", 4);
    putBigEndian32(profile, 136, 144);
    putBigEndian32(profile, 140, std::uint32_t(size - 144));
    for (std::size_t i = 144; i < size; ++i)
        profile[i] = std::uint8_t(i * 7 + i / 251);
    return profile;
}

struct RgbImage
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Bytes pixels; // 3 bytes a pixel
};

// A binary PPM (P6) of 8-bit samples, as dwebp -ppm writes it.
RgbImage readPpm(const Bytes& file)
{
    RgbImage image;
    std::size_t at = 0;
    const auto field = [&]() {
        while (at < file.size() && (std::isspace(file[at]) || file[at] == '#')) {
            if (file[at] == '#')
                while (at < file.size() && file[at] != '\n')
                    ++at;
            else
                ++at;
        }
        std::string word;
        while (at < file.size() && !std::isspace(file[at]))
            word += char(file[at++]);
        return word;
    };
    if (field() != "P6")
        die("not a binary PPM file");
    image.width = std::uint32_t(std::stoul(field()));
    image.height = std::uint32_t(std::stoul(field()));
    if (field() != "255")
        die("the PPM file has samples of other than 8 bits");
    ++at; // the one blank before the samples
    const std::size_t size = std::size_t(image.width) * image.height * 3;
    if (file.size() - at < size)
        die("the PPM file is truncated");
    image.pixels.assign(file.begin() + std::ptrdiff_t(at),
                        file.begin() + std::ptrdiff_t(at + size));
    return image;
}

extern "C" void onJpegDecodeError(j_common_ptr jpeg)
{
    char text[JMSG_LENGTH_MAX];
    jpeg->err->format_message(jpeg, text);
    die(std::string("cannot decode the JPEG: ") + text);
}

// libjpeg's default decoding to RGB, as djpeg decodes.
RgbImage decodeJpeg(const Bytes& file)
{
    jpeg_decompress_struct jpeg;
    jpeg_error_mgr errors;
    jpeg.err = jpeg_std_error(&errors);
    errors.error_exit = onJpegDecodeError;
    jpeg_create_decompress(&jpeg);
    jpeg_mem_src(&jpeg, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&jpeg, TRUE);
    jpeg.out_color_space = JCS_RGB;
    jpeg_start_decompress(&jpeg);
    RgbImage image;
    image.width = jpeg.output_width;
    image.height = jpeg.output_height;
    image.pixels.resize(std::size_t(image.width) * image.height * 3);
    while (jpeg.output_scanline < jpeg.output_height) {
        JSAMPROW row = &image.pixels[std::size_t(jpeg.output_scanline) * image.width * 3];
        jpeg_read_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_decompress(&jpeg);
    jpeg_destroy_decompress(&jpeg);
    return image;
}

void printPsnr(const RgbImage& reference, const RgbImage& image)
{
    if (image.width != reference.width || image.height != reference.height)
        die("the pictures differ in size");
    double squares = 0;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const double difference = double(image.pixels[i]) - double(reference.pixels[i]);
        squares += difference * difference;
    }
    if (squares == 0) {
        std::printf("inf\n");
        return;
    }
    const double meanSquare = squares / double(image.pixels.size());
    std::printf("%.3f\n", 10 * std::log10(255.0 * 255.0 / meanSquare));
}

void writeWorkerRequest(const std::string& source, const std::string& output,
                        const orvalin::protocol::Choices& choices)
{
    const std::string request = orvalin::protocol::encodeRequest(source, output, choices);
    std::fwrite(request.data(), 1, request.size(), stdout);
}

// Exactly size bytes from standard input, unbuffered, so a caller sharing the stream loses
// nothing past what it asked for; false when the input ends first.
bool readInput(void* to, std::size_t size)
{
    auto* bytes = static_cast<char*>(to);
    while (size > 0) {
        const ssize_t got = ::read(0, bytes, size);
        if (got <= 0)
            return false;
        bytes += got;
        size -= std::size_t(got);
    }
    return true;
}

// Reads frame by frame, a head and then its payload, so no byte past the last frame is taken.
void printWorkerAnswers(long finals)
{
    namespace protocol = orvalin::protocol;
    std::string frame;
    while (finals != 0) {
        frame.assign(protocol::FrameHead, '\0');
        if (!readInput(frame.data(), 1))
            return;
        if (!readInput(frame.data() + 1, protocol::FrameHead - 1))
            die("the answers end inside a frame");
        protocol::Frame answer;
        protocol::Decoding decoding = protocol::decodeFrame(frame, answer);
        if (decoding == protocol::Decoding::NeedMore) { // a length its kind may have
            const std::uint32_t size = protocol::payloadLength(frame.data());
            frame.resize(protocol::FrameHead + size);
            if (!readInput(frame.data() + protocol::FrameHead, size))
                die("the answers end inside a frame");
            decoding = protocol::decodeFrame(frame, answer);
        }
        if (decoding != protocol::Decoding::Frame) {
            std::printf("malformed frame %d of %u bytes\n", std::uint8_t(frame[0]),
                        protocol::payloadLength(frame.data()));
            return;
        }
        const std::string payload(answer.payload);
        if (answer.kind == protocol::Answer::Decoded)
            std::printf("D %llu\n",
                        static_cast<unsigned long long>(protocol::decodedPixelBytes(answer)));
        else
            std::printf(payload.empty() ? "%c\n" : "%c %s\n", char(answer.kind), payload.c_str());
        std::fflush(stdout);
        if (answer.kind != protocol::Answer::Decoded && answer.kind != protocol::Answer::Warning
            && finals > 0)
            --finals;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "png-chunks" && argc == 3) {
        for (const auto& chunk : pngChunks(readFile(argv[2])))
            std::printf("%s\n", chunk.type.c_str());
    } else if (command == "png-chunk" && argc == 5) {
        for (const auto& chunk : pngChunks(readFile(argv[2])))
            if (chunk.type == argv[3]) {
                writeFile(argv[4], chunk.type == "iCCP" ? unpackIccp(chunk.data) : chunk.data);
                return 0;
            }
        die(std::string("no ") + argv[3] + " chunk");
    } else if (command == "png-insert" && argc == 6 && std::strlen(argv[3]) == 4) {
        writeFile(argv[5], insertPngChunk(readFile(argv[2]), argv[3], readFile(argv[4])));
    } else if (command == "jpeg-markers" && argc == 3) {
        listJpegMarkers(readFile(argv[2]));
    } else if (command == "jpeg-icc" && argc == 4) {
        writeFile(argv[3], jpegIcc(readFile(argv[2])));
    } else if (command == "jpeg-exif" && argc == 4) {
        writeFile(argv[3], jpegExif(readFile(argv[2])));
    } else if (command == "jpeg-xmp-extension" && argc == 4) {
        writeFile(argv[3], jpegXmpExtension(readFile(argv[2])));
    } else if (command == "webp-animation" && (argc == 6 || argc == 8)) {
        const auto number = [&](int i) { return std::uint32_t(std::stoul(argv[i])); };
        writeFile(argv[5], webpAnimation(readFile(argv[2]), number(3), number(4),
                                         argc == 8 ? number(6) : 0, argc == 8 ? number(7) : 0));
    } else if (command == "make-icc" && argc == 4) {
        writeFile(argv[3], makeIcc(std::stoul(argv[2])));
    } else if (command == "psnr" && argc == 4) {
        printPsnr(readPpm(readFile(argv[2])), decodeJpeg(readFile(argv[3])));
    } else if (command == "worker-request" && (argc == 5 || argc == 7)) {
        orvalin::protocol::Choices choices{std::stoi(argv[4])};
        if (argc == 7)
            choices = {choices.quality, orvalin::protocol::MetadataKept(std::stoul(argv[5])),
                       std::uint32_t(std::stoul(argv[6]))};
        writeWorkerRequest(argv[2], argv[3], choices);
    } else if (command == "worker-answers" && (argc == 2 || argc == 3)) {
        printWorkerAnswers(argc == 3 ? std::stol(argv[2]) : -1);
    } else {
        die("unknown command; see the top of ToolsProbe.cpp");
    }
    return 0;
}
