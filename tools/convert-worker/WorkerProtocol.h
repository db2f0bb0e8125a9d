#pragma once

// The converter worker's protocol, the one definition its client (core/ConverterWorker), the
// worker itself and the tools' test probe share. Plain C++ with no library of its own, so each
// of them can include it.
//
// A request, one per file, on the worker's standard input: the source path, then the output
// path, each as a 4-byte little-endian byte count (1 to PathMax) followed by that many bytes
// (UTF-8 on Windows, the file system's own bytes elsewhere), never parsed as text; then three
// 4-byte little-endian numbers: the JPEG quality (1 to 100), the metadata the JPG keeps (a
// MetadataKept) and the size the picture fits within (0 keeps its size; otherwise FitMin to
// FitMax pixels, the most its longer side may have).
//
// An answer is a frame on the worker's standard output: a kind byte, a 4-byte little-endian
// payload length, the payload; each frame goes out with a single write.
//   'D'  decoded, before encoding starts: the bytes the decoded picture holds (its Y, U and V
//        planes, or its RGB or RGBA pixels) as a 64-bit little-endian number
//   'W'  a warning, UTF-8 text; any number before the final answer
//   'C'  converted, empty (final)
//   'N'  no WebP file, or a damaged one; the reason (final, no 'D' before it)
//   'F'  the JPG cannot be made, in plain words (final; after 'D' when the source decoded)

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalin::protocol {

inline constexpr std::uint32_t PathMax = 65536;
inline constexpr int QualityMin = 1;
inline constexpr int QualityMax = 100;

// What of the source's metadata the JPG keeps.
enum class MetadataKept : std::uint32_t {
    All = 0,                  // the ICC profile, the EXIF block and the XMP packet
    NoLocation = 1,           // all of it but where the picture was taken
    ColourAndOrientation = 2, // the ICC profile, and the orientation when it is not upright
};
inline constexpr std::uint32_t MetadataKeptMax = 2;

inline constexpr std::uint32_t FitMin = 16;
inline constexpr std::uint32_t FitMax = 65535;

// What a request asks of the conversion besides its paths.
struct Choices
{
    int quality = 85;
    MetadataKept metadata = MetadataKept::All;
    std::uint32_t fitWithin = 0; // 0: the picture keeps its size
};

// Whether the choices can be asked for: a request with others is malformed.
inline bool choicesValid(std::uint32_t quality, std::uint32_t metadata, std::uint32_t fitWithin)
{
    return quality >= std::uint32_t(QualityMin) && quality <= std::uint32_t(QualityMax)
           && metadata <= MetadataKeptMax
           && (fitWithin == 0 || (fitWithin >= FitMin && fitWithin <= FitMax));
}

enum class Answer : char {
    Decoded = 'D',
    Warning = 'W',
    Converted = 'C',
    NotWebp = 'N',
    Failed = 'F',
};

inline constexpr std::size_t FrameHead = 5;
inline constexpr std::uint32_t DecodedPayload = 8;
// No text answer is longer than a line; a longer frame means the worker is not sane.
inline constexpr std::uint32_t TextPayloadMax = 1 << 20;

inline void appendLittleEndian(std::string& to, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to.push_back(char((value >> (8 * i)) & 0xff));
}

inline std::uint64_t readLittleEndian(const char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes[i]);
    return value;
}

inline std::string encodeRequest(std::string_view source, std::string_view output,
                                 const Choices& choices)
{
    std::string request;
    appendLittleEndian(request, source.size(), 4);
    request.append(source);
    appendLittleEndian(request, output.size(), 4);
    request.append(output);
    appendLittleEndian(request, std::uint32_t(choices.quality), 4);
    appendLittleEndian(request, std::uint32_t(choices.metadata), 4);
    appendLittleEndian(request, choices.fitWithin, 4);
    return request;
}

inline std::string encodeFrame(Answer kind, std::string_view payload)
{
    std::string frame(1, char(kind));
    appendLittleEndian(frame, payload.size(), 4);
    frame.append(payload);
    return frame;
}

inline std::string encodeDecoded(std::uint64_t pixelBytes)
{
    std::string payload;
    appendLittleEndian(payload, pixelBytes, DecodedPayload);
    return encodeFrame(Answer::Decoded, payload);
}

struct Frame
{
    Answer kind = Answer::Converted;
    std::string_view payload; // into the bytes decoded
    std::size_t size = 0;     // the whole frame's bytes
};

enum class Decoding {
    Frame,     // one whole frame at the start of the bytes
    NeedMore,  // the bytes end inside a frame that may still be whole
    Malformed, // no frame can start so: an unknown kind, or a length its kind never has
};

// The payload length a frame's head announces; the head is FrameHead bytes.
inline std::uint32_t payloadLength(const char* head)
{
    return std::uint32_t(readLittleEndian(head + 1, 4));
}

// Decodes the frame at the start of the bytes; malformed as soon as its head shows it.
inline Decoding decodeFrame(std::string_view bytes, Frame& frame)
{
    if (bytes.empty())
        return Decoding::NeedMore;
    const auto kind = Answer(bytes[0]);
    switch (kind) {
    case Answer::Decoded:
    case Answer::Warning:
    case Answer::Converted:
    case Answer::NotWebp:
    case Answer::Failed: break;
    default: return Decoding::Malformed;
    }
    if (bytes.size() < FrameHead)
        return Decoding::NeedMore;
    const std::uint32_t length = payloadLength(bytes.data());
    const bool fits = kind == Answer::Decoded     ? length == DecodedPayload
                      : kind == Answer::Converted ? length == 0
                                                  : length <= TextPayloadMax;
    if (!fits)
        return Decoding::Malformed;
    if (bytes.size() < FrameHead + length)
        return Decoding::NeedMore;
    frame = {kind, bytes.substr(FrameHead, length), FrameHead + length};
    return Decoding::Frame;
}

// The pixel bytes of a 'D' frame.
inline std::uint64_t decodedPixelBytes(const Frame& frame)
{
    return readLittleEndian(frame.payload.data(), DecodedPayload);
}

} // namespace orvalin::protocol
