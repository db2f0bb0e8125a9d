#include "core/UncarriedNames.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace orvalin {

namespace {

const QChar UncarriedMark = QChar(u'\0');

} // namespace

bool CarriedExactly(const QByteArray& bytes)
{
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

bool LostInDecoding(const QString& path)
{
    return path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path);
}

QString MarkedUncarried(const QString& decoded)
{
    return UncarriedMark + decoded;
}

bool IsMarkedUncarried(const QString& handed)
{
    return handed.startsWith(UncarriedMark);
}

QString NotAddedLine(const QString& path, const QString& reason)
{
    return path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QString NotAddedMessage(const QStringList& lines)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return QCoreApplication::translate("FileList",
                                       "The following files and folders could not be added:")
           + lineBreak + lines.join(lineBreak);
}

void TellNotAdded(const QStringList& lines, const WindowContext& window)
{
    if (lines.isEmpty())
        return;
    window.platform.messageBoxes.show(
        window.owner,
        {window.applicationTitle, NotAddedMessage(lines), MessageIcon::None, MessageButtons::Ok});
}

} // namespace orvalin
