#pragma once

#include <QCursor>
#include <QString>

namespace orvalin {

// Reads a cursor (.cur) or icon (.ico) file into a pointer, keeping a cursor's hot spot.
// Throws Failure when the file is not a picture Qt can read.
QCursor loadPointerFile(const QString& path);

} // namespace orvalin
