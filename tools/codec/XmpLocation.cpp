#include "tools/codec/XmpLocation.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string_view>

namespace orvalin::tools {

namespace {

// Between a name's namespace URI, local name and prefix, as expat hands names over: a
// character XML allows in none of them.
constexpr char Separator = '\x01';

constexpr std::string_view Exif = "http://ns.adobe.com/exif/1.0/";
constexpr std::string_view ExifEx = "http://cipa.jp/exif/1.0/";
constexpr std::string_view Photoshop = "http://ns.adobe.com/photoshop/1.0/";
constexpr std::string_view IptcCore = "http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/";
constexpr std::string_view IptcExt = "http://iptc.org/std/Iptc4xmpExt/2008-02-29/";
constexpr std::string_view DynamicMedia = "http://ns.adobe.com/xmp/1.0/DynamicMedia/";
constexpr std::string_view DublinCore = "http://purl.org/dc/elements/1.1/";

struct LocationProperty
{
    std::string_view uri;
    std::string_view prefix; // the one XMP writers give the namespace
    std::string_view name;   // ending in '*': every name that begins so
};

constexpr LocationProperty LocationProperties[] = {
    {Exif, "exif", "GPS*"},
    {ExifEx, "exifEX", "GPS*"},
    {Photoshop, "photoshop", "City"},
    {Photoshop, "photoshop", "State"},
    {Photoshop, "photoshop", "Country"},
    {IptcCore, "Iptc4xmpCore", "Location"},
    {IptcCore, "Iptc4xmpCore", "CountryCode"},
    {IptcExt, "Iptc4xmpExt", "LocationCreated"},
    {IptcExt, "Iptc4xmpExt", "LocationShown"},
    {IptcExt, "Iptc4xmpExt", "City"},
    {IptcExt, "Iptc4xmpExt", "CountryCode"},
    {IptcExt, "Iptc4xmpExt", "CountryName"},
    {IptcExt, "Iptc4xmpExt", "ProvinceState"},
    {IptcExt, "Iptc4xmpExt", "Sublocation"},
    {IptcExt, "Iptc4xmpExt", "WorldRegion"},
    {IptcExt, "Iptc4xmpExt", "LocationName"},
    {IptcExt, "Iptc4xmpExt", "LocationId"},
    {DynamicMedia, "xmpDM", "shotLocation"},
    {DublinCore, "dc", "coverage"},
};

// A name as expat gives it with namespaces and prefixes returned: "URI\1local\1prefix",
// "URI\1local" (the default namespace) or "local" (none).
struct Name
{
    std::string_view uri;
    std::string_view local;
    std::string_view prefix;
};

Name splitName(std::string_view name)
{
    const std::size_t first = name.find(Separator);
    if (first == std::string_view::npos)
        return {{}, name, {}};
    const std::string_view rest = name.substr(first + 1);
    const std::size_t second = rest.find(Separator);
    if (second == std::string_view::npos)
        return {name.substr(0, first), rest, {}};
    return {name.substr(0, first), rest.substr(0, second), rest.substr(second + 1)};
}

bool isLocation(const Name& name)
{
    for (const LocationProperty& property : LocationProperties) {
        if (name.uri != property.uri && (name.prefix.empty() || name.prefix != property.prefix))
            continue;
        if (property.name.ends_with('*')
                ? name.local.starts_with(property.name.substr(0, property.name.size() - 1))
                : name.local == property.name)
            return true;
    }
    return false;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Bytes of the packet to leave out, [from, to).
struct Cut
{
    std::size_t from = 0;
    std::size_t to = 0;
};

// An attribute as its start tag's bytes have it: its name as written, and its bytes from the
// blank before it to its closing quote.
struct RawAttribute
{
    std::string_view name;
    Cut bytes;
};

// The attributes of a well-formed start tag (from its '<' to its '>', at `at` in the packet),
// namespace declarations left out, as expat leaves them out of the attributes it hands over.
// False when the bytes do not read as a start tag, which expat's having read them rules out.
bool rawAttributes(std::string_view tag, std::size_t at, std::vector<RawAttribute>& attributes)
{
    attributes.clear();
    std::size_t p = 1;
    while (p < tag.size() && !isBlank(tag[p]) && tag[p] != '/' && tag[p] != '>')
        ++p;
    const auto skipBlanks = [&] {
        while (p < tag.size() && isBlank(tag[p]))
            ++p;
    };
    for (;;) {
        const std::size_t blankAt = p;
        skipBlanks();
        if (p == tag.size())
            return false;
        if (tag[p] == '/' || tag[p] == '>')
            return true;
        if (p == blankAt)
            return false; // an attribute follows a blank
        const std::size_t nameAt = p;
        while (p < tag.size() && !isBlank(tag[p]) && tag[p] != '=')
            ++p;
        const std::string_view name = tag.substr(nameAt, p - nameAt);
        skipBlanks();
        if (p == tag.size() || tag[p] != '=')
            return false;
        ++p;
        skipBlanks();
        if (p == tag.size() || (tag[p] != '"' && tag[p] != '\''))
            return false;
        const std::size_t close = tag.find(tag[p], p + 1);
        if (close == std::string_view::npos)
            return false;
        p = close + 1;
        if (name != "xmlns" && !name.starts_with("xmlns:"))
            attributes.push_back({name, {at + blankAt, at + p}});
    }
}

// The name as it is written: prefix:local, or local.
bool writtenAs(const Name& name, std::string_view written)
{
    if (name.prefix.empty())
        return written == name.local;
    return written.size() == name.prefix.size() + 1 + name.local.size()
           && written.starts_with(name.prefix) && written[name.prefix.size()] == ':'
           && written.ends_with(name.local);
}

struct ParserFree
{
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Reads a packet with expat and finds the bytes of its location properties.
class LocationFinder
{
public:
    LocationFinder(const char* text, std::size_t size) : text_(text), size_(size) {}

    // False when the packet cannot be read safely; otherwise the cuts, in order, apart.
    bool find(std::vector<Cut>& cuts)
    {
        if (size_ > std::size_t(INT_MAX))
            return false;
        // UTF-8 whatever the packet declares: a packet in UTF-16 is then refused, as the bytes
        // of its tags could not be read here.
        parser_.reset(XML_ParserCreateNS("UTF-8", Separator));
        if (!parser_)
            return false;
        XML_Parser parser = parser_.get();
        XML_SetReturnNSTriplet(parser, XML_TRUE);
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &LocationFinder::onStart, &LocationFinder::onEnd);
        XML_SetStartDoctypeDeclHandler(parser, &LocationFinder::onDoctype);
        if (XML_Parse(parser, text_, int(size_), XML_TRUE) != XML_STATUS_OK || refused_)
            return false;
        for (std::size_t i = 1; i < cuts_.size(); ++i)
            if (cuts_[i].from < cuts_[i - 1].to)
                return false;
        cuts = std::move(cuts_);
        return true;
    }

private:
    struct Open
    {
        std::size_t start = 0; // the byte its start tag begins at
        bool cut = false;      // the outermost element being cut
    };

    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes)
    {
        static_cast<LocationFinder*>(self)->start(name, attributes);
    }
    static void XMLCALL onEnd(void* self, const XML_Char*)
    {
        static_cast<LocationFinder*>(self)->end();
    }
    static void XMLCALL onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*,
                                  int)
    {
        static_cast<LocationFinder*>(self)->refuse();
    }

    void refuse()
    {
        refused_ = true;
        XML_StopParser(parser_.get(), XML_FALSE);
    }

    // The bytes of the event expat reports, when they lie in the packet.
    bool eventBytes(Cut& bytes) const
    {
        const XML_Index index = XML_GetCurrentByteIndex(parser_.get());
        const int count = XML_GetCurrentByteCount(parser_.get());
        if (index < 0 || count < 0 || std::size_t(index) > size_
            || std::size_t(count) > size_ - std::size_t(index))
            return false;
        bytes = {std::size_t(index), std::size_t(index) + std::size_t(count)};
        return true;
    }

    void start(const XML_Char* name, const XML_Char** attributes)
    {
        if (refused_)
            return;
        if (cutOpen_) {
            open_.push_back({0, false}); // inside an element being cut
            return;
        }
        Cut tag;
        if (!eventBytes(tag) || tag.to - tag.from < 2 || text_[tag.from] != '<') {
            refuse();
            return;
        }
        if (isLocation(splitName(name))) {
            open_.push_back({tag.from, true});
            cutOpen_ = true;
            return;
        }
        open_.push_back({tag.from, false});
        cutAttributes(std::string_view(text_ + tag.from, tag.to - tag.from), tag.from, attributes);
    }

    void cutAttributes(std::string_view tag, std::size_t at, const XML_Char** attributes)
    {
        bool any = false;
        std::size_t count = 0;
        for (; attributes[2 * count]; ++count)
            any = any || isLocation(splitName(attributes[2 * count]));
        if (!any)
            return;
        // expat hands the attributes over in the order they are written, namespace
        // declarations left out; each must be found in the tag under its name.
        if (!rawAttributes(tag, at, raw_) || raw_.size() != count) {
            refuse();
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const Name name = splitName(attributes[2 * i]);
            if (!writtenAs(name, raw_[i].name)) {
                refuse();
                return;
            }
            if (isLocation(name))
                cuts_.push_back(raw_[i].bytes);
        }
    }

    void end()
    {
        if (refused_ || open_.empty())
            return;
        const Open element = open_.back();
        open_.pop_back();
        if (!element.cut)
            return;
        cutOpen_ = false;
        // After an empty element's tag expat reports its end with no bytes of its own.
        Cut endTag;
        if (!eventBytes(endTag)) {
            refuse();
            return;
        }
        // The blanks before it go too when a tag comes before them: they only set it apart.
        std::size_t from = element.start;
        while (from > 0 && isBlank(text_[from - 1]))
            --from;
        if (from == 0 || text_[from - 1] != '>')
            from = element.start;
        if (!cuts_.empty())
            from = std::max(from, cuts_.back().to);
        cuts_.push_back({from, endTag.to});
    }

    const char* text_;
    std::size_t size_;
    std::unique_ptr<XML_ParserStruct, ParserFree> parser_;
    std::vector<Open> open_;
    bool cutOpen_ = false;
    bool refused_ = false;
    std::vector<Cut> cuts_;
    std::vector<RawAttribute> raw_;
};

// The bytes expat reads: any zero bytes that pad the packet's end are no XML, and stay as
// they are.
std::size_t xmlSize(const std::uint8_t* packet, std::size_t size)
{
    while (size > 0 && packet[size - 1] == 0)
        --size;
    return size;
}

} // namespace

bool xmpWithoutLocation(const std::uint8_t* packet, std::size_t size,
                        std::vector<std::uint8_t>& out)
{
    out.clear();
    const std::size_t xml = xmlSize(packet, size);
    std::vector<Cut> cuts;
    if (!LocationFinder(reinterpret_cast<const char*>(packet), xml).find(cuts))
        return false;
    out.reserve(size);
    std::size_t at = 0;
    for (const Cut& cut : cuts) {
        out.insert(out.end(), packet + at, packet + cut.from);
        at = cut.to;
    }
    out.insert(out.end(), packet + at, packet + size);
    // What is left must read as well, with nothing more to cut.
    std::vector<Cut> left;
    if (!LocationFinder(reinterpret_cast<const char*>(out.data()), out.size() - (size - xml))
             .find(left)
        || !left.empty()) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace orvalin::tools
