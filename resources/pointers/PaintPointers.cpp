// Paints the program's two pointer files: HAND-M.CUR, the hand shown over push buttons, and
// drag.ico, shown while a row of the list is dragged to another place.
// Usage: paint-pointers OUTPUT_FOLDER

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int Size = 32;

QImage hand()
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    // A pointing hand: the index finger up, its tip at (11, 1), the hot spot.
    outline.addRoundedRect(QRectF(8.5, 1, 5, 16), 2.5, 2.5);
    outline.addRoundedRect(QRectF(13, 9, 4.5, 9), 2.2, 2.2);
    outline.addRoundedRect(QRectF(17, 10, 4.5, 9), 2.2, 2.2);
    outline.addRoundedRect(QRectF(21, 11.5, 4, 8.5), 2, 2);
    outline.addRoundedRect(QRectF(8.5, 14, 16.5, 12), 4, 4);
    QPainterPath thumb;
    thumb.moveTo(9, 17);
    thumb.lineTo(4.5, 13.5);
    thumb.cubicTo(2.5, 12.5, 1.2, 14.8, 2.8, 16.6);
    thumb.lineTo(9, 24);
    thumb.closeSubpath();
    outline = outline.united(thumb).simplified();
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    return image;
}

QImage dragRows()
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // An arrow up and down beside three short rows.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x13, 0x9c, 0x8f));
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(14.5, 8.5 + i * 6, 15, 4), 1.5, 1.5);
    QPainterPath arrow;
    arrow.moveTo(7, 1);
    arrow.lineTo(12, 8);
    arrow.lineTo(8.5, 8);
    arrow.lineTo(8.5, 24);
    arrow.lineTo(12, 24);
    arrow.lineTo(7, 31);
    arrow.lineTo(2, 24);
    arrow.lineTo(5.5, 24);
    arrow.lineTo(5.5, 8);
    arrow.lineTo(2, 8);
    arrow.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return image;
}

QByteArray iconFile(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    return writer.write(image) ? buffer.data() : QByteArray();
}

// A cursor file is an icon file with the type 2 and the hot spot where an icon keeps its
// planes and bit count.
QByteArray cursorFile(const QImage& image, QPoint hotSpot)
{
    QByteArray bytes = iconFile(image);
    if (bytes.size() < 22)
        return {};
    qToLittleEndian<quint16>(2, bytes.data() + 2);
    qToLittleEndian<quint16>(quint16(hotSpot.x()), bytes.data() + 10);
    qToLittleEndian<quint16>(quint16(hotSpot.y()), bytes.data() + 12);
    return bytes;
}

bool save(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv); // the icon writer is a plugin
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool ok =
        folder.mkpath(QStringLiteral("."))
        && save(folder.filePath(QStringLiteral("HAND-M.CUR")), cursorFile(hand(), {11, 1}))
        && save(folder.filePath(QStringLiteral("drag.ico")), iconFile(dragRows()));
    if (!ok)
        std::fprintf(stderr, "paint-pointers: cannot write the pointer files into %s\n", argv[1]);
    return ok ? 0 : 1;
}
