#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace orvalin {

inline const QString UsageText = QStringLiteral(
    "Usage: orvalin [OPTION]... [--] [FILE or FOLDER]...\n"
    "Converts WebP images to JPG files in batches. The files given, and every file in the\n"
    "folders given, join the list of the open window, or of a new one when none is open.\n"
    "\n"
    "  --convert-here  convert the files given, and the files in the folders given, at\n"
    "                  once, each JPG beside its source, in a window of their own; starts\n"
    "                  that follow each other closely share one window and one run\n"
    "  --help          show this text and end\n"
    "  --version       show the version and end\n"
    "  --              what follows is a file or folder, even when it begins with a dash\n");

// What a start was asked to do: start (handing over the paths given, made absolute, or with
// --convert-here converting them), show the usage or the version, or refuse an unknown option
// with its reason.
struct StartRequest
{
    enum class Action { Start, Help, Version, Refuse };
    Action action = Action::Start;
    QStringList paths;
    QString reason;
    bool convertHere = false; // --convert-here: convert the paths at once, beside their sources
};

// Reads the arguments after the program's name, as the system gave them. Paths keep their order
// and are made absolute against the current folder, so the window they are handed to finds them
// wherever it started. A path whose bytes, with the current folder's for a relative one, cannot
// be carried as text keeps its place marked (see core/UncarriedNames.h), so the window tells
// of it rather than adding a name that opens nothing.
StartRequest ReadCommandLine(const QList<QByteArray>& arguments, const QByteArray& currentFolder);

// The arguments after the program's name as the file system names them: bytes on Linux; on
// Windows the wide command line, as UTF-8 (the narrow argv there holds only what the code page
// can say).
QList<QByteArray> ProgramArguments(int argc, char* argv[]);

// An argument as text: bytes decoded as the file system decodes names on Linux, UTF-8 on
// Windows (where QFile's names would take the ANSI code page and lose other scripts).
QString NameFromArgument(const QByteArray& bytes);

// The path an argument names, made absolute against the current folder, with native
// separators; marked (see core/UncarriedNames.h) when its bytes, with the current folder's for
// a relative one, cannot be carried as text.
QString HandedPath(const QByteArray& argument, const QByteArray& currentFolder);

// The current folder as the system names it; empty when it has none.
QByteArray CurrentFolderBytes();

} // namespace orvalin
