#include "core/UncarriedNames.h"

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

QString UncarriedNamesMessage(const QStringList& names)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return QStringLiteral("The following files and folders could not be added because their "
                          "names are not valid UTF-8:")
           + lineBreak + names.join(lineBreak);
}

void TellUncarriedNames(const QStringList& names, const WindowContext& window)
{
    if (names.isEmpty())
        return;
    window.platform.messageBoxes.show(window.owner,
                                      {window.applicationTitle, UncarriedNamesMessage(names),
                                       MessageIcon::None, MessageButtons::Ok});
}

} // namespace orvalin
