#include "core/Startup.h"

#include "core/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace orvalin {

QString ApplicationTitle(const QString& productName)
{
    QString title = productName;
    do {
        const qsizetype lastBlank = title.lastIndexOf(QLatin1Char(' '));
        if (lastBlank < 0)
            break;
        title.truncate(lastBlank);
    } while (title.size() > 40);
    return title;
}

QString DesktopFolderFromLookup(const QString& lookedUp)
{
    if (lookedUp.isEmpty())
        throw Failure(FailureText::InvalidArgument());
    return QDir::toNativeSeparators(lookedUp) + QDir::separator();
}

QString GetDesktopFolder()
{
    return DesktopFolderFromLookup(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString ProgramFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

} // namespace orvalin
