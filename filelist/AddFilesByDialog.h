#pragma once

#include "core/Platform.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace orvalin {

class FileListView;

inline QString AddFilesDialogTitle()
{
    return QCoreApplication::translate("FileList",
                                       "Add File(s) - Hold Ctrl to select multiple files");
}
inline const QString WebPFileFilter = QStringLiteral("WebP (*.webp)");

// The most characters of returned name text the dialog hands back; a larger selection is
// refused as a whole.
inline constexpr int ReturnedNameCapacity = 30000;

inline QString TooManyFilesMessage()
{
    return QCoreApplication::translate("FileList", "You've selected too many files to add.\r\r"
                                                   "Please try adding via the \"Add All\" button.");
}

// The dialog's answer as one text: a single file's full path, or for several files their
// folder (with a trailing separator only when it is the root) followed by each name, all
// separated by NUL characters. Files from several folders give an empty folder followed by
// each full path.
QString ReturnedNameText(const QStringList& chosenPaths);

// The rows a returned name text gives, in its order: a single part unchanged, full paths after
// an empty folder unchanged, otherwise the folder joined with each name, doubled separators
// collapsed.
QStringList RowsFromReturnedNameText(const QString& text);

// "Add WebP File(s)": shows the multiple-selection file dialog and appends the chosen files.
void AddFilesByDialog(FileListView& list, const WindowContext& window);

} // namespace orvalin
