#include "tools/codec/ExifRewriting.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>

namespace orvalin::tools {

namespace {

constexpr std::uint16_t ExifIfdTag = 0x8769;
constexpr std::uint16_t GpsIfdTag = 0x8825;
constexpr std::uint16_t InteropIfdTag = 0xa005;
constexpr std::uint16_t OrientationTag = 0x0112;
constexpr std::uint16_t ThumbnailOffsetTag = 0x0201; // JPEGInterchangeFormat
constexpr std::uint16_t PixelXDimensionTag = 0xa002;
constexpr std::uint16_t PixelYDimensionTag = 0xa003;
constexpr std::uint16_t ShortType = 3;
constexpr std::uint16_t LongType = 4;
constexpr std::uint16_t IfdType = 13;

// IFD0, IFD1, the Exif and GPS IFDs and the Interoperability IFD: an EXIF block has no more,
// and none of them lies deeper than IFD0 -> Exif -> Interoperability.
constexpr std::size_t MaxIfds = 5;
constexpr int MaxIfdDepth = 2;

constexpr std::size_t TiffHeaderSize = 8;
constexpr std::size_t IfdEntrySize = 12;

enum class IfdKind { Ifd0, Ifd1, Exif, Gps, Interop };

bool isIfdPointer(std::uint16_t tag)
{
    return tag == ExifIfdTag || tag == GpsIfdTag || tag == InteropIfdTag;
}

IfdKind kindOf(std::uint16_t pointerTag)
{
    return pointerTag == ExifIfdTag  ? IfdKind::Exif
           : pointerTag == GpsIfdTag ? IfdKind::Gps
                                     : IfdKind::Interop;
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

// A picture in strips or tiles: pieces that IFD1 of an EXIF block all but never has.
bool isStripOrTile(std::uint16_t tag)
{
    return tag == 0x0111 || tag == 0x0117 || tag == 0x0144 || tag == 0x0145;
}

// Bytes of one value of each TIFF type (1 BYTE to 13 IFD); 0 for a type TIFF does not define.
std::size_t typeSize(std::uint16_t type)
{
    static const std::uint8_t sizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < sizeof sizes ? sizes[type] : 0;
}

// Numbers in a block's byte order.
class ByteOrder
{
public:
    explicit ByteOrder(bool bigEndian) : big_(bigEndian) {}

    std::uint16_t read16(const std::uint8_t* at) const
    {
        return big_ ? std::uint16_t(at[0] << 8 | at[1]) : std::uint16_t(at[1] << 8 | at[0]);
    }
    std::uint32_t read32(const std::uint8_t* at) const
    {
        const std::uint32_t high = read16(big_ ? at : at + 2);
        const std::uint32_t low = read16(big_ ? at + 2 : at);
        return high << 16 | low;
    }
    void write16(std::uint8_t* to, std::uint16_t value) const
    {
        to[big_ ? 0 : 1] = std::uint8_t(value >> 8);
        to[big_ ? 1 : 0] = std::uint8_t(value);
    }
    void write32(std::uint8_t* to, std::uint32_t value) const
    {
        write16(to + (big_ ? 0 : 2), std::uint16_t(value >> 16));
        write16(to + (big_ ? 2 : 0), std::uint16_t(value));
    }

private:
    bool big_;
};

// What of a block is carried into the new one.
struct Carried
{
    bool thumbnail = false;  // IFD1 and the JPEG thumbnail it points at
    bool location = true;    // the GPS IFD
    std::uint32_t width = 0; // PixelXDimension and PixelYDimension; 0 leaves them as they are
    std::uint32_t height = 0;
};

// What an IFD entry's value field can point at: an IFD, a value of more than 4 bytes, or the
// JPEG thumbnail.
struct Piece
{
    std::size_t from = 0;     // offset in the old block
    std::size_t size = 0;     // size in the new block
    int ifd = -1;             // index into Rewriter::ifds_; -1 for bytes copied as they are
    std::size_t placedAt = 0; // offset in the new block
    int next = -1;            // for IFD0: the piece of IFD1, which its link points at
};

struct Entry
{
    std::size_t from = 0;   // offset of the 12-byte entry in the old block
    int piece = -1;         // the piece its value field points at; -1 when the value is in it
    bool pixelSize = false; // PixelXDimension or PixelYDimension, set to `pixels`
    std::uint32_t pixels = 0;
};

struct Ifd
{
    std::size_t from = 0;
    IfdKind kind = IfdKind::Ifd0;
    std::vector<Entry> entries; // those carried
};

// Sets a 12-byte PixelXDimension or PixelYDimension entry to one value: SHORT when it was and
// the value fits, otherwise LONG.
void setPixelEntry(const ByteOrder& order, std::uint8_t* entry, std::uint32_t value)
{
    const bool asShort = order.read16(entry + 2) == ShortType && value <= 0xffff;
    order.write16(entry + 2, asShort ? ShortType : LongType);
    order.write32(entry + 4, 1);
    std::memset(entry + 8, 0, 4);
    if (asShort)
        order.write16(entry + 8, std::uint16_t(value));
    else
        order.write32(entry + 8, value);
}

class Rewriter
{
public:
    Rewriter(const std::uint8_t* tiff, std::size_t size, std::size_t maxSize,
             const Carried& carried)
        : in_(tiff), size_(size), maxSize_(maxSize), carried_(carried),
          order_(size > 0 && tiff[0] == 'M')
    {
    }

    // Takes the block apart: false when it is malformed, or the pieces kept are over maxSize.
    bool walk()
    {
        if (size_ < TiffHeaderSize
            || (std::memcmp(in_, "II*\0", 4) != 0 && std::memcmp(in_, "MM\0*", 4) != 0))
            return false;
        if (!addIfd(read32(4), IfdKind::Ifd0, 0, ifd0_))
            return false;
        if (!carried_.thumbnail)
            return true;
        const Ifd& ifd0 = ifds_.front();
        const std::size_t link = read32(ifd0.from + 2 + read16(ifd0.from) * IfdEntrySize);
        if (link == 0 || !jpegThumbnail(link))
            return true;
        int ifd1 = -1;
        if (!addIfd(link, IfdKind::Ifd1, 0, ifd1))
            return false;
        pieces_[std::size_t(ifd0_)].next = ifd1;
        return true;
    }

    std::vector<std::uint8_t> rewrite()
    {
        std::size_t total = 0;
        if (!place(true, total) && !place(false, total))
            return {};
        return write(total);
    }

    // Sets the pixel size entries in the walked block itself.
    void setPixelSize(std::uint8_t* block) const
    {
        for (const Ifd& ifd : ifds_)
            for (const Entry& entry : ifd.entries)
                if (entry.pixelSize)
                    setPixelEntry(order_, block + entry.from, entry.pixels);
    }

    // IFD0's Orientation: 1 to 8, or 0.
    int orientation() const
    {
        for (const Entry& entry : ifds_.front().entries) {
            const std::size_t at = entry.from;
            if (read16(at) == OrientationTag) {
                const std::uint16_t value = read16(at + 8);
                return read16(at + 2) == ShortType && read32(at + 4) == 1 && value >= 1
                               && value <= 8
                           ? value
                           : 0;
            }
        }
        return 0;
    }

private:
    std::uint16_t read16(std::size_t at) const { return order_.read16(in_ + at); }
    std::uint32_t read32(std::size_t at) const { return order_.read32(in_ + at); }

    // Adds the piece of size bytes at from, unless the pieces no longer fit maxSize together.
    bool addPiece(std::size_t from, std::size_t size, int ifd, int& piece)
    {
        piecesSize_ += size;
        if (TiffHeaderSize + piecesSize_ > maxSize_)
            return false;
        piece = int(pieces_.size());
        pieces_.push_back({from, size, ifd, 0, -1});
        return true;
    }

    // Whether IFD1 at from may hold a JPEG thumbnail: true unless its picture is in strips or
    // tiles, and true for an IFD1 out of range, which addIfd then refuses.
    bool jpegThumbnail(std::size_t from) const
    {
        if (from < TiffHeaderSize || from > size_ || size_ - from < 2)
            return true;
        const std::size_t count = read16(from);
        if ((size_ - from - 2) / IfdEntrySize < count)
            return true;
        for (std::size_t i = 0; i < count; ++i)
            if (isStripOrTile(read16(from + 2 + i * IfdEntrySize)))
                return false;
        return true;
    }

    // The JPEG thumbnail's length, from IFD1's JPEGInterchangeFormatLength: false when it has
    // none, or one that is no single SHORT or LONG.
    bool thumbnailLength(std::size_t ifd, std::size_t count, std::size_t& length) const
    {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = ifd + 2 + i * IfdEntrySize;
            if (read16(at) != ThumbnailOffsetTag + 1)
                continue;
            const std::uint16_t type = read16(at + 2);
            if (read32(at + 4) != 1 || (type != ShortType && type != LongType))
                return false;
            length = type == ShortType ? read16(at + 8) : read32(at + 8);
            return true;
        }
        return false;
    }

    // Gathers the IFD at from, the values it points at and the IFDs it leads to.
    bool addIfd(std::size_t from, IfdKind kind, int depth, int& piece)
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
        // IFD0's link to IFD1 is read when the thumbnail is carried.
        if (kind == IfdKind::Ifd0 && carried_.thumbnail
            && size_ - from - 2 - count * IfdEntrySize < 4)
            return false;
        const int ifd = int(ifds_.size());
        ifds_.push_back({from, kind, {}});
        std::vector<Entry> entries;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = from + 2 + i * IfdEntrySize;
            const std::uint16_t tag = read16(at);
            const std::uint16_t type = read16(at + 2);
            const std::uint32_t values = read32(at + 4);
            Entry entry{at, -1, false, 0};
            if (kind == IfdKind::Ifd1 && tag == ThumbnailOffsetTag) {
                // IFD1 is carried only for its thumbnail, the data this entry points at; an
                // offset to no bytes at all leads nowhere and is left out.
                std::size_t length = 0;
                const std::size_t dataAt = read32(at + 8);
                if (type != LongType || values != 1 || !thumbnailLength(from, count, length)
                    || dataAt < TiffHeaderSize || dataAt > size_ || length > size_ - dataAt)
                    return false;
                if (length == 0)
                    continue;
                if (!addPiece(dataAt, length, -1, entry.piece))
                    return false;
                entries.push_back(entry);
                continue;
            }
            if ((kind != IfdKind::Ifd1 || tag != ThumbnailOffsetTag + 1) && pointsAtImageData(tag))
                continue;
            if (tag == GpsIfdTag && !carried_.location)
                continue; // left out unread
            if (kind == IfdKind::Exif && carried_.width != 0
                && (tag == PixelXDimensionTag || tag == PixelYDimensionTag)) {
                // Written anew as one number, whatever the value was.
                entry.pixelSize = true;
                entry.pixels = tag == PixelXDimensionTag ? carried_.width : carried_.height;
                entries.push_back(entry);
                continue;
            }
            if (isIfdPointer(tag)) {
                if ((type != LongType && type != IfdType) || values != 1)
                    return false;
                // The entry then points at the piece of the IFD it leads to.
                if (!addIfd(read32(at + 8), kindOf(tag), depth + 1, entry.piece))
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
        // The count, the entries and the next-IFD link: 0 but for IFD0 with IFD1 carried.
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

    std::size_t placedAt(int piece) const { return pieces_[std::size_t(piece)].placedAt; }

    std::vector<std::uint8_t> write(std::size_t total) const
    {
        std::vector<std::uint8_t> out(total, 0);
        std::memcpy(out.data(), in_, 4);
        order_.write32(&out[4], std::uint32_t(placedAt(ifd0_)));
        for (const Piece& piece : pieces_) {
            std::uint8_t* to = &out[piece.placedAt];
            if (piece.ifd < 0) {
                std::memcpy(to, in_ + piece.from, piece.size);
                continue;
            }
            const std::vector<Entry>& entries = ifds_[std::size_t(piece.ifd)].entries;
            order_.write16(to, std::uint16_t(entries.size()));
            to += 2;
            for (const Entry& entry : entries) {
                std::memcpy(to, in_ + entry.from, IfdEntrySize);
                if (entry.piece >= 0)
                    order_.write32(to + 8, std::uint32_t(placedAt(entry.piece)));
                if (entry.pixelSize)
                    setPixelEntry(order_, to, entry.pixels);
                to += IfdEntrySize;
            }
            if (piece.next >= 0)
                order_.write32(to, std::uint32_t(placedAt(piece.next)));
        }
        return out;
    }

    const std::uint8_t* in_;
    std::size_t size_;
    std::size_t maxSize_;
    Carried carried_;
    ByteOrder order_;
    std::vector<Piece> pieces_;
    std::vector<Ifd> ifds_;
    std::size_t piecesSize_ = 0;
    int ifd0_ = -1;
};

// What the removing choices carry of a block: all but its location.
Carried withoutLocation(std::uint32_t width, std::uint32_t height)
{
    return {true, false, width, height};
}

} // namespace

std::vector<std::uint8_t> exifWithoutThumbnail(const std::uint8_t* tiff, std::size_t size,
                                               std::size_t maxSize)
{
    try {
        Rewriter rewriter(tiff, size, maxSize, {});
        return rewriter.walk() ? rewriter.rewrite() : std::vector<std::uint8_t>{};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::vector<std::uint8_t> exifWithoutLocation(const std::uint8_t* tiff, std::size_t size,
                                              std::uint32_t width, std::uint32_t height)
{
    // Kept pieces at their old offsets never make the block larger; pieces that overlap (one
    // value pointed at twice) could, and such a block is refused rather than let grow.
    try {
        Rewriter rewriter(tiff, size, size, withoutLocation(width, height));
        return rewriter.walk() ? rewriter.rewrite() : std::vector<std::uint8_t>{};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool setExifPixelSize(std::vector<std::uint8_t>& tiff, std::uint32_t width, std::uint32_t height)
{
    try {
        Rewriter rewriter(tiff.data(), tiff.size(), tiff.size(), {true, true, width, height});
        if (!rewriter.walk())
            return false;
        rewriter.setPixelSize(tiff.data());
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int exifOrientation(const std::uint8_t* tiff, std::size_t size)
{
    try {
        Rewriter rewriter(tiff, size, size, withoutLocation(0, 0));
        return rewriter.walk() ? rewriter.orientation() : -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

std::vector<std::uint8_t> exifWithOrientationOnly(bool bigEndian, std::uint16_t orientation)
{
    const ByteOrder order(bigEndian);
    // The header, IFD0 at offset 8 with one entry, and no next IFD.
    std::vector<std::uint8_t> block(TiffHeaderSize + 2 + IfdEntrySize + 4, 0);
    block[0] = block[1] = bigEndian ? 'M' : 'I';
    order.write16(&block[2], 42);
    order.write32(&block[4], TiffHeaderSize);
    order.write16(&block[8], 1);
    std::uint8_t* entry = &block[10];
    order.write16(entry, OrientationTag);
    order.write16(entry + 2, ShortType);
    order.write32(entry + 4, 1);
    order.write16(entry + 8, orientation);
    return block;
}

} // namespace orvalin::tools
