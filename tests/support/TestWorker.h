#pragma once

#include <QByteArray>
#include <QFile>

namespace orvalin::testing {

// The image of the test worker (support/TestWorker.cpp), a converter worker whose work on a
// source waits while a file named like it plus ".hold" exists, crashes when one named like it
// plus ".crash" exists, and leaves one named like it plus ".decoded" once it has decoded it.
inline QByteArray testWorker()
{
    QFile program(QStringLiteral(TEST_WORKER));
    return program.open(QIODevice::ReadOnly) ? program.readAll() : QByteArray();
}

} // namespace orvalin::testing
