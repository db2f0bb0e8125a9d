#include "core/CommandLine.h"

#include <QDir>

namespace orvalin {

namespace {

QString absolutePath(const QString& path, const QString& currentFolder)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path)));
}

} // namespace

StartRequest ReadCommandLine(const QStringList& arguments, const QString& currentFolder)
{
    StartRequest request;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (argument.isEmpty())
            continue; // names nothing
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))
            || argument == QLatin1String("-")) {
            request.paths.append(absolutePath(argument, currentFolder));
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return {StartRequest::Action::Help, {}, {}};
        } else if (argument == QLatin1String("--version")) {
            return {StartRequest::Action::Version, {}, {}};
        } else {
            return {StartRequest::Action::Refuse,
                    {},
                    QStringLiteral("unknown option %1 (orvalin --help lists the options)")
                        .arg(argument)};
        }
    }
    return request;
}

} // namespace orvalin
