#pragma once

#include "core/Platform.h"

#include <QStringList>

class QMimeData;

namespace orvalin {

class FileListView;

// The dropped paths when the data holds the desktop's file list ("text/uri-list" with local
// files); empty when it holds none, and then nothing may be dropped. A path whose bytes cannot
// be carried as text is marked (see core/UncarriedNames.h).
QStringList DroppedPaths(const QMimeData& data);

// A drop on the list: each dropped file becomes a row unchanged, each dropped folder is scanned
// for every file below it, one after another in the order dropped. A drop works whether the
// window is busy or not, and does not make it busy. What could not be added for a name that
// cannot be carried, marked among the paths or met in a folder, is told in one message at the
// end.
void DropFiles(FileListView& list, const QStringList& paths, const WindowContext& window,
               const bool& stopRequested);

} // namespace orvalin
