#include "tools/jpeg-encode/EncodeOptions.h"

#include "tools/common/FileSystem.h"

#include <cstring>
#include <strings.h>

namespace orvalin::tools {

std::optional<int> parseQuality(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 100)
        return std::nullopt;
    return value;
}

std::optional<EncodeOptions> parseEncodeOptions(int argc, const char* const* argv,
                                                std::string& error)
{
    if (argc < 2) {
        error = "no input file";
        return std::nullopt;
    }
    EncodeOptions options;
    bool haveQuality = false;
    bool haveFormat = false;
    const int last = argc - 1;
    for (int i = 1; i < last; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < last;
        if (option == "-overwrite") {
            options.overwrite = true;
        } else if (option == "-q" && hasValue) {
            const auto quality = parseQuality(argv[++i]);
            if (!quality) {
                error = std::string("quality must be a whole number from 1 to 100, not \"")
                        + argv[i] + "\"";
                return std::nullopt;
            }
            options.quality = *quality;
            haveQuality = true;
        } else if (option == "-out" && hasValue) {
            const std::string format = argv[++i];
            if (format != "jpeg" && format != "jpg") {
                error = "output format must be jpeg, not \"" + format + "\"";
                return std::nullopt;
            }
            haveFormat = true;
        } else {
            error = "unexpected argument \"" + option + "\"";
            return std::nullopt;
        }
    }
    if (!haveQuality || !haveFormat) {
        error = haveQuality ? "missing -out jpeg" : "missing -q quality";
        return std::nullopt;
    }
    options.input = argv[last];
    if (options.input.empty()) {
        error = "the input name is empty";
        return std::nullopt;
    }
    return options;
}

std::string jpegPathFor(const std::string& pngPath)
{
    const std::size_t nameLength = pngPath.size() - fs::nameStart(pngPath);
    // A name that is ".png" alone has no stem to keep; it is treated like any other name.
    if (nameLength > 4 && strcasecmp(pngPath.c_str() + pngPath.size() - 4, ".png") == 0)
        return pngPath.substr(0, pngPath.size() - 4) + ".jpg";
    return pngPath + ".jpg";
}

} // namespace orvalin::tools
