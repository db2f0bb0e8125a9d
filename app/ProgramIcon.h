#pragma once

#include <QIcon>

namespace orvalin {

// The program's icon: 32 × 32 at 24 bits a pixel, and 48, 128 and 256 pixels square at 32 bits.
// Throws Failure when an image is missing from the executable.
QIcon ProgramIcon();

} // namespace orvalin
