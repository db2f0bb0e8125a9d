#pragma once

#include <QByteArray>
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

} // namespace orvalin::testing
