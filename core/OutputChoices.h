#pragma once

#include "tools/convert-worker/WorkerProtocol.h"

#include <QMetaType>

#include <cstdint>

namespace orvalin {

using protocol::MetadataKept;

// What a run does when a JPG of the output name already exists.
enum class IfExists {
    Replace,  // the new one takes its place (a WebP picture there is still never replaced)
    KeepBoth, // the new one goes to the first free "name (1).jpg", "name (2).jpg"...
    Skip,     // nothing is written, and the row is listed
};

// The choices of the Options menu: what becomes of a result beside the quality and the folder.
// The defaults are what a run did before there were choices.
struct OutputChoices
{
    IfExists ifExists = IfExists::Replace;
    bool keepSubfolders = false; // with results in one folder: the added folder's tree below it
    bool keepDates = false;      // the source's modification and access times
    MetadataKept metadata = MetadataKept::All;
    std::uint32_t fitWithin = 0; // the most pixels the longer side may have; 0 keeps the size

    bool operator==(const OutputChoices&) const = default;
};

} // namespace orvalin

Q_DECLARE_METATYPE(orvalin::OutputChoices)
Q_DECLARE_METATYPE(orvalin::IfExists)
