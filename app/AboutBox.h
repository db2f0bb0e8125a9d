#pragma once

#include <QString>

namespace orvalin {

inline const QString AboutTitle = QStringLiteral("About Orvalin");

// The version, what the program does, and the libraries it is built on with their licences.
QString AboutText();

} // namespace orvalin
