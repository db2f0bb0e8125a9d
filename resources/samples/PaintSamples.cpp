// Paints the sample pictures that ship beside the program and writes them as WebP files:
// a photo-like landscape (lossy), a graphic with text (lossless), a badge with transparency
// (lossy with alpha) and a short animation. Usage: paint-samples OUTPUT_FOLDER

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdio>
#include <random>

namespace {

QImage landscape()
{
    QImage image(960, 640, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, QColor(0x2b, 0x5f, 0xa8));
    sky.setColorAt(0.7, QColor(0xf2, 0xa6, 0x5a));
    sky.setColorAt(1, QColor(0xf7, 0xd0, 0x8a));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(QPointF(700, 330), 90);
    sun.setColorAt(0, QColor(255, 244, 200));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(700, 330), 90, 90);

    // Three ridges, farther ones paler, with a little grain so the picture behaves like a photo.
    const QColor ridges[] = {QColor(0x6b, 0x6f, 0x8f), QColor(0x3f, 0x5a, 0x4a),
                             QColor(0x22, 0x3a, 0x2a)};
    std::mt19937 random(7);
    for (int r = 0; r < 3; ++r) {
        QPainterPath ridge;
        const int base = 360 + r * 90;
        ridge.moveTo(0, 640);
        for (int x = 0; x <= 960; x += 40)
            ridge.lineTo(x, base - int(random() % 90) + (r == 0 ? -40 : 0));
        ridge.lineTo(960, 640);
        ridge.closeSubpath();
        p.setBrush(ridges[r]);
        p.drawPath(ridge);
    }
    p.end();
    std::normal_distribution<double> grain(0, 6);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(grain(random));
            line[x] = qRgb(qBound(0, qRed(line[x]) + n, 255), qBound(0, qGreen(line[x]) + n, 255),
                           qBound(0, qBlue(line[x]) + n, 255));
        }
    }
    return image;
}

QImage poster()
{
    QImage image(800, 500, QImage::Format_RGB32);
    image.fill(QColor(0xfa, 0xf7, 0xf0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(QRect(0, 0, 800, 120), QColor(0x13, 0x9c, 0x8f));
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(56);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 800, 120), Qt::AlignCenter, QStringLiteral("WebP to JPG"));
    QFont body(QStringLiteral("Liberation Sans"));
    body.setPixelSize(30);
    p.setFont(body);
    p.setPen(QColor(0x22, 0x22, 0x22));
    p.drawText(QRect(60, 160, 680, 200), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Sharp edges and small lettering show what a JPG quality setting "
                              "does to a graphic. Try 60, 85 and 100."));
    const QColor bars[] = {QColor(0xf9, 0x73, 0x16), QColor(0x25, 0x63, 0xeb),
                           QColor(0x16, 0xa3, 0x4a)};
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRect(100 + i * 220, 460 - (i + 2) * 25, 160, (i + 2) * 25), bars[i]);
    return image;
}

QImage badge()
{
    QImage image(400, 400, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(170, 150), 220);
    fill.setColorAt(0, QColor(0xff, 0xd1, 0x66));
    fill.setColorAt(1, QColor(0xe8, 0x6a, 0x17));
    p.setBrush(fill);
    p.setPen(QPen(QColor(255, 255, 255, 200), 10));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 ? 80 : 180;
        const QPointF point(200 + radius * std::cos(angle), 210 + radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
    // A soft shadow: partly transparent pixels, which turn white in a JPG.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QPointF(200, 380), 120, 14);
    return image;
}

QImage animationFrame(int frame, int frames)
{
    QImage image(320, 240, QImage::Format_ARGB32);
    image.fill(QColor(0x1e, 0x29, 0x3b));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = double(frame) / frames;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x38, 0xbd, 0xf8));
    p.drawEllipse(QPointF(40 + t * 240, 120 - 70 * std::sin(t * M_PI)), 24, 24);
    p.fillRect(QRect(0, 200, 320, 40), QColor(0x33, 0x41, 0x55));
    return image;
}

QImage toRgba(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGBA8888);
}

bool writeFile(const QString& path, const uint8_t* data, size_t size)
{
    std::FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!out)
        return false;
    const bool whole = std::fwrite(data, 1, size, out) == size;
    return std::fclose(out) == 0 && whole;
}

bool writeStill(const QString& path, const QImage& picture, bool lossless, float quality)
{
    const QImage rgba = toRgba(picture);
    uint8_t* encoded = nullptr;
    const size_t size = lossless
                            ? WebPEncodeLosslessRGBA(rgba.constBits(), rgba.width(), rgba.height(),
                                                     int(rgba.bytesPerLine()), &encoded)
                            : WebPEncodeRGBA(rgba.constBits(), rgba.width(), rgba.height(),
                                             int(rgba.bytesPerLine()), quality, &encoded);
    const bool written = size > 0 && writeFile(path, encoded, size);
    WebPFree(encoded);
    return written;
}

bool writeAnimation(const QString& path)
{
    constexpr int Frames = 12;
    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config))
        return false;
    config.quality = 80;
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(320, 240, &options);
    bool ok = encoder != nullptr;
    for (int frame = 0; ok && frame < Frames; ++frame) {
        const QImage rgba = toRgba(animationFrame(frame, Frames));
        WebPPicture picture;
        ok = WebPPictureInit(&picture) != 0;
        picture.use_argb = 1;
        picture.width = rgba.width();
        picture.height = rgba.height();
        ok = ok && WebPPictureImportRGBA(&picture, rgba.constBits(), int(rgba.bytesPerLine()))
             && WebPAnimEncoderAdd(encoder, &picture, frame * 100, &config);
        WebPPictureFree(&picture);
    }
    WebPData data;
    WebPDataInit(&data);
    ok = ok && WebPAnimEncoderAdd(encoder, nullptr, Frames * 100, nullptr)
         && WebPAnimEncoderAssemble(encoder, &data) && writeFile(path, data.bytes, data.size);
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder);
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv); // text needs the font database
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const bool ok =
        writeStill(folder.filePath(QStringLiteral("Mountain Evening.webp")), landscape(), false, 80)
        && writeStill(folder.filePath(QStringLiteral("Poster With Text.webp")), poster(), true, 100)
        && writeStill(folder.filePath(QStringLiteral("Transparent Star.webp")), badge(), false, 85)
        && writeAnimation(folder.filePath(QStringLiteral("Bouncing Ball (animated).webp")));
    if (!ok)
        std::fprintf(stderr, "paint-samples: cannot write the sample files into %s\n", argv[1]);
    return ok ? 0 : 1;
}
