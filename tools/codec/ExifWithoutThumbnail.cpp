#include "tools/codec/ExifWithoutThumbnail.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>

namespace orvalin::tools {

namespace {

constexpr std::uint16_t ExifIfdTag = 0x8769;
constexpr std::uint16_t GpsIfdTag = 0x8825;
constexpr std::uint16_t InteropIfdTag = 0xa005;
constexpr std::uint16_t LongType = 4;
constexpr std::uint16_t IfdType = 13;

// IFD0, the Exif and GPS IFDs and the Interoperability IFD: an EXIF block has no more, and
// none of them lies deeper than IFD0 -> Exif -> Interoperability.
constexpr std::size_t MaxIfds = 4;
constexpr int MaxIfdDepth = 2;

constexpr std::size_t TiffHeaderSize = 8;
constexpr std::size_t IfdEntrySize = 12;

bool isIfdPointer(std::uint16_t tag)
{
    return tag == ExifIfdTag || tag == GpsIfdTag || tag == InteropIfdTag;
}

// Entries that lead to image data outside the IFDs: what a thumbnail is made of.
bool pointsAtImageData(std::uint16_t tag)
{
    switch (tag) {
    case 0x0111: // StripOffsets
    case 0x0117: // StripByteCounts
    case 0x0144: // TileOffsets
    case 0x0145: // TileByteCounts
    case 0x014a: // SubIFDs
    case 0x0201: // JPEGInterchangeFormat
    case 0x0202: // JPEGInterchangeFormatLength
        return true;
    default: return false;
    }
}

// Bytes of one value of each TIFF type (1 BYTE to 13 IFD); 0 for a type TIFF does not define.
std::size_t typeSize(std::uint16_t type)
{
    static const std::uint8_t sizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < sizeof sizes ? sizes[type] : 0;
}

// What an IFD entry's value field can point at: an IFD, or a value of more than 4 bytes.
struct Piece
{
    std::size_t from = 0;     // offset in the old block
    std::size_t size = 0;     // size in the new block
    int ifd = -1;             // index into Rewriter::ifds_; -1 for a value's bytes
    std::size_t placedAt = 0; // offset in the new block
};

struct Entry
{
    std::size_t from = 0; // offset of the 12-byte entry in the old block
    int piece = -1;       // the piece its value field points at; -1 when the value is in it
};

struct Ifd
{
    std::size_t from = 0;
    std::vector<Entry> entries; // those carried
};

class Rewriter
{
public:
    Rewriter(const std::uint8_t* tiff, std::size_t size, std::size_t maxSize)
        : in_(tiff), size_(size), maxSize_(maxSize), bigEndian_(size > 0 && tiff[0] == 'M')
    {
    }

    std::vector<std::uint8_t> rewrite()
    {
        if (size_ < TiffHeaderSize
            || (std::memcmp(in_, "II*\0", 4) != 0 && std::memcmp(in_, "MM\0*", 4) != 0))
            return {};
        int ifd0 = -1;
        if (!addIfd(read32(4), 0, ifd0))
            return {};
        std::size_t total = 0;
        if (!place(true, total) && !place(false, total))
            return {};
        return write(total, pieces_[std::size_t(ifd0)].placedAt);
    }

private:
    std::uint16_t read16(std::size_t at) const
    {
        return bigEndian_ ? std::uint16_t(in_[at] << 8 | in_[at + 1])
                          : std::uint16_t(in_[at + 1] << 8 | in_[at]);
    }

    std::uint32_t read32(std::size_t at) const
    {
        const std::uint32_t high = read16(bigEndian_ ? at : at + 2);
        const std::uint32_t low = read16(bigEndian_ ? at + 2 : at);
        return high << 16 | low;
    }

    void write16(std::uint8_t* to, std::uint16_t value) const
    {
        to[bigEndian_ ? 0 : 1] = std::uint8_t(value >> 8);
        to[bigEndian_ ? 1 : 0] = std::uint8_t(value);
    }

    void write32(std::uint8_t* to, std::uint32_t value) const
    {
        write16(to + (bigEndian_ ? 0 : 2), std::uint16_t(value >> 16));
        write16(to + (bigEndian_ ? 2 : 0), std::uint16_t(value));
    }

    // Adds the piece of size bytes at from, unless the pieces no longer fit maxSize together.
    bool addPiece(std::size_t from, std::size_t size, int ifd, int& piece)
    {
        piecesSize_ += size;
        if (TiffHeaderSize + piecesSize_ > maxSize_)
            return false;
        piece = int(pieces_.size());
        pieces_.push_back({from, size, ifd, 0});
        return true;
    }

    // Gathers the IFD at from, the values it points at and the IFDs it leads to.
    bool addIfd(std::size_t from, int depth, int& piece)
    {
        if (depth > MaxIfdDepth || ifds_.size() == MaxIfds || from < TiffHeaderSize || from > size_
            || size_ - from < 2)
            return false;
        for (const Ifd& other : ifds_)
            if (other.from == from)
                return false; // a loop, or one IFD reached twice
        const std::size_t count = read16(from);
        if ((size_ - from - 2) / IfdEntrySize < count)
            return false;
        const int ifd = int(ifds_.size());
        ifds_.push_back({from, {}});
        std::vector<Entry> entries;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = from + 2 + i * IfdEntrySize;
            const std::uint16_t tag = read16(at);
            const std::uint16_t type = read16(at + 2);
            const std::uint32_t values = read32(at + 4);
            if (pointsAtImageData(tag))
                continue;
            Entry entry{at, -1};
            if (isIfdPointer(tag)) {
                if ((type != LongType && type != IfdType) || values != 1)
                    return false;
                // The entry then points at the piece of the IFD it leads to.
                if (!addIfd(read32(at + 8), depth + 1, entry.piece))
                    return false;
            } else {
                const std::size_t unit = typeSize(type);
                if (unit == 0)
                    return false;
                const std::uint64_t bytes = std::uint64_t(values) * unit;
                if (bytes > 4) {
                    const std::size_t valueAt = read32(at + 8);
                    if (valueAt < TiffHeaderSize || valueAt > size_ || bytes > size_ - valueAt
                        || !addPiece(valueAt, std::size_t(bytes), -1, entry.piece))
                        return false;
                }
            }
            entries.push_back(entry);
        }
        // The count, the entries and a next-IFD link of 0: IFD1 is not carried.
        if (!addPiece(from, 2 + entries.size() * IfdEntrySize + 4, ifd, piece))
            return false;
        ifds_[std::size_t(ifd)].entries = std::move(entries);
        return true;
    }

    // Gives every piece its offset in the new block, in the order they had in the old one: at
    // the old offset when keepOffsets is set and the pieces before leave room for that, else
    // at the next even offset. False when the new block is over maxSize.
    bool place(bool keepOffsets, std::size_t& total)
    {
        std::vector<std::size_t> order(pieces_.size());
        std::iota(order.begin(), order.end(), std::size_t(0));
        std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            return pieces_[a].from < pieces_[b].from;
        });
        std::size_t end = TiffHeaderSize;
        for (const std::size_t index : order) {
            Piece& piece = pieces_[index];
            piece.placedAt =
                keepOffsets && piece.from >= end ? piece.from : (end + 1) & ~std::size_t(1);
            end = piece.placedAt + piece.size;
            if (end > maxSize_)
                return false;
        }
        total = end;
        return true;
    }

    std::vector<std::uint8_t> write(std::size_t total, std::size_t ifd0At) const
    {
        std::vector<std::uint8_t> out(total, 0);
        std::memcpy(out.data(), in_, 4);
        write32(&out[4], std::uint32_t(ifd0At));
        for (const Piece& piece : pieces_) {
            std::uint8_t* to = &out[piece.placedAt];
            if (piece.ifd < 0) {
                std::memcpy(to, in_ + piece.from, piece.size);
                continue;
            }
            const std::vector<Entry>& entries = ifds_[std::size_t(piece.ifd)].entries;
            write16(to, std::uint16_t(entries.size()));
            to += 2;
            for (const Entry& entry : entries) {
                std::memcpy(to, in_ + entry.from, IfdEntrySize);
                if (entry.piece >= 0)
                    write32(to + 8, std::uint32_t(pieces_[std::size_t(entry.piece)].placedAt));
                to += IfdEntrySize;
            }
            // The next-IFD link stays 0.
        }
        return out;
    }

    const std::uint8_t* in_;
    std::size_t size_;
    std::size_t maxSize_;
    bool bigEndian_;
    std::vector<Piece> pieces_;
    std::vector<Ifd> ifds_;
    std::size_t piecesSize_ = 0;
};

} // namespace

std::vector<std::uint8_t> exifWithoutThumbnail(const std::uint8_t* tiff, std::size_t size,
                                               std::size_t maxSize)
{
    try {
        return Rewriter(tiff, size, maxSize).rewrite();
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace orvalin::tools
