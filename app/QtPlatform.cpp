#include "app/QtPlatform.h"

#include "app/ScrollingMessageBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

namespace orvalin {

namespace {

// Message texts break lines with CR LF, or with CR alone; a label breaks them with LF.
QString displayedLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

MessageAnswer QtMessageBoxes::show(QWidget* owner, const MessageRequest& request)
{
    const MessageRequest shown{request.title, displayedLines(request.text), request.icon,
                               request.buttons};
    const bool yesNo = shown.buttons == MessageButtons::YesNo;
    QMessageBox box(owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(shown.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(shown.text);
    box.setIcon(shown.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (yesNo)
        box.setDefaultButton(QMessageBox::Yes);

    // QMessageBox grows with its text: a long list of files would push its buttons off the
    // screen, so such texts scroll inside a box of their own.
    const QSize sizeLimit = messageBoxSizeLimit(owner);
    if (!fitsInMessageBox(box, shown.text, sizeLimit))
        return ScrollingMessageBox(owner, shown, sizeLimit).ask();

    const int pressed = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QStringList QtFileDialogs::openFiles(QWidget* owner, const OpenFilesRequest& request)
{
    QStringList chosen;
    if (request.multipleSelection) {
        chosen = QFileDialog::getOpenFileNames(owner, request.title, QString(), request.filter);
    } else {
        const QString one =
            QFileDialog::getOpenFileName(owner, request.title, QString(), request.filter);
        if (!one.isEmpty())
            chosen.append(one);
    }
    for (QString& path : chosen)
        path = QDir::toNativeSeparators(path);
    return chosen;
}

std::optional<QString> QtInputDialogs::askText(QWidget* owner, const QString& title,
                                               const QString& label, const QString& text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(owner, title, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString QtFileDialogs::pickFolder(QWidget* owner, const QString& title,
                                  const QString& initialFolder)
{
    QString folder =
        QFileDialog::getExistingDirectory(owner, title, initialFolder, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return folder;
    folder = QDir::toNativeSeparators(folder);
    if (folder.size() > 1 && folder.endsWith(QDir::separator()) && !QDir(folder).isRoot())
        folder.chop(1);
    return folder;
}

bool QtShell::openFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace orvalin
