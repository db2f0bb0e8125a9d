#include "filelist/AddAllInFolder.h"

#include "core/FailureReport.h"
#include "core/FolderScan.h"
#include "core/Settings.h"
#include "core/UncarriedNames.h"
#include "filelist/FileListView.h"

namespace orvalin {

void AddAllInFolder(FileListView& list, SettingsStore& settings, const WindowContext& window,
                    const std::function<void(PointerKind)>& setPointer, const bool& stopRequested)
{
    GuardedSteps guard(GuardedProcedure::AddFolderClick, window.platform.messageBoxes,
                       window.owner);
    QString lastFolder;
    QString chosen;
    guard.step(100, [&] { lastFolder = settings.value(Stored::LastScannedFolder); });
    guard.step(102, [&] {
        chosen = window.platform.fileDialogs.pickFolder(window.owner, ScanFolderPickerTitle(),
                                                        lastFolder);
    });
    if (guard.test(104, [&] { return chosen.isEmpty(); }))
        return;
    guard.step(106, [&] { settings.setValue(Stored::LastScannedFolder, chosen); });
    guard.step(108, [&] { setPointer(PointerKind::Busy); });
    QStringList notAdded;
    guard.step(110, [&] {
        FolderScan scan(window.platform.messageBoxes, window.owner, stopRequested,
                        LetWindowHandleEvents);
        scan.AddFolderTree(chosen, QStringLiteral("*.webp"), AddingTo(list));
        notAdded = scan.notAdded();
    });
    if (stopRequested)
        return; // the window has closed
    guard.step(112, [&] { setPointer(PointerKind::Default); });
    TellNotAdded(notAdded, window);
}

} // namespace orvalin
