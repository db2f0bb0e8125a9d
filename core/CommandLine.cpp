#include "core/CommandLine.h"

#include "core/UncarriedNames.h"

#include <QDir>
#include <QFile>

#include <filesystem>

namespace orvalin {

namespace {

QString handedPath(const QByteArray& argument, const QByteArray& currentFolder)
{
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(
        QDir(QFile::decodeName(currentFolder)).absoluteFilePath(QFile::decodeName(argument))));
#ifndef Q_OS_WIN
    const bool relative = !argument.startsWith('/');
    if (!CarriedExactly(argument) || (relative && !CarriedExactly(currentFolder)))
        return MarkedUncarried(path);
#endif
    return path;
}

} // namespace

QByteArray CurrentFolderBytes()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error)
        return {};
#ifndef Q_OS_WIN
    return QByteArray::fromStdString(folder.native());
#else
    return QFile::encodeName(QString::fromStdWString(folder.native()));
#endif
}

StartRequest ReadCommandLine(const QList<QByteArray>& arguments, const QByteArray& currentFolder)
{
    StartRequest request;
    bool optionsEnded = false;
    for (const QByteArray& bytes : arguments) {
        const QString argument = QFile::decodeName(bytes);
        if (argument.isEmpty())
            continue; // names nothing
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))
            || argument == QLatin1String("-")) {
            request.paths.append(handedPath(bytes, currentFolder));
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
