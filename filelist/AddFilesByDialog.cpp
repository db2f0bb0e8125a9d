#include "AddFilesByDialog.h"

#include "FailureReport.h"
#include "FileListView.h"
#include "PathHelpers.h"

#include <QDir>

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
    QString text = folderAsReturned(chosenPaths.first());
    for (const QString& path : chosenPaths)
        text += NameSeparator + GetFileName(path);
    return text;
}

QStringList RowsFromReturnedNameText(const QString& text)
{
    const QStringList parts = text.split(NameSeparator);
    if (parts.size() == 1)
        return parts;
    QStringList rows;
    rows.reserve(parts.size() - 1);
    for (qsizetype i = 1; i < parts.size(); ++i)
        rows.append(CollapseDoubleBackslashes(parts[0] + Separator + parts[i]));
    return rows;
}

void AddFilesByDialog(FileListView& list, const WindowContext& window)
{
    GuardedSteps guard(GuardedProcedure::AddFilesClick, window.platform.messageBoxes, window.owner);

    QString returned;
    bool tooMany = false;
    guard.step(100, [&] {
        const QStringList chosen = window.platform.fileDialogs.openFiles(
            window.owner, {AddFilesDialogTitle, WebPFileFilter, true});
        returned = ReturnedNameText(chosen);
        tooMany = returned.size() > ReturnedNameCapacity;
    });
    if (tooMany) {
        window.platform.messageBoxes.show(window.owner, {window.applicationTitle, TooManyFilesMessage,
                                                         MessageIcon::None, MessageButtons::Ok});
        return;
    }
    if (guard.test(102, [&] { return returned.isEmpty(); }))
        return;

    QStringList rows;
    guard.step(104, [&] { rows = RowsFromReturnedNameText(returned); });
    guard.step(106, [&] { list.addRows(rows); });
}

} // namespace orvalin
