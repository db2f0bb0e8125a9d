#pragma once

#include <string>

namespace orvalin::tools {

// A failure of the system in a few plain words, for a list the user reads beside a file's
// name: "no space left on the device", "the path is too long", "permission denied".
std::string plainErrorText(int errorNumber);

} // namespace orvalin::tools
