// Fuzz target: XMP packets through xmpWithoutLocation(), which convert-worker calls on a packet
// when a request keeps everything but the location. The input is the packet.
//
// A packet refused leaves nothing. A packet taken must come out no larger, and be its own
// result: what is left holds no location, so read again it comes back byte for byte.

#include "tools/codec/XmpLocation.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace orvalin::tools;

namespace {

void expect(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "xmp: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> kept;
    if (!xmpWithoutLocation(data, size, kept)) {
        expect(kept.empty(), "a packet refused left bytes");
        return 0;
    }
    expect(kept.size() <= size, "the packet without location is larger");
    std::vector<std::uint8_t> again;
    expect(xmpWithoutLocation(kept.data(), kept.size(), again),
           "the packet without location is refused");
    expect(again == kept, "the packet without location read again gives other bytes");
    return 0;
}
