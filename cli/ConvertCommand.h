#pragma once

#include "core/OutputChoices.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace orvalin {

// This machine's share of the files: the K-th of N (1 <= K <= N).
struct Shard
{
    int index = 1;
    int count = 1;
};

inline constexpr int DefaultConsoleQuality = 85;

// What orvalin-convert was asked to do, read from its command line.
struct ConvertCommand
{
    enum class Action { Convert, Help, Version, Refuse };
    Action action = Action::Convert;
    QString refusal; // for Refuse: what is wrong, naming the option

    QList<QByteArray> paths;             // files and folders, as the system gave them
    std::optional<QByteArray> filesFrom; // a file of paths; "-" is standard input
    bool nullSeparated = false;          // the paths there end with NUL, not a line break

    std::optional<QByteArray> outputFolder; // results into it; beside each source without it
    int quality = DefaultConsoleQuality;
    OutputChoices choices;

    std::optional<int> jobs;
    std::optional<Shard> shard;
    bool dryRun = false;
    bool json = false;
    bool progress = false; // the progress line even when standard error is no terminal
    bool quiet = false;
};

// Reads the arguments after the program's name, POSIX style: "--name value" or "--name=value",
// "-0" and "-o DIR" and the like, "--" ending the options.
ConvertCommand ReadConvertCommand(const QList<QByteArray>& arguments);

// What --help prints.
QString ConvertUsageText();

} // namespace orvalin
