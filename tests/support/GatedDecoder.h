#pragma once

#include <QByteArray>
#include <QFile>

namespace orvalin::testing {

// The image of the gated decoder (support/GatedDecoder.cpp), whose decoding of a source waits
// while a file named like it plus ".hold" exists.
inline QByteArray gatedDecoder()
{
    QFile program(QStringLiteral(GATED_DECODER));
    return program.open(QIODevice::ReadOnly) ? program.readAll() : QByteArray();
}

} // namespace orvalin::testing
