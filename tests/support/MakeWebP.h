#pragma once

#include <QFile>
#include <QImage>
#include <QTest>

#include <webp/encode.h>

namespace orvalin::testing {

// Writes a picture as a lossy WebP file at libwebp's default quality, as `cwebp` would, or as a
// lossless one. Done in-process so the tests need no encoder program on the machine they run on
// (Wine included).
inline void writeWebP(const QString& path, const QImage& picture, bool lossless = false)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    uint8_t* encoded = nullptr;
    // ARGB32 is stored as B, G, R, A bytes on the little-endian machines this builds for.
    const size_t size =
        lossless ? WebPEncodeLosslessBGRA(image.constBits(), image.width(), image.height(),
                                          int(image.bytesPerLine()), &encoded)
                 : WebPEncodeBGRA(image.constBits(), image.width(), image.height(),
                                  int(image.bytesPerLine()), 75.0F, &encoded);
    QVERIFY2(size > 0, "libwebp could not encode the test picture");
    QFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char*>(encoded), qint64(size)) == qint64(size);
    WebPFree(encoded);
    QVERIFY2(written, qPrintable(path));
}

} // namespace orvalin::testing
