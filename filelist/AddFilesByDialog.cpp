#include "filelist/AddFilesByDialog.h"

#include "core/FailureReport.h"
#include "core/PathHelpers.h"
#include "core/UncarriedNames.h"
#include "filelist/FileListView.h"

#include <QDir>

#include <algorithm>

namespace orvalin {

namespace {

const QChar NameSeparator = QChar(u'\0');

QString folderAsReturned(const QString& filePath)
{
    QString folder = GetParentPath(filePath);
    if (folder.size() > 1 && !QDir(folder).isRoot())
        folder.chop(1);
    return folder;
}

} // namespace

QString ReturnedNameText(const QStringList& chosenPaths)
{
    if (chosenPaths.size() <= 1)
        return chosenPaths.value(0);
    const QString folder = GetParentPath(chosenPaths.first());
    const auto inFolder = [&](const QString& path) { return GetParentPath(path) == folder; };
    const bool oneFolder = std::all_of(chosenPaths.begin(), chosenPaths.end(), inFolder);
    // Files from several folders (typed as full paths, or a recent-files view) each keep their
    // own: an empty folder part, then every full path.
    QString text = oneFolder ? folderAsReturned(chosenPaths.first()) : QString();
    for (const QString& path : chosenPaths)
        text += NameSeparator + (oneFolder ? GetFileName(path) : path);
    return text;
}

QStringList RowsFromReturnedNameText(const QString& text)
{
    QStringList parts = text.split(NameSeparator);
    if (parts.size() == 1)
        return parts;
    const QString folder = parts.takeFirst();
    if (folder.isEmpty())
        return parts;
    QStringList rows;
    rows.reserve(parts.size());
    for (const QString& name : parts)
        rows.append(CollapseDoubleBackslashes(folder + Separator + name));
    return rows;
}

void AddFilesByDialog(FileListView& list, const WindowContext& window)
{
    GuardedSteps guard(GuardedProcedure::AddFilesClick, window.platform.messageBoxes, window.owner);

    QString returned;
    bool tooMany = false;
    guard.step(100, [&] {
        const QStringList chosen = window.platform.fileDialogs.openFiles(
            window.owner, {AddFilesDialogTitle(), WebPFileFilter, true});
        returned = ReturnedNameText(chosen);
        tooMany = returned.size() > ReturnedNameCapacity;
    });
    if (tooMany) {
        window.platform.messageBoxes.show(window.owner,
                                          {window.applicationTitle, TooManyFilesMessage(),
                                           MessageIcon::None, MessageButtons::Ok});
        return;
    }
    if (guard.test(102, [&] { return returned.isEmpty(); }))
        return;

    QStringList rows;
    guard.step(104, [&] { rows = RowsFromReturnedNameText(returned); });
    // A name the dialog could only hand back spoilt would fail later as "not WebP".
    QStringList notAdded;
    for (const QString& row : std::as_const(rows)) {
        if (LostInDecoding(row))
            notAdded.append(NotAddedLine(row, NameNotUtf8Reason()));
    }
    rows.removeIf(LostInDecoding);
    guard.step(106, [&] { list.addRows(rows); });
    TellNotAdded(notAdded, window);
}

} // namespace orvalin
