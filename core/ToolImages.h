#pragma once

#include <QByteArray>
#include <QString>

namespace orvalin {

// The converter worker the executable carries, and the name a run writes it under.
#ifdef Q_OS_WIN
inline const QString WorkerFileName = QStringLiteral("convert-worker.exe");
#else
inline const QString WorkerFileName = QStringLiteral("convert-worker");
#endif

// The resource that holds the worker built for processors of the given address width, "64"
// or anything else (taken as 32), when the executable carries it, otherwise the worker built
// with the executable.
QString WorkerImageFor(const QString& addressWidth);

// The bytes of a carried tool; throws Failure when the executable does not carry it.
QByteArray LoadToolImage(const QString& resource);

// "64" on a 64-bit processor, "32" on a 32-bit one, empty when it cannot be told.
QString GetAddressWidth();
QString AddressWidthForArchitecture(const QString& cpuArchitecture);

// Writes the bytes to the target as a program its owner may run, unless something of that
// name already exists, which is left as it is. Throws Failure when the file cannot be written
// whole; nothing is left behind then.
void WriteBytesIfAbsent(const QByteArray& bytes, const QString& target);

} // namespace orvalin
