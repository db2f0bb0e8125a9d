// Paints the program's icon: a photograph on a teal tile with an arrow that turns it into a
// JPG. Writes icon-32.png (24 bits a pixel, no transparency), icon-48.png, icon-128.png and
// icon-256.png (32 bits a pixel), and icon.ico for the Windows executable, into the folder given
// as the only argument.

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// Draws on a 256 × 256 canvas; the painter's scale fits it to the image.
void paintIcon(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(0x13, 0x9c, 0x8f));
    tile.setColorAt(1, QColor(0x0b, 0x5e, 0x6b));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // The photograph: a white card holding sky, sun and hills.
    const QRectF card(40, 46, 150, 124);
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 12, 12);
    const QRectF picture = card.adjusted(11, 11, -11, -11);
    QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
    sky.setColorAt(0, QColor(0x7d, 0xc8, 0xf5));
    sky.setColorAt(1, QColor(0xc9, 0xea, 0xfb));
    p.setBrush(sky);
    p.drawRect(picture);
    p.setBrush(QColor(0xff, 0xc7, 0x2c));
    p.drawEllipse(QPointF(picture.right() - 30, picture.top() + 26), 14, 14);
    QPainterPath hills;
    hills.moveTo(picture.left(), picture.bottom());
    hills.lineTo(picture.left(), picture.bottom() - 26);
    hills.lineTo(picture.left() + 44, picture.top() + 36);
    hills.lineTo(picture.left() + 78, picture.bottom() - 34);
    hills.lineTo(picture.left() + 98, picture.bottom() - 52);
    hills.lineTo(picture.right(), picture.bottom() - 14);
    hills.lineTo(picture.right(), picture.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(0x2f, 0x9e, 0x44));
    p.drawPath(hills);

    // The arrow, in the warm colour of the finished file.
    QPainterPath arrow;
    arrow.moveTo(112, 192);
    arrow.lineTo(168, 192);
    arrow.lineTo(168, 170);
    arrow.lineTo(220, 206);
    arrow.lineTo(168, 242);
    arrow.lineTo(168, 220);
    arrow.lineTo(112, 220);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf9, 0x73, 0x16));
    p.drawPath(arrow);
}

QImage renderIcon(int size, bool withAlpha)
{
    QImage image(size, size, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(withAlpha ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.scale(size / 256.0, size / 256.0);
    paintIcon(painter);
    painter.end();
    return image;
}

} // namespace

// A Windows icon file holding each size as a PNG picture, as Windows has read them since Vista:
// a six-byte header, a sixteen-byte entry per picture, then the pictures.
bool writeIconFile(const QString& file, const QList<int>& sizes)
{
    QList<QByteArray> pictures;
    for (const int size : sizes) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!renderIcon(size, true).save(&buffer, "PNG"))
            return false;
        pictures << buffer.data();
    }
    QByteArray icon;
    QDataStream out(&icon, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const auto side = quint8(sizes[i] >= 256 ? 0 : sizes[i]); // 0 stands for 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pictures[i].size()) << offset;
        offset += quint32(pictures[i].size());
    }
    for (const QByteArray& picture : pictures)
        icon += picture;
    QFile output(file);
    return output.open(QIODevice::WriteOnly) && output.write(icon) == icon.size();
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    struct Image
    {
        int size;
        bool alpha;
    };
    for (const Image image :
         {Image{32, false}, Image{48, true}, Image{128, true}, Image{256, true}}) {
        const QString file = folder.filePath(QStringLiteral("icon-%1.png").arg(image.size));
        QImage painted = renderIcon(image.size, image.alpha);
        if (!image.alpha)
            painted = painted.convertToFormat(QImage::Format_RGB888);
        if (!painted.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString iconFile = folder.filePath(QStringLiteral("icon.ico"));
    if (!writeIconFile(iconFile, {16, 32, 48, 256})) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(iconFile));
        return 1;
    }
    return 0;
}
