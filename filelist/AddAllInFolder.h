#pragma once

#include "core/Platform.h"

#include <functional>

namespace orvalin {

class FileListView;
class SettingsStore;

inline const QString ScanFolderPickerTitle = QStringLiteral("Please select folder:");

// "Add All WebP File(s) In Folder": picks a folder, starting at the last one picked, remembers
// it, and appends every WebP file below it while the window shows itself busy.
void AddAllInFolder(FileListView& list, SettingsStore& settings, const WindowContext& window,
                    const std::function<void(PointerKind)>& setPointer, const bool& stopRequested);

} // namespace orvalin
