#include "filelist/ClearList.h"

#include "core/FailureReport.h"
#include "filelist/FileListView.h"

namespace orvalin {

void ClearList(FileListView& list, bool windowBusy, const WindowContext& window)
{
    GuardedSteps guard(GuardedProcedure::ClearListClick, window.platform.messageBoxes,
                       window.owner);
    if (guard.test(100, [&] { return windowBusy; }))
        return;
    guard.step(102, [&] { list.clear(); });
}

} // namespace orvalin
