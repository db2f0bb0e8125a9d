#include "filelist/SampleFiles.h"

#include "core/FailureReport.h"
#include "core/FolderListing.h"
#include "core/PathHelpers.h"
#include "filelist/FileListView.h"

namespace orvalin {

void LoadSampleFiles(FileListView& list, const QString& programFolder, const WindowContext& window)
{
    GuardedSteps guard(GuardedProcedure::LoadSamplesClick, window.platform.messageBoxes,
                       window.owner);
    const QString samplesFolder = programFolder + Separator + SamplesFolderName;

    // One step: a failure ends the loading, and the rows added so far stay.
    guard.step(100, [&] {
        for (const QString& name : ListFilesInFolder(samplesFolder, QStringLiteral("*.*"))) {
            const QString row = samplesFolder + Separator + name;
            if (PathExists(row) && !FileListContains(list, row))
                list.add(row, samplesFolder);
        }
    });
    MessageAnswer answer = MessageAnswer::No;
    guard.step(102, [&] {
        answer = window.platform.messageBoxes.show(window.owner,
                                                   {window.applicationTitle, OpenSamplesQuestion(),
                                                    MessageIcon::None, MessageButtons::YesNo});
    });
    if (guard.test(104, [&] { return answer == MessageAnswer::Yes; }))
        guard.step(106, [&] { window.platform.shell.openFolder(samplesFolder); });
}

} // namespace orvalin
