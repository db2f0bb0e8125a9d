#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace orvalin::tools {

// A large byte buffer taken straight from the system, uninitialised, asking for huge pages.
// A 12-megapixel image fills 9000 ordinary pages, and faulting each of them in costs about as
// much as writing the PNG does; with 2 MiB pages that cost nearly vanishes.
class PageBuffer
{
public:
    PageBuffer() = default;
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;
    PageBuffer(PageBuffer&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
          mapped_(std::exchange(other.mapped_, 0))
    {
    }
    PageBuffer& operator=(PageBuffer&& other) noexcept
    {
        if (this != &other) {
            release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            mapped_ = std::exchange(other.mapped_, 0);
        }
        return *this;
    }
    ~PageBuffer() { release(); }

    // A buffer of size bytes; the present one is kept when it is large enough, so a buffer
    // used again costs no page faults. Its bytes are left as they were.
    bool allocate(std::size_t size);
    // Keeps the first size bytes, and the buffer, for a smaller use of it.
    void shrink(std::size_t size) { size_ = size < size_ ? size : size_; }
    void release();
    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    // The bytes held from the system, size() or more.
    std::size_t capacity() const { return mapped_; }

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;
};

} // namespace orvalin::tools
