#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTest>

namespace orvalin::testing {

// Writes a file whole; a test that cannot write its own files fails on the spot.
inline void writeFile(const QString& path, const QByteArray& bytes = "x")
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A path as the platform hands it to the program: with this system's own separators.
inline QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A file name with characters Linux allows in names; Windows forbids quotes and line breaks
// there, so it gets blanks in their place.
inline QString allowedName(QString name)
{
#ifdef Q_OS_WIN
    for (const QChar forbidden : {u'"', u'\n'})
        name.replace(forbidden, u' ');
#endif
    return name;
}

} // namespace orvalin::testing
