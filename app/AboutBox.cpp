#include "app/AboutBox.h"

#include "core/Startup.h"

#include <QCoreApplication>
#include <QStringList>

namespace orvalin {

namespace {

struct BuiltOn
{
    const char* library;
    const char* licence;
};

// The window's library, then those of the converter it carries.
constexpr BuiltOn Libraries[] = {
    {"Qt", "LGPL-3.0"},
    {"libwebp", "BSD-3-Clause"},
    {"libjpeg-turbo", "IJG, BSD-3-Clause and Zlib"},
    {"Expat", "MIT"},
};

} // namespace

QString AboutText()
{
    QStringList lines{ProductName + QStringLiteral(" ") + QStringLiteral(ORVALIN_VERSION),
                      QString(),
                      QCoreApplication::translate(
                          "AboutBox", "Converts WebP pictures to JPG files, many at once."),
                      QString(), QCoreApplication::translate("AboutBox", "Built on:")};
    for (const BuiltOn& built : Libraries)
        lines << QStringLiteral("%1 (%2)").arg(QLatin1String(built.library),
                                               QLatin1String(built.licence));
    return lines.join(QStringLiteral("\r"));
}

} // namespace orvalin
