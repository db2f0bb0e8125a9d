#pragma once

#include "core/Platform.h"

#include <QCoreApplication>

namespace orvalin {

class FileListView;

inline const QString SamplesFolderName = QStringLiteral("Samples");
inline QString OpenSamplesQuestion()
{
    return QCoreApplication::translate(
        "FileList", "Would you like this software to open the folder where these sample files "
                    "are stored (so that you can view them before working with them)?");
}

// "Load Sample/Example Files": appends each file of the Samples folder beside the program that
// the list does not hold yet, then offers to open that folder.
void LoadSampleFiles(FileListView& list, const QString& programFolder, const WindowContext& window);

} // namespace orvalin
