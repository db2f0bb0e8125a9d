// The fuzz targets' PageBuffer: the same interface as webp-decode's, on the heap instead of a
// mapping rounded up to whole huge pages, so the address sanitizer knows the buffer's exact end
// and reports any byte read or written past it.

#include "tools/codec/PageBuffer.h"

#include <cstdlib>
#include <utility>

namespace orvalin::tools {

bool PageBuffer::allocate(std::size_t size)
{
    release();
    if (size == 0)
        return true;
    data_ = static_cast<std::uint8_t*>(std::malloc(size));
    if (!data_)
        return false;
    size_ = mapped_ = size;
    return true;
}

void PageBuffer::release()
{
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = 0;
}

} // namespace orvalin::tools
