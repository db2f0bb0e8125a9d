#include "cli/ConvertCommand.h"

#include "core/CommandLine.h"

#include <functional>

namespace orvalin {

namespace {

const QString HelpHint = QStringLiteral(" (orvalin-convert --help lists the options)");

struct Refused
{
    QString reason;
};

// A whole number from `least` to `most`, or the refusal naming the option.
int wholeNumber(const QString& option, const QString& text, int least, int most)
{
    bool valid = false;
    const int number = text.toInt(&valid);
    if (!valid || number < least || number > most)
        throw Refused{QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                          .arg(option)
                          .arg(least)
                          .arg(most)
                          .arg(text)};
    return number;
}

// One of the words an option takes, each standing for a value.
template <typename T>
T oneOf(const QString& option, const QString& text,
        std::initializer_list<std::pair<const char*, T>> words)
{
    QStringList names;
    for (const auto& [word, value] : words) {
        if (text == QLatin1String(word))
            return value;
        names.append(QLatin1String(word));
    }
    throw Refused{QStringLiteral("%1 takes one of %2, not \"%3\"")
                      .arg(option, names.join(QStringLiteral(", ")), text)};
}

Shard shardFrom(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    bool indexValid = false;
    bool countValid = false;
    const int index = parts.size() == 2 ? parts[0].toInt(&indexValid) : 0;
    const int count = parts.size() == 2 ? parts[1].toInt(&countValid) : 0;
    if (!indexValid || !countValid || count < 1 || index < 1 || index > count)
        throw Refused{QStringLiteral("--shard takes K/N with 1 <= K <= N, such as 2/8, not \"%1\"")
                          .arg(text)};
    return {index, count};
}

void readOptions(const QList<QByteArray>& arguments, ConvertCommand& command)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& bytes = arguments[i];
        const QString argument = NameFromArgument(bytes);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))
            || argument == QLatin1String("-")) {
            command.paths.append(bytes);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // "--name=value" and "--name value" alike; short options take the next argument.
        QString option = argument;
        std::optional<QByteArray> attached;
        if (const qsizetype equals = argument.indexOf(QLatin1Char('='));
            argument.startsWith(QLatin1String("--")) && equals > 2) {
            option = argument.left(equals);
            attached = bytes.mid(bytes.indexOf('=') + 1);
        } else if (!argument.startsWith(QLatin1String("--")) && argument.size() > 2
                   && QStringLiteral("oj").contains(argument[1])) {
            option = argument.left(2); // "-oDIR", "-j4"
            attached = bytes.mid(2);
        }
        const auto value = [&]() -> QByteArray {
            if (attached)
                return *attached;
            if (i + 1 >= arguments.size())
                throw Refused{QStringLiteral("%1 needs a value").arg(option)};
            return arguments[++i];
        };
        const auto text = [&] { return NameFromArgument(value()); };
        const auto flag = [&](bool& target) {
            if (attached)
                throw Refused{QStringLiteral("%1 takes no value").arg(option)};
            target = true;
        };
        const auto is = [&](const char* longName, const char* shortName = nullptr) {
            return option == QLatin1String(longName)
                   || (shortName && option == QLatin1String(shortName));
        };

        if (is("--help", "-h")) {
            command.action = ConvertCommand::Action::Help;
            return;
        }
        if (is("--version")) {
            command.action = ConvertCommand::Action::Version;
            return;
        }
        if (is("--output", "-o"))
            command.outputFolder = value();
        else if (is("--quality"))
            command.quality = wholeNumber(option, text(), 1, 100);
        else if (is("--if-exists"))
            command.choices.ifExists = oneOf<IfExists>(option, text(),
                                                       {{"replace", IfExists::Replace},
                                                        {"keep-both", IfExists::KeepBoth},
                                                        {"skip", IfExists::Skip}});
        else if (is("--keep-dates"))
            flag(command.choices.keepDates);
        else if (is("--keep-subfolders"))
            flag(command.choices.keepSubfolders);
        else if (is("--metadata"))
            command.choices.metadata = oneOf<MetadataKept>(
                option, text(),
                {{"all", MetadataKept::All},
                 {"no-location", MetadataKept::NoLocation},
                 {"colour-and-orientation", MetadataKept::ColourAndOrientation}});
        else if (is("--fit"))
            command.choices.fitWithin = std::uint32_t(wholeNumber(option, text(), 16, 65535));
        else if (is("--null", "-0"))
            flag(command.nullSeparated);
        else if (is("--files-from"))
            command.filesFrom = value();
        else if (is("--jobs", "-j"))
            command.jobs = wholeNumber(option, text(), 1, 1024);
        else if (is("--dry-run", "-n"))
            flag(command.dryRun);
        else if (is("--json"))
            flag(command.json);
        else if (is("--shard"))
            command.shard = shardFrom(text());
        else if (is("--progress"))
            flag(command.progress);
        else if (is("--quiet"))
            flag(command.quiet);
        else
            throw Refused{QStringLiteral("unknown option %1").arg(option)};
    }
}

// What each option needs of the others.
void checkTogether(const ConvertCommand& command)
{
    if (command.choices.keepSubfolders && !command.outputFolder)
        throw Refused{QStringLiteral("--keep-subfolders needs --output")};
    if (command.nullSeparated && !command.filesFrom)
        throw Refused{QStringLiteral("--null needs --files-from")};
    if (command.paths.isEmpty() && !command.filesFrom)
        throw Refused{QStringLiteral("no file or folder given")};
    if (command.progress && command.quiet)
        throw Refused{QStringLiteral("--progress and --quiet ask for opposite things")};
}

} // namespace

ConvertCommand ReadConvertCommand(const QList<QByteArray>& arguments)
{
    ConvertCommand command;
    try {
        readOptions(arguments, command);
        if (command.action == ConvertCommand::Action::Convert)
            checkTogether(command);
    } catch (const Refused& refused) {
        command.action = ConvertCommand::Action::Refuse;
        command.refusal = refused.reason + HelpHint;
    }
    return command;
}

QString ConvertUsageText()
{
    return QStringLiteral(
               "Usage: orvalin-convert [OPTION]... [--] PATH...\n"
               "Converts WebP images to JPG files. A PATH that names a file converts that file;\n"
               "a folder converts the WebP files in it and in all its sub-folders.\n"
               "\n"
               "Where the results go:\n"
               "  -o, --output DIR          write every result into DIR (default: beside each\n"
               "                            source)\n"
               "      --if-exists WHAT      when a JPG of that name exists: replace, keep-both\n"
               "                            (number the new one) or skip (default: replace; a\n"
               "                            WebP picture is never replaced)\n"
               "      --keep-subfolders     with --output: each folder given keeps its tree\n"
               "                            below DIR\n"
               "      --keep-dates          give each JPG its source's modification and access\n"
               "                            times\n"
               "What the results hold:\n"
               "      --quality N           JPG quality from 1 to 100 (default: %1)\n"
               "      --metadata WHAT       all, no-location or colour-and-orientation\n"
               "                            (default: all)\n"
               "      --fit N               shrink a picture whose longer side exceeds N pixels\n"
               "                            (16 to 65535) to N; none is enlarged\n"
               "Which files:\n"
               "      --files-from FILE     also read paths from FILE, one a line (- for\n"
               "                            standard input)\n"
               "  -0, --null                the paths in --files-from end with NUL\n"
               "      --shard K/N           convert only the K-th of N shares of the files, for\n"
               "                            N machines sharing one tree (1 <= K <= N)\n"
               "How:\n"
               "  -j, --jobs N              convert N files at once (default: ORVALIN_JOBS, or\n"
               "                            the cores this program may use)\n"
               "  -n, --dry-run             print each source and the output it would get, and\n"
               "                            convert nothing\n"
               "      --json                one JSON object a line for each file on standard\n"
               "                            output\n"
               "      --progress            show the progress line even when standard error is\n"
               "                            not a terminal\n"
               "      --quiet               print errors only\n"
               "  -h, --help                show this text and end\n"
               "      --version             show the version and end\n"
               "      --                    what follows is a path, even when it begins with -\n"
               "\n"
               "Exit status: 0 when every file was converted (or skipped under --if-exists\n"
               "skip), 1 when a file was not converted or not saved, 2 for a wrong command line,\n"
               "3 when the run could not start, 128+N after signal N.\n")
        .arg(DefaultConsoleQuality);
}

} // namespace orvalin
