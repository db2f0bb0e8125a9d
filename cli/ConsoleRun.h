#pragma once

#include "cli/ConvertCommand.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace orvalin {

// orvalin-convert's exit statuses; after signal N it is 128 + N.
enum ExitStatus {
    AllConverted = 0,     // or skipped under --if-exists skip
    SomeNotConverted = 1, // a file was not converted or not saved
    UsageError = 2,
    CannotStart = 3, // no converter could start, or the output folder is missing
};

// The result names of --json, one for each way a file can end.
QString ResultName(int result);

// A JSON text for a string: quoted, with what JSON asks escaped.
QString JsonString(const QString& text);

// Converts what the command names with the window's engine, on the application's event loop,
// and returns the exit status. `loadToolImage` gives the converter worker's image; the
// program's own resources unless a test gives another.
int RunConvertCommand(const ConvertCommand& command,
                      std::function<QByteArray(const QString& resource)> loadToolImage = {});

} // namespace orvalin
