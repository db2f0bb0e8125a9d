#pragma once

#include <optional>
#include <string>

namespace orvalin::tools {

struct EncodeOptions
{
    int quality = 0;
    bool overwrite = false;
    std::string input;
};

// Reads "-q Q -out jpeg [-overwrite] IN.png". The options may come in any order; the last
// argument is always the input, so an input name that begins with a dash stays a name.
// Returns nothing and sets error when the arguments do not fit.
std::optional<EncodeOptions> parseEncodeOptions(int argc, const char* const* argv,
                                                std::string& error);

// A JPEG quality: a whole number from 1 to 100 written in plain digits.
std::optional<int> parseQuality(const std::string& text);

// The JPG beside the PNG: a final ".png" (in any letter case) becomes ".jpg"; any other name
// gets ".jpg" appended, so the output never takes the input's own name.
std::string jpegPathFor(const std::string& pngPath);

} // namespace orvalin::tools
