#include "core/CommandLine.h"

#include "core/UncarriedNames.h"

#include <QDir>
#include <QFile>

#include <filesystem>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace orvalin {

QString NameFromArgument(const QByteArray& bytes)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(bytes);
#else
    return QFile::decodeName(bytes);
#endif
}

QList<QByteArray> ProgramArguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[])
{
    QList<QByteArray> arguments;
#ifdef Q_OS_WIN
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments.append(QString::fromWCharArray(wide[i]).toUtf8());
        ::LocalFree(wide);
    }
#else
    for (int i = 1; i < argc; ++i)
        arguments.append(argv[i]);
#endif
    return arguments;
}

QString HandedPath(const QByteArray& argument, const QByteArray& currentFolder)
{
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(
        QDir(NameFromArgument(currentFolder)).absoluteFilePath(NameFromArgument(argument))));
#ifndef Q_OS_WIN
    const bool relative = !argument.startsWith('/');
    if (!CarriedExactly(argument) || (relative && !CarriedExactly(currentFolder)))
        return MarkedUncarried(path);
#endif
    return path;
}

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
        const QString argument = NameFromArgument(bytes);
        if (argument.isEmpty())
            continue; // names nothing
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))
            || argument == QLatin1String("-")) {
            request.paths.append(HandedPath(bytes, currentFolder));
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return {StartRequest::Action::Help, {}, {}};
        } else if (argument == QLatin1String("--version")) {
            return {StartRequest::Action::Version, {}, {}};
        } else if (argument == QLatin1String("--convert-here")) {
            request.convertHere = true;
        } else {
            return {StartRequest::Action::Refuse,
                    {},
                    QStringLiteral("unknown option %1 (orvalin --help lists the options)")
                        .arg(argument)};
        }
    }
    if (request.convertHere && request.paths.isEmpty())
        return {StartRequest::Action::Refuse,
                {},
                QStringLiteral("--convert-here needs a file or folder to convert")};
    return request;
}

} // namespace orvalin
