#pragma once

#include <QString>

namespace orvalin {

inline const QString ProductName = QStringLiteral("Orvalin");
inline const QString MakerName = QStringLiteral("Kestrune");

// The hand pointer, an optional file in the program folder.
inline const QString HandPointerFileName = QStringLiteral("HAND-M.CUR");

// The title of every message box that names none of its own: the name cut at its last blank,
// again while longer than 40 characters. A name without a blank stays whole.
QString ApplicationTitle(const QString& productName);

// The desktop folder followed by the separator. Fails with "Invalid procedure call or
// argument" when the desktop folder cannot be determined.
QString GetDesktopFolder();

// The part of GetDesktopFolder after the platform lookup; an empty lookup result means the
// folder could not be determined.
QString DesktopFolderFromLookup(const QString& lookedUp);

// The folder that holds the program file (links resolved), without a trailing separator.
QString ProgramFolder();

} // namespace orvalin
