#include "tools/codec/JpegWriter.h"

#include "tools/codec/ExifRewriting.h"
#include "tools/codec/Md5.h"
#include "tools/codec/PlaneSamples.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <cerrno>

#include <jpeglib.h>
// jerror.h after jpeglib.h, which it needs.
#include <jerror.h>

// libjpeg reports an error by calling a function that must not return; ours longjmps back into
// the public method that made the call. Each public method sets the jump point and only then
// calls a step function; the steps hold only trivially destructible locals and call nothing
// that could be jumped over with a destructor pending, so the jump skips no destructor. What a
// failure leaves behind lives in State and is released by the destructor.

namespace orvalin::tools {

namespace {

// A JPEG marker segment holds at most 65533 bytes after its length field.
constexpr std::size_t JpegSegmentMax = 65533;
// The largest XMP packet one APP1 segment takes, as Adobe's rules for XMP in JPEG set it.
constexpr std::size_t XmpStandardPacketMax = 65502;

struct ErrorChannel
{
    jpeg_error_mgr standard;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX + 64] = {};
    bool outOfMemory = false;
    int writeError = 0;
};

extern "C" void onJpegError(j_common_ptr jpeg)
{
    auto* channel = reinterpret_cast<ErrorChannel*>(jpeg->err);
    // Taken first: formatting the message may change errno.
    const int error = errno;
    if (jpeg->err->msg_code == JERR_OUT_OF_MEMORY)
        channel->outOfMemory = true;
    if (jpeg->err->msg_code == JERR_FILE_WRITE)
        channel->writeError = error ? error : EIO;
    char text[JMSG_LENGTH_MAX];
    jpeg->err->format_message(jpeg, text);
    std::snprintf(channel->message, sizeof channel->message, "cannot write the JPEG: %s", text);
    std::longjmp(channel->jump, 1);
}

} // namespace

struct JpegWriter::State
{
    ErrorChannel errors;
    jpeg_compress_struct jpeg;
    bool created = false;
    bool failed = false;
    int channels = 3;
    bool planar = false; // started for planes
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned char* rgbRow = nullptr; // an RGBA row flattened to RGB
    void* planeWork = nullptr;       // an iMCU row's buffers (PlaneWork)
    std::size_t lumaStride = 0;      // their rows, whole MCUs wide
    std::size_t chromaStride = 0;
    std::vector<std::uint8_t> exifWithoutThumbnail; // an EXIF block made to fit one marker
    WarningSink warn;

    bool usable(bool started);
};

namespace {

using State = JpegWriter::State;
using namespace planes;

// Sets the message and makes the calling public method return false.
[[noreturn]] void fail(State* state, const char* message)
{
    std::snprintf(state->errors.message, sizeof state->errors.message, "%s", message);
    std::longjmp(state->errors.jump, 1);
}

void warn(State* state, const char* text)
{
    if (state->warn)
        state->warn(text);
}

// Buffers for one iMCU row, allocated with the writer (State::planeWork).
struct PlaneWork
{
    Fixed* lumaFixed; // LumaRowsPerMcu rows of lumaStride
    Fixed* cbFixed;   // ChromaRowsPerMcu rows of chromaStride
    Fixed* crFixed;
    ChromaTerms terms; // per chroma sample of one row
    int* cbUniform;    // per chroma block: its decoded value when uniform, else -1
    int* crUniform;
    int* lumaUniform;    // per MCU of one colour: its luma's decoded value, else -1
    unsigned char* luma; // the samples libjpeg takes
    unsigned char* cb;
    unsigned char* cr;
};

std::size_t planeWorkBytes(std::size_t lumaStride, std::size_t chromaStride)
{
    const std::size_t mcus = lumaStride / 16;
    const std::size_t fixed =
        LumaRowsPerMcu * lumaStride + 2 * ChromaRowsPerMcu * chromaStride + 7 * chromaStride;
    const std::size_t ints = 3 * mcus;
    const std::size_t samples = LumaRowsPerMcu * lumaStride + 2 * ChromaRowsPerMcu * chromaStride;
    return ints * sizeof(int) + fixed * sizeof(Fixed) + samples;
}

PlaneWork planeWork(void* memory, std::size_t lumaStride, std::size_t chromaStride)
{
    const std::size_t mcus = lumaStride / 16;
    PlaneWork work;
    work.cbUniform = static_cast<int*>(memory);
    work.crUniform = work.cbUniform + mcus;
    work.lumaUniform = work.crUniform + mcus;
    work.lumaFixed = reinterpret_cast<Fixed*>(work.lumaUniform + mcus);
    work.cbFixed = work.lumaFixed + LumaRowsPerMcu * lumaStride;
    work.crFixed = work.cbFixed + ChromaRowsPerMcu * chromaStride;
    std::uint16_t* next =
        reinterpret_cast<std::uint16_t*>(work.crFixed + ChromaRowsPerMcu * chromaStride);
    for (std::uint16_t** term : {&work.terms.webpR, &work.terms.webpG, &work.terms.webpB}) {
        *term = next;
        next += chromaStride;
    }
    for (std::int16_t** term :
         {&work.terms.jpegR, &work.terms.jpegG, &work.terms.jpegB, &work.terms.jpegSum}) {
        *term = reinterpret_cast<std::int16_t*>(next);
        next += chromaStride;
    }
    work.luma = reinterpret_cast<unsigned char*>(next);
    work.cb = work.luma + LumaRowsPerMcu * lumaStride;
    work.cr = work.cb + ChromaRowsPerMcu * chromaStride;
    return work;
}

void planesStep(State* state, const Planes420& planes)
{
    if (!state->planar)
        fail(state, "the JPEG was not started for planes");
    const std::uint32_t width = state->width;
    const std::uint32_t height = state->height;
    const std::uint32_t chromaWidth = (width + 1) / 2;
    const std::uint32_t chromaHeight = (height + 1) / 2;
    const std::size_t lumaStride = state->lumaStride;
    const std::size_t chromaStride = state->chromaStride;
    const std::size_t mcus = lumaStride / 16;
    const PlaneWork work = planeWork(state->planeWork, lumaStride, chromaStride);
    const int lumaQuant = state->jpeg.quant_tbl_ptrs[0]->quantval[0];
    const int chromaQuant = state->jpeg.quant_tbl_ptrs[1]->quantval[0];
    JSAMPROW lumaRows[LumaRowsPerMcu];
    JSAMPROW cbRows[ChromaRowsPerMcu];
    JSAMPROW crRows[ChromaRowsPerMcu];
    JSAMPARRAY components[3] = {lumaRows, cbRows, crRows};
    for (std::uint32_t i = 0; i < LumaRowsPerMcu; ++i)
        lumaRows[i] = work.luma + lumaStride * i;
    for (std::uint32_t i = 0; i < ChromaRowsPerMcu; ++i) {
        cbRows[i] = work.cb + chromaStride * i;
        crRows[i] = work.cr + chromaStride * i;
    }
    for (std::uint32_t top = 0; top < height; top += LumaRowsPerMcu) {
        const std::uint32_t bottom = std::min(height, top + LumaRowsPerMcu);
        // The chroma first: the luma makes up for what its rounding leaves.
        mapChromaRows(planes.cb, planes.cbStride, chromaWidth, chromaHeight, top / 2,
                      ChromaRowsPerMcu, work.cbFixed, chromaStride);
        mapChromaRows(planes.cr, planes.crStride, chromaWidth, chromaHeight, top / 2,
                      ChromaRowsPerMcu, work.crFixed, chromaStride);
        roundValues(work.cbFixed, work.cb, ChromaRowsPerMcu * chromaStride);
        roundValues(work.crFixed, work.cr, ChromaRowsPerMcu * chromaStride);
        for (std::size_t m = 0; m < mcus; ++m) {
            work.cbUniform[m] = settleBlock(work.cbFixed + m * 8, chromaStride, work.cb + m * 8,
                                            chromaStride, chromaQuant);
            work.crUniform[m] = settleBlock(work.crFixed + m * 8, chromaStride, work.cr + m * 8,
                                            chromaStride, chromaQuant);
            const std::uint32_t left = std::uint32_t(m * 16);
            UniformChoice cb{};
            UniformChoice cr{};
            work.lumaUniform[m] = chooseUniformMcu(planes, left, std::min(width, left + 16), top,
                                                   bottom, lumaQuant, chromaQuant, cb, cr);
            if (work.lumaUniform[m] >= 0) {
                for (std::uint32_t r = 0; r < ChromaRowsPerMcu; ++r) {
                    std::memset(work.cb + r * chromaStride + m * 8, cb.sample, 8);
                    std::memset(work.cr + r * chromaStride + m * 8, cr.sample, 8);
                }
                work.cbUniform[m] = cb.decoded;
                work.crUniform[m] = cr.decoded;
            }
        }
        for (std::uint32_t i = 0; i < LumaRowsPerMcu; ++i) {
            Fixed* to = work.lumaFixed + lumaStride * i;
            const std::uint32_t y = top + i;
            if (y >= height) {
                std::memcpy(to, to - lumaStride, lumaStride * sizeof *to);
                continue;
            }
            if (i % 2 == 0)
                chromaTerms(planes.cb + planes.cbStride * (y / 2),
                            planes.cr + planes.crStride * (y / 2), work.cb + chromaStride * (i / 2),
                            work.cr + chromaStride * (i / 2), work.cbUniform, work.crUniform,
                            chromaWidth, work.terms);
            lumaTargets(planes.y + planes.yStride * y, width, work.terms, to);
            std::fill(to + width, to + lumaStride, to[width - 1]);
        }
        roundValues(work.lumaFixed, work.luma, LumaRowsPerMcu * lumaStride);
        for (std::size_t m = 0; m < mcus; ++m) {
            if (work.lumaUniform[m] >= 0)
                for (std::uint32_t i = 0; i < LumaRowsPerMcu; ++i)
                    std::fill_n(work.lumaFixed + lumaStride * i + m * 16, 16,
                                Fixed(work.lumaUniform[m] << FractionBits));
            for (std::uint32_t b = 0; b < 4; ++b) {
                const std::size_t at = lumaStride * 8 * (b / 2) + m * 16 + 8 * (b % 2);
                settleBlock(work.lumaFixed + at, lumaStride, work.luma + at, lumaStride, lumaQuant);
            }
        }
        jpeg_write_raw_data(&state->jpeg, components, LumaRowsPerMcu);
    }
}

void startStep(State* state, std::FILE* output, std::uint32_t width, std::uint32_t height,
               const JpegSettings& settings)
{
    if (state->planar) {
        if (settings.fullChroma)
            fail(state, "a JPEG is written from planes with 4:2:0 chroma only");
        // Rows padded to whole MCUs, 16 luma and 8 chroma samples, which libjpeg's raw data
        // interface reads whole.
        const std::size_t mcus = (std::size_t(width) + 15) / 16;
        state->lumaStride = mcus * 16;
        state->chromaStride = mcus * 8;
        state->planeWork = std::malloc(planeWorkBytes(state->lumaStride, state->chromaStride));
        if (!state->planeWork) {
            state->errors.outOfMemory = true;
            fail(state, "not enough memory");
        }
    } else if (state->channels == 4) {
        state->rgbRow = static_cast<unsigned char*>(std::malloc(std::size_t(width) * 3 + 1));
        if (!state->rgbRow) {
            state->errors.outOfMemory = true;
            fail(state, "not enough memory");
        }
    }
    jpeg_compress_struct& jpeg = state->jpeg;
    jpeg.err = jpeg_std_error(&state->errors.standard);
    state->errors.standard.error_exit = onJpegError;
    jpeg_create_compress(&jpeg);
    state->created = true;
    jpeg_stdio_dest(&jpeg, output);
    jpeg.image_width = width;
    jpeg.image_height = height;
    jpeg.input_components = 3;
    jpeg.in_color_space = state->planar ? JCS_YCbCr : JCS_RGB;
    jpeg_set_defaults(&jpeg); // a YCbCr JPEG with a JFIF marker from either
    jpeg.raw_data_in = state->planar ? TRUE : FALSE;
    jpeg_set_quality(&jpeg, settings.quality, TRUE); // TRUE: baseline-compatible tables
    // 4:2:0: luma at full resolution, both chroma planes at half in each direction; 4:4:4:
    // all three at full resolution.
    const int lumaFactor = settings.fullChroma ? 1 : 2;
    jpeg.comp_info[0].h_samp_factor = jpeg.comp_info[0].v_samp_factor = lumaFactor;
    for (int c = 1; c < 3; ++c)
        jpeg.comp_info[c].h_samp_factor = jpeg.comp_info[c].v_samp_factor = 1;
    jpeg.optimize_coding = settings.optimisedHuffman ? TRUE : FALSE;
    jpeg_start_compress(&jpeg, TRUE);
}

// Bytes of the marker segment begun by jpeg_write_m_header.
void writeMarkerBytes(State* state, const void* bytes, std::size_t size)
{
    const auto* at = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i)
        jpeg_write_m_byte(&state->jpeg, at[i]);
}

// The EXIF block byte for byte in one APP1 segment. A block too large for one is nearly always
// so for its thumbnail: the block then goes without it, and is left out only when even that
// does not fit or the block cannot be taken apart safely.
void exifStep(State* state, const std::uint8_t* exif, std::size_t size)
{
    static const unsigned char prefix[6] = {'E', 'x', 'i', 'f', 0, 0};
    constexpr std::size_t exifMax = JpegSegmentMax - sizeof prefix;
    if (size > exifMax) {
        state->exifWithoutThumbnail = exifWithoutThumbnail(exif, size, exifMax);
        if (state->exifWithoutThumbnail.empty()) {
            warn(state, "the EXIF block is too large for a JPEG APP1 marker and was left out");
            return;
        }
        warn(state, "the EXIF block is too large for a JPEG APP1 marker; its thumbnail was "
                    "left out");
        exif = state->exifWithoutThumbnail.data();
        size = state->exifWithoutThumbnail.size();
    }
    jpeg_write_m_header(&state->jpeg, JPEG_APP0 + 1, static_cast<unsigned>(size + sizeof prefix));
    writeMarkerBytes(state, prefix, sizeof prefix);
    writeMarkerBytes(state, exif, size);
}

void xmpStep(State* state, const std::uint8_t* packet, std::size_t size)
{
    // "http://ns.adobe.com/xap/1.0/" and its zero byte, then the packet, in one APP1 segment.
    static const char standard[] = "http://ns.adobe.com/xap/1.0/";
    if (size <= XmpStandardPacketMax) {
        jpeg_write_m_header(&state->jpeg, JPEG_APP0 + 1, unsigned(sizeof standard + size));
        writeMarkerBytes(state, standard, sizeof standard);
        writeMarkerBytes(state, packet, size);
        return;
    }
    // Too large for one segment: the packet goes whole, byte for byte, into extension segments,
    // and the standard segment holds a packet that only names it by its GUID, the MD5 digest
    // in upper-case hex. Readers join the parts by that GUID and read the packet as a whole.
    // The segments' length and offset fields hold 32 bits.
    if (size > 0xffffffffu)
        fail(state, "the XMP packet is too large for a JPEG");
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
    jpeg_write_m_header(&state->jpeg, JPEG_APP0 + 1, unsigned(sizeof standard + mainSize));
    writeMarkerBytes(state, standard, sizeof standard);
    writeMarkerBytes(state, mainPacket, std::size_t(mainSize));

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
        jpeg_write_m_header(&state->jpeg, JPEG_APP0 + 1, unsigned(head + part));
        writeMarkerBytes(state, extension, sizeof extension);
        writeMarkerBytes(state, guid, 32);
        writeMarkerBytes(state, numbers, 8);
        writeMarkerBytes(state, packet + offset, part);
    }
}

void rowsStep(State* state, const std::uint8_t* first, std::size_t stride, std::uint32_t count)
{
    if (state->channels == 4) {
        JSAMPROW rgb = state->rgbRow;
        for (std::uint32_t y = 0; y < count; ++y) {
            flattenOntoWhite(first + stride * y, state->rgbRow, state->width);
            jpeg_write_scanlines(&state->jpeg, &rgb, 1);
        }
        return;
    }
    // RGB rows go to the compressor where they are, a batch of row pointers at a time.
    constexpr std::uint32_t batch = 32;
    JSAMPROW rows[batch];
    for (std::uint32_t y = 0; y < count; y += batch) {
        const std::uint32_t n = std::min(batch, count - y);
        for (std::uint32_t i = 0; i < n; ++i)
            rows[i] = const_cast<JSAMPROW>(first + stride * (y + i));
        jpeg_write_scanlines(&state->jpeg, rows, n);
    }
}

} // namespace

JpegWriter::JpegWriter(WarningSink warn) : state_(std::make_unique<State>())
{
    state_->warn = std::move(warn);
}

JpegWriter::~JpegWriter()
{
    if (state_->created)
        jpeg_destroy_compress(&state_->jpeg);
    std::free(state_->rgbRow);
    std::free(state_->planeWork);
}

const char* JpegWriter::error() const
{
    return state_->errors.message;
}

bool JpegWriter::outOfMemory() const
{
    return state_->errors.outOfMemory;
}

int JpegWriter::writeError() const
{
    return state_->errors.writeError;
}

JpegSettings JpegSettingsFor(int quality, bool losslessOrAlpha)
{
    JpegSettings settings;
    settings.quality = quality;
    settings.fullChroma = losslessOrAlpha && quality >= FullChromaQuality;
    settings.optimisedHuffman = quality < OptimisedHuffmanBelow;
    return settings;
}

bool JpegWriter::State::usable(bool started)
{
    if (!failed && created != started) {
        failed = true;
        std::snprintf(errors.message, sizeof errors.message, "%s",
                      started ? "the JPEG was not started" : "the JPEG was started already");
    }
    return !failed;
}

namespace {

// Every method below: once failed, or when called out of order, nothing more; otherwise the
// jump point, then one step. libjpeg's errors jump back here, past the step's frame, which
// holds only trivially destructible locals (the step is a lambda capturing pointers).
template <typename Step>
bool guardedStep(JpegWriter::State* state, bool started, const Step& step)
{
    if (!state->usable(started))
        return false;
    if (setjmp(state->errors.jump)) {
        state->failed = true;
        return false;
    }
    step();
    return true;
}

} // namespace

bool JpegWriter::start(std::FILE* output, std::uint32_t width, std::uint32_t height, int channels,
                       const JpegSettings& settings)
{
    State* state = state_.get();
    return guardedStep(state, false, [&] {
        state->channels = channels == 4 ? 4 : 3;
        state->width = width;
        state->height = height;
        startStep(state, output, width, height, settings);
    });
}

bool JpegWriter::startPlanar(std::FILE* output, std::uint32_t width, std::uint32_t height,
                             const JpegSettings& settings)
{
    State* state = state_.get();
    return guardedStep(state, false, [&] {
        state->planar = true;
        state->width = width;
        state->height = height;
        startStep(state, output, width, height, settings);
    });
}

bool JpegWriter::writeExif(const std::uint8_t* exif, std::size_t size)
{
    State* state = state_.get();
    return guardedStep(state, true, [&] { exifStep(state, exif, size); });
}

bool JpegWriter::writeXmp(const std::uint8_t* packet, std::size_t size)
{
    State* state = state_.get();
    return guardedStep(state, true, [&] { xmpStep(state, packet, size); });
}

bool JpegWriter::writeIcc(const std::uint8_t* profile, std::size_t size)
{
    State* state = state_.get();
    return guardedStep(state, true, [&] {
        jpeg_write_icc_profile(&state->jpeg, profile, static_cast<unsigned>(size));
    });
}

bool JpegWriter::writeMetadata(const std::uint8_t* exif, std::size_t exifSize,
                               const std::uint8_t* xmp, std::size_t xmpSize,
                               const std::uint8_t* icc, std::size_t iccSize)
{
    return (exifSize == 0 || writeExif(exif, exifSize)) && (xmpSize == 0 || writeXmp(xmp, xmpSize))
           && (iccSize == 0 || writeIcc(icc, iccSize));
}

bool JpegWriter::writeRows(const std::uint8_t* first, std::size_t stride, std::uint32_t count)
{
    State* state = state_.get();
    return guardedStep(state, true, [&] { rowsStep(state, first, stride, count); });
}

bool JpegWriter::writeStudioRangePlanes(const Planes420& planes)
{
    State* state = state_.get();
    return guardedStep(state, true, [&] { planesStep(state, planes); });
}

bool JpegWriter::finish()
{
    State* state = state_.get();
    return guardedStep(state, true, [&] { jpeg_finish_compress(&state->jpeg); });
}

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

} // namespace orvalin::tools
