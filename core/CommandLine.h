#pragma once

#include <QString>
#include <QStringList>

namespace orvalin {

inline const QString UsageText = QStringLiteral(
    "Usage: orvalin [OPTION]... [--] [FILE or FOLDER]...\n"
    "Converts WebP images to JPG files in batches. The files given, and every file in the\n"
    "folders given, join the list of the open window, or of a new one when none is open.\n"
    "\n"
    "  --help     show this text and end\n"
    "  --version  show the version and end\n"
    "  --         what follows is a file or folder, even when it begins with a dash\n");

// What a start was asked to do: start (handing over the paths given, made absolute), show the
// usage or the version, or refuse an unknown option with its reason.
struct StartRequest
{
    enum class Action { Start, Help, Version, Refuse };
    Action action = Action::Start;
    QStringList paths;
    QString reason;
};

// Reads the arguments after the program's name. Paths keep their order and are made absolute
// against the current folder, so the window they are handed to finds them wherever it
// started.
StartRequest ReadCommandLine(const QStringList& arguments, const QString& currentFolder);

} // namespace orvalin
