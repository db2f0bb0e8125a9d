#pragma once

#include "core/Platform.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace orvalin {

// On Linux a name is bytes, and the program holds it as text decoded from UTF-8: bytes that are
// not valid UTF-8 decode to U+FFFD, and the text no longer opens what they named. Such a path
// is not carried: it never joins the list, and whoever was adding it tells the user once, at the
// end, which ones were left out. (On Windows names are UTF-16 text and always carried.)

// True when the bytes come back the same once decoded as a name and encoded again.
bool CarriedExactly(const QByteArray& bytes);

// True for a path that a decoding has already spoilt: it holds U+FFFD and names nothing. The
// file dialog hands back text only, so this is all that can be told of its answer.
bool LostInDecoding(const QString& path);

// Paths handed to the list as text, by a drop or by a start, carry the ones that could not be
// carried among the rest, in their place, marked by a leading NUL that no path holds; the
// decoded text after it is what the user is shown.
QString MarkedUncarried(const QString& decoded);
bool IsMarkedUncarried(const QString& handed);

// Why a file or folder could not be added: a name that is not carried, a path longer than the
// system opens, or (told only where asked for) a folder whose listing is refused.
inline QString NameNotUtf8Reason()
{
    return QCoreApplication::translate("FileList", "the name is not valid UTF-8");
}
inline QString PathTooLongReason()
{
    return QCoreApplication::translate("FileList", "the path is too long");
}
inline QString UnreadableFolderReason()
{
    return QCoreApplication::translate("FileList", "the folder cannot be read");
}

// A line of the message below: the path, then why in brackets.
QString NotAddedLine(const QString& path, const QString& reason);

// "The following files and folders could not be added:", then one line each.
QString NotAddedMessage(const QStringList& lines);

// Shows that message for the lines, when there are any, with the window's title and an OK
// button; a long list scrolls, as other long messages do.
void TellNotAdded(const QStringList& lines, const WindowContext& window);

} // namespace orvalin
