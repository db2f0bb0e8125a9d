#include "app/PointerFile.h"

#include "core/Failure.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace orvalin {

namespace {

// An icon directory: reserved 0, type (1 icon, 2 cursor), count; then 16-byte entries whose
// bytes 4 to 7 hold a cursor's hot spot.
QPoint cursorHotSpot(const QByteArray& bytes)
{
    if (bytes.size() < 22)
        return {-1, -1};
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(data) != 0 || qFromLittleEndian<quint16>(data + 2) != 2)
        return {-1, -1};
    return {qFromLittleEndian<quint16>(data + 10), qFromLittleEndian<quint16>(data + 12)};
}

} // namespace

QCursor loadPointerFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(file.errorString());
    const QByteArray bytes = file.readAll();

    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        throw Failure(FailureText::InvalidPicture());

    QPoint hotSpot = cursorHotSpot(bytes);
    if (!QRect(QPoint(0, 0), image.size()).contains(hotSpot))
        hotSpot = {-1, -1}; // Qt then takes the middle
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

} // namespace orvalin
