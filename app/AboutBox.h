#pragma once

#include <QCoreApplication>
#include <QString>

namespace orvalin {

inline QString AboutTitle()
{
    return QCoreApplication::translate("AboutBox", "About Orvalin");
}

// The version, what the program does, and the libraries it is built on with their licences.
QString AboutText();

} // namespace orvalin
