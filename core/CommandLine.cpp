#include "core/CommandLine.h"

#include "core/UncarriedNames.h"

#include <QDir>
#include <QFile>

#include <filesystem>

namespace orvalin {

namespace {

// Names as the command line carries them: bytes on Linux, UTF-8 from the wide command line on
// Windows (where QFile's names would take the ANSI code page and lose other scripts).
QString nameFrom(const QByteArray& bytes)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(bytes);
#else
    return QFile::decodeName(bytes);
#endif
}

QString handedPath(const QByteArray& argument, const QByteArray& currentFolder)
{
    const QString path = QDir::toNativeSeparators(
        QDir::cleanPath(QDir(nameFrom(currentFolder)).absoluteFilePath(nameFrom(argument))));
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
    return QString::fromStdWString(folder.native()).toUtf8();
#endif
}

StartRequest ReadCommandLine(const QList<QByteArray>& arguments, const QByteArray& currentFolder)
{
    StartRequest request;
    bool optionsEnded = false;
    for (const QByteArray& bytes : arguments) {
        const QString argument = nameFrom(bytes);
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
