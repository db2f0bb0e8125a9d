#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvalin::tools {

// The XMP properties that say where the picture was taken, known by their namespace URI and
// local name as an XML parser resolves them, or by the prefix XMP writers give that namespace
// and the local name:
//   exif:GPS* and exifEX:GPS*                   the position, and how it was measured
//   photoshop:City, State, Country              IPTC Core's place the picture shows
//   Iptc4xmpCore:Location, CountryCode          IPTC Core's sublocation and country code
//   Iptc4xmpExt:LocationCreated, LocationShown  IPTC Extension's places (structures)
//   Iptc4xmpExt:City, CountryCode, CountryName, ProvinceState, Sublocation, WorldRegion,
//     LocationName, LocationId                  the fields of those structures, should one
//                                               stand anywhere else
//   xmpDM:shotLocation                          XMP Dynamic Media's place a video was shot
//   dc:coverage                                 Dublin Core's spatial (or temporal) extent
// The prefix counts too, so a packet that binds "exif" to another namespace cannot show a
// reader that goes by prefixes a position that was kept.

// The XMP packet without the properties that say where the picture was taken
// (above): each one, as an element anywhere in the packet (with all it holds)
// or as an attribute of any element, is cut out of the packet as the bytes it takes, with the
// blank before it (an element's only after another tag); every other byte stays as it was. The
// packet is read by expat, with its namespaces resolved.
//
// False, with `out` empty, when the packet cannot be read safely: XML that expat refuses (an
// unbound prefix included), a document type declaration (whose entities would put properties
// where their bytes cannot be found), an attribute whose bytes cannot be told in its tag, or a
// result that does not read back well-formed and without location.
bool xmpWithoutLocation(const std::uint8_t* packet, std::size_t size,
                        std::vector<std::uint8_t>& out);

} // namespace orvalin::tools
