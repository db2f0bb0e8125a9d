#include "app/AboutBox.h"

#include "app/ThirdPartyLibraries.h"
#include "core/Startup.h"

#include <QCoreApplication>
#include <QStringList>

namespace orvalin {

QString AboutText()
{
    QStringList lines{
        ProductName + QStringLiteral(" ") + QStringLiteral(ORVALIN_VERSION),
        QString(),
        QCoreApplication::translate("AboutBox",
                                    "Converts WebP pictures to JPG files, many at once."),
        QCoreApplication::translate("AboutBox", "Free software under the GNU General Public "
                                                "License, version 3 or later."),
        QString(),
        QCoreApplication::translate("AboutBox", "Built on:")};
    for (const ThirdPartyLibrary& library : ThirdPartyLibraries) {
#ifndef Q_OS_WIN
        if (QLatin1String(library.where) == QLatin1String("windows"))
            continue; // shipped with the Windows program only
#endif
        lines << QStringLiteral("%1 %2 (%3)")
                     .arg(QString::fromUtf8(library.name), QLatin1String(library.version),
                          QLatin1String(library.licence));
    }
    return lines.join(QStringLiteral("\r"));
}

} // namespace orvalin
