#include "app/Appearance.h"

#include "core/Failure.h"
#include "core/PathHelpers.h"
#include "core/Platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace orvalin {

namespace {

void useFaceColour(QWidget& widget, const QColor& face)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, face);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QString readSkin(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(file.errorString());
    const QByteArray text = file.read(MaxSkinFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw Failure(file.errorString());
    if (text.size() > MaxSkinFileSize)
        throw Failure(QCoreApplication::translate("FailureReport", "Skin file too large"));
    return QString::fromUtf8(text);
}

} // namespace

void SetUpSkin(QWidget& window, const QList<QWidget*>& faceColoured, const QString& programFolder)
{
    const QString skinFile =
        programFolder + Separator + QString(SkinFileTail).replace(QLatin1Char('/'), Separator);
    const QFileInfo info(skinFile);
    if (!info.isFile() || info.fileName().startsWith(QLatin1Char('.')))
        return;
    const QColor face = QApplication::palette().color(QPalette::Button);
    useFaceColour(window, face);
    for (QWidget* widget : faceColoured)
        useFaceColour(*widget, face);
    window.setStyleSheet(readSkin(skinFile));
}

PointerKind PointerOverButton(PointerKind current)
{
    return current == PointerKind::Busy ? current : PointerKind::Custom;
}

PointerKind PointerOverSurface(PointerKind current)
{
    return current == PointerKind::Busy ? current : PointerKind::Default;
}

} // namespace orvalin
