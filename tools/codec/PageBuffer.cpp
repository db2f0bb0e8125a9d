#include "tools/codec/PageBuffer.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif
#include <utility>

namespace orvalin::tools {

#ifdef _WIN32

// Large pages on Windows need the "Lock pages in memory" privilege, which ordinary accounts
// lack, so the buffer takes ordinary pages straight from the system.
bool PageBuffer::allocate(std::size_t size)
{
    if (data_ && size <= mapped_) {
        size_ = size;
        return true;
    }
    release();
    if (size == 0)
        return true;
    void* base = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!base)
        return false;
    data_ = static_cast<std::uint8_t*>(base);
    mapped_ = size;
    size_ = size;
    return true;
}

void PageBuffer::release()
{
    if (data_)
        VirtualFree(data_, 0, MEM_RELEASE);
    data_ = nullptr;
    size_ = 0;
    mapped_ = 0;
}

#else

namespace {
constexpr std::size_t HugePage = std::size_t(2) << 20;
}

bool PageBuffer::allocate(std::size_t size)
{
    if (data_ && size <= mapped_) {
        size_ = size;
        return true;
    }
    release();
    if (size == 0)
        return true;
    // Map one huge page more than needed so the buffer can start on a huge-page boundary:
    // only aligned 2 MiB ranges can be backed by huge pages.
    const std::size_t mapped = (size + 2 * HugePage - 1) / HugePage * HugePage;
    void* base = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        return false;
    auto* bytes = static_cast<std::uint8_t*>(base);
    const auto address = reinterpret_cast<std::uintptr_t>(bytes);
    const std::size_t lead = (HugePage - address % HugePage) % HugePage;
    if (lead > 0)
        munmap(bytes, lead);
    const std::size_t kept = mapped - lead;
    madvise(bytes + lead, kept, MADV_HUGEPAGE); // a hint: without huge pages all still works
    data_ = bytes + lead;
    mapped_ = kept;
    size_ = size;
    return true;
}

void PageBuffer::release()
{
    if (data_)
        munmap(data_, mapped_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = 0;
}

#endif

} // namespace orvalin::tools
