#pragma once

#include "core/Platform.h"

#include <functional>

#include <QCoreApplication>

namespace orvalin {

class FileListView;
class SettingsStore;

inline QString ScanFolderPickerTitle()
{
    return QCoreApplication::translate("FileList", "Please select folder:");
}

// "Add All WebP File(s) In Folder": picks a folder, starting at the last one picked, remembers
// it, and appends every WebP file below it while the window shows itself busy.
void AddAllInFolder(FileListView& list, SettingsStore& settings, const WindowContext& window,
                    const std::function<void(PointerKind)>& setPointer, const bool& stopRequested);

} // namespace orvalin
