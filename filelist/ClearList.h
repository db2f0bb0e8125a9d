#pragma once

#include "core/Platform.h"

namespace orvalin {

class FileListView;

// "Clear List": empties the list at once, unless the window is busy.
void ClearList(FileListView& list, bool windowBusy, const WindowContext& window);

} // namespace orvalin
